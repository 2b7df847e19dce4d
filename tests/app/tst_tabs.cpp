// SPDX-License-Identifier: GPL-3.0-or-later
// Tab switching: the scene's three states (initial, DC view, stepper view) and every transition
// between them, the coil labels, the direction choice and the shaft; and the Tab key's stops.

#include "tracewatch.h"

#include "scene/model3d.h"

#include "toolkit/floatanimation.h"
#include "toolkit/tabcontrol.h"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTabBar>
#include <QTest>

namespace {

// Until the slides of the models (0.8 s) have ended.
void settle(TForm2 &f)
{
    QTRY_VERIFY_WITH_TIMEOUT(
        !f.animationmoteurcc->isRunning() && !f.animationmoteurccbis->isRunning()
            && !f.animationmoteurpasapas->isRunning() && !f.animationmoteurpasapasbis->isRunning(),
        20000);
}

// A click on the header of @p tab, handled before the next tick of any animation (a test's click
// would let events through after it, and on a loaded machine a slide's first step with them).
void clickTab(TForm2 &f, int tab)
{
    QTabBar *bar = f.TabControl1->tabBar();
    const QPointF at = bar->tabRect(tab - 1).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, bar->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(bar, &event);
    }
}

} // namespace

class TestTabs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_form.reset(); }
    void stateMachine_data();
    void stateMachine();
    void directionIsForgottenExceptOnTab2_data();
    void directionIsForgottenExceptOnTab2();
    void everyTabStopIsNamed();

private:
    std::unique_ptr<TForm2> m_form;
};

void TestTabs::init()
{
    m_form = std::make_unique<TForm2>();
    m_form->pause().setInterval(std::chrono::milliseconds(1));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestTabs::stateMachine_data()
{
    QTest::addColumn<int>("from"); // 0 at start-up, else the tab clicked before
    QTest::addColumn<int>("tab");
    for (int from : {0, 1, 3}) {
        for (int tab = 1; tab <= 4; ++tab)
            QTest::addRow("from %d, tab %d", from, tab) << from << tab;
    }
}

// The slides that start jump to their start values (DC -20 → 0 and stepper 0 → 20 into the DC
// view, DC 0 → -20 and stepper 20 → 0 into the stepper view); a click that keeps the view moves
// nothing. At start-up no slide ran yet, so tabs 1 and 2 replay theirs. Tab 1 lets the shaft
// turn, tab 2 stops its positive way only, the stepper tabs stop both; only tab 4 hides the
// letters of coils 3 and 4.
void TestTabs::stateMachine()
{
    QFETCH(int, from);
    QFETCH(int, tab);
    TForm2 &f = *m_form;
    if (from != 0) {
        clickTab(f, from);
        settle(f);
    }
    const bool toStepper = tab >= 3;
    const bool moves = from == 0 || (from == 3) != toStepper;
    for (toolkit::FloatAnimation *shaft : {f.animationaxe, f.animationaxenegative}) {
        shaft->setDuration(0.5f);
        shaft->setEnabled(true);
    }
    clickTab(f, tab);
    QCOMPARE(f.animationaxe->enabled(), tab == 1);
    QCOMPARE(f.animationaxenegative->isRunning(), tab <= 2);
    QCOMPARE(f.textebobine3->isVisible(), tab != 4);
    QCOMPARE(f.textebobine4->isVisible(), tab != 4);
    QVERIFY(f.textebobine1->isVisible() && f.textebobine2->isVisible());
    QCOMPARE(f.moteurcc->positionX(), moves == toStepper ? 0.0f : -20.0f);
    QCOMPARE(f.moteurpasapas->positionX(), moves == toStepper ? 20.0f : 0.0f);
    // Exactly one slide of each pair is enabled.
    QCOMPARE(f.animationmoteurcc->enabled(), toStepper);
    QCOMPARE(f.animationmoteurpasapas->enabled(), toStepper);
    QCOMPARE(f.animationmoteurccbis->enabled(), !toStepper);
    QCOMPARE(f.animationmoteurpasapasbis->enabled(), !toStepper);
    settle(f);
    QCOMPARE(f.moteurcc->positionX(), toStepper ? -20.0f : 0.0f);
    QCOMPARE(f.moteurpasapas->positionX(), toStepper ? 0.0f : 20.0f);
}

void TestTabs::directionIsForgottenExceptOnTab2_data()
{
    QTest::addColumn<int>("tab");
    for (int tab = 1; tab <= 4; ++tab)
        QTest::addRow("tab %d", tab) << tab;
}

// Seen in the box and in what a launch on tab 2 does: a negative run, or the message that no
// direction was chosen.
void TestTabs::directionIsForgottenExceptOnTab2()
{
    QFETCH(int, tab);
    TForm2 &f = *m_form;
    const bool kept = tab == 2;
    clickTab(f, 2);
    f.Button4->click();
    clickTab(f, tab);
    QCOMPARE(f.Edit3->text(), kept ? u"Sens négatif" : u"Sélectionner sens");
    QStringList shown; // the texts of the message boxes answered
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(10);
    f.Button2->click();
    QCOMPARE(f.signalrco2->count(), kept ? 132 : 0);
    QCOMPARE(shown.size(), kept ? 0 : 1);
    if (!kept)
        QCOMPARE(shown.constFirst(), u"Vous n'avez pas sélectionné le sens");
}

// Whatever Tab lands on must tell a screen reader what it is: by its own name or text, or
// through the control it receives the focus for.
void TestTabs::everyTabStopIsNamed()
{
    const auto isNamed = [](QWidget *w) {
        const QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        return face && !face->text(QAccessible::Name).isEmpty();
    };
    TForm2 &form = *m_form;
    QStringList unnamed;
    int stops = 0;
    for (QWidget *w = form.nextInFocusChain(); w != &form; w = w->nextInFocusChain()) {
        if (w->focusProxy() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        ++stops;
        QWidget *parent = w->parentWidget();
        if (isNamed(w) || (parent && parent->focusProxy() == w && isNamed(parent)))
            continue;
        while (parent && parent->objectName().isEmpty())
            parent = parent->parentWidget();
        unnamed << QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" in ")
                + (parent ? parent->objectName() : QString());
    }
    QVERIFY(stops > 30);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

QTEST_MAIN(TestTabs)
#include "tst_tabs.moc"
