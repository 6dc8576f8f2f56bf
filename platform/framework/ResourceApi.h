// Loading resources by id: icons, bitmaps, toolbar strips and raw bytes, from the program's
// resource file (Resources.h). The module handle is accepted and ignored: a program has one
// resource set.
//
// LR_LOADMAP3DCOLORS maps the four grey levels of 16-colour images to the system colours:
// black -> COLOR_BTNTEXT, 128-grey -> COLOR_BTNSHADOW, 192-grey -> COLOR_BTNFACE and white ->
// COLOR_BTNHIGHLIGHT. Other colours and the alpha channel are kept.
#pragma once

#include "platform/gdi/Gdi.h"

using HRSRC = struct HRSRCTag*;

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_LOADMAP3DCOLORS = 0x1000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_SHARED = 0x8000;

extern "C" {

HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxGetInstanceHandle();
HICON LoadIcon(HINSTANCE instance, LPCSTR name);
HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name);
// IMAGE_ICON or IMAGE_BITMAP by id (or from a PNG file with LR_LOADFROMFILE); icons are
// scaled to cx x cy when given.
HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
// Raw resources: `type` names the kind given in the resource file.
HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Copies string `id` of the string table into `buffer` (at most size - 1 bytes, never cutting a
// UTF-8 sequence, always terminated) and answers the bytes copied; 0 when there is no such
// string. With size 0 the buffer receives a pointer to the whole text and the answer is its
// length.
int LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int size);

}
