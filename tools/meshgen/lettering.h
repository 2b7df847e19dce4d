// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "profile.h"

#include <QFont>
#include <QRectF>
#include <QString>

namespace meshgen {

/// Outlines of text in one font file, for extruding into 3D letters. Needs a QGuiApplication.
class Lettering
{
public:
    /// Loads the font from its file, not by family name, so that the outlines do not depend
    /// on what the machine happens to have installed. Throws if the file does not load.
    explicit Lettering(const QString &fontFile);

    /// The glyph outlines of `text`, y pointing up, baseline at 0. Curves are flattened finely
    /// enough for the sizes the models use.
    Profile outline(const QString &text) const;

    /// Stretches a profile so that its bounding box becomes exactly `target` (y up).
    static Profile fitted(const Profile &profile, const QRectF &target);

private:
    QFont m_font;
};

} // namespace meshgen
