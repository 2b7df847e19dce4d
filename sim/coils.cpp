// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/coils.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace sim {

Coils unipolar::drivenCoils(const Step &step)
{
    Coils coils;
    for (std::size_t k = 0; k < std::min<std::size_t>(step.y.size(), coils.size()); ++k)
        coils[k] = step.y[k] > 0.0;
    return coils;
}

Coils bipolar::drivenCoils(const Step &step)
{
    Coils coils;
    for (std::size_t winding = 0; winding < std::min<std::size_t>(step.y.size(), 2); ++winding) {
        const double level = step.y[winding];
        const bool driven = level != 0.0 && !std::isnan(level);
        // A winding's two coils face each other across the rotor.
        coils[winding] = driven;
        coils[winding + 2] = driven;
    }
    return coils;
}

} // namespace sim
