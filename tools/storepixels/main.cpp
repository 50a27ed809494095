// Stores a drawing's pixels ready to show (skin/StoredPixels.h), for the
// build: storepixels DRAWING.png OUTPUT.pixels. A skin ("skin_…") is stored
// with its key colour made transparent; "…@2x.png" is drawn at ratio 2.
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include "skin/Artwork.h"
#include "skin/StoredPixels.h"

int main(int argc, char *argv[])
{
    // PNG is read by QtGui's own reader: no application object is needed.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: storepixels DRAWING.png OUTPUT.pixels\n");
        return 2;
    }
    const QString name = QFileInfo(args[0]).fileName();
    const QImage drawing = readPngFile(args[0]);
    if (drawing.isNull()) {
        std::fprintf(stderr, "storepixels: cannot read %s\n", qPrintable(args[0]));
        return 1;
    }
    const int ratio = name.endsWith(QStringLiteral("@2x.png")) ? 2 : 1;
    const std::optional<QRgb> key =
        name.startsWith(QStringLiteral("skin_")) ? std::optional<QRgb>(SkinKeyColour) : std::nullopt;
    const QByteArray pixels = storedPixelsOf(drawing, ratio, key);
    QFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(pixels) != pixels.size()) {
        std::fprintf(stderr, "storepixels: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
