#include "tools/artgen/Preview.h"
#include "tools/artgen/Paint.h"

#include <QHash>

#include "quiz/PictureFormat.h"

namespace art {

namespace {

QImage find(const QList<Picture> &pictures, const QString &name)
{
    for (const Picture &p : pictures)
        if (p.name == name)
            return p.image;
    return {};
}

void checker(QPainter &p, const QRect &r)
{
    p.save();
    p.setClipRect(r);
    for (int y = r.top(); y < r.bottom(); y += 6)
        for (int x = r.left(); x < r.right(); x += 6)
            p.fillRect(QRect(x, y, 6, 6), ((x - r.left()) / 6 + (y - r.top()) / 6) % 2 ? QColor(0xcc, 0xcc, 0xcc)
                                                                                       : QColor(0xf4, 0xf4, 0xf4));
    p.restore();
}

// A label as the relief label draws it: text with a one-pixel shadow.
void label(QPainter &p, QPoint at, const QString &text, const QFont &font, const QColor &ink,
           const QColor &shadow = QColor(0x80, 0x80, 0x80))
{
    p.setFont(font);
    const QRect r(at, QSize(600, 40));
    p.setPen(shadow);
    p.drawText(r.translated(1, 1), Qt::AlignLeft | Qt::AlignTop, text);
    p.setPen(ink);
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop, text);
}

} // namespace

QImage contactSheet(const QList<Picture> &pictures)
{
    const int width = 1560;
    struct Item
    {
        QString name;
        QImage image;
        int zoom;
    };
    QList<Item> items;
    for (const Picture &p : pictures) {
        const bool small = p.image.width() <= 64 && p.image.height() <= 64;
        items.append({p.name, p.image, small ? 3 : 1});
    }
    // Lay out once to learn the height, then draw.
    auto layout = [&](QPainter *p) {
        int x = 12, y = 12, rowH = 0;
        for (const Item &it : items) {
            const QSize s = it.image.size() * it.zoom;
            const int w = qMax(s.width(), 90), h = s.height() + 18;
            if (x + w > width - 12) {
                x = 12;
                y += rowH + 14;
                rowH = 0;
            }
            if (p) {
                const QRect r(QPoint(x, y), s);
                checker(*p, r);
                p->drawImage(r, it.image);
                p->setPen(QColor(0x33, 0x33, 0x33));
                p->setFont(regularFont(10));
                p->drawText(QRect(x, y + s.height() + 2, w + 40, 14), Qt::AlignLeft, it.name);
            }
            x += w + 14;
            rowH = qMax(rowH, h);
        }
        return y + rowH + 12;
    };
    const int height = layout(nullptr);
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0xe2, 0xe6, 0xe8));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::TextAntialiasing);
    layout(&p);
    return sheet;
}

