// A station library that exports only two functions, both answering what the test put in the
// environment; every other slot of the binding stays empty.
#include <cstdlib>

namespace {

int from_environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : 0;
}

}

extern "C" __attribute__((visibility("default"))) int VXWL_GetWinOS(void)
{
    return from_environment("STUB_WINOS");
}

extern "C" __attribute__((visibility("default"))) int VXWL_DetectUserAdmin(void)
{
    return from_environment("STUB_ADMIN");
}
