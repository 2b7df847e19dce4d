// SPDX-License-Identifier: GPL-3.0-or-later
// The four traces played for real in the window (1 ms pause). One row per tab checks what its
// handler feeds to the series, edit boxes, shaft, rotor, read-outs and circuit picture (the
// arithmetic of the plans is the business of tests/sim), on values that tell the exact track-bar
// value from the truncated percentage. Then what happens when the user acts while a trace runs:
// every action starts from inside the pause of a chosen step, as the window's events would.

#include "tracewatch.h"

#include "app/layout/circuitpictures.h"

#include "scene/object3d.h"

#include "toolkit/diagram.h"
#include "toolkit/floatanimation.h"
#include "toolkit/lineseries.h"

#include <QLocale>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// What a circuit picture has lit: "id" for a conducting or high part, "id low" for a part driven
// low; sorted.
QStringList litIn(const toolkit::Diagram *picture)
{
    QStringList lit;
    for (const toolkit::Diagram::Light &light : picture->lights()) {
        lit << light.id
                + (light.color == circuitpictures::lowColor              ? u" low"_s
                       : light.color == circuitpictures::conductingColor ? QString()
                                                                         : u" odd colour"_s);
    }
    lit.sort();
    return lit;
}

// What the picture of tab @p n must light at a point whose levels on the tab's series are @p y.
QStringList litByRule(int n, const QList<double> &y, bool positive)
{
    QStringList lit;
    if (n == 1 && y[1] > 0) // Q2 and the path from +12 V through the motor and Q2
        lit << u"Q2"_s << u"current-path"_s;
    if (n == 2) { // Q4 steady and Q2 pulsed, left to right; Q3 steady and Q1 pulsed, back
        lit << (positive ? u"Q4"_s : u"Q3"_s);
        if (y[1] > 0)
            lit << (positive ? u"Q2"_s : u"Q1"_s) << u"common-path"_s
                << (positive ? u"path-left-right"_s : u"path-right-left"_s);
    }
    for (int k = 0; n == 3 && k < 4; ++k) { // coil k: IO22.., channel k, terminal A.., winding
        if (y[k] > 0)
            lit << u"input-%1"_s.arg(k + 1) << u"channel-%1"_s.arg(k + 1)
                << u"terminal-"_s + QChar(u'A' + k) << u"winding-"_s + QChar(u'A' + k);
    }
    for (int w = 0; n == 4 && w < 2;
         ++w) { // winding w through IN(2w+1)/IN(2w+2); + drives the first high
        if (y[w] == 0)
            continue;
        const QString first = y[w] > 0 ? QString() : u" low"_s;
        const QString second = y[w] > 0 ? u" low"_s : QString();
        lit << u"input-%1"_s.arg(2 * w + 1) + first << u"input-%1"_s.arg(2 * w + 2) + second
            << u"terminal-"_s + QChar(u'A' + 2 * w) + first
            << u"terminal-"_s + QChar(u'B' + 2 * w) + second;
    }
    lit.sort();
    return lit;
}

} // namespace

class tst_Traces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void init();
    void cleanup() { m_form.reset(); }

    void wiring_data();
    void wiring();
    void trackBarMovedDuringTrace_data();
    void trackBarMovedDuringTrace();
    void directionSwitchedDuringRun_data();
    void directionSwitchedDuringRun();
    void tabClickDuringPositiveRun_data();
    void tabClickDuringPositiveRun();
    void otherTabTraceNested_data();
    void otherTabTraceNested();

private:
    void clickTab(int index)
    {
        QTabBar *bar = m_form->TabControl1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    std::unique_ptr<TForm2> m_form;
};

