#include "FrameworkFixture.h"

#include "platform/framework/DialogManager.h"
#include "platform/system/Kernel.h"
#include "platform/system/Shell.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace {

class CountingWnd : public CWnd {
public:
    int presubclassed {};
    int destroyed {};
    std::vector<UINT> messages;
    bool* deleted_flag {};

protected:
    void PreSubclassWindow() override { ++presubclassed; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    afx_msg void OnDestroy() { ++destroyed; }
    void PostNcDestroy() override
    {
        if (deleted_flag) {
            *deleted_flag = true;
            delete this;
        }
    }
    afx_msg void OnClose() { DestroyWindow(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingWnd, CWnd)
ON_WM_DESTROY()
ON_WM_CLOSE()
END_MESSAGE_MAP()

}

using WndTest = FrameworkTest;

TEST_F(WndTest, CreatedAndSubclassedWindowsMapToTheirObjects)
{
    CountingWnd own;
    LPCTSTR const cls = AfxRegisterWndClass(0);
    ASSERT_TRUE(own.CreateEx(0, cls, "own", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(own.presubclassed, 1);
    // Bound from the first message: WM_NCCREATE and WM_CREATE reached the object.
    EXPECT_NE(std::find(own.messages.begin(), own.messages.end(), WM_NCCREATE), own.messages.end());
    EXPECT_NE(std::find(own.messages.begin(), own.messages.end(), WM_CREATE), own.messages.end());
    EXPECT_EQ(CWnd::FromHandle(own.m_hWnd), &own);

    HWND const plain = CreateWindowEx(0, "FakeEdit", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CWnd* temporary = CWnd::FromHandle(plain);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(CWnd::FromHandle(plain), temporary);
    CountingWnd sub;
    ASSERT_TRUE(sub.SubclassWindow(plain));
    EXPECT_EQ(sub.presubclassed, 1);
    EXPECT_FALSE(CountingWnd().SubclassWindow(plain));
    // The original procedure still answers what the object leaves.
    EXPECT_EQ(sub.SendMessage(WM_GETDLGCODE), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
    EXPECT_EQ(sub.UnsubclassWindow(), plain);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    DestroyWindow(plain);

    own.DestroyWindow();
    EXPECT_EQ(own.destroyed, 1);
    EXPECT_EQ(own.m_hWnd, nullptr);
}

// The wrappers FromHandle makes for device contexts and drawing objects go at idle time, as
// the windows' do, and leave their handles alive: a program drawing for days with fresh
// handles each paint must not keep one wrapper per handle it ever saw.
TEST_F(WndTest, TemporaryDrawingWrappersGoAtIdleTimeAndLeaveTheirHandles)
{
    HDC const dc = CreateCompatibleDC(nullptr);
    HBRUSH const brush = CreateSolidBrush(RGB(1, 2, 3));
    CDC* const dc_wrapper = CDC::FromHandle(dc);
    EXPECT_EQ(CDC::FromHandle(dc), dc_wrapper) << "one wrapper per handle until idle";
    EXPECT_EQ(CBrush::FromHandle(brush), CBrush::FromHandle(brush));
    AfxDeleteTempMap();
    LOGBRUSH lb {};
    EXPECT_EQ(GetObject(brush, sizeof lb, &lb), int(sizeof lb)) << "the brush is the caller's";
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
    EXPECT_TRUE(DeleteDC(dc)) << "the device context is the caller's";
    DeleteObject(brush);

    std::size_t const before = mallinfo2().uordblks;
    for (int i = 0; i < 5000; ++i) {
        HDC const fresh = CreateCompatibleDC(nullptr);
        HPEN const pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        CDC::FromHandle(fresh);
        CPen::FromHandle(pen);
        DeleteObject(pen);
        DeleteDC(fresh);
        AfxDeleteTempMap();
    }
    EXPECT_LT(mallinfo2().uordblks, before + 100'000) << "wrappers kept past idle time";
}

TEST_F(WndTest, HandlerMayDeleteItsOwnObject)
{
    bool deleted = false;
    auto* wnd = new CountingWnd;
    wnd->deleted_flag = &deleted;
    ASSERT_TRUE(wnd->CreateEx(0, AfxRegisterWndClass(0), "self", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HWND const hwnd = wnd->m_hWnd;
    SendMessage(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WndTest, TemplateScalesWithItsFontAndAReplacedOne)
{
    // Child template 101: 100 x 50 units at (10, 20), "Trebuchet MS" 8 points.
    auto layout = [](CDialogTemplate& tpl) {
        CWnd parent;
        EXPECT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr));
        CDialog page;
        HGLOBAL const handle = tpl.m_hTemplate;
        auto const* locked = static_cast<LPCDLGTEMPLATE>(GlobalLock(handle));
        EXPECT_TRUE(page.CreateIndirect(locked, &parent));
        GlobalUnlock(handle);
        CRect dialog, button;
        page.GetWindowRect(&dialog);
        parent.ScreenToClient(&dialog);
        page.GetDlgItem(1010)->GetWindowRect(&button);
        page.ScreenToClient(&button);
        SIZE const units = platform::framework::dialog_base_units(page.m_hWnd);
        page.DestroyWindow();
        parent.DestroyWindow();
        return std::tuple { dialog, button, units };
    };
    CDialogTemplate own;
    ASSERT_TRUE(own.Load(MAKEINTRESOURCE(101)));
    auto [dialog8, button8, units8] = layout(own);
    CDialogTemplate small;
    ASSERT_TRUE(small.Load(MAKEINTRESOURCE(101)));
    ASSERT_TRUE(small.SetFont("Trebuchet MS", 7));
    CString face;
    WORD points = 0;
    ASSERT_TRUE(small.GetFont(face, points));
    EXPECT_EQ(points, 7);
    auto [dialog7, button7, units7] = layout(small);

    // The pinned test face: 8 points -> 7 x 14 base units, 7 points -> 6 x 12. Halves round
    // away from zero (the button's 57 x 21 units at 7 x 14 are 99.75 x 36.75 pixels).
    EXPECT_EQ(units8.cx, 7);
    EXPECT_EQ(units8.cy, 14);
    EXPECT_EQ(units7.cx, 6);
    EXPECT_EQ(units7.cy, 12);
    EXPECT_TRUE(dialog8 == CRect(18, 35, 193, 123));
    EXPECT_TRUE(button8 == CRect(12, 12, 100, 37));
    EXPECT_TRUE(dialog7 == CRect(15, 30, 165, 105));
    EXPECT_TRUE(button7 == CRect(11, 11, 86, 32));
    EXPECT_FALSE(CDialogTemplate().Load(MAKEINTRESOURCE(999)));
}

TEST_F(WndTest, MessageBoxIsAnsweredByScriptAndClosesWithCancel)
{
    struct Case {
        char const* name;
        UINT type;
        UINT message;
        WPARAM command;
        int expected;
    };
    Case const cases[] = {
        { "yes", MB_YESNO | MB_ICONQUESTION, WM_COMMAND, IDYES, IDYES },
        { "no", MB_YESNO, WM_COMMAND, IDNO, IDNO },
        { "ok", MB_OK | MB_ICONHAND, WM_COMMAND, IDOK, IDOK },
        { "close box", MB_OK, WM_CLOSE, 0, IDCANCEL },
        { "cancel", MB_OKCANCEL | MB_ICONEXCLAMATION, WM_COMMAND, IDCANCEL, IDCANCEL },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        std::string title;
        platform::user::set_modal_hook([&](HWND box) {
            char text[64] {};
            GetWindowText(box, text, sizeof text);
            title = text;
            PostMessage(box, c.message, c.command, 0);
        });
        EXPECT_EQ(MessageBox(nullptr, "Load dll fail", "Caption", c.type), c.expected);
        EXPECT_EQ(title, "Caption");
    }
    platform::user::set_modal_hook([](HWND box) {
        MSG msg { GetFocus() ? GetFocus() : box, WM_KEYDOWN, VK_ESCAPE, 0, 0, { 0, 0 } };
        platform::user::filter_message(msg);
    });
    EXPECT_EQ(MessageBox(nullptr, "escape", "Caption", MB_YESNO), IDCANCEL);
}

// A link opened on a desktop without its opener says so in a message box owned by the window
// that asked, and ShellExecute answers the failure.
TEST_F(WndTest, OpeningALinkWithoutTheDesktopsOpenerShowsAMessageBox)
{
    platform::system::set_desktop_opener_program("zorvel-test-no-such-opener");
    std::string text;
    platform::user::set_modal_hook([&](HWND box) {
        char buffer[256] {};
        GetDlgItemText(box, message_box_text_id, buffer, sizeof buffer);
        text = buffer;
        PostMessage(box, WM_COMMAND, IDOK, 0);
    });
    HINSTANCE result = ShellExecute(nullptr, "open", "https://example.org/help", nullptr, nullptr, 1);
    platform::user::set_modal_hook(nullptr);
    platform::system::set_desktop_opener_program("");
    EXPECT_EQ(reinterpret_cast<INT_PTR>(result), SE_ERR_NOASSOC);
    EXPECT_EQ(text, "\"https://example.org/help\" cannot be opened: the desktop's opener (zorvel-test-no-such-opener) "
                    "is not installed.");
}

TEST_F(WndTest, ResourcesLoadByIdAndReportMissingOnes)
{
    auto const& set = platform::framework::resources();
    ASSERT_NE(set.menu(200), nullptr);
    auto const& file = set.menu(200)->items.at(0);
    EXPECT_EQ(file.text, "File");
    ASSERT_EQ(file.children.size(), 3u);
    EXPECT_TRUE(file.children[1].separator);
    EXPECT_TRUE(file.children[2].grayed);
    EXPECT_EQ(set.dialog(100)->init.at(0).second.size(), 3u);

    HICON const icon = LoadIcon(nullptr, MAKEINTRESOURCE(300));
    ASSERT_NE(icon, nullptr);
    ICONINFO info {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 4u);
    DestroyIcon(icon);

    auto* mapped = static_cast<HBITMAP>(LoadImage(nullptr, MAKEINTRESOURCE(301), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    ASSERT_NE(mapped, nullptr);
    HDC const dc = CreateCompatibleDC(nullptr);
    HGDIOBJ const old = SelectObject(dc, mapped);
    EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(GetPixel(dc, 1, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, 2, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(dc, 3, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(mapped);

    HRSRC const raw = FindResource(nullptr, MAKEINTRESOURCE(302), "BLOB");
    ASSERT_NE(raw, nullptr);
    EXPECT_GT(SizeofResource(nullptr, raw), 100u);
    EXPECT_EQ(static_cast<char const*>(LockResource(LoadResource(nullptr, raw)))[0], '#');

    EXPECT_EQ(platform::framework::missing_resources(set, "dialog", { 100, 101, 555 }), std::vector<std::string> { "dialog 555" });

    platform::framework::ResourceSet broken;
    broken.parse("dialog 1 0 0 10\nbogus\nmenu 5\n  item x \"y\"\n", ".", "broken.res");
    EXPECT_EQ(broken.errors().size(), 4u);
}

TEST_F(WndTest, ResourceFilesIncludeOthersRelativeToThemselves)
{
    std::filesystem::path const dir = std::filesystem::temp_directory_path() / ("res_include_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "pages");
    auto write = [&](std::filesystem::path const& p, char const* text) { std::ofstream(p) << text; };
    write(dir / "main.res", "include \"pages/pages.res\"\ninclude \"missing.res\"\nstring 1 \"main\"\n");
    write(dir / "pages" / "pages.res", "dialog 7 0 0 10 10\nend\ninclude \"self.res\"\n");
    write(dir / "pages" / "self.res", "include \"self.res\"\n");

    platform::framework::ResourceSet set;
    ASSERT_TRUE(set.load((dir / "main.res").string()));
    EXPECT_NE(set.dialog(7), nullptr);
    ASSERT_NE(set.string(1), nullptr);
    // The missing file and the self-inclusion past the nesting bound are reported, not fatal.
    EXPECT_EQ(set.errors().size(), 1u);
    ASSERT_EQ(set.missing().size(), 1u);
    EXPECT_NE(set.missing()[0].find("missing.res: missing"), std::string::npos) << set.missing()[0];
    EXPECT_TRUE(set.loaded());
    std::filesystem::remove_all(dir);
}

TEST_F(WndTest, ThreadsRunWithAWaitableHandle)
{
    static std::atomic<int> ran { 0 };
    static int four = 4;
    CWinThread* thread = AfxBeginThread([](LPVOID param) -> UINT {
        ran += *static_cast<int*>(param);
        return 3;
    }, &four, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(ran.load(), 0);
    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(ran.load(), 4);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, 3u);
    delete thread;
}

TEST(CommandLine, JoinsArgumentsAsOneText)
{
    char a0[] = "/bin/Zorvel", a1[] = "-s", a2[] = "two words", a3[] = "";
    char* argv[] = { a0, a1, a2, a3 };
    EXPECT_EQ(afx_join_command_line(4, argv), "-s \"two words\" \"\"");
    EXPECT_EQ(afx_join_command_line(1, argv), "");
}
