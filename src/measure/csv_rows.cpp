#include "measure/csv_rows.h"

#include "entry/number_text.h"

namespace measure {

namespace {

bool inVolts(const RunConfiguration& configuration)
{
    return configuration.amplitudeKind == QLatin1String("volt");
}

// The row's three value fields, each empty where the frame shows dashes: DC
// shows the level; AC the AC value and, with "fft", the frequency; AC+DC the
// AC value and the level.
struct ValueFields {
    QString dc;
    QString ac;
    QString frequency;
};

ValueFields valueFields(const RunConfiguration& configuration, int channel, const ChannelValues& values)
{
    const auto c = static_cast<size_t>(channel);
    const double scale = inVolts(configuration) ? 1000.0 : 1.0;
    const int range = configuration.inputRange[c];
    const settings::PrecisionFormats& formats = configuration.precisionFormats;
    const QString dc = entry::formatByPattern(scale * values.dc, formats[settings::dcFormatIndex(range)]);
    const QString ac = entry::formatByPattern(scale * values.ac, formats[settings::acFormatIndex(range)]);
    switch (configuration.parType[c]) {
    case 0:
        return { dc, QString(), QString() };
    case 2:
        return { dc, ac, QString() };
    default:
        break;
    }
    if (configuration.computationMethod != QLatin1String("fft"))
        return { QString(), ac, QString() };
    const double kiloHertz = values.frequencyHz * 0.001;
    const QString pattern = entry::frequencyPattern(kiloHertz, formats[settings::frFormatIndex(range)]);
    return { QString(), ac, entry::formatByPattern(kiloHertz, pattern) };
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
    QString rows;
    for (int c = 0; c < kChannelCount; ++c) {
        const ChannelValues& values = block.channels[static_cast<size_t>(c)];
        if (!values.measured)
            continue;
        const ValueFields fields = valueFields(configuration, c, values);
        const bool overloaded = (block.overloadBits >> c) & 1u;
        rows += time + u',' + QString::number(c + 1) + u',' + fields.dc + u',' + fields.ac + u',' + fields.frequency
            + u',' + (overloaded ? u'1' : u'0') + u'\n';
    }
    return rows;
}

} // namespace measure
