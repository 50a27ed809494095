#include "tools/artgen/Paint.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {

namespace {

QString g_family = QStringLiteral("Liberation Sans");

// One horizontal then one vertical running-sum pass over a float plane.
void boxBlur(std::vector<float> &v, int w, int h, int r)
{
    if (r <= 0)
        return;
    std::vector<float> tmp(v.size());
    const float scale = 1.0f / float(2 * r + 1);
    for (int y = 0; y < h; ++y) {
        float sum = 0;
        for (int x = -r - 1; x < r; ++x)
            sum += v[y * w + std::clamp(x, 0, w - 1)];
        for (int x = 0; x < w; ++x) {
            sum += v[y * w + std::min(x + r, w - 1)] - v[y * w + std::max(x - r - 1, 0)];
            tmp[y * w + x] = sum * scale;
        }
    }
    for (int x = 0; x < w; ++x) {
        float sum = 0;
        for (int y = -r - 1; y < r; ++y)
            sum += tmp[std::clamp(y, 0, h - 1) * w + x];
        for (int y = 0; y < h; ++y) {
            sum += tmp[std::min(y + r, h - 1) * w + x] - tmp[std::max(y - r - 1, 0) * w + x];
            v[y * w + x] = sum * scale;
        }
    }
}

std::vector<float> coverage(const QPainterPath &path, QSize size)
{
    QImage img = canvas(size.width(), size.height());
    {
        QPainter p(&img);
        prepare(p);
        p.fillPath(path, Qt::white);
    }
    std::vector<float> v(size_t(size.width()) * size.height());
    for (int y = 0; y < size.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < size.width(); ++x)
            v[size_t(y) * size.width() + x] = qAlpha(line[x]) / 255.0f;
    }
    return v;
}

} // namespace

void loadFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const char *name : {"Regular", "Bold", "Italic", "BoldItalic"}) {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral(":/fonts/LiberationSans-%1.ttf").arg(QLatin1String(name)));
        if (id >= 0) {
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty())
                g_family = families.first();
        }
    }
}

QFont boldFont(qreal pixelSize, bool italic)
{
    QFont f(g_family);
    f.setPixelSize(qRound(pixelSize));
    f.setBold(true);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont regularFont(qreal pixelSize)
{
    QFont f = boldFont(pixelSize);
    f.setBold(false);
    return f;
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    auto lerp = [t](int x, int y) { return qRound(x + (y - x) * t); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QColor withAlpha(const QColor &c, int alpha)
{
    QColor r = c;
    r.setAlpha(alpha);
    return r;
}

void prepare(QPainter &p)
{
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                     | QPainter::SmoothPixmapTransform);
}

QImage canvas(int width, int height)
{
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage blurredCoverage(const QPainterPath &path, QSize size, int radius)
{
    std::vector<float> v = coverage(path, size);
    for (int i = 0; i < 3; ++i)
        boxBlur(v, size.width(), size.height(), radius);
    QImage out(size, QImage::Format_Alpha8);
    for (int y = 0; y < size.height(); ++y) {
        uchar *line = out.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            line[x] = uchar(std::clamp(int(v[size_t(y) * size.width() + x] * 255.0f + 0.5f), 0, 255));
    }
    return out;
}

void drawShadow(QPainter &p, const QPainterPath &path, QSize canvasSize, QPointF offset,
                int radius, const QColor &colour)
{
    const QImage alpha = blurredCoverage(path.translated(offset), canvasSize, radius);
    QImage layer(canvasSize, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < canvasSize.height(); ++y) {
        const uchar *a = alpha.constScanLine(y);
        auto *line = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int x = 0; x < canvasSize.width(); ++x) {
            const int al = a[x] * colour.alpha() / 255;
            line[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), al));
        }
    }
    p.drawImage(0, 0, layer);
}

QImage emboss(const QPainterPath &shape, QSize size, int radius, qreal strength)
{
    const int w = size.width(), h = size.height();
    std::vector<float> v = coverage(shape, size);
    for (int i = 0; i < 3; ++i)
        boxBlur(v, w, h, radius);
    QImage layer = canvas(w, h);
    auto at = [&](int x, int y) {
        return v[size_t(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)];
    };
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int x = 0; x < w; ++x) {
            // Light falls from the top left: a slope facing it is bright.
            const float slope = (at(x - 1, y) - at(x + 1, y)) + (at(x, y - 1) - at(x, y + 1));
            const float s = float(strength) * slope * float(radius);
            const int a = std::clamp(int(std::abs(s) * (s > 0 ? 255.0f : 190.0f)), 0, 255);
            line[x] = s > 0 ? qPremultiply(qRgba(255, 255, 255, a))
                            : qPremultiply(qRgba(70, 70, 96, a));
        }
    }
    return layer;
}

QImage keyOut(const QImage &content, const QPainterPath &outline)
{
    const int w = content.width(), h = content.height();
    QImage mask = canvas(w, h);
    {
        QPainter p(&mask);
        prepare(p);
        p.fillPath(outline, Qt::white);
    }
    QImage out = content.convertToFormat(QImage::Format_RGB32);
    const QRgb key = pal::key.rgb();
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        const auto *m = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const bool frame = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            line[x] = (frame || qAlpha(m[x]) < 128) ? key : (line[x] | 0xff000000u);
        }
    }
    return out;
}

QImage downscale(const QImage &big, int width, int height)
{
    return big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

void shadowedText(QPainter &p, const QRectF &rect, const QString &text, const QFont &font,
                  const QColor &ink, const QColor &shadow, QPointF shadowOffset,
                  Qt::Alignment align)
{
    p.save();
    p.setFont(font);
    p.setPen(shadow);
    p.drawText(rect.translated(shadowOffset), align, text);
    p.setPen(ink);
    p.drawText(rect, align, text);
    p.restore();
}

QPainterPath rounded(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

} // namespace art
