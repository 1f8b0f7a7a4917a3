#include "coeffs/coeff_edits.h"

#include "coeffs/coeff_conversions.h"

namespace coeffs {

namespace {

bool isValueCell(CoeffTable table, int row, int column)
{
    if (table == CoeffTable::Dac)
        return row >= 1 && row <= kDacOutputCount && column >= 1 && column <= 2;
    return row >= 1 && row <= kAdcRangeCount && column >= 1 && column <= kAdcChannelCount;
}

} // namespace

bool storeCommittedValue(CorrectionCoeffs& coeffs, CoeffTable table, int row, int column, double value)
{
    if (!isValueCell(table, row, column))
        return false;
    const int index = row - 1;
    switch (table) {
    case CoeffTable::Dac:
        if (column == 1) {
            coeffs.DacShown[index].Offset = value;
            coeffs.DacRaw[index].Offset = dacMillivoltsToCode(value);
        } else {
            coeffs.DacShown[index].Scale = value;
            coeffs.DacRaw[index].Scale = value;
        }
        break;
    case CoeffTable::AdcOffset:
        coeffs.AdcShown[index][column - 1].Offset = value;
        coeffs.AdcRaw[index][column - 1].Offset = adcMillivoltsToCode(value, index);
        break;
    case CoeffTable::AdcScale:
        coeffs.AdcShown[index][column - 1].Scale = value;
        coeffs.AdcRaw[index][column - 1].Scale = value;
        break;
    }
    return true;
}

std::optional<double> storedCellValue(const CorrectionCoeffs& coeffs, CoeffTable table, int row, int column)
{
    if (!isValueCell(table, row, column))
        return std::nullopt;
    const int index = row - 1;
    // The fields of the packed record may lie at odd addresses: the value is
    // copied out before the optional is built, so no reference binds to it.
    double value = 0.0;
    switch (table) {
    case CoeffTable::Dac:
        value = column == 1 ? coeffs.DacShown[index].Offset : coeffs.DacShown[index].Scale;
        break;
    case CoeffTable::AdcOffset:
        value = coeffs.AdcShown[index][column - 1].Offset;
        break;
    case CoeffTable::AdcScale:
        value = coeffs.AdcShown[index][column - 1].Scale;
        break;
    }
    return value;
}

} // namespace coeffs
