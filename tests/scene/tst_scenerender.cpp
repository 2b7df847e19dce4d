// SPDX-License-Identifier: GPL-3.0-or-later
// What the 3D view draws, read back from the screen: needs a real X display with OpenGL (Xvfb
// with Mesa's software renderer will do).

#include "scene/form2scene.h"
#include "scene/object3d.h"
#include "scene/sceneview.h"
#include "scene/shaftpicture.h"

#include <QGuiApplication>
#include <QQuickView>
#include <QTest>

#include <cmath>

namespace {

// The stepper seen end-on: the stator ring, the only copper-coloured thing, gives the motor's
// centre and radius; inside it lie the rotor's letters, the red S and the blue N (the coil labels
// lie outside the ring). Colours are told by the ratios of the channels, so that a dimmer or
// brighter light does not change the answer; faces in shadow count for nothing.
struct StepperPicture
{
    enum Hue { Other, Red, Blue, Copper };
    static Hue hueOf(QRgb p)
    {
        const double r = qRed(p), g = qGreen(p), b = qBlue(p), top = std::max({r, g, b});
        if (top < 60)
            return Other;
        if (r == top && g < 0.35 * r && b < 0.35 * r)
            return Red;
        if (b == top && r < 0.35 * b && g < 0.35 * b)
            return Blue;
        return r > g && g > b && b > 0.4 * r && b < 0.85 * r && g < 0.82 * r ? Copper : Other;
    }

    explicit StepperPicture(const QImage &image)
    {
        QRect ring;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                ring |= hueOf(image.pixel(x, y)) == Copper ? QRect(x, y, 1, 1) : QRect();
        }
        centre = QRectF(ring).center();
        radius = ring.width() / 2.0;
        int reds = 0, blues = 0;
        for (int y = ring.top(); y <= ring.bottom(); ++y) {
            for (int x = ring.left(); x <= ring.right(); ++x) {
                const QPointF p(x + 0.5, y + 0.5);
                const Hue hue =
                    QLineF(p, centre).length() > radius ? Other : hueOf(image.pixel(x, y));
                south += hue == Red ? (++reds, p) : QPointF();
                north += hue == Blue ? (++blues, p) : QPointF();
            }
        }
        south = reds ? south / reds : centre;
        north = blues ? north / blues : centre;
    }

    QPointF centre, south, north; ///< south and north: where the letters' pixels centre
    double radius = 0; ///< outer radius of the ring, in pixels
};

} // namespace

class TestSceneRender : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { delete m_view; }
    void rotorInFullViewWithItsPoleLetters();
    void aFastShaftIsDrawnAsTheEyeCanFollow();

private:
    scene::SceneView *m_view = nullptr;
    scene::Form2Scene m_scene;
};

void TestSceneRender::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("drawing the 3D view needs an X display with OpenGL");
    m_view = new scene::SceneView;
    m_scene.setupScene(*m_view);
    scene::setUpSceneAtCreation(m_scene);
    m_view->setPalette(QPalette(QColor(0xAF, 0xEE, 0xEE))); // the window's background
    m_view->resize(1269, 334);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    QTRY_VERIFY(m_view->frameCount() > 0);
}

// During the first four steps of a trace N points at coil 1 (right), coil 2 (up), coil 3 (left),
// coil 4 (down): the whole bar is seen turning with a letter on each pole.
void TestSceneRender::rotorInFullViewWithItsPoleLetters()
{
    m_scene.moteurpasapas->setPositionX(0);
    m_scene.moteurcc->setPositionX(-20);
    for (int step = 1; step <= 4; ++step) {
        m_scene.rotor1->setRotationAngleY(-90.0f * float(step - 1));
        QTest::qWait(200);
        const StepperPicture picture(m_view->quickView()->grabWindow());
        const QString where = QStringLiteral("step %1: ").arg(step);
        QVERIFY2(picture.radius > 50, qPrintable(where));
        // Each letter inside the circle of the pole tips (radius 1.063 of a ring of 1.969), on
        // opposite sides of the centre; they stand in front of the bar and the view looks
        // slightly down, so their middle sits a little below the centre.
        const double tip = 1.063 / 1.969 * picture.radius;
        for (const QPointF &letter : {picture.south, picture.north}) {
            const double reach = QLineF(picture.centre, letter).length() / tip;
            QVERIFY2(reach > 0.5 && reach < 1, qPrintable(where + QString::number(reach)));
        }
        const QPointF middle = (picture.south + picture.north) / 2;
        QVERIFY2(QLineF(middle, picture.centre).length() < 0.2 * tip, qPrintable(where));
        const double angle = QLineF(picture.south, picture.north).angle();
        QVERIFY2(qAbs(std::remainder(angle - 90.0 * (step - 1), 360.0)) < 10,
                 qPrintable(where + QString::number(angle)));
    }
}

void TestSceneRender::aFastShaftIsDrawnAsTheEyeCanFollow()
{
    using scene::DrawnSpin;
    scene::ShaftPicture *shaft = m_scene.shaftPicture;

    // A turn in a hundredth of a second: drawn at the largest followable step, smeared.
    m_scene.animationaxe->setDuration(0.01f);
    m_scene.animationaxe->setEnabled(true);
    QTRY_COMPARE(shaft->drawn().stepDegrees, DrawnSpin::maxStepDegrees);
    QVERIFY(shaft->drawn().smear > 0 && shaft->drawn().smear < 1);
    QCOMPARE(shaft->shownAnimation(), m_scene.animationaxe);

    // The other way, started on top of it (as a direction switched during a positive run
    // does): the later one moves the shaft, and a period of 0 is the fastest of all.
    m_scene.animationaxenegative->setDuration(0.0f);
    m_scene.animationaxenegative->setEnabled(true);
    QTRY_COMPARE(shaft->shownAnimation(), m_scene.animationaxenegative);
    QCOMPARE(shaft->degreesPerSecond(), -DrawnSpin::fastestRate);
    QTRY_COMPARE(shaft->drawn().stepDegrees, -DrawnSpin::maxStepDegrees);
    QTRY_COMPARE(shaft->drawn().smear, 1.0);

    m_scene.animationaxenegative->setEnabled(false);
    QTRY_COMPARE(shaft->shownAnimation(), m_scene.animationaxe);
    m_scene.animationaxe->setEnabled(false);
    QCOMPARE(shaft->shownAnimation(), nullptr);
}

QTEST_MAIN(TestSceneRender)
#include "tst_scenerender.moc"
