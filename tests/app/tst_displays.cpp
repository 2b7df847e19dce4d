// SPDX-License-Identifier: GPL-3.0-or-later
// The program on classroom screens (the test's own X servers, with a window manager): too small,
// the window shrinks until every control fits; large, nothing changes; without OpenGL it says why
// the 3D view is missing; closed, it ends with 0. Full screen (F11), the tab area follows at one
// factor, centred at the top, and so do presses, drags, keys, a screen reader's places and the
// message box's text; Échap closes the box first, then leaves full screen.

#include "realprogram.h"

#include <QStandardPaths>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

class tst_Displays : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowOnScreen_data();
    void windowOnScreen();
    void fullScreen_data();
    void fullScreen();
};

namespace {

bool serversAtHand()
{
    return !QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty()
        && !QStandardPaths::findExecutable(u"openbox"_s).isEmpty();
}

// The value after "@p key " in @p lines, split at spaces.
QStringList field(const QStringList &lines, const QString &key)
{
    const QString line = lines.filter(QRegularExpression(u"^"_s + key + u" "_s)).value(0);
    return line.mid(key.size() + 1).split(u' ');
}

QRect rectIn(const QStringList &w)
{
    return w.size() == 4 ? QRect(w[0].toInt(), w[1].toInt(), w[2].toInt(), w[3].toInt()) : QRect();
}

bool near(const QRect &a, const QRect &b)
{
    return std::abs(a.left() - b.left()) <= 1 && std::abs(a.top() - b.top()) <= 1
        && std::abs(a.right() - b.right()) <= 1 && std::abs(a.bottom() - b.bottom()) <= 1;
}

} // namespace

void tst_Displays::windowOnScreen_data()
{
    if (!serversAtHand())
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

void tst_Displays::fullScreen_data()
{
    if (!serversAtHand())
        QSKIP("needs Xvfb and openbox (tools/install-deps.sh installs them)");
    QTest::addColumn<QSize>("screen");
    QTest::newRow("1920 × 1080") << QSize(1920, 1080);
    QTest::newRow("3840 × 2160") << QSize(3840, 2160);
    QTest::newRow("800 × 600") << QSize(800, 600); // scaled down by the same means
}

void tst_Displays::fullScreen()
{
    QFETCH(QSize, screen);
    RealProgram probe;
    QString why;
    QVERIFY2(probe.startDisplay(screen, &why), qPrintable(why));
    probe.start(QStringLiteral(DISPLAYPROBE_PATH), {u"projector"_s}, {u"QT_QPA_PLATFORM=xcb"_s});
    const QStringList lines = probe.readUntil(u"ready"_s);
    QVERIFY2(lines.contains("ready"_L1), qPrintable(lines.join(u'\n') + probe.errors()));
    QVERIFY(probe.waitForWindow());

    QCOMPARE(
        field(lines, u"full"_s),
        (QStringList {u"1"_s, QString::number(screen.width()), QString::number(screen.height())}));
    const qreal factor = std::min(screen.width() / 1269.0, screen.height() / 854.0);
    QVERIFY2(std::abs(field(lines, u"factor"_s).value(0).toDouble() - factor) < 1e-6,
             qPrintable(lines.join(u'\n')));
    // Centred at the top.
    const qreal left = std::floor((screen.width() - 1269 * factor) / 2);
    for (const QString &name : {u"Button1"_s, u"valeurmoteur"_s}) {
        const QRect natural = rectIn(field(lines, u"natural "_s + name));
        const QRect drawn = QRectF(left + natural.x() * factor, natural.y() * factor,
                                   natural.width() * factor, natural.height() * factor)
                                .toRect();
        const QRect told = rectIn(field(lines, u"reader "_s + name));
        QVERIFY2(near(told, drawn), qPrintable(name));
    }
    // The thumb dropped at the middle of the drawn bar.
    const double dragged = field(lines, u"drag"_s).value(0).toDouble();
    QVERIFY2(dragged >= 45 && dragged <= 55, qPrintable(QString::number(dragged)));
    QCOMPARE_GT(field(lines, u"key"_s).value(0).toDouble(), dragged);
    QCOMPARE(field(lines, u"pressed"_s), QStringList {u"1"_s});

    QVERIFY(std::abs(field(lines, u"box"_s).value(0).toDouble() - factor) < 0.1);
    QVERIFY2(lines.contains("box closed, full screen 1"_L1), qPrintable(lines.join(u'\n')));
    QVERIFY2(lines.contains("left 1 full screen 0"_L1), qPrintable(lines.join(u'\n')));

    probe.requestClose();
    QVERIFY2(probe.endsWithZero(), qPrintable(probe.errors()));
}

QTEST_GUILESS_MAIN(tst_Displays)
#include "tst_displays.moc"
