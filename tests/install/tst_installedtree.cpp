// SPDX-License-Identifier: GPL-3.0-or-later
// What `cmake --install` lays out for desktops: a menu entry that starts the installed program,
// AppStream metadata that agrees with it, an icon in every size the theme lists; and for the
// people who install it, a manual page and the licence terms.

#include "desktopentry.h"
#include "installedprefix.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

const QString kAppId = QStringLiteral(SM_APP_ID);

// The few fields of the AppStream file that must match the menu entry.
struct Metainfo
{
    QString id;
    QString name;
    QString launchable;
    QString binary;
    QString licence;
    QStringList categories;
    QStringList releases;
};

Metainfo readMetainfo(const QString &path)
{
    Metainfo info;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return info;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto tag = xml.name();
        if (tag == "release"_L1)
            info.releases << xml.attributes().value("version"_L1).toString();
        else if (tag == "id"_L1)
            info.id = xml.readElementText();
        // Translated names carry xml:lang; the menu entry's Name is the untranslated one.
        else if (tag == "name"_L1 && !xml.attributes().hasAttribute("xml:lang"_L1))
            info.name = xml.readElementText();
        else if (tag == "launchable"_L1)
            info.launchable = xml.readElementText();
        else if (tag == "binary"_L1)
            info.binary = xml.readElementText();
        else if (tag == "project_license"_L1)
            info.licence = xml.readElementText();
        else if (tag == "category"_L1)
            info.categories << xml.readElementText();
    }
    return info;
}

struct Run
{
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

// Mean difference per channel, 0 to 255, of two pictures of the same size, alpha included.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    qint64 sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col]))
                + std::abs(qBlue(p[col]) - qBlue(q[col]))
                + std::abs(qAlpha(p[col]) - qAlpha(q[col]));
    }
    return double(sum) / (4.0 * x.width() * x.height());
}

// The licence of the `Files: *` paragraph of a machine-readable Debian copyright file, provided
// the file declares that format.
QString copyrightLicence(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList paragraphs = QString::fromUtf8(file.readAll()).split(u"\n\n"_s);
    if (!paragraphs.first().startsWith(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"_L1))
        return {};
    for (const QString &paragraph : paragraphs) {
        if (!paragraph.startsWith("Files: *\n"_L1))
            continue;
        const auto match =
            QRegularExpression(u"^License: (\\S+)$"_s, QRegularExpression::MultilineOption)
                .match(paragraph);
        return match.captured(1);
    }
    return {};
}

} // namespace

class TestInstalledTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void menuEntryValidates();
    void metainfoValidates();
    void menuEntryStartsTheInstalledProgram();
    void menuEntryAndMetainfoAgree_data();
    void menuEntryAndMetainfoAgree();
    void metainfoListsThisRelease();
    void licenceIsStated_data();
    void licenceIsStated();
    void manualPageIsIndexed();
    void pngIconsAreRenderingsOfTheSvg_data();
    void pngIconsAreRenderingsOfTheSvg();

private:
    QString tool(const QString &name, const QString &package);

    InstalledPrefix m_prefix;
    QString m_desktopFile;
    DesktopEntry m_entry;
    Metainfo m_metainfo;
};

void TestInstalledTree::initTestCase()
{
    QString error;
    QVERIFY2(m_prefix.install(&error), qPrintable(error));
    m_desktopFile = m_prefix.filePath(u"share/applications/"_s + kAppId + u".desktop"_s);
    m_entry = DesktopEntry::read(m_desktopFile);
    QVERIFY2(!m_entry.isEmpty(), qPrintable(m_desktopFile + u" missing or empty"_s));
    m_metainfo =
        readMetainfo(m_prefix.filePath(u"share/metainfo/"_s + kAppId + u".metainfo.xml"_s));
    QVERIFY2(!m_metainfo.id.isEmpty(), "no AppStream metadata installed");
}

QString TestInstalledTree::tool(const QString &name, const QString &package)
{
    const QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        qWarning("%s not found: tools/install-deps.sh installs %s", qPrintable(name),
                 qPrintable(package));
    return path;
}

void TestInstalledTree::menuEntryValidates()
{
    const QString validator = tool(u"desktop-file-validate"_s, u"desktop-file-utils"_s);
    QVERIFY(!validator.isEmpty());
    const Run result = run(validator, {m_desktopFile});
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    // Hints (advice) are fine; warnings are about keys that menus may misread.
    QVERIFY2(!result.output.contains(u"warning:"_s), qPrintable(result.output));
}

void TestInstalledTree::metainfoValidates()
{
    const QString validator = tool(u"appstreamcli"_s, u"appstream"_s);
    QVERIFY(!validator.isEmpty());
    // validate-tree also checks that the launchable menu entry is installed beside it.
    const Run result = run(validator, {u"validate-tree"_s, u"--no-net"_s, m_prefix.path()});
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
}

