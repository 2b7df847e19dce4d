// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D

// The material of the form's objects: colours in ARGB as the form gives them.
CustomMaterial {
    property color diffuse: "white"
    property color ambient: "#202020"
    property color emissive: "#00000000"
    property color specular: "#606060"
    property real shininess: 30
    property url textureSource: ""

    property color uDiffuse: diffuse
    property color uAmbient: ambient
    property color uEmissive: emissive
    property color uSpecular: specular
    property real uShininess: shininess
    property real uTextureAmount: textureSource != "" ? 1.0 : 0.0
    property TextureInput uTexture: TextureInput {
        texture: Texture {
            source: textureSource
        }
    }

    shadingMode: CustomMaterial.Shaded
    fragmentShader: "phong.frag"
    cullMode: Material.NoCulling
}
