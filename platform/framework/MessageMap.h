// Message maps: per-class tables that route window messages, commands and notifications to
// member functions, written as BEGIN_MESSAGE_MAP(Class, Base) ... END_MESSAGE_MAP(). Each
// entry holds the message, the notification code, an id range and a small thunk that decodes
// the parameters and calls the handler with its usual signature; the thunks are the only code
// in the macros. A class's table chains to its base class's table; the first matching entry
// of the most derived class wins.
//
// Reflection: a parent asks the control first. Entries for reflected messages sit at
// WM_REFLECT_BASE + message in the control's map. A reflected entry without _EX consumes the
// message; an _EX entry's handler answers whether it handled it, and FALSE lets the parent see
// the message too.
#pragma once

#include "platform/controls/ControlMessages.h"
#include "platform/user/User.h"

class CCmdTarget;

constexpr UINT WM_REFLECT_BASE = 0xBC00;
// Codes of OnCmdMsg: a plain command, and a notification (MAKELONG(code, WM_NOTIFY)).
constexpr int CN_COMMAND = 0;

// What a thunk sees of the message it handles.
struct AfxMessageCall {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;
    LRESULT* pResult;
};
using AfxMessageThunk = BOOL (*)(CCmdTarget* target, AfxMessageCall& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    // Registered messages: the number is read from this variable when the map is searched.
    UINT const* pnRegistered;
    AfxMessageThunk pfn;
};

struct AFX_MSGMAP {
    AFX_MSGMAP const* (*pfnGetBaseMap)();
    AFX_MSGMAP_ENTRY const* lpEntries;
};

// The extra data of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Run-time class information is answered by dynamic_cast in this framework; these keep the
// declarations of application classes as they were written.
#define DECLARE_DYNAMIC(class_name)
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)
#define DECLARE_DYNCREATE(class_name)
#define IMPLEMENT_DYNCREATE(class_name, base_class_name)
#define afx_msg

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Routes a command (nCode CN_COMMAND or a control notification) or a notification
    // (nCode MAKELONG(code, WM_NOTIFY), pExtra an AFX_NOTIFY) through the message map.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

    // The first entry for `message` (and, for commands and notifications, `code` and `id`)
    // in this object's map chain, or null.
    AFX_MSGMAP_ENTRY const* find_entry(UINT message, UINT code, UINT id) const;

protected:
    static AFX_MSGMAP const* GetThisMessageMap();
    virtual AFX_MSGMAP const* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static AFX_MSGMAP const* GetThisMessageMap();      \
    AFX_MSGMAP const* GetMessageMap() const override; \
                                                       \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                            \
    AFX_MSGMAP const* theClass::GetMessageMap() const { return GetThisMessageMap(); }                     \
    AFX_MSGMAP const* theClass::GetThisMessageMap()                                                      \
    {                                                                                                     \
        using ThisClass = theClass;                                                                       \
        using TheBaseClass = baseClass;                                                                   \
        static_assert(sizeof(ThisClass) > 0);                                                             \
        static AFX_MSGMAP_ENTRY const entries[] = {

#define END_MESSAGE_MAP()                                                                    \
    { 0, 0, 0, 0, nullptr, nullptr }                                                         \
    }                                                                                        \
    ;                                                                                        \
    static AFX_MSGMAP const map = { &TheBaseClass::GetThisMessageMap, &entries[0] };         \
    return &map;                                                                             \
    }

// The target object of a thunk, as the class whose map holds the entry.
#define AFX_THIS (static_cast<ThisClass*>(target))
#define AFX_THUNK(body) [](CCmdTarget* target, AfxMessageCall& call) -> BOOL { (void)target; (void)call; body }

// [SECTION] Messages by number
#define ON_MESSAGE(message, memberFxn) \
    { static_cast<UINT>(message), 0, 0, 0, nullptr, AFX_THUNK(*call.pResult = AFX_THIS->memberFxn(call.wParam, call.lParam); return TRUE;) },
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0, 0, 0, 0, &nMessageVariable, AFX_THUNK(*call.pResult = AFX_THIS->memberFxn(call.wParam, call.lParam); return TRUE;) },
#define ON_THREAD_MESSAGE(message, memberFxn) \
    { static_cast<UINT>(message), 0, 0, 0, nullptr, AFX_THUNK(AFX_THIS->memberFxn(call.wParam, call.lParam); return TRUE;) },

// [SECTION] Commands
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), nullptr, AFX_THUNK(AFX_THIS->memberFxn(); return TRUE;) },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), nullptr, AFX_THUNK(return AFX_THIS->memberFxn(call.nID);) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), nullptr, AFX_THUNK(AFX_THIS->memberFxn(call.nID); return TRUE;) },
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, AFX_THUNK(AFX_THIS->memberFxn(); return TRUE;) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(idLast), nullptr, AFX_THUNK(AFX_THIS->memberFxn(call.nID); return TRUE;) },
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// [SECTION] Notifications (WM_NOTIFY)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                              \
    { WM_NOTIFY, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, \
        AFX_THUNK(AFX_THIS->memberFxn(reinterpret_cast<NMHDR*>(call.lParam), call.pResult); return TRUE;) },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                           \
    { WM_NOTIFY, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, \
        AFX_THUNK(return AFX_THIS->memberFxn(call.nID, reinterpret_cast<NMHDR*>(call.lParam), call.pResult);) },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                    \
    { WM_NOTIFY, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(idLast), nullptr, \
        AFX_THUNK(AFX_THIS->memberFxn(call.nID, reinterpret_cast<NMHDR*>(call.lParam), call.pResult); return TRUE;) },

