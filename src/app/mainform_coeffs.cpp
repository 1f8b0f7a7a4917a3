// The three coefficient sets of the window and the operations that keep them
// in the module's factory area and user flash.

#include "mainform.h"

#include "coeffs/coeff_sets.h"

void TMainForm::BuildFactoryCoeffs()
{
    FactoryCoeffs = coeffs::BuildFactoryCoeffs(Description);
}

// The working set always starts from the factory coefficients; the user
// flash is read only on request.
void TMainForm::InitCoeffSets()
{
    WorkingCoeffs = {};
    FactoryCoeffs = {};
    UserFlashCoeffs = {};
    BuildFactoryCoeffs();
    WorkingCoeffs = FactoryCoeffs;
}
