// Dialog templates in memory and the dialog builder. CDialogTemplate loads a template by id
// and can replace its font before a dialog is made from it; its memory handle (m_hTemplate)
// locks to a DLGTEMPLATE that CDialog::CreateIndirect accepts.
//
// The builder lays a template out in pixels with the base units of the template's font
// (DialogManager.h): x and widths by units.cx / 4, y and heights by units.cy / 8. A template
// without DS_SETFONT uses "MS Shell Dlg" 8 points. The template's size is the client area; the
// frame of its style is added around it. A child dialog is placed in its parent's client
// area, a pop-up relative to its owner's client area (or the screen), and DS_CENTER centres it.
// Controls are created by class name with WS_CHILD; when one cannot be created the dialog is
// not made, unless the template has DS_NOFAILCREATE.
#pragma once

#include "platform/framework/CString.h"
#include "platform/framework/Resources.h"

#include <memory>

// What GlobalLock(CDialogTemplate::m_hTemplate) points at.
struct DLGTEMPLATE {
    DWORD magic;
    platform::framework::DialogResource const* dialog;
};
using LPCDLGTEMPLATE = DLGTEMPLATE const*;
constexpr DWORD dialog_template_magic = 0x544C4744; // "DGLT"

class CDialogTemplate {
public:
    CDialogTemplate() = default;
    explicit CDialogTemplate(LPCDLGTEMPLATE source);
    ~CDialogTemplate();
    CDialogTemplate(CDialogTemplate const&) = delete;
    CDialogTemplate& operator=(CDialogTemplate const&) = delete;

    // By id (MAKEINTRESOURCE); FALSE when the program has no such template.
    BOOL Load(LPCTSTR name);
    BOOL SetFont(LPCTSTR face, WORD points);
    BOOL GetFont(CString& face, WORD& points) const;
    // The handle stays valid while this object lives.
    HGLOBAL Detach();

    HGLOBAL m_hTemplate {};
    DWORD m_dwTemplateSize {};
    BOOL m_bSystemFont {};

private:
    void set(platform::framework::DialogResource const& dialog);
    void release();
    std::unique_ptr<platform::framework::DialogResource> m_dialog;
};

class CWnd;

namespace platform::framework {

// Makes the dialog window and its controls (not shown, no WM_INITDIALOG yet), bound to
// `object` when given. Answers null when the window or a required control cannot be made.
HWND build_dialog(DialogResource const& dialog, HWND parent, CWnd* object);
// The template a handle from CDialogTemplate stands for, or null.
DialogResource const* template_of(LPCDLGTEMPLATE locked);

}
