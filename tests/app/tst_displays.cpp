// SPDX-License-Identifier: GPL-3.0-or-later
// The program on classroom screens (X servers of the test's own): on one too small the window
// shrinks until its frame and every control fit; on a large one nothing changes. Without OpenGL
// it says why the 3D view is missing. Closing it ends the program with 0.

#include "realprogram.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_Displays : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowOnScreen_data();
    void windowOnScreen();
};

void tst_Displays::windowOnScreen_data()
{
    if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty()
        || QStandardPaths::findExecutable(u"openbox"_s).isEmpty())
        QSKIP("needs Xvfb and openbox (tools/install-deps.sh installs them)");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("scale"); // QT_SCALE_FACTOR, as a desktop set to 125 % gives
    QTest::addColumn<bool>("openGl");
    QTest::newRow("1920 × 1080") << QSize(1920, 1080) << u"1"_s << true;
    QTest::newRow("1366 × 768 at 125 %") << QSize(1366, 768) << u"1.25"_s << true;
    QTest::newRow("800 × 600") << QSize(800, 600) << u"1"_s << true;
    QTest::newRow("1024 × 768 without OpenGL") << QSize(1024, 768) << u"1"_s << false;
}

void tst_Displays::windowOnScreen()
{
    QFETCH(QSize, screen);
    QFETCH(QString, scale);
    QFETCH(bool, openGl);
    RealProgram probe;
    QString why;
    QVERIFY2(probe.startDisplay(screen, &why), qPrintable(why));
    probe.start(QStringLiteral(DISPLAYPROBE_PATH), {},
                {u"QT_QPA_PLATFORM=xcb"_s, u"QT_SCALE_FACTOR="_s + scale,
                 openGl ? u"QT_XCB_GL_INTEGRATION"_s : u"QT_XCB_GL_INTEGRATION=none"_s});
    const QStringList lines = probe.readUntil(u"ready"_s);
    QVERIFY2(lines.contains("ready"_L1), qPrintable(lines.join(u'\n') + probe.errors()));
    QVERIFY(probe.waitForWindow());

    QTRY_VERIFY(probe.frameRect() != probe.windowRect()); // framed by the window manager
    const QRect client = probe.windowRect();
    QVERIFY(QRect(QPoint(0, 0), screen).contains(probe.frameRect()));
    if (screen == QSize(1920, 1080))
        QCOMPARE(client.size(), QSize(1269, 854));
    const QStringList controls = lines.filter(QRegularExpression(u"^control "_s));
    QVERIFY(controls.size() > 40);
    for (const QString &line : controls) {
        const QStringList w = line.split(u' ');
        QVERIFY2(client.contains(QRect(client.x() + w[2].toInt(), client.y() + w[3].toInt(),
                                       w[4].toInt(), w[5].toInt())),
                 qPrintable(line));
    }
    const QString scene = lines.filter(QRegularExpression(u"^scene "_s)).value(0);
    QVERIFY2(openGl ? scene == "scene drawn"_L1
                    : scene.startsWith("scene unavailable "_L1) && scene.contains("OpenGL"_L1),
             qPrintable(scene));
    probe.requestClose();
    QVERIFY2(probe.endsWithZero(), qPrintable(probe.errors()));
    QCOMPARE(probe.readUntil(u"exit"_s), QStringList {u"exit"_s});
}

QTEST_GUILESS_MAIN(tst_Displays)
#include "tst_displays.moc"
