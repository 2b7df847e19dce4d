// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D

// The 3D scene of the window: the stepper motor parked at the right, the light, the DC motor in
// view, and the materials. Everything below `form` is given in the form's own conventions: +Y
// points down on screen, +Z away from the viewer, angles in degrees (see FormNode).
Item {
    id: root

    // Smooth edges for the still picture; the program turns this off while anything moves
    // (see StillSmoothing).
    property bool smoothEdges: true

    // Used by the program to build the models' sub-meshes from their stored geometry.
    function createSubMesh(parentNode, geometry) {
        return subMeshComponent.createObject(parentNode, { "geometry": geometry })
    }
    function setMaterial(model, material) {
        model.materials = material ? [material] : []
    }

    Component {
        id: subMeshComponent
        Model {
            objectName: "subMesh"
        }
    }

    View3D {
        id: view
        objectName: "view3d"
        anchors.fill: parent
        // While anything moves, drawn straight into the window, as cheaply as it can be. Still,
        // drawn into a texture of its own, which progressive anti-aliasing needs: a few more
        // frames smooth the edges, then drawing stops.
        renderMode: root.smoothEdges ? View3D.Offscreen : View3D.Inline
        camera: camera

        environment: SceneEnvironment {
            backgroundMode: SceneEnvironment.Color
            clearColor: "#afeeee"
            antialiasingMode: root.smoothEdges ? SceneEnvironment.ProgressiveAA
                                               : SceneEnvironment.NoAA
            antialiasingQuality: SceneEnvironment.High
        }

        // Looks at the motors' place, (0, 6, 0) in the form, from above, so that the DC motor's
        // body shows behind its disc. The field of view keeps both
        // motors whole and the parked one (20 units aside) out of view; see SceneView.
        // Looks at the motors' place, (0, 6, 0) in the form, from above, so that the DC motor's
        // body shows behind its disc. The field of view shows
        // `halfHeight` units above and below that place, unless the view is so wide that the
        // motor parked 20 units aside would come into view: then `halfWidth` sets it.
        PerspectiveCamera {
            id: camera
            objectName: "camera"
            property real distance: 20
            property real halfHeight: 4.3
            property real halfWidth: 15.2
            readonly property real aspect: view.height > 0 ? view.width / view.height : 1
            readonly property vector3d target: Qt.vector3d(0, -6, 0)
            position: Qt.vector3d(target.x, target.y + 0.25 * distance, target.z + 0.97 * distance)
            eulerRotation: Qt.vector3d(-14.5, 0, 0)
            fieldOfViewOrientation: PerspectiveCamera.Vertical
            fieldOfView: 2 * Math.atan(Math.min(halfHeight, halfWidth / aspect) / distance) * 180 / Math.PI
            clipNear: 1
            clipFar: 200
        }

        Node {
            id: form
            objectName: "form"
            eulerRotation.x: 180

            FormNode {
                objectName: "moteurpasapas"
                position: Qt.vector3d(20, 6, 0)

                FormNode {
                    objectName: "rotor1"
                    rotationAngle: Qt.vector3d(90, 0, 0)

                    FormModel {
                        objectName: "rotor"
                        scale: Qt.vector3d(0.1, 0.1, 0.1)
                        size: Qt.vector3d(25, 25, 25)
                        projection: FormNode.Screen
                        source: ":/models/rotor.mesh"
                    }
                    // The pole letters stand on the bar's pole faces, facing the viewer: their
                    // pair is centred on the turning axis (the letters lie symmetric about their
                    // box's centre), lifted 0.5 along that axis (-Y here, towards the viewer) to
                    // clear the bar, 0.46 thick each side of its middle plane. Scale 2.4 puts
                    // each letter's centre on its pole block, 1.0 from the axis, and keeps it
                    // inside the bar's end; 0.2 across makes them 0.13 deep, a quarter of their
                    // height: flat letters, not slabs.
                    FormModel {
                        objectName: "lettre"
                        position: Qt.vector3d(0, -0.5, 0)
                        scale: Qt.vector3d(2.4, 2.4, 0.2)
                        rotationAngle: Qt.vector3d(90, 0, 0)
                        source: ":/models/lettre.mesh"
                    }
                }
                FormModel {
                    objectName: "stator"
                    scale: Qt.vector3d(0.2, 0.2, 0.2)
                    rotationAngle: Qt.vector3d(90, 0, 0)
                    size: Qt.vector3d(25, 25, 50)
                    projection: FormNode.Screen
                    source: ":/models/stator.mesh"
                }
                FormModel {
                    objectName: "bobine"
                    scale: Qt.vector3d(0.21, 0.2, 0.2)
                    rotationAngle: Qt.vector3d(90, 0, 0)
                    size: Qt.vector3d(25, 25, 25)
                    projection: FormNode.Screen
                    source: ":/models/bobine.mesh"
                }
                FormModel {
                    objectName: "bobine2"
                    scale: Qt.vector3d(0.21, 0.2, 0.2)
                    rotationAngle: Qt.vector3d(135, 0, 90)
                    size: Qt.vector3d(25, 25, 25)
                    projection: FormNode.Screen
                    source: ":/models/bobine2.mesh"
                }
            FormModel {
                objectName: "textebobine1"
                position: Qt.vector3d(3.5, 0, 0)
                scale: Qt.vector3d(1.4, 1.4, 1.4)
                rotationAngle: Qt.vector3d(270, 0, 0)
                source: ":/models/textebobine1.mesh"
            }
            FormModel {
                objectName: "textebobine2"
                position: Qt.vector3d(0, -3.5, 0)
                scale: Qt.vector3d(1.4, 1.4, 1.4)
                rotationAngle: Qt.vector3d(270, 0, 0)
                source: ":/models/textebobine2.mesh"
            }
            FormModel {
                objectName: "textebobine3"
                position: Qt.vector3d(-3.5, 0, 0)
                scale: Qt.vector3d(1.4, 1.4, 1.4)
                rotationAngle: Qt.vector3d(270, 0, 0)
                source: ":/models/textebobine3.mesh"
            }
            FormModel {
                objectName: "textebobine4"
                position: Qt.vector3d(0, 3.5, 0)
                scale: Qt.vector3d(1.4, 1.4, 1.4)
                rotationAngle: Qt.vector3d(270, 0, 0)
                source: ":/models/textebobine4.mesh"
            }
            }

            FormNode {
                objectName: "Light1"
                position: Qt.vector3d(800, 400, -100)
                rotationAngle: Qt.vector3d(340, 300, 0)

                // The form's lights shine along their +Z; Qt Quick 3D's along their -Z.
                // Dimmed so that the yellow label of coil 1 stands out darker than the pale
                // turquoise behind it; the scene's ambient light is white, which the materials'
                // ambient colours scale (the letter N's is full blue).
                DirectionalLight {
                    eulerRotation.y: 180
                    color: "white"
                    brightness: 0.6
                    ambientColor: "white"
                }
            }

            FormNode {
                objectName: "moteurcc"
                position: Qt.vector3d(0, 6, 0)

                SpinningModel {
                    objectName: "axe"
                    scale: Qt.vector3d(3, 3, 3)
                    rotationAngle: Qt.vector3d(0, 180, 0)
                    source: ":/models/axe.mesh"
                    discMaterial: materielaxe
                    behindMaterial: materiel
                }
                FormCylinder {
                    objectName: "corps"
                    position: Qt.vector3d(0, 0, 1.5)
                    scale: Qt.vector3d(3, 3, 3)
                    rotationAngle: Qt.vector3d(90, 0, 0)
                    material: [materiel]
                }
            }
        }

        Node {
            objectName: "materials"

        LightMaterial {
            id: materielstator
            objectName: "materielstator"
            diffuse: "#ffffffff"
            ambient: "#ff202020"
            emissive: "#00000000"
            specular: "#ff606060"
            shininess: 30
            textureSource: "qrc:/textures/stator.png"
        }
        LightMaterial {
            id: materielbobine
            objectName: "materielbobine"
            diffuse: "#ffffa500"
            ambient: "#ff202020"
            emissive: "#00000000"
            specular: "#ff606060"
            shininess: 30
        }
        LightMaterial {
            id: materielrotor
            objectName: "materielrotor"
            diffuse: "#ffee82ee"
            ambient: "#ff202020"
            emissive: "#00000000"
            specular: "#ff606060"
            shininess: 30
        }
        LightMaterial {
            id: materiellettre
            objectName: "materiellettre"
            diffuse: "#ffff0000"
            ambient: "#ff202020"
            emissive: "#00000000"
            specular: "#ff606060"
            shininess: 30
        }
        LightMaterial {
            id: lettreMat11
            objectName: "lettreMat11"
            diffuse: "#ff0000ff"
            ambient: "#ff0000ff"
            emissive: "#00000000"
            specular: "#ff00004f"
            shininess: 30
        }
        LightMaterial {
            id: materielaxe
            objectName: "materielaxe"
            diffuse: "#ffffa500"
            ambient: "#ff202020"
            emissive: "#00000000"
            specular: "#ff606060"
            shininess: 30
        }
        LightMaterial {
            id: materiel
            objectName: "materiel"
            diffuse: "#ffd2b48c"
            ambient: "#ff202020"
            emissive: "#00000000"
            specular: "#ff606060"
            shininess: 30
        }
        LightMaterial {
            id: materielbobine1
            objectName: "materielbobine1"
            diffuse: "#ffffff00"
            ambient: "#ff202020"
            emissive: "#00000000"
            specular: "#ff606060"
            shininess: 30
        }
        LightMaterial {
            id: materielbobine2
            objectName: "materielbobine2"
            diffuse: "#ffff0000"
            ambient: "#ff202020"
            emissive: "#00000000"
            specular: "#ff606060"
            shininess: 30
        }
        LightMaterial {
            id: materielbobine3
            objectName: "materielbobine3"
            diffuse: "#ff008000"
            ambient: "#ff202020"
            emissive: "#00000000"
            specular: "#ff606060"
            shininess: 30
        }
        LightMaterial {
            id: materielbobine4
            objectName: "materielbobine4"
            diffuse: "#ff0000ff"
            ambient: "#ff202020"
            emissive: "#00000000"
            specular: "#ff606060"
            shininess: 30
        }
        LightMaterial {
            id: bobineMat02
            objectName: "bobineMat02"
            diffuse: "#ffffff00"
            ambient: "#ffffff00"
            emissive: "#00000000"
            specular: "#ff4f4f00"
            shininess: 30
        }
        LightMaterial {
            id: bobine2Mat01
            objectName: "bobine2Mat01"
            diffuse: "#ffffff00"
            ambient: "#ffffff00"
            emissive: "#00000000"
            specular: "#ff4f4f00"
            shininess: 30
        }
        LightMaterial {
            id: lettreMat02
            objectName: "lettreMat02"
            diffuse: "#ff0000ff"
            ambient: "#ff0000ff"
            emissive: "#00000000"
            specular: "#ff00004f"
            shininess: 30
        }
        LightMaterial {
            id: bobineMat01
            objectName: "bobineMat01"
            diffuse: "#ffffff00"
            ambient: "#ffffff00"
            emissive: "#00000000"
            specular: "#ff4f4f00"
            shininess: 30
        }
        LightMaterial {
            id: lettreMat01
            objectName: "lettreMat01"
            diffuse: "#ff0000ff"
            ambient: "#ff0000ff"
            emissive: "#00000000"
            specular: "#ff00004f"
            shininess: 30
        }
        }
    }
}
