// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D
import Simumoteurs.Scene

// The DC motor's disc and shaft, which turns about Z faster than the eye can follow at high
// percentages. The program (ShaftPicture) then draws the turn at an angle of its own while the
// object keeps its true angle, and blurs the disc's spokes and openings as a fast disc looks:
// each spoke smeared behind itself, as it moves the way the picture's smearSense (+1 or -1,
// about the model's own Z) says, over its smear (0 to 1) of the width of an opening.
ModelNode {
    id: spinning

    required property ShaftPicture picture
    // The disc's material and that of what shows through its openings (the motor's body),
    // and where the disc's front face and openings lie in the model's own units.
    property LightMaterial discMaterial
    property LightMaterial behindMaterial
    property real discFront: 60
    property real openingInner: 24
    property real openingOuter: 54
    property real spokeHalfWidth: 15

    // Fast, the picture's own turn; else the true angle, kept at the picture's phase.
    drawnAngleZ: spinning.picture.smear > 0 ? spinning.picture.ownAngleZ : spinning.object.rotationAngle.z + spinning.picture.offsetZ

    // The ring of spokes and openings as the eye sees it: a blend of the disc and of what lies
    // behind it, in the share of the recent turn during which a spoke passed there. It lies
    // just in front of the disc's face and turns with it.
    Node {
        position: spinning.model.geometry.fitOffset
        scale: spinning.model.geometry.fitScale
        visible: spinning.picture.smear > 0

        Model {
            // The built-in rectangle is 100 units across, facing +Z.
            readonly property real across: 2 * spinning.openingOuter

            source: "#Rectangle"
            position: Qt.vector3d(0, 0, spinning.discFront + 0.5)
            scale: Qt.vector3d(across / 100, across / 100, 1)
            materials: CustomMaterial {
                property color uDiffuse: spinning.discMaterial ? spinning.discMaterial.diffuse : "orange"
                property color uBehind: spinning.behindMaterial ? spinning.behindMaterial.diffuse : "tan"
                property color uAmbient: spinning.discMaterial ? spinning.discMaterial.ambient : "black"
                property color uSpecular: spinning.discMaterial ? spinning.discMaterial.specular : "black"
                property real uShininess: spinning.discMaterial ? spinning.discMaterial.shininess : 30
                // In the rectangle's own units (50 to its edge).
                property real uInner: spinning.openingInner * 50 / spinning.openingOuter
                property real uOuter: 50
                property real uSpokeHalfWidth: spinning.spokeHalfWidth
                // Up to the width of an opening, so that the blurred spokes still show, and
                // move, at the fastest rate.
                property real uSmearDegrees: spinning.picture.smear * (90 - 2 * spinning.spokeHalfWidth)
                property real uSense: spinning.picture.smearSense

                shadingMode: CustomMaterial.Shaded
                vertexShader: "smear.vert"
                fragmentShader: "smear.frag"
                cullMode: Material.NoCulling
            }
        }
    }
}
