// Puts a recorder in front of every bound function of the WLAN library binding: each call is
// logged by its export name, then passed on. Tests install it once the program has loaded the
// library; releasing the library empties the slots, recorders included.
#pragma once

#include "station/core/VxWlLib.h"

#include <mutex>
#include <string>
#include <vector>

namespace station::testing {

class LibraryRecorder {
public:
    static std::vector<std::string> calls()
    {
        std::lock_guard lock(mutex());
        return log();
    }
    static void clear()
    {
        std::lock_guard lock(mutex());
        log().clear();
    }
    static void record(const char* name)
    {
        std::lock_guard lock(mutex());
        log().emplace_back(name);
    }

    static void install()
    {
#define STATION_RECORD_SLOT(name, result, params) wrap<__COUNTER__>(G_VxWlLib.VXWL_##name);
        VXWL_EXPORTS(STATION_RECORD_SLOT)
#undef STATION_RECORD_SLOT
    }

    // Only the calls named in `names`, in the order they were made.
    static std::vector<std::string> calls_among(std::vector<std::string> const& names)
    {
        std::vector<std::string> out;
        for (auto const& c : calls())
            for (auto const& n : names)
                if (c == n)
                    out.push_back(c);
        return out;
    }

private:
    static std::mutex& mutex()
    {
        static std::mutex m;
        return m;
    }
    static std::vector<std::string>& log()
    {
        static std::vector<std::string> l;
        return l;
    }

    // One instantiation per slot (N), so that each keeps its own original function.
    template<int N, typename R, typename... A>
    static void wrap(station::core::VxSlot<R (*)(A...)>& slot)
    {
        static R (*original)(A...) = nullptr;
        static const char* name = nullptr;
        if (!slot)
            return;
        original = slot.get();
        name = slot.name();
        struct Thunk {
            static R call(A... args)
            {
                record(name);
                return original(args...);
            }
        };
        slot.bind(&Thunk::call);
    }
};

}
