// Draws the help window's pictures from the program's own windows: it takes a
// sample quiz through the states the help pages describe on the offscreen
// platform, grabs the windows, and writes help_01.png … help_16.png. Run it
// through draw.sh, beside it, for the pictures of a pupil's computer.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QPainter>
#include <QPainterPath>
#include <QThread>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <cstdio>

#include "app/Application.h"
#include "app/TavelorWindows.h"
#include "platform/Folders.h"
#include "skin/DrLabel.h"
#include "ui_FenetreMessage.h"
#include "ui_FormQCM.h"

namespace {

const QColor Mark(0xE0, 0x10, 0x10);

// What a skinned window looks like on the desktop: its grab with everything
// outside its outline transparent.
QImage shaped(QWidget *window)
{
    // No text caret in the pictures, and blinking labels lit: the phase at
    // the grab would be chance.
    if (QWidget *focus = QApplication::focusWidget())
        focus->clearFocus();
    for (TDRLabel *label : window->findChildren<TDRLabel *>()) {
        if (label->blink() != TDRLabel::blNone)
            label->setBlink(TDRLabel::blNone);
    }
    const QImage grab = window->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (window->mask().isEmpty())
        return grab;
    QImage out(grab.size(), QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(grab.devicePixelRatio());
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setClipRegion(window->mask());
    painter.drawImage(0, 0, grab);
    return out;
}

// The main window with another window over it, each at its screen place.
// Returns the picture and where the main window's origin lies in it.
QImage composed(QWidget *main, QWidget *over, QPoint *mainOrigin)
{
    const QRect mainRect = main->geometry();
    const QRect overRect = over->geometry();
    const QRect all = mainRect.united(overRect);
    QImage out(all.size() * qApp->devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(qApp->devicePixelRatio());
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.drawImage(mainRect.topLeft() - all.topLeft(), shaped(main));
    painter.drawImage(overRect.topLeft() - all.topLeft(), shaped(over));
    *mainOrigin = mainRect.topLeft() - all.topLeft();
    return out;
}

// A picture scaled smoothly to fit the size, proportions kept, centred on a
// transparent ground; `map` carries points of the source into the result.
struct Fitted
{
    QImage image;
    qreal scale = 1;
    QPointF offset;
    QPointF map(QPointF p) const { return offset + p * scale; }
    QRectF map(const QRectF &r) const { return QRectF(map(r.topLeft()), r.size() * scale); }
};

// Sizes and points are logical: at a ratio of 2 the picture has twice the pixels.
Fitted fit(const QImage &source, QSize size)
{
    const qreal ratio = qApp->devicePixelRatio();
    const QSizeF logical = source.deviceIndependentSize();
    Fitted f;
    f.scale = std::min(size.width() / logical.width(), size.height() / logical.height());
    QImage scaled = source.scaled((logical * f.scale * ratio).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    const QSize shown = (logical * f.scale).toSize();
    f.offset = QPointF((size.width() - shown.width()) / 2, (size.height() - shown.height()) / 2);
    f.image = QImage(size * ratio, QImage::Format_ARGB32_Premultiplied);
    f.image.setDevicePixelRatio(ratio);
    f.image.fill(Qt::transparent);
    QPainter painter(&f.image);
    painter.drawImage(f.offset, scaled);
    return f;
}

// A part of a picture, given in logical coordinates.
QImage part(const QImage &image, const QRect &logical)
{
    const qreal ratio = image.devicePixelRatio();
    QImage copy = image.copy(QRectF(QPointF(logical.topLeft()) * ratio, QSizeF(logical.size()) * ratio).toRect());
    copy.setDevicePixelRatio(ratio);
    return copy;
}

void circle(QImage &image, const QRectF &around)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Mark, 3));
    painter.drawEllipse(around.adjusted(-8, -6, 8, 6));
}

void arrow(QImage &image, QPointF from, QPointF to)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Mark, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to - QPointF(std::cos(angle - 0.45), std::sin(angle - 0.45)) * 14);
    head.lineTo(to - QPointF(std::cos(angle + 0.45), std::sin(angle + 0.45)) * 14);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Mark);
    painter.drawPath(head);
}

