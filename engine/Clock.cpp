#include "app/FormQCM.h"

void TFormQCM::StartTimer() {}
void TFormQCM::ResetTimer() {}
void TFormQCM::TimerTimer() {}
void TFormQCM::RefreshTimer() {}
void TFormQCM::temporise(int) {}
