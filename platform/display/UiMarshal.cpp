#include "platform/display/UiMarshal.h"

#include "platform/user/WindowCore.h"

namespace platform::display {

namespace {

constexpr char class_name[] = "VxPresenterMarshal";
constexpr UINT run_calls_message = WM_APP + 0x3F0;

void register_class_once()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEX wc {};
    wc.cbSize = sizeof(wc);
    wc.lpszClassName = class_name;
    wc.lpfnWndProc = DefWindowProc;
    user::register_system_class(wc);
    registered = true;
}

}

UiMarshal::UiMarshal()
{
    register_class_once();
    m_window = CreateWindowEx(0, class_name, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtr(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UiMarshal::window_proc));
    SetWindowLongPtr(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

UiMarshal::~UiMarshal()
{
    {
        std::lock_guard lock(m_mutex);
        m_calls.clear();
    }
    if (IsWindow(m_window)) {
        SetWindowLongPtr(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

void UiMarshal::post(std::function<void()> call)
{
    std::lock_guard lock(m_mutex);
    m_calls.push_back(std::move(call));
    // One wake-up message covers every call queued before it is handled.
    if (!m_wake_posted)
        m_wake_posted = PostMessage(m_window, run_calls_message, 0, 0) != FALSE;
}

void UiMarshal::run_pending()
{
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard lock(m_mutex);
            if (m_calls.empty()) {
                m_wake_posted = false;
                return;
            }
            call = std::move(m_calls.front());
            m_calls.pop_front();
        }
        call();
    }
}

LRESULT UiMarshal::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto* self = reinterpret_cast<UiMarshal*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (message == run_calls_message && self) {
        self->run_pending();
        return 0;
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

bool is_marshal_window(HWND hwnd)
{
    char name[64] {};
    return GetClassName(hwnd, name, sizeof(name)) > 0 && std::string_view(name) == class_name;
}

}
