// CWnd: a C++ object bound to a window handle. The object receives every message of its
// window through WindowProc (override it to see them first), which routes them through the
// message map and leaves the rest to DefWindowProc (the window's original procedure).
//
// Binding rules:
// - A window created by the object (Create, CreateEx) or subclassed from an existing window
//   (SubclassWindow, SubclassDlgItem, DDX_Control) is in the permanent map until WM_NCDESTROY;
//   PreSubclassWindow runs on both paths before the object sees its first message.
// - FromHandle answers the permanent object, or a temporary one made for the handle; temporary
//   objects live until AfxDeleteTempMap (the application's idle time), so a pointer from
//   GetDlgItem stays usable for the rest of the handler that asked for it.
// - After WM_NCDESTROY the object is detached and PostNcDestroy runs (a class that allocates
//   itself with new deletes itself there). Dispatch never touches an object after a handler
//   destroyed it.
#pragma once

#include "platform/framework/CRect.h"
#include "platform/framework/CString.h"
#include "platform/framework/MessageMap.h"
#include "platform/user/Input.h"
#include "platform/user/User.h"

#include <memory>

class CDC;
class CFont;
class CMenu;
class CScrollBar;
class CDataExchange;
struct TOOLINFO;

namespace platform::commctrl {
class ToolHitTracker;
}

// The parameter of WM_HELP (F1).
struct HELPINFO {
    UINT cbSize;
    int iContextType;
    int iCtrlId;
    HANDLE hItemHandle;
    DWORD_PTR dwContextId;
    POINT MousePos;
};
using LPHELPINFO = HELPINFO*;
constexpr int HELPINFO_WINDOW = 1;
constexpr int HELPINFO_MENUITEM = 2;

constexpr UINT CTLCOLOR_MSGBOX = 0;
constexpr UINT CTLCOLOR_EDIT = 1;
constexpr UINT CTLCOLOR_LISTBOX = 2;
constexpr UINT CTLCOLOR_BTN = 3;
constexpr UINT CTLCOLOR_DLG = 4;
constexpr UINT CTLCOLOR_SCROLLBAR = 5;
constexpr UINT CTLCOLOR_STATIC = 6;

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;
    CWnd(CWnd const&) = delete;
    CWnd& operator=(CWnd const&) = delete;

    HWND m_hWnd {};
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // [SECTION] Handle maps and subclassing
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    BOOL Attach(HWND hwnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    virtual void PreSubclassWindow();

    // [SECTION] Creation and destruction
    virtual BOOL Create(LPCTSTR class_name, LPCTSTR window_name, DWORD style, RECT const& rect, CWnd* parent,
        UINT id, void* context = nullptr);
    BOOL CreateEx(DWORD ex_style, LPCTSTR class_name, LPCTSTR window_name, DWORD style, int x, int y, int width,
        int height, HWND parent, HMENU menu_or_id, LPVOID param = nullptr);
    BOOL CreateEx(DWORD ex_style, LPCTSTR class_name, LPCTSTR window_name, DWORD style, RECT const& rect,
        CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL DestroyWindow();
    virtual void PostNcDestroy();

    // [SECTION] Message processing
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND child, LRESULT* pResult = nullptr);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The message being handled passed on to the original procedure.
    LRESULT Default();
    static MSG const* GetCurrentMessage();

    // [SECTION] Tool tips
    // On: a tool tip shows for the tool OnToolHitTest finds under the pointer, in this window
    // or one of its descendants (the framework's message filter hands it their messages).
    // Off: the tip is hidden and no tool is looked for. Answers the previous state.
    BOOL EnableToolTips(BOOL enable = TRUE);
    // The tool at `point` (client coordinates): fills `pTI` (hwnd, uId, uFlags, rect,
    // lpszText) and answers a hit code, -1 for none. The default makes the visible child
    // window under the point the tool, its text asked from this window by TTN_NEEDTEXT.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    // Hands a message to the tool tips of this window (the framework's filter calls it).
    void FilterToolTipMessage(MSG* pMsg);

    // [SECTION] Data exchange
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // [SECTION] Modal loops on this window
    int RunModalLoop(DWORD flags = 0);
    virtual void EndModalLoop(int result);
    virtual BOOL ContinueModal();

    // [SECTION] Relatives
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* parent);
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT relation) const;
    CWnd* GetLastActivePopup() const;
    // The window to own a modal dialog or message box: the top-level parent of `parent`, or of
    // the application's main window, or of the active window; then its last active pop-up.
    static HWND GetSafeOwner_(CWnd* parent, HWND* top_level = nullptr);
    static CWnd* GetSafeOwner(CWnd* parent = nullptr, HWND* top_level = nullptr);
    BOOL IsChild(CWnd const* window) const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const;
    static CWnd* FindWindow(LPCTSTR class_name, LPCTSTR window_name);
    static CWnd* GetDesktopWindow();
    static CWnd* GetForegroundWindow();
    static CWnd* GetActiveWindow();
    static CWnd* GetFocus();

    // [SECTION] Attributes
    void SetWindowText(LPCTSTR text);
    int GetWindowText(LPTSTR buffer, int size) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swp_flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swp_flags = 0);
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON icon, BOOL big);
    HICON GetIcon(BOOL big) const;

    // [SECTION] Geometry and visibility
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(CWnd const* insert_after, int x, int y, int cx, int cy, UINT flags);
    void CenterWindow(CWnd* alternate_owner = nullptr);
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    CWnd* SetFocus();
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    CWnd* SetActiveWindow();
    CWnd* SetCapture();

    // [SECTION] Painting and timers
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr, UINT flags = RDW_INVALIDATE | RDW_ERASE);
    void SetRedraw(BOOL redraw = TRUE);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // [SECTION] Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = 0);

    // [SECTION] Dialog items
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, LPTSTR buffer, int size) const;
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL is_signed = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL is_signed = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int first, int last, int check);
    int GetCheckedRadioButton(int first, int last);
    BOOL ExecuteDlgInit(UINT template_id);

