// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform2.h"

#include "toolkit/chart.h"
#include "toolkit/edit.h"
#include "toolkit/floatanimation.h"
#include "toolkit/image.h"
#include "toolkit/lineseries.h"
#include "toolkit/panel.h"
#include "toolkit/speedbutton.h"
#include "toolkit/tabcontrol.h"
#include "toolkit/tabitem.h"
#include "toolkit/toolbar.h"
#include "toolkit/trackbar.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGraphicsView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

using toolkit::Chart;
using toolkit::LineSeries;

namespace {

constexpr QSize kClientSize(1269, 854);
constexpr int kLayerHeight = 520;
constexpr QSize kTabContent(1269, 490);

// The named colors of the form description.
const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kPaleTurquoise(0xAF, 0xEE, 0xEE);

QWidget *named(const QWidget &root, const QString &name)
{
    const QList<QWidget *> found = root.findChildren<QWidget *>(name);
    return found.size() == 1 ? found.constFirst() : nullptr;
}

template<class T> T *named(const QWidget &root, const QString &name)
{
    return qobject_cast<T *>(named(root, name));
}

bool isKind(const QWidget *w, const QString &kind)
{
    if (kind == "chart"_L1)
        return qobject_cast<const Chart *>(w);
    if (kind == "panel"_L1 || kind == "diagram panel"_L1)
        return qobject_cast<const toolkit::Panel *>(w);
    if (kind == "track bar"_L1)
        return qobject_cast<const toolkit::TrackBar *>(w);
    if (kind == "edit box"_L1)
        return qobject_cast<const toolkit::Edit *>(w);
    if (kind == "label"_L1)
        return qobject_cast<const QLabel *>(w);
    if (kind == "button"_L1)
        return qobject_cast<const QPushButton *>(w);
    if (kind == "tool bar"_L1)
        return qobject_cast<const toolkit::ToolBar *>(w);
    if (kind == "speed button"_L1)
        return qobject_cast<const toolkit::SpeedButton *>(w);
    if (kind == "image"_L1)
        return qobject_cast<const toolkit::Image *>(w);
    return false;
}

// What a control shows: a caption, an edit's text, a chart's title or an image's picture.
QString contentOf(const QWidget *w)
{
    if (const auto *chart = qobject_cast<const Chart *>(w))
        return chart->title();
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (const auto *image = qobject_cast<const toolkit::Image *>(w))
        return image->source();
    return {};
}

Qt::Alignment alignmentOf(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return label->alignment();
    if (const auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->alignment();
    return {};
}

// The widget that actually receives the keyboard focus for @p w.
const QWidget *focusTarget(const QWidget *w)
{
    while (w->focusProxy())
        w = w->focusProxy();
    return w;
}

bool isTabStop(const QWidget *w)
{
    return !w->focusProxy() && (w->focusPolicy() & Qt::TabFocus);
}

// The child of @p parent that holds @p w (or @p w itself), if any.
QWidget *childHolding(const QWidget *parent, QWidget *w)
{
    while (w && w->parentWidget() != parent)
        w = w->parentWidget();
    return w;
}

QList<QWidget *> focusChain(QWidget *root)
{
    QList<QWidget *> chain;
    for (QWidget *w = root->nextInFocusChain(); w && w != root; w = w->nextInFocusChain())
        chain.append(w);
    return chain;
}

QHash<QString, LineSeries *> seriesMembers(const TForm2 &f)
{
    return {{u"signalrco"_s, f.signalrco},
            {u"tensionmoyenne"_s, f.tensionmoyenne},
            {u"tensionmoyenne1"_s, f.tensionmoyenne1},
            {u"signalrco1"_s, f.signalrco1},
            {u"signalrco2"_s, f.signalrco2},
            {u"Series2"_s, f.Series2},
            {u"Series3"_s, f.Series3},
            {u"tr1"_s, f.tr1},
            {u"tr2"_s, f.tr2},
            {u"tr3"_s, f.tr3},
            {u"tr4"_s, f.tr4},
            {u"tr11"_s, f.tr11},
            {u"tr12"_s, f.tr12}};
}

QHash<QString, toolkit::FloatAnimation *> animationMembers(const TForm2 &f)
{
    return {
        {u"animationferme11"_s, f.animationferme11}, {u"animationferme12"_s, f.animationferme12},
        {u"animationferme21"_s, f.animationferme21}, {u"animationferme22"_s, f.animationferme22},
        {u"animationferme31"_s, f.animationferme31}, {u"animationferme32"_s, f.animationferme32},
        {u"animationferme41"_s, f.animationferme41}, {u"animationferme42"_s, f.animationferme42}};
}

void addControl(const char *name, const char *kind, const char *parent, QRect geometry,
                const char *content = "")
{
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind)
                        << QString::fromLatin1(parent) << geometry << QString::fromUtf8(content);
}

// Every diagram panel holds the same three controls.
void addDiagramPanelChildren(int tab)
{
    const QByteArray n = QByteArray::number(tab);
    const QByteArray panel = "ferme" + n;
    const QByteArray toolBar = "ToolBar" + n;
    const QByteArray speedButton = "SpeedButton" + n;
    const QByteArray image = "Image" + n;
    const QByteArray source = ":/diagrams/montage" + n + ".svg";
    addControl(toolBar.constData(), "tool bar", panel.constData(), QRect(0, 0, 400, 46));
    addControl(speedButton.constData(), "speed button", toolBar.constData(), QRect(372, 9, 28, 28),
               "SpeedButton1");
    addControl(image.constData(), "image", panel.constData(), QRect(0, 46, 400, 444),
               source.constData());
}

} // namespace

