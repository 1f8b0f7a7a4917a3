#pragma once
// A main window searching the simulated bus: each test sets up the modules
// and, if it likes, the settings file, then runs one search to its end.

#include "app/window_fixture.h"
#include "sim_control.h"

#include <QStringList>

class SearchTest : public WindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A module with the given serial (at most 16 characters) and the
    // simulated library's defaults otherwise: revision B, industrial grade,
    // high speed, firmware version 2.07.15.
    static modlink_sim::ModuleConfig moduleWith(const char* serial, char revision = 'B', uint8_t options = 0x14);
    // Puts the module into `slot` of an otherwise empty bus.
    void placeOnly(int slot, const modlink_sim::ModuleConfig& config);

    QString settingsPath() const;

    // Runs one search as "Обнаружить" does (or, with `firstStart`, as the
    // first show does) and waits until its thread has ended.
    void runSearch(bool firstStart = false);

    // The items of the module list.
    QStringList moduleListItems() const;
    QStringList messageTexts() const { return recorder.texts(); }
    // True when the finishing step has given the controls back.
    void expectControlsGivenBack();

    modlink_sim::SimControl* sim = nullptr;
};
