// The status callback the hidden dialog registers with the library together with the adapter.
// It runs on the library's own thread: it announces progress lines, starts the worker threads,
// answers the library's requests for a new password and for PAC files, and hands what must
// happen on the user-interface thread (the recovery after a failed authentication, re-applying
// the active profile) to the hidden dialog by posted messages.
#pragma once

#include "wlan/api/Callback.h"

// The contract names the function's type rsCallBackFunc, so the function lives in a namespace.
namespace station::core {
void rsCallBackFunc(unsigned int event, void* data, char* out);
// Empties the A-ID and PAC path buffers (start-up, before the callback is registered).
void ClearCallbackBuffers();
}
