// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D
import Simumoteurs.Scene

// The material of the form's objects: colours in ARGB as the form gives them.
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
    // The program's handle on this material, under the material's name.
    readonly property FormMaterial handle: FormMaterial {
        objectName: lit.objectName
        surface: lit
    }

    shadingMode: CustomMaterial.Shaded
    fragmentShader: "phong.frag"
    cullMode: Material.NoCulling
}
