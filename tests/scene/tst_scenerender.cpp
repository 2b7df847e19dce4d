// SPDX-License-Identifier: GPL-3.0-or-later
// What the 3D view draws, read back from the screen: needs a real X display with OpenGL (Xvfb
// with Mesa's software renderer will do).

#include "scene/form2scene.h"
#include "scene/model3d.h"
#include "scene/sceneview.h"

#include <QGuiApplication>
#include <QQuickView>
#include <QTest>

namespace {

// Shares of the picture's pixels that look like each colour.
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
    double total = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const int r = p.red(), g = p.green(), b = p.blue();
            ++total;
            if (qAbs(r - 0xAF) < 6 && qAbs(g - 0xEE) < 6 && qAbs(b - 0xEE) < 6)
                ++c.background;
            else if (r > 140 && g < 70 && b < 70)
                ++c.red;
            else if (b > 140 && r < 70 && g < 70)
                ++c.blue;
            else if (r > 140 && b > 140 && g < 140)
                ++c.violet;
            else if (r > 170 && g > 90 && g < 0.8 * r && b < 60)
                ++c.orange;
            else if (r > 170 && g > 170 && b < 80)
                ++c.yellow;
            else if (g > 80 && r < 60 && b < 60)
                ++c.green;
            else if (r > 100 && r > g && g > b && b > 0.4 * r && b < 0.75 * r)
                (g < 0.82 * r ? c.copper : c.tan) += 1;
        }
    }
    for (double *share : {&c.background, &c.red, &c.blue, &c.violet, &c.orange, &c.tan, &c.yellow,
                          &c.green, &c.copper})
        *share /= total;
    return c;
}

} // namespace

class TestSceneRender : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { delete m_view; }
    void dcMotorInViewAtStart();
    void stepperInView();
    void drawsOnlyWhileSomethingMoves();

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

void TestSceneRender::drawsOnlyWhileSomethingMoves()
{
    QTest::qWait(300);
    const quint64 still = m_view->frameCount();
    QTest::qWait(500);
    QCOMPARE(m_view->frameCount(), still);

    // The spinning shaft keeps it drawing (slowly on a loaded machine, but drawing).
    m_scene.animationaxe->setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(m_view->frameCount() - still >= 5, 5000);
    m_scene.animationaxe->setEnabled(false);
}

QTEST_MAIN(TestSceneRender)
#include "tst_scenerender.moc"
