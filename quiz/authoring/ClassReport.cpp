#include "quiz/authoring/ClassReport.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace qcm::authoring {

namespace {

const QString Family = QStringLiteral("Liberation Sans");
const QString Absent = QStringLiteral("—");
const QString ToCheck = QStringLiteral("à vérifier");
const QString DateFormat = QStringLiteral("dd/MM/yyyy");

// Lengths are in millimetres from the top left corner of the page's margins.
constexpr qreal FooterHeight = 8;
constexpr qreal TitleHeight = 22;
constexpr qreal NoResultsHeight = 30;
constexpr qreal HeadingHeight = 36;
constexpr qreal ChartsHeight = 60;
constexpr qreal CaptionHeight = 8;
constexpr qreal NoteHeight = 8;
constexpr qreal HeaderRowHeight = 6;
constexpr qreal RowHeight = 4.4;
constexpr qreal TableGap = 6;
constexpr qreal PupilColumnsGap = 6;
// A table does not begin with fewer lines than this at the foot of a page.
constexpr int FewestLines = 3;

const QColor Ink(0x22, 0x22, 0x22);
const QColor Grey(0x66, 0x66, 0x66);
const QColor Rule(0xc4, 0xc4, 0xc4);
const QColor Shade(0xf2, 0xf2, 0xf2);
const QColor HeaderShade(0xe2, 0xe6, 0xec);
const QColor BarColour(0x3d, 0x6c, 0xa8);
// Orange is far from the blue bars, and lighter once photocopied in grey.
const QColor FlagColour(0xe0, 0x78, 0x00);
const QColor FlagShade(0xfd, 0xeb, 0xd6);
const QColor RightShade(0xd5, 0xed, 0xcf);

QLocale french() { return QLocale(QLocale::French, QLocale::France); }

QString counted(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n > 1 ? many : one));
}

// 62,4 % ; 60 %
QString percentText(std::optional<double> value)
{
    return value ? french().toString(std::round(*value * 10) / 10, 'g', 4) + QStringLiteral(" %") : Absent;
}

QString decimalText(std::optional<double> value, int decimals)
{
    return value ? french().toString(*value, 'f', decimals) : Absent;
}

QString quizName(const QuizStats &quiz)
{
    return quiz.subject.isEmpty() ? quiz.title : quiz.subject + QStringLiteral(" — ") + quiz.title;
}

struct PupilRow
{
    int number = 0;   // in the order of the pupils' first attempts
    QString pupil;    // may be empty
    QDateTime finished;
    int percentage = 0;
};

// A quiz as the report shows it.
struct QuizView
{
    const QuizStats *stats = nullptr;
    std::vector<PupilRow> pupils;
    int pupilCount = 0;
};

// Numbers follow the attempts, oldest first, so that the same logs always
// give the same numbers; an attempt without a name is a pupil of its own.
QuizView quizView(const QuizStats &quiz, bool anonymous)
{
    QuizView view{&quiz, {}, 0};
    QHash<QString, int> numbers;
    for (const QuizResult &attempt : quiz.attempts) {
        const bool known = !attempt.pupil.isEmpty() && numbers.contains(attempt.pupil);
        const int number = known ? numbers.value(attempt.pupil) : ++view.pupilCount;
        if (!attempt.pupil.isEmpty())
            numbers.insert(attempt.pupil, number);
        view.pupils.push_back({number, attempt.pupil, attempt.finished, attempt.percentage});
    }
    const QCollator collator(french());
    std::stable_sort(view.pupils.begin(), view.pupils.end(), [&](const PupilRow &a, const PupilRow &b) {
        if (anonymous)
            return a.number < b.number;
        if (a.pupil.isEmpty() != b.pupil.isEmpty())
            return b.pupil.isEmpty();
        return collator.compare(a.pupil, b.pupil) < 0;
    });
    return view;
}

// A part of the report that stays on one page.
struct Piece
{
    enum class Kind { Title, NoResults, Heading, Charts, Questions, Pupils };
    Kind kind = Kind::Title;
    int quiz = 0;
    int first = 0;          // a table's first row on this page
    int rows = 0;
    bool continued = false; // a table begun on an earlier page
    qreal top = 0;
};

