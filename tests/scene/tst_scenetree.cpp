// SPDX-License-Identifier: GPL-3.0-or-later
// The window's 3D scene after creation: every animation at rest, the materials of the
// sub-meshes after the creation-time set-up, and how the drawn objects move together.

#include "scene/form2scene.h"
#include "scene/material.h"
#include "scene/mesh.h"
#include "scene/model3d.h"
#include "scene/modelplacement.h"
#include "scene/sceneview.h"

#include "toolkit/exception.h"

#include <QMatrix4x4>
#include <QQuick3DObject>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

using scene::Form2Scene;
using scene::Material;
using scene::Model3D;
using scene::Object3D;

Q_DECLARE_METATYPE(QVector3D)

class TestSceneTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void animationsAtRest_data();
    void animationsAtRest();
    void subMeshMaterialsAfterSetUp_data();
    void subMeshMaterialsAfterSetUp();
    void modelsHoldTheirSubMeshes();
    void aModelWithoutSubMeshesRaisesAClearError();
    void subMeshesFillTheirRecordsThenTheModelBox();
    void rotorAssemblyTurnsAlone();
    void coilPairsLieCrossedInTheStatorPlane();
    void setUpParksTheMotors();

private:
    QMatrix4x4 drawnTransform(const Object3D *object) const;

    scene::SceneView *m_view = nullptr;
    Form2Scene m_scene;
};

void TestSceneTree::initTestCase()
{
    m_view = new scene::SceneView;
    m_scene.setupScene(*m_view);
    scene::setUpSceneAtCreation(m_scene);
}

void TestSceneTree::cleanupTestCase()
{
    delete m_view;
}

// Where the scene draws @p object: the transform of the node that bears its name.
QMatrix4x4 TestSceneTree::drawnTransform(const Object3D *object) const
{
    const auto *node =
        m_view->quickView()->rootObject()->findChild<QQuick3DObject *>(object->objectName());
    return node ? node->property("sceneTransform").value<QMatrix4x4>() : QMatrix4x4();
}

void TestSceneTree::animationsAtRest_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("property");
    QTest::addColumn<float>("from");
    QTest::addColumn<float>("to");
    QTest::addColumn<float>("seconds");
    QTest::addColumn<bool>("loop");

    QTest::newRow("animationrotor") << "rotor"
                                    << "animationrotor"
                                    << "RotationAngle.Y" << 0.0f << 360.0f << 1.0f << true;
    QTest::newRow("animationmoteurpasapas") << "moteurpasapas"
                                            << "animationmoteurpasapas"
                                            << "Position.X" << 20.0f << 0.0f << 0.8f << false;
    QTest::newRow("animationmoteurpasapasbis") << "moteurpasapas"
                                               << "animationmoteurpasapasbis"
                                               << "Position.X" << 0.0f << 20.0f << 0.8f << false;
    QTest::newRow("animationaxe") << "axe"
                                  << "animationaxe"
                                  << "RotationAngle.Z" << 0.0f << 360.0f << 1.0f << true;
    QTest::newRow("animationaxenegative") << "axe"
                                          << "animationaxenegative"
                                          << "RotationAngle.Z" << 0.0f << -360.0f << 1.0f << true;
    QTest::newRow("animationmoteurcc") << "moteurcc"
                                       << "animationmoteurcc"
                                       << "Position.X" << 0.0f << -20.0f << 0.8f << false;
    QTest::newRow("animationmoteurccbis") << "moteurcc"
                                          << "animationmoteurccbis"
                                          << "Position.X" << -20.0f << 0.0f << 0.8f << false;
}

void TestSceneTree::animationsAtRest()
{
    QFETCH(QString, owner);
    QFETCH(QString, name);
    QFETCH(QString, property);
    QFETCH(float, from);
    QFETCH(float, to);
    QFETCH(float, seconds);
    QFETCH(bool, loop);
    auto *animation = m_view->object(owner)->findChild<toolkit::FloatAnimation *>(name);
    QVERIFY2(animation, qPrintable(name));
    QCOMPARE(animation->propertyName(), property);
    QCOMPARE(animation->startValue(), from);
    QCOMPARE(animation->stopValue(), to);
    QCOMPARE(animation->duration(), seconds);
    QCOMPARE(animation->loop(), loop);
    QVERIFY(!animation->enabled());
    QVERIFY(!animation->isRunning());
}