protected:
    // [SECTION] Default handlers: each passes the message to the original procedure; the
    // owner-drawing, colour and scroll ones ask the control first (reflection).
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnHelpInfo(HELPINFO* info);
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnKillFocus(CWnd* next);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
    afx_msg void OnActivateApp(BOOL active, DWORD thread_id);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL ending);
    afx_msg BOOL OnDeviceChange(UINT event, DWORD_PTR data);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg UINT OnGetDlgCode();
    afx_msg BOOL OnSetCursor(CWnd* window, UINT hit_test, UINT message);
    afx_msg void OnContextMenu(CWnd* window, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* window);
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT ctl_color);
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    afx_msg void OnDeleteItem(int id, LPDELETEITEMSTRUCT item);
    afx_msg int OnCompareItem(int id, COMPAREITEMSTRUCT* item);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT hit_test, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);

    WNDPROC m_pfnSuper {};
    DECLARE_MESSAGE_MAP()

public:
    // [SECTION] Framework internals
    // True while the object exists; dispatch checks it after each handler.
    std::weak_ptr<int> life() const { return m_life; }
    void attach_permanent(HWND hwnd, WNDPROC super);
    void detach_after_destroy();

private:
    BOOL dispatch_command_entry(UINT code, UINT id, AfxMessageCall& call);
    std::shared_ptr<int> m_life = std::make_shared<int>(0);
    std::unique_ptr<platform::commctrl::ToolHitTracker> m_tool_tips;
};

// The window procedure of every window class the framework registers.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Frees the temporary objects FromHandle made.
void AfxDeleteTempMap();
// A window class with the framework's procedure; answers its name (kept by the framework).
LPCTSTR AfxRegisterWndClass(UINT class_style, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
    HICON icon = nullptr);
// The message filter every loop of the platform calls: the PreTranslateMessage walk from the
// message's window up through its ancestors (each CDialog on the way runs the dialog
// manager), then the dialog manager for a plain dialog window at the top.
bool AfxPreTranslateMessage(MSG& msg);
void AfxInstallMessageFilter();
