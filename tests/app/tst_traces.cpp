// SPDX-License-Identifier: GPL-3.0-or-later
// The four traces played for real in the window (1 ms pause): what each handler feeds to the
// series, boxes, shaft, rotor, read-outs and circuit picture, and the user acting mid-trace.

#include "tracewatch.h"

#include "app/layout/circuitpictures.h"
#include "app/traceplayer.h"

#include "scene/object3d.h"

#include "toolkit/diagram.h"
#include "toolkit/floatanimation.h"
#include "toolkit/lineseries.h"

#include <QLocale>
#include <QSvgRenderer>
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
    // Winding w through IN(2w+1) and IN(2w+2); + drives the first high.
    for (int w = 0; n == 4 && w < 2; ++w) {
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
    void aPlanOfOtherSeriesIsRefused();

private:
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
    // Negative chosen during a positive run: a negative run follows, with the track bar's new
    // value; a new value stops the positive shaft. Positive chosen in a negative run: nothing.
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
    if (followed) // the positive run completes before the negative one clears it
        QCOMPARE(seen.mid(131, 2), (QList<QList<int>> {{132, 0, 0}, {0, 1, 0}}));
    QCOMPARE(f.signalrco1->count(), 0);
    QCOMPARE(pointsIn({f.tensionmoyenne1, f.signalrco2}), planned(2, followed ? newValue : 50, 2));
    QVERIFY(f.animationaxenegative->enabled());
    QCOMPARE(f.animationaxe->enabled(), followed && newValue == 50.0);
    QCOMPARE(f.animationaxenegative->duration(), newValue == 80.0 ? 0.2f : 0.5f);
    // The later animation turns the shaft, and the read-outs tell.
    QCOMPARE(f.Image2->readoutText(), newValue == 80.0 ? u"-300.00"_s : u"-120.00"_s);
}

// Before a point is written, in every build: a plan of two series would leave the third's values
// to be read past the end of its steps.
void tst_Traces::aPlanOfOtherSeriesIsRefused()
{
    TForm2 &f = *m_form;
    const TracePlayer player(f.pause(), {f.tensionmoyenne, f.signalrco, f.signalrco1});
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, player.play(sim::pwm::plan(50)));
    QCOMPARE(pointsIn({f.tensionmoyenne, f.signalrco, f.signalrco1}),
             (QList<QList<QPointF>> {{}, {}, {}}));
}

QTEST_MAIN(tst_Traces)
#include "tst_traces.moc"
