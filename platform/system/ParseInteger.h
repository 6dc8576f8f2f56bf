// The one strict reader of integers written as text in files, records and command lines. It
// accepts one optional sign, then digits ("0x" and hex digits where hex is allowed; no sign
// after the "0x"), and nothing else: no spaces, no second sign, no octal. The value must fit
// the target type, checked before it is converted, so no input can overflow. Readers with the
// lenient rules of an API they stand in for (atoi-like profile integers) keep their own.
// Header-only, so the simulated world and its tools use it without linking the platform.
#pragma once

#include <charconv>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <type_traits>

namespace platform::system {

// Decimal; decimal or "0x" and hex digits; hex digits alone (fields of a MAC address).
enum class IntegerBase { Decimal, DecimalOrHex, Hex };

// Reads the integer at the front of `text`; returns how many characters it took, 0 (and
// `out` untouched) when there is none or it does not fit.
template<std::integral T>
std::size_t read_integer(std::string_view text, T& out, IntegerBase base = IntegerBase::Decimal)
{
    std::size_t used = 0;
    bool negative = false;
    if (used < text.size() && (text[used] == '+' || text[used] == '-'))
        negative = text[used++] == '-';
    int radix = base == IntegerBase::Hex ? 16 : 10;
    if (base == IntegerBase::DecimalOrHex && text.size() - used > 2 && text[used] == '0' && (text[used + 1] == 'x' || text[used + 1] == 'X')) {
        radix = 16;
        used += 2;
    }
    // from_chars on an unsigned type takes digits only, so a sign after the prefix or a
    // second sign ends the number before it starts.
    std::uint64_t magnitude = 0;
    auto const* first = text.data() + used;
    auto const [end, error] = std::from_chars(first, text.data() + text.size(), magnitude, radix);
    if (error != std::errc() || end == first)
        return 0;
    using Wide = std::conditional_t<std::is_signed_v<T>, std::int64_t, std::uint64_t>;
    if (negative) {
        if constexpr (std::is_unsigned_v<T>) {
            if (magnitude != 0)
                return 0;
        } else {
            // The most negative value has no positive twin: compare magnitudes unsigned.
            auto const limit = std::uint64_t(-(std::numeric_limits<T>::min() + 1)) + 1;
            if (magnitude > limit)
                return 0;
            out = magnitude == 0 ? T(0) : T(-Wide(magnitude - 1) - 1);
            return std::size_t(end - text.data());
        }
    }
    if (magnitude > std::uint64_t(std::numeric_limits<T>::max()))
        return 0;
    out = T(magnitude);
    return std::size_t(end - text.data());
}

// The whole of `text` as one integer, or nullopt.
template<std::integral T>
std::optional<T> parse_integer(std::string_view text, IntegerBase base = IntegerBase::Decimal)
{
    T value {};
    if (text.empty() || read_integer(text, value, base) != text.size())
        return std::nullopt;
    return value;
}

}