using Page = std::vector<Piece>;

// Pupils' rows come in two columns side by side.
int rowsPerLine(const Piece &piece) { return piece.kind == Piece::Kind::Pupils ? 2 : 1; }

qreal tableHeadHeight(const Piece &piece)
{
    const bool note = piece.kind == Piece::Kind::Questions && !piece.continued;
    return CaptionHeight + (note ? NoteHeight : 0) + HeaderRowHeight;
}

qreal tableHeight(const Piece &piece)
{
    const int lines = (piece.rows + rowsPerLine(piece) - 1) / rowsPerLine(piece);
    return tableHeadHeight(piece) + lines * RowHeight;
}

// Each quiz starts a page; a table that runs over goes on, under its header
// again, on the next page.
class Pagination
{
public:
    explicit Pagination(qreal height) : m_height(height) { startPage(); }

    void startPage()
    {
        m_pages.emplace_back();
        m_y = 0;
    }

    void add(Piece piece, qreal height)
    {
        if (height > room() && !m_pages.back().empty())
            startPage();
        piece.top = m_y;
        m_pages.back().push_back(piece);
        m_y += height;
    }

    void addTable(Piece piece, int rows)
    {
        const int perLine = rowsPerLine(piece);
        while (piece.first < rows) {
            const int left = rows - piece.first;
            const int fit = perLine * int((room() - tableHeadHeight(piece)) / RowHeight);
            if (fit < std::min(left, FewestLines * perLine) && !m_pages.back().empty()) {
                startPage();
                continue;
            }
            piece.rows = std::min(left, std::max(fit, perLine));
            add(piece, tableHeight(piece));
            // Room is kept below a table only for what follows it on the page.
            m_y += TableGap;
            piece.first += piece.rows;
            piece.continued = true;
        }
    }

    const std::vector<Page> &pages() const { return m_pages; }

private:
    // With a little to spare, so that rounding never pushes a piece that
    // was measured to fit onto the next page.
    qreal room() const { return m_height - m_y + 0.01; }

    std::vector<Page> m_pages;
    qreal m_height;
    qreal m_y = 0;
};

std::vector<Page> paginate(const std::vector<QuizView> &views, qreal height)
{
    using Kind = Piece::Kind;
    Pagination out(height);
    out.add({Kind::Title}, TitleHeight);
    if (views.empty())
        out.add({Kind::NoResults}, NoResultsHeight);
    for (int i = 0; i < int(views.size()); ++i) {
        if (i > 0)
            out.startPage();
        out.add({Kind::Heading, i}, HeadingHeight);
        out.add({Kind::Charts, i}, ChartsHeight);
        out.addTable({Kind::Questions, i}, int(views[std::size_t(i)].stats->questions.size()));
        out.addTable({Kind::Pupils, i}, int(views[std::size_t(i)].pupils.size()));
    }
    return out.pages();
}

struct Column
{
    QString title;
    qreal width = 0; // the one at 0 takes what the others leave
    Qt::Alignment align = Qt::AlignLeft;
};

// Where each column starts, and where the last one ends.
std::vector<qreal> columnEdges(const std::vector<Column> &columns, qreal left, qreal width)
{
    qreal fixed = 0;
    for (const Column &column : columns)
        fixed += column.width;
    std::vector<qreal> edges{left};
    for (const Column &column : columns)
        edges.push_back(edges.back() + (column.width > 0 ? column.width : width - fixed));
    return edges;
}

std::vector<Column> questionColumns()
{
    std::vector<Column> columns = {{QStringLiteral("N°"), 7, Qt::AlignRight},
                                   {QStringLiteral("Question"), 0},
                                   {QStringLiteral("Posée"), 10, Qt::AlignRight},
                                   {QStringLiteral("Réussite"), 14, Qt::AlignRight}};
    for (int p = 1; p <= 5; ++p)
        columns.push_back({QString::number(p), 7, Qt::AlignRight});
    columns.push_back({QStringLiteral("Sans rép."), 14, Qt::AlignRight});
    columns.push_back({QStringLiteral("Discrim."), 14, Qt::AlignRight});
    columns.push_back({QString(), 15, Qt::AlignCenter});
    return columns;
}

