// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QSet>
#include <QString>

/// Parts of an SVG drawing picked out by the ids of their elements: the drawing without some of
/// them, or only some of them, restyled to lie over the whole drawing. Each returns a whole SVG
/// document with the drawing's own size, view box and definitions.
namespace toolkit::svgparts {

/// @p document without the elements whose id is in @p ids, nor anything inside them.
QByteArray without(const QByteArray &document, const QSet<QString> &ids);

/// Only the elements of @p document whose id is a key of @p colors, with everything inside
/// them, drawn in that color with lines @p weight times as heavy (the heavier lines of symbols,
/// a unit wide or more, a fifth of that heavier). White fills stay white, so
/// that what covers a line in the drawing covers it here too; shapes drawn without a line
/// (lettering, dots) get a thin one of their color, so that the drawing's own edges do not show
/// around them when this is laid over it.
/// The elements whose id is in @p dashed are drawn with dashed lines, each dash about twice as
/// long as its lit line is wide.
QByteArray only(const QByteArray &document, const QHash<QString, QColor> &colors, qreal weight,
                const QSet<QString> &dashed = {});

/// The color the element @p id fills with, set on it or on a group around it; invalid when no
/// element has that id.
QColor fillOf(const QByteArray &document, const QString &id);

} // namespace toolkit::svgparts
