// Draws every skin, button face and icon of the program into a folder
// (normally resources/images), at 1x and at 2x ("name@2x.png"). With --preview FOLDER it also writes a contact
// sheet and mock-ups of the windows with their buttons in place.

#include "tools/artgen/Artwork.h"
#include "tools/artgen/IconFile.h"
#include "tools/artgen/Paint.h"
#include "tools/artgen/Preview.h"
#include "skin/ShapeWindow.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// The 2x copy of "name.png" is "name@2x.png", which Qt reads with a pixel
// ratio of 2.
QString fileName(const QString &name, int scale)
{
    if (scale == 1)
        return name;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return name.left(dot) + QStringLiteral("@%1x").arg(scale) + name.mid(dot);
}

bool save(const QDir &dir, const art::Picture &picture, int scale)
{
    const QString path = dir.filePath(fileName(picture.name, scale));
    if (!picture.image.save(path, "PNG")) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QList<art::Picture> allPictures()
{
    const art::Skins skins = art::allSkins();
    QList<art::Picture> pictures = {
        {QStringLiteral("skin_main.png"), skins.main},
        {QStringLiteral("skin_projector.png"), skins.projector},
        {QStringLiteral("skin_correction.png"), skins.correction},
        {QStringLiteral("skin_about.png"), skins.about},
        {QStringLiteral("skin_notice.png"), skins.notice},
    };
    pictures += art::buttonPictures(skins);
    pictures += art::iconPictures();
    return pictures;
}

// The outline of a skin, stored beside it ("skin_main.outline") so that the
// program need not scan the skin's pixels at each start.
bool saveOutline(const QDir &dir, const art::Picture &skin)
{
    QFile file(dir.filePath(skin.name.chopped(4) + QStringLiteral(".outline")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    // Stored as its fewest rectangles: reading it back unites them one by one.
    QRegion outline;
    for (const QRect &run : regionFromSkin(skin.image, SkinKeyColour))
        outline += run;
    QDataStream out(&file);
    out << outline;
    return out.status() == QDataStream::Ok;
}

bool saveFile(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The icons of the Windows programs and of quiz files, at the sizes Windows
// asks for at 100 % to 200 %.
bool saveWindowsIcons(const QDir &dir)
{
    art::setScale(1);
    QList<QImage> program, quiz;
    for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        program.append(art::appIcon(size));
        quiz.append(art::quizFileIcon(size));
    }
    return saveFile(dir, QStringLiteral("tavelor.ico"), art::iconFile(program))
           && saveFile(dir, QStringLiteral("qcm.ico"), art::iconFile(quiz));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first().startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: artgen OUTPUT_FOLDER [--preview FOLDER]\n");
        return 2;
    }
    const QDir out(args.first());
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "artgen: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    art::loadFonts();

    bool ok = true;
    QList<art::Picture> pictures;
    for (int scale : {2, 1}) {
        art::setScale(scale);
        pictures = allPictures();
        for (const art::Picture &picture : pictures) {
            // The program's own icon comes in sizes of its own.
            if (scale == 1 || !picture.name.startsWith(QStringLiteral("tavelor_")))
                ok = save(out, picture, scale) && ok;
            if (scale == 1 && picture.name.startsWith(QStringLiteral("skin_")))
                ok = saveOutline(out, picture) && ok;
        }
    }
    QFile svg(out.filePath(QStringLiteral("tavelor.svg")));
    if (svg.open(QIODevice::WriteOnly | QIODevice::Truncate))
        svg.write(art::appIconSvg());
    else
        ok = false;
    ok = saveWindowsIcons(out) && ok;

    const int previewAt = args.indexOf(QStringLiteral("--preview"));
    if (previewAt > 0 && previewAt + 1 < args.size()) {
        const QDir shots(args.at(previewAt + 1));
        QDir().mkpath(shots.path());
        ok = art::contactSheet(pictures).save(shots.filePath(QStringLiteral("artwork_sheet.png")))
             && ok;
        ok = art::mainMock(pictures).save(shots.filePath(QStringLiteral("artwork_main_mock.png")))
             && ok;
        ok = art::windowsMock(pictures).save(
                 shots.filePath(QStringLiteral("artwork_windows_mock.png")))
             && ok;
    }
    std::printf("artgen: %lld pictures written to %s\n", static_cast<long long>(pictures.size()),
                qPrintable(out.path()));
    return ok ? 0 : 1;
}
