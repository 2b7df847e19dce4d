// SPDX-License-Identifier: GPL-3.0-or-later
// The four traces run for real in the window (with a 1 ms pause) and checked on what they leave
// in the series, the edit boxes and the 3D objects. The expected point sequences
// are built here from the rules of each tab, not taken from the plans the handlers play.

#include "app/layout/circuitpictures.h"
#include "app/tform2.h"
#include "stepwatch.h"
#include "tracechecks.h"

#include "scene/object3d.h"

#include "toolkit/diagram.h"
#include "toolkit/floatanimation.h"
#include "toolkit/lineseries.h"
#include "toolkit/trackbar.h"

#include <QLocale>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using toolkit::LineSeries;

namespace {

using Levels = std::vector<double>;

// What a circuit picture has lit, as "id" for a conducting or high part, "id low" for a part
// driven low; sorted.
QStringList litIn(const toolkit::Diagram *diagram)
{
    QStringList lit;
    for (const toolkit::Diagram::Light &light : diagram->lights()) {
        if (light.color == circuitpictures::lowColor)
            lit << light.id + u" low"_s;
        else if (light.color == circuitpictures::conductingColor)
            lit << light.id;
        else
            lit << light.id + u" in another colour"_s;
    }
    lit.sort();
    return lit;
}

// What the picture of @p tab must light at a point whose levels on the tab's series, in their
// order, are @p y; @p positive is tab 2's direction.
QStringList litByRule(int tab, const Levels &y, bool positive)
{
    QStringList lit;
    switch (tab) {
    case 1:
        // While the command is high: Q2 and the path from +12 V through the motor and Q2.
        if (y.at(1) > 0)
            lit << u"Q2"_s << u"current-path"_s;
        break;
    case 2:
        // Q4 steady and Q2 pulsed, left to right; Q3 steady and Q1 pulsed, right to left.
        lit << (positive ? u"Q4"_s : u"Q3"_s);
        if (y.at(1) > 0) {
            lit << (positive ? u"Q2"_s : u"Q1"_s) << u"common-path"_s
                << (positive ? u"path-left-right"_s : u"path-right-left"_s);
        }
        break;
    case 3:
        // Coil k: input IO22.., channel k of U2, terminal A.. and its half-winding.
        for (int k = 0; k < 4; ++k) {
            if (y.at(std::size_t(k)) > 0) {
                const QString end = QString(QChar(u'A' + k));
                lit << u"input-%1"_s.arg(k + 1) << u"channel-%1"_s.arg(k + 1)
                    << u"terminal-"_s + end << u"winding-"_s + end;
            }
        }
        break;
    default:
        // Winding 1 is A-B through IN1/IN2, winding 2 C-D through IN3/IN4; +5 V drives the
        // first terminal of the pair high.
        for (int w = 0; w < 2; ++w) {
            const double level = y.at(std::size_t(w));
            if (level == 0)
                continue;
            const QString first = level > 0 ? QString() : u" low"_s;
            const QString second = level > 0 ? u" low"_s : QString();
            lit << u"input-%1"_s.arg(2 * w + 1) + first << u"input-%1"_s.arg(2 * w + 2) + second
                << u"terminal-"_s + QChar(u'A' + 2 * w) + first
                << u"terminal-"_s + QChar(u'B' + 2 * w) + second;
        }
        break;
    }
    lit.sort();
    return lit;
}

} // namespace

class tst_Traces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void pwmTrace_data();
    void pwmTrace();
    void pwmTrackBarFraction();
    void pwmSecondLaunchClears();
    void dcLaunchBeforeTheTrackBarMoved_data();
    void dcLaunchBeforeTheTrackBarMoved();

    void hbridgeRun_data();
    void hbridgeRun();

    void unipolarTrace_data();
    void unipolarTrace();
    void bipolarTrace_data();
    void bipolarTrace();
    void stepperRefusal_data();
    void stepperRefusal();
    void stepperSecondRunRestartsAngle_data();
    void stepperSecondRunRestartsAngle();

    void circuitLitAtEveryPoint_data();
    void circuitLitAtEveryPoint();
    void readoutsShowTheShaft_data();
    void readoutsShowTheShaft();

