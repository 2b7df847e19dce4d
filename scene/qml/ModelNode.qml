// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick3D
import Simumoteurs.Scene

// Draws a model of the form: its stored geometry, fitted into the model's box, each sub-mesh
// with its own material.
ObjectNode {
    id: node

    required property FormModel model

    object: node.model

    Model {
        geometry: node.model.geometry
        materials: node.model.surfaces
    }
}
