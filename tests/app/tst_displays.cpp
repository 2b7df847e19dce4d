// SPDX-License-Identifier: GPL-3.0-or-later
// The program on the screens of a classroom, each on an X server of the test's own with a small
// window manager: on a screen too small for it the window shrinks until its frame fits and every
// control of every tab and the 3D area lie inside; on a screen large enough nothing changes.
// Without OpenGL the window still comes up, says why the 3D view is missing, and the lesson
// goes on: a trace runs to its end, the shaft turns, and closing ends the program with 0.

#include "privatedisplay.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString describe(const QRect &r)
{
    return u"%1,%2 %3×%4"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class tst_Displays : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void windowOnScreen_data();
    void windowOnScreen();
};

void tst_Displays::initTestCase()
{
    const QString missing = PrivateDisplay::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(u"needs "_s + missing + u" (tools/install-deps.sh installs them)"_s));
}

void tst_Displays::windowOnScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("scale"); // QT_SCALE_FACTOR, as a desktop set to 125 % gives
    QTest::addColumn<bool>("openGl");

    QTest::newRow("1920 × 1080") << QSize(1920, 1080) << QString() << true;
    QTest::newRow("1366 × 768") << QSize(1366, 768) << QString() << true;
    QTest::newRow("1366 × 768 at 125 %") << QSize(1366, 768) << u"1.25"_s << true;
    QTest::newRow("1024 × 768") << QSize(1024, 768) << QString() << true;
    QTest::newRow("800 × 600") << QSize(800, 600) << QString() << true;
    QTest::newRow("1024 × 768 without OpenGL") << QSize(1024, 768) << QString() << false;
}

void tst_Displays::windowOnScreen()
{
    QFETCH(QSize, screen);
    QFETCH(QString, scale);
    QFETCH(bool, openGl);

    PrivateDisplay display;
    QString why;
    QVERIFY2(display.start(screen, &why), qPrintable(why));
    QCOMPARE(display.screen(), QRect(QPoint(0, 0), screen));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, display.name());
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.remove(u"QT_SCALE_FACTOR"_s);
    environment.remove(u"QT_XCB_GL_INTEGRATION"_s);
    if (!scale.isEmpty())
        environment.insert(u"QT_SCALE_FACTOR"_s, scale);
    if (!openGl)
        environment.insert(u"QT_XCB_GL_INTEGRATION"_s, u"none"_s);
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QStringLiteral(DISPLAYPROBE_PATH),
                openGl ? QStringList() : QStringList {u"--trace"_s});
    QVERIFY(probe.waitForStarted());

    QStringList lines;
    while (!lines.contains("ready"_L1) && probe.waitForReadyRead(60000)) {
        while (probe.canReadLine())
            lines << QString::fromUtf8(probe.readLine()).trimmed();
    }
    QVERIFY2(lines.contains("ready"_L1), qPrintable(lines.join(u'\n')));
    const auto value = [&lines](QLatin1StringView key) {
        for (const QString &line : lines) {
            if (line.startsWith(key + u' '))
                return line.mid(key.size() + 1);
        }
        return QString();
    };

    // The window as the X server has it, framed by the window manager.
    const quint32 window = value("window"_L1).toUInt();
    QVERIFY(window);
    QTRY_VERIFY(display.frameRect(window) != display.windowRect(window));
    const QRect client = display.windowRect(window);
    const QRect frame = display.frameRect(window);
    QVERIFY2(display.screen().contains(frame), qPrintable(describe(frame)));
    QVERIFY(frame.contains(client));
    if (screen == QSize(1920, 1080))
        QCOMPARE(client.size(), QSize(1269, 854));

    int controls = 0;
    for (const QString &line : lines) {
        const QStringList words = line.split(u' ');
        if (words.first() != "control"_L1)
            continue;
        ++controls;
        const QRect place = QRect(words.at(2).toInt(), words.at(3).toInt(), words.at(4).toInt(),
                                  words.at(5).toInt())
                                .translated(client.topLeft());
        QVERIFY2(client.contains(place), qPrintable(words.at(1) + u' ' + describe(place)));
    }
    QVERIFY(controls > 40);

    if (openGl) {
        QCOMPARE(value("scene"_L1), u"drawn"_s);
    } else {
        QVERIFY2(value("scene"_L1).startsWith("unavailable "_L1), qPrintable(value("scene"_L1)));
        QVERIFY(value("scene"_L1).contains("OpenGL"_L1));
        QCOMPARE(value("trace"_L1), u"132 132 shown"_s);
        const QStringList shaft = value("shaft"_L1).split(u' ');
        QCOMPARE(shaft.size(), 2);
        QVERIFY2(shaft.first() != shaft.last(), "the shaft does not turn");
    }

    probe.write("close\n");
    probe.closeWriteChannel();
    QVERIFY2(probe.waitForFinished(30000), "the program kept running after its window closed");
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QVERIFY(QString::fromUtf8(probe.readAllStandardOutput()).trimmed().endsWith("exit"_L1));
}

QTEST_GUILESS_MAIN(tst_Displays)
#include "tst_displays.moc"
