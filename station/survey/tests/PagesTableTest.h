// Checks shared by the page tests of the station utility's page libraries: every page and
// lower-area dialog is created the way the configuration window creates it, as a child of a
// parent window, from its template in the program's resources.
#pragma once

#include "station/controls/tests/DialogsFixture.h"

#include "platform/framework/Resources.h"
#include "station/controls/CResizeDlg.h"

#include <functional>
#include <memory>

struct PageCase {
    char const* name;
    int idd;
    std::function<std::unique_ptr<CResizeDlg>(CWnd*)> make;
    bool lower; // a dialog of the window's lower area rather than a page of its host
};

template <typename Dialog>
PageCase page_case(char const* name, bool lower = false)
{
    return { name, Dialog::IDD, [](CWnd* parent) { return std::make_unique<Dialog>(parent); }, lower };
}

// The window sizes its page host and lower frame for these templates (dialog units).
inline constexpr SIZE kPageSize { 353, 150 };
inline constexpr SIZE kLowerSize { 353, 110 };

// Creates each case as the window does, on a normal and on a small desktop, and checks that
// the window exists as a hidden child with every control of its template.
inline void expect_pages_create(std::vector<PageCase> const& cases, CWnd& parent)
{
    for (int height : { 768, 600 }) {
        platform::user::set_desktop_size(1024, height);
        for (PageCase const& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " at desktop height " + std::to_string(height));
            std::unique_ptr<CResizeDlg> dlg = c.make(&parent);
            ASSERT_TRUE(dlg->Create(static_cast<UINT>(c.idd), &parent));
            EXPECT_EQ(::GetParent(dlg->m_hWnd), parent.m_hWnd);
            LONG const style = GetWindowLong(dlg->m_hWnd, GWL_STYLE);
            EXPECT_TRUE(style & WS_CHILD);
            EXPECT_FALSE(style & WS_VISIBLE) << "the window shows its children itself";
            EXPECT_EQ(style & WS_CAPTION, 0);
            auto const* tpl = platform::framework::resources().dialog(c.idd);
            ASSERT_NE(tpl, nullptr);
            for (auto const& control : tpl->controls) {
                if (control.id <= 0)
                    continue;
                EXPECT_NE(::GetDlgItem(dlg->m_hWnd, control.id), nullptr) << "control " << control.id;
            }
            dlg->DestroyWindow();
        }
    }
}

// The templates themselves: ids present, and the size and font the window lays out for.
inline void expect_templates(std::vector<PageCase> const& cases)
{
    std::vector<int> ids;
    for (PageCase const& c : cases)
        ids.push_back(c.idd);
    auto const& set = platform::framework::resources();
    EXPECT_TRUE(platform::framework::missing_resources(set, "dialog", ids).empty());
    for (PageCase const& c : cases) {
        SCOPED_TRACE(c.name);
        auto const* tpl = set.dialog(c.idd);
        ASSERT_NE(tpl, nullptr);
        SIZE const want = c.lower ? kLowerSize : kPageSize;
        EXPECT_EQ(tpl->rect.right - tpl->rect.left, want.cx);
        EXPECT_EQ(tpl->rect.bottom - tpl->rect.top, want.cy);
        EXPECT_EQ(tpl->font_face, "Trebuchet MS");
        EXPECT_EQ(tpl->font_points, 8);
        EXPECT_EQ(tpl->style, static_cast<DWORD>(WS_CHILD | DS_SETFONT));
        EXPECT_TRUE(tpl->caption.empty());
    }
}
