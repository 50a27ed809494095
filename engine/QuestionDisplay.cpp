#include "app/FormQCM.h"

void TFormQCM::Affiche(int) {}
