// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointF>

#include <array>
#include <optional>

/// What the session knows of the traces it launched: for each tab, how many of its traces are
/// on the stack right now (0 or 1, since a launch button hides while its trace runs) and the
/// points its series must hold, when the trace's levels are fixed at its launch.
struct TraceBook
{
    struct Tab
    {
        int onStack = 0;
        /// One list per series of the tab, in the plan's append order; empty for tab 2, whose
        /// second run may start from levels read in the middle of the first.
        std::optional<QList<QList<QPointF>>> expected;
    };

    std::array<Tab, 4> tabs;
};
