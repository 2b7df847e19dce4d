// SPDX-License-Identifier: GPL-3.0-or-later
// The program full screen on classroom screens (X servers of the test's own, with a window
// manager): F11 fills the screen and the tab area follows at one factor, centred at the top;
// clicks, drags and keys land where the controls are drawn, and a screen reader is told those
// places; the message box's text follows the factor; Échap closes the box first, then leaves full
// screen.

#include "realprogram.h"

#include <QStandardPaths>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

class tst_Projector : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullScreen_data();
    void fullScreen();
};

namespace {

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

QString text(const QRect &r)
{
    return u"%1,%2 %3×%4"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

void tst_Projector::fullScreen_data()
{
    if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty()
        || QStandardPaths::findExecutable(u"openbox"_s).isEmpty())
        QSKIP("needs Xvfb and openbox (tools/install-deps.sh installs them)");
    QTest::addColumn<QSize>("screen");
    QTest::newRow("1920 × 1080") << QSize(1920, 1080);
    QTest::newRow("3840 × 2160") << QSize(3840, 2160);
    QTest::newRow("800 × 600") << QSize(800, 600); // scaled down by the same means
}

void tst_Projector::fullScreen()
{
    QFETCH(QSize, screen);
    RealProgram probe;
    QString why;
    QVERIFY2(probe.startDisplay(screen, &why), qPrintable(why));
    probe.start(QStringLiteral(PROJECTORPROBE_PATH), {}, {u"QT_QPA_PLATFORM=xcb"_s});
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
        QVERIFY2(near(told, drawn),
                 qPrintable(name + u": "_s + text(told) + u" for "_s + text(drawn)));
    }
    // The click at the middle of the drawn button reaches the middle of the button.
    const QRect button = rectIn(field(lines, u"natural Button1"_s));
    const QStringList click = field(lines, u"click"_s);
    QVERIFY2(std::abs(click.value(0).toInt() - button.width() / 2) <= 1
                 && std::abs(click.value(1).toInt() - button.height() / 2) <= 1,
             qPrintable(click.join(u' ')));
    // The thumb dropped at the middle of the drawn bar.
    const double dragged = field(lines, u"drag"_s).value(0).toDouble();
    QVERIFY2(dragged >= 45 && dragged <= 55, qPrintable(QString::number(dragged)));
    QCOMPARE_GT(field(lines, u"key"_s).value(0).toDouble(), dragged);

    QVERIFY(std::abs(field(lines, u"box"_s).value(0).toDouble() - factor) < 0.1);
    QVERIFY(lines.contains("box closed, full screen 1"_L1));
    QVERIFY(lines.contains("left 1 full screen 0"_L1));

    probe.requestClose();
    QVERIFY2(probe.endsWithZero(), qPrintable(probe.errors()));
}

QTEST_GUILESS_MAIN(tst_Projector)
#include "tst_projector.moc"
