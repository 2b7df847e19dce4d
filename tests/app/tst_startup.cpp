// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform2.h"

#include "scene/sceneview.h"

#include "toolkit/floatanimation.h"
#include "toolkit/lineseries.h"
#include "toolkit/tabcontrol.h"
#include "toolkit/tabitem.h"
#include "toolkit/trackbar.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class tst_Startup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firstTabSelected();
    void diagramPanelsHidden_data();
    void diagramPanelsHidden();
    void seriesEmpty();
    void editTexts_data();
    void editTexts();
    void trackBarsAtZero();
    void animationsDisabled();
    void tabHeaderClick_data();
    void tabHeaderClick();
    void sceneAreaShowsTheSceneOrSaysWhyNot();

private:
    void showForm();

    std::unique_ptr<TForm2> m_form;
};

void tst_Startup::init()
{
    m_form = std::make_unique<TForm2>();
}

void tst_Startup::cleanup()
{
    m_form.reset();
}

void tst_Startup::showForm()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_Startup::firstTabSelected()
{
    QCOMPARE(m_form->TabControl1->currentIndex(), 0);
    QCOMPARE(m_form->TabControl1->currentWidget(), m_form->TabItem1);
    showForm();
    QCOMPARE(m_form->TabControl1->currentIndex(), 0);
    QVERIFY(m_form->TabItem1->isVisible());
}

void tst_Startup::diagramPanelsHidden_data()
{
    QTest::addColumn<int>("tab");

    QTest::newRow("ferme1") << 0;
    QTest::newRow("ferme2") << 1;
    QTest::newRow("ferme3") << 2;
    QTest::newRow("ferme4") << 3;
}

// No diagram panel can be seen, not even on its own tab.
void tst_Startup::diagramPanelsHidden()
{
    QFETCH(int, tab);

    auto *panel = m_form->findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(panel);
    QVERIFY(panel->isHidden());

    showForm();
    m_form->TabControl1->setCurrentIndex(tab);
    QCoreApplication::processEvents();
    QVERIFY(m_form->TabControl1->currentWidget()->isVisible());
    QVERIFY(!panel->isVisible());
}

void tst_Startup::seriesEmpty()
{
    const QList<toolkit::LineSeries *> all = m_form->findChildren<toolkit::LineSeries *>();
    QCOMPARE(all.size(), 13);
    for (const toolkit::LineSeries *series : all)
        QVERIFY2(series->count() == 0, qPrintable(series->objectName()));
}

void tst_Startup::editTexts_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("Edit1") << u"0"_s;
    QTest::newRow("Edit2") << u"0"_s;
    QTest::newRow("Edit4") << u"0"_s;
    QTest::newRow("Edit5") << u"0"_s;
    QTest::newRow("Edit3") << u"Sélectionner sens"_s;
    QTest::newRow("Edit6") << u"Angle rotation"_s;
    QTest::newRow("Edit7") << u"Angle rotation"_s;
}

void tst_Startup::editTexts()
{
    QFETCH(QString, text);

    auto *edit = m_form->findChild<QLineEdit *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(edit);
    QCOMPARE(edit->text(), text);
}

void tst_Startup::trackBarsAtZero()
{
    QStringList names;
    for (const toolkit::TrackBar *bar : m_form->findChildren<toolkit::TrackBar *>()) {
        names.append(bar->objectName());
        QVERIFY2(bar->value() == 0.0, qPrintable(bar->objectName()));
    }
    names.sort();
    QCOMPARE(names,
             (QStringList {u"valeurmoteur"_s, u"valeurmoteur1"_s, u"valeurmoteur3"_s,
                           u"valeurmoteur4"_s}));
}

// None is enabled by the form description and nothing at start-up enables one, showing the
// window included.
void tst_Startup::animationsDisabled()
{
    const QList<toolkit::FloatAnimation *> all = m_form->findChildren<toolkit::FloatAnimation *>();
    QVERIFY(all.size() >= 8); // at least the slides of the four diagram panels
    for (const toolkit::FloatAnimation *animation : all)
        QVERIFY(!animation->enabled());

    showForm();
    QCoreApplication::processEvents();
    for (const toolkit::FloatAnimation *animation : all) {
        QVERIFY(!animation->enabled());
        QVERIFY(!animation->isRunning());
    }
}

void tst_Startup::tabHeaderClick_data()
{
    QTest::addColumn<int>("index");

    QTest::newRow("tab 1, already selected") << 0;
    QTest::newRow("tab 2") << 1;
    QTest::newRow("tab 3") << 2;
    QTest::newRow("tab 4") << 3;
}

// Every click on a header is announced with its page, also a click on the selected one.
void tst_Startup::tabHeaderClick()
{
    QFETCH(int, index);

    showForm();
    toolkit::TabControl *tabs = m_form->TabControl1;
    const QList<toolkit::TabItem *> items {m_form->TabItem1, m_form->TabItem2, m_form->TabItem3,
                                           m_form->TabItem4};
    QSignalSpy clicked(tabs, &toolkit::TabControl::itemClicked);

    QTabBar *bar = tabs->tabBar();
    const QPoint header = bar->mapFrom(tabs, tabs->tabHeaderRect(index).center());
    for (int clicks = 1; clicks <= 2; ++clicks) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, header);
        QCOMPARE(tabs->currentIndex(), index);
        QCOMPARE(clicked.count(), clicks);
        QCOMPARE(clicked.constLast().constFirst().value<toolkit::TabItem *>(), items.at(index));
    }
}

// Where this machine can draw the 3D view, it draws; where it cannot (no OpenGL, or Qt Quick's
// software renderer as on the offscreen platform), a message takes its place and the window
// lives on.
void tst_Startup::sceneAreaShowsTheSceneOrSaysWhyNot()
{
    showForm();
    const scene::SceneView *view = m_form->sceneView();
    const auto *container = view->findChild<QWidget *>(u"sceneContainer"_s);
    QVERIFY(container);
    QTRY_VERIFY(view->frameCount() > 0 || !view->isAvailable());
    const auto *message = view->findChild<QLabel *>();
    if (view->isAvailable()) {
        QVERIFY(container->isVisible());
        QVERIFY(!message || !message->isVisible());
        return;
    }
    QVERIFY(!container->isVisible());
    QVERIFY(message && message->isVisible());
    QVERIFY(message->text().contains("OpenGL"_L1));
    QVERIFY(message->geometry().intersects(view->rect()));
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
