// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/form2scene.h"

#include "scene/coilglow.h"
#include "scene/material.h"
#include "scene/mesh.h"
#include "scene/model3d.h"
#include "scene/sceneview.h"
#include "scene/shaftpicture.h"

#include "toolkit/exception.h"

#include <QCoreApplication>
#include <QPointer>

namespace scene {

namespace {

template<class T> T *require(T *found, const char *name)
{
    if (!found)
        throw toolkit::Exception(
            QCoreApplication::translate("scene", "Objet 3D absent de la scène : %1")
                .arg(QLatin1String(name)));
    return found;
}

using toolkit::FloatAnimation;

FloatAnimation *animate(Object3D *object, const char *name, const char *property,
                        void (Object3D::*write)(float), float from, float to, float seconds,
                        bool loop = false)
{
    auto *animation = new FloatAnimation(object, QLatin1String(property),
                                         [object, write](float v) { (object->*write)(v); });
    animation->setObjectName(QLatin1String(name));
    animation->setStartValue(from);
    animation->setStopValue(to);
    animation->setDuration(seconds);
    animation->setLoop(loop);
    return animation;
}

} // namespace

void Form2Scene::setupScene(SceneView &view, toolkit::LessonClock &lesson)
{
#define SM_OBJECT(name) name = require(view.object(QStringLiteral(#name)), #name)
#define SM_MODEL(name) name = require(view.model(QStringLiteral(#name)), #name)
#define SM_MATERIAL(name) name = require(view.material(QStringLiteral(#name)), #name)
    SM_OBJECT(moteurpasapas);
    SM_OBJECT(rotor1);
    SM_MODEL(rotor);
    SM_MODEL(lettre);
    SM_MODEL(stator);
    SM_MODEL(bobine);
    SM_MODEL(bobine2);
    SM_MODEL(textebobine1);
    SM_MODEL(textebobine2);
    SM_MODEL(textebobine3);
    SM_MODEL(textebobine4);
    SM_OBJECT(Light1);
    SM_OBJECT(moteurcc);
    SM_MODEL(axe);
    SM_OBJECT(corps);

    SM_MATERIAL(materielstator);
    SM_MATERIAL(materielbobine);
    SM_MATERIAL(materielrotor);
    SM_MATERIAL(materiellettre);
    SM_MATERIAL(lettreMat11);
    SM_MATERIAL(materielaxe);
    SM_MATERIAL(materiel);
    SM_MATERIAL(materielbobine1);
    SM_MATERIAL(materielbobine2);
    SM_MATERIAL(materielbobine3);
    SM_MATERIAL(materielbobine4);
    SM_MATERIAL(bobineMat02);
    SM_MATERIAL(bobine2Mat01);
    SM_MATERIAL(lettreMat02);
    SM_MATERIAL(bobineMat01);
    SM_MATERIAL(lettreMat01);
    SM_MATERIAL(materielbobinealimentee);
#undef SM_OBJECT
#undef SM_MODEL
#undef SM_MATERIAL

    // Each coil model holds two coils, one on each side of its centre (its + side first):
    // `bobine` those labelled 1 and 3, `bobine2`, laid across it, 4 and 2.
    coilGlow = new CoilGlow({bobine->mesh(0), bobine2->mesh(1), bobine->mesh(1), bobine2->mesh(0)},
                            materielbobine, materielbobinealimentee, bobine);

    animationrotor = animate(rotor, "animationrotor", "RotationAngle.Y",
                             &Object3D::setRotationAngleY, 0, 360, 1.0f, true);
    animationmoteurpasapas = animate(moteurpasapas, "animationmoteurpasapas", "Position.X",
                                     &Object3D::setPositionX, 20, 0, 0.8f);
    animationmoteurpasapasbis = animate(moteurpasapas, "animationmoteurpasapasbis", "Position.X",
                                        &Object3D::setPositionX, 0, 20, 0.8f);
    shaftPicture = view.shaftPicture();
    shaftPicture->setShaft(axe);
    animationaxe = animate(axe, "animationaxe", "RotationAngle.Z", &Object3D::setRotationAngleZ, 0,
                           360, 1.0f, true);
    animationaxenegative = animate(axe, "animationaxenegative", "RotationAngle.Z",
                                   &Object3D::setRotationAngleZ, 0, -360, 1.0f, true);
    shaftPicture->setAnimations(animationaxe, animationaxenegative);
    // The shaft and the rotor move with the lesson; the slides are the window's.
    for (FloatAnimation *turn : {animationrotor, animationaxe, animationaxenegative})
        turn->setClock(&lesson);
    shaftPicture->setClock(&lesson);
    animationmoteurcc =
        animate(moteurcc, "animationmoteurcc", "Position.X", &Object3D::setPositionX, 0, -20, 0.8f);
    animationmoteurccbis = animate(moteurcc, "animationmoteurccbis", "Position.X",
                                   &Object3D::setPositionX, -20, 0, 0.8f);
}

void setUpSceneAtCreation(Form2Scene &s)
{
    s.stator->mesh(0)->setMaterialSource(s.materielstator);
    // Each coil of a pair is a sub-mesh of its own; both take what the pair's first one takes.
    for (const Model3D *pair : {s.bobine, s.bobine2}) {
        for (Mesh *coil : pair->meshes())
            coil->setMaterialSource(s.materielbobine);
    }
    s.rotor->mesh(0)->setMaterialSource(s.materielrotor);
    s.lettre->mesh(0)->setMaterialSource(s.materiellettre);
    s.axe->mesh(0)->setMaterialSource(s.materielaxe);
    s.textebobine1->mesh(0)->setMaterialSource(s.materielbobine1);
    s.textebobine2->mesh(0)->setMaterialSource(s.materielbobine2);
    s.textebobine3->mesh(0)->setMaterialSource(s.materielbobine3);
    s.textebobine4->mesh(0)->setMaterialSource(s.materielbobine4);

    s.moteurpasapas->setPositionX(20);
    s.moteurcc->setPositionX(0);
}

} // namespace scene
