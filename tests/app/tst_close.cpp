// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDateTime>
#include <QProcess>
#include <QTest>

class TestClose : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closeDuringNestedPausesExitsPromptly_data();
    void closeDuringNestedPausesExitsPromptly();
};

void TestClose::closeDuringNestedPausesExitsPromptly_data()
{
    QTest::addColumn<int>("depth");
    QTest::newRow("one trace") << 1;
    QTest::newRow("two nested traces") << 2;
    QTest::newRow("four nested traces") << 4;
}

void TestClose::closeDuringNestedPausesExitsPromptly()
{
    QFETCH(int, depth);
    QProcess probe;
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QStringLiteral(CLOSEPROBE_PATH), {QString::number(depth)});
    QVERIFY(probe.waitForStarted());
    QVERIFY2(probe.waitForFinished(20000), "the program kept running after its window closed");
    const qint64 finishedAt = QDateTime::currentMSecsSinceEpoch();

    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(probe.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);

    // The close, then every loop stopped innermost first, then the program ended.
    QCOMPARE(lines.size(), depth + 2);
    QVERIFY(lines.first().startsWith(QLatin1String("close ")));
    for (int level = depth, i = 1; level >= 1; --level, ++i)
        QCOMPARE(lines.at(i), QStringLiteral("trace%1 stop 2").arg(level));
    QCOMPARE(lines.last(), QStringLiteral("exit"));

    const qint64 closedAt = lines.first().mid(6).toLongLong();
    const qint64 ms = finishedAt - closedAt;
    qInfo("close to exit: %lld ms", ms);
    QVERIFY2(ms < 300, qPrintable(QString::number(ms)));
}

QTEST_GUILESS_MAIN(TestClose)
#include "tst_close.moc"
