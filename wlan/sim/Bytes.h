// Bounds-checked reading of outside bytes: a reader that checks the length before every read
// and an iterator over information elements (one id byte, one length byte, the body). Nothing
// here reads past the span it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace wlan::sim {

using Bytes = std::span<std::uint8_t const>;

class ByteReader {
public:
    explicit ByteReader(Bytes bytes)
        : m_bytes(bytes)
    {
    }

    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    bool at_end() const { return remaining() == 0; }

    bool u8(std::uint8_t& out)
    {
        if (remaining() < 1)
            return false;
        out = m_bytes[m_pos++];
        return true;
    }
    bool u16le(std::uint16_t& out)
    {
        if (remaining() < 2)
            return false;
        out = static_cast<std::uint16_t>(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
        m_pos += 2;
        return true;
    }
    bool u16be(std::uint16_t& out)
    {
        if (remaining() < 2)
            return false;
        out = static_cast<std::uint16_t>((m_bytes[m_pos] << 8) | m_bytes[m_pos + 1]);
        m_pos += 2;
        return true;
    }
    // A 4-byte cipher or key-management suite, read as OUI << 8 | type.
    bool suite(std::uint32_t& out)
    {
        if (remaining() < 4)
            return false;
        out = (std::uint32_t(m_bytes[m_pos]) << 24) | (std::uint32_t(m_bytes[m_pos + 1]) << 16)
            | (std::uint32_t(m_bytes[m_pos + 2]) << 8) | m_bytes[m_pos + 3];
        m_pos += 4;
        return true;
    }
    bool take(std::size_t count, Bytes& out)
    {
        if (remaining() < count)
            return false;
        out = m_bytes.subspan(m_pos, count);
        m_pos += count;
        return true;
    }

private:
    Bytes m_bytes;
    std::size_t m_pos { 0 };
};

struct Element {
    std::uint8_t id { 0 };
    Bytes body;
};

// Walks id/length/body triples. A header or body that runs past the end stops the walk and
// marks the rest as truncated; the elements before it stay valid.
class ElementIterator {
public:
    explicit ElementIterator(Bytes bytes)
        : m_bytes(bytes)
    {
    }

    bool next(Element& out)
    {
        std::size_t const left = m_bytes.size() - m_pos;
        if (left == 0)
            return false;
        if (left < 2 || std::size_t(m_bytes[m_pos + 1]) > left - 2) {
            m_truncated = true;
            m_pos = m_bytes.size();
            return false;
        }
        out.id = m_bytes[m_pos];
        out.body = m_bytes.subspan(m_pos + 2, m_bytes[m_pos + 1]);
        m_pos += 2 + std::size_t(m_bytes[m_pos + 1]);
        return true;
    }
    bool truncated() const { return m_truncated; }

private:
    Bytes m_bytes;
    std::size_t m_pos { 0 };
    bool m_truncated { false };
};

}