private:
    struct StepperTab
    {
        toolkit::TrackBar *trackBar;
        QPushButton *button;
        QLineEdit *angleEdit;
        QList<LineSeries *> series;
        std::array<Levels, 4> levels;
    };
    StepperTab stepperTab(int tab) const;
    void stepperData();
    void checkStepperTrace(const StepperTab &tab);

    std::unique_ptr<TForm2> m_form;
};

void tst_Traces::init()
{
    QLocale::setDefault(QLocale::c());
    m_form = std::make_unique<TForm2>();
    m_form->pause().setInterval(std::chrono::milliseconds(1));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_Traces::cleanup()
{
    m_form.reset();
    QLocale::setDefault(QLocale::c());
}

void tst_Traces::pwmTrace_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("highWidth");
    QTest::addColumn<double>("average");
    QTest::addColumn<float>("duration");

    // Duration is the shaft's period in seconds; at 0 % the stored 1 s is left alone.
    QTest::newRow("0 %") << 0 << 0 << 0.0 << 1.0f;
    QTest::newRow("10 %") << 10 << 2 << 1.0 << 0.9f;
    QTest::newRow("20 %") << 20 << 4 << 2.0 << 0.8f;
    QTest::newRow("30 %") << 30 << 6 << 3.0 << 0.7f;
    QTest::newRow("37 %") << 37 << 7 << 4.0 << 0.63f;
    QTest::newRow("40 %") << 40 << 8 << 4.0 << 0.6f;
    QTest::newRow("50 %") << 50 << 10 << 6.0 << 0.5f;
    QTest::newRow("60 %") << 60 << 12 << 7.0 << 0.4f;
    QTest::newRow("70 %") << 70 << 14 << 8.0 << 0.3f;
    QTest::newRow("80 %") << 80 << 16 << 9.0 << 0.2f;
    QTest::newRow("90 %") << 90 << 18 << 10.0 << 0.1f;
    QTest::newRow("100 %") << 100 << 20 << 12.0 << 0.0f;
}

void tst_Traces::pwmTrace()
{
    QFETCH(int, percent);
    QFETCH(int, highWidth);
    QFETCH(double, average);
    QFETCH(float, duration);
    TForm2 &f = *m_form;

    moveTo(f.valeurmoteur, percent);
    QCOMPARE(f.Edit1->text(), QString::number(percent));

    StepWatch watch(&f);
    int shownDuringTrace = 0;
    watch.onEveryStep([&](int) { shownDuringTrace += f.Button1->isHidden() ? 0 : 1; });
    f.Button1->click();

    QCOMPARE(watch.steps(), 132);
    QCOMPARE(shownDuringTrace, 0);
    QVERIFY(!f.Button1->isHidden());

    QCOMPARE(f.signalrco->points(), pulseTrain(highWidth));
    QCOMPARE(f.signalrco->points().constLast(), QPointF(120, 0.0));
    if (percent == 100) {
        // Spikes down to 0 V at the end of each period.
        QCOMPARE(f.signalrco->points().mid(20, 3), (QList<QPointF> {{20, 12}, {20, 0}, {20, 12}}));
    }
    QCOMPARE(xs(f.tensionmoyenne), xs(f.signalrco));
    QVERIFY(allAt(f.tensionmoyenne, average));

    QCOMPARE(f.animationaxe->duration(), duration);
    QCOMPARE(f.animationaxe->enabled(), percent != 0);
    QVERIFY(!f.animationaxenegative->enabled());
}

// The percentage is truncated for the levels, but the edit box and the shaft take the exact
// value.
void tst_Traces::pwmTrackBarFraction()
{
    TForm2 &f = *m_form;
    f.valeurmoteur->setValue(37.5);
    QCOMPARE(f.Edit1->text(), u"37.5"_s);

    f.Button1->click();
    QCOMPARE(f.signalrco->points(), pulseTrain(7));
    QVERIFY(allAt(f.tensionmoyenne, 4.0));
    QCOMPARE(f.animationaxe->duration(), 0.625f);
    QVERIFY(f.animationaxe->enabled());
}

