// SPDX-License-Identifier: GPL-3.0-or-later
// The four traces played for real in the window (1 ms pause): what each handler feeds to the
// series, boxes, shaft, rotor, read-outs and circuit picture, and the user acting mid-trace.

#include "tracewatch.h"

#include "app/layout/circuitpictures.h"
#include "app/traceplayer.h"

#include "scene/coilglow.h"
#include "scene/object3d.h"

#include "toolkit/diagram.h"
#include "toolkit/floatanimation.h"
#include "toolkit/lineseries.h"
#include "toolkit/readoutspot.h"

#include <QAccessible>
#include <QLocale>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>

#include <bitset>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// What a circuit picture has lit: "id" for a conducting or high part, "id low" for a part driven
// low, "id freewheel" for a part the current goes on flowing through, drawn dashed; sorted.
QStringList litIn(const toolkit::Diagram *picture)
{
    QStringList lit;
    for (const toolkit::Diagram::Light &light : picture->lights()) {
        const bool freewheel = light.color == circuitpictures::freewheelColor && light.dashed;
        lit << light.id
                + (light.dashed && !freewheel                            ? u" odd dashes"_s
                       : light.color == circuitpictures::lowColor        ? u" low"_s
                       : freewheel                                       ? u" freewheel"_s
                       : light.color == circuitpictures::conductingColor ? QString()
                                                                         : u" odd colour"_s);
    }
    lit.sort();
    return lit;
}

