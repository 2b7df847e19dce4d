// SPDX-License-Identifier: GPL-3.0-or-later
// What the 3D view draws, read back from the screen: needs a real X display with OpenGL (Xvfb
// with Mesa's software renderer will do).

#include "scene/form2scene.h"
#include "scene/model3d.h"
#include "scene/sceneview.h"
#include "scene/shaftpicture.h"
#include "scene/stillsmoothing.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickView>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

// The window's background, which the scene is seen against.
const QColor kBackground(0xAF, 0xEE, 0xEE);

enum class Hue { Other, Background, Red, Blue, Violet, Orange, Tan, Yellow, Green, Copper };

// By the ratios of the channels, so that a dimmer or brighter light does not change the answer.
Hue hueOf(QRgb p)
{
    const double r = qRed(p), g = qGreen(p), b = qBlue(p);
    if (qAbs(r - kBackground.red()) < 6 && qAbs(g - kBackground.green()) < 6
        && qAbs(b - kBackground.blue()) < 6)
        return Hue::Background;
    const double top = std::max({r, g, b});
    if (top < 60)
        return Hue::Other; // faces in shadow
    if (r == top && g < 0.35 * r && b < 0.35 * r)
        return Hue::Red;
    if (b == top && r < 0.35 * b && g < 0.35 * b)
        return Hue::Blue;
    if (g == top && r < 0.5 * g && b < 0.5 * g)
        return Hue::Green;
    if (r > 0.75 * top && b > 0.75 * top && g < 0.75 * std::min(r, b))
        return Hue::Violet;
    if (r > 0.8 * top && g > 0.8 * top && b < 0.3 * top)
        return Hue::Yellow;
    if (r == top && g > 0.45 * r && g < 0.8 * r && b < 0.3 * r)
        return Hue::Orange;
    if (r > g && g > b && b > 0.4 * r && b < 0.85 * r && g < 0.95 * r)
        return g < 0.82 * r ? Hue::Copper : Hue::Tan;
    return Hue::Other;
}

// Shares of the picture's pixels that look like each color.
struct Census
{
    double background = 0;
    double red = 0;
    double blue = 0;
    double violet = 0;
    double orange = 0;
    double tan = 0;
    double yellow = 0;
    double green = 0;
    double copper = 0;
};

Census census(const QImage &image, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    Census c;
    double *shares[] = {nullptr,   &c.background, &c.red,    &c.blue,  &c.violet,
                        &c.orange, &c.tan,        &c.yellow, &c.green, &c.copper};
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (double *share = shares[int(hueOf(image.pixel(x, y)))])
                ++*share;
        }
    }
    for (double *share : shares) {
        if (share)
            *share /= double(area.width()) * area.height();
    }
    return c;
}

// The stepper seen end-on, measured on the picture: the stator ring (the only copper-coloured
// thing) gives the motor's centre and radius; the pole letters are the red and blue pixels
// inside the ring (the coil labels lie outside it).
struct StepperPicture
{
    QPointF centre;
    double radius = 0; ///< outer radius of the ring, in pixels
    int violet = 0;
    QPointF south; ///< centroid of the red letter S
    QPointF north; ///< centroid of the blue letter N

    static StepperPicture of(const QImage &image)
    {
        StepperPicture picture;
        QRect ring;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (hueOf(image.pixel(x, y)) == Hue::Copper)
                    ring = ring.united(QRect(x, y, 1, 1));
            }
        }
        picture.centre = QRectF(ring).center();
        picture.radius = ring.width() / 2.0;
        QPointF red, blue;
        int reds = 0, blues = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QPointF p(x + 0.5, y + 0.5);
                if (QLineF(p, picture.centre).length() > picture.radius)
                    continue;
                switch (hueOf(image.pixel(x, y))) {
                case Hue::Violet:
                    ++picture.violet;
                    break;
                case Hue::Red:
                    red += p;
                    ++reds;
                    break;
                case Hue::Blue:
                    blue += p;
                    ++blues;
                    break;
                default:
                    break;
                }
            }
        }
        picture.south = reds ? red / reds : picture.centre;
        picture.north = blues ? blue / blues : picture.centre;
        return picture;
    }

    /// Direction from S to N in degrees, counter-clockwise from the right as seen on screen.
    double southToNorth() const { return QLineF(south, north).angle(); }
};

} // namespace

