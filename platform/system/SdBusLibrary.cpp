// The sd-bus functions the platform calls, from libsystemd opened on first use. A program
// that meets no bus (no session or system bus on the machine, or none named under test)
// then never maps libsystemd and what it brings along (libgcrypt, the compressors, libcap),
// which costs start-up time and resident memory for nothing. Each function here has the
// name and type that <systemd/sd-bus.h> declares (the compiler checks them against it) and
// calls the library's own; the variadic ones call its va_list forms. A test that talks to
// a bus of its own links libsystemd itself: its calls then find either definition, and both
// end in the library.
#include <systemd/sd-bus.h>

#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

void* library()
{
    static void* const handle = [] {
        void* h = dlopen("libsystemd.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!h) {
            // As the dynamic loader ends a program whose library is missing.
            std::fprintf(stderr, "libsystemd.so.0: %s\n", dlerror());
            std::_Exit(127);
        }
        return h;
    }();
    return handle;
}

template<typename Function>
Function bound(char const* name)
{
    void* symbol = dlsym(library(), name);
    if (!symbol) {
        std::fprintf(stderr, "libsystemd.so.0: no %s\n", name);
        std::_Exit(127);
    }
    return reinterpret_cast<Function>(symbol);
}

}

// SD_BUS_VTABLE_START points at this, only so that a program built for this vtable format
// fails to load with an older library; sd-bus never reads it. Same value as the library's.
extern "C" const unsigned sd_bus_object_vtable_format = 242;

#define FORWARD(result, name, parameters, arguments)                            \
    extern "C" result name parameters                                           \
    {                                                                           \
        static auto const real = bound<decltype(&::name)>(#name);               \
        return real arguments;                                                  \
    }

// [SECTION] Connections
FORWARD(int, sd_bus_new, (sd_bus * *ret), (ret))
FORWARD(int, sd_bus_open_user, (sd_bus * *ret), (ret))
FORWARD(int, sd_bus_open_system, (sd_bus * *ret), (ret))
FORWARD(int, sd_bus_set_address, (sd_bus * bus, char const* address), (bus, address))
FORWARD(int, sd_bus_set_bus_client, (sd_bus * bus, int b), (bus, b))
FORWARD(int, sd_bus_start, (sd_bus * bus), (bus))
FORWARD(sd_bus*, sd_bus_unref, (sd_bus * bus), (bus))
FORWARD(sd_bus*, sd_bus_flush_close_unref, (sd_bus * bus), (bus))
FORWARD(int, sd_bus_get_fd, (sd_bus * bus), (bus))
FORWARD(int, sd_bus_get_events, (sd_bus * bus), (bus))
FORWARD(int, sd_bus_get_timeout, (sd_bus * bus, uint64_t* timeout_usec), (bus, timeout_usec))
FORWARD(int, sd_bus_get_unique_name, (sd_bus * bus, char const** unique), (bus, unique))
FORWARD(int, sd_bus_process, (sd_bus * bus, sd_bus_message** r), (bus, r))

// [SECTION] Calls, matches and objects
FORWARD(int, sd_bus_call, (sd_bus * bus, sd_bus_message* m, uint64_t usec, sd_bus_error* ret_error, sd_bus_message** reply),
    (bus, m, usec, ret_error, reply))
FORWARD(int, sd_bus_add_match,
    (sd_bus * bus, sd_bus_slot** slot, char const* match, sd_bus_message_handler_t callback, void* userdata),
    (bus, slot, match, callback, userdata))
FORWARD(int, sd_bus_match_signal_async,
    (sd_bus * bus, sd_bus_slot** ret, char const* sender, char const* path, char const* interface, char const* member,
        sd_bus_message_handler_t match_callback, sd_bus_message_handler_t add_callback, void* userdata),
    (bus, ret, sender, path, interface, member, match_callback, add_callback, userdata))
FORWARD(int, sd_bus_add_object_vtable,
    (sd_bus * bus, sd_bus_slot** slot, char const* path, char const* interface, sd_bus_vtable const* vtable, void* userdata),
    (bus, slot, path, interface, vtable, userdata))
FORWARD(sd_bus_slot*, sd_bus_slot_unref, (sd_bus_slot * slot), (slot))

// [SECTION] Messages
FORWARD(int, sd_bus_message_new_method_call,
    (sd_bus * bus, sd_bus_message** m, char const* destination, char const* path, char const* interface, char const* member),
    (bus, m, destination, path, interface, member))
FORWARD(sd_bus_message*, sd_bus_message_unref, (sd_bus_message * m), (m))
FORWARD(sd_bus*, sd_bus_message_get_bus, (sd_bus_message * m), (m))
FORWARD(int, sd_bus_message_get_errno, (sd_bus_message * m), (m))
FORWARD(sd_bus_error const*, sd_bus_message_get_error, (sd_bus_message * m), (m))
FORWARD(int, sd_bus_message_is_method_error, (sd_bus_message * m, char const* name), (m, name))
FORWARD(int, sd_bus_message_append_array, (sd_bus_message * m, char type, void const* ptr, size_t size), (m, type, ptr, size))
FORWARD(int, sd_bus_message_open_container, (sd_bus_message * m, char type, char const* contents), (m, type, contents))
FORWARD(int, sd_bus_message_close_container, (sd_bus_message * m), (m))

#undef FORWARD

// [SECTION] The variadic calls, through the library's va_list forms
extern "C" int sd_bus_message_append(sd_bus_message* m, char const* types, ...)
{
    static auto const real = bound<decltype(&::sd_bus_message_appendv)>("sd_bus_message_appendv");
    va_list ap;
    va_start(ap, types);
    int r = real(m, types, ap);
    va_end(ap);
    return r;
}

extern "C" int sd_bus_message_read(sd_bus_message* m, char const* types, ...)
{
    static auto const real = bound<decltype(&::sd_bus_message_readv)>("sd_bus_message_readv");
    va_list ap;
    va_start(ap, types);
    int r = real(m, types, ap);
    va_end(ap);
    return r;
}

extern "C" int sd_bus_reply_method_return(sd_bus_message* call, char const* types, ...)
{
    static auto const real = bound<decltype(&::sd_bus_reply_method_returnv)>("sd_bus_reply_method_returnv");
    va_list ap;
    va_start(ap, types);
    int r = real(call, types, ap);
    va_end(ap);
    return r;
}

extern "C" int sd_bus_emit_signal(sd_bus* bus, char const* path, char const* interface, char const* member, char const* types, ...)
{
    static auto const real = bound<decltype(&::sd_bus_emit_signalv)>("sd_bus_emit_signalv");
    va_list ap;
    va_start(ap, types);
    int r = real(bus, path, interface, member, types, ap);
    va_end(ap);
    return r;
}

extern "C" int sd_bus_call_method_async(sd_bus* bus, sd_bus_slot** slot, char const* destination, char const* path,
    char const* interface, char const* member, sd_bus_message_handler_t callback, void* userdata, char const* types, ...)
{
    static auto const real = bound<decltype(&::sd_bus_call_method_asyncv)>("sd_bus_call_method_asyncv");
    va_list ap;
    va_start(ap, types);
    int r = real(bus, slot, destination, path, interface, member, callback, userdata, types, ap);
    va_end(ap);
    return r;
}