void TestSceneTree::subMeshMaterialsAfterSetUp_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("material");

    QTest::newRow("stator") << "stator" << 0 << "materielstator";
    QTest::newRow("bobine") << "bobine" << 0 << "materielbobine";
    QTest::newRow("bobine2") << "bobine2" << 0 << "materielbobine";
    QTest::newRow("rotor") << "rotor" << 0 << "materielrotor";
    QTest::newRow("letter S") << "lettre" << 0 << "materiellettre";
    QTest::newRow("letter N keeps its own") << "lettre" << 1 << "lettreMat11";
    QTest::newRow("axe") << "axe" << 0 << "materielaxe";
    QTest::newRow("textebobine1") << "textebobine1" << 0 << "materielbobine1";
    QTest::newRow("textebobine2") << "textebobine2" << 0 << "materielbobine2";
    QTest::newRow("textebobine3") << "textebobine3" << 0 << "materielbobine3";
    QTest::newRow("textebobine4") << "textebobine4" << 0 << "materielbobine4";
}

void TestSceneTree::subMeshMaterialsAfterSetUp()
{
    QFETCH(QString, model);
    QFETCH(int, index);
    QFETCH(QString, material);
    Model3D *m = m_view->model(model);
    QVERIFY(m);
    scene::Mesh *mesh = m->mesh(index);
    QVERIFY(mesh->materialSource());
    QCOMPARE(mesh->materialSource()->objectName(), material);
    // The scene draws it with that material.
    QQmlListProperty<QObject> drawn = m->surfaces();
    QVERIFY(drawn.count(&drawn) > index);
    QCOMPARE(drawn.at(&drawn, index), mesh->materialSource()->surface());
}

void TestSceneTree::modelsHoldTheirSubMeshes()
{
    const QStringList single = {QStringLiteral("rotor"),        QStringLiteral("stator"),
                                QStringLiteral("bobine"),       QStringLiteral("bobine2"),
                                QStringLiteral("textebobine1"), QStringLiteral("textebobine2"),
                                QStringLiteral("textebobine3"), QStringLiteral("textebobine4"),
                                QStringLiteral("axe")};
    for (const QString &name : single)
        QCOMPARE(m_view->model(name)->meshes().size(), 1);
    QCOMPARE(m_scene.lettre->meshes().size(), 2);
}

void TestSceneTree::aModelWithoutSubMeshesRaisesAClearError()
{
    QObject owner;
    Model3D empty(&owner);
    empty.setObjectName(QStringLiteral("vide"));
    try {
        empty.mesh(0);
        QFAIL("no exception");
    } catch (const toolkit::Exception &e) {
        QVERIFY2(e.message().contains(QLatin1String("vide")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QLatin1String("0")), qPrintable(e.message()));
    }
}

void TestSceneTree::subMeshesFillTheirRecordsThenTheModelBox()
{
    // Two cubes whose vertices span -1 to 1; their records put one 2 wide at X -3 and stretch
    // the other to 4 wide at X +2. Together they span X -4 to 4, which a 10-unit box fits at
    // 1.25 times, centred, whatever the other axes hold.
    scene::MeshData cube;
    for (float x : {-1.0f, 1.0f}) {
        for (float y : {-1.0f, 1.0f}) {
            for (float z : {-1.0f, 1.0f})
                cube.vertices.push_back({x, y, z, 0, 0, 1});
        }
    }
    scene::ModelGeometry geometry;
    geometry.subMeshes.push_back({{-3, 0, 0}, {2, 2, 2}, true, false, {}, cube});
    geometry.subMeshes.push_back({{2, 0, 0}, {4, 2, 2}, true, false, {}, cube});
    const auto placement = scene::ModelPlacement::of(geometry, QVector3D(10, 10, 10));
    QCOMPARE(placement.subMeshes.size(), 2u);
    auto drawn = [&](std::size_t subMesh, QVector3D p) {
        return placement.model.apply(placement.subMeshes[subMesh].apply(p));
    };
    QCOMPARE(drawn(0, {-1, -1, -1}), QVector3D(-5, -1.25f, -1.25f));
    QCOMPARE(drawn(0, {1, 1, 1}), QVector3D(-2.5f, 1.25f, 1.25f));
    QCOMPARE(drawn(1, {-1, -1, -1}), QVector3D(0, -1.25f, -1.25f));
    QCOMPARE(drawn(1, {1, 1, 1}), QVector3D(5, 1.25f, 1.25f));
}

