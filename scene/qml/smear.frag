// SPDX-License-Identifier: GPL-3.0-or-later
// The spokes and openings of a turning disc as the eye sees them when it turns too fast to
// follow: each point shows the disc for the share of the recent turn (uSmearDegrees, behind the
// spokes as they move) during which a spoke covered it, and what lies behind the disc for the
// rest; the two mix as light does, before it is lit. Spokes are centred every 90 degrees from the disc's
// X axis, uSpokeHalfWidth each side. Lit like the disc's own faces (see phong.frag), which face
// the same way as the faces behind.

VARYING vec2 vAt;

// Degrees of spoke met going from 0 to a, counter-clockwise (negative for negative a).
float spokeDegrees(float a)
{
    float turns = floor(a / 90.0);
    float within = a - 90.0 * turns;
    return 2.0 * uSpokeHalfWidth * turns + min(within, uSpokeHalfWidth)
        + max(within - (90.0 - uSpokeHalfWidth), 0.0);
}

void MAIN()
{
    float r = length(vAt);
    if (r < uInner || r > uOuter || uSmearDegrees <= 0.0)
        discard;
    float a = degrees(atan(vAt.y, vAt.x));
    float ahead = uSense * uSmearDegrees;
    float covered = abs(spokeDegrees(a + ahead) - spokeDegrees(a)) / uSmearDegrees;
    // Where a spoke stayed all along, or never came, the disc itself shows as it is.
    if (covered < 0.004 || covered > 0.996)
        discard;
    BASE_COLOR = vec4(mix(uBehind.rgb, uDiffuse.rgb, covered), 1.0);
}

void AMBIENT_LIGHT()
{
    DIFFUSE += uAmbient.rgb * TOTAL_AMBIENT_COLOR;
}

void DIRECTIONAL_LIGHT()
{
    DIFFUSE += BASE_COLOR.rgb * LIGHT_COLOR * SHADOW_CONTRIB
        * vec3(max(0.0, dot(normalize(NORMAL), TO_LIGHT_DIR)));
}

void SPECULAR_LIGHT()
{
    vec3 halfway = normalize(VIEW_VECTOR + TO_LIGHT_DIR);
    float facing = max(0.0, dot(halfway, normalize(NORMAL)));
    SPECULAR += uSpecular.rgb * LIGHT_COLOR * pow(facing, max(uShininess, 1.0));
}
