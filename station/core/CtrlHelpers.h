// How the station utility's dialogs place texts on their controls, read control rectangles,
// fill combo boxes and show a message to the user. Written against the window API only, so
// they serve plain windows and framework dialogs alike.
#pragma once

#include "platform/user/Types.h"
#include "station/core/ComboItems.h"

#include <functional>
#include <string>

// A control's place in its dialog: left, top, width and height.
struct CTRL_POS_SIZE {
    int x;
    int y;
    int width;
    int height;
};

// The window rectangle of the dialog's child `id` in the dialog's client coordinates; an
// empty rectangle when there is no such child.
RECT* GetCtrlRectInDlg(RECT* rect, HWND dialog, int id);
CTRL_POS_SIZE* GetCtrlPosSize(CTRL_POS_SIZE* pos, HWND dialog, int id);

// Moves the control to (x, y) with the size given, repaints, shows it and sets its text.
void PlaceCtrlText(HWND control, int x, int y, int width, int height, std::string const& text);
// The same; `text` may be null (the text is left alone) or a string resource id
// (MAKEINTRESOURCE), loaded through the string-resource seam below.
void PlaceCtrlTextPtr(HWND control, int x, int y, int width, int height, LPCSTR text);
// Keeps the control in its place, shows it and puts the text on it.
void SetCtrlText(HWND dialog, HWND control, std::string const& text);
void SetCtrlTextPtr(HWND dialog, HWND control, LPCSTR text);

// Loads a string resource by id; returns false when there is none. Set by the program once
// its resources are loaded.
using StringResourceLoader = std::function<bool(UINT id, std::string& text)>;
void SetStringResourceLoader(StringResourceLoader loader);

// Shows `text` in the utility's modal message dialog and answers its result (IDOK is 1).
// The dialog comes from the controls module, which installs itself here; while nothing is
// installed the message is traced at level 1 and the answer is 0, never IDOK.
using MessageBoxHandler = std::function<INT_PTR(std::string const& text)>;
void SetMessageBoxHandler(MessageBoxHandler handler);
INT_PTR ShowMessageBox(std::string const& text);
