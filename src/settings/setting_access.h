#pragma once
// Full key names of the per-channel, per-DAC-channel and per-range keys, and
// typed reads and writes of a setting. A read gives the setting's read
// default when the key is missing or unreadable. `name` is the full key name;
// left empty, the setting's own key is used.

#include "settings/ini_file.h"
#include "settings/settings_keys.h"

#include <QString>

namespace settings {

// Prefix + channel number in decimal: "АЦП. Управление каналом 1".
QString channelKeyName(const char* prefix, int channel);
// "ЦАП. Амплитуда постоянного сигнала для канала " + 1 or 2 + ", В".
QString dacAmplitudeKeyName(int dacChannel);
// "АЦП. Диапазон " + the range in volts with "%4.1f" + the precision's suffix:
// "АЦП. Диапазон  3.0 В. DC precision". `rangeIndex` is 0..2.
QString precisionKeyName(const IntSetting& precision, int rangeIndex);

bool read(const IniFile& file, const BoolSetting& setting, const QString& name = QString());
int read(const IniFile& file, const IntSetting& setting, const QString& name = QString());
double read(const IniFile& file, const FloatSetting& setting, const QString& name = QString());
QString read(const IniFile& file, const TextSetting& setting, const QString& name = QString());

bool write(IniFile& file, const BoolSetting& setting, bool value, const QString& name = QString());
bool write(IniFile& file, const IntSetting& setting, int value, const QString& name = QString());
bool write(IniFile& file, const FloatSetting& setting, double value, const QString& name = QString());
bool write(IniFile& file, const TextSetting& setting, const QString& value, const QString& name = QString());

} // namespace settings
