#pragma once
// Finding and reading the bench file: the file named by the environment
// variable MODLINK_SIM, else modlink-sim.ini beside the library, else none.

#include "bench_description.h"

namespace modlink_sim {

// The bench the simulator starts from. A file that cannot be read or does not
// parse is reported on standard error and the defaults are used.
BenchDescription loadBench();

} // namespace modlink_sim
