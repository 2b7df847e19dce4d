import QtQuick
import QtQuick3D

// An object of the form's 3D scene. Rotation angles are degrees about X, then Y, then Z, given
// as the form gives them; size is the box the object fills (Width, Height, Depth).
Node {
    enum Projection { Camera, Screen }

    property vector3d rotationAngle: Qt.vector3d(0, 0, 0)
    property vector3d size: Qt.vector3d(1, 1, 1)
    property int projection: FormNode.Camera

    rotation: Quaternion.fromAxisAndAngle(Qt.vector3d(0, 0, 1), rotationAngle.z)
              .times(Quaternion.fromAxisAndAngle(Qt.vector3d(0, 1, 0), rotationAngle.y))
              .times(Quaternion.fromAxisAndAngle(Qt.vector3d(1, 0, 0), rotationAngle.x))
}