void tst_Traces::init()
{
    m_form = std::make_unique<TForm2>();
    m_form->pause().setInterval(std::chrono::milliseconds(1));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_Traces::wiring_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("direction"); // tab 2: 1 positive, 2 negative
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown"); // in the track bar's box, French locale
    QTest::addColumn<float>("shaftPeriod"); // s; -1: the shaft stays still
    QTest::addColumn<QString>("readout"); // turns a minute on the DC pictures, 60 / period
    QTest::addColumn<QString>("angle"); // stepper tabs: the angle box at the end

    // Levels from the truncated percentage, the shaft's period from the exact value.
    QTest::newRow("tab 1, 37.5 %")
        << 1 << 1 << 37.5 << u"37,5"_s << 0.625f << u"+96.00"_s << QString();
    QTest::newRow("tab 1, 0 %: needles")
        << 1 << 1 << 0.0 << u"0"_s << -1.0f << u"+0.00"_s << QString();
    QTest::newRow("tab 2, negative 37.5 %")
        << 2 << 2 << 37.5 << u"37,5"_s << 0.625f << u"-96.00"_s << QString();
    QTest::newRow("tab 2, positive 100 %: fastest")
        << 2 << 1 << 100.0 << u"100"_s << 0.0f << u"+12000.00"_s << QString();
    QTest::newRow("tab 3, 95 %: steps share abscissae")
        << 3 << 1 << 95.0 << u"95"_s << -1.0f << u"+0.00"_s << u"-18360"_s;
    QTest::newRow("tab 4, 50 %") << 4 << 1 << 50.0 << u"50"_s << -1.0f << u"+0.00"_s << u"-2160"_s;
}

void tst_Traces::wiring()
{
    QFETCH(int, n);
    QFETCH(int, direction);
    QFETCH(double, value);
    QFETCH(QString, shown);
    QFETCH(float, shaftPeriod);
    QFETCH(QString, readout);
    QFETCH(QString, angle);
    TForm2 &f = *m_form;
    const TraceTab t(f, n, direction);
    t.prepare(value);
    QCOMPARE(litIn(t.picture), QStringList());

    // At every point the button stays hidden and the picture lights, with parts of its
    // drawing, what the rule says of the levels the chart just received.
    const QSvgRenderer drawing(t.picture->source());
    QStringList wrong;
    int lit = 0;
    StepWatch watch(&f);
    watch.onEveryStep([&](int step) {
        QList<double> y;
        for (const toolkit::LineSeries *s : t.series)
            y << s->points().constLast().y();
        const QStringList expected = litByRule(n, y, direction == 1);
        if (wrong.isEmpty() && (litIn(t.picture) != expected || !t.button->isHidden()))
            wrong << u"step %1: %2 lit, not %3"_s.arg(step).arg(litIn(t.picture).join(u','),
                                                                expected.join(u','));
        for (const toolkit::Diagram::Light &light : t.picture->lights()) {
            if (!drawing.elementExists(light.id))
                wrong << light.id + u" is not in the drawing"_s;
        }
        lit += expected.isEmpty() ? 0 : 1;
        if (step == 1 && t.angle && t.angle->text() != "0"_L1) // a new run starts at 0
            wrong << u"angle box at the first step: "_s + t.angle->text();
    });
    t.button->click();
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    QVERIFY(lit > 0);
    QCOMPARE(litIn(t.picture), QStringList());

    const QList<QList<QPointF>> expected = planned(n, value, direction);
    QCOMPARE(watch.steps(), expected.constFirst().size());
    QVERIFY(!t.button->isHidden());
    QCOMPARE(t.box->text(), shown);
    QCOMPARE(pointsIn(t.series), expected);
    int others = 0; // tab 2's other direction, the series of other tabs
    for (const toolkit::LineSeries *s : f.findChildren<toolkit::LineSeries *>())
        others += t.series.contains(s) ? 0 : s->count();
    QCOMPARE(others, 0);
    toolkit::FloatAnimation *shaft = direction == 1 ? f.animationaxe : f.animationaxenegative;
    QCOMPARE(shaft->enabled(), shaftPeriod >= 0);
    if (shaftPeriod >= 0)
        QCOMPARE(shaft->duration(), shaftPeriod);
    QVERIFY(!(direction == 1 ? f.animationaxenegative : f.animationaxe)->enabled());
    if (n == 2)
        QCOMPARE(f.Edit3->text(), direction == 1 ? u"Sens positif"_s : u"Sens négatif"_s);
    // Both DC pictures read the shaft until the track bar stops it.
    QCOMPARE(f.Image1->readoutText(), readout);
    QCOMPARE(f.Image2->readoutText(), readout);
    moveTo(t.bar, 60);
    QCOMPARE(f.Image1->readoutText(), u"+0.00"_s);
    if (t.angle) {
        QCOMPARE(t.angle->text(), angle);
        // The rotor stays a step behind the box; both stepper pictures read the rotor.
        const float rotor = angle.toFloat() + 90.0f;
        QCOMPARE(f.rotor1->rotationAngle().y(), rotor);
        QCOMPARE(f.Image3->readoutText(), u"%1.00"_s.arg(rotor));
        QCOMPARE(f.Image4->readoutText(), u"%1.00"_s.arg(rotor));
    }
}

