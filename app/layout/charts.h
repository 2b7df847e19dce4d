// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TForm2;

/// Gives the eight charts of the window their titles, colours, fixed axes and series, and
/// stores each series in its member of @p form.
void layoutCharts(TForm2 &form);
