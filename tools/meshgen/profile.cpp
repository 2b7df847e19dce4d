// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile.h"

#include <algorithm>
#include <cmath>

namespace meshgen {

Contour arc(QPointF centre, double radius, double from, double to, int segments)
{
    Contour points;
    points.reserve(segments + 1);
    for (int i = 0; i <= segments; ++i) {
        const double angle = from + (to - from) * i / segments;
        points.append(centre + radius * QPointF(std::cos(angle), std::sin(angle)));
    }
    return points;
}

Contour circle(QPointF centre, double radius, int segments)
{
    Contour points = arc(centre, radius, 0.0, 2.0 * M_PI, segments);
    points.removeLast();
    return points;
}

Contour reversed(const Contour &contour)
{
    Contour out = contour;
    std::reverse(out.begin(), out.end());
    return out;
}

QRectF boundsOf(const Profile &profile)
{
    double left = 0, right = 0, low = 0, high = 0;
    bool first = true;
    for (const Contour &contour : profile) {
        for (const QPointF &p : contour) {
            if (first) {
                left = right = p.x();
                low = high = p.y();
                first = false;
            }
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    return QRectF(QPointF(left, low), QPointF(right, high));
}

double doubledArea(const Contour &contour)
{
    double sum = 0;
    for (qsizetype i = 0; i < contour.size(); ++i) {
        const QPointF &a = contour[i];
        const QPointF &b = contour[(i + 1) % contour.size()];
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return sum;
}

} // namespace meshgen
