// What every common control shares: the class names, the generic notification codes, the
// custom-draw record and its stages and answers, and the registration call. The controls
// themselves are declared in ListView.h, Header.h, ToolTip.h, ImageList.h and Menu.h.
//
// Notifications go to the parent as WM_NOTIFY with the control id in wParam and a record that
// starts with NMHDR in lParam. Reflecting a notification to the control that sent it before the
// parent sees it is the framework's work (its CWnd), not the control's.
#pragma once

#include "platform/controls/ControlMessages.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/User.h"

// [SECTION] Class names
inline constexpr char WC_LISTVIEW[] = "SysListView32";
inline constexpr char WC_HEADER[] = "SysHeader32";
inline constexpr char TOOLTIPS_CLASS[] = "tooltips_class32";

// [SECTION] Colours with a meaning of their own
constexpr COLORREF CLR_HILIGHT = CLR_DEFAULT;

// [SECTION] Generic notifications (codes are negative numbers carried in an unsigned field)
constexpr UINT NM_FIRST = 0u;
constexpr UINT NM_OUTOFMEMORY = NM_FIRST - 1u;
constexpr UINT NM_CLICK = NM_FIRST - 2u;
constexpr UINT NM_DBLCLK = NM_FIRST - 3u;
constexpr UINT NM_RETURN = NM_FIRST - 4u;
constexpr UINT NM_RCLICK = NM_FIRST - 5u;
constexpr UINT NM_RDBLCLK = NM_FIRST - 6u;
constexpr UINT NM_SETFOCUS = NM_FIRST - 7u;
constexpr UINT NM_KILLFOCUS = NM_FIRST - 8u;
constexpr UINT NM_CUSTOMDRAW = NM_FIRST - 12u;
constexpr UINT NM_HOVER = NM_FIRST - 13u;

// [SECTION] Custom draw
constexpr DWORD CDDS_PREPAINT = 0x00000001;
constexpr DWORD CDDS_POSTPAINT = 0x00000002;
constexpr DWORD CDDS_PREERASE = 0x00000003;
constexpr DWORD CDDS_POSTERASE = 0x00000004;
constexpr DWORD CDDS_ITEM = 0x00010000;
constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
constexpr DWORD CDDS_SUBITEM = 0x00020000;

constexpr LRESULT CDRF_DODEFAULT = 0x00000000;
constexpr LRESULT CDRF_NEWFONT = 0x00000002;
constexpr LRESULT CDRF_SKIPDEFAULT = 0x00000004;
constexpr LRESULT CDRF_DOERASE = 0x00000008;
constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x00000010;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x00000020;
constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x00000020;
constexpr LRESULT CDRF_NOTIFYPOSTERASE = 0x00000040;
constexpr LRESULT CDRF_SKIPPOSTPAINT = 0x00000100;

constexpr UINT CDIS_SELECTED = 0x0001;
constexpr UINT CDIS_GRAYED = 0x0002;
constexpr UINT CDIS_DISABLED = 0x0004;
constexpr UINT CDIS_CHECKED = 0x0008;
constexpr UINT CDIS_FOCUS = 0x0010;
constexpr UINT CDIS_DEFAULT = 0x0020;
constexpr UINT CDIS_HOT = 0x0040;

struct NMCUSTOMDRAW {
    NMHDR hdr;
    DWORD dwDrawStage;
    HDC hdc;
    RECT rc;
    DWORD_PTR dwItemSpec;
    UINT uItemState;
    LPARAM lItemlParam;
};
using LPNMCUSTOMDRAW = NMCUSTOMDRAW*;

// A text that the owner is asked for each time it is needed (list items, tool tips).
inline LPSTR const LPSTR_TEXTCALLBACK = reinterpret_cast<LPSTR>(static_cast<LONG_PTR>(-1));

// [SECTION] Registration
// The list view, header and tool-tip classes register when this library loads;
// InitCommonControls (ControlMessages.h) is answered by the standard controls' library.
