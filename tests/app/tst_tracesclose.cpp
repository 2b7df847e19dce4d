// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the window while real traces run at the real pace, alone or nested, in a process of
// its own: the program ends with code 0, without a single point step after the close and
// without showing any launch button again. (bench/run-figures.sh times the same close.)

#include "realprogram.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_TracesClose : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closeDuringTraces_data();
    void closeDuringTraces();
};

void tst_TracesClose::closeDuringTraces_data()
{
    QTest::addColumn<QString>("tabs");
    QTest::newRow("tab 1") << u"1"_s;
    QTest::newRow("tab 3 inside tab 1") << u"1,3"_s;
    QTest::newRow("four traces nested") << u"3,2,4,1"_s;
}

void tst_TracesClose::closeDuringTraces()
{
    QFETCH(QString, tabs);
    RealProgram probe;
    probe.start(QStringLiteral(TRACESCLOSEPROBE_PATH), {tabs});
    QVERIFY2(probe.endsWithZero(), qPrintable(probe.errors()));
    const QStringList lines = probe.readUntil({});
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.first().startsWith("close "_L1));
    QCOMPARE(lines.last(), u"exit 0 "_s + QString(tabs.count(u',') + 1, u'1'));
}

QTEST_GUILESS_MAIN(tst_TracesClose)
#include "tst_tracesclose.moc"