class tst_Layout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void window();
    void tabs_data();
    void tabs();
    void controls_data();
    void controls();
    void stackingOrder_data();
    void stackingOrder();
    void shownPanelCovers_data();
    void shownPanelCovers();
    void charts_data();
    void charts();
    void zoomRectangleHasNoFill();
    void diagramPictures_data();
    void diagramPictures();
    void slideAnimations_data();
    void slideAnimations();
    void componentNames_data();
    void componentNames();
    void tabOrder_data();
    void tabOrder();
    void everyTabStopIsNamed();
    void styleEntries_data();
    void styleEntries();
    void toolBar1LooksApart();
    void resizing_data();
    void resizing();

private:
    QWidget *control(const QString &name) const { return named(*m_form, name); }

    std::unique_ptr<TForm2> m_form;
};

void tst_Layout::initTestCase()
{
    m_form = std::make_unique<TForm2>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_Layout::cleanupTestCase()
{
    m_form.reset();
}

void tst_Layout::window()
{
    QCOMPARE(m_form->objectName(), u"Form2"_s);
    QCOMPARE(m_form->windowTitle(), u"Programme réalisé par Tavelmont"_s);
    QCOMPARE(m_form->size(), kClientSize);
    QCOMPARE(m_form->palette().color(m_form->backgroundRole()), kPaleTurquoise);
    QVERIFY(m_form->autoFillBackground());

    QWidget *layer = control(u"Layer3D1"_s);
    QVERIFY(layer);
    QCOMPARE(layer->parentWidget(), m_form.get());
    QCOMPARE(layer->geometry(), QRect(0, 0, kClientSize.width(), kLayerHeight));

    auto *tabs = named<toolkit::TabControl>(*m_form, u"TabControl1"_s);
    QVERIFY(tabs);
    // The layer holds the tab control and nothing else.
    QCOMPARE(layer->findChildren<QWidget *>(Qt::FindDirectChildrenOnly), QList<QWidget *> {tabs});
    QCOMPARE(tabs->geometry(), QRect(0, 0, kClientSize.width(), kLayerHeight));
    QCOMPARE(tabs->tabPosition(), QTabWidget::North);
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->currentWidget(), control(u"TabItem1"_s));

    QWidget *view = control(u"vue3D"_s);
    QVERIFY(view);
    QCOMPARE(view->parentWidget(), m_form.get());
    QCOMPARE(view->geometry(),
             QRect(0, kLayerHeight, kClientSize.width(), kClientSize.height() - kLayerHeight));
}

void tst_Layout::tabs_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("header");

    QTest::newRow("TabItem1") << 0 << u"TabItem1"_s << u"Variation vitesse moteur DC"_s
                              << QSize(217, 30);
    QTest::newRow("TabItem2") << 1 << u"TabItem2"_s << u"Modification sens rotation moteur DC"_s
                              << QSize(288, 30);
    QTest::newRow("TabItem3") << 2 << u"TabItem3"_s << u"Moteur pas à pas unipolaire"_s
                              << QSize(219, 30);
    QTest::newRow("TabItem4") << 3 << u"TabItem4"_s << u"Moteur pas à pas bipolaire"_s
                              << QSize(210, 30);
}

void tst_Layout::tabs()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QSize, header);

    auto *tabs = named<toolkit::TabControl>(*m_form, u"TabControl1"_s);
    QVERIFY(tabs);
    auto *item = qobject_cast<toolkit::TabItem *>(tabs->widget(index));
    QVERIFY(item);
    QCOMPARE(item->objectName(), name);
    QCOMPARE(named(*m_form, name), item);
    QCOMPARE(tabs->tabText(index), text);
    QCOMPARE(item->tabWidth(), header.width());
    QCOMPARE(item->tabHeight(), header.height());

    // The headers are drawn at those sizes, left to right along the top edge.
    const QRect rect = tabs->tabHeaderRect(index);
    QCOMPARE(rect.size(), header);
    QCOMPARE(rect.top(), 0);
    if (index > 0)
        QVERIFY(rect.left() > tabs->tabHeaderRect(index - 1).left());

    // A page only takes its size once shown.
    tabs->setCurrentIndex(index);
    QCoreApplication::processEvents();
    QCOMPARE(item->size(), kTabContent);
    tabs->setCurrentIndex(0);
    QCoreApplication::processEvents();
}

