// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick3D
import Simumoteurs.Scene

// The 3D scene of the window: the stepper motor parked at the right, the light, the DC motor in
// view, and the materials. Each object of the form is declared with its values (a FormObject or,
// for a stored model, a FormModel) inside the node that draws it. Everything below `form` is
// given in the form's own conventions: +Y points down on screen, +Z away from the viewer, angles
// in degrees (see ObjectNode).
Item {
    id: root

    // Smooth edges for the still picture only (see StillSmoothing).
    required property StillSmoothing stillSmoothing
    // How the DC motor's shaft is drawn (see ShaftPicture).
    required property ShaftPicture shaftPicture

    View3D {
        id: view

        anchors.fill: parent
        // While anything moves, drawn straight into the window, as cheaply as it can be. Still,
        // drawn into a texture of its own, which progressive anti-aliasing needs: a few more
        // frames smooth the edges, then drawing stops.
        renderMode: root.stillSmoothing.smooth ? View3D.Offscreen : View3D.Inline
        camera: camera

        environment: SceneEnvironment {
            backgroundMode: SceneEnvironment.Color
            // The window's own background, which the program sets.
            clearColor: root.Window.window ? root.Window.window.color : "transparent"
            antialiasingMode: root.stillSmoothing.smooth ? SceneEnvironment.ProgressiveAA : SceneEnvironment.NoAA
            antialiasingQuality: SceneEnvironment.High
        }

        // Looks at the motors' place, (0, 6, 0) in the form, from above, so that the DC motor's
        // body shows behind its disc. The field of view shows `halfHeight` units above and below
        // that place, unless the view is so wide that the motor parked 20 units aside would come
        // into view: then `halfWidth` sets it.
        PerspectiveCamera {
            id: camera

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

            eulerRotation.x: 180

            ObjectNode {
                object: FormObject {
                    objectName: "moteurpasapas"
                    position: Qt.vector3d(20, 6, 0)
                }

                ObjectNode {
                    object: FormObject {
                        objectName: "rotor1"
                        rotationAngle: Qt.vector3d(90, 0, 0)
                    }

                    ModelNode {
                        model: FormModel {
                            objectName: "rotor"
                            scale: Qt.vector3d(0.1, 0.1, 0.1)
                            size: Qt.vector3d(25, 25, 25)
                            projection: FormObject.ScreenProjection
                            geometry: MeshGeometry {
                                source: "qrc:/models/rotor.mesh"
                            }
                        }
                    }
                    // The pole letters stand on the bar's pole faces, facing the viewer: their
                    // pair is centred on the turning axis (the letters lie symmetric about their
                    // box's centre), lifted 0.5 along that axis (-Y here, towards the viewer) to
                    // clear the bar, 0.46 thick each side of its middle plane. Scale 2.4 puts
                    // each letter's centre on its pole block, 1.0 from the axis, and keeps it
                    // inside the bar's end; 0.2 across makes them 0.13 deep, a quarter of their
                    // height: flat letters, not slabs.
                    ModelNode {
                        model: FormModel {
                            objectName: "lettre"
                            position: Qt.vector3d(0, -0.5, 0)
                            scale: Qt.vector3d(2.4, 2.4, 0.2)
                            rotationAngle: Qt.vector3d(90, 0, 0)
                            geometry: MeshGeometry {
                                source: "qrc:/models/lettre.mesh"
                            }
                        }
                    }
                }
                ModelNode {
                    model: FormModel {
                        objectName: "stator"
                        scale: Qt.vector3d(0.2, 0.2, 0.2)
                        rotationAngle: Qt.vector3d(90, 0, 0)
                        size: Qt.vector3d(25, 25, 50)
                        projection: FormObject.ScreenProjection
                        geometry: MeshGeometry {
                            source: "qrc:/models/stator.mesh"
                        }
                    }
                }
                CoilPairNode {
                    model: FormModel {
                        objectName: "bobine"
                        scale: Qt.vector3d(0.21, 0.2, 0.2)
                        rotationAngle: Qt.vector3d(90, 0, 0)
                        size: Qt.vector3d(25, 25, 25)
                        projection: FormObject.ScreenProjection
                        geometry: MeshGeometry {
                            source: "qrc:/models/bobine.mesh"
                            // One sub-mesh per coil, so that a fed coil can glow alone.
                            splitAcrossX: true
                        }
                    }
                }
                CoilPairNode {
                    model: FormModel {
                        objectName: "bobine2"
                        scale: Qt.vector3d(0.21, 0.2, 0.2)
                        rotationAngle: Qt.vector3d(135, 0, 90)
                        size: Qt.vector3d(25, 25, 25)
                        projection: FormObject.ScreenProjection
                        geometry: MeshGeometry {
                            source: "qrc:/models/bobine2.mesh"
                            // One sub-mesh per coil, so that a fed coil can glow alone.
                            splitAcrossX: true
                        }
                    }
                }
                ModelNode {
                    model: FormModel {
                        objectName: "textebobine1"
                        position: Qt.vector3d(3.5, 0, 0)
                        scale: Qt.vector3d(1.4, 1.4, 1.4)
                        rotationAngle: Qt.vector3d(270, 0, 0)
                        geometry: MeshGeometry {
                            source: "qrc:/models/textebobine1.mesh"
                        }
                    }
                }
                ModelNode {
                    model: FormModel {
                        objectName: "textebobine2"
                        position: Qt.vector3d(0, -3.5, 0)
                        scale: Qt.vector3d(1.4, 1.4, 1.4)
                        rotationAngle: Qt.vector3d(270, 0, 0)
                        geometry: MeshGeometry {
                            source: "qrc:/models/textebobine2.mesh"
                        }
                    }
                }
                ModelNode {
                    model: FormModel {
                        objectName: "textebobine3"
                        position: Qt.vector3d(-3.5, 0, 0)
                        scale: Qt.vector3d(1.4, 1.4, 1.4)
                        rotationAngle: Qt.vector3d(270, 0, 0)
                        geometry: MeshGeometry {
                            source: "qrc:/models/textebobine3.mesh"
                        }
                    }
                }
                ModelNode {
                    model: FormModel {
                        objectName: "textebobine4"
                        position: Qt.vector3d(0, 3.5, 0)
                        scale: Qt.vector3d(1.4, 1.4, 1.4)
                        rotationAngle: Qt.vector3d(270, 0, 0)
                        geometry: MeshGeometry {
                            source: "qrc:/models/textebobine4.mesh"
                        }
                    }
                }
            }

            ObjectNode {
                object: FormObject {
                    objectName: "Light1"
                    position: Qt.vector3d(800, 400, -100)
                    rotationAngle: Qt.vector3d(340, 300, 0)
                }

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

            ObjectNode {
                object: FormObject {
                    objectName: "moteurcc"
                    position: Qt.vector3d(0, 6, 0)
                }

                SpinningModelNode {
                    model: FormModel {
                        objectName: "axe"
                        scale: Qt.vector3d(3, 3, 3)
                        rotationAngle: Qt.vector3d(0, 180, 0)
                        geometry: MeshGeometry {
                            source: "qrc:/models/axe.mesh"
                        }
                    }
                    picture: root.shaftPicture
                    discMaterial: materielaxe
                    behindMaterial: materiel
                }
                CylinderNode {
                    object: FormObject {
                        objectName: "corps"
                        position: Qt.vector3d(0, 0, 1.5)
                        scale: Qt.vector3d(3, 3, 3)
                        rotationAngle: Qt.vector3d(90, 0, 0)
                    }
                    materials: [materiel]
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
            // A fed coil: the coils' copper, lit from within by a pale warm glow that no other
            // colour of the scene has (the labels' yellow, red, green and blue, the letters'
            // red and blue).
            LightMaterial {
                id: materielbobinealimentee
                objectName: "materielbobinealimentee"
                diffuse: "#ffffd27a"
                ambient: "#ff202020"
                emissive: "#ff8c7848"
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
