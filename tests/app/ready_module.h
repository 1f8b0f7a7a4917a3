#pragma once
// A window whose module is ready, as a finished search leaves it, without
// running a search: one fresh module on the simulated bus, the library's
// interface with that module's slot open and its firmware loaded, the
// description read from it and the coefficient sets initialised.

#include "sim_control.h"

class TMainForm;

// Empties the bus and puts a fresh module with a fixed serial into `slot`;
// `hasDac` chooses whether it carries the DAC outputs.
void placeFreshModule(modlink_sim::SimControl& sim, int slot, bool hasDac = true);

// Gives `form` the module in `slot`: ModuleState 2, Module, Description and
// the coefficient sets. Fails the calling test (non-fatally) on any refusal.
void makeModuleReady(TMainForm& form, int slot);
