// SPDX-License-Identifier: GPL-3.0-or-later
// What the 3D view draws, read back from the screen: needs a real X display with OpenGL (Xvfb
// with Mesa's software renderer will do).

#include "scene/coilglow.h"
#include "scene/form2scene.h"
#include "scene/model3d.h"
#include "scene/object3d.h"
#include "scene/sceneview.h"
#include "scene/shaftpicture.h"
#include "scene/stillsmoothing.h"

#include "toolkit/floatanimation.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QTest>
#include <QVector3D>

#include <cmath>
#include <utility>

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

// Waits until the picture of @p view has settled: two grabs in a row alike (a still picture is
// refined over a few frames); false when it never does.
bool settle(scene::SceneView *view, QImage &picture)
{
    picture = view->quickView()->grabWindow();
    return QTest::qWaitFor(
        [&] { return std::exchange(picture, view->quickView()->grabWindow()) == picture; }, 10000);
}

// Where @p image differs from @p rest (beyond what smoothing moves at edges): how many pixels,
// their centre, and how far apart their mean colours are in 8-bit RGB.
struct Change
{
    int pixels = 0;
    QPointF at;
    double colourDistance = 0;
};

Change changeFrom(const QImage &rest, const QImage &image)
{
    Change change;
    QVector3D was, is;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor a = rest.pixelColor(x, y), b = image.pixelColor(x, y);
            const QVector3D from(a.red(), a.green(), a.blue()), to(b.red(), b.green(), b.blue());
            if ((to - from).length() < 16)
                continue;
            ++change.pixels;
            change.at += QPointF(x + 0.5, y + 0.5);
            was += from;
            is += to;
        }
    }
    if (change.pixels > 0) {
        change.at /= change.pixels;
        change.colourDistance = ((is - was) / float(change.pixels)).length();
    }
    return change;
}

} // namespace

class TestSceneRender : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { delete m_view; }
    void rotorInFullViewWithItsPoleLetters();
    void aFedCoilGlowsOnItsOwnSide_data();
    void aFedCoilGlowsOnItsOwnSide();
    void theShaftPictureNeverJumps_data();
    void theShaftPictureNeverJumps();
    void aHeldShaftIsAPhotograph();

private:
    scene::SceneView *m_view = nullptr;
    scene::Form2Scene m_scene;
    toolkit::LessonClock m_lesson;
    QObject *m_shaftNode = nullptr; // what draws the shaft
};

void TestSceneRender::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("drawing the 3D view needs an X display with OpenGL");
    m_view = new scene::SceneView;
    m_scene.setupScene(*m_view, m_lesson);
    scene::setUpSceneAtCreation(m_scene);
    m_view->setPalette(QPalette(QColor(0xAF, 0xEE, 0xEE))); // the window's background
    m_view->resize(1269, 334);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    QTRY_VERIFY(m_view->frameCount() > 0);
    for (QObject *node : m_view->quickView()->rootObject()->findChildren<QObject *>())
        m_shaftNode =
            node->property("object").value<QObject *>() == m_scene.axe ? node : m_shaftNode;
    QVERIFY(m_shaftNode);
}

