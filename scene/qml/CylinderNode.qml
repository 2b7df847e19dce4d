// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick3D
import Simumoteurs.Scene

// A cylinder filling its object's box: axis along Y, diameter along X and Z.
ObjectNode {
    id: node

    property alias materials: surface.materials

    Model {
        id: surface

        source: "#Cylinder"
        // The built-in cylinder is 100 units across and 100 high.
        scale: node.object.size.times(0.01)
    }
}
