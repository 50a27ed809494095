#include "app/Application.h"

#include <QApplication>
#include <QDirIterator>
#include <QIcon>
#include <QPixmap>
#include <QResource>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/Settings.h"
#include "skin/Accessibility.h"
#include "skin/Artwork.h"

namespace {

// The look must not depend on the fonts of the machine: the program brings
// its own, and its forms name it. Other texts that name the fonts the
// program's faces stand in for get them too.
void loadFonts()
{
    QDirIterator fonts(QStringLiteral(":/fonts"), {QStringLiteral("*.ttf")});
    while (fonts.hasNext()) {
        // Compiled in uncompressed, a font is used where it lies instead of
        // being copied out, once here and again for each size drawn.
        const QResource font(fonts.next());
        if (font.compressionAlgorithm() == QResource::NoCompression)
            QFontDatabase::addApplicationFontFromData(
                QByteArray::fromRawData(reinterpret_cast<const char *>(font.data()), font.size()));
        else
            QFontDatabase::addApplicationFont(font.fileName());
    }
    for (const char *name : {"MS Sans Serif", "Arial", "Tahoma"})
        QFont::insertSubstitution(QString::fromLatin1(name), QStringLiteral("Liberation Sans"));
}

// For title bars, task bars and window switchers. Launchers and software
// centres take the larger sizes from the installed theme icons; the window
// system would get every size of this icon at each window's creation.
QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        const QImage picture = readPngFile(QStringLiteral(":/images/tavelor_%1.png").arg(size));
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

} // namespace

void installFrench(QApplication &app)
{
    // Dates and the file types the dialogs show follow the default locale.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Searched last: Qt's own translation, installed after it, wins where
    // it has a text.
    auto *ours = new QTranslator(&app);
    if (ours->load(QStringLiteral(":/translations/tavelor_qt_fr.qm")))
        QApplication::installTranslator(ours);
    auto *qts = new QTranslator(&app);
    if (qts->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qts);
}

void setUpApplication(QApplication &app)
{
    QApplication::setApplicationName(platform::ProgramName);
    QApplication::setApplicationDisplayName(platform::ProgramName);
    QApplication::setApplicationVersion(QStringLiteral(TAVELOR_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tavelor"));
    loadFonts();
    installFrench(app);
    installSkinAccessibility();
    // Named as installed: asked for by a name it stands in for, Qt would
    // first rank every installed font as a stand-in for the missing one.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    QApplication::setFont(font);
}

void setProgramIcon()
{
    QApplication::setWindowIcon(programIcon());
}
