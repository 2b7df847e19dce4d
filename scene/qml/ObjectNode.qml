// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D
import Simumoteurs.Scene

// Draws one object of the form's 3D scene as its values say, and follows every change the
// program makes to them. Rotation angles are degrees, given as the form gives them, and turn
// the object about its parent's axes in this order: Y first, then X, then Z. So an object
// tilted by X 90 turns about its own axis of symmetry when its Y angle changes, as the
// stepper's rotor does, and X 135 with Z 90 lays a coil pair across the first one.
Node {
    id: node

    required property FormObject object
    // The turn about Z that is drawn: the object's own, unless the node draws a fast turn its
    // own way (see SpinningModelNode).
    property real drawnAngleZ: node.object.rotationAngle.z
    readonly property quaternion turnAboutX: Quaternion.fromAxisAndAngle(Qt.vector3d(1, 0, 0), node.object.rotationAngle.x)
    readonly property quaternion turnAboutY: Quaternion.fromAxisAndAngle(Qt.vector3d(0, 1, 0), node.object.rotationAngle.y)
    readonly property quaternion turnAboutZ: Quaternion.fromAxisAndAngle(Qt.vector3d(0, 0, 1), node.drawnAngleZ)

    objectName: node.object.objectName
    position: node.object.position
    scale: node.object.scale
    visible: node.object.visible
    rotation: turnAboutZ.times(turnAboutX).times(turnAboutY)
}
