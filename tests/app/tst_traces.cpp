// SPDX-License-Identifier: GPL-3.0-or-later
// The four traces played for real in the window (1 ms pause): what each tab's handler feeds to
// its series, edit boxes, shaft, rotor and circuit picture. The arithmetic of the plans is the
// business of tests/sim; here one row per tab checks the wiring, on values that tell the exact
// track-bar value from the truncated percentage.

#include "tracewatch.h"

#include "app/layout/circuitpictures.h"

#include "scene/object3d.h"

#include "sim/bipolartrace.h"
#include "sim/stepper.h"
#include "sim/unipolartrace.h"

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
using Series = QList<QList<QPointF>>;

namespace {

struct Tab
{
    toolkit::TrackBar *bar;
    QPushButton *button;
    toolkit::Diagram *picture;
    QList<toolkit::LineSeries *> series;
    QLineEdit *box; // the track bar's value
    QLineEdit *angle;
};

// direction: 1 positive, 2 negative (tab 2 only).
Tab tab(TForm2 &f, int n, int direction = 1)
{
    switch (n) {
    case 1:
        return {f.valeurmoteur, f.Button1, f.Image1, {f.tensionmoyenne, f.signalrco}, f.Edit1,
                nullptr};
    case 2:
        return {f.valeurmoteur1, f.Button2, f.Image2,
                {f.tensionmoyenne1, direction == 1 ? f.signalrco1 : f.signalrco2}, f.Edit2, nullptr};
    case 3:
        return {f.valeurmoteur3, f.Button7, f.Image3, {f.tr1, f.tr2, f.tr3, f.tr4}, f.Edit4, f.Edit6};
    default:
        return {f.valeurmoteur4, f.Button5, f.Image4, {f.tr11, f.tr12}, f.Edit5, f.Edit7};
    }
}

// The series of tabs 1 and 2 by their rule: periods at s = 0, 20 .. 100, each with the high
// points x = s .. s + H at 12 V and the low points x = s + H .. s + 20 at 0 V; the average level
// beside every one of them.
Series pulseRun(int highWidth, double average)
{
    Series out(2);
    for (int s = 0; s <= 100; s += 20) {
        for (int x = s; x <= s + 20; ++x) {
            out[1] << QPointF(x, x <= s + highWidth ? 12.0 : 0.0);
            if (x == s + highWidth)
                out[1] << QPointF(x, 0.0);
        }
    }
    for (const QPointF &p : std::as_const(out[1]))
        out[0] << QPointF(p.x(), average);
    return out;
}

Series stepperRun(int n, double percent)
{
    const float slowness = sim::stepper::slowness(sim::stepper::speed(percent));
    return pointsOf(*(n == 3 ? sim::unipolar::plan(slowness) : sim::bipolar::plan(slowness)));
}

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
    for (int w = 0; n == 4 && w < 2; ++w) { // winding w through IN(2w+1)/IN(2w+2); + drives the first high
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
    void stepperRefusal_data();
    void stepperRefusal();
    void stepperSecondRunRestartsAngle_data();
    void stepperSecondRunRestartsAngle();
    void circuitLitAtEveryPoint_data();
    void circuitLitAtEveryPoint();
    void readoutsShowTheShaft_data();
    void readoutsShowTheShaft();

private:
    void prepare(const Tab &t, int n, double value, int direction);

    std::unique_ptr<TForm2> m_form;
};

void tst_Traces::init()
{
    m_form = std::make_unique<TForm2>();
    m_form->pause().setInterval(std::chrono::milliseconds(1));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_Traces::prepare(const Tab &t, int n, double value, int direction)
{
    moveTo(t.bar, value);
    if (n == 2)
        (direction == 1 ? m_form->Button3 : m_form->Button4)->click();
}

void tst_Traces::wiring_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("direction");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown"); // in the track bar's box, French locale
    QTest::addColumn<Series>("series");
    QTest::addColumn<float>("shaftDuration"); // -1: the shaft stays still
    QTest::addColumn<QString>("angle"); // stepper tabs: the angle box at the end

    // Levels from the truncated percentage, the shaft's period (s) from the exact value.
    QTest::newRow("tab 1, 37.5 %") << 1 << 1 << 37.5 << u"37,5"_s << pulseRun(7, 4.0) << 0.625f
                                   << QString();
    QTest::newRow("tab 1, 0 %") << 1 << 1 << 0.0 << u"0"_s << pulseRun(0, 0.0) << -1.0f
                                << QString();
    QTest::newRow("tab 2, negative 37.5 %") << 2 << 2 << 37.5 << u"37,5"_s << pulseRun(7, -4.44)
                                            << 0.625f << QString();
    QTest::newRow("tab 2, positive 100 %") << 2 << 1 << 100.0 << u"100"_s << pulseRun(20, 12.0)
                                           << 0.0f << QString();
    // Steps of half a sample share their abscissae.
    QTest::newRow("tab 3, 95 %") << 3 << 1 << 95.0 << u"95"_s << stepperRun(3, 95.0) << -1.0f
                                 << u"-18360"_s;
    QTest::newRow("tab 4, 50 %") << 4 << 1 << 50.0 << u"50"_s << stepperRun(4, 50.0) << -1.0f
                                 << u"-2160"_s;
}

void tst_Traces::wiring()
{
    QFETCH(int, n);
    QFETCH(int, direction);
    QFETCH(double, value);
    QFETCH(QString, shown);
    QFETCH(Series, series);
    QFETCH(float, shaftDuration);
    QFETCH(QString, angle);
    TForm2 &f = *m_form;
    const Tab t = tab(f, n, direction);

    prepare(t, n, value, direction);
    StepWatch watch(&f);
    int shownDuringTrace = 0;
    watch.onEveryStep([&](int) { shownDuringTrace += t.button->isHidden() ? 0 : 1; });
    t.button->click();
    QCOMPARE(watch.steps(), series.constFirst().size());
    QCOMPARE(shownDuringTrace, 0);
    QVERIFY(!t.button->isHidden());
    QCOMPARE(t.box->text(), shown);
    for (qsizetype i = 0; i < series.size(); ++i)
        QCOMPARE(t.series.at(i)->points(), series.at(i));
    // Everything else stays empty: tab 2's other direction, its unused series.
    int others = 0;
    for (const toolkit::LineSeries *s : f.findChildren<toolkit::LineSeries *>())
        others += t.series.contains(s) ? 0 : s->count();
    QCOMPARE(others, 0);

    toolkit::FloatAnimation *shaft = direction == 1 ? f.animationaxe : f.animationaxenegative;
    QCOMPARE(shaft->enabled(), shaftDuration >= 0);
    if (shaftDuration >= 0)
        QCOMPARE(shaft->duration(), shaftDuration);
    QVERIFY(!(direction == 1 ? f.animationaxenegative : f.animationaxe)->enabled());
    if (n == 2)
        QCOMPARE(f.Edit3->text(), direction == 1 ? u"Sens positif"_s : u"Sens négatif"_s);
    if (t.angle) {
        QCOMPARE(t.angle->text(), angle);
        QCOMPARE(f.rotor1->rotationAngle().y(), angle.toFloat() + 90.0f); // a step behind
    }
}

void tst_Traces::stepperRefusal_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("afterTrace");
    for (int n : {3, 4}) {
        QTest::addRow("tab %d, track bar never moved", n) << n << false;
        QTest::addRow("tab %d, at 100 %% after a trace", n) << n << true;
    }
}

