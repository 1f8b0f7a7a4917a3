#include "entry/channel_value_texts.h"

#include "dsp/par_type.h"
#include "entry/number_text.h"

namespace entry {

ChannelValueTexts channelValueTexts(int32_t parType, bool spectral, bool volts, int range,
    const settings::PrecisionFormats& formats, double dc, double ac, double frequencyHz)
{
    const double scale = volts ? 1000.0 : 1.0;
    const QString dcText = formatByPattern(scale * dc, formats[settings::dcFormatIndex(range)]);
    const QString acText = formatByPattern(scale * ac, formats[settings::acFormatIndex(range)]);
    if (parType == dsp::kParDc)
        return { dcText, QString(), QString() };
    if (parType == dsp::kParAcDc)
        return { dcText, acText, QString() };
    if (!spectral)
        return { QString(), acText, QString() };
    const double kiloHertz = frequencyHz * 0.001;
    const QString pattern = frequencyPattern(kiloHertz, formats[settings::frFormatIndex(range)]);
    return { QString(), acText, formatByPattern(kiloHertz, pattern) };
}

} // namespace entry
