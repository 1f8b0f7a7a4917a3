#pragma once
// A number committed in a cell of the coefficient tables, stored into a set.
// Rows and columns are those of the tables: row 0 and column 0 are headers,
// ADC rows 1..3 are the input ranges and columns 1..4 the channels, DAC rows
// 1..2 are the outputs with the offset in column 1 and the scale in column 2.

#include "coeffs/correction_coeffs.h"

#include <optional>

namespace coeffs {

enum class CoeffTable { AdcOffset, AdcScale, Dac };

// An offset in millivolts goes into the shown pair as typed and, converted to
// codes, into the code-side pair; a scale goes into both unchanged. Returns
// false, changing nothing, for a cell that is not a value cell.
bool storeCommittedValue(CorrectionCoeffs& coeffs, CoeffTable table, int row, int column, double value);

// The value a value cell stands for (millivolts for offsets), to rewrite a cell
// whose text was rejected; nullopt for a cell that is not a value cell.
std::optional<double> storedCellValue(const CorrectionCoeffs& coeffs, CoeffTable table, int row, int column);

} // namespace coeffs
