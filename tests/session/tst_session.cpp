// SPDX-License-Identifier: GPL-3.0-or-later
// Randomised sessions: thousands of user events fired at the window, traces nesting inside each
// other's pauses, the invariants checked after every event. Two fixed seeds run a short session
// each; SM_SESSION_SEED and SM_SESSION_EVENTS (or --seed and --events) replay one exactly.

#include "randomsession.h"

#include "app/tform2.h"

#include <QLocale>
#include <QTest>

class tst_Session : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A decimal comma in the edit boxes, as a French user sees them.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void randomSession_data();
    void randomSession();
};

void tst_Session::randomSession_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("events");
    const int events = qEnvironmentVariableIsSet("SM_SESSION_EVENTS")
        ? qEnvironmentVariableIntValue("SM_SESSION_EVENTS")
        : 500;
    const QList<quint32> seeds = qEnvironmentVariableIsSet("SM_SESSION_SEED")
        ? QList<quint32> {qEnvironmentVariable("SM_SESSION_SEED").toUInt()}
        : QList<quint32> {20261207u, 4242u};
    for (quint32 seed : seeds)
        QTest::addRow("seed %u", seed) << seed << events;
}

void tst_Session::randomSession()
{
    QFETCH(quint32, seed);
    QFETCH(int, events);
    TForm2 form;
    // Long enough for a pause to run an event loop of its own, short enough for a few thousand
    // events to take seconds.
    form.pause().setInterval(std::chrono::milliseconds(2));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    RandomSession session(form, seed, events);
    const QStringList broken = session.run();
    qInfo("seed %u: %d events, %d traces played to the end, up to %d nested", seed,
          session.eventsFired(), session.tracesFinished(), session.deepestNesting());
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u'\n')));
    QCOMPARE(session.eventsFired(), events);
}

int main(int argc, char *argv[])
{
    // "--seed N" and "--events N" as the two variables, for a command line.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QByteArray word(argv[i]);
        if ((word == "--seed" || word == "--events") && i + 1 < argc)
            qputenv(word == "--seed" ? "SM_SESSION_SEED" : "SM_SESSION_EVENTS", argv[++i]);
        else
            arguments << QString::fromLocal8Bit(word);
    }
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication app(argc, argv);
    tst_Session test;
    return QTest::qExec(&test, arguments);
}

#include "tst_session.moc"
