#include "app/layout/diagrampanels.h"

#include "app/tform2.h"

#include <cmath>

namespace {

using toolkit::FloatAnimation;

constexpr float kHidden = -400.0f;
constexpr float kShown = 0.0f;
constexpr float kSlideSeconds = 1.0f;

FloatAnimation *slide(QWidget *panel, float from, float to)
{
    auto *animation = new FloatAnimation(panel, QStringLiteral("Position.X"), [panel](float x) {
        panel->move(int(std::lround(x)), panel->y());
    });
    animation->setStartValue(from);
    animation->setStopValue(to);
    animation->setDuration(kSlideSeconds);
    return animation;
}

} // namespace

void layoutDiagramPanels(TForm2 &f)
{
    f.animationferme11 = slide(f.ferme1, kHidden, kShown);
    f.animationferme12 = slide(f.ferme1, kShown, kHidden);
    f.animationferme21 = slide(f.ferme2, kHidden, kShown);
    f.animationferme22 = slide(f.ferme2, kShown, kHidden);
    f.animationferme31 = slide(f.ferme3, kHidden, kShown);
    f.animationferme32 = slide(f.ferme3, kShown, kHidden);
    f.animationferme41 = slide(f.ferme4, kHidden, kShown);
    f.animationferme42 = slide(f.ferme4, kShown, kHidden);
}
