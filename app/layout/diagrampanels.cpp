// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/layout/diagrampanels.h"

#include "ui_form2.h"

#include "app/layout/circuitpictures.h"
#include "toolkit/floatanimation.h"

#include <cmath>

namespace {

using toolkit::FloatAnimation;

constexpr float kHidden = -400.0f;
constexpr float kShown = 0.0f;
constexpr float kSlideSeconds = 1.0f;

FloatAnimation *slide(QWidget *panel, const char *name, float from, float to)
{
    auto *animation = new FloatAnimation(panel, QStringLiteral("Position.X"), [panel](float x) {
        panel->move(int(std::lround(x)), panel->y());
    });
    animation->setObjectName(QLatin1String(name));
    animation->setStartValue(from);
    animation->setStopValue(to);
    animation->setDuration(kSlideSeconds);
    return animation;
}

} // namespace

Form2PanelSlides layoutDiagramPanels(const Ui::Form2Layout &f)
{
    Form2PanelSlides s;
    s.animationferme11 = slide(f.ferme1, "animationferme11", kHidden, kShown);
    s.animationferme12 = slide(f.ferme1, "animationferme12", kShown, kHidden);
    s.animationferme21 = slide(f.ferme2, "animationferme21", kHidden, kShown);
    s.animationferme22 = slide(f.ferme2, "animationferme22", kShown, kHidden);
    s.animationferme31 = slide(f.ferme3, "animationferme31", kHidden, kShown);
    s.animationferme32 = slide(f.ferme3, "animationferme32", kShown, kHidden);
    s.animationferme41 = slide(f.ferme4, "animationferme41", kHidden, kShown);
    s.animationferme42 = slide(f.ferme4, "animationferme42", kShown, kHidden);
    for (toolkit::Diagram *picture : {f.Image1, f.Image2, f.Image3, f.Image4})
        circuitpictures::showReadout(*picture);
    return s;
}