void tst_Layout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("content");

    // A diagram panel is a strip along the left of its page, over the page's full height.
    const QRect leftStrip(0, 0, 400, 490);

    addControl("Chart1", "chart", "TabItem1", QRect(48, 26, 769, 271), "Commande transistor");
    addControl("Panel1", "panel", "TabItem1", QRect(880, 90, 233, 167));
    addControl("valeurmoteur", "track bar", "Panel1", QRect(40, 34, 153, 24));
    addControl("Edit1", "edit box", "Panel1", QRect(40, 79, 153, 32), "0");
    addControl("Label1", "label", "Panel1", QRect(24, 120, 193, 33), "Pourcentage vitesse Max");
    addControl("Button1", "button", "TabItem1", QRect(280, 322, 137, 31), "Lancer tracé");
    addControl("Button6", "button", "TabItem1", QRect(944, 322, 113, 31), "Montage");
    addControl("ferme1", "diagram panel", "TabItem1", leftStrip);
    addDiagramPanelChildren(1);

    addControl("Button2", "button", "TabItem2", QRect(288, 330, 137, 31), "Lancer tracé");
    addControl("Chart2", "chart", "TabItem2", QRect(56, 34, 769, 271), "Commande transistors");
    addControl("Panel2", "panel", "TabItem2", QRect(872, 18, 249, 311));
    addControl("valeurmoteur1", "track bar", "Panel2", QRect(48, 34, 153, 24));
    addControl("Edit2", "edit box", "Panel2", QRect(48, 79, 153, 32), "0");
    addControl("Label2", "label", "Panel2", QRect(32, 120, 193, 33), "Pourcentage vitesse Max");
    addControl("Button3", "button", "Panel2", QRect(72, 168, 121, 33), "Sens positif");
    addControl("Button4", "button", "Panel2", QRect(72, 208, 121, 33), "Sens négatif");
    addControl("Edit3", "edit box", "Panel2", QRect(48, 264, 169, 32), "Sélectionner sens");
    addControl("ferme2", "diagram panel", "TabItem2", leftStrip);
    addDiagramPanelChildren(2);
    addControl("Button8", "button", "TabItem2", QRect(944, 362, 113, 31), "Montage");

    addControl("Chart3", "chart", "TabItem3", QRect(32, 2, 769, 118), "bobine1");
    addControl("Panel3", "panel", "TabItem3", QRect(880, 26, 249, 223));
    addControl("valeurmoteur3", "track bar", "Panel3", QRect(40, 34, 153, 24));
    addControl("Edit4", "edit box", "Panel3", QRect(40, 79, 153, 32), "0");
    addControl("Label3", "label", "Panel3", QRect(24, 120, 193, 33), "Pourcentage vitesse Max");
    addControl("Edit6", "edit box", "Panel3", QRect(56, 160, 129, 32), "Angle rotation");
    addControl("Button7", "button", "TabItem3", QRect(936, 298, 137, 31), "Lancer tracé");
    addControl("Chart4", "chart", "TabItem3", QRect(32, 122, 769, 118), "bobine2");
    addControl("Chart5", "chart", "TabItem3", QRect(32, 242, 769, 118), "bobine3");
    addControl("Chart6", "chart", "TabItem3", QRect(32, 362, 769, 118), "bobine4");
    addControl("ferme3", "diagram panel", "TabItem3", leftStrip);
    addDiagramPanelChildren(3);
    addControl("Button9", "button", "TabItem3", QRect(952, 370, 113, 31), "Montage");

    addControl("Button5", "button", "TabItem4", QRect(944, 306, 137, 31), "Lancer tracé");
    addControl("Chart7", "chart", "TabItem4", QRect(40, 42, 769, 200), "bobine1");
    addControl("Chart8", "chart", "TabItem4", QRect(40, 250, 769, 200), "bobine2");
    addControl("Panel4", "panel", "TabItem4", QRect(888, 34, 249, 223));
    addControl("valeurmoteur4", "track bar", "Panel4", QRect(40, 34, 153, 24));
    addControl("Edit5", "edit box", "Panel4", QRect(40, 79, 153, 32), "0");
    addControl("Label4", "label", "Panel4", QRect(24, 120, 193, 33), "Pourcentage vitesse Max");
    addControl("Edit7", "edit box", "Panel4", QRect(56, 160, 129, 32), "Angle rotation");
    addControl("ferme4", "diagram panel", "TabItem4", leftStrip);
    addDiagramPanelChildren(4);
    addControl("Button10", "button", "TabItem4", QRect(960, 378, 113, 31), "Montage");
}