const std::vector<Column> PupilColumns = {{QStringLiteral("Élève"), 0},
                                          {QStringLiteral("Date"), 28},
                                          {QStringLiteral("Score"), 13, Qt::AlignRight}};

class ReportPainter
{
public:
    ReportPainter(QPainter &painter, const std::vector<QuizView> &views, bool anonymous, QSizeF area)
        : m_p(painter), m_views(views), m_anonymous(anonymous), m_width(area.width()),
          m_bodyHeight(area.height() - FooterHeight),
          m_unit(painter.device()->logicalDpiX() / 25.4)
    {
    }

    void drawPage(const Page &page, int number, int count)
    {
        for (const Piece &piece : page)
            drawPiece(piece);
        drawFooter(number, count);
    }

private:
    void drawPiece(const Piece &piece)
    {
        const QuizView *view = m_views.empty() ? nullptr : &m_views[std::size_t(piece.quiz)];
        switch (piece.kind) {
        case Piece::Kind::Title: drawTitle(piece.top); break;
        case Piece::Kind::NoResults: drawNoResults(piece.top); break;
        case Piece::Kind::Heading: drawHeading(*view, piece.top); break;
        case Piece::Kind::Charts: drawCharts(*view, piece.top); break;
        case Piece::Kind::Questions: drawQuestions(*view, piece); break;
        case Piece::Kind::Pupils: drawPupils(*view, piece); break;
        }
    }

    QRectF device(const QRectF &mm) const
    {
        return {mm.x() * m_unit, mm.y() * m_unit, mm.width() * m_unit, mm.height() * m_unit};
    }

    void setFont(qreal points, bool bold = false, const QColor &colour = Ink)
    {
        QFont font(Family);
        font.setPointSizeF(points);
        font.setBold(bold);
        m_p.setFont(font);
        m_p.setPen(colour);
    }

    // One line, cut with an ellipsis where it would run out of its box.
    void text(const QRectF &mm, const QString &line, Qt::Alignment align = Qt::AlignLeft)
    {
        const QRectF box = device(mm);
        const QString fitted = QFontMetricsF(m_p.font(), m_p.device()).elidedText(line, Qt::ElideRight, box.width());
        m_p.drawText(box, int(align | Qt::AlignVCenter), fitted);
    }

    void fill(const QRectF &mm, const QColor &colour) { m_p.fillRect(device(mm), colour); }

    void rule(qreal x1, qreal y1, qreal x2, qreal y2, const QColor &colour = Rule)
    {
        const QPen ink = m_p.pen();
        m_p.setPen(QPen(colour, 0.25 * m_unit));
        m_p.drawLine(QPointF(x1, y1) * m_unit, QPointF(x2, y2) * m_unit);
        m_p.setPen(ink);
    }

    QString aboutReport() const
    {
        QString about = QStringLiteral("Édité le %1")
                            .arg(QDateTime::currentDateTime().toString(DateFormat + QStringLiteral(" 'à' HH:mm")));
        if (m_views.empty())
            return about;
        int attempts = 0;
        for (const QuizView &view : m_views)
            attempts += int(view.pupils.size());
        about += QStringLiteral(" · %1 · %2").arg(counted(int(m_views.size()), "QCM", "QCM"),
                                                 counted(attempts, "passation", "passations"));
        return m_anonymous ? about + QStringLiteral(" · élèves numérotés, sans leur nom") : about;
    }

    void drawTitle(qreal y)
    {
        setFont(18, true);
        text({0, y, m_width, 10}, QStringLiteral("Bilan de la classe"));
        setFont(9, false, Grey);
        text({0, y + 11, m_width, 5}, aboutReport());
        rule(0, y + 18, m_width, y + 18);
    }

