// SPDX-License-Identifier: GPL-3.0-or-later
// The window's 3D scene after creation: every named object where the form puts it, every
// material with its colours, every animation at rest, and the materials of the sub-meshes
// after the creation-time set-up. Expected values are the form's, typed here as data.

#include "scene/form2scene.h"
#include "scene/material.h"
#include "scene/mesh.h"
#include "scene/model3d.h"
#include "scene/modelplacement.h"
#include "scene/sceneview.h"

#include "toolkit/exception.h"

#include <QMatrix4x4>
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

    void objectPlacement_data();
    void objectPlacement();
    void materials_data();
    void materials();
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
    QObject *object(const QString &name) const;

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

QObject *TestSceneTree::object(const QString &name) const
{
    if (Object3D *o = m_view->object(name))
        return o;
    return nullptr;
}

void TestSceneTree::objectPlacement_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVector3D>("position");
    QTest::addColumn<QVector3D>("rotation");
    QTest::addColumn<QVector3D>("scale");
    QTest::addColumn<QVector3D>("size");
    QTest::addColumn<int>("projection"); // 1: screen

    const QVector3D one(1, 1, 1);
    const QVector3D zero;
    QTest::newRow("moteurpasapas")
        << "moteurpasapas" << QVector3D(20, 6, 0) << zero << one << one << 0;
    QTest::newRow("rotor1") << "rotor1" << zero << QVector3D(90, 0, 0) << one << one << 0;
    QTest::newRow("rotor") << "rotor" << zero << zero << QVector3D(0.1f, 0.1f, 0.1f)
                           << QVector3D(25, 25, 25) << 1;
    QTest::newRow("lettre") << "lettre" << QVector3D(0, -0.5f, 0) << QVector3D(90, 0, 0)
                            << QVector3D(2.4f, 2.4f, 0.2f) << one << 0;
    QTest::newRow("stator") << "stator" << zero << QVector3D(90, 0, 0)
                            << QVector3D(0.2f, 0.2f, 0.2f) << QVector3D(25, 25, 50) << 1;
    QTest::newRow("bobine") << "bobine" << zero << QVector3D(90, 0, 0)
                            << QVector3D(0.21f, 0.2f, 0.2f) << QVector3D(25, 25, 25) << 1;
    QTest::newRow("bobine2") << "bobine2" << zero << QVector3D(135, 0, 90)
                             << QVector3D(0.21f, 0.2f, 0.2f) << QVector3D(25, 25, 25) << 1;
    const QVector3D label(1.4f, 1.4f, 1.4f);
    const QVector3D labelTurn(270, 0, 0);
    QTest::newRow("textebobine1") << "textebobine1" << QVector3D(3.5f, 0, 0) << labelTurn << label
                                  << one << 0;
    QTest::newRow("textebobine2") << "textebobine2" << QVector3D(0, -3.5f, 0) << labelTurn << label
                                  << one << 0;
    QTest::newRow("textebobine3") << "textebobine3" << QVector3D(-3.5f, 0, 0) << labelTurn << label
                                  << one << 0;
    QTest::newRow("textebobine4") << "textebobine4" << QVector3D(0, 3.5f, 0) << labelTurn << label
                                  << one << 0;
    QTest::newRow("Light1") << "Light1" << QVector3D(800, 400, -100) << QVector3D(340, 300, 0)
                            << one << one << 0;
    QTest::newRow("moteurcc") << "moteurcc" << QVector3D(0, 6, 0) << zero << one << one << 0;
    QTest::newRow("axe") << "axe" << zero << QVector3D(0, 180, 0) << QVector3D(3, 3, 3) << one << 0;
    QTest::newRow("corps") << "corps" << QVector3D(0, 0, 1.5f) << QVector3D(90, 0, 0)
                           << QVector3D(3, 3, 3) << one << 0;
}

void TestSceneTree::objectPlacement()
{
    QFETCH(QString, name);
    QFETCH(QVector3D, position);
    QFETCH(QVector3D, rotation);
    QFETCH(QVector3D, scale);
    QFETCH(QVector3D, size);
    QFETCH(int, projection);
    Object3D *o = m_view->object(name);
    QVERIFY2(o, qPrintable(name));
    QCOMPARE(o->position(), position);
    QCOMPARE(o->rotationAngle(), rotation);
    QCOMPARE(o->scale(), scale);
    QCOMPARE(o->size(), size);
    QCOMPARE(o->projection(), projection);
    QVERIFY(o->isVisible());
}

