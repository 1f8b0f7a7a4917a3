// ADC parameters and the acquisition display steps of the multimeter job.

#include "mainform.h"

// Until the acquisition lands the module gets no parameters.
bool TMainForm::SetAdcPars() { return false; }
