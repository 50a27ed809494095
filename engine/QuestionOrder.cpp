#include "app/FormQCM.h"

void TFormQCM::Preparation_des_questions() {}