void TestSceneTree::materials_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRgb>("diffuse");
    QTest::addColumn<QRgb>("ambient");
    QTest::addColumn<QRgb>("emissive");
    QTest::addColumn<QRgb>("specular");
    QTest::addColumn<bool>("textured");

    auto row = [](const char *n, QRgb d, QRgb a, QRgb s, bool t = false) {
        QTest::newRow(n) << QString::fromLatin1(n) << d << a << QRgb(0x00000000) << s << t;
    };
    row("materielstator", 0xFFFFFFFF, 0xFF202020, 0xFF606060, true);
    row("materielbobine", 0xFFFFA500, 0xFF202020, 0xFF606060);
    row("materielrotor", 0xFFEE82EE, 0xFF202020, 0xFF606060);
    row("materiellettre", 0xFFFF0000, 0xFF202020, 0xFF606060);
    row("lettreMat11", 0xFF0000FF, 0xFF0000FF, 0xFF00004F);
    row("materielaxe", 0xFFFFA500, 0xFF202020, 0xFF606060);
    row("materiel", 0xFFD2B48C, 0xFF202020, 0xFF606060);
    row("materielbobine1", 0xFFFFFF00, 0xFF202020, 0xFF606060);
    row("materielbobine2", 0xFFFF0000, 0xFF202020, 0xFF606060);
    row("materielbobine3", 0xFF008000, 0xFF202020, 0xFF606060);
    row("materielbobine4", 0xFF0000FF, 0xFF202020, 0xFF606060);
    row("bobineMat02", 0xFFFFFF00, 0xFFFFFF00, 0xFF4F4F00);
    row("bobine2Mat01", 0xFFFFFF00, 0xFFFFFF00, 0xFF4F4F00);
    row("lettreMat02", 0xFF0000FF, 0xFF0000FF, 0xFF00004F);
    row("bobineMat01", 0xFFFFFF00, 0xFFFFFF00, 0xFF4F4F00);
    row("lettreMat01", 0xFF0000FF, 0xFF0000FF, 0xFF00004F);
}

void TestSceneTree::materials()
{
    QFETCH(QString, name);
    QFETCH(QRgb, diffuse);
    QFETCH(QRgb, ambient);
    QFETCH(QRgb, emissive);
    QFETCH(QRgb, specular);
    QFETCH(bool, textured);
    Material *m = m_view->material(name);
    QVERIFY2(m, qPrintable(name));
    QCOMPARE(m->diffuse().rgba(), diffuse);
    QCOMPARE(m->ambient().rgba(), ambient);
    QCOMPARE(m->emissive().rgba(), emissive);
    QCOMPARE(m->specular().rgba(), specular);
    QCOMPARE(m->shininess(), 30.0f);
    QCOMPARE(!m->textureSource().isEmpty(), textured);
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
    QTest::addColumn<QString>("storedName");

    QTest::newRow("stator") << "stator" << 0 << "materielstator"
                            << "";
    QTest::newRow("bobine") << "bobine" << 0 << "materielbobine"
                            << "Form2.bobineMat02";
    QTest::newRow("bobine2") << "bobine2" << 0 << "materielbobine"
                             << "Form2.bobine2Mat01";
    QTest::newRow("rotor") << "rotor" << 0 << "materielrotor"
                           << "";
    QTest::newRow("letter S") << "lettre" << 0 << "materiellettre"
                              << "Form2.lettreMat02";
    QTest::newRow("letter N keeps its own") << "lettre" << 1 << "lettreMat11"
                                            << "Form2.lettreMat11";
    QTest::newRow("axe") << "axe" << 0 << "materielaxe"
                         << "";
    QTest::newRow("textebobine1") << "textebobine1" << 0 << "materielbobine1"
                                  << "";
    QTest::newRow("textebobine2") << "textebobine2" << 0 << "materielbobine2"
                                  << "";
    QTest::newRow("textebobine3") << "textebobine3" << 0 << "materielbobine3"
                                  << "";
    QTest::newRow("textebobine4") << "textebobine4" << 0 << "materielbobine4"
                                  << "";
}

void TestSceneTree::subMeshMaterialsAfterSetUp()
{
    QFETCH(QString, model);
    QFETCH(int, index);
    QFETCH(QString, material);
    QFETCH(QString, storedName);
    Model3D *m = m_view->model(model);
    QVERIFY(m);
    scene::Mesh *mesh = m->mesh(index);
    QVERIFY(mesh->materialSource());
    QCOMPARE(mesh->materialSource()->objectName(), material);
    QCOMPARE(mesh->storedMaterialName(), storedName);
    // The scene draws it with that material.
    const auto drawn = mesh->model()->property("materials");
    QVERIFY(drawn.isValid());
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
    Model3D empty(nullptr, &owner);
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
    auto transform = [this](Object3D *o) {
        return o->node()->property("sceneTransform").value<QMatrix4x4>();
    };
    QList<Object3D *> turning = {m_scene.rotor, m_scene.lettre};
    QList<Object3D *> still = {m_scene.stator,       m_scene.bobine,        m_scene.bobine2,
                               m_scene.textebobine1, m_scene.textebobine2,  m_scene.textebobine3,
                               m_scene.textebobine4, m_scene.moteurpasapas, m_scene.axe,
                               m_scene.corps};
    QList<QMatrix4x4> before;
    for (Object3D *o : turning + still)
        before << transform(o);

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
    auto axisOf = [](Object3D *coils) {
        const QMatrix4x4 m = coils->node()->property("sceneTransform").value<QMatrix4x4>();
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
