#include "DialogsFixture.h"

#include "station/controls/CTabDialog.h"

#include <array>
#include <memory>

namespace {

constexpr int kFirstPageButton = 1500;
constexpr int kExtraButton = 1600;

}

// A host with three pages (page 2 holds an edit) and their buttons, and one extra button.
class TabDialogTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        ASSERT_TRUE(host.Create(CTabDialog::IDD, &parent));
        host.ShowWindow(SW_SHOW);
        for (int i = 0; i < 3; ++i) {
            pages[i] = std::make_unique<CResizeDlg>(CTabDialog::IDD, &host);
            ASSERT_TRUE(pages[i]->Create(CTabDialog::IDD, &host));
            HWND b = make("Button", "page", BS_PUSHBUTTON, kFirstPageButton + i, { 10 + 90 * i, 2, 90 + 90 * i, 22 }, host.m_hWnd);
            ASSERT_TRUE(buttons[i].SubclassWindow(b));
            EXPECT_TRUE(host.AddPage(pages[i].get(), &buttons[i]));
        }
        page_edit = make("Edit", "", WS_TABSTOP, 1700, { 5, 5, 100, 25 }, pages[2]->m_hWnd);
        ASSERT_TRUE(extra.SubclassWindow(make("Button", "help", BS_PUSHBUTTON, kExtraButton, { 300, 2, 380, 22 }, host.m_hWnd)));
        EXPECT_TRUE(host.AddButton(&extra));
        host.MovePages(page_area, 0);
        pump();
    }

    std::vector<int> visible_pages() const
    {
        std::vector<int> shown;
        for (int i = 0; i < 3; ++i)
            if (pages[i]->IsWindowVisible())
                shown.push_back(i);
        return shown;
    }
    std::vector<int> highlighted() const
    {
        std::vector<int> lit;
        for (int i = 0; i < 3; ++i)
            if (buttons[i].m_bHighlighted)
                lit.push_back(i);
        return lit;
    }

    CRect const page_area { 10, 30, 300, 200 };
    CTabDialog host { CTabDialog::IDD, &parent };
    std::array<std::unique_ptr<CResizeDlg>, 3> pages;
    std::array<CShadeButtonST, 3> buttons;
    CShadeButtonST extra;
    HWND page_edit {};
};

TEST_F(TabDialogTest, ButtonsAreNumberedInRegistrationOrder)
{
    EXPECT_EQ(host.page_count(), 3);
    EXPECT_EQ(host.button_count(), 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(buttons[i].m_nOrder, i);
    EXPECT_EQ(extra.m_nOrder, 3);
    EXPECT_EQ(host.PageButtons(), (std::vector<CShadeButtonST*> { &buttons[0], &buttons[1], &buttons[2] }));
    EXPECT_EQ(host.ExtraButtons(), std::vector<CShadeButtonST*> { &extra });
}

TEST_F(TabDialogTest, MovePagesPlacesEveryPageAndShowsOne)
{
    for (int i = 0; i < 3; ++i) {
        CRect r;
        pages[i]->GetWindowRect(&r);
        host.ScreenToClient(&r);
        EXPECT_EQ(r, page_area) << i;
    }
    EXPECT_EQ(visible_pages(), std::vector<int> { 0 });
    EXPECT_EQ(highlighted(), std::vector<int> { 0 });

    // An index without a page moves the pages and shows none; nothing is hidden here.
    host.HideAllPages();
    host.MovePages(CRect(0, 40, 200, 150), 7);
    EXPECT_TRUE(visible_pages().empty());
    CRect r;
    pages[1]->GetWindowRect(&r);
    host.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(0, 40, 200, 150));
}

TEST_F(TabDialogTest, PageButtonShowsItsPageAlone)
{
    for (int target : { 2, 1, 1, 0 }) {
        SCOPED_TRACE(target);
        platform::user::input::click(at(buttons[target].m_hWnd, 5, 5));
        pump();
        EXPECT_EQ(visible_pages(), std::vector<int> { target });
        EXPECT_EQ(highlighted(), std::vector<int> { target });
    }
    // BM_CLICK sent to a page button does the same.
    buttons[2].SendMessage(BM_CLICK);
    EXPECT_EQ(visible_pages(), std::vector<int> { 2 });
    EXPECT_TRUE(parent.commands.empty()) << "page buttons stay inside the host";
}

