// Failures of a run: each ends it with its one message and the finishing step.
#include "acquisition_fixture.h"
