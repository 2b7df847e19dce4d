#include "app/tform2.h"

// Tab switching: which motor model is in view.

void TForm2::TabItem1Click(QObject *) { }

void TForm2::TabItem2Click(QObject *) { }

void TForm2::TabItem3Click(QObject *) { }

void TForm2::TabItem4Click(QObject *) { }
