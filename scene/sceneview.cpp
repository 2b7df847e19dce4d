// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/sceneview.h"

#include "scene/material.h"
#include "scene/mesh.h"
#include "scene/meshgeometry.h"
#include "scene/model3d.h"
#include "scene/modelplacement.h"
#include "scene/stillsmoothing.h"
#include "scene/storage/meshreader.h"
#include "scene/storage/storageerror.h"

#include "toolkit/exception.h"

#include <QFile>
#include <QLabel>
#include <QQmlEngine>
#include <QQuick3D>
#include <QQuickItem>
#include <QQuickView>
#include <QVBoxLayout>

#include <span>

namespace scene {

namespace {

const QColor kPaleTurquoise(0xAF, 0xEE, 0xEE);
const QString kFormPrefix = QStringLiteral("Form2.");

QByteArray readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw toolkit::Exception(
            QStringLiteral("Impossible de lire %1 : %2").arg(path, file.errorString()));
    return file.readAll();
}

// Every FormModel of the scene, found by the property only models have.
QList<QObject *> modelNodes(QObject *root)
{
    QList<QObject *> nodes;
    for (QObject *o : root->findChildren<QObject *>()) {
        if (!o->objectName().isEmpty() && o->property("source").isValid()
            && o->property("content").isValid())
            nodes.append(o);
    }
    return nodes;
}

} // namespace

SceneView::SceneView(QWidget *parent)
    : QWidget(parent)
    , m_view(new QQuickView)
    , m_container(QWidget::createWindowContainer(m_view, this))
{
    m_view->setFormat(QQuick3D::idealSurfaceFormat(0));
    m_view->setColor(kPaleTurquoise);
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
    m_view->setSource(QUrl(QStringLiteral("qrc:/scene/Scene.qml")));
    if (m_view->status() != QQuickView::Ready) {
        QStringList messages;
        for (const QQmlError &error : m_view->errors())
            messages << error.toString();
        throw toolkit::Exception(
            QStringLiteral("Scène 3D illisible : %1").arg(messages.join(u'\n')));
    }
    QObject *root = m_view->rootObject();

    for (QObject *o : root->findChildren<QObject *>()) {
        const QString name = o->objectName();
        if (name.isEmpty())
            continue;
        if (o->property("shininess").isValid())
            m_materials.insert(name, new Material(o, this));
        else if (o->property("rotationAngle").isValid() && !o->property("content").isValid())
            m_objects.insert(name, new Object3D(o, this));
    }
    for (QObject *node : modelNodes(root))
        loadModel(node, root);

    QList<QObject *> nodes;
    for (const Object3D *object : std::as_const(m_objects))
        nodes.append(object->node());
    new StillSmoothing(root, nodes, this);
}

void SceneView::loadModel(QObject *node, QObject *root)
{
    const QString path = node->property("source").toString();
    const QByteArray bytes = readResource(path);
    ModelGeometry geometry;
    try {
        geometry = readModelGeometry(std::span(
            reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())));
    } catch (const StorageError &error) {
        throw toolkit::Exception(
            QStringLiteral("%1 : %2").arg(path, QString::fromUtf8(error.what())));
    }

    auto *model = new Model3D(node, this);
    m_objects.insert(model->objectName(), model);
    auto *content = node->property("content").value<QObject *>();
    auto *contentItem = qobject_cast<QQuick3DObject *>(content);

    const ModelPlacement placement = ModelPlacement::of(geometry, model->size());
    auto setMaterial = [root](QObject *drawable, QObject *material) {
        QMetaObject::invokeMethod(root, "setMaterial",
                                  Q_ARG(QVariant, QVariant::fromValue(drawable)),
                                  Q_ARG(QVariant, QVariant::fromValue(material)));
    };
    for (std::size_t i = 0; i < geometry.subMeshes.size(); ++i) {
        const SubMesh &subMesh = geometry.subMeshes[i];
        auto *meshGeometry = new MeshGeometry(subMesh.mesh, contentItem);
        QVariant created;
        QMetaObject::invokeMethod(root, "createSubMesh", Q_RETURN_ARG(QVariant, created),
                                  Q_ARG(QVariant, QVariant::fromValue(content)),
                                  Q_ARG(QVariant, QVariant::fromValue<QObject *>(meshGeometry)));
        QObject *drawable = created.value<QObject *>();
        drawable->setProperty("scale", placement.subMeshes[i].scale);
        drawable->setProperty("position", placement.subMeshes[i].offset);
        auto *mesh = new Mesh(drawable, setMaterial, model);
        if (subMesh.materialSource) {
            const QString stored = QString::fromStdString(*subMesh.materialSource);
            mesh->setStoredMaterialName(stored);
            if (stored.startsWith(kFormPrefix))
                mesh->setMaterialSource(material(stored.mid(kFormPrefix.size())));
        }
        model->appendMesh(mesh);
    }
    content->setProperty("scale", placement.model.scale);
    content->setProperty("position", placement.model.offset);
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
