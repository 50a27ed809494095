#include "app/FormQCM.h"

void TFormQCM::ToolButton5Click() {}
void TFormQCM::ToolButton6Click() {}
void TFormQCM::EzRgnBtn10Click() {}
void TFormQCM::EzRgnBtn13Click() {}
