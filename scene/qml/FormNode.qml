// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D

// An object of the form's 3D scene. Rotation angles are degrees, given as the form gives them,
// and turn the object about its parent's axes in this order: Y first, then X, then Z. So an
// object tilted by X 90 turns about its own axis of symmetry when its Y angle changes, as the
// stepper's rotor does, and X 135 with Z 90 lays a coil pair across the first one. Size is the
// box the object fills (Width, Height, Depth).
Node {
    enum Projection { Camera, Screen }

    property vector3d rotationAngle: Qt.vector3d(0, 0, 0)
    property vector3d size: Qt.vector3d(1, 1, 1)
    property int projection: FormNode.Camera
    // The turn about Z that is drawn: rotationAngle.z, unless the object draws a fast turn its
    // own way (see SpinningModel).
    property real drawnAngleZ: rotationAngle.z

    rotation: Quaternion.fromAxisAndAngle(Qt.vector3d(0, 0, 1), drawnAngleZ)
              .times(Quaternion.fromAxisAndAngle(Qt.vector3d(1, 0, 0), rotationAngle.x))
              .times(Quaternion.fromAxisAndAngle(Qt.vector3d(0, 1, 0), rotationAngle.y))
}