void tst_Layout::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, content);

    QWidget *w = control(name);
    QVERIFY2(w, "missing, or more than one control bears this name");
    QVERIFY2(isKind(w, kind), w->metaObject()->className());
    QVERIFY(w->parentWidget());
    QCOMPARE(w->parentWidget()->objectName(), parent);
    QCOMPARE(w->geometry(), geometry);
    QCOMPARE(contentOf(w), content);
    QCOMPARE(w->isHidden(), kind == "diagram panel"_L1);

    if (kind == "edit box"_L1 || kind == "label"_L1) {
        QCOMPARE(alignmentOf(w) & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignHCenter));
        QCOMPARE(alignmentOf(w) & Qt::AlignVertical_Mask, Qt::Alignment(Qt::AlignVCenter));
    }
    if (kind == "track bar"_L1)
        QCOMPARE(qobject_cast<toolkit::TrackBar *>(w)->frequency(), 10);
    if (kind == "tool bar"_L1)
        QCOMPARE(w->cursor().shape(), Qt::PointingHandCursor);

    const bool takesFocus = kind == "chart"_L1 || kind == "track bar"_L1 || kind == "edit box"_L1
        || kind == "button"_L1 || kind == "speed button"_L1;
    if (takesFocus)
        QVERIFY(focusTarget(w)->focusPolicy() & Qt::TabFocus);
    else
        QVERIFY(!(focusTarget(w)->focusPolicy() & Qt::TabFocus));

    if (takesFocus || !content.isEmpty())
        QVERIFY2(!w->accessibleName().isEmpty() || !contentOf(w).isEmpty(),
                 "neither an accessible name nor a text");
}

void tst_Layout::stackingOrder_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QStringList>("order");

    // The form description's order: a later sibling is drawn over an earlier one.
    QTest::newRow("TabItem1") << u"TabItem1"_s
                              << QStringList {u"Chart1"_s, u"Panel1"_s, u"Button1"_s, u"Button6"_s,
                                              u"ferme1"_s};
    QTest::newRow("Panel1") << u"Panel1"_s
                            << QStringList {u"valeurmoteur"_s, u"Edit1"_s, u"Label1"_s};
    QTest::newRow("TabItem2") << u"TabItem2"_s
                              << QStringList {u"Button2"_s, u"Chart2"_s, u"Panel2"_s, u"ferme2"_s,
                                              u"Button8"_s};
    QTest::newRow("Panel2") << u"Panel2"_s
                            << QStringList {u"valeurmoteur1"_s, u"Edit2"_s,   u"Label2"_s,
                                            u"Button3"_s,       u"Button4"_s, u"Edit3"_s};
    QTest::newRow("TabItem3") << u"TabItem3"_s
                              << QStringList {u"Chart3"_s, u"Panel3"_s, u"Button7"_s, u"Chart4"_s,
                                              u"Chart5"_s, u"Chart6"_s, u"ferme3"_s,  u"Button9"_s};
    QTest::newRow("Panel3") << u"Panel3"_s
                            << QStringList {u"valeurmoteur3"_s, u"Edit4"_s, u"Label3"_s,
                                            u"Edit6"_s};
    QTest::newRow("TabItem4") << u"TabItem4"_s
                              << QStringList {u"Button5"_s, u"Chart7"_s, u"Chart8"_s,
                                              u"Panel4"_s,  u"ferme4"_s, u"Button10"_s};
    QTest::newRow("Panel4") << u"Panel4"_s
                            << QStringList {u"valeurmoteur4"_s, u"Edit5"_s, u"Label4"_s,
                                            u"Edit7"_s};
}

void tst_Layout::stackingOrder()
{
    QFETCH(QString, parent);
    QFETCH(QStringList, order);

    QWidget *p = control(parent);
    QVERIFY(p);
    QStringList drawn;
    for (const QWidget *child : p->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->objectName().isEmpty())
            drawn.append(child->objectName());
    }
    QCOMPARE(drawn, order);
}

