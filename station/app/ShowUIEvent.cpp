#include "station/app/ShowUIEvent.h"

#include "platform/user/User.h"
#include "station/core/HideDlgIds.h"
#include "station/core/Trace.h"

HANDLE g_hShowUIEvent = nullptr;
std::atomic<int> g_bStopShowUIThread { 0 };

namespace {

// Generic-all to guests, anonymous, authenticated users and administrators, inherited.
constexpr char kShowUIEventSddl[] = "D:(A;OICI;GA;;;BG)(A;OICI;GA;;;AN)(A;OICI;GA;;;AU)(A;OICI;GA;;;BA)";

void post_launch()
{
    HWND const hidden = FindWindow(nullptr, HIDE_DLG_TITLE);
    if (!hidden) {
        TraceMsg(TRACE_STEP, "[Kivra] FindWindow \"Vexlor Utility\" failed!\n");
        return;
    }
    if (!PostMessage(hidden, WM_COMMAND, ID_TRAY_LAUNCH, 0))
        TraceMsg(TRACE_FAIL, "[Kivra] PostMessage ID_TRAY_LAUNCH failed!, GetLastError() = %d\n", int(GetLastError()));
}

}

int BuildEventSecurityAttributes(SECURITY_ATTRIBUTES* attributes)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!attributes
        || !ConvertStringSecurityDescriptorToSecurityDescriptor(kShowUIEventSddl, SDDL_REVISION_1, &descriptor, nullptr)) {
        TraceMsg(TRACE_FAIL, "[Kivra] ConvertStringSecurityDescriptorToSecurityDescriptor() return FALSE, error code = %d\n",
            int(GetLastError()));
        return 0;
    }
    attributes->nLength = sizeof(SECURITY_ATTRIBUTES);
    attributes->lpSecurityDescriptor = descriptor;
    attributes->bInheritHandle = FALSE;
    return 1;
}

UINT ShowUIEventThread(LPVOID)
{
    HANDLE const event = g_hShowUIEvent;
    while (!g_bStopShowUIThread.load()) {
        DWORD const result = WaitForSingleObject(event, INFINITE);
        if (result != WAIT_OBJECT_0) {
            TraceMsg(TRACE_STEP, "[Kivra] WaitForSingleObject() return %d\n", int(result));
            // A wait that fails once fails every time: waiting again would only spin.
            if (result == WAIT_FAILED)
                break;
        } else if (!g_bStopShowUIThread.load()) {
            post_launch();
        }
        ResetEvent(event);
    }
    CloseHandle(event);
    return 0;
}