    void drawNoResults(qreal y)
    {
        setFont(12, true);
        text({0, y + 2, m_width, 7}, QStringLiteral("Aucun résultat avec réponses pour l'instant."));
        setFont(9, false, Grey);
        text({0, y + 10, m_width, 5},
             QStringLiteral("Le bilan compte les QCM finis depuis que le lecteur note la réponse à chaque question ;"));
        text({0, y + 15, m_width, 5},
             QStringLiteral("les résultats plus anciens, qui n'ont que la note, n'y figurent pas."));
    }

    QString aboutQuiz(const QuizView &view) const
    {
        const QuizStats &quiz = *view.stats;
        QString about = counted(view.pupilCount, "élève", "élèves");
        if (int(quiz.attempts.size()) != view.pupilCount)
            about += QStringLiteral(", ") + counted(int(quiz.attempts.size()), "passation", "passations");
        if (!quiz.attempts.empty()) {
            const QString from = quiz.attempts.front().finished.toString(DateFormat);
            const QString to = quiz.attempts.back().finished.toString(DateFormat);
            about += from == to ? QStringLiteral(" le %1").arg(from) : QStringLiteral(" du %1 au %2").arg(from, to);
        }
        return about + QStringLiteral(" · ")
            + (quiz.quizFile.isEmpty()
                   ? QStringLiteral("fichier du QCM introuvable : textes et bonnes réponses inconnus")
                   : QStringLiteral("fichier %1").arg(QFileInfo(quiz.quizFile).fileName()));
    }

    void drawHeading(const QuizView &view, qreal y)
    {
        const QuizStats &quiz = *view.stats;
        setFont(14, true);
        text({0, y, m_width, 8}, quizName(quiz));
        setFont(9, false, Grey);
        text({0, y + 8.5, m_width, 5}, aboutQuiz(view));
        const std::vector<std::pair<QString, QString>> figures = {
            {QStringLiteral("Moyenne"), percentText(quiz.mean)},
            {QStringLiteral("Médiane"), percentText(quiz.median)},
            {QStringLiteral("Minimum"), percentText(quiz.minimum)},
            {QStringLiteral("Maximum"), percentText(quiz.maximum)},
            {QStringLiteral("Écart type"), decimalText(quiz.deviation, 1)},
            {QStringLiteral("Alpha de Cronbach"), decimalText(quiz.alpha, 2)}};
        constexpr qreal Gap = 3;
        const qreal width = (m_width - Gap * qreal(figures.size() - 1)) / qreal(figures.size());
        for (std::size_t i = 0; i < figures.size(); ++i) {
            const qreal x = qreal(i) * (width + Gap);
            fill({x, y + 17, width, 15}, Shade);
            setFont(7.5, false, Grey);
            text({x, y + 18, width, 4.5}, figures[i].first, Qt::AlignCenter);
            setFont(13, true);
            text({x, y + 23, width, 7.5}, figures[i].second, Qt::AlignCenter);
        }
    }

    void drawCharts(const QuizView &view, qreal y)
    {
        const qreal height = ChartsHeight - 8;
        drawHistogram(*view.stats, {0, y, m_width * 0.38, height});
        drawFacility(*view.stats, {m_width * 0.43, y, m_width * 0.57, height});
    }

    void drawHistogram(const QuizStats &quiz, const QRectF &area)
    {
        std::array<int, 10> bands{};
        for (const QuizResult &attempt : quiz.attempts)
            ++bands[std::size_t(std::clamp(attempt.percentage / 10, 0, 9))];
        const int most = std::max(1, *std::max_element(bands.begin(), bands.end()));
        setFont(9.5, true);
        text({area.x(), area.y(), area.width(), 6}, QStringLiteral("Répartition des scores (en %)"));
        const QRectF plot(area.x(), area.y() + 12, area.width(), area.height() - 18);
        const qreal slot = plot.width() / 10;
        for (std::size_t band = 0; band < bands.size(); ++band) {
            const qreal x = plot.x() + qreal(band) * slot;
            const qreal height = plot.height() * bands[band] / most;
            fill({x + slot * 0.1, plot.bottom() - height, slot * 0.8, height}, BarColour);
            setFont(7.5);
            if (bands[band] > 0)
                text({x, plot.bottom() - height - 4.5, slot, 4}, QString::number(bands[band]), Qt::AlignCenter);
        }
        rule(plot.left(), plot.bottom(), plot.right(), plot.bottom(), Grey);
        setFont(7, false, Grey);
        for (int tick = 0; tick <= 10; ++tick)
            text({plot.x() + tick * slot - 5, plot.bottom() + 1, 10, 4}, QString::number(tick * 10), Qt::AlignCenter);
        text({plot.x(), plot.bottom() + 5, plot.width(), 4}, QStringLiteral("nombre de passations par tranche de 10 %"),
             Qt::AlignCenter);
    }

