#include "tools/artgen/Paint.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {

namespace {

QString g_family = QStringLiteral("Liberation Sans");
int g_scale = 1;

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

// The coverage of a path over a canvas of the given 1x size, one value per
// pixel at the present scale.
std::vector<float> coverage(const QPainterPath &path, QSize size)
{
    QImage img = canvas(size.width(), size.height());
    {
        QPainter p(&img);
        prepare(p);
        p.fillPath(path, Qt::white);
    }
    const int w = img.width(), h = img.height();
    std::vector<float> v(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            v[size_t(y) * w + x] = qAlpha(line[x]) / 255.0f;
    }
    return v;
}

} // namespace

void setScale(int scale)
{
    g_scale = scale;
}

int scale()
{
    return g_scale;
}

QImage surface(int width, int height)
{
    QImage img(width * g_scale, height * g_scale, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(g_scale);
    return img;
}

QSize logicalSize(const QImage &image)
{
    return image.deviceIndependentSize().toSize();
}

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
    QImage img = surface(width, height);
    img.fill(Qt::transparent);
    return img;
}

QImage blurredCoverage(const QPainterPath &path, QSize size, int radius)
{
    std::vector<float> v = coverage(path, size);
    const int w = size.width() * g_scale, h = size.height() * g_scale;
    for (int i = 0; i < 3; ++i)
        boxBlur(v, w, h, radius * g_scale);
    QImage out(w, h, QImage::Format_Alpha8);
    out.setDevicePixelRatio(g_scale);
    for (int y = 0; y < h; ++y) {
        uchar *line = out.scanLine(y);
        for (int x = 0; x < w; ++x)
            line[x] = uchar(std::clamp(int(v[size_t(y) * w + x] * 255.0f + 0.5f), 0, 255));
    }
    return out;
}

void drawShadow(QPainter &p, const QPainterPath &path, QSize canvasSize, QPointF offset,
                int radius, const QColor &colour)
{
    const QImage alpha = blurredCoverage(path.translated(offset), canvasSize, radius);
    QImage layer = surface(canvasSize.width(), canvasSize.height());
    for (int y = 0; y < layer.height(); ++y) {
        const uchar *a = alpha.constScanLine(y);
        auto *line = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            const int al = a[x] * colour.alpha() / 255;
            line[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), al));
        }
    }
    p.drawImage(0, 0, layer);
}

QImage emboss(const QPainterPath &shape, QSize size, int radius, qreal strength)
{
    const int w = size.width() * g_scale, h = size.height() * g_scale;
    std::vector<float> v = coverage(shape, size);
    for (int i = 0; i < 3; ++i)
        boxBlur(v, w, h, radius * g_scale);
    QImage layer = canvas(size.width(), size.height());
    auto at = [&](int x, int y) {
        return v[size_t(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)];
    };
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int x = 0; x < w; ++x) {
            // Light falls from the top left: a slope facing it is bright.
            const float slope = (at(x - 1, y) - at(x + 1, y)) + (at(x, y - 1) - at(x, y + 1));
            const float s = float(strength) * slope * float(radius * g_scale);
            const int a = std::clamp(int(std::abs(s) * (s > 0 ? 255.0f : 190.0f)), 0, 255);
            line[x] = s > 0 ? qPremultiply(qRgba(255, 255, 255, a))
                            : qPremultiply(qRgba(70, 70, 96, a));
        }
    }
    return layer;
}

QImage keyOut(const QImage &content, const QPainterPath &outline)
{
    const QSize size = logicalSize(content);
    const int w = size.width(), h = size.height();
    QImage mask(w, h, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        prepare(p);
        p.fillPath(outline, Qt::white);
    }
    QImage out = content.convertToFormat(QImage::Format_RGB32);
    const QRgb key = pal::key.rgb();
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        const int y1 = y / g_scale;
        const auto *m = reinterpret_cast<const QRgb *>(mask.constScanLine(y1));
        for (int x = 0; x < out.width(); ++x) {
            const int x1 = x / g_scale;
            const bool frame = x1 == 0 || y1 == 0 || x1 == w - 1 || y1 == h - 1;
            line[x] = (frame || qAlpha(m[x1]) < 128) ? key : (line[x] | 0xff000000u);
        }
    }
    return out;
}

QImage downscale(const QImage &big, int width, int height)
{
    QImage out = big.scaled(width * g_scale, height * g_scale, Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_ARGB32);
    out.setDevicePixelRatio(g_scale);
    return out;
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
