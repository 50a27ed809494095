#include "app/FormQCM.h"

void TFormQCM::Commencer() {}
void TFormQCM::Question_Suivante() {}
void TFormQCM::Precedente() {}
void TFormQCM::FenetreCorrection() {}
void TFormQCM::Suivant() {}
