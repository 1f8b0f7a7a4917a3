// The steps of a module search, run by TInitAndConfigThread::Execute. The
// steps marked "main" in the header run on the user-interface thread; they
// report a failure with ReportMessage, which ends the search's work up to the
// finishing step.
//
// The steps are empty until the module search is built: the run then goes
// through its sequence and still ends with the finishing step.

#include "mainform.h"
#include "threads/init_and_config_thread.h"

void TInitAndConfigThread::PrepareSearch() { }

void TInitAndConfigThread::RestoreWindowPosition() { }

void TInitAndConfigThread::FindAndOpenModule() { }

void TInitAndConfigThread::ConfigureModule() { }

void TInitAndConfigThread::ShowModuleStatus(bool /*after*/) { }

void TInitAndConfigThread::ApplyStoredSettings() { }

void TInitAndConfigThread::FinishSearch() { }
