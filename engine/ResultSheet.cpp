#include "engine/ResultSheet.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString Family = QStringLiteral("Liberation Sans");
constexpr qreal BodyPoints = 10;
constexpr qreal FooterPoints = 8;

QTextCharFormat textFormat(qreal points, bool bold = false)
{
    QTextCharFormat format;
    format.setFontFamilies({Family});
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

class SheetWriter
{
public:
    explicit SheetWriter(QTextDocument &document) : m_cursor(&document) {}

    void line(const QString &text, const QTextCharFormat &format, qreal spaceAfter = 0)
    {
        QTextBlockFormat block;
        block.setBottomMargin(spaceAfter);
        if (m_first) {
            m_cursor.setBlockFormat(block);
            m_cursor.setBlockCharFormat(format);
            m_first = false;
        } else {
            m_cursor.insertBlock(block, format);
        }
        m_cursor.insertText(text, format);
    }

    void field(const QString &name, const QString &value)
    {
        line(QString(), textFormat(BodyPoints + 1));
        m_cursor.insertText(name, textFormat(BodyPoints + 1, true));
        m_cursor.insertText(value, textFormat(BodyPoints + 1));
    }

private:
    QTextCursor m_cursor;
    bool m_first = true;
};

QString whenText(const QDateTime &when)
{
    return when.toString(QStringLiteral("dd/MM/yyyy 'à' HH:mm"));
}

} // namespace

std::unique_ptr<QTextDocument> resultDocument(const ResultSheet &sheet)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentMargin(0);
    QTextOption wrap = document->defaultTextOption();
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document->setDefaultTextOption(wrap);

    const qcm::QuizResult &r = sheet.result;
    SheetWriter out(*document);
    out.line(QStringLiteral("Résultats du QCM"), textFormat(18, true), 12);
    // An empty name leaves room to write it by hand.
    out.field(QStringLiteral("Élève : "), r.pupil.isEmpty() ? QString(40, QLatin1Char('.')) : r.pupil);
    out.field(QStringLiteral("QCM : "), r.title);
    out.field(QStringLiteral("Matière : "), r.subject);
    out.field(QStringLiteral("Mode : "), r.exam ? QStringLiteral("examen") : QStringLiteral("entraînement"));
    out.field(QStringLiteral("Date : "), whenText(r.finished));
    out.field(QStringLiteral("Temps passé : "), qcm::durationText(r.seconds));
    out.line(QString(), textFormat(BodyPoints));
    out.line(QStringLiteral("Vous avez répondu correctement à %1 questions.").arg(r.right), textFormat(12, true));
    out.line(QStringLiteral("Pourcentage de réussite : %1 %").arg(r.percentage), textFormat(12, true));
    out.line(sheet.verdict, textFormat(12), 12);
    for (const QString &text : sheet.review.split(QLatin1Char('\n')))
        out.line(text, textFormat(BodyPoints));
    return document;
}

bool printResultSheet(const ResultSheet &sheet, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const std::unique_ptr<QTextDocument> document = resultDocument(sheet);
    document->documentLayout()->setPaintDevice(&device);

    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    QFont footerFont(Family);
    footerFont.setPointSizeF(FooterPoints);
    const qreal footerHeight = QFontMetricsF(footerFont, &device).height() * 2;
    const QSizeF body(area.width(), area.height() - footerHeight);
    document->setPageSize(body);

    const int pages = document->pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.save();
        painter.setClipRect(QRectF(QPointF(0, 0), body));
        painter.translate(0, -page * body.height());
        document->drawContents(&painter, QRectF(QPointF(0, page * body.height()), body));
        painter.restore();
        painter.setFont(footerFont);
        painter.drawText(QRectF(0, body.height(), body.width(), footerHeight), Qt::AlignCenter,
                         QStringLiteral("Page %1 / %2").arg(page + 1).arg(pages));
    }
    return painter.end();
}
