#include "threads/main_thread.h"

#include "device/module_api.h"
#include "platform/decimal_separator.h"
#include "threads/acquisition_job.h"
#include "threads/worker_host.h"

TMainThread::TMainThread(WorkerHost* host, uint16_t jobIndex, bool jobPageActive)
    : WorkerThread(host, QStringLiteral("TMainThread"))
    , JobIndex(jobIndex)
    , jobPageActive_(jobPageActive)
{
    InstallJobs();
}

void TMainThread::InstallJobs()
{
    Jobs[0] = AcquisitionJob;
}

void TMainThread::Prepare()
{
    Links.mainThreadRunning->store(true);
    platform::setDecimalSeparator('.');
    MessageShown = false;
    if (jobPageActive_)
        Links.acquisitionIdle->store(false);
    ModuleApi* module = *Links.module;
    ModuleHandle = module ? module->QUERY_DEVICE_HANDLE() : platform::kInvalidDeviceHandle;
    if (ModuleHandle == platform::kInvalidDeviceHandle)
        ReportMessage(QStringLiteral(" Не могу получить дескриптор модуля!"));
}

void TMainThread::RunJob()
{
    if (MessageShown)
        return;
    const JobFunction* job = JobIndex < Jobs.size() ? &Jobs[JobIndex] : nullptr;
    if (job && *job)
        (*job)(*this);
    else
        ReportMessage(QStringLiteral(
            "Опаньки!!!\nОтсутствует функция обработки для 'MainThread'!!!\nСрочно сообщите разработчику!"));
}

void TMainThread::Execute()
{
    try {
        Prepare();
        msleep(100);
        RunJob();
    } catch (const platform::ConversionError&) {
        ReportMessage(QStringLiteral("Ошибка преобразования строки в число!!!\nТекущий сепаратор '")
            + QLatin1Char(platform::decimalSeparator()) + QStringLiteral("'."));
        platform::setDecimalSeparator('.');
    } catch (...) {
        ReportMessage(QStringLiteral(
            "Опаньки!!!\nПоймали неустранимое исключение в потоке 'MainThread'!!!\nСрочно сообщите разработчику!"));
    }
    // The thread never ends by itself: StopThread ends and deletes it.
    while (!Terminated())
        msleep(50);
}
