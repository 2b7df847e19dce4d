// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform2.h"

// The circuit-diagram panels. Each handler shows its panel, stops the other slide of the pair
// and starts its own; a slide already enabled does not restart, so a second press changes
// nothing, and the close button never hides the panel (it rests out of view at -400).

namespace {
void slide(QWidget *panel, toolkit::FloatAnimation *stop, toolkit::FloatAnimation *start)
{
    panel->setVisible(true);
    stop->setEnabled(false);
    start->setEnabled(true);
}
} // namespace

void TForm2::Button6Click(QObject *)
{
    slide(ferme1, animationferme12, animationferme11);
}

void TForm2::SpeedButton1Click(QObject *)
{
    slide(ferme1, animationferme11, animationferme12);
}

void TForm2::Button8Click(QObject *)
{
    slide(ferme2, animationferme22, animationferme21);
}

void TForm2::SpeedButton2Click(QObject *)
{
    slide(ferme2, animationferme21, animationferme22);
}

void TForm2::Button9Click(QObject *)
{
    slide(ferme3, animationferme32, animationferme31);
}

void TForm2::SpeedButton3Click(QObject *)
{
    slide(ferme3, animationferme31, animationferme32);
}

void TForm2::Button10Click(QObject *)
{
    slide(ferme4, animationferme42, animationferme41);
}

void TForm2::SpeedButton4Click(QObject *)
{
    slide(ferme4, animationferme41, animationferme42);
}
