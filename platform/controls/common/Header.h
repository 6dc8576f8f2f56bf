// The header control: a row of column titles that can be clicked, resized by dragging a
// divider and, with HDS_DRAGDROP, reordered by dragging a title. The list view keeps its
// columns in one.
//
// Rules kept from the API these names come from:
// - Items have an index (insertion order, what HDM_GETITEM names) and an order (their place
//   on screen, HDM_GETORDERARRAY); HDM_GETITEMRECT and hit tests follow the order.
// - The layer's choice: a divider is the last 4 pixels of an item and the first 4 after it;
//   the header is 20 pixels high whatever its font.
// - Notifications to the parent: HDN_ITEMCLICK on a click, HDN_BEGINTRACK (a non-zero answer
//   stops the resize), HDN_TRACK while resizing, HDN_ENDTRACK and HDN_ITEMCHANGED after,
//   HDN_BEGINDRAG and HDN_ENDDRAG around a reorder (a non-zero answer to HDN_ENDDRAG keeps the
//   old order), NM_RCLICK on a right-button release.
#pragma once

#include "platform/controls/common/CommonControls.h"

constexpr DWORD HDS_HORZ = 0x0000;
constexpr DWORD HDS_BUTTONS = 0x0002;
constexpr DWORD HDS_HOTTRACK = 0x0004;
constexpr DWORD HDS_HIDDEN = 0x0008;
constexpr DWORD HDS_DRAGDROP = 0x0040;
constexpr DWORD HDS_FULLDRAG = 0x0080;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_HEIGHT = HDI_WIDTH;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;
constexpr UINT HDI_BITMAP = 0x0010;
constexpr UINT HDI_IMAGE = 0x0020;
constexpr UINT HDI_ORDER = 0x0080;

constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_SORTDOWN = 0x0200;
constexpr int HDF_SORTUP = 0x0400;
constexpr int HDF_IMAGE = 0x0800;
constexpr int HDF_STRING = 0x4000;
constexpr int HDF_OWNERDRAW = 0x8000;

constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;
constexpr UINT HHT_ONDIVOPEN = 0x0008;
constexpr UINT HHT_ABOVE = 0x0100;
constexpr UINT HHT_BELOW = 0x0200;
constexpr UINT HHT_TORIGHT = 0x0400;
constexpr UINT HHT_TOLEFT = 0x0800;

constexpr UINT HDM_FIRST = 0x1200;
constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
constexpr UINT HDM_INSERTITEM = HDM_FIRST + 1;
constexpr UINT HDM_DELETEITEM = HDM_FIRST + 2;
constexpr UINT HDM_GETITEM = HDM_FIRST + 3;
constexpr UINT HDM_SETITEM = HDM_FIRST + 4;
constexpr UINT HDM_LAYOUT = HDM_FIRST + 5;
constexpr UINT HDM_HITTEST = HDM_FIRST + 6;
constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;
constexpr UINT HDM_ORDERTOINDEX = HDM_FIRST + 15;
constexpr UINT HDM_GETORDERARRAY = HDM_FIRST + 17;
constexpr UINT HDM_SETORDERARRAY = HDM_FIRST + 18;

constexpr UINT HDN_FIRST = 0u - 300u;
constexpr UINT HDN_ITEMCHANGING = HDN_FIRST - 0;
constexpr UINT HDN_ITEMCHANGED = HDN_FIRST - 1;
constexpr UINT HDN_ITEMCLICK = HDN_FIRST - 2;
constexpr UINT HDN_ITEMDBLCLICK = HDN_FIRST - 3;
constexpr UINT HDN_DIVIDERDBLCLICK = HDN_FIRST - 5;
constexpr UINT HDN_BEGINTRACK = HDN_FIRST - 6;
constexpr UINT HDN_ENDTRACK = HDN_FIRST - 7;
constexpr UINT HDN_TRACK = HDN_FIRST - 8;
constexpr UINT HDN_BEGINDRAG = HDN_FIRST - 10;
constexpr UINT HDN_ENDDRAG = HDN_FIRST - 11;

struct HDITEM {
    UINT mask;
    int cxy;
    LPSTR pszText;
    HBITMAP hbm;
    int cchTextMax;
    int fmt;
    LPARAM lParam;
    int iImage;
    int iOrder;
    UINT type;
    void* pvFilter;
    UINT state;
};
using LPHDITEM = HDITEM*;
using HDITEMA = HDITEM;

struct HDHITTESTINFO {
    POINT pt;
    UINT flags;
    int iItem;
};
using LPHDHITTESTINFO = HDHITTESTINFO*;

struct HDLAYOUT {
    RECT* prc;
    WINDOWPOS* pwpos;
};

struct NMHEADER {
    NMHDR hdr;
    int iItem;
    int iButton;
    HDITEM* pitem;
};
using LPNMHEADER = NMHEADER*;
