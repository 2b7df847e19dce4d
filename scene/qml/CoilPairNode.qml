// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick3D
import Simumoteurs.Scene

// A model of two coils, each a sub-mesh of its own whose material changes while a trace runs
// (a fed coil glows). Qt Quick 3D rebuilds a model's whole list of materials at every change,
// and keeps a connection to each material it drops, so that every change costs more than the
// one before. Here the list never changes: each coil is drawn by a material of its own that
// takes the colours of the one the program hands the coil.
ObjectNode {
    id: node

    required property FormModel model

    object: node.model

    Model {
        geometry: node.model.geometry
        materials: [first, second]
    }
    FollowingMaterial {
        id: first

        follows: node.model.surfaces.length > 0 ? node.model.surfaces[0] : null
    }
    FollowingMaterial {
        id: second

        follows: node.model.surfaces.length > 1 ? node.model.surfaces[1] : null
    }
}
