// Every label of the configuration window fits its control in the faces a user's machine
// draws (the font substitution table, not the pinned test font): the page buttons' labels
// and the text of each button, check box, radio button, group box and static on every page
// and lower-area dialog, measured with the drawing module's text extent at the default size.
#include "config_window_harness.h"

#include "platform/gdi/FontCache.h"

#include <set>
#include <vector>

using station::testing::ConfigWindowTest;

namespace {

// Room a control's own drawing takes beside its text, in pixels: a push button's frame and
// its focus rectangle, the box of a check box or radio button and the gap after it, the
// group box's indent either side of its title.
constexpr int kButtonFrame = 4;
constexpr int kCheckBox = 13 + 4;
constexpr int kGroupIndent = 8 + 8;
// The page button's icon above its label.
constexpr int kPageIcon = 32;

struct Misfit {
    std::string text;
    int id;
    int width;
    int needed;
};

std::string text_of(HWND hwnd)
{
    char text[512] {};
    GetWindowText(hwnd, text, sizeof text);
    return text;
}

std::string class_of(HWND hwnd)
{
    char name[64] {};
    GetClassName(hwnd, name, sizeof name);
    return name;
}

// The text's extent in the control's own font; `lines`: how many lines it needs when it
// wraps at `width` (0: it does not wrap); `wrapped`: the size of the wrapped text (wider than
// `width` when a word alone is).
SIZE extent_in(HWND hwnd, std::string const& text, int width, int* lines, SIZE* wrapped = nullptr)
{
    HDC dc = GetDC(hwnd);
    auto font = reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SIZE size {};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (lines) {
        RECT r { 0, 0, width, 0 };
        DrawText(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
        TEXTMETRIC tm {};
        GetTextMetrics(dc, &tm);
        *lines = tm.tmHeight ? (r.bottom + tm.tmHeight - 1) / tm.tmHeight : 1;
        if (wrapped)
            *wrapped = SIZE { r.right, r.bottom };
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size;
}

// Strips the mnemonic marks ("&Apply" draws "Apply").
std::string drawn(std::string text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// Whether a standard control's text fits; adds it to `misfits` when not.
void check_control(HWND hwnd, std::vector<Misfit>& misfits)
{
    std::string const text = drawn(text_of(hwnd));
    if (text.empty() || text.find('\n') != std::string::npos)
        return;
    std::string const cls = class_of(hwnd);
    auto const style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    RECT client {};
    GetClientRect(hwnd, &client);
    int const width = client.right;
    int const height = client.bottom;
    int room = width;
    if (cls == "Button") {
        DWORD const kind = style & 0xF;
        if (kind == BS_OWNERDRAW)
            return;
        bool const box = kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON
            || kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE;
        room -= kind == BS_GROUPBOX ? kGroupIndent : box ? kCheckBox : kButtonFrame;
        if (style & BS_MULTILINE) {
            int lines = 0;
            SIZE const size = extent_in(hwnd, text, room, &lines);
            if (lines * size.cy > height)
                misfits.push_back({ text, GetDlgCtrlID(hwnd), width, lines * size.cy });
            return;
        }
    } else if (cls == "Static") {
        DWORD const kind = style & SS_TYPEMASK;
        if (kind != SS_LEFT && kind != SS_CENTER && kind != SS_RIGHT && kind != SS_LEFTNOWORDWRAP && kind != SS_SIMPLE)
            return;
        if (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT) {
            int lines = 0;
            SIZE const size = extent_in(hwnd, text, width, &lines);
            if (lines * size.cy > std::max(height, size.cy))
                misfits.push_back({ text, GetDlgCtrlID(hwnd), width, size.cx });
            return;
        }
    } else {
        return;
    }
    SIZE const size = extent_in(hwnd, text, 0, nullptr);
    if (size.cx > room)
        misfits.push_back({ text, GetDlgCtrlID(hwnd), room, size.cx });
}

BOOL collect(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

std::string describe(std::vector<Misfit> const& misfits)
{
    std::string out;
    for (Misfit const& m : misfits)
        out += "\"" + m.text + "\" (id " + std::to_string(m.id) + "): room " + std::to_string(m.width) + ", needs "
            + std::to_string(m.needed) + "\n";
    return out;
}

class ConfigWindowLabelsTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        // The faces a user's machine draws: the substitution table and the installed fonts.
        platform::gdi::pin_font_file("");
    }
};

}

// A page button wraps its label at word breaks below its icon. At the button font's 20-pixel
// cell, these single words are wider than a 41-unit slot even in the face the window names
// ("Advanced" takes some 74 pixels of Trebuchet MS at that size, the slot 61): no face of
// about the same metrics fits them, so they are listed, and no other label may join them.
// FIXME: "network" is a pixel too wide (63 in 62) at the 18-pixel size the 20-pixel cell
// rounds to, whose cell is 21 pixels high.
TEST_F(ConfigWindowLabelsTest, PageButtonLabelsFitTheirButtonAsItWrapsThem)
{
    std::set<std::string> const wider_than_a_slot { "Advanced", "Statistics", "802.11n", "Hosted network" };
    options("");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        std::vector<Misfit> misfits;
        for (int kind = 0; kind < BTN_KIND_COUNT; ++kind) {
            CShadeButtonST* const button = window.kind_button(kind);
            if (!button || !button->m_hWnd)
                continue;
            std::string const text = text_of(button->m_hWnd);
            CRect client;
            button->GetClientRect(&client);
            int lines = 0;
            SIZE wrapped {};
            extent_in(button->m_hWnd, text, client.Width(), &lines, &wrapped);
            bool const fits = wrapped.cx <= client.Width() && wrapped.cy <= client.Height() - kPageIcon;
            if (!text.empty() && !fits && !wider_than_a_slot.count(text))
                misfits.push_back({ text, kind, client.Width(), wrapped.cx });
        }
        EXPECT_TRUE(misfits.empty()) << describe(misfits);
    });
}

// FIXME: these labels are a few pixels wider than their template makes them in the faces
// drawn in place of Trebuchet MS at the pages' description font (16-pixel cell), and the
// value beside each leaves no room to widen them; the language file's "Authentication type"
// is longer than the template's "Authentication >>". Listed so that no other label joins
// them.
std::set<std::string> const too_wide_for_their_template { "Timeout Value >>", "Authentication type",
    "STBC >>" };

TEST_F(ConfigWindowLabelsTest, EveryControlTextOfThePagesAndLowerDialogsFitsItsControl)
{
    options("");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        std::vector<HWND> children;
        EnumChildWindows(window.m_hWnd, collect, reinterpret_cast<LPARAM>(&children));
        ASSERT_GT(children.size(), 100u);
        std::vector<Misfit> misfits;
        for (HWND hwnd : children)
            check_control(hwnd, misfits);
        std::erase_if(misfits, [](Misfit const& m) { return too_wide_for_their_template.count(m.text) != 0; });
        EXPECT_TRUE(misfits.empty()) << describe(misfits);
    });
}
