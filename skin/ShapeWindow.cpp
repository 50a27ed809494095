#include "skin/ShapeWindow.h"

#include <QMouseEvent>
#include <QWindow>

QRegion regionFromSkin(const QImage &skin, QRgb key)
{
    const QImage image = skin.convertToFormat(QImage::Format_RGB32);
    QList<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int start = -1;
        for (int x = 0; x < image.width(); ++x) {
            const bool isKey = qRgb(qRed(row[x]), qGreen(row[x]), qBlue(row[x])) == (key | 0xFF000000u);
            if (isKey && start >= 0) {
                runs.append(QRect(start, y, x - start, 1));
                start = -1;
            } else if (!isKey && start < 0) {
                start = x;
            }
        }
        if (start >= 0)
            runs.append(QRect(start, y, image.width() - start, 1));
    }
    QRegion region;
    region.setRects(runs.constData(), int(runs.size()));
    return region;
}

TShapedForm::TShapedForm(QWidget *parent) : QWidget(parent, Qt::FramelessWindowHint | Qt::Window) {}

void TShapedForm::ShapeWindow(const QImage &skin, QRgb key)
{
    setFixedSize(skin.size());
    const QRegion region = regionFromSkin(skin, key);
    if (!region.isEmpty())
        setMask(region);
}

void TShapedForm::Image1MouseDown()
{
    QWindow *handle = window()->windowHandle();
    if (handle && handle->startSystemMove())
        return;
    m_manualMove = true;
    m_grabOffset = QCursor::pos() - window()->pos();
    grabMouse();
}

bool TShapedForm::eventFilter(QObject *watched, QEvent *event)
{
    return QWidget::eventFilter(watched, event);
}