// Lets queued events, timers and the file system model catch up.
void settle(int ms = 50)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

bool waitForListing(QFileDialog *dialog)
{
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        for (QAbstractItemView *view : dialog->findChildren<QAbstractItemView *>(QStringLiteral("listView"))) {
            if (view->model() && view->model()->rowCount(view->rootIndex()) > 0) {
                settle(100);
                return true;
            }
        }
        settle(20);
    }
    return false;
}

QRect rectOf(QWidget *control, QWidget *window)
{
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

bool copyTree(const QDir &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo &entry : from.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir() ? !copyTree(QDir(entry.absoluteFilePath()), target)
                          : !QFile::copy(entry.absoluteFilePath(), target))
            return false;
    }
    return true;
}

// The dialog pictures show the quizzes where a pupil keeps them: in the
// quiz folder, where draw.sh puts them. Elsewhere, a copy of the sample tree
// under a plain "QCM" folder reads better than a build path.
QString quizInQuizFolder(const QString &quiz, const QTemporaryDir &scratch)
{
    const QString absolute = QFileInfo(quiz).absoluteFilePath();
    if (absolute.startsWith(QDir::fromNativeSeparators(platform::quizFolder()) + u'/', Qt::CaseInsensitive))
        return quiz;
    QDir root = QFileInfo(quiz).absoluteDir();
    while (root.dirName() != QLatin1String("QCM"))
        if (!root.cdUp())
            return quiz;
    const QString copy = QDir(scratch.path()).filePath(QStringLiteral("QCM"));
    if (!scratch.isValid() || !copyTree(root, copy))
        return quiz;
    return QDir(copy).filePath(root.relativeFilePath(absolute));
}

class HelpShots
{
public:
    HelpShots(QString quiz, QString out) : m_quiz(std::move(quiz)), m_out(std::move(out)) {}

    bool run();

private:
    bool save(int number, const QImage &image);
    void tick(QCheckBox *box) { box->click(); }
    // The clock as a pupil would see it after a while, the same at each
    // drawing: the real one shows how fast this program ran.
    void showClock(const QString &time)
    {
        w.FormQCM.Timer->stop();
        ui.Label9->setText(time);
    }

    QString m_quiz;
    QString m_out;
    TavelorWindows w;
    Ui::FormQCM &ui = *w.FormQCM.ui;
    bool m_ok = true;
};

