#include "settings/settings_keys.h"

namespace settings {

const char* const SectionAppGeneral = "Приложение. Общие";
const char* const SectionAppDetection = "Приложение. Обнаружение";
const char* const SectionModule = "Модуль Q47-05";

// The names are the file's own, blanks and letters included: four blanks
// after "Top", three after "Left", and a Latin "M" in "Mаксимальное".
const BoolSetting AutoSaveSettingsKey { SectionAppGeneral, "Сохранение настроек", false, false };
const IntSetting MainPanelTopKey { SectionAppGeneral, "Top    основной панели", -1, -1 };
const IntSetting MainPanelLeftKey { SectionAppGeneral, "Left   основной панели", -1, -1 };
const IntSetting CoeffsLoadSourceKey { SectionAppGeneral, "Источник загрузки корректировочных коэфф.", 0, 1 };

const TextSetting ModuleSerialNumberKey { SectionAppDetection, "Серийный номер модуля", "", "" };
const IntSetting PldLoadSourceKey { SectionAppDetection, "Источник загрузки ПЛИС модуля", 1, 1 };

const TextSetting ComputationMethodKey { SectionModule, "АЦП. Метод расчёта измеряемых величин", "fft", "sum" };
const TextSetting AmplitudeTypeKey { SectionModule, "АЦП. Тип амплитуды", "rms", "rms" };
const TextSetting AmplitudeKindKey { SectionModule, "АЦП. Вид амплитуды", "volt", "volt" };
const FloatSetting MaxAcquisitionTimeKey { SectionModule, "АЦП. Mаксимальное время сбора данных, с", 0.5, 0.5 };
const FloatSetting AdcRateKey { SectionModule, "АЦП. Частота работы, кГц", 1000.0, 1000.0 };
const BoolSetting GroupChannelControlKey { SectionModule, "АЦП. Групповое управление каналами", true, true };
const BoolSetting ChannelEnabledKey { SectionModule, "АЦП. Управление каналом ", true, true };
const IntSetting GroupInputRangeKey { SectionModule, "АЦП. Групповое управление входным диапазоном", 0, 0 };
const IntSetting ChannelInputRangeKey { SectionModule, "АЦП. Управление входным диапазоном канала ", 0, 0 };
const IntSetting GroupConnectionModeKey { SectionModule, "АЦП. Групповое управление типом подключения каналов", 1, 1 };
const IntSetting ChannelConnectionModeKey { SectionModule, "АЦП. Управление типом подключения канала ", 1, 1 };
const IntSetting GroupParTypeKey { SectionModule, "АЦП. Групповое управление типом измеряемого параметра", 2, 2 };
const IntSetting ChannelParTypeKey { SectionModule, "АЦП. Управление типом измеряемого параметра для канала ", 2, 2 };
// The range goes between "АЦП. Диапазон " and these suffixes.
const IntSetting DcPrecisionKey { SectionModule, " В. DC precision", 2, 2 };
const IntSetting AcPrecisionKey { SectionModule, " В. AC precision", 2, 2 };
const IntSetting FrPrecisionKey { SectionModule, " В. FR precision", 5, 5 };
// The DAC channel number goes between this and ", В".
const FloatSetting DacAmplitudeKey { SectionModule, "ЦАП. Амплитуда постоянного сигнала для канала ", 1.0, 1.0 };

} // namespace settings