// [SECTION] Reflected to the control that sent them
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                               \
    { WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(wNotifyCode), 0, 0xFFFF, nullptr,          \
        AFX_THUNK(AFX_THIS->memberFxn(reinterpret_cast<NMHDR*>(call.lParam), call.pResult); return TRUE;) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                            \
    { WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(wNotifyCode), 0, 0xFFFF, nullptr,          \
        AFX_THUNK(return AFX_THIS->memberFxn(reinterpret_cast<NMHDR*>(call.lParam), call.pResult);) },
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(wNotifyCode), 0, 0xFFFF, nullptr, AFX_THUNK(AFX_THIS->memberFxn(); return TRUE;) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(wNotifyCode), 0, 0xFFFF, nullptr, AFX_THUNK(return AFX_THIS->memberFxn();) },
#define ON_BN_CLICKED_REFLECT(memberFxn) ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)
#define ON_CBN_SELCHANGE_REFLECT(memberFxn) ON_CONTROL_REFLECT(CBN_SELCHANGE, memberFxn)
// HBRUSH CtlColor(CDC*, UINT nCtlColor): a brush answers the parent's WM_CTLCOLOR*; null lets
// the parent decide.
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    { WM_REFLECT_BASE + WM_CTLCOLORSTATIC, 0, 0, 0, nullptr, AFX_THUNK(                            \
        HBRUSH brush = AFX_THIS->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)),      \
            static_cast<UINT>(call.nID));                                                           \
        *call.pResult = reinterpret_cast<LRESULT>(brush); return brush != nullptr;) },

// [SECTION] Window messages with decoded parameters
#define AFX_WM(message, body) { message, 0, 0, 0, nullptr, AFX_THUNK(body) },
#define AFX_CWND(value) CWnd::FromHandle(reinterpret_cast<HWND>(value))
#define AFX_CDC(value) CDC::FromHandle(reinterpret_cast<HDC>(value))