void tst_Traces::pwmSecondLaunchClears()
{
    TForm2 &f = *m_form;
    moveTo(f.valeurmoteur, 100);
    f.Button1->click();
    moveTo(f.valeurmoteur, 0);
    QVERIFY(!f.animationaxe->enabled());

    // The first point of the second run must find the series empty.
    StepWatch watch(&f);
    QList<int> countsAtFirstStep;
    watch.onEveryStep([&](int step) {
        if (step == 1)
            countsAtFirstStep << f.tensionmoyenne->count() << f.signalrco->count();
    });
    f.Button1->click();
    QCOMPARE(countsAtFirstStep, (QList<int> {1, 1}));
    QCOMPARE(f.signalrco->points(), pulseTrain(0));
    QVERIFY(allAt(f.tensionmoyenne, 0.0));
    // The needles of 0 %: one point at 12 V at each period start.
    QCOMPARE(f.signalrco->points().mid(0, 2), (QList<QPointF> {{0, 12}, {0, 0}}));
    QCOMPARE(f.signalrco->points().mid(21, 3), (QList<QPointF> {{20, 0}, {20, 12}, {20, 0}}));
    QVERIFY(!f.animationaxe->enabled());
}

void tst_Traces::dcLaunchBeforeTheTrackBarMoved_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("tab 1") << 1;
    QTest::newRow("tab 2, positive") << 2;
}

// The window starts at 0 %: the pulses of 0 %, an average of 0 V, and the shaft still.
void tst_Traces::dcLaunchBeforeTheTrackBarMoved()
{
    QFETCH(int, tab);
    TForm2 &f = *m_form;
    if (tab == 1) {
        f.Button1->click();
        QCOMPARE(f.signalrco->points(), pulseTrain(0));
        QVERIFY(allAt(f.tensionmoyenne, 0.0));
    } else {
        f.Button3->click();
        f.Button2->click();
        QCOMPARE(f.signalrco1->points(), pulseTrain(0));
        QVERIFY(allAt(f.tensionmoyenne1, 0.0));
    }
    QVERIFY(!f.animationaxe->enabled());
}

void tst_Traces::hbridgeRun_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("highWidth");
    QTest::addColumn<double>("average");
    QTest::addColumn<float>("duration");

    // Under a French locale, as the user sees it.
    QTest::newRow("positive 0 %") << 1 << 0.0 << u"0"_s << 0 << 0.0 << 1.0f;
    QTest::newRow("positive 10 %") << 1 << 10.0 << u"10"_s << 2 << 1.2 << 0.9f;
    QTest::newRow("positive 37.5 %") << 1 << 37.5 << u"37,5"_s << 7 << 4.44 << 0.625f;
    QTest::newRow("positive 50 %") << 1 << 50.0 << u"50"_s << 10 << 6.0 << 0.5f;
    QTest::newRow("positive 99 %") << 1 << 99.0 << u"99"_s << 19 << 11.88 << 0.01f;
    QTest::newRow("positive 100 %") << 1 << 100.0 << u"100"_s << 20 << 12.0 << 0.0f;
    QTest::newRow("negative 0 %") << 2 << 0.0 << u"0"_s << 0 << 0.0 << 1.0f;
    QTest::newRow("negative 5 %") << 2 << 5.0 << u"5"_s << 1 << -0.6 << 0.95f;
    QTest::newRow("negative 50 %") << 2 << 50.0 << u"50"_s << 10 << -6.0 << 0.5f;
    QTest::newRow("negative 90 %") << 2 << 90.0 << u"90"_s << 18 << -10.8 << 0.1f;
    QTest::newRow("negative 100 %") << 2 << 100.0 << u"100"_s << 20 << -12.0 << 0.0f;
}

