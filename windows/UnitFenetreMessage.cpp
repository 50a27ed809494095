#include "windows/UnitFenetreMessage.h"

#include "app/FormQCM.h"

TFormFenetreMessage::TFormFenetreMessage(TFormQCM *formQCM, QWidget *parent)
    : TShapedForm(parent), m_formQCM(formQCM)
{
    setObjectName(QStringLiteral("FormFenetreMessage"));
}
