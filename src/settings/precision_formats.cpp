#include "settings/precision_formats.h"

#include "settings/setting_access.h"

namespace settings {

uint16_t clampPrecision(int valueRead)
{
    const auto low = static_cast<uint16_t>(static_cast<uint32_t>(valueRead) & 0xFFFFu);
    return low > kMaxPrecision ? kMaxPrecision : low;
}

QString precisionPattern(int decimals)
{
    return QStringLiteral("0.") + QString(decimals, u'0');
}

PrecisionSettings readPrecisionSettings(const IniFile& file)
{
    PrecisionSettings precisions;
    for (int r = 0; r < kInputRangeCount; ++r) {
        precisions.DcPrecision[r] = clampPrecision(read(file, DcPrecisionKey, precisionKeyName(DcPrecisionKey, r)));
        precisions.AcPrecision[r] = clampPrecision(read(file, AcPrecisionKey, precisionKeyName(AcPrecisionKey, r)));
        precisions.FrPrecision[r] = clampPrecision(read(file, FrPrecisionKey, precisionKeyName(FrPrecisionKey, r)));
    }
    return precisions;
}

PrecisionFormats buildPrecisionFormats(const PrecisionSettings& precisions)
{
    PrecisionFormats formats;
    for (int r = 0; r < kInputRangeCount; ++r) {
        formats[dcFormatIndex(r)] = precisionPattern(precisions.DcPrecision[r]);
        formats[acFormatIndex(r)] = precisionPattern(precisions.AcPrecision[r]);
        formats[frFormatIndex(r)] = precisionPattern(precisions.FrPrecision[r]);
    }
    return formats;
}

} // namespace settings
