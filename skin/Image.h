#pragma once

#include <QLabel>
#include <QPixmap>

#include <optional>

#include "skin/LeftClick.h"

// A picture control. With AutoSize it takes the size of its picture. Stretch
// scales the picture to the control; Proportional keeps its proportions (and
// alone only shrinks a picture too large); Center centres it.
class TImage : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ picture WRITE setPicture)
    Q_PROPERTY(QString PictureFile READ pictureFile WRITE setPictureFile)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(bool Proportional READ proportional WRITE setProportional)
    Q_PROPERTY(bool Center READ center WRITE setCenter)

public:
    explicit TImage(QWidget *parent = nullptr);

    // The picture shown: Picture, or else QLabel's pixmap.
    QPixmap picture() const;
    void setPicture(const QPixmap &picture);
    // One of the program's drawings (see artworkForRatio), read when it is
    // first needed at the ratio of the screen then: a window that is never
    // shown never decodes its pictures.
    QString pictureFile() const { return m_file; }
    void setPictureFile(const QString &file);
    // The same for a skin, shown with its key colour fully transparent.
    void setSkinFile(const QString &file, QRgb key);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    bool stretch() const { return m_stretch; }
    void setStretch(bool on);
    bool proportional() const { return m_proportional; }
    void setProportional(bool on);
    bool center() const { return m_center; }
    void setCenter(bool on);
    // Where the picture is drawn, in the control's coordinates.
    QRect pictureRect() const;

signals:
    // Any mouse button going down on the picture.
    void mouseDown(Qt::MouseButton button, QPoint pos);
    // A left-button press and release on the picture.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitToPicture();
    void loadPictureFile() const;

    mutable QPixmap m_picture;
    QString m_file;
    std::optional<QRgb> m_key;
    mutable bool m_fileRead = true;
    bool m_autoSize = false;
    bool m_stretch = false;
    bool m_proportional = false;
    bool m_center = false;
    LeftClick m_click;
};
