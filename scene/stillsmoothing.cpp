// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/stillsmoothing.h"

#include "scene/object3d.h"

namespace scene {

StillSmoothing::StillSmoothing(QObject *parent) : QObject(parent)
{
    m_still.setSingleShot(true);
    m_still.setInterval(stillAfterMs);
    connect(&m_still, &QTimer::timeout, this, [this] { setSmooth(true); });
}

void StillSmoothing::watch(const QList<Object3D *> &objects)
{
    for (Object3D *object : objects) {
        connect(object, &Object3D::positionChanged, this, &StillSmoothing::moved);
        connect(object, &Object3D::rotationAngleChanged, this, &StillSmoothing::moved);
        connect(object, &Object3D::scaleChanged, this, &StillSmoothing::moved);
        connect(object, &Object3D::visibleChanged, this, &StillSmoothing::moved);
    }
}

void StillSmoothing::moved()
{
    setSmooth(false);
    m_still.start();
}

void StillSmoothing::setSmooth(bool smooth)
{
    if (smooth == m_smooth)
        return;
    m_smooth = smooth;
    Q_EMIT smoothChanged();
}

} // namespace scene
