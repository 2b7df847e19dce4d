// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <bitset>
#include <utility>
#include <vector>

namespace scene {

class Material;
class Mesh;

/// The stepper's fed coils, drawn glowing: each coil is a sub-mesh of its own, drawn with the
/// coils' material at rest and with the glow material while it is fed.
///
/// Tabs 3 and 4 drive the same motor, and a trace may run inside another's pause: each trace
/// shows its coils in a layer of its own, and the layer opened last is the one shown. When it
/// closes, the layer below shows again at once; with no layer open, nothing glows.
class CoilGlow : public QObject
{
    Q_OBJECT

public:
    using Coils = std::bitset<4>;

    /// @p coils[k] is the sub-mesh of the coil labelled "bobine<k+1>".
    CoilGlow(std::array<Mesh *, 4> coils, Material *rest, Material *glow,
             QObject *parent = nullptr);

    /// Opens a layer on top, with nothing glowing in it yet; returns its key.
    int open();
    /// The coils of layer @p key glow while it is on top.
    void show(int key, Coils coils);
    /// Closes layer @p key; what lies below shows again.
    void close(int key);

    /// The coils drawn glowing now.
    Coils shown() const { return m_shown; }

private:
    void apply();

    std::array<QPointer<Mesh>, 4> m_coils;
    QPointer<Material> m_rest;
    QPointer<Material> m_glow;
    std::vector<std::pair<int, Coils>> m_layers;
    int m_nextKey = 0;
    Coils m_shown;
};

} // namespace scene
