// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D

// How the form's objects are lit: colours in ARGB as the form gives them, and a texture when
// there is one.
CustomMaterial {
    id: lit

    property color diffuse: "white"
    property color ambient: "#202020"
    property color emissive: "#00000000"
    property color specular: "#606060"
    property real shininess: 30
    property url textureSource: ""
    property color uDiffuse: lit.diffuse
    property color uAmbient: lit.ambient
    property color uEmissive: lit.emissive
    property color uSpecular: lit.specular
    property real uShininess: lit.shininess
    property real uTextureAmount: lit.textureSource != "" ? 1.0 : 0.0
    property TextureInput uTexture: TextureInput {
        texture: Texture {
            source: lit.textureSource
        }
    }

    shadingMode: CustomMaterial.Shaded
    fragmentShader: "phong.frag"
    cullMode: Material.NoCulling
}
