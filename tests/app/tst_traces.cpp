// SPDX-License-Identifier: GPL-3.0-or-later
// The four traces run for real in the window (with a 1 ms pause) and checked on what they leave
// in the series, the edit boxes and the 3D objects. The expected point sequences
// are built here from the rules of each tab, not taken from the plans the handlers play.

#include "app/tform2.h"
#include "stepwatch.h"
#include "tracechecks.h"

#include "scene/object3d.h"

#include "toolkit/floatanimation.h"
#include "toolkit/lineseries.h"
#include "toolkit/trackbar.h"

#include <QLocale>
#include <QPushButton>
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
    watch.onEveryStep([&](int) {
        texts << t.angleEdit->text();
        angles << f.rotor1->rotationAngle().y();
    });
    t.button->click();

    // Steps of 5 samples, 6 points each; the angles seen before each pause.
    QCOMPARE(texts.size(), 144);
    QCOMPARE(texts.mid(0, 7),
             QStringList({u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"-90"_s}));
    QCOMPARE(angles.mid(0, 8), (QList<float> {-990, 0, 0, 0, 0, 0, 0, -90}));
    QCOMPARE(texts.constLast(), u"-2070"_s);
    QCOMPARE(t.angleEdit->text(), u"-2160"_s);
}

QTEST_MAIN(tst_Traces)
#include "tst_traces.moc"
