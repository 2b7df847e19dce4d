// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson's time held, stepped and slowed by the teacher while traces run (1 ms points): what
// every view shows while held and after each step against a normal run, nesting, and the keys.

#include "tracewatch.h"

#include "scene/coilglow.h"
#include "scene/model3d.h"
#include "scene/object3d.h"
#include "scene/sceneview.h"

#include "toolkit/floatanimation.h"
#include "toolkit/glyphbutton.h"
#include "toolkit/lessoncontrols.h"
#include "toolkit/tabcontrol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QQuickView>
#include <QTabBar>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// What the window shows of a trace at one moment: every series, the lit parts, the glowing
// coils, the rotor, the angle box and the read-outs.
QString momentOf(TForm2 &f, const TraceTab &t)
{
    QStringList shown;
    for (const toolkit::LineSeries *s : f.findChildren<toolkit::LineSeries *>())
        shown << QString::number(s->count()) + u'@'
                + (s->count() ? QString::number(s->points().constLast().y()) : QString());
    for (const toolkit::Diagram::Light &light : t.picture->lights())
        shown << light.id + light.color.name();
    shown << QString::fromStdString(f.coilGlow->shown().to_string())
          << QString::number(f.rotor1->rotationAngle().y()) << (t.angle ? t.angle->text() : "-"_L1);
    for (const toolkit::Diagram *picture : {f.Image1, f.Image3})
        shown << picture->readoutText();
    return shown.join(u' ');
}

// The way the shaft would turn over @p lessonMs of the lesson's time, in degrees.
float shaftTurn(const toolkit::FloatAnimation *shaft, double lessonMs)
{
    return float(std::fmod(360.0 * lessonMs / (shaft->duration() * 1000.0), 360.0));
}

} // namespace

class TestLesson : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void init();
    void cleanup() { m_form.reset(); }
    void heldAndSteppedAsANormalRun_data();
    void heldAndSteppedAsANormalRun();
    void launchesWhileHeld();
    void controlsBesideTheTabs();
    void keysWhereverTheFocusIs_data();
    void keysWhereverTheFocusIs();

private:
    // A key on the keyboard goes to the window that has the focus: the 3D view is one of its own.
    void press(Qt::Key key) { QTest::keyClick(QGuiApplication::focusWindow(), key); }

    std::unique_ptr<TForm2> m_form;
};

void TestLesson::init()
{
    m_form = std::make_unique<TForm2>();
    m_form->pause().setInterval(std::chrono::milliseconds(1));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestLesson::heldAndSteppedAsANormalRun_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("heldAt"); // the step in whose pause P is pressed
    QTest::addColumn<int>("steps"); // then S, that many times
    // Across the falling edge of tab 1 into freewheeling, and across changes of coil.
    QTest::newRow("tab 1, 50 %") << 1 << 50.0 << 8 << 6;
    QTest::newRow("tab 2, 50 %") << 2 << 50.0 << 20 << 4;
    QTest::newRow("tab 3, 90 %") << 3 << 90.0 << 3 << 5;
    QTest::newRow("tab 4, 50 %") << 4 << 50.0 << 2 << 12;
}

// Held, a trace appends nothing and every view keeps its moment however long the window goes on
// handling events; each step is the next step of a normal run, every view alike, and the shaft
// turns by a step's time; let go, the trace ends as a normal run does.
void TestLesson::heldAndSteppedAsANormalRun()
{
    QFETCH(int, n);
    QFETCH(double, value);
    QFETCH(int, heldAt);
    QFETCH(int, steps);
    TForm2 &f = *m_form;
    const TraceTab t(f, n);
    t.prepare(value);
    t.button->click(); // so that both runs below start from the angle a run leaves
    QStringList normal {QString()}; // the moment of each step of a normal run, from 1
    {
        StepWatch watch(&f);
        watch.onEveryStep([&](int) { normal << momentOf(f, t); });
        t.button->click();
    }

    const qint64 interval = f.pause().interval().count();
    toolkit::FloatAnimation *shaft = f.animationaxe;
    StepWatch watch(&f);
    QStringList wrong;
    const auto check = [&](bool ok, const QString &what) {
        if (!ok && wrong.isEmpty())
            wrong << u"step %1: "_s.arg(watch.steps()) + what;
    };
    watch.onEveryStep([&](int step) {
        check(momentOf(f, t) == normal.value(step),
              momentOf(f, t) + u"\nnot "_s + normal.value(step));
    });
    // The teacher, between the trace's pauses: holds at heldAt (or the step after, when the
    // pause of heldAt was over before the key came), waits, then steps and lets go.
    QString held;
    int heldStep = 0;
    float angle = 0;
    int taken = 0;
    QElapsedTimer sinceHeld;
    QTimer teacher;
    connect(&teacher, &QTimer::timeout, [&] {
        if (held.isEmpty()) {
            held = momentOf(f, t);
            heldStep = watch.steps();
            angle = f.axe->rotationAngle().z();
            sinceHeld.start();
            check(f.lessonControls()->stateText() == u"En pause"_s, u"not said held"_s);
            check(shaft->isRunning() == (n <= 2), u"the shaft's turn has stopped"_s);
            return;
        }
        check(watch.steps() == heldStep + taken && heldStep - heldAt <= 1, u"not held"_s);
        if (taken == 0) {
            if (sinceHeld.elapsed() < 10 * interval)
                return;
            check(momentOf(f, t) == held, u"moved while held"_s);
            check(f.axe->rotationAngle().z() == angle, u"the shaft moved while held"_s);
        } else if (n == 1) {
            const float turned = std::fmod(f.axe->rotationAngle().z() - angle + 360.0f, 360.0f);
            check(std::abs(turned - shaftTurn(shaft, double(interval))) < 1e-3f,
                  u"the shaft turned by %1"_s.arg(turned));
        }
        angle = f.axe->rotationAngle().z();
        press(taken++ < steps ? Qt::Key_S : Qt::Key_P);
        if (taken > steps)
            teacher.stop();
    });
    watch.at(heldAt, [&] {
        press(Qt::Key_P);
        teacher.start(interval);
    });
    t.button->click();
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    QCOMPARE(taken, steps + 1);
    QCOMPARE(watch.steps(), normal.size() - 1);
    QCOMPARE(pointsIn(t.series), planned(n, value));
    QVERIFY(!t.button->isHidden());
}

