// How a message reaches a CWnd: the framework's window procedure, WindowProc, the message-map
// walk, commands, notifications and reflection to the control that sent them.
#include "platform/framework/HandleMap.h"
#include "platform/framework/Wnd.h"

using namespace platform::framework;

namespace {

thread_local MSG const* t_current_message = nullptr;

// Saves and restores the message being handled, so nested messages do not lose it.
class CurrentMessage {
public:
    explicit CurrentMessage(MSG const& msg) : m_saved(t_current_message) { t_current_message = &msg; }
    ~CurrentMessage() { t_current_message = m_saved; }

private:
    MSG const* m_saved;
};

bool is_ctl_color(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

bool matches(AFX_MSGMAP_ENTRY const& e, UINT message, UINT code, UINT id)
{
    UINT const number = e.pnRegistered ? *e.pnRegistered : e.nMessage;
    if (number != message)
        return false;
    bool const ranged = message == WM_COMMAND || message == WM_NOTIFY;
    return !ranged || (e.nCode == code && id >= e.nID && id <= e.nLastID);
}

}

// [SECTION] The message map

AFX_MSGMAP const* CCmdTarget::GetThisMessageMap()
{
    static AFX_MSGMAP_ENTRY const entries[] = { { 0, 0, 0, 0, nullptr, nullptr } };
    static AFX_MSGMAP const map = { nullptr, &entries[0] };
    return &map;
}

AFX_MSGMAP const* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

AFX_MSGMAP_ENTRY const* CCmdTarget::find_entry(UINT message, UINT code, UINT id) const
{
    for (AFX_MSGMAP const* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (AFX_MSGMAP_ENTRY const* e = map->lpEntries; e->pfn; ++e) {
            if (matches(*e, message, code, id))
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void*)
{
    bool const notify = HIWORD(static_cast<DWORD>(nCode)) == WM_NOTIFY;
    UINT const code = LOWORD(static_cast<DWORD>(nCode));
    AFX_MSGMAP_ENTRY const* entry = find_entry(notify ? WM_NOTIFY : WM_COMMAND, notify ? static_cast<UINT>(static_cast<SHORT>(code)) : code, nID);
    if (!entry && notify)
        entry = find_entry(WM_NOTIFY, code, nID);
    if (!entry)
        return FALSE;
    LRESULT ignored = 0;
    AfxMessageCall call { notify ? WM_NOTIFY : WM_COMMAND, MAKEWPARAM(static_cast<WORD>(nID), code), 0, nID, &ignored };
    if (notify) {
        auto* n = static_cast<AFX_NOTIFY*>(pExtra);
        call.lParam = reinterpret_cast<LPARAM>(n->pNMHDR);
        call.pResult = n->pResult;
    }
    return entry->pfn(this, call);
}

// [SECTION] The window procedure

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = permanent_object(hwnd);
    if (!wnd) {
        CWnd*& creating = creating_object();
        if (!creating)
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        wnd = creating;
        creating = nullptr;
        wnd->attach_permanent(hwnd, ::DefWindowProc);
    }
    MSG const msg { hwnd, message, wParam, lParam, 0, { 0, 0 } };
    CurrentMessage current(msg);
    std::weak_ptr<int> alive = wnd->life();
    LRESULT const result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && !alive.expired() && wnd->m_hWnd == hwnd)
        wnd->detach_after_destroy();
    return result;
}

MSG const* CWnd::GetCurrentMessage()
{
    return t_current_message;
}

LRESULT CWnd::Default()
{
    MSG const* msg = t_current_message;
    return msg ? DefWindowProc(msg->message, msg->wParam, msg->lParam) : 0;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    std::weak_ptr<int> alive = m_life;
    if (OnWndMsg(message, wParam, lParam, &result) || alive.expired())
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto const* header = reinterpret_cast<NMHDR const*>(lParam);
        return header && header->hwndFrom && OnNotify(wParam, lParam, pResult);
    }
    UINT lookup = message;
    UINT id = 0;
    if (is_ctl_color(message)) {
        lookup = WM_CTLCOLORSTATIC;
        id = message - WM_CTLCOLORMSGBOX;
    }
    AFX_MSGMAP_ENTRY const* entry = find_entry(lookup, 0, 0);
    if (!entry)
        return FALSE;
    AfxMessageCall call { message, wParam, lParam, id, pResult };
    return entry->pfn(this, call);
}

// [SECTION] Commands and notifications

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT const id = LOWORD(wParam);
    HWND const control = reinterpret_cast<HWND>(lParam);
    if (control && ReflectLastMsg(control))
        return TRUE;
    return OnCmdMsg(id, HIWORD(wParam), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(header->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify { pResult, header };
    return OnCmdMsg(static_cast<UINT>(header->idFrom), MAKELONG(static_cast<WORD>(header->code), WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* pResult)
{
    CWnd* control = permanent_object(child);
    MSG const* msg = t_current_message;
    if (!control || !msg)
        return FALSE;
    LRESULT ignored = 0;
    return control->OnChildNotify(msg->message, msg->wParam, msg->lParam, pResult ? pResult : &ignored);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

// The control's own map sees the message at WM_REFLECT_BASE + message. Plain entries consume
// it; _EX entries answer through their handler's result.
BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    AfxMessageCall call { message, wParam, lParam, 0, pResult };
    if (message == WM_COMMAND) {
        return dispatch_command_entry(HIWORD(wParam), LOWORD(wParam), call);
    }
    if (message == WM_NOTIFY) {
        auto const* header = reinterpret_cast<NMHDR const*>(lParam);
        return dispatch_command_entry(header->code, static_cast<UINT>(header->idFrom), call);
    }
    if (is_ctl_color(message)) {
        AFX_MSGMAP_ENTRY const* e = find_entry(WM_REFLECT_BASE + WM_CTLCOLORSTATIC, 0, 0);
        call.nID = message - WM_CTLCOLORMSGBOX;
        return e && e->pfn(this, call);
    }
    AFX_MSGMAP_ENTRY const* e = find_entry(WM_REFLECT_BASE + message, 0, 0);
    return e && e->pfn(this, call);
}

// Reflected commands and notifications match on the code alone: the control knows its id.
BOOL CWnd::dispatch_command_entry(UINT code, UINT, AfxMessageCall& call)
{
    UINT const reflected = WM_REFLECT_BASE + call.message;
    for (AFX_MSGMAP const* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (AFX_MSGMAP_ENTRY const* e = map->lpEntries; e->pfn; ++e) {
            if (e->nMessage == reflected && e->nCode == code)
                return e->pfn(this, call);
        }
    }
    return FALSE;
}
