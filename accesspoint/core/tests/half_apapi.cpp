// Every function of the access point library, each answering 7 so a bound call shows; the
// linker map leaves only the first half of them exported.
#include "wlan/api/ApExports.h"

#pragma GCC diagnostic ignored "-Wunused-parameter"

#define HALF_APAPI_DEFINE(name, result, params) \
    extern "C" __attribute__((visibility("default"))) result VXAP_##name params { return result(7); }
VXAP_EXPORTS(HALF_APAPI_DEFINE)
