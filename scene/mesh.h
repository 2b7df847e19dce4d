// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

namespace scene {

class Material;

/// One sub-mesh of a model, drawn with one material.
class Mesh : public QObject
{
    Q_OBJECT

public:
    explicit Mesh(QObject *parent = nullptr);

    Material *materialSource() const { return m_material; }
    /// Draws this sub-mesh with @p material from the next frame on.
    void setMaterialSource(Material *material);

Q_SIGNALS:
    void materialSourceChanged();

private:
    QPointer<Material> m_material;
};

} // namespace scene
