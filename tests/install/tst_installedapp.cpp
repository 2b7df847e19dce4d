// SPDX-License-Identifier: GPL-3.0-or-later
// The installed program as a user meets it: started from its menu entry on an X display, titled
// with its caption, shown until its first complete frame, closed with the window manager's close
// button.
//
// With SIMUMOTEURS_TEST_SYSROOT set to a system where the Debian package is installed (a chroot),
// the program is started there through chroot(8) instead of from a fresh install of the build.

#include "desktopentry.h"
#include "installedprefix.h"
#include "x11display.h"

#include <QColor>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Below the tab area, the 3D view fills the rest of the window.
constexpr int kTabAreaHeight = 520;
const QColor kPaleTurquoise(0xAF, 0xEE, 0xEE);

struct SceneShares
{
    double background = 0; // share of the 3D area in the scene's clear colour
    double drawn = 0; // share clearly not that color: the lit motor model

    // The ground everywhere but where the motor stands, as on the first frame the scene draws.
    bool complete() const { return background > 0.5 && drawn > 0.01; }
};

SceneShares sceneShares(const QImage &window)
{
    SceneShares shares;
    if (window.height() <= kTabAreaHeight)
        return shares;
    qint64 background = 0, drawn = 0, total = 0;
    for (int y = kTabAreaHeight; y < window.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(window.constScanLine(y));
        for (int x = 0; x < window.width(); ++x, ++total) {
            const int distance = std::max({std::abs(qRed(line[x]) - kPaleTurquoise.red()),
                                           std::abs(qGreen(line[x]) - kPaleTurquoise.green()),
                                           std::abs(qBlue(line[x]) - kPaleTurquoise.blue())});
            if (distance <= 12)
                ++background;
            else if (distance >= 48)
                ++drawn;
        }
    }
    shares.background = double(background) / double(total);
    shares.drawn = double(drawn) / double(total);
    return shares;
}

// The packages the Debian package is told to depend on besides the libraries dpkg-shlibdeps
// finds, without versions or alternatives.
QSet<QString> declaredPackages()
{
    QFile config(QStringLiteral(SM_BUILD_DIR "/CPackConfig.cmake"));
    if (!config.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression depends(
        u"set\\(CPACK_DEBIAN_PACKAGE_DEPENDS \"([^\"]*)\"\\)"_s);
    const QRegularExpressionMatch match = depends.match(QString::fromUtf8(config.readAll()));
    QSet<QString> packages;
    for (const QString &item : match.captured(1).split(u',', Qt::SkipEmptyParts))
        packages.insert(item.section(u'(', 0, 0).section(u'|', 0, 0).trimmed());
    return packages;
}

} // namespace

class TestInstalledApp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void startsFromMenuEntryAndClosesWithZero();
    void qmlModulesOnDiskAreDeclaredDependencies();

private:
    std::optional<X11Display::Window> waitForWindow(qint64 pid, int timeoutMs);
    SceneShares waitForCompleteFrame(X11Display::Window window, int timeoutMs);
    QString lastErrors() const;

    std::unique_ptr<X11Display> m_display;
    InstalledPrefix m_install;
    QString m_sysroot;
    QString m_prefix;
    DesktopEntry m_entry;
    QProcess m_program;
    QByteArray m_programErrors;
    bool m_closedWithZero = false;
};

void TestInstalledApp::initTestCase()
{
    m_display = std::make_unique<X11Display>();
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !m_display->isConnected())
        QSKIP("no X display to start the installed program on (tools/test.sh starts Xvfb)");

    m_sysroot = qEnvironmentVariable("SIMUMOTEURS_TEST_SYSROOT");
    if (m_sysroot.isEmpty()) {
        QString error;
        QVERIFY2(m_install.install(&error), qPrintable(error));
        m_prefix = m_install.path();
    } else {
        m_prefix = m_sysroot + u"/usr"_s;
    }
    m_entry = DesktopEntry::read(m_prefix + u"/share/applications/" SM_APP_ID ".desktop"_s);
    QVERIFY2(!m_entry.isEmpty(), "no menu entry installed");
}

void TestInstalledApp::cleanup()
{
    if (m_program.state() != QProcess::NotRunning) {
        m_program.kill();
        m_program.waitForFinished();
    }
}

std::optional<X11Display::Window> TestInstalledApp::waitForWindow(qint64 pid, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && m_program.state() == QProcess::Running) {
        if (const X11Display::Window window = m_display->mappedTopLevelOf(pid))
            return window;
        QTest::qWait(20);
    }
    return std::nullopt;
}

SceneShares TestInstalledApp::waitForCompleteFrame(X11Display::Window window, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    SceneShares shares;
    while (clock.elapsed() < timeoutMs && m_program.state() == QProcess::Running) {
        shares = sceneShares(m_display->capture(window));
        if (shares.complete())
            break;
        QTest::qWait(20);
    }
    return shares;
}