void tst_Traces::trackBarMovedDuringTrace_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("direction");
    for (int n = 1; n <= 4; ++n)
        QTest::addRow("tab %d", n) << n << 1;
    QTest::newRow("tab 2, negative") << 2 << 2;
}

// The running trace keeps the levels it took at its start; the new value shows at once, stops
// the DC shaft whichever way it turns, and is kept for the next launch.
void tst_Traces::trackBarMovedDuringTrace()
{
    QFETCH(int, n);
    QFETCH(int, direction);
    TForm2 &f = *m_form;
    const TraceTab t(f, n, direction);
    t.prepare(50);
    StepWatch watch(&f);
    watch.at(30, [&] { t.bar->setValue(90); });
    t.button->click();

    QCOMPARE(pointsIn(t.series), planned(n, 50, direction));
    QCOMPARE(t.box->text(), u"90"_s);
    QVERIFY(!t.button->isHidden());
    QVERIFY(!f.animationaxe->enabled());
    QVERIFY(!f.animationaxenegative->enabled());
    t.button->click();
    QCOMPARE(pointsIn(t.series), planned(n, 90, direction));
}

void tst_Traces::directionSwitchedDuringRun_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<double>("newValue");
    // A switch to negative during a positive run: a negative run follows, and both animations
    // end enabled; with the track bar moved in between, the second run takes the new value and
    // only its own animation turns. A switch to positive during a negative run changes nothing.
    QTest::newRow("positive, then negative") << 1 << 50.0;
    QTest::newRow("positive, then negative at 80 %") << 1 << 80.0;
    QTest::newRow("negative, then positive") << 2 << 50.0;
}

void tst_Traces::directionSwitchedDuringRun()
{
    QFETCH(int, first);
    QFETCH(double, newValue);
    TForm2 &f = *m_form;
    TraceTab(f, 2, first).prepare(50);
    StepWatch watch(&f);
    watch.at(40, [&] {
        (first == 1 ? f.Button4 : f.Button3)->click();
        f.valeurmoteur1->setValue(newValue);
    });
    QList<QList<int>> seen; // positive and negative points, launch button shown
    watch.onEveryStep([&](int) {
        seen << QList<int> {int(f.signalrco1->count()), int(f.signalrco2->count()),
                            !f.Button2->isHidden()};
    });
    f.Button2->click();

    const bool followed = first == 1;
    QCOMPARE(seen.size(), followed ? 264 : 132);
    if (followed) { // the positive run completes before the negative one clears it
        QCOMPARE(seen.at(131), (QList<int> {132, 0, 0}));
        QCOMPARE(seen.at(132), (QList<int> {0, 1, 0}));
    }
    QVERIFY(std::none_of(seen.cbegin(), seen.cend(), [](const QList<int> &s) { return s[2]; }));
    QVERIFY(!f.Button2->isHidden());
    QCOMPARE(f.signalrco1->count(), 0);
    QCOMPARE(pointsIn({f.tensionmoyenne1, f.signalrco2}), planned(2, followed ? newValue : 50, 2));
    QVERIFY(f.animationaxenegative->enabled());
    QCOMPARE(f.animationaxe->enabled(), followed && newValue == 50.0);
    QCOMPARE(f.animationaxenegative->duration(), newValue == 80.0 ? 0.2f : 0.5f);
    // The later animation turns the shaft, and the read-outs tell.
    QCOMPARE(f.Image2->readoutText(), newValue == 80.0 ? u"-300.00"_s : u"-120.00"_s);
}