void tst_Layout::shownPanelCovers_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("onTop");

    const auto row = [](const char *tag, int tab, QPoint point, const QString &onTop) {
        const QString n = QString::number(tab);
        QTest::newRow(tag) << QString(u"TabItem"_s + n) << QString(u"ferme"_s + n) << point
                           << onTop;
    };
    row("tab 1, launch button under the panel", 1, {300, 337}, u"ferme1"_s);
    row("tab 1, launch button's right end", 1, {410, 337}, u"Button1"_s);
    row("tab 1, left of the chart", 1, {100, 150}, u"ferme1"_s);
    row("tab 1, right of the chart", 1, {600, 150}, u"Chart1"_s);
    row("tab 1, settings panel", 1, {900, 100}, u"Panel1"_s);
    row("tab 1, montage button", 1, {1000, 337}, u"Button6"_s);
    row("tab 2, launch button under the panel", 2, {300, 345}, u"ferme2"_s);
    row("tab 2, launch button's right end", 2, {420, 345}, u"Button2"_s);
    row("tab 2, settings panel", 2, {900, 100}, u"Panel2"_s);
    row("tab 2, montage button", 2, {1000, 377}, u"Button8"_s);
    row("tab 3, lowest chart", 3, {100, 400}, u"ferme3"_s);
    row("tab 3, launch button", 3, {1000, 313}, u"Button7"_s);
    row("tab 3, montage button", 3, {1000, 385}, u"Button9"_s);
    row("tab 4, upper chart", 4, {100, 100}, u"ferme4"_s);
    row("tab 4, launch button", 4, {1000, 321}, u"Button5"_s);
    row("tab 4, montage button", 4, {1000, 393}, u"Button10"_s);
}

void tst_Layout::shownPanelCovers()
{
    QFETCH(QString, tab);
    QFETCH(QString, panel);
    QFETCH(QPoint, point);
    QFETCH(QString, onTop);

    QWidget *page = control(tab);
    QWidget *diagram = control(panel);
    QVERIFY(page && diagram);
    diagram->setVisible(true);
    QWidget *hit = childHolding(page, page->childAt(point));
    diagram->setVisible(false);
    QVERIFY(hit);
    QCOMPARE(hit->objectName(), onTop);
}

void tst_Layout::charts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<double>("bottomMin");
    QTest::addColumn<double>("bottomMax");
    QTest::addColumn<double>("leftMin");
    QTest::addColumn<double>("leftMax");
    QTest::addColumn<toolkit::SeriesPalette>("palette");
    QTest::addColumn<QStringList>("series");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<QColor>>("colors"); // an invalid color: automatic
    QTest::addColumn<QStringList>("ascending");

    const QColor automatic;
    const QString rco1 = u"Signal RCO Tr1"_s;
    const auto classic = toolkit::SeriesPalette::Classic;
    const auto modern = toolkit::SeriesPalette::Modern;

    QTest::newRow("Chart1") << u"Chart1"_s << u"Commande transistor"_s << 0.0 << 100.0 << 0.0
                            << 14.0 << classic << QStringList {u"signalrco"_s, u"tensionmoyenne"_s}
                            << QStringList {u"Alimentation transistor"_s, u"Tension moyenne"_s}
                            << QList<QColor> {automatic, automatic} << QStringList {};
    QTest::newRow("Chart2") << u"Chart2"_s << u"Commande transistors"_s << 0.0 << 100.0 << -14.0
                            << 14.0 << classic
                            << QStringList {u"tensionmoyenne1"_s, u"signalrco1"_s, u"signalrco2"_s,
                                            u"Series2"_s, u"Series3"_s}
                            << QStringList {u"Tension moyenne"_s, rco1, u"Signal RCO Tr2"_s,
                                            u"Signal RCO Tr3"_s, u"Signal RCO Tr4"_s}
                            << QList<QColor> {automatic, automatic, kBlue, kGreen, kBlue}
                            << QStringList {u"signalrco2"_s, u"Series2"_s, u"Series3"_s};
    QTest::newRow("Chart3") << u"Chart3"_s << u"bobine1"_s << 0.0 << 100.0 << 0.0 << 7.0 << modern
                            << QStringList {u"tr1"_s} << QStringList {rco1}
                            << QList<QColor> {kYellow} << QStringList {};
    QTest::newRow("Chart4") << u"Chart4"_s << u"bobine2"_s << 0.0 << 100.0 << 0.0 << 7.0 << classic
                            << QStringList {u"tr2"_s} << QStringList {rco1}
                            << QList<QColor> {automatic} << QStringList {};
    QTest::newRow("Chart5") << u"Chart5"_s << u"bobine3"_s << 0.0 << 100.0 << 0.0 << 7.0 << classic
                            << QStringList {u"tr3"_s} << QStringList {rco1}
                            << QList<QColor> {kGreen} << QStringList {};
    QTest::newRow("Chart6") << u"Chart6"_s << u"bobine4"_s << 0.0 << 100.0 << 0.0 << 7.0 << classic
                            << QStringList {u"tr4"_s} << QStringList {rco1} << QList<QColor> {kBlue}
                            << QStringList {};
    QTest::newRow("Chart7") << u"Chart7"_s << u"bobine1"_s << 0.0 << 100.0 << -6.0 << 6.0 << modern
                            << QStringList {u"tr11"_s} << QStringList {rco1}
                            << QList<QColor> {kYellow} << QStringList {};
    QTest::newRow("Chart8") << u"Chart8"_s << u"bobine2"_s << 0.0 << 100.0 << -6.0 << 6.0 << classic
                            << QStringList {u"tr12"_s} << QStringList {rco1}
                            << QList<QColor> {automatic} << QStringList {};
}