    void drawFacilityLegend(const QuizStats &quiz, const QRectF &area)
    {
        const auto flagged = std::count_if(quiz.questions.begin(), quiz.questions.end(),
                                           [](const QuestionStats &q) { return q.toCheck; });
        if (flagged == 0)
            return;
        constexpr qreal Width = 24;
        fill({area.right() - Width, area.y() + 1.5, 3, 3}, FlagColour);
        setFont(8, true, FlagColour);
        text({area.right() - Width + 4, area.y(), Width - 4, 6}, QStringLiteral("%1 (%2)").arg(ToCheck).arg(flagged));
    }

    // Question numbers under the bars, as many as there is room for.
    static int labelStep(qreal slot)
    {
        for (int step : {1, 2, 5, 10, 20, 25, 50}) {
            if (slot * step >= 5)
                return step;
        }
        return 100;
    }

    void drawFacility(const QuizStats &quiz, const QRectF &area)
    {
        setFont(9.5, true);
        text({area.x(), area.y(), area.width(), 6}, QStringLiteral("Réussite par question (en %)"));
        drawFacilityLegend(quiz, area);
        constexpr qreal ScaleWidth = 7;
        const QRectF plot(area.x() + ScaleWidth, area.y() + 12, area.width() - ScaleWidth, area.height() - 18);
        setFont(7, false, Grey);
        for (int level = 0; level <= 100; level += 25) {
            const qreal y = plot.bottom() - plot.height() * level / 100;
            rule(plot.left(), y, plot.right(), y, level == 0 ? Grey : Shade.darker(110));
            if (level % 50 == 0)
                text({area.x(), y - 2, ScaleWidth - 1.5, 4}, QString::number(level), Qt::AlignRight);
        }
        // A short quiz gets bars of a bar's width, centred, not wide blocks.
        const qreal count = qreal(std::max<std::size_t>(quiz.questions.size(), 1));
        const qreal slot = std::min(plot.width() / count, 12.0);
        const qreal left = plot.x() + (plot.width() - slot * count) / 2;
        const int step = labelStep(slot);
        for (std::size_t i = 0; i < quiz.questions.size(); ++i) {
            const QuestionStats &question = quiz.questions[i];
            const qreal x = left + qreal(i) * slot;
            const qreal height = plot.height() * question.facility / 100;
            fill({x + slot * 0.15, plot.bottom() - height, slot * 0.7, height},
                 question.toCheck ? FlagColour : BarColour);
            if (question.question % step == 0) {
                setFont(7, question.toCheck, question.toCheck ? FlagColour : Grey);
                text({x + slot / 2 - 4, plot.bottom() + 1, 8, 4}, QString::number(question.question), Qt::AlignCenter);
            }
        }
        setFont(7, false, Grey);
        text({plot.x(), plot.bottom() + 5, plot.width(), 4}, QStringLiteral("part des réponses justes, question par question"),
             Qt::AlignCenter);
    }

