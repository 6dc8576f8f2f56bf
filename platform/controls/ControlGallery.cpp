// control-gallery: lays out every standard control in its main states on one surface and
// writes it to a PNG (the first argument, "control-gallery.png" by default). Each control
// paints itself through WM_PRINTCLIENT into its place on a memory bitmap, so the program
// needs no display.
#include "platform/controls/BarMessages.h"
#include "platform/controls/ControlClasses.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ScrollMessages.h"
#include "platform/controls/TabMessages.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/Input.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
    LPCSTR cls;
    LPCSTR text;
    DWORD style;
    RECT place;
    void (*prepare)(HWND);
};

const std::vector<Sample>& samples()
{
    static const std::vector<Sample> list = {
        { "Button", "Push", BS_PUSHBUTTON, { 10, 10, 100, 36 }, nullptr },
        { "Button", "Default", BS_DEFPUSHBUTTON, { 110, 10, 200, 36 }, nullptr },
        { "Button", "Pushed", BS_PUSHBUTTON, { 210, 10, 300, 36 }, [](HWND h) { SendMessage(h, BM_SETSTATE, TRUE, 0); } },
        { "Button", "Disabled", BS_PUSHBUTTON | WS_DISABLED, { 310, 10, 400, 36 }, nullptr },
        { "Button", "Check box", BS_AUTOCHECKBOX, { 10, 46, 120, 66 }, nullptr },
        { "Button", "Checked", BS_AUTOCHECKBOX, { 130, 46, 240, 66 }, [](HWND h) { SendMessage(h, BM_SETCHECK, BST_CHECKED, 0); } },
        { "Button", "Third state", BS_AUTO3STATE, { 250, 46, 360, 66 }, [](HWND h) { SendMessage(h, BM_SETCHECK, BST_INDETERMINATE, 0); } },
        { "Button", "Radio", BS_AUTORADIOBUTTON, { 10, 72, 120, 92 }, nullptr },
        { "Button", "Chosen", BS_AUTORADIOBUTTON, { 130, 72, 240, 92 }, [](HWND h) { SendMessage(h, BM_SETCHECK, BST_CHECKED, 0); } },
        { "Button", "Group box", BS_GROUPBOX, { 10, 100, 400, 160 }, nullptr },
        { "Static", "Left-aligned text that wraps onto a second line", SS_LEFT, { 20, 120, 200, 154 }, nullptr },
        { "Static", "Centred", SS_CENTER | SS_SUNKEN, { 210, 120, 300, 140 }, nullptr },
        { "Static", "Right", SS_RIGHT, { 310, 120, 390, 140 }, nullptr },
        { "Static", "", SS_ETCHEDHORZ, { 10, 170, 400, 172 }, nullptr },
        { "Edit", "Edit text", ES_AUTOHSCROLL, { 10, 180, 130, 200 }, nullptr },
        { "Edit", "secret", ES_AUTOHSCROLL | ES_PASSWORD, { 140, 180, 260, 200 }, nullptr },
        { "Edit", "Read-only", ES_AUTOHSCROLL | ES_READONLY, { 270, 180, 400, 200 }, nullptr },
        { PROGRESS_CLASS, "", 0, { 10, 210, 200, 228 }, [](HWND h) { SendMessage(h, PBM_SETPOS, 60, 0); } },
        { PROGRESS_CLASS, "", PBS_SMOOTH, { 210, 210, 400, 228 }, [](HWND h) { SendMessage(h, PBM_SETPOS, 35, 0); } },
        { TRACKBAR_CLASS, "", TBS_AUTOTICKS, { 10, 236, 200, 272 }, [](HWND h) {
              SendMessage(h, TBM_SETTICFREQ, 10, 0);
              SendMessage(h, TBM_SETPOS, TRUE, 30);
          } },
        { TRACKBAR_CLASS, "", TBS_VERT, { 210, 236, 246, 330 }, [](HWND h) { SendMessage(h, TBM_SETPOS, TRUE, 70); } },
        { "ScrollBar", "", SBS_HORZ, { 10, 280, 200, 296 }, [](HWND h) {
              SCROLLINFO info { sizeof(SCROLLINFO), SIF_ALL, 0, 99, 20, 40, 0 };
              SetScrollInfo(h, SB_CTL, &info, TRUE);
          } },
        { "ScrollBar", "", SBS_VERT, { 256, 236, 272, 330 }, nullptr },
        { "ListBox", "", 0, { 282, 236, 400, 330 }, [](HWND h) {
              for (char const* s : { "First item", "Second item", "Third item", "Fourth item" })
                  SendMessage(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
              SendMessage(h, LB_SETCURSEL, 1, 0);
          } },
        { "ComboBox", "", CBS_DROPDOWNLIST, { 10, 304, 120, 400 }, [](HWND h) {
              SendMessage(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Drop list"));
              SendMessage(h, CB_SETCURSEL, 0, 0);
          } },
        { "ComboBox", "", CBS_DROPDOWN, { 130, 304, 200, 400 }, [](HWND h) { SetWindowText(h, "Edit"); } },
        { WC_TABCONTROL, "", 0, { 10, 340, 200, 410 }, [](HWND h) {
              for (char const* s : { "General", "Security", "Keys" }) {
                  TCITEM item { TCIF_TEXT, 0, 0, const_cast<LPSTR>(s), 0, -1, 0 };
                  SendMessage(h, TCM_INSERTITEM, 9, reinterpret_cast<LPARAM>(&item));
              }
              SendMessage(h, TCM_SETCURSEL, 1, 0);
          } },
        { WC_IPADDRESS, "", 0, { 210, 340, 400, 362 }, [](HWND h) { SendMessage(h, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 0, 1)); } },
    };
    return list;
}

// A control and its children (the fields of an IP address control, the edit of a combo
// box), each through WM_PRINTCLIENT at its place.
void print_with_children(HDC dc, HWND control, POINT at)
{
    POINT origin {};
    SetViewportOrgEx(dc, at.x, at.y, &origin);
    SendMessage(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r {};
        GetWindowRect(child, &r);
        POINT p { r.left, r.top };
        ScreenToClient(control, &p);
        print_with_children(dc, child, POINT { at.x + p.x, at.y + p.y });
    }
}

}

int main(int argc, char** argv)
{
    std::string path = argc > 1 ? argv[1] : "control-gallery.png";
    InitCommonControls();
    constexpr int width = 410;
    constexpr int height = 420;
    HWND parent = CreateWindowEx(0, "Static", "", WS_POPUP, 0, 0, width, height, nullptr, nullptr, nullptr, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP surface = CreateBitmap(width, height, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, surface);
    RECT all { 0, 0, width, height };
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    for (auto const& s : samples()) {
        HWND control = CreateWindowEx(0, s.cls, s.text, WS_CHILD | WS_VISIBLE | s.style, s.place.left, s.place.top,
            s.place.right - s.place.left, s.place.bottom - s.place.top, parent, nullptr, nullptr, nullptr);
        if (!control) {
            std::fprintf(stderr, "control-gallery: cannot create a %s\n", s.cls);
            return 1;
        }
        if (s.prepare)
            s.prepare(control);
        print_with_children(dc, control, POINT { s.place.left, s.place.top });
    }
    bool written = platform::gdi::write_png(surface, path);
    SelectObject(dc, old);
    DeleteObject(surface);
    DeleteDC(dc);
    DestroyWindow(parent);
    if (!written) {
        std::fprintf(stderr, "control-gallery: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
}
