// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/modelgeometry.h"

#include <QString>

#include <vector>

namespace meshgen {

struct NamedModel
{
    QString name; ///< file name without ".mesh"
    scene::ModelGeometry geometry;
};

/// Every model the scene uses, built with the lettering of `fontFile`. Needs a
/// QGuiApplication.
std::vector<NamedModel> buildCatalogue(const QString &fontFile);

} // namespace meshgen
