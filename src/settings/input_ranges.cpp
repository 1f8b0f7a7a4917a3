#include "settings/input_ranges.h"

namespace settings {

const double InputRanges[kInputRangeCount] = { 3.0, 1.0, 0.3 };

} // namespace settings
