// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QtQmlIntegration>

namespace scene {

/// The program's handle on one material of the scene description, named after it: what the
/// program hands to a sub-mesh (Mesh::setMaterialSource()) to have it drawn that way. The
/// material's colors belong to the description.
class Material : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(FormMaterial)
    /// The scene's material that draws with these colors.
    Q_PROPERTY(QObject *surface READ surface WRITE setSurface NOTIFY surfaceChanged)

public:
    explicit Material(QObject *parent = nullptr);

    QObject *surface() const { return m_surface; }
    void setSurface(QObject *surface);

Q_SIGNALS:
    void surfaceChanged();

private:
    QPointer<QObject> m_surface;
};

} // namespace scene
