// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a user gets it from `cmake --install`: a menu entry, AppStream metadata, icons,
// a manual page and the licence that desktops and package tools accept and that agree; and the
// installed program started from its menu entry on an X display, titled with its caption, shown
// until its first complete frame and closed with the window manager's close button.
//
// With SIMUMOTEURS_TEST_SYSROOT set to a system where the Debian package is installed (a chroot),
// the program starts there through chroot(8) instead (packaging/check-deb.sh).

#include "realprogram.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
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

// Mean difference per channel, 0 to 255, alpha included, of two pictures of the same size.
double meanDifference(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return double(sum) / (4.0 * a.width() * a.height());
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
    void pngIconsAreRenderingsOfTheSvg_data();
    void pngIconsAreRenderingsOfTheSvg();
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
    QTest::newRow("menu entry") << QStringList {u"desktop-file-validate"_s, u"desktop-file-utils"_s,
                                                m_prefix
                                                    + u"/share/applications/" SM_APP_ID
                                                      ".desktop"_s}
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
    QVERIFY2(code == 0 && output.startsWith(said), qPrintable(output));
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
    QCOMPARE(find(m_metainfo, u"<id>(.*)</id>"_s), QStringLiteral(SM_APP_ID));
    QCOMPARE(find(m_metainfo, u"<launchable[^>]*>(.*)</launchable>"_s), SM_APP_ID ".desktop"_L1);
    QCOMPARE(find(m_metainfo, u"<name>(.*)</name>"_s), entry(u"Name"_s));
    QStringList categories;
    for (auto it = QRegularExpression(u"<category>(.*)</category>"_s).globalMatch(m_metainfo);
         it.hasNext();)
        categories << it.next().captured(1);
    QCOMPARE(categories.join(u';') + u';', entry(u"Categories"_s));
    // Software centres show the newest release first; a version bump needs its entry.
    QCOMPARE(find(m_metainfo, u"<release [^>]*version=\"([^\"]*)\""_s), SM_PROJECT_VERSION ""_L1);
    QCOMPARE(find(m_metainfo, u"<project_license>(.*)</project_license>"_s), u"GPL-3.0-or-later"_s);
    const QString copyright = textOf(m_prefix + u"/share/doc/simumoteurs/copyright"_s);
    QVERIFY(copyright.startsWith(
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"_L1));
    QCOMPARE(find(copyright, u"^Files: \\*\\n(?:.+\\n)*?License: (\\S+)$"_s), u"GPL-3+"_s);
}

void tst_Installed::pngIconsAreRenderingsOfTheSvg_data()
{
    // Two renderers of one drawing disagree along its edges, which weigh more in small sizes.
    // Measured between rsvg-convert and Qt SVG: 3.6 at 16 px, 1.2 at 32 px, 0.7 at 64 px, 0.3 at
    // 256 px. A recoloured part differs by about 16 in every size, a part moved by 4 units of the
    // 128 grid by about 2 from 64 px up.
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("allowance");
    for (auto [size, allowance] :
         {std::pair {16, 6.0}, {24, 6.0}, {32, 2.5}, {48, 2.0}, {64, 1.5}, {128, 1.0}, {256, 1.0}})
        QTest::addRow("%dx%d", size, size) << size << allowance;
}

void tst_Installed::pngIconsAreRenderingsOfTheSvg()
{
    QFETCH(int, size);
    QFETCH(double, allowance);
    const QString theme = m_prefix + u"/share/icons/hicolor/"_s;
    const QImage png = QImage(theme + u"%1x%1/apps/%2.png"_s.arg(size).arg(entry(u"Icon"_s)))
                           .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(png.size(), QSize(size, size));
    QSvgRenderer svg(theme + u"scalable/apps/%1.svg"_s.arg(entry(u"Icon"_s)));
    QVERIFY2(svg.isValid(), "no scalable icon");
    QImage rendered(size, size, QImage::Format_ARGB32_Premultiplied);
    rendered.fill(Qt::transparent);
    QPainter painter(&rendered);
    svg.render(&painter);
    painter.end();
    const double difference = meanDifference(png, rendered);
    QVERIFY2(
        difference < allowance,
        qPrintable(u"differs from the SVG by %1: run packaging/render-icons.sh"_s.arg(difference)));
}

void tst_Installed::startsFromMenuEntryAndClosesWithZero()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X display to start the installed program on (tools/test.sh starts Xvfb)");
    RealProgram program;
    // As a menu does, on the desktop's own platform; the engine lists on stderr every QML
    // module it loads.
    const QStringList environment {u"QT_QPA_PLATFORM"_s, u"QML_IMPORT_TRACE=1"_s};
    if (m_sysroot.isEmpty())
        program.start(m_prefix + u"/bin/"_s + entry(u"Exec"_s), {}, environment);
    else
        program.start(u"chroot"_s, {m_sysroot, entry(u"Exec"_s)}, environment);
    QVERIFY2(program.waitForWindow(), qPrintable(program.errors()));
    // What the title bar shows, whichever of the two names the window manager reads.
    QCOMPARE(program.title("_NET_WM_NAME"), u"Programme réalisé par Tavelmont"_s);
    QCOMPARE(program.title("WM_NAME"), u"Programme réalisé par Tavelmont"_s);

    // Below the tab area, the pale turquoise ground everywhere but where the lit motor stands.
    const auto complete = [&program] {
        const QImage shot = program.capture();
        qint64 ground = 0, drawn = 0, total = 0;
        for (int y = 520; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x, ++total) {
                const QRgb p = shot.pixel(x, y);
                const int distance = std::max({std::abs(qRed(p) - 0xAF), std::abs(qGreen(p) - 0xEE),
                                               std::abs(qBlue(p) - 0xEE)});
                ground += distance <= 12;
                drawn += distance >= 48;
            }
        }
        return total > 0 && ground > total / 2 && drawn > total / 100;
    };
    QVERIFY2(QTest::qWaitFor(complete, 20000), qPrintable(program.errors()));
    program.requestClose();
    QVERIFY2(program.endsWithZero(10000), "still running, or failed, after the close");
    if (!m_sysroot.isEmpty())
        return;

    // Every QML module loaded from disk (not from Qt's resources) belongs to a package the
    // Debian package depends on.
    const QString depends = find(textOf(QStringLiteral(SM_BUILD_DIR "/CPackConfig.cmake")),
                                 u"set\\(CPACK_DEBIAN_PACKAGE_DEPENDS \"([^\"]*)\"\\)"_s);
    int modules = 0;
    for (auto it =
             QRegularExpression(u"loaded \"(/[^\"]+/qmldir)\""_s).globalMatch(program.errors());
         it.hasNext(); ++modules) {
        const QString qmldir = it.next().captured(1);
        const QString package = run(u"dpkg"_s, {u"-S"_s, qmldir}).section(u':', 0, 0);
        QVERIFY2(!package.isEmpty()
                     && QRegularExpression(u"(^|[,|] *)"_s + QRegularExpression::escape(package)
                                           + u"( |,|$)"_s)
                            .match(depends)
                            .hasMatch(),
                 qPrintable(
                     u"%1 (%2) is missing from the package's dependencies"_s.arg(package, qmldir)));
    }
    QVERIFY2(modules > 0, "the program loaded no QML module from disk");
}

QTEST_MAIN(tst_Installed)
#include "tst_installed.moc"
