// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D

View3D {
    renderMode: View3D.Inline
    environment: SceneEnvironment { clearColor: "white"; backgroundMode: SceneEnvironment.Color }
    PerspectiveCamera { z: 300 }
    DirectionalLight { }
    Model {
        source: "#Cube"
        materials: PrincipledMaterial { baseColor: "steelblue" }
    }
}
