// SPDX-License-Identifier: GPL-3.0-or-later
// The circuit-diagram panels: "Montage" slides a panel in from -400 over 1 s, its close button
// slides it out again; the panel stays visible once shown and keeps its place across tabs.

#include "app/tform2.h"

#include "toolkit/diagram.h"
#include "toolkit/image.h"
#include "toolkit/trackbar.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTest>

namespace {

constexpr int kSlideEnd = 1400; // slides last 1 s

struct PanelParts
{
    QWidget *panel;
    QAbstractButton *montage;
    QAbstractButton *close;
    toolkit::FloatAnimation *in;
    toolkit::FloatAnimation *out;
    int tab;
};

PanelParts parts(TForm2 &f, int tab)
{
    switch (tab) {
    case 1:
        return {f.ferme1, f.Button6, f.SpeedButton1, f.animationferme11, f.animationferme12, 1};
    case 2:
        return {f.ferme2, f.Button8, f.SpeedButton2, f.animationferme21, f.animationferme22, 2};
    case 3:
        return {f.ferme3, f.Button9, f.SpeedButton3, f.animationferme31, f.animationferme32, 3};
    default:
        return {f.ferme4, f.Button10, f.SpeedButton4, f.animationferme41, f.animationferme42, 4};
    }
}

// Where the element @p id of @p diagram's drawing lies on the widget.
QRectF onWidget(const toolkit::Diagram &diagram, const QString &id)
{
    const QSvgRenderer drawing(diagram.source());
    const QRectF element = drawing.transformForElement(id).mapRect(drawing.boundsOnElement(id));
    const QRectF view = drawing.viewBoxF();
    const QRectF shown = diagram.pictureRect();
    const qreal scale = shown.width() / view.width();
    return {shown.topLeft() + (element.topLeft() - view.topLeft()) * scale, element.size() * scale};
}

// The smallest rectangle holding every pixel in which @p a and @p b differ.
QRect differing(const QImage &a, const QImage &b)
{
    QRect area;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

class TestPanels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_form.reset(); }

    void montageSlidesTheDiagramIn_data();
    void montageSlidesTheDiagramIn();
    void secondMontageChangesNothing();
    void closeSlidesOutAndLeavesThePanelVisible();
    void montageAfterCloseSlidesInAgain();
    void closeDuringSlideInReverses();
    void montageDuringSlideOutReverses();
    void panelLeftInStaysInAcrossTabs();
    void diagramsAreLoaded_data();
    void diagramsAreLoaded();
    void partsLightOverTheDrawing_data();
    void partsLightOverTheDrawing();
    void panelsOutOfViewDrawNothing();

private:
    PanelParts showTab(int tab);
    std::unique_ptr<TForm2> m_form;
};

void TestPanels::init()
{
    m_form = std::make_unique<TForm2>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

PanelParts TestPanels::showTab(int tab)
{
    m_form->TabControl1->setCurrentIndex(tab - 1);
    return parts(*m_form, tab);
}

void TestPanels::montageSlidesTheDiagramIn_data()
{
    QTest::addColumn<int>("tab");
    for (int tab = 1; tab <= 4; ++tab)
        QTest::addRow("tab %d", tab) << tab;
}

void TestPanels::montageSlidesTheDiagramIn()
{
    QFETCH(int, tab);
    PanelParts p = showTab(tab);
    QVERIFY(!p.panel->isVisible());

    p.montage->click();
    QVERIFY(p.panel->isVisible());
    QCOMPARE(p.panel->x(), -400);
    QVERIFY(p.in->enabled() && !p.out->enabled());
    QTest::qWait(500);
    QVERIFY(p.panel->x() > -400 && p.panel->x() < 0);
    QTRY_COMPARE_WITH_TIMEOUT(p.panel->x(), 0, kSlideEnd);
    QCOMPARE(p.panel->geometry(), QRect(0, 0, 400, 490));
}

void TestPanels::secondMontageChangesNothing()
{
    PanelParts p = showTab(1);
    p.montage->click();
    QTest::qWait(kSlideEnd);
    p.montage->click();
    QCOMPARE(p.panel->x(), 0);
    QTest::qWait(200);
    QCOMPARE(p.panel->x(), 0);
    QVERIFY(p.in->enabled() && !p.out->enabled());
}

void TestPanels::closeSlidesOutAndLeavesThePanelVisible()
{
    PanelParts p = showTab(3);
    p.montage->click();
    QTest::qWait(kSlideEnd);
    p.close->click();
    QVERIFY(!p.in->enabled() && p.out->enabled());
    QTest::qWait(500);
    QVERIFY(p.panel->x() < 0 && p.panel->x() > -400);
    QTRY_COMPARE_WITH_TIMEOUT(p.panel->x(), -400, kSlideEnd);
    QVERIFY(p.panel->isVisible()); // out of sight, not hidden
    p.close->click(); // a second close changes nothing
    QCOMPARE(p.panel->x(), -400);
}

void TestPanels::montageAfterCloseSlidesInAgain()
{
    PanelParts p = showTab(2);
    p.montage->click();
    QTest::qWait(kSlideEnd);
    p.close->click();
    QTest::qWait(kSlideEnd);
    p.montage->click();
    QCOMPARE(p.panel->x(), -400);
    QTRY_COMPARE_WITH_TIMEOUT(p.panel->x(), 0, kSlideEnd);
}

void TestPanels::closeDuringSlideInReverses()
{
    PanelParts p = showTab(4);
    p.montage->click();
    QTest::qWait(400);
    p.close->click();
    QCOMPARE(p.panel->x(), 0); // the slide out starts from its start value
    QTest::qWait(100);
    QVERIFY(p.panel->x() < 0);
    QTRY_COMPARE_WITH_TIMEOUT(p.panel->x(), -400, kSlideEnd);
}

void TestPanels::montageDuringSlideOutReverses()
{
    PanelParts p = showTab(1);
    p.montage->click();
    QTest::qWait(kSlideEnd);
    p.close->click();
    QTest::qWait(400);
    p.montage->click();
    QCOMPARE(p.panel->x(), -400);
    QTRY_COMPARE_WITH_TIMEOUT(p.panel->x(), 0, kSlideEnd);
}

void TestPanels::panelLeftInStaysInAcrossTabs()
{
    PanelParts p = showTab(1);
    p.montage->click();
    QTest::qWait(kSlideEnd);
    for (int tab : {2, 3, 4}) {
        m_form->TabControl1->setCurrentIndex(tab - 1);
        QTest::qWait(50);
    }
    showTab(1);
    QVERIFY(p.panel->isVisible());
    QCOMPARE(p.panel->x(), 0);
    QVERIFY(!parts(*m_form, 2).panel->isVisible()); // the others were never shown
}

void TestPanels::diagramsAreLoaded_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("Image1") << "Image1" << QSize(474, 575);
    QTest::newRow("Image2") << "Image2" << QSize(693, 473);
    QTest::newRow("Image3") << "Image3" << QSize(510, 565);
    QTest::newRow("Image4") << "Image4" << QSize(555, 813);
}

