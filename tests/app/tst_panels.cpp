// SPDX-License-Identifier: GPL-3.0-or-later
// The circuit-diagram panels: "Montage" slides a panel in from -400 over 1 s, its close button
// slides it out again; the panel stays visible once shown and keeps its place across tabs.

#include "app/tform2.h"

#include "toolkit/diagram.h"
#include "toolkit/floatanimation.h"
#include "toolkit/image.h"

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
    toolkit::Diagram *picture;
};

// Where the element @p id of the picture's drawing lies on the widget.
QRect onWidget(const toolkit::Diagram &picture, const QString &id)
{
    const QSvgRenderer drawing(picture.source());
    const QRectF element = drawing.transformForElement(id).mapRect(drawing.boundsOnElement(id));
    const QRectF view = drawing.viewBoxF();
    const QRectF shown = picture.pictureRect();
    const qreal scale = shown.width() / view.width();
    return QRectF(shown.topLeft() + (element.topLeft() - view.topLeft()) * scale,
                  element.size() * scale)
        .toAlignedRect();
}

// The smallest rectangle holding every pixel in which @p a and @p b differ, and how many of
// those pixels are @p color in @p b.
QRect differing(const QImage &a, const QImage &b, int *inColor = nullptr, QColor color = {})
{
    QRect area;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                area |= QRect(x, y, 1, 1);
                if (inColor)
                    *inColor += b.pixelColor(x, y) == color ? 1 : 0;
            }
        }
    }
    return area;
}

} // namespace

class TestPanels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_form.reset(); }

    void slidesInAndOut_data();
    void slidesInAndOut();
    void picturesFitTheirArea();
    void partsLightOverTheDrawing_data();
    void partsLightOverTheDrawing();

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
    TForm2 &f = *m_form;
    f.TabControl1->setCurrentIndex(tab - 1);
    switch (tab) {
    case 1:
        return {f.ferme1,           f.Button6,          f.SpeedButton1,
                f.animationferme11, f.animationferme12, f.Image1};
    case 2:
        return {f.ferme2,           f.Button8,          f.SpeedButton2,
                f.animationferme21, f.animationferme22, f.Image2};
    case 3:
        return {f.ferme3,           f.Button9,          f.SpeedButton3,
                f.animationferme31, f.animationferme32, f.Image3};
    default:
        return {f.ferme4,           f.Button10,         f.SpeedButton4,
                f.animationferme41, f.animationferme42, f.Image4};
    }
}

void TestPanels::slidesInAndOut_data()
{
    QTest::addColumn<int>("tab");
    for (int tab = 1; tab <= 4; ++tab)
        QTest::addRow("tab %d", tab) << tab;
}

// In, a second "Montage" that changes nothing, out (the panel rests out of view, still shown),
// a second close that changes nothing, and in again from -400.
void TestPanels::slidesInAndOut()
{
    QFETCH(int, tab);
    const PanelParts p = showTab(tab);
    QVERIFY(!p.panel->isVisible());
    for (QAbstractButton *button : {p.montage, p.close}) {
        const bool in = button == p.montage;
        button->click();
        QVERIFY(p.panel->isVisible());
        QCOMPARE(p.panel->x(), in ? -400 : 0);
        QCOMPARE(p.in->enabled(), in);
        QCOMPARE(p.out->enabled(), !in);
        QTest::qWait(500);
        QVERIFY(p.panel->x() > -400 && p.panel->x() < 0);
        QTRY_COMPARE_WITH_TIMEOUT(p.panel->x(), in ? 0 : -400, kSlideEnd);
        button->click();
        QTest::qWait(100);
        QCOMPARE(p.panel->x(), in ? 0 : -400);
    }
    QVERIFY(p.panel->isVisible());
    p.montage->click();
    QCOMPARE(p.panel->x(), -400);
    QTRY_COMPARE_WITH_TIMEOUT(p.panel->geometry(), QRect(0, 0, 400, 490), kSlideEnd);
}

// Every drawing is larger than its area: scaled down to fit, proportions kept, centred.
void TestPanels::picturesFitTheirArea()
{
    for (const toolkit::Image *picture : m_form->findChildren<toolkit::Image *>()) {
        const QRect shown = picture->pictureRect();
        const QSize size = picture->pictureSize();
        QVERIFY2(!size.isEmpty(), qPrintable(picture->objectName()));
        QVERIFY(picture->rect().contains(shown));
        QVERIFY(shown.width() == picture->width() || shown.height() == picture->height());
        QVERIFY(qAbs(double(shown.width()) / shown.height() - double(size.width()) / size.height())
                < 0.01);
        QVERIFY((shown.center() - picture->rect().center()).manhattanLength() <= 2);
    }
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

// At rest a picture is the drawing but for the value in its read-out; a lit part changes it only
// where the part lies, in the part's color, and it is the drawing again once put out.
void TestPanels::partsLightOverTheDrawing()
{
    QFETCH(int, tab);
    QFETCH(QString, part);
    const PanelParts p = showTab(tab);
    p.montage->click();
    toolkit::Diagram *diagram = p.picture;
    toolkit::Image drawing;
    drawing.setSource(diagram->source());
    drawing.resize(diagram->size());

    const QImage rest = diagram->grab().toImage();
    const QRect changedAtRest = differing(drawing.grab().toImage(), rest);
    QVERIFY(!changedAtRest.isEmpty());
    QVERIFY(onWidget(*diagram, QStringLiteral("readout"))
                .adjusted(-1, -1, 1, 1)
                .contains(changedAtRest));
    const QColor color(0xc0, 0x10, 0x70);
    diagram->setLights({{part, color}});
    const QImage lit = diagram->grab().toImage();
    int inColor = 0;
    const QRect changedLit = differing(rest, lit, &inColor, color);
    QVERIFY(!changedLit.isEmpty());
    QVERIFY2(onWidget(*diagram, part).adjusted(-3, -3, 3, 3).contains(changedLit),
             "the lit part only");
    QVERIFY(inColor > 20);
    diagram->setLights({});
    QCOMPARE(diagram->grab().toImage(), rest);
}

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
