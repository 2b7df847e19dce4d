// SPDX-License-Identifier: GPL-3.0-or-later
// Hands the fragment its place on the disc, in the rectangle's own units.

VARYING vec2 vAt;

void MAIN()
{
    vAt = VERTEX.xy;
    POSITION = MODELVIEWPROJECTION_MATRIX * vec4(VERTEX, 1.0);
}