    // The caption, the note under it, and the columns' titles; the rows'
    // top is returned.
    qreal drawTableHead(const Piece &piece, const QString &caption, const std::vector<std::vector<qreal>> &edgeSets,
                        const std::vector<Column> &columns)
    {
        const QuizStats &quiz = *m_views[std::size_t(piece.quiz)].stats;
        setFont(10.5, true);
        text({0, piece.top, m_width * 0.6, 6}, piece.continued ? caption + QStringLiteral(" (suite)") : caption);
        if (piece.continued) {
            setFont(8, false, Grey);
            text({m_width * 0.6, piece.top, m_width * 0.4, 6}, quizName(quiz), Qt::AlignRight);
        }
        qreal y = piece.top + CaptionHeight;
        if (tableHeadHeight(piece) > CaptionHeight + HeaderRowHeight) {
            drawQuestionsNote(y);
            y += NoteHeight;
        }
        for (const std::vector<qreal> &edges : edgeSets) {
            fill({edges.front(), y, edges.back() - edges.front(), HeaderRowHeight}, HeaderShade);
            setFont(7.5, true);
            for (std::size_t c = 0; c < columns.size(); ++c)
                text({edges[c] + 1, y, edges[c + 1] - edges[c] - 2, HeaderRowHeight}, columns[c].title, columns[c].align);
        }
        return y + HeaderRowHeight;
    }

    void drawQuestionsNote(qreal y)
    {
        setFont(7.5, false, Grey);
        text({0, y, m_width, 3.6},
             QStringLiteral("Colonnes 1 à 5 : passations qui ont coché chaque proposition ; les bonnes réponses en gras sur "
                            "fond vert. Sans rép. : rien de coché."));
        text({0, y + 3.6, m_width, 3.6},
             QStringLiteral("Discrim. : accord (en %) de la question avec le reste du QCM ; %1 sous 30, ou si une "
                            "mauvaise réponse est plus cochée qu'une bonne.")
                 .arg(ToCheck));
    }

    void drawQuestions(const QuizView &view, const Piece &piece)
    {
        const std::vector<Column> columns = questionColumns();
        const std::vector<qreal> edges = columnEdges(columns, 0, m_width);
        qreal y = drawTableHead(piece, QStringLiteral("Réponses par proposition"), {edges}, columns);
        for (int row = piece.first; row < piece.first + piece.rows; ++row, y += RowHeight)
            drawQuestionRow(view.stats->questions[std::size_t(row)], edges, y, row % 2 == 1);
        rule(0, y, m_width, y);
    }

    void drawQuestionRow(const QuestionStats &q, const std::vector<qreal> &edges, qreal y, bool shaded)
    {
        if (q.toCheck || shaded)
            fill({0, y, m_width, RowHeight}, q.toCheck ? FlagShade : Shade);
        const auto cell = [&](std::size_t column, const QString &value, Qt::Alignment align) {
            text({edges[column] + 1, y, edges[column + 1] - edges[column] - 2, RowHeight}, value, align);
        };
        setFont(8);
        cell(0, QString::number(q.question), Qt::AlignRight);
        cell(1, q.textStart.isEmpty() ? Absent : q.textStart, Qt::AlignLeft);
        cell(2, QString::number(q.asked), Qt::AlignRight);
        cell(3, q.asked > 0 ? QStringLiteral("%1 %").arg(q.facility) : Absent, Qt::AlignRight);
        for (std::size_t p = 0; p < q.propositions.size(); ++p) {
            const PropositionCount &count = q.propositions[p];
            if (count.right)
                fill({edges[4 + p], y, edges[5 + p] - edges[4 + p], RowHeight}, RightShade);
            setFont(8, count.right);
            cell(4 + p, QString::number(count.ticked), Qt::AlignRight);
        }
        setFont(8);
        cell(9, QString::number(q.blanks), Qt::AlignRight);
        cell(10, q.discrimination ? QString::number(*q.discrimination) : Absent, Qt::AlignRight);
        if (q.toCheck) {
            setFont(8, true, FlagColour);
            cell(11, ToCheck, Qt::AlignCenter);
        }
    }

    void drawPupils(const QuizView &view, const Piece &piece)
    {
        const qreal half = (m_width - PupilColumnsGap) / 2;
        const int leftRows = (piece.rows + 1) / 2;
        std::vector<std::vector<qreal>> edgeSets = {columnEdges(PupilColumns, 0, half)};
        if (piece.rows > 1)
            edgeSets.push_back(columnEdges(PupilColumns, half + PupilColumnsGap, half));
        const qreal top = drawTableHead(piece, QStringLiteral("Résultats par élève"), edgeSets, PupilColumns);
        for (int i = 0; i < piece.rows; ++i) {
            const std::vector<qreal> &edges = edgeSets[i < leftRows ? 0 : 1];
            const int line = i < leftRows ? i : i - leftRows;
            drawPupilRow(view.pupils[std::size_t(piece.first + i)], edges, top + line * RowHeight, line % 2 == 1);
        }
        for (const std::vector<qreal> &edges : edgeSets)
            rule(edges.front(), top + leftRows * RowHeight, edges.back(), top + leftRows * RowHeight);
    }

