#include "app/FormQCM.h"

void TFormQCM::Tester_les_reponses() {}
void TFormQCM::SelectReponse1() {}
void TFormQCM::SelectReponse2() {}
void TFormQCM::SelecReponse3() {}
void TFormQCM::SelectReponse4() {}
void TFormQCM::SelectReponse5() {}
void TFormQCM::Corrige() {}
