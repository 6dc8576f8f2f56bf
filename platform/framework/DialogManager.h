// The dialog manager: keyboard navigation inside dialogs and the calls on dialog items.
//
// Rules:
// - Tab and Shift+Tab move the focus over the visible, enabled controls with WS_TABSTOP, in
//   z-order, wrapping around. Controls inside a child with WS_EX_CONTROLPARENT take part as if
//   they were the dialog's own. A control whose WM_GETDLGCODE answer includes DLGC_WANTTAB
//   (or DLGC_WANTALLKEYS) keeps the Tab key.
// - The arrow keys move inside the group of the focused control (a group starts at a control
//   with WS_GROUP and runs up to the next one), skipping hidden and disabled controls; moving
//   onto a radio button (DLGC_RADIOBUTTON) clicks it. DLGC_WANTARROWS keeps the arrows.
// - Enter sends WM_COMMAND with the focused push button's id, else the default id (DM_GETDEFID,
//   else a control answering DLGC_DEFPUSHBUTTON, else IDOK) unless that button is disabled.
//   Escape sends WM_COMMAND IDCANCEL. DLGC_WANTALLKEYS keeps both.
// - When the focus moves onto a push button it becomes the default one (BM_SETSTYLE); when it
//   moves to another kind of control the dialog's default id gets the default look back.
// - Every other message of the dialog's windows is translated and dispatched.
// - Dialog units: horizontal units are a quarter of the average character width of the
//   dialog's font (the width of "A".."Z" and "a".."z" divided by 52, rounded), vertical units
//   an eighth of its character height (tmHeight).
#pragma once

#include "platform/controls/ControlMessages.h"
#include "platform/user/User.h"

extern "C" {

BOOL IsDialogMessage(HWND dialog, MSG* msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed);
// Leading and trailing blanks are allowed; anything else that is not a number (or a number
// out of range) sets *translated to FALSE and answers 0.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam);
// Converts a rectangle in dialog units to pixels with the dialog's own font.
BOOL MapDialogRect(HWND dialog, RECT* rect);
// The base units of the system's dialog font ("MS Shell Dlg" 8 points): width low, height high.
LONG GetDialogBaseUnits();
int MulDiv(int number, int numerator, int denominator);

}

namespace platform::framework {

// Base units (average character width, character height) of a font.
SIZE font_base_units(HFONT font);
// The base units a dialog window was created with (kept per window by the dialog builder).
void set_dialog_base_units(HWND dialog, SIZE units);
SIZE dialog_base_units(HWND dialog);
// Moves the focus the dialog manager's way (default button look included).
void dialog_set_focus(HWND dialog, HWND control);
// After WM_INITDIALOG: a top-level dialog opened with the mouse hides its focus rectangles and
// access keys until a key shows them; one opened from the keyboard shows them. A child dialog
// keeps its parent's.
void initialize_keyboard_cues(HWND dialog);

}
