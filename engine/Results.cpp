#include "app/FormQCM.h"

void TFormQCM::Affiche_Bilan() {}
void TFormQCM::EzRgnBtn15Click() {}