#define ON_WM_CREATE() AFX_WM(WM_CREATE, *call.pResult = AFX_THIS->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam)); return TRUE;)
#define ON_WM_DESTROY() AFX_WM(WM_DESTROY, AFX_THIS->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY() AFX_WM(WM_NCDESTROY, AFX_THIS->OnNcDestroy(); return TRUE;)
#define ON_WM_CLOSE() AFX_WM(WM_CLOSE, AFX_THIS->OnClose(); return TRUE;)
#define ON_WM_PAINT() AFX_WM(WM_PAINT, AFX_THIS->OnPaint(); return TRUE;)
#define ON_WM_ERASEBKGND() AFX_WM(WM_ERASEBKGND, *call.pResult = AFX_THIS->OnEraseBkgnd(AFX_CDC(call.wParam)); return TRUE;)
#define ON_WM_TIMER() AFX_WM(WM_TIMER, AFX_THIS->OnTimer(static_cast<UINT_PTR>(call.wParam)); return TRUE;)
#define ON_WM_SHOWWINDOW() AFX_WM(WM_SHOWWINDOW, AFX_THIS->OnShowWindow(static_cast<BOOL>(call.wParam), static_cast<UINT>(call.lParam)); return TRUE;)
#define ON_WM_SIZE() AFX_WM(WM_SIZE, AFX_THIS->OnSize(static_cast<UINT>(call.wParam), GET_X_LPARAM(call.lParam), GET_Y_LPARAM(call.lParam)); return TRUE;)
#define ON_WM_MOVE() AFX_WM(WM_MOVE, AFX_THIS->OnMove(GET_X_LPARAM(call.lParam), GET_Y_LPARAM(call.lParam)); return TRUE;)
#define ON_WM_NCHITTEST() AFX_WM(WM_NCHITTEST, *call.pResult = AFX_THIS->OnNcHitTest(CPoint(call.lParam)); return TRUE;)
#define ON_WM_HELPINFO() AFX_WM(WM_HELP, *call.pResult = AFX_THIS->OnHelpInfo(reinterpret_cast<HELPINFO*>(call.lParam)); return TRUE;)
#define ON_WM_SETFOCUS() AFX_WM(WM_SETFOCUS, AFX_THIS->OnSetFocus(AFX_CWND(call.wParam)); return TRUE;)
#define ON_WM_KILLFOCUS() AFX_WM(WM_KILLFOCUS, AFX_THIS->OnKillFocus(AFX_CWND(call.wParam)); return TRUE;)
#define ON_WM_ENABLE() AFX_WM(WM_ENABLE, AFX_THIS->OnEnable(static_cast<BOOL>(call.wParam)); return TRUE;)
#define ON_WM_ACTIVATE() AFX_WM(WM_ACTIVATE, AFX_THIS->OnActivate(LOWORD(call.wParam), AFX_CWND(call.lParam), HIWORD(call.wParam)); return TRUE;)
#define ON_WM_ACTIVATEAPP() AFX_WM(WM_ACTIVATEAPP, AFX_THIS->OnActivateApp(static_cast<BOOL>(call.wParam), static_cast<DWORD>(call.lParam)); return TRUE;)
#define ON_WM_SYSCOMMAND() AFX_WM(WM_SYSCOMMAND, AFX_THIS->OnSysCommand(static_cast<UINT>(call.wParam), call.lParam); return TRUE;)
#define ON_WM_SYSCOLORCHANGE() AFX_WM(WM_SYSCOLORCHANGE, AFX_THIS->OnSysColorChange(); return TRUE;)
#define ON_WM_QUERYENDSESSION() AFX_WM(WM_QUERYENDSESSION, *call.pResult = AFX_THIS->OnQueryEndSession(); return TRUE;)
#define ON_WM_ENDSESSION() AFX_WM(WM_ENDSESSION, AFX_THIS->OnEndSession(static_cast<BOOL>(call.wParam)); return TRUE;)
#define ON_WM_DEVICECHANGE() AFX_WM(WM_DEVICECHANGE, *call.pResult = AFX_THIS->OnDeviceChange(static_cast<UINT>(call.wParam), static_cast<DWORD_PTR>(call.lParam)); return TRUE;)
#define ON_WM_QUERYDRAGICON() AFX_WM(WM_QUERYDRAGICON, *call.pResult = reinterpret_cast<LRESULT>(AFX_THIS->OnQueryDragIcon()); return TRUE;)
#define ON_WM_GETDLGCODE() AFX_WM(WM_GETDLGCODE, *call.pResult = AFX_THIS->OnGetDlgCode(); return TRUE;)
#define ON_WM_SETCURSOR() AFX_WM(WM_SETCURSOR, *call.pResult = AFX_THIS->OnSetCursor(AFX_CWND(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE;)
#define ON_WM_CONTEXTMENU() AFX_WM(WM_CONTEXTMENU, AFX_THIS->OnContextMenu(AFX_CWND(call.wParam), CPoint(call.lParam)); return TRUE;)
#define ON_WM_CAPTURECHANGED() AFX_WM(WM_CAPTURECHANGED, AFX_THIS->OnCaptureChanged(AFX_CWND(call.lParam)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() AFX_WM(WM_WINDOWPOSCHANGED, AFX_THIS->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(call.lParam)); return TRUE;)
#define ON_WM_HSCROLL() AFX_WM(WM_HSCROLL, AFX_THIS->OnHScroll(LOWORD(call.wParam), HIWORD(call.wParam), reinterpret_cast<CScrollBar*>(AFX_CWND(call.lParam))); return TRUE;)
#define ON_WM_VSCROLL() AFX_WM(WM_VSCROLL, AFX_THIS->OnVScroll(LOWORD(call.wParam), HIWORD(call.wParam), reinterpret_cast<CScrollBar*>(AFX_CWND(call.lParam))); return TRUE;)
#define ON_WM_CTLCOLOR()                                                                                    \
    { WM_CTLCOLORSTATIC, 0, 0, 0, nullptr, AFX_THUNK(                                                       \
        *call.pResult = reinterpret_cast<LRESULT>(AFX_THIS->OnCtlColor(AFX_CDC(call.wParam), AFX_CWND(call.lParam), \
            static_cast<UINT>(call.nID))); return TRUE;) },
#define ON_WM_DRAWITEM() AFX_WM(WM_DRAWITEM, AFX_THIS->OnDrawItem(static_cast<int>(call.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); *call.pResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM() AFX_WM(WM_MEASUREITEM, AFX_THIS->OnMeasureItem(static_cast<int>(call.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); *call.pResult = TRUE; return TRUE;)
#define ON_WM_COMPAREITEM() AFX_WM(WM_COMPAREITEM, *call.pResult = AFX_THIS->OnCompareItem(static_cast<int>(call.wParam), reinterpret_cast<COMPAREITEMSTRUCT*>(call.lParam)); return TRUE;)
#define ON_WM_DELETEITEM() AFX_WM(WM_DELETEITEM, AFX_THIS->OnDeleteItem(static_cast<int>(call.wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(call.lParam)); *call.pResult = TRUE; return TRUE;)

#define AFX_MOUSE(message, fn) AFX_WM(message, AFX_THIS->fn(static_cast<UINT>(call.wParam), CPoint(call.lParam)); return TRUE;)
#define ON_WM_MOUSEMOVE() AFX_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_NCLBUTTONDOWN() AFX_WM(WM_NCLBUTTONDOWN, AFX_THIS->OnNcLButtonDown(static_cast<UINT>(call.wParam), CPoint(call.lParam)); return TRUE;)
#define AFX_KEY(message, fn) AFX_WM(message, AFX_THIS->fn(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE;)
#define ON_WM_KEYDOWN() AFX_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY(WM_CHAR, OnChar)
