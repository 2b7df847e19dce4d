// SPDX-License-Identifier: GPL-3.0-or-later
#include "extended80.h"

#include <bit>
#include <limits>

namespace scene {

static_assert(std::numeric_limits<double>::is_iec559, "doubles must be IEEE 754 binary64");

namespace {

constexpr int extendedBias = 16383;
constexpr int doubleBias = 1023;
constexpr std::uint64_t integerBit = std::uint64_t {1} << 63;
constexpr std::uint64_t fractionMask = (std::uint64_t {1} << 52) - 1;

// Drops the low `shift` bits of `value`, rounding to nearest with ties to even.
std::uint64_t shiftRightRounded(std::uint64_t value, int shift)
{
    if (shift <= 0)
        return value;
    if (shift > 64)
        return 0;
    const std::uint64_t kept = shift == 64 ? 0 : value >> shift;
    const std::uint64_t dropped = shift == 64 ? value : value & ((std::uint64_t {1} << shift) - 1);
    const std::uint64_t half = std::uint64_t {1} << (shift - 1);
    if (dropped > half || (dropped == half && (kept & 1)))
        return kept + 1;
    return kept;
}

Extended80 pack(bool negative, int exponent, std::uint64_t significand)
{
    Extended80 out {};
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    const unsigned top = static_cast<unsigned>(exponent) | (negative ? 0x8000u : 0u);
    out[8] = static_cast<std::uint8_t>(top);
    out[9] = static_cast<std::uint8_t>(top >> 8);
    return out;
}

double withSign(bool negative, std::uint64_t magnitudeBits)
{
    return std::bit_cast<double>(magnitudeBits | (negative ? integerBit : 0));
}

} // namespace

Extended80 doubleToExtended(double value)
{
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & fractionMask;

    if (exponent == 0x7FF)
        return pack(negative, 0x7FFF, integerBit | (fraction << 11));
    if (exponent == 0 && fraction == 0)
        return pack(negative, 0, 0);
    if (exponent == 0) {
        // A subnormal double is a normal extended: move its leading bit up to the integer bit.
        const int leading = 63 - std::countl_zero(fraction);
        const int power = leading - 1074;
        return pack(negative, power + extendedBias, fraction << (63 - leading));
    }
    return pack(negative, exponent - doubleBias + extendedBias, integerBit | (fraction << 11));
}

std::optional<double> extendedToDouble(const Extended80 &bytes)
{
    std::uint64_t significand = 0;
    for (int i = 0; i < 8; ++i)
        significand |= std::uint64_t {bytes[i]} << (8 * i);
    const unsigned top = bytes[8] | (unsigned {bytes[9]} << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int exponent = static_cast<int>(top & 0x7FFFu);
    const bool hasIntegerBit = (significand & integerBit) != 0;

    if (exponent == 0x7FFF) {
        if (!hasIntegerBit)
            return std::nullopt;
        if ((significand & ~integerBit) == 0)
            return withSign(negative,
                            std::bit_cast<std::uint64_t>(std::numeric_limits<double>::infinity()));
        return withSign(negative,
                        std::bit_cast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN()));
    }
    if (exponent != 0 && !hasIntegerBit)
        return std::nullopt;
    // Exponent 0 holds zeros and values below 2^-16382, far under the smallest double.
    if (exponent == 0 || significand == 0)
        return withSign(negative, 0);

    const int power = exponent - extendedBias; // weight of the integer bit
    if (power > doubleBias)
        return withSign(negative,
                        std::bit_cast<std::uint64_t>(std::numeric_limits<double>::infinity()));
    if (power >= 1 - doubleBias) {
        std::uint64_t kept = shiftRightRounded(significand, 11);
        int biased = power + doubleBias;
        if (kept >> 53) { // rounding carried into a new leading bit
            kept >>= 1;
            ++biased;
        }
        if (biased >= 0x7FF)
            return withSign(negative,
                            std::bit_cast<std::uint64_t>(std::numeric_limits<double>::infinity()));
        return withSign(negative, (std::uint64_t(biased) << 52) | (kept & fractionMask));
    }
    // Subnormal result: the units are 2^-1074. Rounding up to 2^52 units lands exactly on the
    // smallest normal double, whose bit pattern is that same integer.
    const int shift = 63 - (power + 1074);
    return withSign(negative, shiftRightRounded(significand, shift));
}

} // namespace scene
