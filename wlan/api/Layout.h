// Compile-time checks of the byte layout of records exchanged with the outside libraries.
// A failing check names the actual value in the template arguments of the error, so a wrong
// field shows at once how far it is off.
#pragma once

#include <cstddef>

namespace wlan::api {

template<std::size_t Actual, std::size_t Expected>
constexpr bool size_is()
{
    static_assert(Actual == Expected, "record size differs: see size_is<actual, expected>");
    return true;
}

template<std::size_t Actual, std::size_t Expected>
constexpr bool offset_is()
{
    static_assert(Actual == Expected, "field offset differs: see offset_is<actual, expected>");
    return true;
}

}

#define WLAN_ASSERT_SIZE(type, bytes) static_assert(::wlan::api::size_is<sizeof(type), (bytes)>())
#define WLAN_ASSERT_OFFSET(type, field, bytes) \
    static_assert(::wlan::api::offset_is<offsetof(type, field), (bytes)>())
