#include "platform/gdi/Fontconfig.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace platform::gdi {

namespace {

constexpr char kLibrary[] = "libfontconfig.so.1";

void* bound(void* library, char const* name)
{
    void* symbol = library ? ::dlsym(library, name) : nullptr;
    if (!symbol) {
        std::fprintf(stderr, "%s: no %s\n", kLibrary, name);
        std::_Exit(127);
    }
    return symbol;
}

}

Fontconfig const& fontconfig()
{
    static Fontconfig const table = [] {
        void* library = ::dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            std::fprintf(stderr, "%s: %s\n", kLibrary, ::dlerror());
            std::_Exit(127);
        }
        Fontconfig t {};
#define ZORVEL_FONTCONFIG_BIND(name) t.name = reinterpret_cast<decltype(t.name)>(bound(library, #name));
        ZORVEL_FONTCONFIG_FUNCTIONS(ZORVEL_FONTCONFIG_BIND)
#undef ZORVEL_FONTCONFIG_BIND
        return t;
    }();
    return table;
}

}
