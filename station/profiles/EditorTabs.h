// What the tabs of the profile and security editors reach of their editor: the other tabs and
// the tab buttons. A tab finds its editor as the parent of its tab host; a tab made outside an
// editor (a test's bare page) finds none and leaves the editor alone.
#pragma once

#include "platform/framework/Afx.h"

class CPageSystemConfigDlg;
class CPageAuthEncryDlg;
class CPage8021XDlg;

// The tab buttons' control ids.
enum EditorTabButton : int { TAB_BUTTON_SYSCONFIG = 422, TAB_BUTTON_AUTH = 423, TAB_BUTTON_8021X = 424, TAB_BUTTON_WAPI = 425 };

class CEditorTabs {
public:
    virtual ~CEditorTabs() = default;
    // Null in the security editor, which has no system configuration tab.
    virtual CPageSystemConfigDlg* system_config_tab() = 0;
    virtual CPageAuthEncryDlg* auth_tab() = 0;
    virtual CPage8021XDlg* tab_8021x() = 0;
    virtual void enable_tab_button(int id, BOOL enable) = 0;
    // BM_CLICK on the button: the tab host brings its page forward.
    virtual void click_tab_button(int id) = 0;
};

// The editor of a tab page: the page's parent is the tab host, whose parent is the editor.
inline CEditorTabs* FindEditorOf(CWnd* page)
{
    CWnd* const host = page && page->m_hWnd ? page->GetParent() : nullptr;
    CWnd* const editor = host ? host->GetParent() : nullptr;
    return editor ? dynamic_cast<CEditorTabs*>(CWnd::FromHandlePermanent(editor->m_hWnd)) : nullptr;
}