void tst_Traces::hbridgeRun()
{
    QFETCH(int, direction);
    QFETCH(double, value);
    QFETCH(QString, shown);
    QFETCH(int, highWidth);
    QFETCH(double, average);
    QFETCH(float, duration);
    TForm2 &f = *m_form;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    moveTo(f.valeurmoteur1, value);
    QCOMPARE(f.Edit2->text(), shown);
    (direction == 1 ? f.Button3 : f.Button4)->click();
    QCOMPARE(f.Edit3->text(), direction == 1 ? u"Sens positif"_s : u"Sens négatif"_s);

    StepWatch watch(&f);
    int shownDuringTrace = 0;
    watch.onEveryStep([&](int) { shownDuringTrace += f.Button2->isHidden() ? 0 : 1; });
    f.Button2->click();

    QCOMPARE(watch.steps(), 132);
    QCOMPARE(shownDuringTrace, 0);
    QVERIFY(!f.Button2->isHidden());

    LineSeries *pulses = direction == 1 ? f.signalrco1 : f.signalrco2;
    LineSeries *other = direction == 1 ? f.signalrco2 : f.signalrco1;
    toolkit::FloatAnimation *shaft = direction == 1 ? f.animationaxe : f.animationaxenegative;
    toolkit::FloatAnimation *reverse = direction == 1 ? f.animationaxenegative : f.animationaxe;

    // signalrco2 keeps its points in ascending X: the edges must still come out in order.
    QCOMPARE(pulses->points(), pulseTrain(highWidth));
    QCOMPARE(other->count(), 0);
    QCOMPARE(f.Series2->count(), 0);
    QCOMPARE(f.Series3->count(), 0);
    QCOMPARE(xs(f.tensionmoyenne1), xs(pulses));
    QCOMPARE(f.tensionmoyenne1->point(0).y(), average);
    QVERIFY(allAt(f.tensionmoyenne1, f.tensionmoyenne1->point(0).y()));

    QCOMPARE(shaft->enabled(), int(value) != 0);
    QCOMPARE(shaft->duration(), duration);
    QVERIFY(!reverse->enabled());
}

tst_Traces::StepperTab tst_Traces::stepperTab(int tab) const
{
    TForm2 &f = *m_form;
    constexpr double on = 5.0;
    if (tab == 3) {
        return {f.valeurmoteur3,
                f.Button7,
                f.Edit6,
                {f.tr1, f.tr2, f.tr3, f.tr4},
                {{{on, 0, 0, 0}, {0, on, 0, 0}, {0, 0, on, 0}, {0, 0, 0, on}}}};
    }
    return {f.valeurmoteur4,
            f.Button5,
            f.Edit7,
            {f.tr11, f.tr12},
            {{{on, 0}, {0, on}, {-on, 0}, {0, -on}}}};
}

void tst_Traces::stepperData()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("lastX");
    QTest::addColumn<QString>("finalText");

    QTest::newRow("0 %") << 0.0 << 12 << 132 << 120 << u"-1080"_s;
    QTest::newRow("10 %") << 10.0 << 12 << 120 << 108 << u"-1080"_s;
    QTest::newRow("20 %") << 20.0 << 16 << 144 << 128 << u"-1440"_s;
    QTest::newRow("30 %") << 30.0 << 16 << 128 << 112 << u"-1440"_s;
    QTest::newRow("40 %") << 40.0 << 20 << 140 << 120 << u"-1800"_s;
    QTest::newRow("50 %") << 50.0 << 24 << 144 << 120 << u"-2160"_s;
    QTest::newRow("60 %") << 60.0 << 28 << 140 << 112 << u"-2520"_s;
    QTest::newRow("70 %") << 70.0 << 36 << 144 << 108 << u"-3240"_s;
    QTest::newRow("80 %") << 80.0 << 52 << 156 << 104 << u"-4680"_s;
    QTest::newRow("90 %") << 90.0 << 104 << 208 << 104 << u"-9360"_s;
    // Steps of half a sample share their abscissae.
    QTest::newRow("95 %") << 95.0 << 204 << 306 << 102 << u"-18360"_s;
}

void tst_Traces::unipolarTrace_data()
{
    stepperData();
}

