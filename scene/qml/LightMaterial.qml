// SPDX-License-Identifier: GPL-3.0-or-later
import Simumoteurs.Scene

// A material of the form, which the program finds by its name.
PhongMaterial {
    id: lit

    // The program's handle on this material, under the material's name.
    readonly property FormMaterial handle: FormMaterial {
        objectName: lit.objectName
        surface: lit
    }
}
