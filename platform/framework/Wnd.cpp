// CWnd: binding objects to windows, creation, destruction and the pre-translation walk.
#include "platform/framework/Wnd.h"

#include "platform/framework/DialogManager.h"
#include "platform/framework/HandleMap.h"
#include "platform/framework/WinApp.h"
#include "platform/controls/common/ToolHitTracker.h"
#include "platform/user/WindowCore.h"

#include <cstring>
#include <set>
#include <string>

using namespace platform::framework;

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    // An object that goes while its window lives gives the window back to its original
    // procedure first, so the window never calls into a half-destroyed object.
    if (m_hWnd && permanent_object(m_hWnd) == this) {
        HWND const hwnd = m_hWnd;
        Detach();
        if (::IsWindow(hwnd))
            ::DestroyWindow(hwnd);
    }
    m_life.reset();
}

// [SECTION] Handle maps and subclassing

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (CWnd* wnd = permanent_object(hwnd))
        return wnd;
    return temporary_object(hwnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? permanent_object(hwnd) : nullptr;
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd || permanent_object(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    add_permanent(hwnd, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND const hwnd = m_hWnd;
    if (!hwnd)
        return nullptr;
    if (permanent_object(hwnd) == this) {
        remove_permanent(hwnd);
        if (m_pfnSuper && ::IsWindow(hwnd)
            && reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hwnd, GWLP_WNDPROC)) == AfxWndProc)
            ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return hwnd;
}

void CWnd::attach_permanent(HWND hwnd, WNDPROC super)
{
    m_hWnd = hwnd;
    m_pfnSuper = super;
    add_permanent(hwnd, this);
    PreSubclassWindow();
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!::IsWindow(hwnd) || m_hWnd || permanent_object(hwnd))
        return FALSE;
    auto const old = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hwnd, GWLP_WNDPROC));
    m_hWnd = hwnd;
    add_permanent(hwnd, this);
    PreSubclassWindow();
    ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
    m_pfnSuper = old == AfxWndProc ? ::DefWindowProc : old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND const control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return control && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow()
{
    return Detach();
}

void CWnd::PreSubclassWindow() { }

void CWnd::detach_after_destroy()
{
    m_tool_tips.reset();
    remove_permanent(m_hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    PostNcDestroy();
}

void CWnd::PostNcDestroy() { }

// [SECTION] Creation

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR class_name, LPCTSTR window_name, DWORD style, RECT const& rect, CWnd* parent, UINT id, void*)
{
    return CreateEx(0, class_name, window_name, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD ex_style, LPCTSTR class_name, LPCTSTR window_name, DWORD style, RECT const& rect,
    CWnd* parent, UINT id, LPVOID param)
{
    return CreateEx(ex_style, class_name, window_name, style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD ex_style, LPCTSTR class_name, LPCTSTR window_name, DWORD style, int x, int y, int width,
    int height, HWND parent, HMENU menu_or_id, LPVOID param)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs { param, nullptr, menu_or_id, parent, height, width, y, x, static_cast<LONG>(style),
        window_name, class_name, ex_style };
    if (!PreCreateWindow(cs))
        return FALSE;
    // Windows of the framework's own classes are bound from their first message; others are
    // subclassed once they exist.
    WNDCLASSEX info {};
    info.cbSize = sizeof info;
    bool const own_class = ::GetClassInfoEx(nullptr, cs.lpszClass, &info) && info.lpfnWndProc == AfxWndProc;
    CWnd*& creating = creating_object();
    CWnd* const saved = creating;
    if (own_class)
        creating = this;
    HWND const hwnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
        cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, nullptr, cs.lpCreateParams);
    creating = saved;
    if (!hwnd) {
        if (m_hWnd)
            detach_after_destroy();
        return FALSE;
    }
    if (!m_hWnd)
        SubclassWindow(hwnd);
    return m_hWnd == hwnd;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

LPCTSTR AfxRegisterWndClass(UINT class_style, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::set<std::string> names;
    std::string name = "Afx:" + std::to_string(class_style) + ":" + std::to_string(reinterpret_cast<UINT_PTR>(cursor))
        + ":" + std::to_string(reinterpret_cast<UINT_PTR>(background)) + ":"
        + std::to_string(reinterpret_cast<UINT_PTR>(icon));
    auto [it, added] = names.insert(name);
    if (added) {
        WNDCLASSEX wc {};
        wc.cbSize = sizeof wc;
        wc.style = class_style;
        wc.lpfnWndProc = AfxWndProc;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = it->c_str();
        platform::user::register_system_class(wc);
    }
    return it->c_str();
}

// [SECTION] Pre-translation

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

namespace {

bool is_dialog_class(HWND hwnd)
{
    char name[16] {};
    ::GetClassName(hwnd, name, sizeof name);
    return std::strcmp(name, "#32770") == 0;
}

}

namespace {

// The windows from the message's window up to its top-level window.
std::vector<HWND> chain_of(HWND hwnd)
{
    std::vector<HWND> chain;
    for (; hwnd; hwnd = (::GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hwnd) : nullptr)
        chain.push_back(hwnd);
    return chain;
}

// Mouse messages go to the tool tips of every window on the way up first; they never consume
// the message.
void filter_tool_tips(MSG& msg)
{
    bool const mouse = (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) || msg.message == WM_MOUSELEAVE;
    if (!mouse)
        return;
    for (HWND hwnd : chain_of(msg.hwnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd))
            wnd->FilterToolTipMessage(&msg);
    }
}

// F1 asks for help: WM_HELP goes to the focused window and bubbles up through its parents
// (DefWindowProc) until one handles it.
bool send_help(MSG const& msg)
{
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_F1)
        return false;
    HELPINFO info {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = ::GetDlgCtrlID(msg.hwnd);
    info.hItemHandle = msg.hwnd;
    ::GetCursorPos(&info.MousePos);
    ::SendMessage(msg.hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    return true;
}

}

bool AfxPreTranslateMessage(MSG& msg)
{
    if (!msg.hwnd)
        return false;
    filter_tool_tips(msg);
    if (send_help(msg))
        return true;
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = (::GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hwnd) : nullptr) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd)) {
            if (wnd->PreTranslateMessage(&msg))
                return true;
        }
    }
    HWND const top = platform::user::top_level_of(msg.hwnd);
    bool const keyboard = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    if (keyboard && top && is_dialog_class(top) && !CWnd::FromHandlePermanent(top))
        return IsDialogMessage(top, &msg);
    return false;
}

void AfxInstallMessageFilter()
{
    platform::user::set_message_filter([](MSG& msg) { return AfxPreTranslateMessage(msg); });
}
