#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// Every picture of the program, drawn by our own code.
namespace art {

struct Picture
{
    QString name; // file name without the folder, e.g. "btn_quitter_idle.png"
    QImage image;
};

QImage mainSkin();
QImage projectorSkin();
QImage correctionSkin();
QImage aboutSkin();
QImage noticeSkin();

struct Skins
{
    QImage main, projector, correction, about, notice;
};
Skins allSkins();

// The four state pictures of every region button, each drawn on the surface
// it sits on (taken from the skins) so that its corners blend in.
QList<Picture> buttonPictures(const Skins &skins);

QList<Picture> iconPictures();

// The program's icon as SVG text, and rasterised at one size.
QByteArray appIconSvg();
QImage appIcon(int size);
// The icon of quiz files in Windows' file manager.
QImage quizFileIcon(int size);

} // namespace art
