// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace scene {

/// A point or a size in a model's own units, kept in double precision because the stream stores
/// these numbers as 80-bit floats.
struct Vector3
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    bool operator==(const Vector3 &) const = default;
};

} // namespace scene
