// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/floatanimation.h"
#include "toolkit/lessonclock.h"

namespace scene {

class CoilGlow;
class Material;
class Model3D;
class Object3D;
class SceneView;
class ShaftPicture;

/// The named objects of the window's 3D scene, one member each, as the window's 2D controls
/// are: bound by setupScene() to the scene that a SceneView has loaded.
struct Form2Scene
{
    // The stepper motor, parked at X 20.
    Object3D *moteurpasapas = nullptr;
    Object3D *rotor1 = nullptr;
    Model3D *rotor = nullptr;
    Model3D *lettre = nullptr;
    Model3D *stator = nullptr;
    Model3D *bobine = nullptr;
    Model3D *bobine2 = nullptr;
    Model3D *textebobine1 = nullptr;
    Model3D *textebobine2 = nullptr;
    Model3D *textebobine3 = nullptr;
    Model3D *textebobine4 = nullptr;

    Object3D *Light1 = nullptr;

    // The DC motor, in view at X 0.
    Object3D *moteurcc = nullptr;
    Model3D *axe = nullptr;
    Object3D *corps = nullptr;

    Material *materielstator = nullptr;
    Material *materielbobine = nullptr;
    Material *materielrotor = nullptr;
    Material *materiellettre = nullptr;
    Material *lettreMat11 = nullptr;
    Material *materielaxe = nullptr;
    Material *materiel = nullptr;
    Material *materielbobine1 = nullptr;
    Material *materielbobine2 = nullptr;
    Material *materielbobine3 = nullptr;
    Material *materielbobine4 = nullptr;
    Material *bobineMat02 = nullptr;
    Material *bobine2Mat01 = nullptr;
    Material *lettreMat02 = nullptr;
    Material *bobineMat01 = nullptr;
    Material *lettreMat01 = nullptr;
    /// A fed coil: the coils' copper under a pale warm glow.
    Material *materielbobinealimentee = nullptr;

    /// Which of the stepper's coils glow as fed: the four coils of `bobine` and `bobine2`.
    CoilGlow *coilGlow = nullptr;

    // Turning and sliding; all disabled until a handler enables them.
    toolkit::FloatAnimation *animationrotor = nullptr;
    toolkit::FloatAnimation *animationmoteurpasapas = nullptr;
    toolkit::FloatAnimation *animationmoteurpasapasbis = nullptr;
    toolkit::FloatAnimation *animationaxe = nullptr;
    toolkit::FloatAnimation *animationaxenegative = nullptr;
    toolkit::FloatAnimation *animationmoteurcc = nullptr;
    toolkit::FloatAnimation *animationmoteurccbis = nullptr;

    /// The shaft as the window shows it: which of animationaxe and animationaxenegative turns
    /// it, its true rate, and how that turn is drawn.
    ShaftPicture *shaftPicture = nullptr;

    /// Binds every member to its object in @p view's scene and creates the animations; those that
    /// move with the lesson (the shaft's turns and its picture, the rotor's) follow @p lesson.
    /// Throws toolkit::Exception when an object is missing from the scene.
    void setupScene(SceneView &view, toolkit::LessonClock &lesson);
};

/// The scene's set-up when the window is created: each model's first sub-mesh takes its
/// material (and so does each coil of `bobine` and `bobine2`, drawn as sub-meshes of their own),
/// then the stepper is parked at X 20 and the DC motor put in view at X 0.
/// Throws toolkit::Exception when a model has no sub-mesh.
void setUpSceneAtCreation(Form2Scene &scene);

} // namespace scene
