// CToolTipCtrl: a tool-tip control owned by a window, with members that send the control's
// messages. The control learns where the pointer is from RelayEvent (usually called from the
// owner's PreTranslateMessage) or, for tools added with TTF_SUBCLASS, by itself.
//
// AddTool(window) without a rectangle and id makes the whole window the tool (TTF_IDISHWND):
// its parent is asked for the text when it is LPSTR_TEXTCALLBACK. With a rectangle or an id,
// the tool is that rectangle of the window, named by the id, and the window is asked.
#pragma once

#include "platform/framework/ControlHeaders.h"
#include "platform/framework/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    BOOL Create(CWnd* parent, DWORD style = 0)
    {
        return CWnd::CreateEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->GetSafeHwnd() : nullptr, nullptr);
    }
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(activate)); }
    BOOL AddTool(CWnd* window, LPCTSTR text = LPSTR_TEXTCALLBACK, LPCRECT rect = nullptr, UINT_PTR id = 0)
    {
        if (!window)
            return FALSE;
        TOOLINFO info = tool_info(window, rect, id);
        info.lpszText = const_cast<LPSTR>(text);
        return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
    }
    void DelTool(CWnd* window, UINT_PTR id = 0)
    {
        if (!window)
            return;
        TOOLINFO info = tool_info(window, nullptr, id);
        SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
    }
    void UpdateTipText(LPCTSTR text, CWnd* window, UINT_PTR id = 0)
    {
        if (!window)
            return;
        TOOLINFO info = tool_info(window, nullptr, id);
        info.lpszText = const_cast<LPSTR>(text);
        SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
    }
    void SetToolRect(CWnd* window, UINT_PTR id, LPCRECT rect)
    {
        if (!window || !rect)
            return;
        TOOLINFO info = tool_info(window, rect, id);
        SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&info));
    }
    BOOL GetToolInfo(TOOLINFO& info, CWnd* window, UINT_PTR id = 0) const
    {
        if (!window)
            return FALSE;
        info = tool_info(window, nullptr, id);
        return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&info)));
    }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    // The initial delay (the others follow it), or one delay by TTDT_*.
    void SetDelayTime(UINT delay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(static_cast<WORD>(delay), 0)); }
    void SetDelayTime(DWORD which, int delay) { SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(static_cast<WORD>(delay), 0)); }
    int GetDelayTime(DWORD which) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, which)); }
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
    int GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }
    void Pop() { SendMessage(TTM_POP); }

private:
    static TOOLINFO tool_info(CWnd* window, LPCRECT rect, UINT_PTR id)
    {
        TOOLINFO info {};
        info.cbSize = sizeof info;
        if (!rect && id == 0) {
            info.uFlags = TTF_IDISHWND;
            info.hwnd = ::GetParent(window->m_hWnd);
            info.uId = reinterpret_cast<UINT_PTR>(window->m_hWnd);
        } else {
            info.hwnd = window->m_hWnd;
            info.uId = id;
            if (rect)
                info.rect = *rect;
        }
        return info;
    }
};