class TestSceneRender : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { delete m_view; }
    void dcMotorInViewAtStart();
    void stepperInView();
    void rotorInFullViewWithItsPoleLetters();
    void drawsOnlyWhileSomethingMoves();
    void aFastShaftIsDrawnAsTheEyeCanFollow();

private:
    QImage grab();

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
    // Here the view is its own window.
    QPalette palette = m_view->palette();
    palette.setColor(QPalette::Window, kBackground);
    m_view->setPalette(palette);
    m_view->resize(1269, 334);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    QTRY_VERIFY(m_view->frameCount() > 0);
}

QImage TestSceneRender::grab()
{
    QTest::qWait(200);
    return m_view->quickView()->grabWindow();
}

void TestSceneRender::dcMotorInViewAtStart()
{
    const QImage image = grab();
    const int w = image.width(), h = image.height();
    const Census middle = census(image, QRect(w / 3, 0, w / 3, h));
    QVERIFY2(middle.orange > 0.01, qPrintable(QString::number(middle.orange))); // disc and shaft
    QVERIFY2(middle.tan > 0.002, qPrintable(QString::number(middle.tan))); // the body
    // The stepper, parked 20 units aside, is out of view: the sides are bare background.
    QCOMPARE(census(image, QRect(0, 0, w / 6, h)).background, 1.0);
    QCOMPARE(census(image, QRect(w - w / 6, 0, w / 6, h)).background, 1.0);
}

void TestSceneRender::stepperInView()
{
    m_scene.moteurpasapas->setPositionX(0);
    m_scene.moteurcc->setPositionX(-20);
    const QImage image = grab();
    const Census c = census(image);
    QVERIFY2(c.violet > 0.0005, qPrintable(QString::number(c.violet))); // rotor
    QVERIFY2(c.red > 0.0005, qPrintable(QString::number(c.red))); // letter S, label 2
    QVERIFY2(c.blue > 0.0005, qPrintable(QString::number(c.blue))); // letter N, label 4
    QVERIFY2(c.orange > 0.005, qPrintable(QString::number(c.orange))); // coils
    QVERIFY2(c.copper > 0.002, qPrintable(QString::number(c.copper))); // textured stator
    QVERIFY2(c.green > 0.0002, qPrintable(QString::number(c.green))); // label 3
    QVERIFY2(c.yellow > 0.0002, qPrintable(QString::number(c.yellow))); // label 1
    const int w = image.width();
    QCOMPARE(census(image, QRect(0, 0, w / 6, image.height())).background, 1.0);
    m_scene.moteurpasapas->setPositionX(20);
    m_scene.moteurcc->setPositionX(0);
}

void TestSceneRender::rotorInFullViewWithItsPoleLetters()
{
    m_scene.moteurpasapas->setPositionX(0);
    m_scene.moteurcc->setPositionX(-20);
    // The ring's pole tips, where the rotor turns: radius 1.063 of a ring of outer radius 1.969.
    const double tipShare = 1.063 / 1.969;
    // The bar is half as long as the ring is wide (its box is a tenth of 25, the ring's a fifth),
    // and 0.787 thick for 2.126 long. It has notches between its hub and its pole blocks and it
    // carries the letters: at least half of its outline must show.
    auto barArea = [](double ringRadius) { return ringRadius * ringRadius * 0.787 / 2.126; };

    // A trace gives the rotor these angles during its first four steps: N points at coil 1
    // (right), then coil 2 (up), coil 3 (left), coil 4 (down).
    for (int step = 1; step <= 4; ++step) {
        m_scene.rotor1->setRotationAngleY(-90.0f * float(step - 1));
        const StepperPicture picture = StepperPicture::of(grab());
        const QString where = QStringLiteral("step %1: ").arg(step);
        QVERIFY2(picture.radius > 50, qPrintable(where + QString::number(picture.radius)));
        QVERIFY2(picture.violet >= 0.5 * barArea(picture.radius),
                 qPrintable(where + QString::number(picture.violet)));
        const double tip = tipShare * picture.radius;
        // Each letter on its pole, inside the circle the rotor turns in, the two on opposite
        // sides of the centre (the letters stand in front of the bar and the view looks
        // slightly down on it, so their middle sits a little below the centre).
        for (const QPointF &letter : {picture.south, picture.north}) {
            const double reach = QLineF(picture.centre, letter).length() / tip;
            QVERIFY2(reach > 0.5 && reach < 1, qPrintable(where + QString::number(reach)));
        }
        const QPointF middle = (picture.south + picture.north) / 2;
        QVERIFY2(QLineF(middle, picture.centre).length() < 0.2 * tip,
                 qPrintable(where + QString::number(QLineF(middle, picture.centre).length())));
        const double turn = std::remainder(picture.southToNorth() - 90.0 * (step - 1), 360.0);
        QVERIFY2(qAbs(turn) < 10, qPrintable(where + QString::number(picture.southToNorth())));
    }
    m_scene.rotor1->setRotationAngleY(0);
    m_scene.moteurpasapas->setPositionX(20);
    m_scene.moteurcc->setPositionX(0);
}

