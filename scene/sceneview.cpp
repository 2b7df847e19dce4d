// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/sceneview.h"

#include "scene/material.h"
#include "scene/meshgeometry.h"
#include "scene/model3d.h"
#include "scene/shaftpicture.h"
#include "scene/stillsmoothing.h"

#include "toolkit/exception.h"

#include <QEvent>
#include <QLabel>
#include <QQmlEngine>
#include <QQuick3D>
#include <QQuickItem>
#include <QQuickView>
#include <QVBoxLayout>

// The scene's types are registered with the engine when their module is imported, by a
// function that nothing else refers to; this library is static, so without a reference the
// linker would leave the registration out of the program.
void qml_register_types_Simumoteurs_Scene();

namespace scene {

namespace {

const QString kFormPrefix = QStringLiteral("Form2.");

} // namespace

SceneView::SceneView(QWidget *parent)
    : QWidget(parent)
    , m_view(new QQuickView)
    , m_container(QWidget::createWindowContainer(m_view, this))
    , m_smoothing(new StillSmoothing(this))
    , m_shaftPicture(new ShaftPicture(m_view, this))
{
    [[maybe_unused]] volatile auto registration = &qml_register_types_Simumoteurs_Scene;

    m_view->setFormat(QQuick3D::idealSurfaceFormat(0));
    showWindowBackground();
    m_view->setResizeMode(QQuickView::SizeRootObjectToView);
    connect(m_view, &QQuickWindow::frameSwapped, this, [this] { ++m_frames; });
    // Without OpenGL the view fails when it is first shown; left unhandled, that failure ends
    // the program. The rest of the window does not need the 3D view.
    connect(m_view, &QQuickWindow::sceneGraphError, this, &SceneView::showUnavailable);

    m_container->setObjectName(QStringLiteral("sceneContainer"));
    m_container->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_container);

    loadScene();

    // Qt Quick falls back to its software renderer where the platform has no OpenGL at all;
    // that renderer draws no 3D.
    if (QQuickWindow::sceneGraphBackend() == QLatin1String("software"))
        showUnavailable();
}

SceneView::~SceneView() = default;

void SceneView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange)
        showWindowBackground();
}

void SceneView::showWindowBackground()
{
    // The window's own palette: the style sheet gives the widgets inside it palettes of their
    // own.
    m_view->setColor(window()->palette().color(QPalette::Window));
}

void SceneView::showUnavailable()
{
    m_available = false;
    if (m_unavailable)
        return;
    m_container->hide();
    m_unavailable = new QLabel(
        tr("La vue 3D nécessite OpenGL, qui n'est pas disponible sur cette machine."), this);
    m_unavailable->setObjectName(QStringLiteral("sceneUnavailable"));
    m_unavailable->setAlignment(Qt::AlignCenter);
    m_unavailable->setWordWrap(true);
    layout()->addWidget(m_unavailable);
    m_unavailable->show();
}

void SceneView::loadScene()
{
    // Where the program carries its QML modules.
    m_view->engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
    m_view->setInitialProperties(
        {{QStringLiteral("stillSmoothing"), QVariant::fromValue(m_smoothing)},
         {QStringLiteral("shaftPicture"), QVariant::fromValue(m_shaftPicture)}});
    m_view->setSource(QUrl(QStringLiteral("qrc:/qt/qml/Simumoteurs/Scene/Scene.qml")));
    if (m_view->status() != QQuickView::Ready) {
        QStringList messages;
        for (const QQmlError &error : m_view->errors())
            messages << error.toString();
        throw toolkit::Exception(tr("Scène 3D illisible : %1").arg(messages.join(u'\n')));
    }
    QObject *root = m_view->rootObject();

    for (Material *material : root->findChildren<Material *>())
        m_materials.insert(material->objectName(), material);
    const QList<Object3D *> objects = root->findChildren<Object3D *>();
    for (Object3D *object : objects) {
        m_objects.insert(object->objectName(), object);
        auto *model = qobject_cast<Model3D *>(object);
        if (!model)
            continue;
        MeshGeometry *geometry = model->geometry();
        if (!geometry)
            continue;
        if (!geometry->errorString().isEmpty())
            throw toolkit::Exception(geometry->errorString());
        // A sub-mesh is first drawn with the material its stored geometry names, when that is
        // one of this window's.
        QList<Material *> stored;
        for (const QString &name : geometry->storedMaterials())
            stored.append(name.startsWith(kFormPrefix) ? material(name.mid(kFormPrefix.size()))
                                                       : nullptr);
        model->createMeshes(stored);
    }
    m_smoothing->watch(objects);
}

Object3D *SceneView::object(const QString &name) const
{
    return m_objects.value(name);
}

Model3D *SceneView::model(const QString &name) const
{
    return qobject_cast<Model3D *>(m_objects.value(name));
}

Material *SceneView::material(const QString &name) const
{
    return m_materials.value(name);
}

} // namespace scene
