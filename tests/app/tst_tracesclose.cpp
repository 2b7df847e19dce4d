// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the window while real traces run, alone or nested, held or not: the program ends with
// code 0, with no point step after the close and no launch button shown again.

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
    QTest::addColumn<QString>("lesson");
    QTest::newRow("tab 1") << u"1"_s << QString();
    QTest::newRow("tab 3 inside tab 1") << u"1,3"_s << QString();
    QTest::newRow("four traces nested") << u"3,2,4,1"_s << QString();
    QTest::newRow("four traces nested, held") << u"3,2,4,1"_s << u"held"_s;
}

void tst_TracesClose::closeDuringTraces()
{
    QFETCH(QString, tabs);
    QFETCH(QString, lesson);
    RealProgram probe;
    probe.start(QStringLiteral(TRACESCLOSEPROBE_PATH), {tabs, lesson});
    QVERIFY2(probe.endsWithZero(), qPrintable(probe.errors()));
    const QStringList lines = probe.readUntil({});
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.last(), u"exit 0 "_s + QString(tabs.count(u',') + 1, u'1'));
}

QTEST_GUILESS_MAIN(tst_TracesClose)
#include "tst_tracesclose.moc"
