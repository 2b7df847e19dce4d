// SPDX-License-Identifier: GPL-3.0-or-later
// The program as `cmake --install` gives it: a menu entry, AppStream metadata, a manual page and
// a licence that the tools accept and that agree; started from its menu entry, titled, closed
// with the close button. With SIMUMOTEURS_TEST_SYSROOT set to a system where the Debian package is
// installed, it starts there through chroot(8) instead (packaging/check-deb.sh).

#include "realprogram.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString run(const QString &program, const QStringList &arguments, int *code = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ended =
        process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    if (code)
        *code = ended ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

QString textOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The first capture of @p pattern in @p text (a multi-line match).
QString find(const QString &text, const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text).captured(1);
}

// The tags of the errors and warnings AppStream's validator lists ("W: <id>:<line>: <tag> ...").
QStringList faultTags(const QString &output)
{
    QStringList tags;
    const QRegularExpression line(u"^\\s*[EW]: \\S+ ([a-z0-9-]+)"_s,
                                  QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(output); it.hasNext();)
        tags += it.next().captured(1);
    return tags;
}

} // namespace

class tst_Installed : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void toolsAcceptIt_data();
    void toolsAcceptIt();
    void menuEntryAndMetainfoAgree();
    void startsFromMenuEntryAndClosesWithZero();

private:
    QString entry(const QString &key) const { return find(m_entry, u"^"_s + key + u"=(.*)$"_s); }

    QTemporaryDir m_dir;
    QString m_sysroot = qEnvironmentVariable("SIMUMOTEURS_TEST_SYSROOT");
    QString m_prefix;
    QString m_entry; // the .desktop file's text
    QString m_metainfo;
};

void tst_Installed::initTestCase()
{
    if (m_sysroot.isEmpty()) {
        int code = 0;
        const QString said =
            run(QStringLiteral(SM_CMAKE_COMMAND),
                {u"--install"_s, QStringLiteral(SM_BUILD_DIR), u"--prefix"_s, m_dir.path()}, &code);
        QVERIFY2(code == 0, qPrintable(said));
        m_prefix = m_dir.path();
    } else {
        m_prefix = m_sysroot + u"/usr"_s;
    }
    m_entry = textOf(m_prefix + u"/share/applications/" SM_APP_ID ".desktop"_s);
    m_metainfo = textOf(m_prefix + u"/share/metainfo/" SM_APP_ID ".metainfo.xml"_s);
    QVERIFY2(!m_entry.isEmpty() && !m_metainfo.isEmpty(), "no menu entry or AppStream metadata");
}

void tst_Installed::toolsAcceptIt_data()
{
    QTest::addColumn<QStringList>("command"); // the tool first, then the Debian package holding it
    QTest::addColumn<QString>("said"); // what its output must begin with
    const QString page = m_prefix + u"/share/man/man1/simumoteurs.1.gz"_s;
    const QString menu = m_prefix + u"/share/applications/" SM_APP_ID ".desktop"_s;
    QTest::newRow("menu entry") << QStringList {u"desktop-file-validate"_s, u"desktop-file-utils"_s,
                                                menu}
                                << QString();
    // validate-tree also checks that the launchable menu entry is installed beside it.
    QTest::newRow("AppStream") << QStringList {u"appstreamcli"_s, u"appstream"_s,
                                               u"validate-tree"_s, u"--no-net"_s, m_prefix}
                               << QString();
    // lexgrog reads the page as mandb does for `whatis` and `apropos`; outside a UTF-8 locale it
    // drops the accented letters: compare the part before them.
    QTest::newRow("manual page") << QStringList {u"lexgrog"_s, u"man-db"_s, page}
                                 << page + u": \"simumoteurs - simulateur de commande "_s;
}

void tst_Installed::toolsAcceptIt()
{
    QFETCH(QStringList, command);
    QFETCH(QString, said);
    if (!m_sysroot.isEmpty())
        QSKIP("the run in the system root is the proof");
    const QString tool = QStandardPaths::findExecutable(command.takeFirst());
    QVERIFY2(!tool.isEmpty(), qPrintable(u"tools/install-deps.sh installs "_s + command.first()));
    int code = 0;
    const QString output = run(tool, command.mid(1), &code);
    // The home page is the packager's to give (-DSIMUMOTEURS_HOMEPAGE); without it, newer
    // AppStream validators warn `url-homepage-missing` and fail, and that must be the only fault.
    const QStringList faults = faultTags(output);
    const bool homepageAlone = !m_metainfo.contains(u"<url type=\"homepage\">"_s)
        && faults == QStringList {u"url-homepage-missing"_s};
    QVERIFY2(((code == 0 && faults.isEmpty()) || homepageAlone) && output.startsWith(said),
             qPrintable(output));
    // Hints (advice) are fine; warnings are about keys that menus may misread.
    QVERIFY2(!output.contains(u"warning:"_s), qPrintable(output));
}

// The menu entry starts the installed program without arguments (a %f or %u would promise
// files it never opens), and the two descriptions name, file and licence it alike.
void tst_Installed::menuEntryAndMetainfoAgree()
{
    QCOMPARE(entry(u"Terminal"_s), u"false"_s);
    QVERIFY(QFile::exists(m_prefix + u"/bin/"_s + entry(u"Exec"_s)));
    QCOMPARE(find(m_metainfo, u"<binary>(.*)</binary>"_s), entry(u"Exec"_s));
    QCOMPARE(find(m_metainfo, u"<launchable[^>]*>(.*)</launchable>"_s), SM_APP_ID ".desktop"_L1);
    QCOMPARE(find(m_metainfo, u"<name>(.*)</name>"_s), entry(u"Name"_s));
    // Software centres show the newest release first; a version bump needs its entry.
    QCOMPARE(find(m_metainfo, u"<release [^>]*version=\"([^\"]*)\""_s), SM_PROJECT_VERSION ""_L1);
    QCOMPARE(find(m_metainfo, u"<project_license>(.*)</project_license>"_s), u"GPL-3.0-or-later"_s);
    const QString copyright = textOf(m_prefix + u"/share/doc/simumoteurs/copyright"_s);
    QCOMPARE(find(copyright, u"^Files: \\*\\n(?:.+\\n)*?License: (\\S+)$"_s), u"GPL-3+"_s);
}

void tst_Installed::startsFromMenuEntryAndClosesWithZero()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X display to start the installed program on (tools/test.sh starts Xvfb)");
    RealProgram program;
    // As a menu does, on the desktop's own platform (a missing package dependency shows in the
    // run in the system root).
    const QStringList environment {u"QT_QPA_PLATFORM"_s};
    if (m_sysroot.isEmpty())
        program.start(m_prefix + u"/bin/"_s + entry(u"Exec"_s), {}, environment);
    else
        program.start(u"chroot"_s, {m_sysroot, entry(u"Exec"_s)}, environment);
    QVERIFY2(program.waitForWindow(), qPrintable(program.errors()));
    QCOMPARE(program.title(), u"Programme réalisé par Tavelmont"_s);
    program.requestClose();
    QVERIFY2(program.endsWithZero(10000), "still running, or failed, after the close");
}

QTEST_MAIN(tst_Installed)
#include "tst_installed.moc"
