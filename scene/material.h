// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

namespace scene {

/// A handle on one lit material of the scene: diffuse, ambient, emissive and specular colours
/// (ARGB) and shininess, plus an optional texture that tints the diffuse colour.
class Material : public QObject
{
    Q_OBJECT

public:
    Material(QObject *material, QObject *parent);

    QColor diffuse() const;
    QColor ambient() const;
    QColor emissive() const;
    QColor specular() const;
    float shininess() const;
    QString textureSource() const;

    QObject *material() const { return m_material; }

private:
    QColor colour(const char *name) const;

    QPointer<QObject> m_material;
};

} // namespace scene