// No trace at 100 % nor before the track bar first moved: nothing changes.
void tst_Traces::stepperRefusal()
{
    QFETCH(int, n);
    QFETCH(bool, afterTrace);
    TForm2 &f = *m_form;
    const Tab t = tab(f, n);
    if (afterTrace) {
        moveTo(t.bar, 80);
        t.button->click();
        moveTo(t.bar, 100);
    }
    Series before;
    for (const toolkit::LineSeries *s : t.series)
        before << s->points();
    const QVector3D angle = f.rotor1->rotationAngle();

    StepWatch watch(&f);
    t.button->click();
    QCOMPARE(watch.steps(), 0);
    QVERIFY(!t.button->isHidden());
    for (qsizetype i = 0; i < t.series.size(); ++i)
        QCOMPARE(t.series.at(i)->points(), before.at(i));
    QCOMPARE(f.rotor1->rotationAngle(), angle);
    QCOMPARE(t.angle->text(), afterTrace ? u"-4680"_s : u"Angle rotation"_s);
}

void tst_Traces::stepperSecondRunRestartsAngle_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("unipolar") << 3;
    QTest::newRow("bipolar") << 4;
}

// A new run shows 0 at once but turns the rotor back only after its first point, then shows
// -90 × (k - 1) while step k is drawn; both stepper pictures read the rotor's angle.
void tst_Traces::stepperSecondRunRestartsAngle()
{
    QFETCH(int, n);
    TForm2 &f = *m_form;
    const Tab t = tab(f, n);
    moveTo(t.bar, 0);
    t.button->click();
    QCOMPARE(f.rotor1->rotationAngle().y(), -990.0f);

    moveTo(t.bar, 50);
    StepWatch watch(&f);
    QStringList texts;
    QList<float> angles;
    watch.onEveryStep([&](int) {
        texts << t.angle->text();
        const float a = f.rotor1->rotationAngle().y();
        angles << a;
        const QString degrees = a == 0 ? u"+0.00"_s : u"%1.00"_s.arg(a);
        if (f.Image3->readoutText() != degrees || f.Image4->readoutText() != degrees)
            texts << u"read-out %1 / %2 for %3"_s.arg(f.Image3->readoutText(),
                                                       f.Image4->readoutText(), degrees);
    });
    t.button->click();

    // Steps of 5 samples, 6 points each; the angles seen before each pause.
    QCOMPARE(texts.size(), 144);
    QCOMPARE(texts.mid(0, 7), QStringList({"0", "0", "0", "0", "0", "0", "-90"}));
    QCOMPARE(angles.mid(0, 8), (QList<float> {-990, 0, 0, 0, 0, 0, 0, -90}));
    QCOMPARE(texts.constLast(), u"-2070"_s);
    QCOMPARE(t.angle->text(), u"-2160"_s);
}

