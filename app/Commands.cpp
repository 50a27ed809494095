#include "app/FormQCM.h"

void TFormQCM::EzRgnBtn7Click() {}
void TFormQCM::EzRgnBtn8Click() {}
void TFormQCM::EzRgnBtn9Click() {}
void TFormQCM::DRLabel4Click() {}
void TFormQCM::DRLabel5Click() {}
void TFormQCM::ComboBox1Change() {}
void TFormQCM::ToolButton9Click() {}
void TFormQCM::ToolButton10Click() {}
void TFormQCM::ToolButton13Click() {}
void TFormQCM::ToolButton8Click() {}
void TFormQCM::ToolButton4Click() {}
void TFormQCM::ToolButton1Click() {}
void TFormQCM::ToolButton2Click() {}
