// The status callback the hidden dialog registers with the library together with the adapter.
// It runs on the library's own thread.
#pragma once

#include "wlan/api/Callback.h"

// FIXME: the authentication events, worker threads and media messages come with the status
// callback's own work; until then each event is traced.
// The contract names the function's type rsCallBackFunc, so the function lives in a namespace.
namespace station::core {
void rsCallBackFunc(unsigned int event, void* data, char* out);
}
