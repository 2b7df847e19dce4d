// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/layout/circuitpictures.h"

#include <QStringList>

#include <algorithm>

#include <map>

namespace circuitpictures {

namespace {

using sim::Part;

// The ids are those the drawings' sources give their groups (assets/diagrams/src).
const std::map<Part, QStringList> &elements()
{
    static const std::map<Part, QStringList> table {
        {Part::SwitchTransistor, {QStringLiteral("Q2")}},
        {Part::SwitchCurrentPath, {QStringLiteral("current-path"), QStringLiteral("motor-branch")}},
        {Part::SwitchFreewheel, {QStringLiteral("freewheel"), QStringLiteral("motor-branch")}},

        {Part::BridgeQ1, {QStringLiteral("Q1")}},
        {Part::BridgeQ2, {QStringLiteral("Q2")}},
        {Part::BridgeQ3, {QStringLiteral("Q3")}},
        {Part::BridgeQ4, {QStringLiteral("Q4")}},
        // Each side of the bridge is drawn in stretches that the ways of the current share.
        {Part::BridgeLeftToRight,
         {QStringLiteral("left-top-outer"), QStringLiteral("left-top-inner"),
          QStringLiteral("left-lead"), QStringLiteral("motor-branch"), QStringLiteral("right-low"),
          QStringLiteral("supply")}},
        {Part::BridgeRightToLeft,
         {QStringLiteral("right-top-outer"), QStringLiteral("right-top-inner"),
          QStringLiteral("right-lead"), QStringLiteral("motor-branch"), QStringLiteral("left-low"),
          QStringLiteral("supply")}},
        {Part::BridgeFreewheelD2,
         {QStringLiteral("right-top-outer"), QStringLiteral("right-top-inner"),
          QStringLiteral("right-lead"), QStringLiteral("motor-branch"), QStringLiteral("left-lead"),
          QStringLiteral("freewheel-D2"), QStringLiteral("left-top-inner")}},
        {Part::BridgeFreewheelD4,
         {QStringLiteral("left-top-outer"), QStringLiteral("left-top-inner"),
          QStringLiteral("left-lead"), QStringLiteral("motor-branch"), QStringLiteral("right-lead"),
          QStringLiteral("freewheel-D4"), QStringLiteral("right-top-inner")}},

        {Part::UnipolarInput1, {QStringLiteral("input-1")}},
        {Part::UnipolarInput2, {QStringLiteral("input-2")}},
        {Part::UnipolarInput3, {QStringLiteral("input-3")}},
        {Part::UnipolarInput4, {QStringLiteral("input-4")}},
        {Part::UnipolarChannel1, {QStringLiteral("channel-1")}},
        {Part::UnipolarChannel2, {QStringLiteral("channel-2")}},
        {Part::UnipolarChannel3, {QStringLiteral("channel-3")}},
        {Part::UnipolarChannel4, {QStringLiteral("channel-4")}},
        {Part::UnipolarTerminalA, {QStringLiteral("terminal-A")}},
        {Part::UnipolarTerminalB, {QStringLiteral("terminal-B")}},
        {Part::UnipolarTerminalC, {QStringLiteral("terminal-C")}},
        {Part::UnipolarTerminalD, {QStringLiteral("terminal-D")}},
        {Part::UnipolarHalfWindingA, {QStringLiteral("winding-A")}},
        {Part::UnipolarHalfWindingB, {QStringLiteral("winding-B")}},
        {Part::UnipolarHalfWindingC, {QStringLiteral("winding-C")}},
        {Part::UnipolarHalfWindingD, {QStringLiteral("winding-D")}},

        {Part::BipolarIn1, {QStringLiteral("input-1")}},
        {Part::BipolarIn2, {QStringLiteral("input-2")}},
        {Part::BipolarIn3, {QStringLiteral("input-3")}},
        {Part::BipolarIn4, {QStringLiteral("input-4")}},
        {Part::BipolarTerminalA, {QStringLiteral("terminal-A")}},
        {Part::BipolarTerminalB, {QStringLiteral("terminal-B")}},
        {Part::BipolarTerminalC, {QStringLiteral("terminal-C")}},
        {Part::BipolarTerminalD, {QStringLiteral("terminal-D")}},
    };
    return table;
}

} // namespace

QList<toolkit::Diagram::Light> lights(const sim::Conduction &conduction)
{
    QList<toolkit::Diagram::Light> out;
    for (const sim::Lit &lit : conduction) {
        const bool freewheeling = lit.drive == sim::Drive::Freewheeling;
        const QColor color = lit.drive == sim::Drive::Low ? lowColor
            : freewheeling                                ? freewheelColor
                                                          : conductingColor;
        const auto found = elements().find(lit.part);
        if (found == elements().end())
            continue;
        for (const QString &id : found->second) {
            const bool already = std::any_of(out.cbegin(), out.cend(),
                                             [&](const auto &light) { return light.id == id; });
            if (!already)
                out.append({id, color, freewheeling});
        }
    }
    return out;
}

void showReadout(toolkit::Diagram &diagram)
{
    diagram.setReadoutElements(QStringLiteral("readout"), QStringLiteral("readout-value"));
}

} // namespace circuitpictures
