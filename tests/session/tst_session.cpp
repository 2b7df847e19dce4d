// SPDX-License-Identifier: GPL-3.0-or-later
// Randomised sessions: thousands of user events fired at the window, traces nesting inside
// each other's pauses, the invariants checked after every event. Each session replays exactly
// from its seed:
//   tst_session --seed 1234 --events 5000
// or, where the command line is not at hand (CTest), SM_SESSION_SEED and SM_SESSION_EVENTS.
// Without either, two fixed seeds run a short session each.

#include "randomsession.h"

#include "app/tform2.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTest>

#include <memory>
#include <optional>

namespace {

// Long enough for a pause to run an event loop of its own (a shorter one only handles the
// pending events once), short enough for a few thousand events to take seconds.
constexpr std::chrono::milliseconds kShortPause(2);
constexpr int kShortSessionEvents = 500;
constexpr quint32 kDefaultSeeds[] = {20261207u, 4242u};

struct SessionOptions
{
    std::optional<quint32> seed;
    std::optional<int> events;
};

SessionOptions options;

} // namespace

class tst_Session : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void randomSession_data();
    void randomSession();
};

void tst_Session::initTestCase()
{
    // A decimal comma in the edit boxes, as a French user sees them.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

void tst_Session::randomSession_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("events");
    const int events = options.events.value_or(kShortSessionEvents);
    if (options.seed) {
        QTest::addRow("seed %u", *options.seed) << *options.seed << events;
        return;
    }
    for (quint32 seed : kDefaultSeeds)
        QTest::addRow("seed %u", seed) << seed << events;
}

void tst_Session::randomSession()
{
    QFETCH(quint32, seed);
    QFETCH(int, events);

    auto form = std::make_unique<TForm2>();
    form->pause().setInterval(kShortPause);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    RandomSession session(*form, seed, events);
    QElapsedTimer clock;
    clock.start();
    const QStringList broken = session.run();
    qInfo("seed %u: %d events in %lld ms, %d traces played to the end, up to %d traces nested, "
          "%d messages answered",
          seed, session.eventsFired(), clock.elapsed(), session.tracesFinished(),
          session.deepestNesting(), session.messagesAnswered());
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u'\n')));
    QCOMPARE(session.eventsFired(), events);
}

namespace {

// Takes "--seed N" and "--events N" out of @p arguments; the rest is for Qt Test.
bool takeOptions(QStringList &arguments)
{
    bool ok = true;
    const auto number = [&ok](const QString &text) {
        bool parsed = false;
        const qulonglong value = text.toULongLong(&parsed);
        ok = ok && parsed;
        return value;
    };
    if (const QByteArray seed = qgetenv("SM_SESSION_SEED"); !seed.isEmpty())
        options.seed = quint32(number(QString::fromLatin1(seed)));
    if (const QByteArray events = qgetenv("SM_SESSION_EVENTS"); !events.isEmpty())
        options.events = int(number(QString::fromLatin1(events)));
    for (qsizetype i = 1; i + 1 < arguments.size();) {
        if (arguments[i] == u"--seed") {
            options.seed = quint32(number(arguments[i + 1]));
        } else if (arguments[i] == u"--events") {
            options.events = int(number(arguments[i + 1]));
        } else {
            ++i;
            continue;
        }
        arguments.remove(i, 2);
    }
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    QStringList arguments = QCoreApplication::arguments();
    if (!takeOptions(arguments)) {
        qCritical("--seed and --events take a whole number");
        return 2;
    }
    tst_Session test;
    return QTest::qExec(&test, arguments);
}

#include "tst_session.moc"
