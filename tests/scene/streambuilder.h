// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/extended80.h"

#include <QByteArray>

#include <cstring>

// Builds streams byte by byte, independently of the writer, so that malformed ones can be made
// and the offset of the bad item noted while building.
class StreamBuilder
{
public:
    StreamBuilder &u8(int value)
    {
        m_data.append(char(value));
        return *this;
    }
    StreamBuilder &u16(unsigned value) { return u8(value & 0xFF).u8((value >> 8) & 0xFF); }
    StreamBuilder &u32(quint32 value)
    {
        for (int i = 0; i < 4; ++i)
            u8((value >> (8 * i)) & 0xFF);
        return *this;
    }
    StreamBuilder &f32(float value)
    {
        quint32 bits;
        std::memcpy(&bits, &value, 4);
        return u32(bits);
    }
    StreamBuilder &raw(const QByteArray &bytes)
    {
        m_data.append(bytes);
        return *this;
    }
    StreamBuilder &text(const QByteArray &countedString)
    {
        return u8(int(countedString.size())).raw(countedString);
    }
    StreamBuilder &extended(double value)
    {
        const auto bytes = scene::doubleToExtended(value);
        return raw(QByteArray(reinterpret_cast<const char *>(bytes.data()), 10));
    }

    // Whole pieces of a record.
    StreamBuilder &recordStart() { return raw("TPF0").text("TMesh").text(""); }
    StreamBuilder &extendedProperty(const QByteArray &name, double value)
    {
        return text(name).u8(5).extended(value);
    }
    StreamBuilder &booleanProperty(const QByteArray &name, bool value)
    {
        return text(name).u8(value ? 9 : 8);
    }
    StreamBuilder &meshProperty(const QByteArray &block)
    {
        return text("Data.Mesh").u8(10).u32(quint32(block.size())).raw(block);
    }
    StreamBuilder &recordEnd() { return u8(0).u8(0); }

    int size() const { return int(m_data.size()); }
    QByteArray bytes() const { return m_data; }

private:
    QByteArray m_data;
};
