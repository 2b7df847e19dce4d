// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform2.h"

#include "app/layout/style.h"
#include "app/motorreadouts.h"

#include "scene/sceneview.h"

#include "toolkit/handlerbinding.h"
#include "toolkit/lessoncontrols.h"
#include "toolkit/scaledview.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

TForm2 *Form2 = nullptr;

namespace {
// The window and its tab area as laid out, before any scaling.
constexpr QSize kNaturalSize(1269, 854);
constexpr QSize kTabAreaSize(1269, 520);
} // namespace

TForm2::TForm2(QWidget *parent) : QWidget(parent), m_pause(&m_lesson)
{
    setupUi(this);
    auto *sceneLayout = new QVBoxLayout(vue3D);
    sceneLayout->setContentsMargins(0, 0, 0, 0);
    m_sceneView = new scene::SceneView(vue3D);
    sceneLayout->addWidget(m_sceneView);
    setupScene(*m_sceneView, m_lesson);
    static_cast<Form2Series &>(*this) = layoutCharts(*this);
    static_cast<Form2PanelSlides &>(*this) = layoutDiagramPanels(*this);
    followMotorOnReadouts(*shaftPicture, {Image1, Image2}, *rotor1, {Image3, Image4});
    applyWindowStyle(*this);
    setUpLessonControls();
    setUpScaling();
    bindHandlers();
    Form3DCreate(this);
}

TForm2::~TForm2() = default;

void TForm2::setUpScaling()
{
    // Qt's own scaling cannot do this: it is fixed when the program starts, and widgets are never
    // painted smaller than their units. The tabs are drawn through a scaled view instead; the 3D
    // view, a native window that cannot be drawn that way, takes the rest of the window and
    // draws at its own size.
    m_tabArea = new toolkit::ScaledView(Layer3D1, kTabAreaSize);
    m_tabArea->setAccessibleName(tr("Onglets de simulation"));
    // The window may be made smaller than its controls' own minimum: it then scales them down.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);

    auto *fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this,
            [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
    m_leaveFullScreen = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_leaveFullScreen->setEnabled(false);
    connect(m_leaveFullScreen, &QShortcut::activated, this,
            [this] { setWindowState(windowState() & ~Qt::WindowFullScreen); });
}

void TForm2::setUpLessonControls()
{
    // In the tab headers' corner it is drawn, scaled and clicked with the tabs, on every tab,
    // and no diagram panel (which lies below the headers) covers it.
    m_lessonControls = new toolkit::LessonControls(m_pause, TabControl1);
    TabControl1->setCornerWidget(m_lessonControls, Qt::TopRightCorner);
    m_lessonControls->installKeys(this);
}

qreal TForm2::contentFactor() const
{
    return m_tabArea->factor();
}

void TForm2::scaleContent(qreal factor)
{
    // The tab area goes into its view first, so that the window can become smaller than the
    // tabs' own minimum.
    m_tabArea->setFactor(factor);
    resize(int(kNaturalSize.width() * factor), int(kNaturalSize.height() * factor));
}

void TForm2::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_tabArea)
        m_tabArea->setFactor(std::min(qreal(width()) / kNaturalSize.width(),
                                      qreal(height()) / kNaturalSize.height()));
}

void TForm2::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        m_leaveFullScreen->setEnabled(isFullScreen());
}

void TForm2::bindHandlers()
{
    using toolkit::bindHandler;
    using toolkit::TrackBar;

    bindHandler(valeurmoteur, &TrackBar::changed, this, &TForm2::valeurmoteurChange);
    bindHandler(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);

    bindHandler(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    bindHandler(Button4, &QPushButton::clicked, this, &TForm2::Button4Click);
    bindHandler(valeurmoteur1, &TrackBar::changed, this, &TForm2::valeurmoteur1Change);
    bindHandler(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);

    bindHandler(valeurmoteur3, &TrackBar::changed, this, &TForm2::valeurmoteur3Change);
    bindHandler(Button7, &QPushButton::clicked, this, &TForm2::Button7Click);

    bindHandler(valeurmoteur4, &TrackBar::changed, this, &TForm2::valeurmoteur4Change);
    bindHandler(Button5, &QPushButton::clicked, this, &TForm2::Button5Click);

    bindHandler(TabControl1, TabItem1, this, &TForm2::TabItem1Click);
    bindHandler(TabControl1, TabItem2, this, &TForm2::TabItem2Click);
    bindHandler(TabControl1, TabItem3, this, &TForm2::TabItem3Click);
    bindHandler(TabControl1, TabItem4, this, &TForm2::TabItem4Click);

    bindHandler(Button6, &QPushButton::clicked, this, &TForm2::Button6Click);
    bindHandler(Button8, &QPushButton::clicked, this, &TForm2::Button8Click);
    bindHandler(Button9, &QPushButton::clicked, this, &TForm2::Button9Click);
    bindHandler(Button10, &QPushButton::clicked, this, &TForm2::Button10Click);
    bindHandler(SpeedButton1, &QToolButton::clicked, this, &TForm2::SpeedButton1Click);
    bindHandler(SpeedButton2, &QToolButton::clicked, this, &TForm2::SpeedButton2Click);
    bindHandler(SpeedButton3, &QToolButton::clicked, this, &TForm2::SpeedButton3Click);
    bindHandler(SpeedButton4, &QToolButton::clicked, this, &TForm2::SpeedButton4Click);
}

void TForm2::closeEvent(QCloseEvent *event)
{
    // Traces may be paused on the stack, each in an event loop of its own: make every pause
    // return at once so that they unwind, and end the application's loop once they have (a
    // quit posted now would be swallowed by the innermost loop).
    m_pause.stopAll();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    event->accept();
}

void TForm2::Form3DCreate(QObject *)
{
    ferme1->setVisible(false);
    ferme2->setVisible(false);
    ferme3->setVisible(false);
    ferme4->setVisible(false);
    sens = 0;
    scene::setUpSceneAtCreation(*this);
}
