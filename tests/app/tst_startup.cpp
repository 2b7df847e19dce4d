// SPDX-License-Identifier: GPL-3.0-or-later
// The window as it comes up and as the user resizes it: what a shown diagram panel covers, the
// zoom rectangle, the tab stops, and the 3D area or the reason it is missing.

#include "app/tform2.h"

#include "scene/sceneview.h"

#include "toolkit/chart.h"
#include "toolkit/tabcontrol.h"

#include <QAccessible>
#include <QGraphicsView>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using toolkit::Chart;

namespace {

constexpr int kLayerHeight = 520; // the tab area; the 3D view takes the rest below

// The child of @p parent that holds @p w (or @p w itself), if any.
QWidget *childHolding(const QWidget *parent, QWidget *w)
{
    while (w && w->parentWidget() != parent)
        w = w->parentWidget();
    return w;
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_form.reset(); }

    void shownPanelCovers_data();
    void shownPanelCovers();
    void zoomRectangleHasNoFill();
    void everyTabStopIsNamed();
    void resizing_data();
    void resizing();
    void sceneAreaShowsTheSceneOrSaysWhyNot();

private:
    std::unique_ptr<TForm2> m_form;
};

void tst_Startup::init()
{
    m_form = std::make_unique<TForm2>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_Startup::shownPanelCovers_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("onTop");
    // The panel is a strip 400 wide over the page's full height, over the charts and buttons.
    QTest::newRow("tab 1, launch button under it") << 1 << QPoint(300, 337) << u"ferme1"_s;
    QTest::newRow("tab 1, launch button's right end") << 1 << QPoint(410, 337) << u"Button1"_s;
    QTest::newRow("tab 2, launch button under it") << 2 << QPoint(300, 345) << u"ferme2"_s;
    QTest::newRow("tab 2, settings panel") << 2 << QPoint(900, 100) << u"Panel2"_s;
    QTest::newRow("tab 3, lowest chart") << 3 << QPoint(100, 400) << u"ferme3"_s;
    QTest::newRow("tab 3, montage button") << 3 << QPoint(1000, 385) << u"Button9"_s;
    QTest::newRow("tab 4, upper chart") << 4 << QPoint(100, 100) << u"ferme4"_s;
    QTest::newRow("tab 4, upper chart's right") << 4 << QPoint(600, 100) << u"Chart7"_s;
}

void tst_Startup::shownPanelCovers()
{
    QFETCH(int, tab);
    QFETCH(QPoint, point);
    QFETCH(QString, onTop);
    m_form->TabControl1->setCurrentIndex(tab - 1); // a page takes its size once shown
    QWidget *page = m_form->TabControl1->currentWidget();
    QWidget *panel = page->findChild<QWidget *>(u"ferme%1"_s.arg(tab));
    panel->setVisible(true);
    QWidget *hit = childHolding(page, page->childAt(point));
    QVERIFY(hit);
    QCOMPARE(hit->objectName(), onTop);
}

// The rectangle dragged for a zoom is an outline: what lies inside it stays visible.
void tst_Startup::zoomRectangleHasNoFill()
{
    auto *view = m_form->findChild<Chart *>(u"Chart1"_s)->findChild<QGraphicsView *>();
    QWidget *viewport = view->viewport();
    const QPoint from(200, 80);
    const QPoint to(500, 200);
    const QImage before = view->grab().toImage();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), viewport->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    const QImage during = view->grab().toImage();
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, from); // a click: no zoom

    QCOMPARE(during.pixelColor(350, 140), before.pixelColor(350, 140));
    QVERIFY(during.pixelColor(350, from.y()) != before.pixelColor(350, from.y()));
}

// Whatever Tab lands on must tell a screen reader what it is: by its own name or text, or
// through the control it receives the focus for.
void tst_Startup::everyTabStopIsNamed()
{
    const auto isNamed = [](QWidget *w) {
        const QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        return face && !face->text(QAccessible::Name).isEmpty();
    };
    QStringList unnamed;
    int stops = 0;
    for (QWidget *w = m_form->nextInFocusChain(); w != m_form.get(); w = w->nextInFocusChain()) {
        if (w->focusProxy() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        ++stops;
        QWidget *parent = w->parentWidget();
        if (isNamed(w) || (parent && parent->focusProxy() == w && isNamed(parent)))
            continue;
        while (parent && parent->objectName().isEmpty())
            parent = parent->parentWidget();
        unnamed << QString::fromLatin1(w->metaObject()->className()) + u" in "_s
                + (parent ? parent->objectName() : QString());
    }
    QVERIFY(stops > 30);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", "_s)));
}

void tst_Startup::resizing_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("larger") << QSize(1500, 900);
    QTest::newRow("smaller") << QSize(1100, 700);
}

// The tab area keeps its height and follows the width; the 3D area takes the rest; the
// controls stay where they were put.
void tst_Startup::resizing()
{
    QFETCH(QSize, size);
    TForm2 &f = *m_form;
    const QRect panel = f.Panel1->geometry();
    f.resize(size);
    QTRY_COMPARE(f.size(), size);
    QCoreApplication::processEvents();
    QCOMPARE(f.TabControl1->size(), QSize(size.width(), kLayerHeight));
    QCOMPARE(f.TabItem1->width(), size.width());
    QCOMPARE(f.vue3D->geometry(),
             QRect(0, kLayerHeight, size.width(), size.height() - kLayerHeight));
    QCOMPARE(f.Panel1->geometry(), panel);
}

// Where this machine can draw the 3D view, it draws; where it cannot (no OpenGL, or Qt Quick's
// software renderer as on the offscreen platform), a message takes its place and the window
// lives on.
void tst_Startup::sceneAreaShowsTheSceneOrSaysWhyNot()
{
    const scene::SceneView *view = m_form->sceneView();
    const auto *container = view->findChild<QWidget *>(u"sceneContainer"_s);
    QVERIFY(container);
    QTRY_VERIFY(view->frameCount() > 0 || !view->isAvailable());
    const auto *message = view->findChild<QLabel *>();
    QCOMPARE(container->isVisible(), view->isAvailable());
    QCOMPARE(message && message->isVisible(), !view->isAvailable());
    if (!view->isAvailable()) {
        QVERIFY(message->text().contains("OpenGL"_L1));
        QVERIFY(message->geometry().intersects(view->rect()));
    }
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
