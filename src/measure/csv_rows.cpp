#include "measure/csv_rows.h"

#include "entry/channel_value_texts.h"

namespace measure {

namespace {

bool inVolts(const RunConfiguration& configuration)
{
    return configuration.amplitudeKind == QLatin1String("volt");
}

} // namespace

QString csvHeader(const RunConfiguration& configuration)
{
    return inVolts(configuration) ? QStringLiteral("time,channel,dc_mV,ac_mV,frequency_kHz,overload\n")
                                  : QStringLiteral("time,channel,dc_code,ac_code,frequency_kHz,overload\n");
}

QString csvTime(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    // The offset is always written (also "+00:00" rather than "Z"), so a log
    // across a change of daylight-saving time stays in order and every
    // ISO 8601 reader takes it.
    const int offsetMinutes = local.offsetFromUtc() / 60;
    const int magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + (offsetMinutes < 0 ? u'-' : u'+')
        + QStringLiteral("%1:%2")
              .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
              .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

QString csvRows(const RunConfiguration& configuration, const BlockValues& block)
{
    const QString time = csvTime(block.end);
    const bool spectral = configuration.computationMethod == QLatin1String("fft");
    QString rows;
    for (int c = 0; c < kChannelCount; ++c) {
        const auto channel = static_cast<size_t>(c);
        const ChannelValues& values = block.channels[channel];
        if (!values.measured)
            continue;
        const entry::ChannelValueTexts fields = entry::channelValueTexts(configuration.parType[channel], spectral,
            inVolts(configuration), configuration.inputRange[channel], configuration.precisionFormats, values.dc,
            values.ac, values.frequencyHz);
        const bool overloaded = (block.overloadBits >> c) & 1u;
        rows += time + u',' + QString::number(c + 1) + u',' + fields.dc + u',' + fields.ac + u',' + fields.frequency
            + u',' + (overloaded ? u'1' : u'0') + u'\n';
    }
    return rows;
}

} // namespace measure
