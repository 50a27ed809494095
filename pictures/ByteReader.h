#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <cstring>

namespace pictures {

// Little-endian reads from a block of bytes that never go past its end: a
// read out of range yields zero and marks the reader as failed, so a parser
// can read a whole structure and check once.
class ByteReader
{
public:
    ByteReader() = default;
    explicit ByteReader(QByteArrayView data) : m_data(data) {}

    qsizetype size() const { return m_data.size(); }
    qsizetype position() const { return m_pos; }
    qsizetype remaining() const { return m_data.size() - m_pos; }
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos >= m_data.size(); }

    void seek(qsizetype pos)
    {
        if (pos < 0 || pos > m_data.size()) {
            m_ok = false;
            m_pos = m_data.size();
        } else {
            m_pos = pos;
        }
    }
    void skip(qsizetype count) { seek(count >= 0 && count <= remaining() ? m_pos + count : -1); }

    std::uint8_t u8() { return std::uint8_t(take<1>()); }
    std::uint16_t u16() { return std::uint16_t(take<2>()); }
    std::uint32_t u32() { return std::uint32_t(take<4>()); }
    std::int16_t i16() { return std::int16_t(u16()); }
    std::int32_t i32() { return std::int32_t(u32()); }
    float f32()
    {
        const std::uint32_t bits = u32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A view of count bytes from the current position, or an empty view
    // (and a failed reader) when they are not all there.
    QByteArrayView bytes(qsizetype count)
    {
        if (count < 0 || count > remaining()) {
            m_ok = false;
            m_pos = m_data.size();
            return {};
        }
        QByteArrayView view = m_data.sliced(m_pos, count);
        m_pos += count;
        return view;
    }
    // A view of count bytes at an absolute offset; does not move.
    QByteArrayView bytesAt(qint64 offset, qint64 count) const
    {
        if (offset < 0 || count < 0 || offset > m_data.size() || count > m_data.size() - offset)
            return {};
        return m_data.sliced(offset, count);
    }
    bool has(qint64 offset, qint64 count) const
    {
        return offset >= 0 && count >= 0 && offset <= m_data.size() && count <= m_data.size() - offset;
    }

private:
    template<int N>
    std::uint32_t take()
    {
        if (remaining() < N) {
            m_ok = false;
            m_pos = m_data.size();
            return 0;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < N; ++i)
            value |= std::uint32_t(std::uint8_t(m_data[m_pos + i])) << (8 * i);
        m_pos += N;
        return value;
    }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

} // namespace pictures