QImage mainMock(const QList<Picture> &pictures)
{
    QImage img = find(pictures, QStringLiteral("skin_main.png")).convertToFormat(QImage::Format_RGB32);
    QPainter p(&img);
    prepare(p);
    auto put = [&](const char *name, int x, int y) {
        p.drawImage(x, y, find(pictures, QString::fromLatin1(name)));
    };
    label(p, {275, 16}, QStringLiteral("Titre du QCM :"), boldFont(16), pal::white);
    label(p, {395, 18}, QStringLiteral("Les volcans d'Auvergne"), boldFont(13), pal::white);
    label(p, {688, 48}, QStringLiteral("QCM prêt"), boldFont(13), pal::teal, QColor(0xc0, 0xc0, 0xc0));
    label(p, {104, 474}, QStringLiteral("Résultat :"), boldFont(16), pal::teal, QColor(0xc0, 0xc0, 0xc0));
    label(p, {192, 474}, QStringLiteral("3/4"), boldFont(16), QColor(0xff, 0, 0), QColor(0xc0, 0xc0, 0xc0));
    label(p, {272, 64}, QStringLiteral("École"), boldFont(16), pal::navy, QColor(0xc0, 0xc0, 0xc0));
    label(p, {272, 85}, QStringLiteral("des Tilleuls"), boldFont(11), pal::navy, QColor(0xc0, 0xc0, 0xc0));
    label(p, {272, 96}, QStringLiteral("CM2"), boldFont(11), pal::navy, QColor(0xc0, 0xc0, 0xc0));
    p.setFont(regularFont(11));
    p.setPen(pal::white);
    p.drawText(QPoint(144, 75), QStringLiteral("HH:mm :SS"));
    p.setFont(boldFont(13));
    p.drawText(QPoint(144, 89), QStringLiteral("00:03:27"));
    put("icon_stopwatch.png", 112, 70);
    put("icon_laurel.png", 165, 36);
    // Notebook1 on its picture page: the question mark scaled to fit.
    const QImage mark = find(pictures, QStringLiteral("question_mark.png"));
    const QRect area(QPoint(24, 128), qcm::PictureArea);
    const QImage fitted = mark.scaled(area.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    p.fillRect(area, pal::white);
    p.drawImage(area.left() + (area.width() - fitted.width()) / 2, area.top() + (area.height() - fitted.height()) / 2,
                fitted);
    // Notebook2: the question page.
    p.setFont(regularFont(11));
    p.setPen(Qt::black);
    p.drawText(QRect(355, 89, 465, 89), Qt::TextWordWrap,
               QStringLiteral("Quel est le plus haut sommet du Massif central ?"));
    const char *props[] = {"Le puy de Sancy", "Le puy de Dôme", "Le Plomb du Cantal", "Le mont Mézenc"};
    for (int i = 0; i < 4; ++i) {
        const int top = 81 + 112 + i * 56;
        p.setPen(QColor(0x70, 0x70, 0x70));
        p.setBrush(pal::white);
        p.drawRect(QRectF(347 + 16 + 0.5, top + 2.5, 12, 12));
        p.setPen(Qt::black);
        p.drawText(QRect(347 + 36, top + 2, 441, 49), Qt::TextWordWrap, QString::fromUtf8(props[i]));
    }
    put("btn_quitter_idle.png", 16, 64);
    put("btn_fichier_idle.png", 11, 39);
    put("btn_parametrer_idle.png", 76, 35);
    put("btn_aide_up.png", 634, 38);
    put("btn_precedente_idle.png", 528, 488);
    put("btn_suivante_idle.png", 632, 488);
    put("btn_commencer_idle.png", 704, 488);
    return img;
}

QImage windowsMock(const QList<Picture> &pictures)
{
    const QImage corr = find(pictures, QStringLiteral("skin_correction.png"));
    const QImage proj = find(pictures, QStringLiteral("skin_projector.png"));
    const QImage about = find(pictures, QStringLiteral("skin_about.png"));
    const QImage notice = find(pictures, QStringLiteral("skin_notice.png"));
    QImage img(1330, 860, QImage::Format_RGB32);
    img.fill(QColor(0x5d, 0x6d, 0x7e)); // a desktop behind the windows
    QPainter p(&img);
    prepare(p);
    auto window = [&](const QImage &skin, QPoint at) {
        QImage keyed = skin.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < keyed.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
            for (int x = 0; x < keyed.width(); ++x)
                if ((line[x] & 0xffffff) == 0xff00ff)
                    line[x] = 0;
        }
        p.drawImage(at, keyed);
        p.save();
        p.translate(at);
    };
    const QColor grey(0xc0, 0xc0, 0xc0);

    window(corr, {20, 20});
    label(p, {152, 24}, QStringLiteral("Correction"), boldFont(16), pal::navy, grey);
    p.setFont(boldFont(11));
    p.setPen(QColor(0xff, 0, 0));
    p.drawText(QPoint(24, 51), QStringLiteral("Non, correction :"));
    p.fillRect(QRect(16, 72, 209, 105), pal::white);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(16.5, 72.5, 208, 104));
    p.setFont(regularFont(11));
    p.setPen(Qt::black);
    p.drawText(QRect(20, 76, 200, 98), Qt::TextWordWrap,
               QStringLiteral("Le puy de Sancy culmine à 1886 m : c'est le plus haut sommet du Massif central."));
    p.drawImage(256, 16, find(pictures, QStringLiteral("btn_fermer_idle.png")));
    p.restore();

    window(proj, {360, 20});
    label(p, {304, 24}, QStringLiteral("Projecteur d'images"), boldFont(13), Qt::black, grey);
    label(p, {32, 37}, QStringLiteral("Titre de l'image"), boldFont(13), QColor(0, 0x80, 0), grey);
    p.fillRect(QRect(16, 74, 441, 321), QColor(0xf0, 0xf0, 0xf0));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(QRectF(16.5, 74.5, 440, 320));
    p.drawImage(480, 16, find(pictures, QStringLiteral("btn_fermer_up.png")));
    p.restore();

    window(about, {20, 440});
    label(p, {24, 16}, QStringLiteral("A propos de ce logiciel ..."), boldFont(19), pal::navy,
          QColor(0xa6, 0xca, 0xf0));
    label(p, {96, 40}, QStringLiteral("Tavelor, V3 - 2009"), boldFont(16), pal::navy, QColor(0xa6, 0xca, 0xf0));
    label(p, {16, 376}, QStringLiteral("Conception technique : l'équipe Tavelor"), boldFont(11), pal::navy,
          QColor(0xa6, 0xca, 0xf0));
    p.restore();

    window(notice, {940, 470});
    label(p, {40, 24}, QStringLiteral("Création de l'arborescence QCM."), boldFont(16), pal::navy, grey);
    const QList<QPair<QPoint, QString>> lines = {
        {{176, 64}, QStringLiteral("Les fichiers des QCM")}, {{200, 80}, QStringLiteral("sont rangés dans ")},
        {{208, 96}, QStringLiteral("les dossiers de")},      {{224, 112}, QStringLiteral("'C:/QCM/' ")},
        {{192, 128}, QStringLiteral("lors de la première")}, {{184, 144}, QStringLiteral("utilisation du lecteur.")},
    };
    for (const auto &l : lines)
        label(p, l.first, l.second, boldFont(13), pal::navy, grey);
    label(p, {104, 184}, QStringLiteral("Rangement en cours ..."), boldFont(13), QColor(0, 0, 0xff), grey);
    p.restore();

    // Tool bar icons and small pictures, enlarged, on the header teal.
    p.fillRect(QRect(460, 470, 440, 120), pal::teal);
    int x = 470;
    for (const char *name : {"tb_restart.png", "tb_load.png", "tb_close.png", "tb_exam.png",
                             "tb_training.png", "tb_about.png", "tb_help.png"}) {
        const QImage icon = find(pictures, QString::fromLatin1(name));
        p.drawImage(QRect(x, 480, 48, 48), icon);
        p.drawImage(x + 16, 540, icon);
        x += 60;
    }
    return img;
}

} // namespace art
