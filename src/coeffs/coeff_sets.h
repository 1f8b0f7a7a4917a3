#pragma once
// Building, comparing and resetting whole coefficient sets.

#include "coeffs/correction_coeffs.h"
#include "device/records.h"

namespace coeffs {

// The factory set from the coefficient arrays of a module description: ADC
// entry r * 4 + c gives pair (r, c), DAC entries 0 and 1 the two outputs; the
// shown offsets are converted to millivolts and Crc is 0.
CorrectionCoeffs BuildFactoryCoeffs(const ModuleDescription& description);

// Writes the ADC pairs of `coeffs` into the description's ADC arrays (entries
// 0..11). The DAC arrays and all other entries stay as they are.
void storeAdcCoeffsInDescription(const CorrectionCoeffs& coeffs, ModuleDescription& description);

// Every pair of all four blocks (0.0, 1.0), with its CRC (0x2A58) stamped.
CorrectionCoeffs makeIdentityCoeffs();

// True when the code-side doubles (the 12 ADC pairs, then the 2 DAC pairs)
// are equal with ==; shown fields and Crc do not count. A difference in the
// last bit counts.
bool codeSidesEqual(const CorrectionCoeffs& a, const CorrectionCoeffs& b);

struct CoeffComparison {
    bool equalToFactory;
    bool equalToUserFlash;
};
CoeffComparison CompareCoeffSets(
    const CorrectionCoeffs& working, const CorrectionCoeffs& factory, const CorrectionCoeffs& userFlash);

} // namespace coeffs