QString TestInstalledApp::lastErrors() const
{
    return QString::fromLocal8Bit(m_programErrors.right(2000));
}

void TestInstalledApp::startsFromMenuEntryAndClosesWithZero()
{
    // As a menu does: Exec's program, here the one in the installed bin/.
    const QStringList exec = QProcess::splitCommand(m_entry.value(u"Exec"_s));
    QVERIFY(!exec.isEmpty());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A menu starts it on the desktop's own platform, whatever this test runs on.
    environment.remove(u"QT_QPA_PLATFORM"_s);
    // Lists on stderr every QML module the engine loads, for the next test.
    environment.insert(u"QML_IMPORT_TRACE"_s, u"1"_s);
    m_program.setProcessEnvironment(environment);
    m_program.setProcessChannelMode(QProcess::SeparateChannels);
    connect(&m_program, &QProcess::readyReadStandardError, this,
            [this] { m_programErrors += m_program.readAllStandardError(); });
    if (m_sysroot.isEmpty()) {
        const QString program =
            QStandardPaths::findExecutable(exec.first(), {m_prefix + u"/bin"_s});
        QVERIFY2(!program.isEmpty(), "Exec does not name the installed program");
        m_program.start(program, exec.mid(1));
    } else {
        m_program.start(u"chroot"_s, QStringList {m_sysroot} + exec);
    }
    QElapsedTimer clock;
    clock.start();
    QVERIFY2(m_program.waitForStarted(), qPrintable(m_program.errorString()));

    const std::optional<X11Display::Window> window = waitForWindow(m_program.processId(), 30000);
    QVERIFY2(window, qPrintable(u"no window appeared; the program said:\n"_s + lastErrors()));
    const qint64 mappedAfter = clock.elapsed();
    // What the title bar shows, whichever of the two names the window manager reads.
    const QString caption = u"Programme réalisé par Tavelmont"_s;
    QCOMPARE(m_display->title(*window, "_NET_WM_NAME"), caption);
    QCOMPARE(m_display->title(*window, "WM_NAME"), caption);

    const SceneShares shares = waitForCompleteFrame(*window, 20000);
    QVERIFY2(shares.complete(),
             qPrintable(u"the 3D view never showed the motor on its pale turquoise ground "
                        "(ground %1, drawn %2); the program said:\n%3"_s.arg(shares.background)
                            .arg(shares.drawn)
                            .arg(lastErrors())));
    const qint64 firstFrameAfter = clock.elapsed();

    m_display->requestClose(*window);
    clock.restart();
    QVERIFY2(m_program.waitForFinished(10000), "still running after the window manager's close");
    const qint64 exitAfter = clock.elapsed();

    qInfo("window mapped %lld ms, first complete frame %lld ms after start; exit %lld ms after "
          "the close",
          mappedAfter, firstFrameAfter, exitAfter);
    QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program.exitCode(), 0);
    m_closedWithZero = true;
}

void TestInstalledApp::qmlModulesOnDiskAreDeclaredDependencies()
{
    if (!m_closedWithZero)
        QSKIP("needs the run of the previous test");
    if (!m_sysroot.isEmpty())
        QSKIP("the run in the system root is the proof");
    if (QStandardPaths::findExecutable(u"dpkg"_s).isEmpty())
        QSKIP("needs dpkg to tell which package holds a module");
    const QSet<QString> declared = declaredPackages();
    QVERIFY2(!declared.isEmpty(), "no Debian dependencies in CPackConfig.cmake");

    // Modules built into the Qt libraries load from resources (":/..."); only those found on
    // disk need a package of their own.
    static const QRegularExpression loaded(u"loaded \"(/[^\"]+/qmldir)\""_s);
    QSet<QString> qmldirs;
    for (auto it = loaded.globalMatch(QString::fromLocal8Bit(m_programErrors)); it.hasNext();)
        qmldirs.insert(it.next().captured(1));
    QVERIFY2(!qmldirs.isEmpty(), "the program loaded no QML module from disk");

    for (const QString &qmldir : std::as_const(qmldirs)) {
        QProcess dpkg;
        dpkg.start(u"dpkg"_s, {u"-S"_s, qmldir});
        QVERIFY(dpkg.waitForFinished());
        const QString package = QString::fromUtf8(dpkg.readAllStandardOutput()).section(u':', 0, 0);
        QVERIFY2(!package.isEmpty(), qPrintable(qmldir + u" belongs to no package"_s));
        QVERIFY2(declared.contains(package),
                 qPrintable(
                     u"%1 (%2) is missing from the package's dependencies"_s.arg(package, qmldir)));
    }
}

QTEST_GUILESS_MAIN(TestInstalledApp)
#include "tst_installedapp.moc"
