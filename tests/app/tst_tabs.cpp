// SPDX-License-Identifier: GPL-3.0-or-later
// Tab switching: the scene's three states (initial, DC view, stepper view) and every
// transition between them, the coil labels, the direction choice and the shaft.

#include "app/tform2.h"
#include "tracechecks.h"

#include "scene/model3d.h"

#include "toolkit/tabcontrol.h"

#include <QTabBar>
#include <QTest>

namespace {

enum class View { Initial, Dc, Stepper };

// Slides last 0.8 s; this leaves them time to end on a loaded machine.
constexpr int kSlideEnd = 1200;

void clickTab(TForm2 &f, int tab)
{
    QTabBar *bar = f.TabControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab - 1).center());
}

void reach(TForm2 &f, View view)
{
    if (view == View::Initial)
        return;
    clickTab(f, view == View::Dc ? 1 : 3);
    QTest::qWait(kSlideEnd);
}

} // namespace

Q_DECLARE_METATYPE(View)

class TestTabs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void stateMachine_data();
    void stateMachine();
    void coilLabelsFollowTheLastTab_data();
    void coilLabelsFollowTheLastTab();
    void directionIsForgottenExceptOnTab2_data();
    void directionIsForgottenExceptOnTab2();
    void steppersDuringSlidesToDcRestartOppositeSlides();
    void shaftRotationAndTabs_data();
    void shaftRotationAndTabs();

private:
    std::unique_ptr<TForm2> m_form;
};

void TestTabs::init()
{
    m_form = std::make_unique<TForm2>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestTabs::cleanup()
{
    m_form.reset();
}

void TestTabs::stateMachine_data()
{
    QTest::addColumn<View>("from");
    QTest::addColumn<int>("tab");
    // Where the two models are right after the click: the slides that start jump to their
    // start values, the others leave the models where they were.
    QTest::addColumn<float>("dcJustAfter");
    QTest::addColumn<float>("stepperJustAfter");
    QTest::addColumn<bool>("toStepperView");

    QTest::newRow("initial, tab 1: both slides replay")
        << View::Initial << 1 << -20.0f << 0.0f << false;
    QTest::newRow("initial, tab 2: both slides replay")
        << View::Initial << 2 << -20.0f << 0.0f << false;
    QTest::newRow("initial, tab 3") << View::Initial << 3 << 0.0f << 20.0f << true;
    QTest::newRow("initial, tab 4") << View::Initial << 4 << 0.0f << 20.0f << true;
    QTest::newRow("DC view, tab 1: nothing moves") << View::Dc << 1 << 0.0f << 20.0f << false;
    QTest::newRow("DC view, tab 2: nothing moves") << View::Dc << 2 << 0.0f << 20.0f << false;
    QTest::newRow("DC view, tab 3") << View::Dc << 3 << 0.0f << 20.0f << true;
    QTest::newRow("DC view, tab 4") << View::Dc << 4 << 0.0f << 20.0f << true;
    QTest::newRow("stepper view, tab 1") << View::Stepper << 1 << -20.0f << 0.0f << false;
    QTest::newRow("stepper view, tab 2") << View::Stepper << 2 << -20.0f << 0.0f << false;
    QTest::newRow("stepper view, tab 3: nothing moves")
        << View::Stepper << 3 << -20.0f << 0.0f << true;
    QTest::newRow("stepper view, tab 4: nothing moves")
        << View::Stepper << 4 << -20.0f << 0.0f << true;
}

void TestTabs::stateMachine()
{
    QFETCH(View, from);
    QFETCH(int, tab);
    QFETCH(float, dcJustAfter);
    QFETCH(float, stepperJustAfter);
    QFETCH(bool, toStepperView);
    TForm2 &f = *m_form;
    reach(f, from);

    clickTab(f, tab);
    QCOMPARE(f.moteurcc->positionX(), dcJustAfter);
    QCOMPARE(f.moteurpasapas->positionX(), stepperJustAfter);

    // Exactly one slide of each pair is enabled.
    QCOMPARE(f.animationmoteurcc->enabled(), toStepperView);
    QCOMPARE(f.animationmoteurpasapas->enabled(), toStepperView);
    QCOMPARE(f.animationmoteurccbis->enabled(), !toStepperView);
    QCOMPARE(f.animationmoteurpasapasbis->enabled(), !toStepperView);

    QTest::qWait(kSlideEnd);
    QCOMPARE(f.moteurcc->positionX(), toStepperView ? -20.0f : 0.0f);
    QCOMPARE(f.moteurpasapas->positionX(), toStepperView ? 0.0f : 20.0f);
    QVERIFY(!f.animationmoteurcc->isRunning() && !f.animationmoteurccbis->isRunning());
}

void TestTabs::coilLabelsFollowTheLastTab_data()
{
    QTest::addColumn<QList<int>>("tabs");
    QTest::addColumn<bool>("shown");
    QTest::newRow("at start") << QList<int> {} << true;
    QTest::newRow("tab 4") << QList<int> {4} << false;
    QTest::newRow("tab 3 after tab 4") << QList<int> {4, 3} << true;
    QTest::newRow("tab 1 after tab 4") << QList<int> {4, 1} << true;
    QTest::newRow("tab 2 after tab 4") << QList<int> {4, 2} << true;
    QTest::newRow("tab 4 twice") << QList<int> {4, 4} << false;
}

void TestTabs::coilLabelsFollowTheLastTab()
{
    QFETCH(QList<int>, tabs);
    QFETCH(bool, shown);
    for (int tab : tabs)
        clickTab(*m_form, tab);
    QCOMPARE(m_form->textebobine3->isVisible(), shown);
    QCOMPARE(m_form->textebobine4->isVisible(), shown);
    QVERIFY(m_form->textebobine1->isVisible());
    QVERIFY(m_form->textebobine2->isVisible());
}

void TestTabs::directionIsForgottenExceptOnTab2_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("kept");
    QTest::newRow("tab 1") << 1 << false;
    QTest::newRow("tab 2") << 2 << true;
    QTest::newRow("tab 3") << 3 << false;
    QTest::newRow("tab 4") << 4 << false;
}

