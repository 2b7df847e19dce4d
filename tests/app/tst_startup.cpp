// SPDX-License-Identifier: GPL-3.0-or-later
// The window: what a shown panel covers, tab stops, resizing, the 3D area or why it is missing.

#include "app/tform2.h"

#include "scene/sceneview.h"

#include "toolkit/tabcontrol.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

constexpr int kLayerHeight = 520; // the tab area; the 3D view takes the rest below

class tst_Startup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_form.reset(); }

    void shownPanelCovers_data();
    void shownPanelCovers();
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
    QTest::newRow("tab 3, lowest chart") << 3 << QPoint(100, 400) << u"ferme3"_s;
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
    QWidget *hit = page->childAt(point);
    while (hit && hit->parentWidget() != page)
        hit = hit->parentWidget();
    QCOMPARE(hit ? hit->objectName() : QString(), onTop);
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

// The tab area is drawn at the largest factor at which it fits, at the top, centred; the 3D
// area takes the rest; the controls keep their places in the tab area's own units.
void tst_Startup::resizing_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("factor");
    QTest::newRow("wider and taller") << QSize(1500, 900) << 900 / 854.0;
    QTest::newRow("taller only") << QSize(1269, 1100) << 1.0;
    QTest::newRow("wider only") << QSize(1600, 854) << 1.0;
    QTest::newRow("smaller") << QSize(1000, 800) << 1000 / 1269.0;
}

void tst_Startup::resizing()
{
    QFETCH(QSize, size);
    QFETCH(qreal, factor);
    TForm2 &f = *m_form;
    const QRect panel = f.Panel1->geometry();
    f.resize(size);
    QTRY_COMPARE(f.size(), size);
    QTRY_COMPARE(f.contentFactor(), factor);
    const int tabHeight = int(std::lround(kLayerHeight * factor));
    QTRY_COMPARE(f.vue3D->geometry(), QRect(0, tabHeight, size.width(), size.height() - tabHeight));
    QCOMPARE(f.TabControl1->size(), QSize(1269, kLayerHeight));
    QCOMPARE(f.Panel1->geometry(), panel);
    // Drawn where it is placed: the band beside it is the window's.
    const QPoint tabsCorner = f.mapFromGlobal(f.TabControl1->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(tabsCorner, QPoint(int(std::floor((size.width() - 1269 * factor) / 2)), 0));
    f.resize(1269, 854);
    QTRY_VERIFY(f.TabControl1->window() == &f); // back in place at the natural size
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
