// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/stillsmoothing.h"

#include <QMetaMethod>
#include <QVariant>

namespace scene {

StillSmoothing::StillSmoothing(QObject *scene, const QList<QObject *> &nodes, QObject *parent)
    : QObject(parent), m_scene(scene)
{
    m_still.setSingleShot(true);
    m_still.setInterval(stillAfterMs);
    connect(&m_still, &QTimer::timeout, this, [this] { setSmooth(true); });

    const QMetaMethod slot = staticMetaObject.method(staticMetaObject.indexOfSlot("moved()"));
    for (QObject *node : nodes) {
        if (!node)
            continue;
        for (const char *signal :
             {"positionChanged()", "rotationChanged()", "scaleChanged()", "visibleChanged()"}) {
            const int index = node->metaObject()->indexOfSignal(signal);
            if (index >= 0)
                connect(node, node->metaObject()->method(index), this, slot);
        }
    }
}

void StillSmoothing::moved()
{
    setSmooth(false);
    m_still.start();
}

void StillSmoothing::setSmooth(bool smooth)
{
    if (m_scene && m_scene->property("smoothEdges").toBool() != smooth)
        m_scene->setProperty("smoothEdges", smooth);
}

} // namespace scene