// During the first four steps of a trace N points at coil 1 (right), coil 2 (up), coil 3 (left),
// coil 4 (down): the whole bar is seen turning with a letter on each pole.
void TestSceneRender::rotorInFullViewWithItsPoleLetters()
{
    m_scene.moteurpasapas->setPositionX(0);
    m_scene.moteurcc->setPositionX(-20);
    for (int step = 1; step <= 4; ++step) {
        m_scene.rotor1->setRotationAngleY(-90.0f * float(step - 1));
        QImage drawn;
        QVERIFY(settle(m_view, drawn));
        const StepperPicture picture(drawn);
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

void TestSceneRender::aFedCoilGlowsOnItsOwnSide_data()
{
    QTest::addColumn<int>("coil");
    QTest::addColumn<double>("direction"); // on screen, counter-clockwise from the right
    for (int coil = 1; coil <= 4; ++coil)
        QTest::addRow("bobine%d", coil) << coil << 90.0 * (coil - 1);
}

// The coil labelled "bobine<k>" glows alone, in a colour far from its copper at rest, and the
// picture is the picture at rest again once nothing is fed.
void TestSceneRender::aFedCoilGlowsOnItsOwnSide()
{
    QFETCH(int, coil);
    QFETCH(double, direction);
    m_scene.moteurpasapas->setPositionX(0);
    m_scene.moteurcc->setPositionX(-20);
    m_scene.rotor1->setRotationAngleY(45);
    QImage rest;
    QVERIFY(settle(m_view, rest));
    const StepperPicture picture(rest);

    scene::CoilGlow &glow = *m_scene.coilGlow;
    const int layer = glow.open();
    glow.show(layer, scene::CoilGlow::Coils().set(std::size_t(coil - 1)));
    QString seen;
    const auto glowing = [&] {
        const Change change = changeFrom(rest, m_view->quickView()->grabWindow());
        const QLineF toward(picture.centre, change.at);
        seen = QStringLiteral("%1 pixels at %2°, colour %3 apart")
                   .arg(change.pixels)
                   .arg(toward.angle())
                   .arg(change.colourDistance);
        return change.pixels > 400 && change.colourDistance >= 60
            && std::abs(std::remainder(toward.angle() - direction, 360.0)) < 20
            && toward.length() > picture.radius / 2;
    };
    QVERIFY2(QTest::qWaitFor(glowing, 10000), qPrintable(seen));
    glow.close(layer);
    QTRY_VERIFY_WITH_TIMEOUT(m_view->quickView()->grabWindow() == rest, 10000);
}

void TestSceneRender::theShaftPictureNeverJumps_data()
{
    QTest::addColumn<bool>("forward"); // the fast turn's way
    QTest::addColumn<bool>("stop"); // then stopped, or turned slowly the other way
    QTest::addColumn<float>("firstTurn"); // seconds a turn, first: fast, or slow too
    QTest::newRow("fast forward, then slowly back") << true << false << 0.02f;
    QTest::newRow("slowly back, still, then slowly forward") << false << false << 20.0f;
    QTest::newRow("fast forward, then stopped") << true << true << 0.02f;
    QTest::newRow("fast back, then stopped") << false << true << 0.02f;
}

// A turn too fast to follow is drawn at its own pace; when another turn takes over or the shaft
// stops, the picture goes on from the angle it shows: frame after frame (a slow turn asks for
// its own), it moves as the shaft moves, and a still shaft leaves it where it is.
void TestSceneRender::theShaftPictureNeverJumps()
{
    QFETCH(bool, forward);
    QFETCH(bool, stop);
    QFETCH(float, firstTurn);
    scene::ShaftPicture *shaft = m_scene.shaftPicture;
    toolkit::FloatAnimation *fast = forward ? m_scene.animationaxe : m_scene.animationaxenegative;
    toolkit::FloatAnimation *slow = forward ? m_scene.animationaxenegative : m_scene.animationaxe;
    m_scene.moteurcc->setPositionX(0);
    m_scene.moteurpasapas->setPositionX(20);

    struct Frame
    {
        double drawn, shaft;
        bool fast;
    };
    QList<Frame> frames;
    // After the picture's own set-up of the frame: what the scene draws in this frame.
    const QMetaObject::Connection connection =
        connect(m_view->quickView(), &QQuickWindow::afterAnimating, this, [&] {
            const double z = m_scene.axe->rotationAngle().z();
            frames.append(
                {m_shaftNode->property("drawnAngleZ").toDouble(), z, shaft->drawn().smear > 0});
        });
    fast->setDuration(firstTurn);
    fast->setEnabled(true);
    QTRY_VERIFY(frames.size() > 5 && frames.constLast().fast == (firstTurn < 1));
    fast->setEnabled(false);
    QTRY_VERIFY(firstTurn < 1 || m_view->findChild<scene::StillSmoothing *>()->isSmooth());
    const qsizetype switched = frames.size();
    if (!stop) {
        slow->setDuration(20.0f);
        slow->setEnabled(true);
    }
    QTRY_VERIFY_WITH_TIMEOUT(frames.size() > switched + (stop ? 0 : 30), 10000);
    slow->setEnabled(false);
    disconnect(connection);

    // The picture and the shaft, a whole number of turns apart or not, keep the distance the
    // first frame after the switch had.
    const auto turnApart = [](double a, double b) { return std::remainder(a - b, 360.0); };
    const Frame &before = frames.at(switched - 1);
    const Frame &first = frames.at(switched);
    QVERIFY2(std::abs(turnApart(first.drawn, before.drawn)) < 1e-6,
             qPrintable(QStringLiteral("%1 then %2").arg(before.drawn).arg(first.drawn)));
    for (qsizetype i = switched; i < frames.size(); ++i) {
        const Frame &frame = frames.at(i);
        QVERIFY(!frame.fast);
        QVERIFY2(std::abs(turnApart(frame.drawn - frame.shaft, first.drawn - first.shaft)) < 1e-3,
                 qPrintable(QStringLiteral("frame %1").arg(i - switched)));
    }
    // The still shaft moved again, as a new turn moves it: the drawn angle follows at once, so
    // that the move itself asks for the frame that shows it.
    m_scene.axe->setRotationAngleZ(10.0f);
    const double drawn = m_shaftNode->property("drawnAngleZ").toDouble() - shaft->offsetZ();
    QVERIFY2(std::abs(turnApart(drawn, 10.0)) < 1e-6, qPrintable(QString::number(drawn)));
}

// Held, a fast shaft keeps the angle and the smear it is drawn with, whatever frames are drawn
// meanwhile; a step moves the picture on as frames of the normal pace would over a step's time.
void TestSceneRender::aHeldShaftIsAPhotograph()
{
    scene::ShaftPicture *shaft = m_scene.shaftPicture;
    m_scene.moteurcc->setPositionX(0);
    m_scene.animationaxe->setDuration(0.02f);
    m_scene.animationaxe->setEnabled(true);
    QTRY_VERIFY(shaft->smear() > 0);
    const auto drawn = [this] { return m_shaftNode->property("drawnAngleZ").toDouble(); };
    QSignalSpy setUp(m_view->quickView(), &QQuickWindow::afterAnimating); // after the picture's
    const auto frameSetUp = [&] {
        const qsizetype before = setUp.count();
        return QTest::qWaitFor([&] { return setUp.count() > before; });
    };
    m_lesson.setPaused(true);
    // The first frame may still show the time between the frame before and the hold.
    QVERIFY(frameSetUp());
    const double held = drawn(), smear = shaft->smear();
    for (int i = 1; i <= 5; ++i) { // frames asked for by something else moving
        m_scene.moteurpasapas->setPositionX(20.0f + 0.01f * float(i));
        QVERIFY(frameSetUp());
        QCOMPARE(drawn(), held);
        QCOMPARE(shaft->smear(), smear);
    }
    m_lesson.advance(std::chrono::milliseconds(50));
    QVERIFY(QTest::qWaitFor([&] { return drawn() != held; }));
    const double step = shaft->drawn().stepDegrees * shaft->framesPerSecond() * 0.05;
    QVERIFY2(std::abs(std::remainder(drawn() - held - step, 360.0)) < 1e-6,
             qPrintable(QStringLiteral("%1 after %2, not %3").arg(drawn()).arg(held).arg(step)));
    m_lesson.setPaused(false);
    m_scene.animationaxe->setEnabled(false);
    m_scene.moteurpasapas->setPositionX(20);
}

QTEST_MAIN(TestSceneRender)
#include "tst_scenerender.moc"