bool HelpShots::save(int number, const QImage &image)
{
    const QString path = QDir(m_out).filePath(QStringLiteral("help_%1%2.png")
                                                  .arg(number, 2, 10, QLatin1Char('0'))
                                                  .arg(qApp->devicePixelRatio() > 1 ? QStringLiteral("@2x") : QString()));
    if (!image.save(path)) {
        std::fprintf(stderr, "helpshots: cannot write %s\n", qPrintable(path));
        m_ok = false;
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

bool HelpShots::run()
{
    TFormQCM &main = w.FormQCM;
    main.show();
    settle(200);

    // The program's icon.
    save(1, fit(QImage(QStringLiteral(":/images/tavelor_128.png")), {81, 65}).image);

    // No quiz loaded; the "Fichier" label and the "Quitter" button.
    QImage start = shaped(&main);
    save(2, fit(start, {585, 353}).image);
    {
        // The button alone, at its own size and to the left: the picture
        // stands in a run of blanks of a sentence and must leave its end
        // readable.
        const QImage button = ui.EzRgnBtn7->picIdle().toImage();
        QImage image(QSize(81, 33) * qApp->devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(qApp->devicePixelRatio());
        image.fill(Qt::transparent);
        const int top = (33 - qRound(button.deviceIndependentSize().height())) / 2;
        QPainter(&image).drawImage(QPoint(2, top), button);
        save(14, image);
    }
    save(16, fit(part(start, QRect(0, 52, 125, 52)), {329, 137}).image);

    // The file tool bar open under its label.
    main.EzRgnBtn7Click();
    settle();
    const QImage toolBar = shaped(&main);
    save(3, fit(part(toolBar, QRect(0, 30, 210, 82)), {329, 129}).image);
    save(15, fit(part(toolBar, rectOf(ui.ToolBar1, &main).adjusted(-12, -8, 19, 5)), {337, 129}).image);
    ui.ToolBar1->hide();

    // The file dialog: first the quiz folder's sub-folders, then a quiz file
    // chosen in its own folder. The dialog is then cancelled and the quiz
    // read as if it had been opened.
    const QFileInfo quiz(m_quiz);
    QDir root = quiz.dir();
    while (root.dirName() != QLatin1String("QCM") && root.cdUp()) {}
    main.State.QuizFileName = QDir::toNativeSeparators(quiz.absoluteFilePath());
    QFileDialog *dialog = main.OpenDialog1();
    dialog->setDirectory(root.absolutePath());
    QTimer::singleShot(0, dialog, [&] {
        dialog->resize(640, 308);
        if (!waitForListing(dialog))
            std::fprintf(stderr, "helpshots: the file dialog listed nothing in %s\n", qPrintable(root.path()));
        save(4, fit(dialog->grab().toImage(), {385, 185}).image);
        dialog->setDirectory(quiz.absolutePath());
        dialog->resize(660, 298);
        waitForListing(dialog);
        dialog->selectFile(quiz.fileName());
        settle(200);
        save(5, fit(dialog->grab().toImage(), {569, 257}).image);
        dialog->reject();
    });
    main.LectureFichier();
    settle(200);
    save(6, fit(shaped(&main), {593, 369}).image);

    // The first question, which has a picture.
    main.Commencer();
    settle(200);
    showClock(QStringLiteral("00:00:12"));
    save(7, fit(shaped(&main), {593, 361}).image);

    tick(ui.CheckBox3);
    settle();
    showClock(QStringLiteral("00:00:31"));
    {
        const Fitted f = fit(shaped(&main), {657, 409});
        QImage image = f.image;
        const QRect shown = rectOf(ui.Image8, &main).intersected(rectOf(ui.ScrollBox1, &main));
        circle(image, f.map(QRectF(shown)));
        const QRectF box = f.map(QRectF(rectOf(ui.CheckBox3, &main)));
        arrow(image, box.center() - QPointF(110, 60), box.center() - QPointF(12, 6));
        save(10, image);
    }

    // Right answer: the correction window over the main window.
    main.FenetreCorrection();
    settle(200);
    showClock(QStringLiteral("00:00:34"));
    {
        QPoint origin;
        const QImage both = composed(&main, &w.FormFenetreMessage, &origin);
        const Fitted f = fit(both, {529, 361});
        QImage image = f.image;
        const QPoint popup = w.FormFenetreMessage.geometry().topLeft() - main.geometry().topLeft() + origin;
        const QRectF verdict = f.map(QRectF(rectOf(w.FormFenetreMessage.ui->Label1, &w.FormFenetreMessage).translated(popup)));
        const QRectF ball = f.map(QRectF(rectOf(w.FormFenetreMessage.ui->EzRgnBtn1, &w.FormFenetreMessage).translated(popup)));
        circle(image, verdict);
        arrow(image, ball.center() + QPointF(90, 55), ball.center() + QPointF(13, 8));
        save(8, image);
    }

    // Closing it brings the next-question button.
    w.FormFenetreMessage.EzRgnBtn1Click();
    settle();
    showClock(QStringLiteral("00:00:38"));
    {
        const QRect crop(470, 436, 373, 88);
        const Fitted f = fit(part(shaped(&main), crop), {481, 113});
        QImage image = f.image;
        const QRectF next = f.map(QRectF(rectOf(ui.EzRgnBtn3, &main).translated(-crop.topLeft())));
        circle(image, next);
        arrow(image, next.topLeft() - QPointF(90, 0), next.center() - QPointF(34, 6));
        save(9, image);
    }

    // A wrong answer to the second question.
    main.Question_Suivante();
    settle(100);
    tick(ui.CheckBox1);
    main.FenetreCorrection();
    settle(200);
    showClock(QStringLiteral("00:01:05"));
    {
        QPoint origin;
        const QImage both = composed(&main, &w.FormFenetreMessage, &origin);
        const Fitted f = fit(both, {657, 393});
        QImage image = f.image;
        const QPoint popup = w.FormFenetreMessage.geometry().topLeft() - main.geometry().topLeft() + origin;
        circle(image, f.map(QRectF(rectOf(w.FormFenetreMessage.ui->Label1, &w.FormFenetreMessage).translated(popup))));
        const QRectF result = f.map(QRectF(rectOf(ui.DRLabel7, &main).translated(origin)));
        circle(image, result);
        save(11, image);
    }
    w.FormFenetreMessage.EzRgnBtn1Click();
    main.Question_Suivante();
    settle(100);

    // The rest of the quiz, some right and some wrong, to the summary.
    const QList<QList<QCheckBox *>> answers = {
        {ui.CheckBox1}, {ui.CheckBox1}, {ui.CheckBox2, ui.CheckBox4}, {ui.CheckBox2},
        {ui.CheckBox2}, {ui.CheckBox1, ui.CheckBox2, ui.CheckBox3}, {ui.CheckBox3}, {ui.CheckBox1}};
    for (const QList<QCheckBox *> &boxes : answers) {
        if (ui.EzRgnBtn5->isHidden())
            break;
        for (QCheckBox *box : boxes)
            if (box->isVisible())
                tick(box);
        main.FenetreCorrection();
        settle();
        w.FormFenetreMessage.EzRgnBtn1Click();
        main.Question_Suivante();
        settle(50);
    }
    settle(200);
    showClock(QStringLiteral("00:04:52"));
    save(12, fit(shaped(&main), {625, 369}).image);

    main.EzRgnBtn15Click();
    settle(100);
    showClock(QStringLiteral("00:04:52"));
    save(13, fit(shaped(&main), {657, 385}).image);
    return m_ok;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    // "--ratio 2" draws the pictures for screens at 200 %, named …@2x.png.
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--ratio") == 0)
            qputenv("QT_SCALE_FACTOR", argv[i + 1]);
    }
    // Sizes and dates in the file dialog follow the system's locale.
    qputenv("LC_ALL", "fr_FR.UTF-8");
    QApplication app(argc, argv);
    setUpApplication(app);
    // A steady caret in the file dialog's name field: a blinking one would be
    // drawn or not by chance.
    QApplication::setCursorFlashTime(0);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the help window's pictures."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("quiz"), QStringLiteral("Sample quiz to take."), QStringLiteral("file"),
                      QStringLiteral(TAVELOR_BINARY_DIR "/examples/QCM/Mathématiques/Fractions/fractions.qcm")});
    parser.addOption({QStringLiteral("ratio"), QStringLiteral("1, or 2 for screens at 200 %."), QStringLiteral("ratio"),
                      QStringLiteral("1")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("Folder of the pictures."), QStringLiteral("folder"),
                      QStringLiteral(TAVELOR_SOURCE_DIR "/resources/help")});
    parser.process(app);

    const QString quiz = parser.value(QStringLiteral("quiz"));
    if (!QFileInfo::exists(quiz)) {
        std::fprintf(stderr, "helpshots: no sample quiz at %s\n", qPrintable(quiz));
        return 1;
    }
    QDir().mkpath(parser.value(QStringLiteral("out")));
    const QTemporaryDir scratch(QDir::temp().filePath(QStringLiteral("helpshots-XXXXXX")));
    HelpShots shots(quizInQuizFolder(quiz, scratch), parser.value(QStringLiteral("out")));
    return shots.run() ? 0 : 1;
}
