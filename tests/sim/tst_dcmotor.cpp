// SPDX-License-Identifier: GPL-3.0-or-later
// Tabs 1 and 2: the levels and the pulse train at every percentage, against the tabs' rules.
#include "planrecording.h"

#include "sim/dcmotor.h"
#include "sim/hbridgetrace.h"
#include "sim/pwmtrace.h"

#include <QTest>

#include <algorithm>
#include <cmath>

class tst_DcMotor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pulseTrainAtEveryPercent_data();
    void pulseTrainAtEveryPercent();
};

void tst_DcMotor::pulseTrainAtEveryPercent_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<double>("supply");
    QTest::newRow("tab 1") << 1 << 12.0;
    QTest::newRow("tab 2, positive") << 2 << sim::hbridge::positiveSupply;
    QTest::newRow("tab 2, negative") << 2 << sim::hbridge::negativeSupply;
}

// Six periods of 22 points: H + 1 high at x = s .. s + H, then 21 - H low at s + H .. s + 20,
// for s = 0, 20 ... 100, with H = (percent × 20) div 100. The pulse is +12 whatever the
// direction; the flat average is (percent × 12) div 100 on tab 1 (40 % gives 4, not 4.8) and
// percent × supply / 100 in double on tab 2. Percentages outside 0..100 count as the nearest end.
void tst_DcMotor::pulseTrainAtEveryPercent()
{
    QFETCH(int, tab);
    QFETCH(double, supply);
    for (int percent = -5; percent <= 105; ++percent) {
        const int p = std::clamp(percent, 0, 100);
        const double average = tab == 1 ? double(p * 12 / 100) : p * supply / 100.0;
        const int high = p * 20 / 100;
        QList<sim::Step> expected;
        for (int s = 0; s <= 100; s += 20) {
            for (int x = s; x <= s + 20; ++x) {
                if (x <= s + high)
                    expected.append({double(x), {average, 12.0}, {}, {}});
                if (x >= s + high)
                    expected.append({double(x), {average, 0.0}, {}, {}});
            }
        }
        const sim::Plan plan =
            tab == 1 ? sim::pwm::plan(percent) : sim::hbridge::runPlan(percent, supply);
        QVERIFY(!plan.initialAngleText());
        QVERIFY2(simtest::record(plan) == expected, qPrintable(QString::number(percent)));
        QCOMPARE(sim::dc::highWidth(percent), double(high));
    }
}

QTEST_APPLESS_MAIN(tst_DcMotor)
#include "tst_dcmotor.moc"
