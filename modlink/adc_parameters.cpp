#include "adc_parameters.h"

#include <algorithm>
#include <cmath>

namespace modlink_sim {
namespace {

bool coefficientsAreFinite(const AdcParameters& p)
{
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (!std::isfinite(p.AdcOffsetCoefs[r][c]) || !std::isfinite(p.AdcScaleCoefs[r][c]))
                return false;
        }
    }
    return true;
}

} // namespace

bool isValidAdcParameters(const AdcParameters& p)
{
    uint16_t count = p.ChannelCount;
    if (count < 1 || count > 4)
        return false;
    for (int i = 0; i < count; ++i) {
        if (p.ChannelTable[i] > 3)
            return false;
    }
    for (int c = 0; c < 4; ++c) {
        if (p.InputRange[c] > 2 || p.InputConnectionMode[c] > 1)
            return false;
    }
    double rate = p.AdcRate;
    return std::isfinite(rate) && rate > 0.0 && coefficientsAreFinite(p);
}

bool nearestAdcRate(double requestedKHz, bool highSpeedLink, double* acceptedKHz)
{
    if (!std::isfinite(requestedKHz) || requestedKHz <= 0.0)
        return false;
    int minDivisor = highSpeedLink ? kMinDivisorHighSpeed : kMinDivisorFullSpeed;
    double exact = std::clamp(kAdcClockKHz / requestedKHz, double(minDivisor), double(kMaxDivisor));
    int below = static_cast<int>(std::floor(exact));
    int above = std::min(below + 1, kMaxDivisor);
    double rateBelow = kAdcClockKHz / below;
    double rateAbove = kAdcClockKHz / above;
    bool belowIsNearer = std::fabs(rateBelow - requestedKHz) <= std::fabs(rateAbove - requestedKHz);
    *acceptedKHz = belowIsNearer ? rateBelow : rateAbove;
    return true;
}

bool acceptAdcParameters(AdcParameters* p, bool highSpeedLink)
{
    if (!p || !isValidAdcParameters(*p))
        return false;
    double accepted = 0.0;
    if (!nearestAdcRate(p->AdcRate, highSpeedLink, &accepted))
        return false;
    p->AdcRate = accepted;
    p->KadrRate = accepted / p->ChannelCount;
    return true;
}

} // namespace modlink_sim
