// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

/// Applies the window's style (layout/style.qss) and its pale turquoise background to
/// @p window and everything in it.
void applyWindowStyle(QWidget &window);
