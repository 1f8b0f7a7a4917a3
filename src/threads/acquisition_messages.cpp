#include "threads/acquisition_messages.h"

namespace acquisition {

const char* const kNoActiveChannel = "Необходимо выбрать не менне одного активного канала!";
const char* const kCannotWriteAdcParameters = "Не могу установить параметры работы АЦП!";
// A run the module's rates cannot carry is refused before anything is read.
const char* const kRequestTooSmall
    = "Не могу начать сбор данных: частота кадров слишком мала, запрос на сбор данных не содержит ни одного отсчёта!";
const char* const kBlockTooShort = "Не могу начать сбор данных: время сбора данных меньше длительности одного кадра!";
const char* const kCannotAllocateOverlapped = "Не могу выделить память под OVERLAPPED структуру!";
const char* const kCannotCreateEvent = "Не могу создать событие ReadEvent!";
const char* const kCannotAllocateAdcBuffer = "Не могу выделить память под AdcBuffer!";
const char* const kCannotAllocateAdcData = "Не могу выделить память под AdcData!";
const char* const kCannotAllocateAdcDataPerChannel = "Не могу выделить память под AdcDataPerChannel!";
const char* const kCannotAllocateWindow = "Не могу выделить память под Window!";
const char* const kCannotAllocateFftAdcDataPerChannel = "Не могу выделить память под FftAdcDataPerChannel!";
const char* const kCannotAllocateSpectrumAnalyser = "Не могу выделить память под SpectrumAnalyser!";
const char* const kCannotStopAtStart = "Не могу остановить сбор данных с модуля!";
const char* const kCannotSubmitRequest = "Не могу выполнить запрос на сбор данных!";
const char* const kCannotStart = "Не могу запустить сбор данных!";
const char* const kWaitFailed = "Ошибка ожидания выполнения запроса на сбор данных!";
const char* const kCannotCheckErrors = "Не могу выполнить функцию проверки ошибок собираемых данных!";
const char* const kCannotStop = "Не могу остановить сбор данных!";
const char* const kCannotCancelIo = "Не могу прервать асинхронный сбор!";
const char* const kCannotCloseEvent = "Не могу закрыть событие ReadEvent!";
const char* const kUnexpectedException
    = "Опаньки!!!\nПоймали неустранимое исключение потока сбора данных!!!\nСрочно сообщите разработчику!";

} // namespace acquisition