void TestPanels::diagramsAreLoaded()
{
    QFETCH(QString, image);
    QFETCH(QSize, pixels);
    auto *picture = m_form->findChild<toolkit::Image *>(image);
    QVERIFY(picture);
    QCOMPARE(picture->pictureSize(), pixels);
    // Scaled to fit the 400 × 444 area with its proportions kept.
    const QRect shown = picture->pictureRect();
    QVERIFY(shown.width() == 400 || shown.height() == 444);
    QVERIFY(shown.width() <= 400 && shown.height() <= 444);
    QVERIFY(qAbs(double(shown.width()) / shown.height() - double(pixels.width()) / pixels.height())
            < 0.01);
}

void TestPanels::partsLightOverTheDrawing_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("part");
    QTest::newRow("Image1") << 1 << "Q2";
    QTest::newRow("Image2") << 2 << "path-right-left";
    QTest::newRow("Image3") << 3 << "winding-C";
    QTest::newRow("Image4") << 4 << "terminal-D";
}

// At rest a picture is the drawing but for the value in its read-out; a lit part changes it
// only where the part lies, in the part's color, and it is the drawing again once put out.
void TestPanels::partsLightOverTheDrawing()
{
    QFETCH(int, tab);
    QFETCH(QString, part);
    PanelParts p = showTab(tab);
    p.montage->click();
    auto *diagram = p.panel->findChild<toolkit::Diagram *>();
    QVERIFY(diagram);
    toolkit::Image drawing;
    drawing.setSource(diagram->source());
    drawing.resize(diagram->size());

    const QImage drawn = drawing.grab().toImage();
    const QImage rest = diagram->grab().toImage();
    const QRect readout =
        onWidget(*diagram, QStringLiteral("readout")).toAlignedRect().adjusted(-1, -1, 1, 1);
    const QRect changedAtRest = differing(drawn, rest);
    QVERIFY(!changedAtRest.isEmpty());
    QVERIFY2(readout.contains(changedAtRest), "the read-out's value only");
    // The drawing's own value is not drawn under ours: without a text the box is empty.
    const QString value = diagram->readoutText();
    diagram->setReadoutText({});
    const QImage empty = diagram->grab().toImage();
    const QRect valueArea = onWidget(*diagram, QStringLiteral("readout-value")).toAlignedRect();
    QSet<QRgb> inBox;
    for (int y = valueArea.top(); y <= valueArea.bottom(); ++y) {
        for (int x = valueArea.left(); x <= valueArea.right(); ++x)
            inBox.insert(empty.pixel(x, y));
    }
    QCOMPARE(inBox.size(), 1);
    diagram->setReadoutText(value);

    const QColor color(0xc0, 0x10, 0x70);
    diagram->setLights({{part, color}});
    const QImage lit = diagram->grab().toImage();
    const QRect partArea = onWidget(*diagram, part).toAlignedRect().adjusted(-3, -3, 3, 3);
    const QRect changedLit = differing(rest, lit);
    QVERIFY(!changedLit.isEmpty());
    QVERIFY2(partArea.contains(changedLit), "the lit part only");
    int inColor = 0;
    for (int y = changedLit.top(); y <= changedLit.bottom(); ++y) {
        for (int x = changedLit.left(); x <= changedLit.right(); ++x)
            inColor += lit.pixelColor(x, y) == color ? 1 : 0;
    }
    QVERIFY(inColor > 20);

    diagram->setLights({});
    QCOMPARE(diagram->grab().toImage(), rest);
}

// A trace's lights and the shaft's speed repaint a panel only while it can be seen.
void TestPanels::panelsOutOfViewDrawNothing()
{
    m_form->pause().setInterval(std::chrono::milliseconds(1));
    PanelParts p = showTab(1);
    PaintCounter counter;
    m_form->Image1->installEventFilter(&counter);
    m_form->valeurmoteur->setValue(50);

    m_form->Button1->click();
    QCOMPARE(counter.paints, 0);

    p.montage->click();
    QTest::qWait(kSlideEnd);
    counter.paints = 0;
    m_form->Button1->click();
    QVERIFY(counter.paints > 0);

    p.close->click();
    QTest::qWait(kSlideEnd);
    counter.paints = 0;
    m_form->valeurmoteur->setValue(60);
    m_form->Button1->click();
    QCOMPARE(counter.paints, 0);
}

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
