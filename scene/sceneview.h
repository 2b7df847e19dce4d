// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QWidget>

class QQuickView;

namespace scene {

class Material;
class Model3D;
class Object3D;

/// The window's 3D view: the scene of qml/Scene.qml, drawn by Qt Quick 3D in a window of its
/// own embedded below the tabs. It loads every model's stored geometry when it is created and
/// offers handles on the scene's named objects and materials.
///
/// The scene is drawn only when something in it changes, so a still scene costs no CPU.
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

    /// The embedded window that draws the scene (for screenshots and tests).
    QQuickView *quickView() const { return m_view; }

    /// Frames drawn since the view was created.
    quint64 frameCount() const { return m_frames; }

private:
    void loadScene();
    void loadModel(QObject *node, QObject *root);

    QQuickView *m_view;
    QHash<QString, Object3D *> m_objects;
    QHash<QString, Material *> m_materials;
    quint64 m_frames = 0;
};

} // namespace scene
