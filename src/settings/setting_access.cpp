#include "settings/setting_access.h"

#include "settings/input_ranges.h"

namespace settings {

namespace {

const char* const kRangeKeyPrefix = "АЦП. Диапазон ";
const char* const kDacAmplitudeKeySuffix = ", В";

QString nameOr(const QString& name, const char* key)
{
    return name.isEmpty() ? QString::fromUtf8(key) : name;
}

} // namespace

QString channelKeyName(const char* prefix, int channel)
{
    return QString::fromUtf8(prefix) + QString::number(channel);
}

QString dacAmplitudeKeyName(int dacChannel)
{
    return channelKeyName(DacAmplitudeKey.key, dacChannel) + QString::fromUtf8(kDacAmplitudeKeySuffix);
}

QString precisionKeyName(const IntSetting& precision, int rangeIndex)
{
    // QString::asprintf formats with "." whatever the process locale is.
    return QString::fromUtf8(kRangeKeyPrefix) + QString::asprintf("%4.1f", InputRanges[rangeIndex])
        + QString::fromUtf8(precision.key);
}

bool read(const IniFile& file, const BoolSetting& setting, const QString& name)
{
    return file.readBool(setting.section, nameOr(name, setting.key), setting.readDefault);
}

int read(const IniFile& file, const IntSetting& setting, const QString& name)
{
    return file.readInteger(setting.section, nameOr(name, setting.key), setting.readDefault);
}

double read(const IniFile& file, const FloatSetting& setting, const QString& name)
{
    return file.readFloat(setting.section, nameOr(name, setting.key), setting.readDefault);
}

QString read(const IniFile& file, const TextSetting& setting, const QString& name)
{
    return file.readString(setting.section, nameOr(name, setting.key), QString::fromUtf8(setting.readDefault));
}

bool write(IniFile& file, const BoolSetting& setting, bool value, const QString& name)
{
    return file.writeBool(setting.section, nameOr(name, setting.key), value);
}

bool write(IniFile& file, const IntSetting& setting, int value, const QString& name)
{
    return file.writeInteger(setting.section, nameOr(name, setting.key), value);
}

bool write(IniFile& file, const FloatSetting& setting, double value, const QString& name)
{
    return file.writeFloat(setting.section, nameOr(name, setting.key), value);
}

bool write(IniFile& file, const TextSetting& setting, const QString& value, const QString& name)
{
    return file.writeString(setting.section, nameOr(name, setting.key), value);
}

} // namespace settings