void tst_Traces::unipolarTrace()
{
    checkStepperTrace(stepperTab(3));
}

void tst_Traces::bipolarTrace_data()
{
    stepperData();
}

void tst_Traces::bipolarTrace()
{
    checkStepperTrace(stepperTab(4));
}

void tst_Traces::checkStepperTrace(const StepperTab &tab)
{
    QFETCH(double, percent);
    QFETCH(int, steps);
    QFETCH(int, points);
    QFETCH(int, lastX);
    QFETCH(QString, finalText);
    TForm2 &f = *m_form;

    moveTo(tab.trackBar, percent);
    StepWatch watch(&f);
    int shownDuringTrace = 0;
    watch.onEveryStep([&](int) { shownDuringTrace += tab.button->isHidden() ? 0 : 1; });
    tab.button->click();

    QCOMPARE(watch.steps(), points);
    QCOMPARE(shownDuringTrace, 0);
    QVERIFY(!tab.button->isHidden());
    QCOMPARE(tab.angleEdit->text(), finalText);
    // The rotor stays one step behind the text.
    QCOMPARE(f.rotor1->rotationAngle().y(), finalText.toFloat() + 90.0f);

    for (const LineSeries *series : tab.series) {
        QCOMPARE(series->count(), points);
        QCOMPARE(xs(series), xs(tab.series.constFirst()));
    }
    QCOMPARE(tab.series.constFirst()->points().constLast().x(), double(lastX));

    // Split the points into steps where the levels change: each step must have the levels of
    // its place in the cycle and begin on the abscissa where the previous one ended.
    int step = 0;
    double stepStartX = 0.0;
    double previousX = 0.0;
    std::optional<Levels> current;
    const bool wholeLength = percent == std::trunc(percent / 10.0) * 10.0;
    const int length = int(std::lround((100.0 - percent) / 10.0));
    for (int i = 0; i < points; ++i) {
        Levels levels;
        for (const LineSeries *series : tab.series)
            levels.push_back(series->point(i).y());
        const double x = tab.series.constFirst()->point(i).x();
        QVERIFY(x >= previousX);
        if (levels != current) {
            if (current && wholeLength)
                QCOMPARE(previousX - stepStartX, double(length));
            QCOMPARE(levels, tab.levels.at(std::size_t(step % 4)));
            if (step > 0)
                QCOMPARE(x, previousX);
            current = levels;
            stepStartX = x;
            ++step;
        } else {
            QCOMPARE(x, previousX + 1.0);
        }
        previousX = x;
    }
    QCOMPARE(step, steps);
}

void tst_Traces::stepperRefusal_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("afterTrace");

    QTest::newRow("tab 3, track bar never moved") << 3 << false;
    QTest::newRow("tab 3, at 100 % after a trace") << 3 << true;
    QTest::newRow("tab 4, track bar never moved") << 4 << false;
    QTest::newRow("tab 4, at 100 % after a trace") << 4 << true;
}

void tst_Traces::stepperRefusal()
{
    QFETCH(int, tab);
    QFETCH(bool, afterTrace);
    const StepperTab t = stepperTab(tab);
    TForm2 &f = *m_form;

    if (afterTrace) {
        moveTo(t.trackBar, 80);
        t.button->click();
        moveTo(t.trackBar, 100);
    }
    QList<QList<QPointF>> before;
    for (const LineSeries *series : t.series)
        before.append(series->points());
    const QString text = t.angleEdit->text();
    const QVector3D angle = f.rotor1->rotationAngle();

    StepWatch watch(&f);
    t.button->click();

    QCOMPARE(watch.steps(), 0);
    QVERIFY(!t.button->isHidden());
    for (qsizetype i = 0; i < t.series.size(); ++i)
        QCOMPARE(t.series.at(i)->points(), before.at(i));
    QCOMPARE(t.angleEdit->text(), text);
    QCOMPARE(f.rotor1->rotationAngle(), angle);
    QCOMPARE(t.angleEdit->text(), afterTrace ? u"-4680"_s : u"Angle rotation"_s);
}

