// SPDX-License-Identifier: GPL-3.0-or-later

// Draws as the material it follows does, whichever that is now.

PhongMaterial {
    id: following

    required property PhongMaterial follows

    diffuse: following.follows ? following.follows.diffuse : "white"
    ambient: following.follows ? following.follows.ambient : "#202020"
    emissive: following.follows ? following.follows.emissive : "#00000000"
    specular: following.follows ? following.follows.specular : "#606060"
    shininess: following.follows ? following.follows.shininess : 30
    textureSource: following.follows ? following.follows.textureSource : ""
}