void TestSceneTree::rotorAssemblyTurnsAlone()
{
    auto transform = [this](Object3D *o) { return drawnTransform(o); };
    QList<Object3D *> turning = {m_scene.rotor, m_scene.lettre};
    QList<Object3D *> still = {m_scene.stator,       m_scene.bobine,        m_scene.bobine2,
                               m_scene.textebobine1, m_scene.textebobine2,  m_scene.textebobine3,
                               m_scene.textebobine4, m_scene.moteurpasapas, m_scene.axe,
                               m_scene.corps};
    QList<QMatrix4x4> before;
    for (Object3D *o : turning + still) {
        QVERIFY2(!transform(o).isIdentity(), qPrintable(o->objectName())); // drawn somewhere
        before << transform(o);
    }

    m_scene.rotor1->setRotationAngleY(-90.0f);
    QCOMPARE(m_scene.rotor1->rotationAngle(), QVector3D(90, -90, 0));
    int i = 0;
    for (Object3D *o : turning)
        QVERIFY2(!qFuzzyCompare(transform(o), before.at(i++)), qPrintable(o->objectName()));
    for (Object3D *o : still)
        QVERIFY2(qFuzzyCompare(transform(o), before.at(i++)), qPrintable(o->objectName()));

    // It turns about the motor's axis, which points at the viewer: the bar stays in the plane
    // of the stator whatever the angle, and a quarter turn takes it from across to upright.
    auto barDirection = [&] {
        const QMatrix4x4 m = transform(m_scene.rotor);
        return (m.map(QVector3D(1, 0, 0)) - m.map(QVector3D(0, 0, 0))).normalized();
    };
    for (float angle : {0.0f, -45.0f, -90.0f, -1080.0f}) {
        m_scene.rotor1->setRotationAngleY(angle);
        QVERIFY2(qAbs(barDirection().z()) < 1e-4f, qPrintable(QString::number(angle)));
    }
    m_scene.rotor1->setRotationAngleY(0.0f);
    QVERIFY(qAbs(barDirection().y()) < 1e-4f);
    m_scene.rotor1->setRotationAngleY(-90.0f);
    QVERIFY(qAbs(barDirection().x()) < 1e-4f);

    // Angles are never brought back into a turn.
    m_scene.rotor1->setRotationAngleY(-1080.0f);
    QCOMPARE(m_scene.rotor1->rotationAngle().y(), -1080.0f);
    m_scene.rotor1->setRotationAngleY(0.0f);
}

void TestSceneTree::coilPairsLieCrossedInTheStatorPlane()
{
    auto axisOf = [this](Object3D *coils) {
        const QMatrix4x4 m = drawnTransform(coils);
        return (m.map(QVector3D(1, 0, 0)) - m.map(QVector3D(0, 0, 0))).normalized();
    };
    const QVector3D first = axisOf(m_scene.bobine);
    const QVector3D second = axisOf(m_scene.bobine2);
    // Both axes lie in the plane facing the viewer, a quarter turn apart.
    QVERIFY2(qAbs(first.z()) < 1e-4f, qPrintable(QString::number(first.z())));
    QVERIFY2(qAbs(second.z()) < 1e-4f, qPrintable(QString::number(second.z())));
    QVERIFY2(qAbs(QVector3D::dotProduct(first, second)) < 1e-4f, "not crossed");
}

void TestSceneTree::setUpParksTheMotors()
{
    m_scene.moteurpasapas->setPositionX(3);
    m_scene.moteurcc->setPositionX(-7);
    scene::setUpSceneAtCreation(m_scene);
    QCOMPARE(m_scene.moteurpasapas->position(), QVector3D(20, 6, 0));
    QCOMPARE(m_scene.moteurcc->position(), QVector3D(0, 6, 0));
}

QTEST_MAIN(TestSceneTree)
#include "tst_scenetree.moc"
