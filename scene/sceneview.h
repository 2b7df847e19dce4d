// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QWidget>

class QLabel;
class QQuickView;

namespace scene {

class Material;
class Model3D;
class Object3D;
class ShaftPicture;
class StillSmoothing;

/// The window's 3D view: the scene description Scene.qml, drawn by Qt Quick 3D in a window of
/// its own embedded below the tabs. Creating it reads every model's stored geometry; it offers
/// the scene's named objects and materials by name.
///
/// The scene is drawn only when something in it changes, so a still scene costs no CPU.
///
/// On a machine that cannot draw it (no OpenGL), the view shows a short message in its place;
/// the scene's objects are there all the same and keep every value written to them.
class SceneView : public QWidget
{
    Q_OBJECT

public:
    /// Throws toolkit::Exception when the scene or a model file cannot be loaded.
    explicit SceneView(QWidget *parent = nullptr);
    ~SceneView() override;

    Object3D *object(const QString &name) const;
    Model3D *model(const QString &name) const;
    Material *material(const QString &name) const;

    /// How the DC motor's shaft is drawn.
    ShaftPicture *shaftPicture() const { return m_shaftPicture; }

    /// The embedded window that draws the scene (for screenshots and tests).
    QQuickView *quickView() const { return m_view; }

    /// Frames drawn since the view was created.
    quint64 frameCount() const { return m_frames; }

    /// False once it is known that this machine cannot draw the scene.
    bool isAvailable() const { return m_available; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void loadScene();
    /// The scene is seen against the background of the window it is in.
    void showWindowBackground();
    void showUnavailable();

    QQuickView *m_view;
    QWidget *m_container;
    StillSmoothing *m_smoothing;
    ShaftPicture *m_shaftPicture;
    QLabel *m_unavailable = nullptr;
    bool m_available = true;
    QHash<QString, Object3D *> m_objects;
    QHash<QString, Material *> m_materials;
    quint64 m_frames = 0;
};

} // namespace scene