void tst_Layout::charts()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(double, bottomMin);
    QFETCH(double, bottomMax);
    QFETCH(double, leftMin);
    QFETCH(double, leftMax);
    QFETCH(toolkit::SeriesPalette, palette);
    QFETCH(QStringList, series);
    QFETCH(QStringList, titles);
    QFETCH(QList<QColor>, colors);
    QFETCH(QStringList, ascending);

    auto *chart = named<Chart>(*m_form, name);
    QVERIFY(chart);
    QCOMPARE(chart->title(), title);
    QCOMPARE(chart->backgroundColor(), kAqua);
    QCOMPARE(chart->seriesPalette(), palette);

    const Chart::Range bottom {bottomMin, bottomMax};
    const Chart::Range left {leftMin, leftMax};
    QCOMPARE(chart->fixedBottomRange(), bottom);
    QCOMPARE(chart->fixedLeftRange(), left);
    QCOMPARE(chart->bottomRange(), bottom);
    QCOMPARE(chart->leftRange(), left);

    // Only a zoom changes what the axes show, and it gives the fixed ranges back.
    chart->zoomTo(QRectF(QPointF(10, 1), QPointF(30, 3)));
    QCOMPARE(chart->bottomRange(), (Chart::Range {10, 30}));
    QCOMPARE(chart->leftRange(), (Chart::Range {1, 3}));
    chart->resetZoom();
    QCOMPARE(chart->bottomRange(), bottom);
    QCOMPARE(chart->leftRange(), left);

    const QList<LineSeries *> held = chart->series();
    QCOMPARE(held.size(), series.size());
    const QHash<QString, LineSeries *> members = seriesMembers(*m_form);
    QList<QColor> automaticColors;
    for (qsizetype i = 0; i < held.size(); ++i) {
        const LineSeries *s = held.at(i);
        QCOMPARE(s->objectName(), series.at(i));
        QCOMPARE(s, members.value(series.at(i)));
        QCOMPARE(s->title(), titles.at(i));
        QCOMPARE(s->xOrder() == LineSeries::XOrder::Ascending, ascending.contains(series.at(i)));
        if (colors.at(i).isValid()) {
            QCOMPARE(s->color(), colors.at(i));
        } else {
            QVERIFY2(!automaticColors.contains(s->color()), "automatic color taken twice");
            QVERIFY2(s->color() != kAqua, "automatic color lost on the background");
            automaticColors.append(s->color());
        }
    }

    // The axes never follow the data.
    held.constFirst()->AddXY(150.0, 2.0 * leftMax);
    QCoreApplication::processEvents();
    QCOMPARE(chart->bottomRange(), bottom);
    QCOMPARE(chart->leftRange(), left);
    held.constFirst()->Clear();
}

// The rectangle dragged for a zoom is an outline: what lies inside it stays visible.
void tst_Layout::zoomRectangleHasNoFill()
{
    auto *chart = named<Chart>(*m_form, u"Chart1"_s);
    QVERIFY(chart);
    auto *view = chart->findChild<QGraphicsView *>();
    QVERIFY(view);
    QWidget *viewport = view->viewport();
    const QPoint from(200, 80);
    const QPoint to(500, 200);
    const QPoint inside(350, 140);
    const QPoint onEdge(350, from.y());

    const QImage before = view->grab().toImage();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), viewport->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    const QImage during = view->grab().toImage();
    // Released where it started: a click, which changes no range.
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, from);

    QCOMPARE(during.pixelColor(inside), before.pixelColor(inside));
    QVERIFY(during.pixelColor(onEdge) != before.pixelColor(onEdge));
    QCOMPARE(chart->bottomRange(), chart->fixedBottomRange());
}

void tst_Layout::diagramPictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("picture");

    QTest::newRow("Image1") << u"Image1"_s << QSize(474, 575);
    QTest::newRow("Image2") << u"Image2"_s << QSize(693, 473);
    QTest::newRow("Image3") << u"Image3"_s << QSize(510, 565);
    QTest::newRow("Image4") << u"Image4"_s << QSize(555, 813);
}

