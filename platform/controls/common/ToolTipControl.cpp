// The tool-tip control's tools and messages.
#include "platform/controls/common/ToolTipControl.h"

#include "platform/controls/common/Registration.h"
#include "platform/user/Input.h"
#include "platform/user/Trace.h"
#include "platform/user/WindowCore.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform::commctrl {

namespace {

bool size_ok(UINT size)
{
    return size >= TTTOOLINFO_V1_SIZE && size <= sizeof(TOOLINFO);
}

// The messages whose lParam is a TOOLINFO.
bool is_tool_message(UINT message)
{
    return message == TTM_ADDTOOL || message == TTM_DELTOOL || message == TTM_UPDATETIPTEXT || message == TTM_NEWTOOLRECT
        || message == TTM_GETTOOLINFO || message == TTM_TRACKACTIVATE;
}

bool is_text_callback(LPCSTR text)
{
    return text == LPSTR_TEXTCALLBACK;
}

// Texts given as resource numbers need a string table this module does not have; they are
// kept as no text.
std::string text_of(LPCSTR text)
{
    if (!text || is_text_callback(text) || reinterpret_cast<UINT_PTR>(text) < 0x10000)
        return {};
    return text;
}

bool is_mouse_message(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE;
}

}

void register_tool_tip_class()
{
    WNDCLASSEX wc {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_SAVEBITS | CS_GLOBALCLASS;
    wc.lpfnWndProc = control_window_proc<ToolTipControl>;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = TOOLTIPS_CLASS;
    user::register_system_class(wc);
}

ToolTipControl::ToolTipControl(HWND hwnd)
    : m_hwnd(hwnd)
{
}

ToolTipControl::~ToolTipControl()
{
    for (Tool const& tool : m_tools) {
        if (tool.flags & TTF_SUBCLASS)
            unwatch_tool_window(tool.window(), m_hwnd);
    }
}

ToolTipControl* ToolTipControl::from(HWND hwnd)
{
    return control_of<ToolTipControl>(hwnd);
}

LRESULT ToolTipControl::dispatch(UINT message, WPARAM wparam, LPARAM lparam)
{
    auto const* info = reinterpret_cast<TOOLINFO const*>(lparam);
    bool info_ok = is_tool_message(message) && info && size_ok(info->cbSize);
    switch (message) {
    case WM_CREATE:
        on_create();
        return 0;
    case TTM_ACTIVATE:
        activate(wparam != 0);
        return 0;
    case TTM_ADDTOOL:
        return info_ok ? add_tool(*info) : FALSE;
    case TTM_DELTOOL:
        if (info_ok)
            delete_tool(*info);
        return 0;
    case TTM_UPDATETIPTEXT:
        if (info_ok)
            update_text(*info);
        return 0;
    case TTM_NEWTOOLRECT:
        if (info_ok)
            new_rect(*info);
        return 0;
    case TTM_GETTOOLINFO:
        return info_ok ? get_tool_info(*reinterpret_cast<TOOLINFO*>(lparam)) : FALSE;
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(m_tools.size());
    case TTM_RELAYEVENT:
        if (lparam)
            relay(*reinterpret_cast<MSG const*>(lparam));
        return 0;
    case TTM_TRACKACTIVATE:
        track(wparam != 0, info_ok ? info : nullptr);
        return 0;
    case TTM_TRACKPOSITION:
        track_position(POINT { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) });
        return 0;
    case TTM_SETDELAYTIME:
        set_delay(wparam, static_cast<short>(LOWORD(lparam)));
        return 0;
    case TTM_GETDELAYTIME:
        return delay(wparam);
    case TTM_SETMAXTIPWIDTH:
        return std::exchange(m_max_width, static_cast<int>(lparam));
    case TTM_GETMAXTIPWIDTH:
        return m_max_width;
    case TTM_POP:
        pop(m_phase == Phase::Idle ? Phase::Idle : Phase::Done);
        return 0;
    case WM_TIMER:
        on_timer(wparam);
        return 0;
    case WM_PAINT:
        on_paint();
        return 0;
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wparam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_NCHITTEST:
        // The pointer over the tip is over the tool below it.
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        if (is_mouse_message(message) && message != WM_MOUSEMOVE && message != WM_MOUSELEAVE)
            pop(Phase::Done);
        return DefWindowProc(m_hwnd, message, wparam, lparam);
    }
}