// A launch that starts a trace lets a held lesson run again, inside the held one, which then
// ends too; a launch that starts none (tab 2 without a direction) leaves it held.
void TestLesson::launchesWhileHeld()
{
    TForm2 &f = *m_form;
    const TraceTab outer(f, 1), inner(f, 3);
    outer.prepare(50);
    inner.prepare(90);
    StepWatch watch(&f);
    QTimer answer; // the message box of tab 2
    connect(&answer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    watch.at(10, [&] {
        press(Qt::Key_P);
        answer.start(5);
        f.Button2->click();
        QVERIFY(f.lesson().isPaused());
        QCOMPARE(watch.steps(), 10);
        inner.button->click();
        QVERIFY(!f.lesson().isPaused());
    });
    outer.button->click();
    QCOMPARE(pointsIn(inner.series), planned(3, 90));
    QCOMPARE(pointsIn(outer.series), planned(1, 50));
    QCOMPARE(watch.steps(), 132 + 208);
}

// In every state the group lies in the free end of the tab headers, all four headers whole
// beside it, its state at least as large as their captions and every button named.
void TestLesson::controlsBesideTheTabs()
{
    TForm2 &f = *m_form;
    toolkit::LessonControls *controls = f.lessonControls();
    QTabBar *bar = f.TabControl1->tabBar();
    auto *state = controls->findChild<QLabel *>(u"lessonState"_s);
    QVERIFY(state);
    for (const auto &[held, pace] : {std::pair {false, toolkit::LessonClock::Pace::Tenth},
                                     std::pair {true, toolkit::LessonClock::Pace::Normal}}) {
        f.lesson().setPace(pace);
        f.lesson().setPaused(held);
        QCoreApplication::processEvents();
        const QRect group(controls->mapTo(f.TabControl1, QPoint()), controls->size());
        QVERIFY(group.right() < f.TabControl1->width());
        QVERIFY(state->sizeHint().width() <= state->width());
        for (int i = 0; i < bar->count(); ++i) {
            const QRect header(bar->mapTo(f.TabControl1, bar->tabRect(i).topLeft()),
                               bar->tabRect(i).size());
            QVERIFY2(header.right() < group.left() && header.right() < bar->width(),
                     qPrintable(state->text()));
        }
        QVERIFY(QFontInfo(state->font()).pixelSize() >= QFontInfo(bar->font()).pixelSize());
        for (const QPushButton *button : controls->findChildren<QPushButton *>())
            QVERIFY(!button->accessibleName().isEmpty() && !button->toolTip().isEmpty());
    }
    QCOMPARE(state->text(), u"En pause"_s);
}

void TestLesson::keysWhereverTheFocusIs_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("track bar") << u"valeurmoteur"_s;
    QTest::newRow("button") << u"Button6"_s;
    QTest::newRow("read-only edit box") << u"Edit1"_s;
    QTest::newRow("pace button") << u"lessonPace"_s;
    QTest::newRow("3D view, clicked") << u"sceneContainer"_s;
}

// P holds and lets go, S steps only while held, R goes through the paces; the control that has
// the focus keeps it and its value.
void TestLesson::keysWhereverTheFocusIs()
{
    QFETCH(QString, focus);
    TForm2 &f = *m_form;
    auto *control = f.findChild<QWidget *>(focus);
    QVERIFY(control);
    QWidget *focused = control->focusProxy() ? control->focusProxy() : control;
    QWindow *view = f.sceneView()->quickView();
    if (focus == "sceneContainer"_L1) {
        QVERIFY(QTest::qWaitForWindowExposed(view));
        // A click in it, and the keyboard it is given, as a window manager gives it.
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() / 2, 20));
        view->requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), view);
    } else {
        focused->setFocus();
        QTRY_VERIFY(focused->hasFocus());
    }
    const double bar = f.valeurmoteur->value();
    const QString box = f.Edit1->text();
    toolkit::LessonClock &lesson = f.lesson();
    const auto before = lesson.now();
    press(Qt::Key_S);
    QVERIFY(!lesson.isPaused());
    press(Qt::Key_P);
    QVERIFY(lesson.isPaused());
    const auto held = lesson.now();
    QVERIFY(held >= before);
    press(Qt::Key_S);
    QCOMPARE(lesson.now() - held, f.pause().interval());
    QStringList states;
    for (int i = 0; i < 3; ++i) {
        press(Qt::Key_R);
        states << f.lessonControls()->paceButton()->accessibleName();
    }
    QCOMPARE(states, (QStringList {u"Allure ×¼"_s, u"Allure ×1⁄10"_s, u"Allure ×1"_s}));
    press(Qt::Key_P);
    QVERIFY(!lesson.isPaused());
    press(Qt::Key_R);
    QCOMPARE(f.lessonControls()->stateText(), u"Ralenti ×¼"_s);
    QVERIFY(focus == "sceneContainer"_L1 ? QGuiApplication::focusWindow() == view
                                         : focused->hasFocus());
    QCOMPARE(f.valeurmoteur->value(), bar);
    QCOMPARE(f.Edit1->text(), box);
}

QTEST_MAIN(TestLesson)
#include "tst_lesson.moc"
