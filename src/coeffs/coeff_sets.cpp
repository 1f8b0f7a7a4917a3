#include "coeffs/coeff_sets.h"

#include "coeffs/coeff_conversions.h"
#include "coeffs/user_flash_record.h"

namespace coeffs {

namespace {

int adcEntry(int range, int channel)
{
    return range * kAdcChannelCount + channel;
}

bool pairsEqual(const CoeffPair& a, const CoeffPair& b)
{
    return a.Offset == b.Offset && a.Scale == b.Scale;
}

} // namespace

CorrectionCoeffs BuildFactoryCoeffs(const ModuleDescription& description)
{
    CorrectionCoeffs factory {};
    for (int r = 0; r < kAdcRangeCount; ++r) {
        for (int c = 0; c < kAdcChannelCount; ++c) {
            const double offset = description.AdcOffsetCoefs[adcEntry(r, c)];
            const double scale = description.AdcScaleCoefs[adcEntry(r, c)];
            factory.AdcRaw[r][c] = { offset, scale };
            factory.AdcShown[r][c] = { adcCodeToMillivolts(offset, r), scale };
        }
    }
    for (int k = 0; k < kDacOutputCount; ++k) {
        const double offset = description.DacOffsetCoefs[k];
        const double scale = description.DacScaleCoefs[k];
        factory.DacRaw[k] = { offset, scale };
        factory.DacShown[k] = { dacCodeToMillivolts(offset), scale };
    }
    return factory;
}

void storeAdcCoeffsInDescription(const CorrectionCoeffs& coeffs, ModuleDescription& description)
{
    for (int r = 0; r < kAdcRangeCount; ++r) {
        for (int c = 0; c < kAdcChannelCount; ++c) {
            description.AdcOffsetCoefs[adcEntry(r, c)] = coeffs.AdcRaw[r][c].Offset;
            description.AdcScaleCoefs[adcEntry(r, c)] = coeffs.AdcRaw[r][c].Scale;
        }
    }
}

CorrectionCoeffs makeIdentityCoeffs()
{
    const CoeffPair identity { 0.0, 1.0 };
    CorrectionCoeffs record {};
    for (int r = 0; r < kAdcRangeCount; ++r) {
        for (int c = 0; c < kAdcChannelCount; ++c)
            record.AdcRaw[r][c] = record.AdcShown[r][c] = identity;
    }
    for (int k = 0; k < kDacOutputCount; ++k)
        record.DacRaw[k] = record.DacShown[k] = identity;
    stampCrc(record);
    return record;
}

bool codeSidesEqual(const CorrectionCoeffs& a, const CorrectionCoeffs& b)
{
    for (int r = 0; r < kAdcRangeCount; ++r) {
        for (int c = 0; c < kAdcChannelCount; ++c) {
            if (!pairsEqual(a.AdcRaw[r][c], b.AdcRaw[r][c]))
                return false;
        }
    }
    for (int k = 0; k < kDacOutputCount; ++k) {
        if (!pairsEqual(a.DacRaw[k], b.DacRaw[k]))
            return false;
    }
    return true;
}

CoeffComparison CompareCoeffSets(
    const CorrectionCoeffs& working, const CorrectionCoeffs& factory, const CorrectionCoeffs& userFlash)
{
    return { codeSidesEqual(working, factory), codeSidesEqual(working, userFlash) };
}

} // namespace coeffs
