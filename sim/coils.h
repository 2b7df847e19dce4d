// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/step.h"

#include <bitset>

namespace sim {

/// The stepper's four coils, bit k standing for the coil labelled "bobine<k+1>": coils 1 and 3
/// lie on one axis, 2 and 4 on the other.
using Coils = std::bitset<4>;

namespace unipolar {
/// Tab 3: the coils fed at a point step: coil k while series k (`tr1` to `tr4`) is high.
Coils drivenCoils(const Step &step);
} // namespace unipolar

namespace bipolar {
/// Tab 4: both coils of each winding the step drives, at either polarity: winding 1 (`tr11`)
/// is the pair of coils 1 and 3, winding 2 (`tr12`) that of coils 2 and 4.
Coils drivenCoils(const Step &step);
} // namespace bipolar

} // namespace sim