void tst_Traces::stepperSecondRunRestartsAngle_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("unipolar") << 3;
    QTest::newRow("bipolar") << 4;
}

// A new run shows 0 at once but turns the rotor back only after its first point, then shows
// -90 x (n - 1) while step n is drawn.
void tst_Traces::stepperSecondRunRestartsAngle()
{
    QFETCH(int, tab);
    const StepperTab t = stepperTab(tab);
    TForm2 &f = *m_form;
    moveTo(t.trackBar, 0);
    t.button->click();
    QCOMPARE(f.rotor1->rotationAngle().y(), -990.0f);

    moveTo(t.trackBar, 50);
    StepWatch watch(&f);
    QStringList texts;
    QList<float> angles;
    QList<QStringList> readouts;
    // Both stepper pictures show the angle the rotor was given last.
    const auto readoutsNow = [&] {
        return QStringList {f.Image3->readoutText(), f.Image4->readoutText()};
    };
    watch.onEveryStep([&](int) {
        texts << t.angleEdit->text();
        angles << f.rotor1->rotationAngle().y();
        readouts << readoutsNow();
    });
    t.button->click();

    // Steps of 5 samples, 6 points each; the angles seen before each pause.
    QCOMPARE(texts.size(), 144);
    QCOMPARE(texts.mid(0, 7),
             QStringList({u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"-90"_s}));
    QCOMPARE(angles.mid(0, 8), (QList<float> {-990, 0, 0, 0, 0, 0, 0, -90}));
    QCOMPARE(texts.constLast(), u"-2070"_s);
    QCOMPARE(t.angleEdit->text(), u"-2160"_s);
    for (qsizetype i = 0; i < angles.size(); ++i) {
        const QString degrees = angles.at(i) == 0 ? u"+0.00"_s : u"%1.00"_s.arg(angles.at(i));
        QCOMPARE(readouts.at(i), QStringList({degrees, degrees}));
    }
    QCOMPARE(readoutsNow(), QStringList({u"-2070.00"_s, u"-2070.00"_s}));
}

void tst_Traces::circuitLitAtEveryPoint_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<double>("percent");
    QTest::addColumn<bool>("positive");

    QTest::newRow("tab 1, 50 %") << 1 << 50.0 << true;
    QTest::newRow("tab 1, 0 %: needles") << 1 << 0.0 << true;
    QTest::newRow("tab 2, positive 30 %") << 2 << 30.0 << true;
    QTest::newRow("tab 2, negative 100 %") << 2 << 100.0 << false;
    QTest::newRow("tab 3, 0 %") << 3 << 0.0 << true;
    QTest::newRow("tab 3, 95 %: shared abscissae") << 3 << 95.0 << true;
    QTest::newRow("tab 4, 50 %") << 4 << 50.0 << true;
    QTest::newRow("tab 4, 90 %") << 4 << 90.0 << true;
}

// At every point the picture lights what the rule says of the levels the chart just received,
// and it is dark before and after the trace.
void tst_Traces::circuitLitAtEveryPoint()
{
    QFETCH(int, tab);
    QFETCH(double, percent);
    QFETCH(bool, positive);
    TForm2 &f = *m_form;
    const struct
    {
        toolkit::TrackBar *trackBar;
        QPushButton *button;
        toolkit::Diagram *picture;
        QList<LineSeries *> series;
    } t = tab == 1
        ? decltype(t) {f.valeurmoteur, f.Button1, f.Image1, {f.tensionmoyenne, f.signalrco}}
        : tab == 2 ? decltype(t) {f.valeurmoteur1,
                                  f.Button2,
                                  f.Image2,
                                  {f.tensionmoyenne1, positive ? f.signalrco1 : f.signalrco2}}
        : tab == 3
        ? decltype(t) {f.valeurmoteur3, f.Button7, f.Image3, {f.tr1, f.tr2, f.tr3, f.tr4}}
        : decltype(t) {f.valeurmoteur4, f.Button5, f.Image4, {f.tr11, f.tr12}};
    moveTo(t.trackBar, percent);
    if (tab == 2)
        (positive ? f.Button3 : f.Button4)->click();
    QCOMPARE(litIn(t.picture), QStringList());

    const QSvgRenderer picture(t.picture->source());
    StepWatch watch(&f);
    int checked = 0;
    int lit = 0;
    watch.onEveryStep([&](int) {
        Levels y;
        for (const LineSeries *series : t.series)
            y.push_back(series->points().constLast().y());
        const QStringList expected = litByRule(tab, y, positive);
        if (litIn(t.picture) != expected) {
            QCOMPARE(litIn(t.picture), expected); // reports the first point that differs
            return;
        }
        for (const toolkit::Diagram::Light &light : t.picture->lights())
            QVERIFY2(picture.elementExists(light.id), qPrintable(light.id));
        ++checked;
        lit += expected.isEmpty() ? 0 : 1;
    });
    t.button->click();

    QCOMPARE(checked, watch.steps());
    QVERIFY(lit > 0);
    QCOMPARE(litIn(t.picture), QStringList());
}

