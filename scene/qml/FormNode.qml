import QtQuick
import QtQuick3D

// An object of the form's 3D scene. Rotation angles are degrees, given as the form gives them:
// the object turns about its X axis, then about its own (turned) Y axis, then about its own Z
// axis. So an object tilted by X 90 turns about its axis of symmetry when its Y angle changes,
// as the stepper's rotor does. Size is the box the object fills (Width, Height, Depth).
Node {
    enum Projection { Camera, Screen }

    property vector3d rotationAngle: Qt.vector3d(0, 0, 0)
    property vector3d size: Qt.vector3d(1, 1, 1)
    property int projection: FormNode.Camera

    rotation: Quaternion.fromAxisAndAngle(Qt.vector3d(1, 0, 0), rotationAngle.x)
              .times(Quaternion.fromAxisAndAngle(Qt.vector3d(0, 1, 0), rotationAngle.y))
              .times(Quaternion.fromAxisAndAngle(Qt.vector3d(0, 0, 1), rotationAngle.z))
}
