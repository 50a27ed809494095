// Draws every skin, button face and icon of the program into a folder
// (normally resources/images). With --preview FOLDER it also writes a contact
// sheet and mock-ups of the windows with their buttons in place.

#include "tools/artgen/Artwork.h"
#include "tools/artgen/Paint.h"
#include "tools/artgen/Preview.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

bool save(const QDir &dir, const art::Picture &picture)
{
    const QString path = dir.filePath(picture.name);
    if (!picture.image.save(path, "PNG")) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
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

    bool ok = true;
    for (const art::Picture &picture : pictures)
        ok = save(out, picture) && ok;
    QFile svg(out.filePath(QStringLiteral("tavelor.svg")));
    if (svg.open(QIODevice::WriteOnly | QIODevice::Truncate))
        svg.write(art::appIconSvg());
    else
        ok = false;

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
