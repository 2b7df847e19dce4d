// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Ui {
class Form2Layout;
}

namespace toolkit {
class LineSeries;
}

/// The series of the window's charts, in each chart's order, named after them.
struct Form2Series
{
    toolkit::LineSeries *signalrco = nullptr;
    toolkit::LineSeries *tensionmoyenne = nullptr;
    toolkit::LineSeries *tensionmoyenne1 = nullptr;
    toolkit::LineSeries *signalrco1 = nullptr;
    toolkit::LineSeries *signalrco2 = nullptr;
    toolkit::LineSeries *Series2 = nullptr;
    toolkit::LineSeries *Series3 = nullptr;
    toolkit::LineSeries *tr1 = nullptr;
    toolkit::LineSeries *tr2 = nullptr;
    toolkit::LineSeries *tr3 = nullptr;
    toolkit::LineSeries *tr4 = nullptr;
    toolkit::LineSeries *tr11 = nullptr;
    toolkit::LineSeries *tr12 = nullptr;
};

/// Gives the eight charts of @p form their titles, colors, fixed axes and series, and returns
/// the series (the charts own them).
Form2Series layoutCharts(const Ui::Form2Layout &form);
