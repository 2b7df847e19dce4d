// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/coilglow.h"

#include "scene/material.h"
#include "scene/mesh.h"

#include <algorithm>

namespace scene {

CoilGlow::CoilGlow(std::array<Mesh *, 4> coils, Material *rest, Material *glow, QObject *parent)
    : QObject(parent), m_rest(rest), m_glow(glow)
{
    std::copy(coils.begin(), coils.end(), m_coils.begin());
}

int CoilGlow::open()
{
    m_layers.emplace_back(m_nextKey, Coils());
    apply();
    return m_nextKey++;
}

void CoilGlow::show(int key, Coils coils)
{
    const auto layer = std::find_if(m_layers.begin(), m_layers.end(),
                                    [key](const auto &l) { return l.first == key; });
    if (layer == m_layers.end())
        return;
    layer->second = coils;
    apply();
}

void CoilGlow::close(int key)
{
    std::erase_if(m_layers, [key](const auto &l) { return l.first == key; });
    apply();
}

void CoilGlow::apply()
{
    const Coils now = m_layers.empty() ? Coils() : m_layers.back().second;
    if (now == m_shown)
        return;
    for (std::size_t k = 0; k < m_coils.size(); ++k) {
        if (m_coils[k] && now[k] != m_shown[k])
            m_coils[k]->setMaterialSource(now[k] ? m_glow : m_rest);
    }
    m_shown = now;
}

} // namespace scene

#include "moc_coilglow.cpp"