namespace {

// A page that paints its own client area in one colour, as the editors' sub-tabs paint frames.
class ColouredPage : public CResizeDlg {
public:
    ColouredPage(COLORREF colour, CWnd* parent)
        : CResizeDlg(CTabDialog::IDD, parent)
        , m_colour(colour)
    {
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_PAINT)
            return CResizeDlg::WindowProc(message, wParam, lParam);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hWnd, &ps);
        RECT r;
        ::GetClientRect(m_hWnd, &r);
        HBRUSH brush = CreateSolidBrush(m_colour);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        EndPaint(m_hWnd, &ps);
        return 0;
    }

private:
    COLORREF m_colour;
};

}

// A host that does not clip its children paints the area the hidden page left before the page
// brought forward paints itself, so the new page's own drawing stays on top.
TEST_F(TabDialogTest, APageBroughtForwardKeepsWhatItPaintsItself)
{
    ASSERT_EQ(host.GetStyle() & WS_CLIPCHILDREN, 0u);
    CTabDialog bare { CTabDialog::IDD, &parent };
    ASSERT_TRUE(bare.Create(CTabDialog::IDD, &parent));
    bare.ShowWindow(SW_SHOW);
    COLORREF const colours[] = { RGB(200, 0, 0), RGB(0, 0, 200) };
    std::array<std::unique_ptr<ColouredPage>, 2> coloured;
    std::array<CShadeButtonST, 2> switches;
    for (int i = 0; i < 2; ++i) {
        coloured[i] = std::make_unique<ColouredPage>(colours[i], &bare);
        ASSERT_TRUE(coloured[i]->Create(CTabDialog::IDD, &bare));
        HWND b = make("Button", "page", BS_PUSHBUTTON, kFirstPageButton + i, { 10 + 90 * i, 2, 90 + 90 * i, 22 }, bare.m_hWnd);
        ASSERT_TRUE(switches[i].SubclassWindow(b));
        bare.AddPage(coloured[i].get(), &switches[i]);
    }
    bare.MovePages(page_area, 0);
    pump();
    for (int target : { 1, 0, 1 }) {
        SCOPED_TRACE(target);
        switches[target].SendMessage(BM_CLICK);
        pump();
        EXPECT_EQ(pixel(coloured[target]->m_hWnd, 3, 3), colours[target]);
    }
}

TEST_F(TabDialogTest, ExtraButtonClickReachesTheHostsParent)
{
    platform::user::input::click(at(extra.m_hWnd, 5, 5));
    pump();
    EXPECT_EQ(parent.clicks(kExtraButton), 1);
    EXPECT_EQ(parent.commands.size(), 1u);
    EXPECT_EQ(::GetParent(extra.m_hWnd), host.m_hWnd);
    EXPECT_EQ(visible_pages(), std::vector<int> { 0 });
}

// The keys go to the page's own dialog handling; the host, and its IDOK and IDCANCEL, stay.
TEST_F(TabDialogTest, EnterAndEscapeOnAPageLeaveTheHostAlone)
{
    buttons[2].SendMessage(BM_CLICK);
    SetFocus(page_edit);
    for (int key : { VK_RETURN, VK_ESCAPE }) {
        SCOPED_TRACE(key);
        platform::user::input::tap_key(key);
        pump();
        host.SendMessage(WM_COMMAND, key == VK_RETURN ? IDOK : IDCANCEL, 0);
        EXPECT_TRUE(IsWindow(host.m_hWnd));
        EXPECT_TRUE(host.IsWindowVisible());
    }
    EXPECT_TRUE(parent.commands.empty());
}

TEST_F(TabDialogTest, OtherCommandsAreDropped)
{
    host.SendMessage(WM_COMMAND, MAKEWPARAM(1700, EN_CHANGE), reinterpret_cast<LPARAM>(page_edit));
    host.SendMessage(WM_COMMAND, MAKEWPARAM(4242, BN_CLICKED), reinterpret_cast<LPARAM>(page_edit));
    EXPECT_EQ(visible_pages(), std::vector<int> { 0 });
    EXPECT_TRUE(parent.commands.empty());
}
