#pragma once

#include <memory>

#include "skin/ShapeWindow.h"

namespace Ui { class FormProjImages; }

// The picture projector: one picture, larger than the main window's picture
// area allows, in a scrolling frame under its title.
class TFormProjImages : public TShapedForm
{
    Q_OBJECT
public:
    explicit TFormProjImages(QWidget *parent = nullptr);
    ~TFormProjImages() override;

    // Shows the picture at full size (scrollable when larger than the frame)
    // under its title, and brings the projector to the front.
    void showPicture(const QPixmap &picture, const QString &title);

    void FormCreate();
    void EzRgnBtn1Click();

    std::unique_ptr<Ui::FormProjImages> ui;
};
