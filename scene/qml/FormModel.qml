// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D

// A model whose geometry is read from a stored model file. The program creates one Model per
// sub-mesh inside `content`, each filling the box its record gives, and scales and moves
// `content` so that the geometry fits the model's box, centred on the model's origin (see
// ModelPlacement).
FormNode {
    property string source
    property alias content: content

    Node {
        id: content
        objectName: "content"
    }
}
