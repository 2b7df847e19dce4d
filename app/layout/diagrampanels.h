// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TForm2;

/// Creates the slide animations of the four diagram panels (in: x from -400 to 0 in 1 s;
/// out: 0 to -400 in 1 s; both disabled) and stores them in their members of @p form; lets the
/// pictures show their read-outs.
void layoutDiagramPanels(TForm2 &form);