// The tip is a pop-up that floats over everything and never takes the activation, whatever
// style its creator gave.
void ToolTipControl::on_create()
{
    DWORD style = static_cast<DWORD>(GetWindowLong(m_hwnd, GWL_STYLE));
    SetWindowLong(m_hwnd, GWL_STYLE, static_cast<LONG>((style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP));
    DWORD ex = static_cast<DWORD>(GetWindowLong(m_hwnd, GWL_EXSTYLE));
    SetWindowLong(m_hwnd, GWL_EXSTYLE, static_cast<LONG>(ex | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE));
}

int ToolTipControl::find(HWND hwnd, UINT_PTR id) const
{
    for (std::size_t i = 0; i < m_tools.size(); ++i) {
        if (m_tools[i].hwnd == hwnd && m_tools[i].id == id)
            return static_cast<int>(i);
    }
    return -1;
}

// The first tool that covers `client` (client coordinates of `window`).
int ToolTipControl::tool_at(HWND window, POINT client) const
{
    for (std::size_t i = 0; i < m_tools.size(); ++i) {
        Tool const& tool = m_tools[i];
        if (tool.flags & TTF_TRACK)
            continue;
        if (tool.flags & TTF_IDISHWND) {
            if (tool.window() == window)
                return static_cast<int>(i);
        } else if (tool.hwnd == window && PtInRect(&tool.rect, client)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

BOOL ToolTipControl::add_tool(TOOLINFO const& info)
{
    if (!IsWindow(info.hwnd) && !((info.uFlags & TTF_IDISHWND) && IsWindow(reinterpret_cast<HWND>(info.uId))))
        return FALSE;
    if (find(info.hwnd, info.uId) >= 0)
        return FALSE;
    Tool tool;
    tool.flags = info.uFlags;
    tool.hwnd = info.hwnd;
    tool.id = info.uId;
    tool.rect = info.rect;
    tool.callback = is_text_callback(info.lpszText);
    tool.text = text_of(info.lpszText);
    tool.param = info.cbSize > offsetof(TOOLINFO, lParam) ? info.lParam : 0;
    m_tools.push_back(std::move(tool));
    if (info.uFlags & TTF_SUBCLASS)
        watch_tool_window(m_tools.back().window(), m_hwnd);
    return TRUE;
}

void ToolTipControl::delete_tool(TOOLINFO const& info)
{
    int index = find(info.hwnd, info.uId);
    if (index < 0)
        return;
    if (index == m_tool || index == m_pointer) {
        // A hit-test manager replaces the tool as the pointer moves from cell to cell.
        bool was_shown = index == m_tool && m_phase == Phase::Shown;
        pop(Phase::Idle);
        m_reshow_next = was_shown;
    }
    if (index == m_tracked)
        track(false, nullptr);
    if (m_tools[static_cast<std::size_t>(index)].flags & TTF_SUBCLASS)
        unwatch_tool_window(m_tools[static_cast<std::size_t>(index)].window(), m_hwnd);
    m_tools.erase(m_tools.begin() + index);
    auto shift = [index](int& i) { i = i == index ? -1 : i - (i > index); };
    shift(m_tool);
    shift(m_pointer);
    shift(m_tracked);
}

BOOL ToolTipControl::update_text(TOOLINFO const& info)
{
    int index = find(info.hwnd, info.uId);
    if (index < 0)
        return FALSE;
    Tool& tool = m_tools[static_cast<std::size_t>(index)];
    tool.callback = is_text_callback(info.lpszText);
    tool.text = text_of(info.lpszText);
    if (index == m_tracked) {
        track(true, &info);
        return TRUE;
    }
    if (index == m_tool && m_phase == Phase::Shown) {
        if (tool.callback || tool.text.empty()) {
            pop(Phase::Done);
        } else {
            m_shown_text = tool.text;
            SetWindowText(m_hwnd, m_shown_text.c_str());
            POINT pointer {};
            GetCursorPos(&pointer);
            place(pointer);
        }
    }
    return TRUE;
}

BOOL ToolTipControl::new_rect(TOOLINFO const& info)
{
    int index = find(info.hwnd, info.uId);
    if (index < 0)
        return FALSE;
    m_tools[static_cast<std::size_t>(index)].rect = info.rect;
    return TRUE;
}

// The text goes to lpszText only when the caller gave a buffer, and at most 79 characters of
// it with the terminator: the record carries no buffer size, and 80 bytes is the size every
// tip text buffer of this API has.
BOOL ToolTipControl::get_tool_info(TOOLINFO& info) const
{
    int index = find(info.hwnd, info.uId);
    if (index < 0)
        return FALSE;
    Tool const& tool = m_tools[static_cast<std::size_t>(index)];
    info.uFlags = tool.flags;
    info.rect = tool.rect;
    if (tool.callback) {
        info.lpszText = LPSTR_TEXTCALLBACK;
    } else if (info.lpszText && !is_text_callback(info.lpszText)) {
        std::size_t n = std::min<std::size_t>(tool.text.size(), 79);
        std::memcpy(info.lpszText, tool.text.data(), n);
        info.lpszText[n] = '\0';
    }
    if (info.cbSize > offsetof(TOOLINFO, lParam))
        info.lParam = tool.param;
    return TRUE;
}

void ToolTipControl::set_delay(WPARAM which, int ms)
{
    int value = ms < 0 ? -1 : ms;
    switch (which) {
    case TTDT_AUTOMATIC:
        m_initial = value;
        m_autopop = value < 0 ? -1 : value * 10;
        m_reshow = value < 0 ? -1 : value / 5;
        break;
    case TTDT_RESHOW:
        m_reshow = value;
        break;
    case TTDT_AUTOPOP:
        m_autopop = value;
        break;
    case TTDT_INITIAL:
        m_initial = value;
        break;
    default:
        platform::trace("tool tip: unknown delay %u", static_cast<unsigned>(which));
        break;
    }
}

int ToolTipControl::delay(WPARAM which) const
{
    int base = static_cast<int>(GetDoubleClickTime());
    switch (which) {
    case TTDT_RESHOW:
        return m_reshow >= 0 ? m_reshow : base / 5;
    case TTDT_AUTOPOP:
        return m_autopop >= 0 ? m_autopop : base * 10;
    case TTDT_INITIAL:
    case TTDT_AUTOMATIC:
        return m_initial >= 0 ? m_initial : base;
    default:
        return 0;
    }
}

}
