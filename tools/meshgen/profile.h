// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

namespace meshgen {

/// A closed outline in a plane, without its closing point repeated.
using Contour = QList<QPointF>;

/// A flat region given by its outlines. Filled by the non-zero rule: holes run the other way
/// round from the outline around them.
using Profile = QList<Contour>;

/// Points on a circle arc from angle `from` to `to` (radians), both ends included.
Contour arc(QPointF centre, double radius, double from, double to, int segments);

/// A full circle, counter-clockwise, starting at angle 0, with `segments` points.
Contour circle(QPointF centre, double radius, int segments);

/// The same outline run the other way round.
Contour reversed(const Contour &contour);

/// The smallest rectangle holding every point; top() is the lowest y.
QRectF boundsOf(const Profile &profile);

/// Twice the signed area: positive for counter-clockwise outlines.
double doubledArea(const Contour &contour);

} // namespace meshgen
