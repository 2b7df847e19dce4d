// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/step.h"

#include <compare>
#include <cstdint>
#include <vector>

namespace sim {

/// A part of one of the four drive circuits, named as its diagram names it, that a point step
/// can set conducting or drive.
enum class Part : std::uint8_t {
    // Tab 1, the transistor switch.
    SwitchTransistor, ///< Q2
    SwitchCurrentPath, ///< from +12 V through the motor and Q2 to ground
    SwitchFreewheel, ///< round through the motor and D2, with Q2 open

    // Tab 2, the H-bridge.
    BridgeQ1,
    BridgeQ2,
    BridgeQ3,
    BridgeQ4,
    BridgeLeftToRight, ///< +12 V, Q4, the motor from left to right, Q2, ground
    BridgeRightToLeft, ///< +12 V, Q3, the motor from right to left, Q1, ground
    BridgeFreewheelD2, ///< round through Q3, the motor from right to left and D2 (across Q4)
    BridgeFreewheelD4, ///< round through Q4, the motor from left to right and D4 (across Q3)

    // Tab 3, the unipolar driver. Coil k (1 to 4) is fed by input IO22, IO24, IO26 or IO28,
    // sunk by channel k of U2 (input kB, output kC) and ends in terminal A, B, C or D.
    UnipolarInput1,
    UnipolarInput2,
    UnipolarInput3,
    UnipolarInput4,
    UnipolarChannel1,
    UnipolarChannel2,
    UnipolarChannel3,
    UnipolarChannel4,
    UnipolarTerminalA,
    UnipolarTerminalB,
    UnipolarTerminalC,
    UnipolarTerminalD,
    UnipolarHalfWindingA, ///< the half-winding between the centre tap and terminal A
    UnipolarHalfWindingB,
    UnipolarHalfWindingC,
    UnipolarHalfWindingD,

    // Tab 4, the bipolar driver. Winding 1 lies between terminals A and B (outputs OUT1, OUT2,
    // inputs IN1, IN2 fed by IO22, IO24), winding 2 between C and D (OUT3, OUT4; IN3, IN4 fed by
    // IO26, IO28).
    BipolarIn1,
    BipolarIn2,
    BipolarIn3,
    BipolarIn4,
    BipolarTerminalA,
    BipolarTerminalB,
    BipolarTerminalC,
    BipolarTerminalD,
};

/// How a part takes part in a point step.
enum class Drive : std::uint8_t {
    Conducting, ///< current flows through it
    High, ///< driven to the supply
    Low, ///< driven to ground
    /// Still carrying the current a motor's inductance keeps up after its switch opened.
    Freewheeling,
};

/// One part with its drive.
struct Lit
{
    Part part;
    Drive drive = Drive::Conducting;

    friend auto operator<=>(const Lit &, const Lit &) = default;
};

/// The parts a point step sets conducting or drives, in the order of Part; empty when nothing
/// conducts.
using Conduction = std::vector<Lit>;

// Tabs 1 and 2 stand for a real PWM at a frequency where the motor's current never stops: when
// the command goes low after a high, the current goes on round a freewheeling diode. Their pulse
// trains start high, so every low point of a run with a high width above 0 follows a high; with
// a width of 0 (the one-point needles of 0 %) the shaft does not turn and nothing freewheels.

namespace pwm {
/// Tab 1, for a run whose periods are high for @p highWidth: while the command (the second
/// series) is high, Q2 and the current path through the motor conduct; while it is low, the
/// motor's current freewheels through D2.
Conduction conduction(const Step &step, double highWidth);
} // namespace pwm

namespace hbridge {
/// Tab 2, for a run with the supply level @p supply (positiveSupply or negativeSupply) and the
/// high width @p highWidth: in the positive direction Q3 conducts for the whole run and Q1 while
/// the pulsed command (the second series) is high, the current then crossing the motor from
/// right to left, and freewheeling through D2 while it is low; in the negative direction Q4 for
/// the whole run and Q2 with the pulses, the current crossing from left to right, and
/// freewheeling through D4.
Conduction conduction(const Step &step, double supply, double highWidth);
} // namespace hbridge

namespace unipolar {
/// Tab 3: the energised coil (the series at a positive level, `tr1` to `tr4`) conducts through
/// its input, its channel of U2, its terminal and its half-winding.
Conduction conduction(const Step &step);
} // namespace unipolar

namespace bipolar {
/// Tab 4: a winding at +5 V (`tr11` for A–B, `tr12` for C–D) has its first terminal and that
/// terminal's input driven high and the other two low; at −5 V the other way round; at 0 its
/// terminals and inputs are not driven.
Conduction conduction(const Step &step);
} // namespace bipolar

} // namespace sim