void tst_Layout::diagramPictures()
{
    QFETCH(QString, name);
    QFETCH(QSize, picture);

    auto *image = named<toolkit::Image>(*m_form, name);
    QVERIFY(image);
    QCOMPARE(image->pictureSize(), picture);

    // Larger than its area in every case: scaled down to fit, proportions kept.
    const QRect shown = image->pictureRect();
    QVERIFY(image->rect().contains(shown));
    QVERIFY(shown.width() == image->width() || shown.height() == image->height());
    const double ratio = double(picture.width()) / picture.height();
    QVERIFY(qAbs(double(shown.width()) / shown.height() - ratio) < 0.01);
}

void tst_Layout::slideAnimations_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<float>("start");
    QTest::addColumn<float>("stop");

    for (int tab = 1; tab <= 4; ++tab) {
        const QString n = QString::number(tab);
        const QString panel = u"ferme"_s + n;
        const QString in = u"animationferme"_s + n + u'1';
        const QString out = u"animationferme"_s + n + u'2';
        QTest::newRow(qPrintable(in)) << in << panel << -400.0f << 0.0f;
        QTest::newRow(qPrintable(out)) << out << panel << 0.0f << -400.0f;
    }
}

void tst_Layout::slideAnimations()
{
    QFETCH(QString, name);
    QFETCH(QString, panel);
    QFETCH(float, start);
    QFETCH(float, stop);

    const toolkit::FloatAnimation *animation = animationMembers(*m_form).value(name);
    QVERIFY(animation);
    QCOMPARE(animation->parent(), control(panel));
    QCOMPARE(animation->propertyName(), u"Position.X"_s);
    QCOMPARE(animation->startValue(), start);
    QCOMPARE(animation->stopValue(), stop);
    QCOMPARE(animation->duration(), 1.0f);
    QVERIFY(!animation->loop());
    QVERIFY(!animation->enabled());
}

void tst_Layout::componentNames_data()
{
    QTest::addColumn<QString>("name");

    QStringList names = seriesMembers(*m_form).keys() + animationMembers(*m_form).keys();
    names.sort();
    for (const QString &name : std::as_const(names))
        QTest::newRow(qPrintable(name)) << name;
}

// Series and animations are components like the controls: found by the name they bear.
void tst_Layout::componentNames()
{
    QFETCH(QString, name);

    QObject *member = seriesMembers(*m_form).value(name);
    if (!member)
        member = animationMembers(*m_form).value(name);
    QVERIFY(member);
    QCOMPARE(member->objectName(), name);
    QCOMPARE(m_form->findChildren<QObject *>(name), QList<QObject *> {member});
}

void tst_Layout::tabOrder_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QStringList>("order");

    // Sorted by tab-order number.
    QTest::newRow("TabItem1") << u"TabItem1"_s
                              << QStringList {u"Chart1"_s, u"Panel1"_s, u"Button1"_s, u"Button6"_s,
                                              u"ferme1"_s};
    QTest::newRow("Panel1") << u"Panel1"_s << QStringList {u"valeurmoteur"_s, u"Edit1"_s};
    QTest::newRow("TabItem2") << u"TabItem2"_s
                              << QStringList {u"Chart2"_s, u"Panel2"_s, u"Button2"_s, u"Button8"_s,
                                              u"ferme2"_s};
    QTest::newRow("Panel2") << u"Panel2"_s
                            << QStringList {u"valeurmoteur1"_s, u"Edit2"_s, u"Button3"_s,
                                            u"Button4"_s, u"Edit3"_s};
    QTest::newRow("TabItem3") << u"TabItem3"_s
                              << QStringList {u"Chart6"_s, u"Chart5"_s, u"Chart3"_s,  u"Button9"_s,
                                              u"Panel3"_s, u"ferme3"_s, u"Button7"_s, u"Chart4"_s};
    QTest::newRow("Panel3") << u"Panel3"_s
                            << QStringList {u"valeurmoteur3"_s, u"Edit4"_s, u"Edit6"_s};
    QTest::newRow("TabItem4") << u"TabItem4"_s
                              << QStringList {u"Chart7"_s,  u"Button10"_s, u"Panel4"_s,
                                              u"Button5"_s, u"ferme4"_s,   u"Chart8"_s};
    QTest::newRow("Panel4") << u"Panel4"_s
                            << QStringList {u"valeurmoteur4"_s, u"Edit5"_s, u"Edit7"_s};
    for (int tab = 1; tab <= 4; ++tab) {
        const QString n = QString::number(tab);
        const QString panel = u"ferme"_s + n;
        const QString toolBar = u"ToolBar"_s + n;
        const QString button = u"SpeedButton"_s + n;
        QTest::newRow(qPrintable(panel)) << panel << QStringList {toolBar};
        QTest::newRow(qPrintable(toolBar)) << toolBar << QStringList {button};
    }
}

