#include "app/FormQCM.h"

void TFormQCM::LectureFichier() {}
void TFormQCM::ReloadQuiz() {}
void TFormQCM::Lecture_des_enregistrements() {}
