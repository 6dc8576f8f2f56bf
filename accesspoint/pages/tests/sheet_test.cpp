// The property sheet on the simulated world: its tabs in order with the string table's
// captions, the block acknowledgement tab that follows the adapter and the option, held while a
// page runs a modal loop, and the help file chosen by system and language.
#include "PagesFixture.h"

#include "accesspoint/pages/SheetModalGuard.h"
#include "platform/framework/WinApp.h"
#include "platform/system/Shell.h"

#include <fstream>

using hotvane::CSheetModalGuard;
using hotvane::G_VxApApi;

namespace {

std::vector<std::string> const kSixTabs = { "Config", "Access Control", "Station List", "Event Log", "Statistics", "About" };

}

TEST_F(SheetTest, SixTabsInOrderUntilTheAdapterAndTheOptionBothOffer80211n)
{
    G_VxApApi.Page11nSetting = 0;
    open_sheet();
    EXPECT_EQ(tabs(), kSixTabs);
    EXPECT_EQ(sheet->m_psh.dwFlags & 0x482, 0x482u) << "no Apply, its own icon, modeless";
    EXPECT_EQ(sheet->GetDlgItem(IDOK), nullptr);
    EXPECT_EQ(sheet->GetDlgItem(IDCANCEL), nullptr);
    sheet->RefreshPages();
    EXPECT_EQ(tabs(), kSixTabs) << "the option is off";

    G_VxApApi.Page11nSetting = 1;
    world("world-set 11n=0");
    sheet->RefreshPages();
    EXPECT_EQ(tabs(), kSixTabs) << "the adapter has no 802.11n";

    world("world-set 11n=1");
    sheet->RefreshPages();
    auto seven = kSixTabs;
    seven.push_back("Block Ack");
    EXPECT_EQ(tabs(), seven);
    sheet->RefreshPages();
    EXPECT_EQ(tabs(), seven) << "never twice";
}

TEST_F(SheetTest, BlockAckTabStaysWhileAPageRunsAModalLoop)
{
    G_VxApApi.Page11nSetting = 1;
    open_sheet();
    sheet->RefreshPages();
    ASSERT_EQ(sheet->GetPageCount(), 7);
    sheet->SetActivePage(&sheet->m_pageBlockAck);
    world("world-set 11n=0");
    {
        CSheetModalGuard guard;
        sheet->RefreshPages();
        EXPECT_EQ(sheet->GetPageCount(), 7);
        EXPECT_EQ(sheet->GetActivePage(), &sheet->m_pageBlockAck);
    }
    sheet->RefreshPages();
    EXPECT_EQ(tabs(), kSixTabs);
    EXPECT_EQ(sheet->m_pageBlockAck.m_hWnd, nullptr);
}

TEST_F(SheetTest, EscapeDestroysTheWindowAndLeavesTheObject)
{
    open_sheet();
    sheet->SendMessage(WM_COMMAND, IDCANCEL);
    pump();
    EXPECT_EQ(sheet->m_hWnd, nullptr);
    EXPECT_EQ(sheet->GetPageCount(), 6);
}

namespace {

class SheetHelpTest : public SheetTest {
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        help_path = m_folder + "\\Hotvane.HLP";
        app.m_pszHelpFilePath = help_path.c_str();
        platform::system::set_shell_opener([this](std::string const& target) {
            opened.push_back(target);
            return true;
        });
    }
    void TearDown() override
    {
        platform::system::set_shell_opener(nullptr);
        ::unsetenv("LC_ALL");
        SheetTest::TearDown();
    }

    CWinApp app { "HotvaneHelpTest" };
    std::string help_path;
    std::vector<std::string> opened;
};

}

// The help lies in the folder of the application's help file path; the Chinese one only on the
// older systems in Traditional Chinese.
TEST_F(SheetHelpTest, HelpFileBySystemAndLanguage)
{
    struct Case {
        char const* name;
        int os;
        char const* locale;
        char const* file;
    };
    Case const cases[] = {
        { "code 9 in Traditional Chinese", 9, "zh_TW.UTF-8", "APCONFIGCHN.html" },
        { "code 10 in Traditional Chinese", 10, "zh_TW.UTF-8", "APCONFIGENG.html" },
        { "code 9 in English", 9, "en_US.UTF-8", "APCONFIGENG.html" },
    };
    std::ofstream(m_folder + "/APCONFIGENG.html") << "<html></html>\n";
    std::ofstream(m_folder + "/APCONFIGCHN.html") << "<html></html>\n";
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        world("world-set os=" + std::to_string(c.os));
        ::setenv("LC_ALL", c.locale, 1);
        opened.clear();
        open_sheet();
        CWnd* help = sheet->GetDlgItem(IDHELP);
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->IsWindowVisible());
        EXPECT_TRUE(help->IsWindowEnabled());
        sheet->SendMessage(WM_COMMAND, IDHELP);
        sheet->SendMessage(WM_HELP, 0, 0);
        EXPECT_EQ(opened, (std::vector<std::string> { m_folder + "/" + c.file, m_folder + "/" + c.file }));
    }
}

TEST_F(SheetHelpTest, MissingHelpFileHidesHelpAndF1DoesNothing)
{
    open_sheet();
    EXPECT_FALSE(sheet->GetDlgItem(IDHELP)->IsWindowVisible());
    sheet->SendMessage(WM_HELP, 0, 0);
    EXPECT_TRUE(opened.empty());
}

// A help window that is open already is not opened again.
TEST_F(SheetHelpTest, HelpButtonLeavesAnOpenHelpWindowAlone)
{
    std::ofstream(m_folder + "/APCONFIGENG.html") << "<html></html>\n";
    open_sheet();
    CWnd help_window;
    ASSERT_TRUE(help_window.CreateEx(0, AfxRegisterWndClass(0), "SoftAP Utility Help", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    sheet->SendMessage(WM_COMMAND, IDHELP);
    EXPECT_TRUE(opened.empty());
    help_window.DestroyWindow();
    sheet->SendMessage(WM_COMMAND, IDHELP);
    EXPECT_EQ(opened.size(), 1u);
}