void tst_Traces::tabClickDuringPositiveRun_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("tab 1") << 0;
    QTest::newRow("tab 3") << 2;
    QTest::newRow("tab 4") << 3;
}

// Leaving for tab 1, 3 or 4 forgets the direction, so no negative run follows.
void tst_Traces::tabClickDuringPositiveRun()
{
    QFETCH(int, index);
    TForm2 &f = *m_form;
    clickTab(1);
    TraceTab(f, 2).prepare(50);
    StepWatch watch(&f);
    watch.at(10, [&] { f.Button4->click(); });
    watch.at(20, [&] { clickTab(index); });
    f.Button2->click();

    QCOMPARE(watch.steps(), 132);
    QCOMPARE(f.Edit3->text(), u"Sélectionner sens"_s);
    QCOMPARE(pointsIn({f.tensionmoyenne1, f.signalrco1}), planned(2, 50));
    QCOMPARE(f.signalrco2->count(), 0);
    QVERIFY(!f.Button2->isHidden());
}

void tst_Traces::otherTabTraceNested_data()
{
    QTest::addColumn<int>("outerTab");
    QTest::addColumn<int>("innerTab");
    QTest::newRow("tab 3 inside tab 1") << 1 << 3;
    QTest::newRow("tab 2 inside tab 4") << 4 << 2;
    QTest::newRow("tab 4 inside tab 3") << 3 << 4;
}

// The inner trace runs to its end inside one pause of the outer one, which then goes on where
// it stopped; each button is hidden exactly while its own trace runs, and every step keeps its
// pause, measured between the starts the player reports.
void tst_Traces::otherTabTraceNested()
{
    QFETCH(int, outerTab);
    QFETCH(int, innerTab);
    TForm2 &f = *m_form;
    constexpr int at = 5;
    constexpr std::chrono::milliseconds pause(4);
    f.pause().setInterval(pause);
    const TraceTab outer(f, outerTab);
    const TraceTab inner(f, innerTab);
    outer.prepare(50);
    inner.prepare(50);
    const int outerPoints = int(planned(outerTab, 50).constFirst().size());
    const int innerPoints = int(planned(innerTab, 50).constFirst().size());

    StepWatch watch(&f);
    watch.at(at, [&] { inner.button->click(); });
    QStringList wrong;
    StepWatch::Clock::time_point previous;
    watch.onEveryStep([&](int step) {
        const int i = step - 1;
        const QList<int> seen {int(outer.series[0]->count()), int(inner.series[0]->count()),
                               outer.button->isHidden(), inner.button->isHidden()};
        const QList<int> expected {std::min(i + 1, at) + std::max(0, i + 1 - at - innerPoints),
                                   i < at ? 0 : std::min(i + 1 - at, innerPoints), 1,
                                   i >= at && i < at + innerPoints};
        if (seen != expected)
            wrong << u"step %1"_s.arg(step);
        // The inner trace starts right after the outer step it interrupts.
        if (i > 0 && i != at
            && watch.lastStart() - previous < toolkit::StepSchedule::shortestPeriod(pause))
            wrong << u"step %1 started early"_s.arg(step);
        previous = watch.lastStart();
    });
    outer.button->click();

    QCOMPARE(watch.steps(), outerPoints + innerPoints);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u", "_s)));
    QVERIFY(!outer.button->isHidden());
    QVERIFY(!inner.button->isHidden());
}

QTEST_MAIN(tst_Traces)
#include "tst_traces.moc"