// Every child that Tab can reach, in the order Tab reaches it; a container counts where its
// first tab stop is.
void tst_Layout::tabOrder()
{
    QFETCH(QString, parent);
    QFETCH(QStringList, order);

    QWidget *p = control(parent);
    QVERIFY(p);
    QStringList reached;
    for (QWidget *w : focusChain(m_form.get())) {
        if (!isTabStop(w))
            continue;
        const QWidget *child = childHolding(p, w);
        if (child && !reached.contains(child->objectName()))
            reached.append(child->objectName());
    }
    QCOMPARE(reached, order);
}

// Whatever Tab lands on must tell a screen reader what it is: by its own name or text, or
// through the control it receives the focus for.
void tst_Layout::everyTabStopIsNamed()
{
    const auto isNamed = [](const QWidget *w) {
        if (!w->accessibleName().isEmpty() || !contentOf(w).isEmpty())
            return true;
        const QAccessibleInterface *face =
            QAccessible::queryAccessibleInterface(const_cast<QWidget *>(w));
        return face && !face->text(QAccessible::Name).isEmpty();
    };
    QStringList unnamed;
    for (QWidget *w : focusChain(m_form.get())) {
        if (!isTabStop(w) || isNamed(w))
            continue;
        const QWidget *parent = w->parentWidget();
        if (parent && parent->focusProxy() == w && isNamed(parent))
            continue;
        QString path = QString::fromLatin1(w->metaObject()->className());
        while (parent && parent->objectName().isEmpty())
            parent = parent->parentWidget();
        if (parent)
            path += u" in "_s + parent->objectName();
        unnamed.append(path);
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", "_s)));
}

void tst_Layout::styleEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("entry");

    QTest::newRow("Layer3D1") << u"Layer3D1"_s << u"backgroundstyle"_s;
    QTest::newRow("ToolBar1") << u"ToolBar1"_s << u"toolbarstyle"_s;
    QTest::newRow("ToolBar2") << u"ToolBar2"_s << QString();
    QTest::newRow("ToolBar3") << u"ToolBar3"_s << QString();
    QTest::newRow("ToolBar4") << u"ToolBar4"_s << QString();
    for (int tab = 1; tab <= 4; ++tab) {
        const QString button = u"SpeedButton"_s + QString::number(tab);
        QTest::newRow(qPrintable(button)) << button << u"cleareditbutton"_s;
    }
}

void tst_Layout::styleEntries()
{
    QFETCH(QString, name);
    QFETCH(QString, entry);

    const QWidget *w = control(name);
    QVERIFY(w);
    QCOMPARE(w->property("styleClass").toString(), entry);
}

// The one tool bar with a style entry of its own must not look like the others.
void tst_Layout::toolBar1LooksApart()
{
    QWidget *first = control(u"ToolBar1"_s);
    QWidget *second = control(u"ToolBar2"_s);
    QVERIFY(first && second);
    const QPoint middle(200, 23);
    QVERIFY(first->grab().toImage().pixelColor(middle)
            != second->grab().toImage().pixelColor(middle));
}

void tst_Layout::resizing_data()
{
    QTest::addColumn<QSize>("size");

    QTest::newRow("larger") << QSize(1500, 900);
    QTest::newRow("smaller") << QSize(1100, 700);
    QTest::newRow("stored") << kClientSize;
}

// The layer keeps its height and follows the width; the 3D area takes the rest; the controls
// stay where they were put.
void tst_Layout::resizing()
{
    QFETCH(QSize, size);

    TForm2 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resize(size);
    QTRY_COMPARE(form.size(), size);
    QCoreApplication::processEvents();

    QCOMPARE(named(form, u"Layer3D1"_s)->geometry(), QRect(0, 0, size.width(), kLayerHeight));
    QCOMPARE(named(form, u"TabControl1"_s)->size(), QSize(size.width(), kLayerHeight));
    QCOMPARE(named(form, u"TabItem1"_s)->size(), QSize(size.width(), kTabContent.height()));
    QCOMPARE(named(form, u"vue3D"_s)->geometry(),
             QRect(0, kLayerHeight, size.width(), size.height() - kLayerHeight));
    QCOMPARE(named(form, u"Panel1"_s)->geometry(), QRect(880, 90, 233, 167));
    QCOMPARE(named(form, u"Button6"_s)->geometry(), QRect(944, 322, 113, 31));
    QCOMPARE(named(form, u"Chart1"_s)->geometry(), QRect(48, 26, 769, 271));
    QCOMPARE(named(form, u"ferme1"_s)->geometry(), QRect(0, 0, 400, 490));
}

QTEST_MAIN(tst_Layout)
#include "tst_layout.moc"