void tst_Traces::readoutsShowTheShaft_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("direction");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<bool>("stopByTab");

    // 60 / Duration turns per minute; 100 % (Duration 0) is the fastest of all.
    QTest::newRow("tab 1, 0 %: the shaft stays still") << 1 << 1 << 0.0 << u"+0.00"_s << false;
    QTest::newRow("tab 1, 37.5 %") << 1 << 1 << 37.5 << u"+96.00"_s << false;
    QTest::newRow("tab 1, 99 %") << 1 << 1 << 99.0 << u"+6000.00"_s << true;
    QTest::newRow("tab 1, 100 %") << 1 << 1 << 100.0 << u"+12000.00"_s << false;
    QTest::newRow("tab 2, positive 90 %") << 2 << 1 << 90.0 << u"+600.00"_s << false;
    QTest::newRow("tab 2, negative 50 %") << 2 << 2 << 50.0 << u"-120.00"_s << true;
    // Switched to the negative direction during the positive run: the negative run follows
    // with both animations enabled, and the later one turns the shaft.
    QTest::newRow("tab 2, positive then negative 50 %") << 2 << 3 << 50.0 << u"-120.00"_s << false;
}

// Both DC pictures show the shaft's speed during and after the trace, until the track bar or a
// tab stops it.
void tst_Traces::readoutsShowTheShaft()
{
    QFETCH(int, tab);
    QFETCH(int, direction);
    QFETCH(double, value);
    QFETCH(QString, speed);
    QFETCH(bool, stopByTab);
    TForm2 &f = *m_form;
    toolkit::TrackBar *trackBar = tab == 1 ? f.valeurmoteur : f.valeurmoteur1;
    QPushButton *button = tab == 1 ? f.Button1 : f.Button2;
    const auto readouts = [&] {
        return QStringList {f.Image1->readoutText(), f.Image2->readoutText()};
    };
    QCOMPARE(readouts(), QStringList({u"+0.00"_s, u"+0.00"_s}));

    moveTo(trackBar, value);
    if (tab == 2)
        (direction == 2 ? f.Button4 : f.Button3)->click();
    StepWatch watch(&f);
    QList<QStringList> seen;
    watch.onEveryStep([&](int) { seen << readouts(); });
    if (direction == 3)
        watch.at(20, [&] { f.Button4->click(); });
    button->click();

    QCOMPARE(seen.size(), direction == 3 ? 264 : 132);
    QCOMPARE(seen.constLast(), QStringList({speed, speed}));
    QCOMPARE(readouts(), QStringList({speed, speed}));
    QTest::qWait(50);
    QCOMPARE(readouts(), QStringList({speed, speed}));

    if (stopByTab) {
        QTabBar *bar = f.TabControl1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    } else {
        moveTo(trackBar, value == 50.0 ? 40.0 : 50.0);
    }
    QCOMPARE(readouts(), QStringList({u"+0.00"_s, u"+0.00"_s}));
}

QTEST_MAIN(tst_Traces)
#include "tst_traces.moc"
