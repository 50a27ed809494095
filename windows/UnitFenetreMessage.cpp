#include "windows/UnitFenetreMessage.h"

#include "app/FormQCM.h"

TFormFenetreMessage::TFormFenetreMessage(TFormQCM *formQCM, QWidget *parent)
    : TShapedForm(parent), m_formQCM(formQCM)
{
    setObjectName(QStringLiteral("FormFenetreMessage"));
}

void TFormFenetreMessage::showVerdict(bool right, const QString &text)
{
    Q_UNUSED(right);
    Q_UNUSED(text);
    show();
}
