// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/conduction.h"

#include "sim/coils.h"

#include <algorithm>
#include <cstddef>

namespace sim {

namespace {

// The pulse trains append the average level first, then the command.
constexpr std::size_t commandSeries = 1;

Part offset(Part first, std::size_t by)
{
    return static_cast<Part>(static_cast<std::size_t>(first) + by);
}

Conduction sorted(Conduction parts)
{
    std::sort(parts.begin(), parts.end());
    return parts;
}

} // namespace

Conduction pwm::conduction(const Step &step, double highWidth)
{
    if (step.y.at(commandSeries) > 0.0)
        return {{Part::SwitchTransistor}, {Part::SwitchCurrentPath}};
    if (highWidth > 0.0)
        return {{Part::SwitchFreewheel, Drive::Freewheeling}};
    return {};
}

Conduction hbridge::conduction(const Step &step, double supply, double highWidth)
{
    const bool positive = supply > 0.0;
    const Part steady = positive ? Part::BridgeQ3 : Part::BridgeQ4;
    if (step.y.at(commandSeries) > 0.0) {
        const Part pulsed = positive ? Part::BridgeQ1 : Part::BridgeQ2;
        const Part path = positive ? Part::BridgeRightToLeft : Part::BridgeLeftToRight;
        return sorted({{steady}, {pulsed}, {path}});
    }
    if (!(highWidth > 0.0))
        return {{steady}};
    const Part loop = positive ? Part::BridgeFreewheelD2 : Part::BridgeFreewheelD4;
    return sorted({{steady}, {loop, Drive::Freewheeling}});
}

Conduction unipolar::conduction(const Step &step)
{
    Conduction parts;
    const Coils fed = drivenCoils(step);
    for (std::size_t coil = 0; coil < fed.size(); ++coil) {
        if (fed[coil]) {
            parts.push_back({offset(Part::UnipolarInput1, coil)});
            parts.push_back({offset(Part::UnipolarChannel1, coil)});
            parts.push_back({offset(Part::UnipolarTerminalA, coil)});
            parts.push_back({offset(Part::UnipolarHalfWindingA, coil)});
        }
    }
    return sorted(std::move(parts));
}

Conduction bipolar::conduction(const Step &step)
{
    Conduction parts;
    // A winding's first coil is fed whenever the winding is driven, at either polarity.
    const Coils fed = drivenCoils(step);
    for (std::size_t winding = 0; winding < 2; ++winding) {
        if (!fed[winding])
            continue;
        const double level = step.y[winding];
        const Drive first = level > 0.0 ? Drive::High : Drive::Low;
        const Drive second = level > 0.0 ? Drive::Low : Drive::High;
        parts.push_back({offset(Part::BipolarIn1, 2 * winding), first});
        parts.push_back({offset(Part::BipolarIn1, 2 * winding + 1), second});
        parts.push_back({offset(Part::BipolarTerminalA, 2 * winding), first});
        parts.push_back({offset(Part::BipolarTerminalA, 2 * winding + 1), second});
    }
    return sorted(std::move(parts));
}

} // namespace sim
