// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D

// A cylinder filling its box: axis along Y, diameter along X and Z.
FormNode {
    property alias material: surface.materials

    Model {
        id: surface
        objectName: "surface"
        source: "#Cylinder"
        // The built-in cylinder is 100 units across and 100 high.
        scale: Qt.vector3d(parent.size.x / 100, parent.size.y / 100, parent.size.z / 100)
    }
}
