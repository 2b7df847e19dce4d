// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modelgeometry.h"

#include <cstdint>
#include <span>

/*
 * How one model's geometry is stored
 * ==================================
 *
 * Every number is little-endian whatever the host. A stream is:
 *
 *   u16   sub-mesh count S
 *   S sub-mesh records, one per sub-mesh, and nothing after the last one.
 *
 * A sub-mesh record is a self-describing list of named, typed values:
 *
 *   "TPF0"                      four signature bytes
 *   counted string "TMesh"      class name
 *   counted string ""           object name, always empty here
 *   properties, each: counted string name, one value-type byte, the value
 *   0                           empty name: end of the properties
 *   0                           end of the (empty) list of children
 *
 * A counted string is one length byte followed by that many bytes. Value types:
 *
 *   0 null (ends a list)   2 int8    3 int16    4 int32
 *   5 extended: 10 bytes, x87 80-bit float (see extended80.h)
 *   6 counted string       7 identifier, stored as a counted string
 *   8 false   9 true       10 binary: u32 length, then the bytes
 *   20 UTF-8 string: u32 length, then the bytes
 *
 * A sub-mesh record takes exactly these properties, each at most once; the writer emits them
 * in this order and the reader takes any order:
 *
 *   Position.X, .Y, .Z   extended  optional; the centre of the sub-mesh's box. A coordinate
 *                                  that is zero is its default: the writer leaves it out,
 *                                  and a missing one reads back as zero.
 *   Locked               true/false  required (true in every shipped model)
 *   Width, Height, Depth extended  required; the extents of the box, finite, not negative
 *   HitTest              true/false  required (false in every shipped model)
 *   MaterialSource       identifier  optional; a dotted name such as Form2.lettreMat11
 *   Data.Mesh            binary      required; the triangles, laid out as
 *
 *     u32  vertex count V
 *     V    records of fourteen f32 (56 bytes): position x y z, normal x y z, texture u v,
 *          binormal x y z, tangent x y z
 *     u32  index count I, a multiple of three
 *     I    u32 vertex indices below V, three per triangle
 *
 *   and not one byte more.
 *
 * The reader refuses anything else with a StorageError naming the byte offset of the item it
 * found wrong: a short stream, a wrong signature or class, a named object, children, an
 * unknown, repeated or missing property, a value of the wrong type, a number that is not
 * finite (in any vertex slot or box value), a count larger than the bytes left (checked before
 * anything is allocated), an index out of range, and bytes left over.
 */

namespace scene {

/// Parses a whole stream. Throws StorageError for anything it refuses; never reads outside
/// `bytes`, and allocates no more than the stream's own size justifies.
ModelGeometry readModelGeometry(std::span<const std::uint8_t> bytes);

} // namespace scene
