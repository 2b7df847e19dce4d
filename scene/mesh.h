// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

namespace scene {

class Material;

/// One sub-mesh of a model, drawn with one material.
class Mesh : public QObject
{
    Q_OBJECT

public:
    /// @p model is the scene's drawable object; @p setMaterial puts a material on it.
    Mesh(QObject *model, std::function<void(QObject *, QObject *)> setMaterial, QObject *parent);

    Material *materialSource() const { return m_material; }
    /// Draws this sub-mesh with @p material (nothing drawn-wise changes for a null material
    /// but the default look).
    void setMaterialSource(Material *material);

    /// The material the stored geometry names, such as "Form2.lettreMat11"; empty if none.
    QString storedMaterialName() const { return m_storedName; }
    void setStoredMaterialName(const QString &name) { m_storedName = name; }

    QObject *model() const { return m_model; }

private:
    QPointer<QObject> m_model;
    std::function<void(QObject *, QObject *)> m_setMaterial;
    QPointer<Material> m_material;
    QString m_storedName;
};

} // namespace scene
