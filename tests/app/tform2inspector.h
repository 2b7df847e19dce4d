// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tform2.h"

/// Read access to the window's private state for the tests.
struct TForm2Inspector
{
    static std::int32_t vitessemoteur(const TForm2 &f) { return f.vitessemoteur; }
    static std::int32_t vitessemoteur1(const TForm2 &f) { return f.vitessemoteur1; }
    static float lenteurmoteur3(const TForm2 &f) { return f.lenteurmoteur3; }
    static float vitessemoteur3(const TForm2 &f) { return f.vitessemoteur3; }
    static float vitessemoteur4(const TForm2 &f) { return f.vitessemoteur4; }
    static float lenteurmoteur4(const TForm2 &f) { return f.lenteurmoteur4; }
    static std::int32_t sens(const TForm2 &f) { return f.sens; }
    static double tension(const TForm2 &f) { return f.tension; }

    static void setSens(TForm2 &f, std::int32_t sens) { f.sens = sens; }
};
