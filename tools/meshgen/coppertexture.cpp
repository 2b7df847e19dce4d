// SPDX-License-Identifier: GPL-3.0-or-later
#include "coppertexture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace meshgen {

namespace {

// SplitMix64: tiny, and its sequence is fixed by its definition, unlike the standard
// distributions whose output differs between library implementations.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) { }

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    /// Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }
    double uniform(double low, double high) { return low + (high - low) * uniform(); }

private:
    std::uint64_t m_state;
};

double latticeValue(std::uint64_t seed, int x, int y)
{
    Random hash(seed ^ (std::uint64_t(std::uint32_t(x)) << 32) ^ std::uint32_t(y));
    return hash.uniform();
}

double smooth(double t)
{
    return t * t * (3 - 2 * t);
}

// Value noise on a lattice of `cellsX` x `cellsY` cells that wraps around the image.
double valueNoise(std::uint64_t seed, double x, double y, int cellsX, int cellsY)
{
    const double fx = x * cellsX;
    const double fy = y * cellsY;
    const int x0 = int(std::floor(fx));
    const int y0 = int(std::floor(fy));
    const double tx = smooth(fx - x0);
    const double ty = smooth(fy - y0);
    const auto at = [&](int i, int j) {
        return latticeValue(seed, ((i % cellsX) + cellsX) % cellsX,
                            ((j % cellsY) + cellsY) % cellsY);
    };
    const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * tx;
    const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * tx;
    return top + (bottom - top) * ty;
}

double fractalNoise(std::uint64_t seed, double x, double y, int cellsX, int cellsY, int octaves)
{
    double sum = 0;
    double amplitude = 0.5;
    double total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * valueNoise(seed + octave, x, y, cellsX << octave, cellsY << octave);
        total += amplitude;
        amplitude *= 0.5;
    }
    return sum / total;
}

class Canvas
{
public:
    explicit Canvas(int size) : m_size(size), m_values(std::size_t(size) * size, 0.0) { }

    double &at(int x, int y)
    {
        x = ((x % m_size) + m_size) % m_size;
        y = ((y % m_size) + m_size) % m_size;
        return m_values[std::size_t(y) * m_size + x];
    }

    // A thin soft line: each sample spreads over the nearest pixels by distance.
    void scratch(double x0, double y0, double x1, double y1, double strength)
    {
        const double length = std::hypot(x1 - x0, y1 - y0);
        const int steps = std::max(1, int(length * 2));
        for (int s = 0; s <= steps; ++s) {
            const double t = double(s) / steps;
            // Scratches fade in and out at their ends.
            const double fade = std::sin(M_PI * t);
            const double x = x0 + (x1 - x0) * t;
            const double y = y0 + (y1 - y0) * t;
            const int cx = int(std::floor(x));
            const int cy = int(std::floor(y));
            for (int dy = -1; dy <= 2; ++dy) {
                for (int dx = -1; dx <= 2; ++dx) {
                    const double d = std::hypot(cx + dx + 0.5 - x, cy + dy + 0.5 - y);
                    const double weight = std::max(0.0, 1.0 - d / 1.2);
                    double &value = at(cx + dx, cy + dy);
                    value = std::max(value, strength * fade * weight);
                }
            }
        }
    }

private:
    int m_size;
    std::vector<double> m_values;
};

double mix(double a, double b, double t)
{
    return a + (b - a) * t;
}

} // namespace

QImage makeCopperTexture(int size, std::uint64_t seed)
{
    Random random(seed);
    Canvas bright(size);
    Canvas dark(size);
    for (int i = 0; i < 500; ++i) {
        const double x = random.uniform(0, size);
        const double y = random.uniform(0, size);
        // Mostly along one direction, as left by polishing, with some stray ones.
        const bool stray = random.uniform() < 0.25;
        const double angle = stray ? random.uniform(0, M_PI)
                                   : 0.35 + (random.uniform() + random.uniform() - 1.0) * 0.3;
        const double length = random.uniform(12, 160);
        const double strength = random.uniform(0.15, 0.6);
        const double dx = std::cos(angle) * length / 2;
        const double dy = std::sin(angle) * length / 2;
        bright.scratch(x - dx, y - dy, x + dx, y + dy, strength);
        // A faint dark groove just beside the bright edge.
        const double ox = -std::sin(angle) * 1.2;
        const double oy = std::cos(angle) * 1.2;
        dark.scratch(x - dx + ox, y - dy + oy, x + dx + ox, y + dy + oy, strength * 0.5);
    }

    QImage image(size, size, QImage::Format_RGBA8888);
    for (int py = 0; py < size; ++py) {
        uchar *line = image.scanLine(py);
        for (int px = 0; px < size; ++px) {
            const double u = (px + 0.5) / size;
            const double v = (py + 0.5) / size;
            const double tarnish = fractalNoise(seed + 100, u, v, 4, 4, 5);
            const double brushed = fractalNoise(seed + 200, u, v, 2, 96, 3);
            const double grain = latticeValue(seed + 300, px, py);
            double light =
                0.62 + 0.45 * (tarnish - 0.5) + 0.16 * (brushed - 0.5) + 0.05 * (grain - 0.5);
            light += 0.35 * bright.at(px, py) - 0.25 * dark.at(px, py);
            light = std::clamp(light, 0.0, 1.0);
            // From dark oxidised copper to freshly polished copper.
            const double red = mix(0.30, 1.00, light);
            const double green = mix(0.13, 0.70, light * light);
            const double blue = mix(0.06, 0.48, light * light * light);
            line[4 * px + 0] = uchar(std::lround(std::clamp(red, 0.0, 1.0) * 255));
            line[4 * px + 1] = uchar(std::lround(std::clamp(green, 0.0, 1.0) * 255));
            line[4 * px + 2] = uchar(std::lround(std::clamp(blue, 0.0, 1.0) * 255));
            line[4 * px + 3] = 255;
        }
    }
    return image;
}

} // namespace meshgen