void TestSceneRender::drawsOnlyWhileSomethingMoves()
{
    // A change is drawn at once; once all has been still for a while, the picture is refined
    // over a few frames (smooth edges), then nothing more is drawn.
    auto stillFor = [this](int ms) {
        const quint64 before = m_view->frameCount();
        QTest::qWait(ms);
        return m_view->frameCount() == before;
    };
    QTRY_VERIFY_WITH_TIMEOUT(stillFor(500), 10000);
    QElapsedTimer sinceChange;
    QList<qint64> frames;
    const QMetaObject::Connection watch = connect(m_view->quickView(), &QQuickWindow::frameSwapped,
                                                  this, [&] { frames << sinceChange.elapsed(); });
    sinceChange.start();
    m_scene.rotor1->setRotationAngleY(-90.0f);
    QTRY_VERIFY_WITH_TIMEOUT(stillFor(500), 10000);
    disconnect(watch);
    QVERIFY(!frames.isEmpty());
    QVERIFY2(frames.constFirst() < scene::StillSmoothing::stillAfterMs,
             qPrintable(QString::number(frames.constFirst())));
    const auto refined = std::count_if(frames.cbegin(), frames.cend(), [](qint64 at) {
        return at >= scene::StillSmoothing::stillAfterMs;
    });
    QVERIFY2(refined >= 2, qPrintable(QString::number(refined)));
    const quint64 still = m_view->frameCount();
    QVERIFY(stillFor(500));

    // The spinning shaft keeps it drawing (slowly on a loaded machine, but drawing).
    m_scene.animationaxe->setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(m_view->frameCount() - still >= 5, 5000);
    m_scene.animationaxe->setEnabled(false);
    m_scene.rotor1->setRotationAngleY(0.0f);
}

void TestSceneRender::aFastShaftIsDrawnAsTheEyeCanFollow()
{
    using scene::DrawnSpin;
    scene::ShaftPicture *shaft = m_scene.shaftPicture;
    QVERIFY(shaft);
    QCOMPARE(shaft->shownAnimation(), nullptr);
    QCOMPARE(shaft->degreesPerSecond(), 0.0);

    // Slow enough to follow: drawn as it turns.
    m_scene.animationaxe->setDuration(4.0f);
    m_scene.animationaxe->setEnabled(true);
    QTRY_COMPARE(shaft->shownAnimation(), m_scene.animationaxe);
    QCOMPARE(shaft->degreesPerSecond(), 90.0);
    QTRY_VERIFY(shaft->drawn().stepDegrees > 0);
    QCOMPARE(shaft->drawn().smear, 0.0);

    // A turn in a hundredth of a second: drawn at the largest followable step, smeared; the
    // rate the shaft answers stays the true one.
    m_scene.animationaxe->setEnabled(false);
    m_scene.animationaxe->setDuration(0.01f);
    m_scene.animationaxe->setEnabled(true);
    QTRY_COMPARE(shaft->drawn().stepDegrees, DrawnSpin::maxStepDegrees);
    QVERIFY(shaft->drawn().smear > 0 && shaft->drawn().smear < 1);
    QVERIFY(qAbs(shaft->degreesPerSecond() - 36000.0) < 0.01);

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
    QTRY_COMPARE(shaft->drawn().smear, 0.0);
    QCOMPARE(shaft->drawn().stepDegrees, 0.0);
}

QTEST_MAIN(TestSceneRender)
#include "tst_scenerender.moc"
