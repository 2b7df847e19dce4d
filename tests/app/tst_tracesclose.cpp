// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the window while real traces run at the real pace, alone or nested: the program must
// end with code 0 within 300 ms, without a single point step after the close and without
// showing any launch button again.

#include <QDateTime>
#include <QProcess>
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
    QTest::newRow("tab 4") << u"4"_s;
    QTest::newRow("tab 3 inside tab 1") << u"1,3"_s;
    QTest::newRow("four traces nested") << u"3,2,4,1"_s;
}

void tst_TracesClose::closeDuringTraces()
{
    QFETCH(QString, tabs);
    QProcess probe;
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QStringLiteral(TRACESCLOSEPROBE_PATH), {tabs});
    QVERIFY(probe.waitForStarted());
    QVERIFY2(probe.waitForFinished(30000), "the program kept running after its window closed");
    const qint64 finishedAt = QDateTime::currentMSecsSinceEpoch();

    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(probe.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.first().startsWith("close "_L1));
    const qsizetype traces = tabs.split(u',').size();
    QCOMPARE(lines.last(), u"exit 0 "_s + QString(traces, u'1'));

    const qint64 ms = finishedAt - lines.first().mid(6).toLongLong();
    qInfo("close to exit: %lld ms", ms);
    QVERIFY2(ms < 300, qPrintable(QString::number(ms)));
}

QTEST_GUILESS_MAIN(tst_TracesClose)
#include "tst_tracesclose.moc"
