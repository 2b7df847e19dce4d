// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QVector3D>

namespace meshgen {

/// Places a flat profile in space: profile point (a, b) at height h lands on a*u + b*v + h*w.
/// The three axes are unit vectors with w = u x v, so a counter-clockwise profile is seen
/// counter-clockwise from the +w side.
struct Frame
{
    QVector3D u;
    QVector3D v;
    QVector3D w;

    QVector3D point(QPointF p, double height) const
    {
        return u * float(p.x()) + v * float(p.y()) + w * float(height);
    }
    QVector3D direction(QPointF d) const { return u * float(d.x()) + v * float(d.y()); }
};

/// Profile in the X-Y plane, extruded along Z.
inline constexpr Frame frameXY {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
/// Profile across X and Z (b running along -Z), extruded along Y.
inline constexpr Frame frameXZ {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}};
/// Profile in the Y-Z plane, extruded along X.
inline constexpr Frame frameYZ {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};

} // namespace meshgen