void TestInstalledTree::menuEntryStartsTheInstalledProgram()
{
    const QStringList exec = QProcess::splitCommand(m_entry.value(u"Exec"_s));
    QVERIFY(!exec.isEmpty());
    // The program takes no arguments: a %f or %u would promise files it never opens.
    QCOMPARE(exec.size(), 1);
    const QString program =
        QStandardPaths::findExecutable(exec.first(), {m_prefix.filePath(u"bin"_s)});
    QVERIFY2(!program.isEmpty(), qPrintable(exec.first() + u" is not in the installed bin/"_s));
    QCOMPARE(m_entry.value(u"Terminal"_s), u"false"_s);
}

void TestInstalledTree::menuEntryAndMetainfoAgree_data()
{
    QTest::addColumn<QString>("inMenuEntry");
    QTest::addColumn<QString>("inMetainfo");

    QTest::newRow("id") << QFileInfo(m_desktopFile).completeBaseName() << m_metainfo.id;
    QTest::newRow("launchable") << QFileInfo(m_desktopFile).fileName() << m_metainfo.launchable;
    QTest::newRow("name") << m_entry.value(u"Name"_s) << m_metainfo.name;
    QTest::newRow("program") << m_entry.value(u"Exec"_s) << m_metainfo.binary;
    QTest::newRow("categories") << m_entry.list(u"Categories"_s).join(u';')
                                << m_metainfo.categories.join(u';');
}

void TestInstalledTree::menuEntryAndMetainfoAgree()
{
    QFETCH(QString, inMenuEntry);
    QFETCH(QString, inMetainfo);
    QVERIFY(!inMenuEntry.isEmpty());
    QCOMPARE(inMetainfo, inMenuEntry);
}

void TestInstalledTree::metainfoListsThisRelease()
{
    // Software centres show the newest release first; a version bump needs its entry.
    QVERIFY(!m_metainfo.releases.isEmpty());
    QCOMPARE(m_metainfo.releases.first(), QStringLiteral(SM_PROJECT_VERSION));
}

void TestInstalledTree::licenceIsStated_data()
{
    // One licence under the two names the two formats use for it.
    QTest::addColumn<QString>("stated");
    QTest::addColumn<QString>("expected");
    QTest::newRow("AppStream") << m_metainfo.licence << u"GPL-3.0-or-later"_s;
    QTest::newRow("copyright") << copyrightLicence(
        m_prefix.filePath(u"share/doc/simumoteurs/copyright"_s))
                               << u"GPL-3+"_s;
}

void TestInstalledTree::licenceIsStated()
{
    QFETCH(QString, stated);
    QFETCH(QString, expected);
    QCOMPARE(stated, expected);
}

void TestInstalledTree::manualPageIsIndexed()
{
    // lexgrog reads the page as mandb does to answer `whatis` and `apropos`: a page whose name
    // section it cannot parse is missing from both.
    const QString lexgrog = tool(u"lexgrog"_s, u"man-db"_s);
    QVERIFY(!lexgrog.isEmpty());
    const QString page = m_prefix.filePath(u"share/man/man1/simumoteurs.1.gz"_s);
    const Run result = run(lexgrog, {page});
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    // Outside a UTF-8 locale lexgrog drops the accented letters: compare the part before them.
    const QString entry = page + u": \"simumoteurs - simulateur de commande "_s;
    QVERIFY2(result.output.startsWith(entry), qPrintable(result.output));
}

void TestInstalledTree::pngIconsAreRenderingsOfTheSvg_data()
{
    // Two renderers of one drawing disagree along its edges, which weigh more in small sizes.
    // Measured between rsvg-convert and Qt SVG: 3.6 at 16 px, 1.2 at 32 px, 0.7 at 64 px, 0.3 at
    // 256 px. A recoloured part differs by about 16 in every size, a part moved by 4 units of the
    // 128 grid by about 2 from 64 px up.
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("allowance");
    const std::pair<int, double> sizes[] = {{16, 6.0}, {24, 6.0},  {32, 2.5}, {48, 2.0},
                                            {64, 1.5}, {128, 1.0}, {256, 1.0}};
    for (const auto &[size, allowance] : sizes)
        QTest::addRow("%dx%d", size, size) << size << allowance;
}

void TestInstalledTree::pngIconsAreRenderingsOfTheSvg()
{
    QFETCH(int, size);
    QFETCH(double, allowance);
    const QString icon = m_entry.value(u"Icon"_s);
    const QString theme = m_prefix.filePath(u"share/icons/hicolor/"_s);
    const QImage png(theme + u"%1x%1/apps/%2.png"_s.arg(size).arg(icon));
    QVERIFY2(!png.isNull(), "no PNG icon of that size for the menu entry's Icon");
    QCOMPARE(png.size(), QSize(size, size));

    QSvgRenderer svg(theme + u"scalable/apps/%1.svg"_s.arg(icon));
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

QTEST_MAIN(TestInstalledTree)
#include "tst_installedtree.moc"
