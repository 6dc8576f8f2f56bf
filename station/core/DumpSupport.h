// Bounded readers of record fields for the trace dumps.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace station::core {

// The text of a fixed-size field, which carries no terminator when full.
template<std::size_t N>
std::string field_text(const char (&field)[N])
{
    return std::string(field, ::strnlen(field, N));
}

// The first `length` bytes of a field, as text, with `length` clamped to the field.
inline std::string counted_text(void const* field, std::size_t size, std::uint64_t length)
{
    auto const* bytes = static_cast<const char*>(field);
    std::size_t const n = std::size_t(std::min<std::uint64_t>(length, size));
    return std::string(bytes, ::strnlen(bytes, n));
}

inline std::size_t clamp_count(std::uint64_t count, std::size_t capacity)
{
    return std::size_t(std::min<std::uint64_t>(count, capacity));
}

inline int bits(std::uint32_t word, int first, int last)
{
    std::uint32_t const width = std::uint32_t(last - first + 1);
    return int((word >> first) & ((width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1)));
}

}
