// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform2.h"

#include "scene/model3d.h"

// Tab switching: the model of the tab slides into view (0.8 s) and the other one aside. Each
// slide pair is handled by stopping the partner first, so that the wanted slide starts from its
// start value only when it was not already enabled: a click on the tab of the model already in
// view moves nothing. Leaving for the steppers stops the shaft; tabs 1, 3 and 4 forget the
// direction chosen on tab 2.

void TForm2::TabItem1Click(QObject *)
{
    textebobine3->setVisible(true);
    textebobine4->setVisible(true);
    Edit3->setText(tr("Sélectionner sens"));
    sens = 0;
    slideToDcView();
}

void TForm2::TabItem2Click(QObject *)
{
    textebobine3->setVisible(true);
    textebobine4->setVisible(true);
    animationaxe->setEnabled(false);
    slideToDcView();
}

void TForm2::TabItem3Click(QObject *)
{
    textebobine3->setVisible(true);
    textebobine4->setVisible(true);
    leaveForStepperView();
}

void TForm2::TabItem4Click(QObject *)
{
    leaveForStepperView();
    textebobine3->setVisible(false);
    textebobine4->setVisible(false);
}

void TForm2::slideToDcView()
{
    animationmoteurcc->setEnabled(false);
    animationmoteurccbis->setEnabled(true);
    animationmoteurpasapas->setEnabled(false);
    animationmoteurpasapasbis->setEnabled(true);
}

void TForm2::leaveForStepperView()
{
    animationaxe->setEnabled(false);
    animationaxenegative->setEnabled(false);
    Edit3->setText(tr("Sélectionner sens"));
    sens = 0;
    moteurpasapas->setPositionX(0);
    animationmoteurccbis->setEnabled(false);
    animationmoteurcc->setEnabled(true);
    animationmoteurpasapasbis->setEnabled(false);
    animationmoteurpasapas->setEnabled(true);
}