void tst_Traces::circuitLitAtEveryPoint_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("direction");
    QTest::newRow("tab 1, 0 %: needles") << 1 << 0.0 << 1;
    QTest::newRow("tab 2, negative 100 %") << 2 << 100.0 << 2;
    QTest::newRow("tab 2, positive 30 %") << 2 << 30.0 << 1;
    QTest::newRow("tab 3, 95 %: shared abscissae") << 3 << 95.0 << 1;
    QTest::newRow("tab 4, 50 %") << 4 << 50.0 << 1;
}

// At every point the picture lights what the rule says of the levels the chart just received,
// with parts of its drawing, and it is dark before and after the trace.
void tst_Traces::circuitLitAtEveryPoint()
{
    QFETCH(int, n);
    QFETCH(double, value);
    QFETCH(int, direction);
    TForm2 &f = *m_form;
    const Tab t = tab(f, n, direction);
    QCOMPARE(litIn(t.picture), QStringList());

    const QSvgRenderer drawing(t.picture->source());
    StepWatch watch(&f);
    QStringList wrong;
    int lit = 0;
    watch.onEveryStep([&](int step) {
        QList<double> y;
        for (const toolkit::LineSeries *s : t.series)
            y << s->points().constLast().y();
        const QStringList expected = litByRule(n, y, direction == 1);
        if (wrong.isEmpty() && litIn(t.picture) != expected)
            wrong << u"step %1: %2, not %3"_s.arg(step).arg(litIn(t.picture).join(u','),
                                                            expected.join(u','));
        for (const toolkit::Diagram::Light &light : t.picture->lights()) {
            if (!drawing.elementExists(light.id))
                wrong << light.id + u" is not in the drawing"_s;
        }
        lit += expected.isEmpty() ? 0 : 1;
    });
    prepare(t, n, value, direction);
    t.button->click();
    QVERIFY(watch.steps() > 0);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    QVERIFY(lit > 0);
    QCOMPARE(litIn(t.picture), QStringList());
}

void tst_Traces::readoutsShowTheShaft_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("direction"); // 3: positive, switched to negative during the run
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<bool>("stopByTab");

    // 60 / period turns per minute; 100 % (a period of 0) is the fastest of all.
    QTest::newRow("tab 1, 0 %: still") << 1 << 1 << 0.0 << u"+0.00"_s << false;
    QTest::newRow("tab 1, 37.5 %") << 1 << 1 << 37.5 << u"+96.00"_s << true;
    QTest::newRow("tab 1, 100 %") << 1 << 1 << 100.0 << u"+12000.00"_s << false;
    QTest::newRow("tab 2, negative 50 %") << 2 << 2 << 50.0 << u"-120.00"_s << true;
    // The negative run follows with both animations enabled: the later one turns the shaft.
    QTest::newRow("tab 2, positive then negative 90 %") << 2 << 3 << 90.0 << u"-600.00"_s << false;
}

// Both DC pictures show the shaft's speed during and after the trace, until the track bar or a
// tab stops it.
void tst_Traces::readoutsShowTheShaft()
{
    QFETCH(int, n);
    QFETCH(int, direction);
    QFETCH(double, value);
    QFETCH(QString, speed);
    QFETCH(bool, stopByTab);
    TForm2 &f = *m_form;
    const Tab t = tab(f, n, direction);
    const auto readouts = [&] {
        return QStringList {f.Image1->readoutText(), f.Image2->readoutText()};
    };
    QCOMPARE(readouts(), QStringList({u"+0.00"_s, u"+0.00"_s}));

    StepWatch watch(&f);
    QList<QStringList> seen;
    watch.onEveryStep([&](int) { seen << readouts(); });
    if (direction == 3)
        watch.at(20, [&] { f.Button4->click(); });
    prepare(t, n, value, direction == 2 ? 2 : 1);
    t.button->click();

    QCOMPARE(seen.size(), direction == 3 ? 264 : 132);
    QCOMPARE(seen.constLast(), QStringList({speed, speed}));
    QTest::qWait(50);
    QCOMPARE(readouts(), QStringList({speed, speed}));
    if (stopByTab) {
        QTabBar *bar = f.TabControl1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    } else {
        moveTo(t.bar, value == 50.0 ? 40.0 : 50.0);
    }
    QCOMPARE(readouts(), QStringList({u"+0.00"_s, u"+0.00"_s}));
}

QTEST_MAIN(tst_Traces)
#include "tst_traces.moc"
