// SPDX-License-Identifier: GPL-3.0-or-later
// A lit material in the classic Phong terms: emissive + ambient × the scene's ambient light +
// diffuse × (N·L) + specular × (N·H)^shininess, with an optional texture that tints the diffuse
// colour.

void MAIN()
{
    vec4 tint = mix(vec4(1.0), texture(uTexture, UV0), uTextureAmount);
    BASE_COLOR = vec4(uDiffuse.rgb * tint.rgb, uDiffuse.a);
}

void AMBIENT_LIGHT()
{
    DIFFUSE += uAmbient.rgb * TOTAL_AMBIENT_COLOR + uEmissive.rgb;
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