    void drawPupilRow(const PupilRow &row, const std::vector<qreal> &edges, qreal y, bool shaded)
    {
        if (shaded)
            fill({edges.front(), y, edges.back() - edges.front(), RowHeight}, Shade);
        const QString name = m_anonymous        ? QStringLiteral("Élève %1").arg(row.number)
                             : row.pupil.isEmpty() ? QStringLiteral("(sans nom)")
                                                   : row.pupil;
        const QStringList cells = {name, row.finished.toString(DateFormat + QStringLiteral(" HH:mm")),
                                   QStringLiteral("%1 %").arg(row.percentage)};
        setFont(8);
        for (std::size_t c = 0; c < PupilColumns.size(); ++c)
            text({edges[c] + 1, y, edges[c + 1] - edges[c] - 2, RowHeight}, cells[qsizetype(c)], PupilColumns[c].align);
    }

    void drawFooter(int number, int count)
    {
        const qreal y = m_bodyHeight + 2;
        rule(0, m_bodyHeight, m_width, m_bodyHeight);
        setFont(8, false, Grey);
        text({0, y, m_width / 3, 5}, QStringLiteral("Tavelor · bilan de la classe"));
        setFont(8);
        text({0, y, m_width, 5}, QStringLiteral("Page %1 / %2").arg(number).arg(count), Qt::AlignHCenter);
    }

    QPainter &m_p;
    const std::vector<QuizView> &m_views;
    bool m_anonymous;
    qreal m_width;
    qreal m_bodyHeight;
    qreal m_unit; // device pixels in a millimetre
};

// The report must look the same whatever fonts the machine has, as the
// player does with the font it brings.
void useOwnFont()
{
    if (QFontDatabase::hasFamily(Family))
        return;
    for (const char *face : {"Regular", "Bold"})
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-%1.ttf").arg(QLatin1String(face)));
}

bool drawReport(const std::vector<QuizStats> &quizzes, bool anonymous, QIODevice &output)
{
    useOwnFont();
    QPdfWriter writer(&output);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("Bilan de la classe"));
    writer.setCreator(QStringLiteral("Tavelor"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    std::vector<QuizView> views;
    for (const QuizStats &quiz : quizzes)
        views.push_back(quizView(quiz, anonymous));
    const QSizeF area = writer.pageLayout().paintRect(QPageLayout::Millimeter).size();
    const std::vector<Page> pages = paginate(views, area.height() - FooterHeight);
    ReportPainter report(painter, views, anonymous, area);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        report.drawPage(pages[i], int(i) + 1, int(pages.size()));
    }
    return painter.end();
}

QString folderOf(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath());
}

} // namespace

QString writeClassReport(const std::vector<QuizStats> &quizzes, const QString &pdfPath, bool anonymous)
{
    if (QFileInfo(pdfPath).isDir())
        return QStringLiteral("c'est un dossier : donnez le nom du fichier PDF à écrire");
    if (!QFileInfo(QFileInfo(pdfPath).absolutePath()).isDir())
        return QStringLiteral("le dossier « %1 » n'existe pas").arg(folderOf(pdfPath));
    // Written aside and put in place at the end, so that a failure never
    // leaves half a report over the last one.
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("écriture impossible dans le dossier « %1 » (droits insuffisants ?)").arg(folderOf(pdfPath));
    if (!drawReport(quizzes, anonymous, file))
        return QStringLiteral("le PDF n'a pas pu être dessiné");
    if (!file.commit())
        return QStringLiteral("écriture impossible (disque plein, ou fichier ouvert dans un autre programme ?)");
    return {};
}

} // namespace qcm::authoring
