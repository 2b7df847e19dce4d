// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui_form2.h"

#include "app/layout/charts.h"
#include "app/layout/diagrampanels.h"

#include "scene/form2scene.h"

#include "toolkit/floatanimation.h"
#include "toolkit/lessonclock.h"
#include "toolkit/lineseries.h"
#include "toolkit/livepause.h"

#include <QWidget>

#include <cstdint>

class QShortcut;

namespace scene {
class SceneView;
}

namespace toolkit {
class LessonControls;
class ScaledView;
} // namespace toolkit

/// The main window: four simulation tabs over the 3D view of the motor.
///
/// Every component of the window is a public member named after it: the controls of the form
/// description (layout/form2.ui), the charts' series and the panels' slides (layout/), the 3D
/// objects, materials and their animations (the scene). The handlers are bound to their
/// controls' events in the constructor, which ends with the creation handler Form3DCreate().
class TForm2 : public QWidget,
               public Ui::Form2Layout,
               public Form2Series,
               public Form2PanelSlides,
               public scene::Form2Scene
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

    /// The pause between the points of a trace; closing the window stops it.
    toolkit::LivePause &pause() { return m_pause; }

    /// The lesson's time: held, stepped and slowed by the teacher; the traces and the shaft run
    /// on it.
    toolkit::LessonClock &lesson() { return m_lesson; }

    /// The 3D view below the tabs.
    scene::SceneView *sceneView() const { return m_sceneView; }

    /// Shrinks the window by @p factor (below 1) for a screen too small for it, everything in
    /// it in proportion; the controls keep their geometry in the window's own units.
    void scaleContent(qreal factor);

    /// The factor at which the tabs are drawn: the largest at which they fit the window, below
    /// 1 in a window smaller than the natural one, above 1 in a larger one.
    qreal contentFactor() const;

    /// Pause, one step and the pace of the lesson, at the right of the tab headers.
    toolkit::LessonControls *lessonControls() const { return m_lessonControls; }

    /// The view through which the tabs are drawn when the window is not at its natural size.
    toolkit::ScaledView *tabArea() const { return m_tabArea; }

    // Creation.
    void Form3DCreate(QObject *sender);

    // Tab 1: DC motor speed by PWM.
    void valeurmoteurChange(QObject *sender);
    void Button1Click(QObject *sender);

    // Tab 2: DC motor direction by H-bridge.
    void Button3Click(QObject *sender);
    void Button4Click(QObject *sender);
    void valeurmoteur1Change(QObject *sender);
    void Button2Click(QObject *sender);

    // Tab 3: unipolar stepper.
    void valeurmoteur3Change(QObject *sender);
    void Button7Click(QObject *sender);

    // Tab 4: bipolar stepper.
    void valeurmoteur4Change(QObject *sender);
    void Button5Click(QObject *sender);

    // Tab switching.
    void TabItem1Click(QObject *sender);
    void TabItem2Click(QObject *sender);
    void TabItem3Click(QObject *sender);
    void TabItem4Click(QObject *sender);

    // Circuit-diagram panels: "Montage" slides a panel in, its close button slides it out.
    void Button6Click(QObject *sender);
    void Button8Click(QObject *sender);
    void Button9Click(QObject *sender);
    void Button10Click(QObject *sender);
    void SpeedButton1Click(QObject *sender);
    void SpeedButton2Click(QObject *sender);
    void SpeedButton3Click(QObject *sender);
    void SpeedButton4Click(QObject *sender);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void bindHandlers();
    /// The tabs follow the window's size; F11 toggles full screen, Escape leaves it.
    void setUpScaling();
    /// The teacher's hold on the lesson's time, in the free end of the tab headers and on keys.
    void setUpLessonControls();

    // The steps that two tab handlers share, in the order both run them.
    void slideToDcView();
    void leaveForStepperView();

    // State shared between the handlers of the four tabs.
    std::int32_t vitessemoteur = 0; // tab 1 percentage, truncated
    std::int32_t vitessemoteur1 = 0; // tab 2 percentage, truncated
    float lenteurmoteur3 = 0.0f; // tab 3: 100 - vitessemoteur3; 0 blocks the trace
    float vitessemoteur3 = 0.0f; // tab 3 percentage
    float vitessemoteur4 = 0.0f; // tab 4 percentage
    float lenteurmoteur4 = 0.0f; // tab 4: 100 - vitessemoteur4; 0 blocks the trace
    std::int32_t sens = 0; // tab 2 direction: 0 none, 1 positive, 2 negative
    double tension = 0.0; // supply level of the last trace of tabs 2 to 4

    toolkit::LessonClock m_lesson;
    toolkit::LivePause m_pause;
    scene::SceneView *m_sceneView = nullptr;
    toolkit::ScaledView *m_tabArea = nullptr;
    toolkit::LessonControls *m_lessonControls = nullptr;
    QShortcut *m_leaveFullScreen = nullptr;
};

/// The one main window, from its creation at start-up until the program ends.
extern TForm2 *Form2;
