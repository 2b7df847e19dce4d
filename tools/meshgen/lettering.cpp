// SPDX-License-Identifier: GPL-3.0-or-later
#include "lettering.h"

#include <QFontDatabase>
#include <QPainterPath>

#include <algorithm>
#include <stdexcept>

namespace meshgen {

namespace {

// Glyphs are laid out at this size; the flattening of their curves is relative to it.
constexpr int layoutPixelSize = 96;

} // namespace

Lettering::Lettering(const QString &fontFile)
{
    const int id = QFontDatabase::addApplicationFont(fontFile);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty())
        throw std::runtime_error("cannot load the font " + fontFile.toStdString());
    m_font = QFont(families.first());
    m_font.setPixelSize(layoutPixelSize);
    m_font.setHintingPreference(QFont::PreferNoHinting);
    m_font.setKerning(true);
}

Profile Lettering::outline(const QString &text) const
{
    QPainterPath path;
    path.addText(QPointF(0, 0), m_font, text);
    Profile profile;
    for (const QPolygonF &polygon : path.toSubpathPolygons()) {
        Contour contour;
        for (const QPointF &p : polygon) {
            const QPointF up(p.x(), -p.y());
            if (contour.isEmpty() || contour.last() != up)
                contour.append(up);
        }
        while (contour.size() > 1 && contour.first() == contour.last())
            contour.removeLast();
        if (contour.size() >= 3)
            profile.append(contour);
    }
    return profile;
}

Profile Lettering::fitted(const Profile &profile, const QRectF &target)
{
    const QRectF box = boundsOf(profile);
    const double sx = target.width() / box.width();
    const double sy = target.height() / box.height();
    Profile out;
    for (const Contour &contour : profile) {
        Contour mapped;
        for (const QPointF &p : contour) {
            // Pin the extreme points exactly on the target's edges.
            const double x =
                p.x() == box.right() ? target.right() : target.left() + (p.x() - box.left()) * sx;
            const double y =
                p.y() == box.bottom() ? target.bottom() : target.top() + (p.y() - box.top()) * sy;
            mapped.append(QPointF(x, y));
        }
        out.append(mapped);
    }
    return out;
}

} // namespace meshgen
