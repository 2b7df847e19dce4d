#include "app/tform2.h"

// The four traces and their track bars.

void TForm2::valeurmoteurChange(QObject *) { }

void TForm2::Button1Click(QObject *) { }

void TForm2::Button3Click(QObject *) { }

void TForm2::Button4Click(QObject *) { }

void TForm2::valeurmoteur1Change(QObject *) { }

void TForm2::Button2Click(QObject *) { }

void TForm2::valeurmoteur3Change(QObject *) { }

void TForm2::Button7Click(QObject *) { }

void TForm2::valeurmoteur4Change(QObject *) { }

void TForm2::Button5Click(QObject *) { }
