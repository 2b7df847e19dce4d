// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Ui {
class Form2Layout;
}

namespace toolkit {
class FloatAnimation;
}

/// The slide animations of the four diagram panels, named after them: in (x from -400 to 0)
/// and out (0 to -400).
struct Form2PanelSlides
{
    toolkit::FloatAnimation *animationferme11 = nullptr;
    toolkit::FloatAnimation *animationferme12 = nullptr;
    toolkit::FloatAnimation *animationferme21 = nullptr;
    toolkit::FloatAnimation *animationferme22 = nullptr;
    toolkit::FloatAnimation *animationferme31 = nullptr;
    toolkit::FloatAnimation *animationferme32 = nullptr;
    toolkit::FloatAnimation *animationferme41 = nullptr;
    toolkit::FloatAnimation *animationferme42 = nullptr;
};

/// Creates the slide animations of the four diagram panels of @p form (in and out in 1 s, both
/// disabled), each owned by its panel, and returns them; lets the pictures show their read-outs.
Form2PanelSlides layoutDiagramPanels(const Ui::Form2Layout &form);
