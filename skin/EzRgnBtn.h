#pragma once

#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <array>

// A push button drawn from four state pictures (idle, mouse over, pressed,
// disabled); it takes the size of the picture it shows. It has no keyboard
// interface of its own. Only the left button presses it.
class TEzRgnBtn : public QWidget
{
    Q_OBJECT
    // The forms set these by name (stdset="0" for Enabled, which is the
    // button's own flag and not QWidget's).
    Q_PROPERTY(bool AutoRepeat READ autoRepeat WRITE setAutoRepeat)
    Q_PROPERTY(bool Enabled READ buttonEnabled WRITE setButtonEnabled)
    Q_PROPERTY(bool Disabled READ disabled)
    Q_PROPERTY(QPixmap PicIdle READ picIdle WRITE setPicIdle)
    Q_PROPERTY(QPixmap PicDown READ picDown WRITE setPicDown)
    Q_PROPERTY(QPixmap PicUp READ picUp WRITE setPicUp)
    Q_PROPERTY(QPixmap PicDsbld READ picDsbld WRITE setPicDsbld)
    Q_PROPERTY(QString Faces READ faces WRITE setFaces)
    Q_PROPERTY(TPaintMode PaintMode READ paintMode WRITE setPaintMode)

public:
    enum TPaintMode : quint8 { pmNormal = 0, pmCrop = 1, pmTransparent = 2 };
    Q_ENUM(TPaintMode)

    explicit TEzRgnBtn(QWidget *parent = nullptr);
    ~TEzRgnBtn() override;

    bool autoRepeat() const { return m_autoRepeat; }
    void setAutoRepeat(bool on);
    bool buttonEnabled() const { return m_enabled; }
    void setButtonEnabled(bool on);
    bool disabled() const { return !m_enabled; }

    QPixmap picIdle() const { return face(Idle); }
    QPixmap picDown() const { return face(Down); }
    QPixmap picUp() const { return face(Up); }
    QPixmap picDsbld() const { return face(Dsbld); }
    void setPicIdle(const QPixmap &picture);
    void setPicDown(const QPixmap &picture);
    void setPicUp(const QPixmap &picture);
    void setPicDsbld(const QPixmap &picture);
    // The four state pictures from the program's drawings "FACES_idle.png",
    // "FACES_up.png", "FACES_down.png" and "FACES_dsbld.png", each read when
    // it is first needed, at the ratio of the screen then (see artworkForRatio).
    QString faces() const { return m_faces; }
    void setFaces(const QString &faces);

    TPaintMode paintMode() const { return m_paintMode; }
    void setPaintMode(TPaintMode mode);

    // Copies up to four pictures (idle, up, down, disabled) once; setting the
    // same list again copies nothing.
    void setImageList(const QList<QPixmap> *list);
    const QList<QPixmap> *imageList() const { return m_imageList; }

    bool isHover() const { return m_hover; }
    bool isPressed() const { return m_pressed; }
    // The picture the button draws in its present state.
    QPixmap currentPicture() const;
    // The auto-repeat timer, so that tests can drive it.
    QTimer *autoRepeatTimer() { return &m_repeatTimer; }

signals:
    void clicked();
    void mouseDown(Qt::MouseButtons buttons, QPoint pos);
    void mouseUp(Qt::MouseButtons buttons, QPoint pos);
    void mouseEnter();
    void mouseLeave();
    void mouseMove(Qt::MouseButtons buttons, QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    // The auto-repeat tick: performs the click operation.
    virtual void autoRepeatTick();

private:
    enum State { Idle, Up, Down, Dsbld, StateCount };
    const QPixmap &face(State state) const;
    void setFace(State state, const QPixmap &picture);
    void click();
    void applyCrop();
    void removeCrop();
    void updateAutoRepeat();
    // Every change of picture or state passes here: the button takes the
    // size of the picture it now shows, then draws it at once.
    void repaintNow();
    void fitToPicture(const QPixmap &picture);

    bool m_cropped = false;
    QTimer m_repeatTimer;
    bool m_autoRepeat = false;
    TPaintMode m_paintMode = pmNormal;
    bool m_pressed = false;
    bool m_hover = false;
    bool m_pendingClick = false;
    bool m_enabled = true;
    mutable std::array<QPixmap, StateCount> m_pictures;
    // The states whose picture is still to be read from m_faces.
    mutable std::array<bool, StateCount> m_unread{};
    QString m_faces;
    const QList<QPixmap> *m_imageList = nullptr;
};
