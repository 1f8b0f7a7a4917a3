#pragma once
// The control interface of the simulator (see sim_control.h) over the one bus.

#include "sim_control.h"

namespace modlink_sim {

SimControl* busControl();

} // namespace modlink_sim