// Seen in the box and in what a launch on tab 2 does: a negative run, or the message that no
// direction was chosen.
void TestTabs::directionIsForgottenExceptOnTab2()
{
    QFETCH(int, tab);
    QFETCH(bool, kept);
    TForm2 &f = *m_form;
    f.pause().setInterval(std::chrono::milliseconds(1));
    clickTab(f, 2);
    f.Button4->click();
    clickTab(f, tab);
    QCOMPARE(f.Edit3->text(),
             kept ? QStringLiteral("Sens négatif") : QStringLiteral("Sélectionner sens"));

    const QStringList shown = answeringMessageBoxes([&] { f.Button2->click(); });
    QCOMPARE(f.signalrco2->count(), kept ? 132 : 0);
    QCOMPARE(shown.size(), kept ? 0 : 1);
}

void TestTabs::steppersDuringSlidesToDcRestartOppositeSlides()
{
    TForm2 &f = *m_form;
    reach(f, View::Stepper);
    clickTab(f, 1);
    QTest::qWait(300); // part way towards the DC view
    const float dcPartWay = f.moteurcc->positionX();
    QVERIFY(dcPartWay > -20.0f && dcPartWay < 0.0f);

    clickTab(f, 3);
    QCOMPARE(f.moteurcc->positionX(), 0.0f); // goes out from its start value
    QCOMPARE(f.moteurpasapas->positionX(), 20.0f); // comes in from its start value
    QTest::qWait(kSlideEnd);
    QCOMPARE(f.moteurcc->positionX(), -20.0f);
    QCOMPARE(f.moteurpasapas->positionX(), 0.0f);
}

void TestTabs::shaftRotationAndTabs_data()
{
    QTest::addColumn<bool>("negative");
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("stillTurning");
    QTest::newRow("positive, tab 1") << false << 1 << true;
    QTest::newRow("positive, tab 2") << false << 2 << false;
    QTest::newRow("positive, tab 3") << false << 3 << false;
    QTest::newRow("positive, tab 4") << false << 4 << false;
    QTest::newRow("negative, tab 1") << true << 1 << true;
    QTest::newRow("negative, tab 2") << true << 2 << true;
    QTest::newRow("negative, tab 3") << true << 3 << false;
    QTest::newRow("negative, tab 4") << true << 4 << false;
}

void TestTabs::shaftRotationAndTabs()
{
    QFETCH(bool, negative);
    QFETCH(int, tab);
    QFETCH(bool, stillTurning);
    TForm2 &f = *m_form;
    toolkit::FloatAnimation *turning = negative ? f.animationaxenegative : f.animationaxe;
    turning->setDuration(0.5f);
    turning->setEnabled(true);
    clickTab(f, tab);
    QCOMPARE(turning->enabled(), stillTurning);
    QCOMPARE(turning->isRunning(), stillTurning);
}

QTEST_MAIN(TestTabs)
#include "tst_tabs.moc"
