#include "threads/module_search_messages.h"

namespace module_search {

const char* const kCannotCreateSettingsFile = "Не могу создать файл настроек!";
const char* const kCannotOpenSettingsFile = "Не могу выделить память под файл настроек!";

const char* const kWrongLibraryVersion = "Неправильная версия библиотеки Modlink.dll!";
const char* const kCurrentVersion = "Текущая: ";
const char* const kRequiredVersion = " Требуется: ";
const char* const kCannotLoadLibrary = "Не могу загрузить библиотеку Modlink.dll!";
const char* const kCannotGetInterface = "Не могу получить интерфейс на модуль Q47-05!";
const char* const kCannotDescribeModuleDuringScan = "Не могу получить информацию о модуле Q47-05!";
const char* const kNoModuleFound = "Не могу найти ни одного модуля типа Q47-05!";
const char* const kCannotOpenSlotBefore = "Не могу открыть cлот ";
const char* const kCannotOpenSlotAfter = " для доступа к модулю Q47-05!";

const char* const kCannotQueryUsbSpeed = "Не могу получить скорость работы шинв USB!";
const char* const kCannotLoadOwnFirmware = "Не могу выполнить функцию LOAD_MODULE()!";
const char* const kCannotDescribeModule = "Не могу получить информацию о модуле!";
const char* const kCannotLoadRevisionAFirmware = "Не могу выполнить функцию LOAD_MODULE('q4705.pld')!";
const char* const kCannotLoadCommercialFirmware = "Не могу выполнить функцию LOAD_MODULE('Q4705m.pld')!";
const char* const kCannotLoadIndustrialFirmware = "Не могу выполнить функцию LOAD_MODULE('Q4705mi.pld')!";
const char* const kUnknownGrade = "Что-то не то с исполнением модуля!";
const char* const kUnknownRevision = "Что-то не то с ревизией модуля!";
const char* const kFirmwareNotLoaded = "Ошибка загрузки ПЛИС модуля!";
const char* const kCannotStopAcquisition = "Не могу остановить сбор данных!";
const char* const kRevisionANotSupported = "Пока не работаем с модулем ревизии 'A'.\n Требуется доработка программы!!!";

const char* const kCannotApplySettings = "Не могу проинициализировать параметры работы приложения!";

const char* const kTitleBefore = "Zentrix (версия ";
const char* const kTitleAfter = ")";
const char* const kConverterPart = "| Преобразователь: Q47-05 (";
const char* const kConverterEnd = ")";
const char* const kSerialPrefix = "S/N ";
const char* const kFirmwarePrefix = "версия микропрограммы ";
const char* const kUnknownModulePart = "S/N ???????, версия микропрограммы ?.??.??";

const char* const kLedUnknownHint = "Статус модуля '?\?\?' -> ???";
const char* const kLedUnnamedOkHint = "Статус модуля '?\?\?' -> OK";
const char* const kLedUnnamedBadHint = "Статус модуля '?\?\?' -> BAD";
const char* const kLedNamePrefix = "Статус модуля '";
const char* const kLedBadEnding = "' -> BAD";
const char* const kLedHighSpeedEnding = "' (High-Speed Mode 480 Mbit/s) -> OK";
const char* const kLedFullSpeedEnding = "' (Full-Speed Mode 12 Mbit/s) -> WRONG!\nМодуль работает в нештатном режиме "
                                        "'USB Full Speed'.\nПоверку в таком режиме проводить нельзя!!!";

const char* const kFilter125MHz = "1.25 МГц";
const char* const kFilter500MHz = "5.00 МГц";
const char* const kUnknownFilter = "??????";
const char* const kCommercialRange = ": от 0°C до 70°C";
const char* const kIndustrialRange = ": от -40°C до 85°C";

} // namespace module_search