// What the picture of tab @p n must light at a point whose levels on the tab's series are @p y,
// when an earlier point of the same run drove the motor (@p wasDriven) at a high width above 0.
QStringList litByRule(int n, const QList<double> &y, bool positive, bool wasDriven)
{
    QStringList lit;
    const bool freewheeling = n <= 2 && !(y[1] > 0) && wasDriven;
    const auto freewheel = [](QStringList ids) {
        return ids.replaceInStrings(QRegularExpression(u"$"_s), u" freewheel"_s);
    };
    if (n == 1 && y[1] > 0) // Q2 and the path from +12 V through the motor and Q2
        lit << u"Q2"_s << u"current-path"_s << u"motor-branch"_s;
    if (n == 1 && freewheeling) // round through the motor and D2
        lit << freewheel({u"freewheel"_s, u"motor-branch"_s});
    if (n == 2) {
        // Positive: Q3 (upper right) steady, Q1 (lower left) pulsed, right to left through the
        // motor, freewheeling up D2 across Q4; negative: the mirror image, through D4.
        const QString upper = positive ? u"right"_s : u"left"_s;
        const QString lower = positive ? u"left"_s : u"right"_s;
        const QStringList down {upper + u"-top-outer"_s, upper + u"-top-inner"_s,
                                upper + u"-lead"_s, u"motor-branch"_s};
        lit << (positive ? u"Q3"_s : u"Q4"_s);
        if (y[1] > 0)
            lit << (positive ? u"Q1"_s : u"Q2"_s) << down << lower + u"-low"_s << u"supply"_s;
        if (freewheeling)
            lit << freewheel(down
                             + QStringList {lower + u"-lead"_s, lower + u"-top-inner"_s,
                                            positive ? u"freewheel-D2"_s : u"freewheel-D4"_s});
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

// The stepper's coils that glow at a point with the levels @p y of tab @p n: on tab 3 coil k
// while its series is high; on tab 4 both coils on the axis of a winding at either polarity,
// coils 1 and 3 for the first winding, 2 and 4 for the second.
std::bitset<4> glowByRule(int n, const QList<double> &y)
{
    std::bitset<4> glow;
    for (int k = 0; n == 3 && k < 4; ++k)
        glow[k] = y[k] > 0;
    for (int w = 0; n == 4 && w < 2; ++w)
        glow[w] = glow[w + 2] = y[w] != 0;
    return glow;
}

// What is wrong with where the rotor lies for the coils @p glow of tab @p n: on tab 3 its N
// must point at the glowing coil (coil 1 at 0°, then a quarter turn back for each next coil),
// on tab 4 the bar must lie on the glowing pair's axis.
QString rotorFault(int n, const std::bitset<4> &glow, float rotorY)
{
    for (int k = 0; k < 4; ++k) {
        if (glow[k] && std::abs(std::remainder(rotorY + 90.0 * k, n == 3 ? 360.0 : 180.0)) > 1e-3)
            return u"rotor at %1 with coil %2 glowing"_s.arg(rotorY).arg(k + 1);
    }
    return {};
}

// The value a screen reader reads for the read-out of @p picture, and its name.
QString spoken(const toolkit::Diagram *picture, QAccessible::Text what)
{
    auto *spot = picture->findChild<toolkit::ReadoutSpot *>();
    QAccessibleInterface *face = spot ? QAccessible::queryAccessibleInterface(spot) : nullptr;
    return face ? face->text(what) : u"(no read-out for screen readers)"_s;
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
    void directionSwitchedDuringRun_data();
    void directionSwitchedDuringRun();
    void aPlanOfOtherSeriesIsRefused();
    void nestedStepperTracesGlowInTurn_data();
    void nestedStepperTracesGlowInTurn();

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
        << 1 << 1 << 37.5 << u"37,5"_s << 0.625f << u"+96 tr/min"_s << QString();
    QTest::newRow("tab 1, 0 %: needles")
        << 1 << 1 << 0.0 << u"0"_s << -1.0f << u"0 tr/min"_s << QString();
    QTest::newRow("tab 2, positive 37.5 %")
        << 2 << 1 << 37.5 << u"37,5"_s << 0.625f << u"+96 tr/min"_s << QString();
    QTest::newRow("tab 2, negative 62 %")
        << 2 << 2 << 62.0 << u"62"_s << 0.38f << u"-158 tr/min"_s << QString();
    QTest::newRow("tab 2, positive 100 %: fastest")
        << 2 << 1 << 100.0 << u"100"_s << 0.0f << u"+12000 tr/min"_s << QString();
    QTest::newRow("tab 3, 95 %: steps share abscissae")
        << 3 << 1 << 95.0 << u"95"_s << -1.0f << u"0 tr/min"_s << u"-18360"_s;
    QTest::newRow("tab 4, 50 %") << 4 << 1 << 50.0 << u"50"_s << -1.0f << u"0 tr/min"_s
                                 << u"-2160"_s;
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

    // At every point the button stays hidden (it shows again after), the picture lights what the
    // rule says of the chart's levels, the coils glow by rule, the rotor faces what glowed.
    const QSvgRenderer drawing(t.picture->source());
    QStringList wrong;
    int lit = 0;
    int freewheeling = 0;
    bool driven = false;
    std::bitset<4> glowed;
    QCOMPARE(f.coilGlow->shown(), std::bitset<4>());
    StepWatch watch(&f);
    watch.onEveryStep([&](int step) {
        const QList<double> y = t.levels();
        const QStringList expected = litByRule(n, y, direction == 1, driven);
        driven |= n <= 2 && y[1] > 0 && value >= 1;
        freewheeling += expected.join(u',').contains(u"freewheel"_s) ? 1 : 0;
        if (const QString fault = rotorFault(n, glowed, f.rotor1->rotationAngle().y());
            step > 1 && wrong.isEmpty() && !fault.isEmpty())
            wrong << u"after step %1: "_s.arg(step - 1) + fault;
        glowed = f.coilGlow->shown();
        if (wrong.isEmpty() && glowed != glowByRule(n, y))
            wrong << u"step %1: coils %2 glow"_s.arg(step).arg(
                QString::fromStdString(glowed.to_string()));
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
    QVERIFY(lit > 0 && !t.button->isHidden());
    QCOMPARE(freewheeling > 0, n <= 2 && value >= 1);
    QCOMPARE(litIn(t.picture), QStringList());
    QCOMPARE(rotorFault(n, glowed, f.rotor1->rotationAngle().y()), QString());
    QCOMPARE(f.coilGlow->shown(), std::bitset<4>());

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
    // A screen reader reads them, by name and value.
    QCOMPARE(f.Image1->readoutText(), readout);
    QCOMPARE(f.Image2->readoutText(), readout);
    QCOMPARE(spoken(f.Image2, QAccessible::Name), u"Vitesse du moteur : "_s + readout);
    QCOMPARE(spoken(f.Image1, QAccessible::Value), readout);
    moveTo(t.bar, 60);
    QCOMPARE(f.Image1->readoutText(), u"0 tr/min"_s);
    QCOMPARE(spoken(f.Image1, QAccessible::Name), u"Vitesse du moteur : 0 tr/min"_s);
    if (t.angle) {
        QCOMPARE(t.angle->text(), angle);
        // The rotor stays a step behind the box; both stepper pictures read the rotor.
        const float rotor = angle.toFloat() + 90.0f;
        QCOMPARE(f.rotor1->rotationAngle().y(), rotor);
        const QString degrees = u"%1°"_s.arg(rotor);
        QCOMPARE(f.Image3->readoutText(), degrees);
        QCOMPARE(f.Image4->readoutText(), degrees);
        QCOMPARE(spoken(f.Image4, QAccessible::Name), u"Angle du rotor : "_s + degrees);
        QCOMPARE(spoken(f.Image3, QAccessible::Value), degrees);
    }
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
    QCOMPARE(f.Image2->readoutText(), newValue == 80.0 ? u"-300 tr/min"_s : u"-120 tr/min"_s);
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

void tst_Traces::nestedStepperTracesGlowInTurn_data()
{
    QTest::addColumn<int>("outer");
    QTest::newRow("tab 4 inside tab 3") << 3;
    QTest::newRow("tab 3 inside tab 4") << 4;
}

// Tabs 3 and 4 drive the same motor: the trace that runs inside another's pause glows in its
// place; when it ends the outer trace's point glows again at once, and after it nothing.
void tst_Traces::nestedStepperTracesGlowInTurn()
{
    QFETCH(int, outer);
    TForm2 &f = *m_form;
    const int inner = 7 - outer;
    const TraceTab out(f, outer), in(f, inner);
    out.prepare(95);
    in.prepare(90);
    bool innerRuns = false;
    QStringList wrong;
    StepWatch watch(&f);
    watch.onEveryStep([&](int step) {
        const int n = innerRuns ? inner : outer;
        if (wrong.isEmpty()
            && f.coilGlow->shown() != glowByRule(n, (innerRuns ? in : out).levels()))
            wrong << u"step %1 of tab %2"_s.arg(step).arg(n);
    });
    watch.at(6, [&] {
        innerRuns = true;
        in.button->click();
        innerRuns = false;
        if (f.coilGlow->shown() != glowByRule(outer, out.levels()))
            wrong << u"the outer trace's coils are not back"_s;
    });
    out.button->click();
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    QCOMPARE(pointsIn(in.series), planned(inner, 90));
    QCOMPARE(f.coilGlow->shown(), std::bitset<4>());
}

QTEST_MAIN(tst_Traces)
#include "tst_traces.moc"
