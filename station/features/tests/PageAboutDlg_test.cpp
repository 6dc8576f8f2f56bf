// The about page over files with version notes in a folder of the test's own and a fake
// library: the three version rows with their local dates, the adapter's rows, and the link
// that a worker thread opens.
#include "FakeHostedLibrary.h"
#include "FeaturesFixture.h"

#include "platform/system/Shell.h"
#include "platform/system/tests/TempFolder.h"
#include "platform/user/Clock.h"
#include "station/core/IniFile.h"
#include "station/core/UiStr.h"
#include "station/features/PageAboutDlg.h"

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <mutex>
#include <sys/time.h>

namespace {

// 2024-03-05 02:00 UTC, which is 03-04-2024 at five hours west of Greenwich.
constexpr time_t kChanged = 1709604000;
constexpr int kOffsetMinutes = -300;

void write_note(std::string const& path, char const* version)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "ZORVEL-VERSION-NOTE 1\nFileVersion=" << version << "\n";
    timeval times[2] = { { kChanged, 0 }, { kChanged, 0 } };
    ::utimes(path.c_str(), times);
}

class PageAboutTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        platform::manual_clock()->set_local_offset_minutes(kOffsetMinutes);
        folder.use_for_system_services();
        write_note(folder.file("Zorvel"), "5.6.7.8");
        write_note(folder.file("VxWLAPI.so"), "1.0.0.3");
        write_note(folder.file("system32/drivers/vxsim.sys"), "2.0.1.9");
        SetProgramPathForTesting(folder.file("Zorvel"));
        saved_ui = G_UiStr;
        G_UiStr.IDS_LEGAL_COPYRIGHT = "Legal";
    }
    void TearDown() override
    {
        page.reset();
        SetProgramPathForTesting("");
        platform::system::set_shell_opener(nullptr);
        G_UiStr = saved_ui;
        FeaturesTest::TearDown();
    }

    // Shows the page; shown again when it is open already, as a new visit.
    void visit()
    {
        if (!page) {
            page = std::make_unique<CPageAboutDlg>(&host);
            ASSERT_TRUE(page->Create(CPageAboutDlg::IDD, &host));
        }
        page->ShowWindow(SW_HIDE);
        page->ShowWindow(SW_SHOW);
        pump();
    }
    std::string shown(int id) const { return text_of(::GetDlgItem(page->m_hWnd, id)); }
    bool visible(int id) const { return ::IsWindowVisible(::GetDlgItem(page->m_hWnd, id)) != FALSE; }

    platform::system::testing::TempFolder folder;
    FakeHostedLibrary lib;
    std::unique_ptr<CPageAboutDlg> page;
    CUISTR saved_ui;
};

}

TEST_F(PageAboutTest, ShowsTheThreeVersionsWithTheirLocalDates)
{
    visit();
    EXPECT_EQ(shown(CPageAboutDlg::IDC_LEGAL), "Legal");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_VERSION), "5.6.7.8");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_DATE), "03-04-2024");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_LIBRARY), "1.0.0.3");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_LIBRARY_DATE), "03-04-2024");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_DRIVER), "2.0.1.9");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_DRIVER_DATE), "03-04-2024");
}

TEST_F(PageAboutTest, AProgramWithoutANoteLeavesOnlyItsOwnRowsEmpty)
{
    std::ofstream(folder.file("Zorvel")) << "no note";
    std::filesystem::remove(folder.file("system32/drivers/vxsim.sys"));
    visit();
    EXPECT_EQ(shown(CPageAboutDlg::IDC_VERSION), "");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_DATE), "");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_LIBRARY), "1.0.0.3");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_DRIVER), "");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_DRIVER_DATE), "");
}

// As written, ".../system32" and "drivers/vxsim.sys" would join into ".../system32drivers".
TEST_F(PageAboutTest, DriverPathJoinsFolderAndNameWithOneSeparator)
{
    EXPECT_EQ(CPageAboutDlg::DriverPath("/s/system32", "drivers/vxsim.sys"), "/s/system32/drivers/vxsim.sys");
    EXPECT_EQ(CPageAboutDlg::DriverPath("/s/system32", "\\drivers\\vxsim.sys"), "/s/system32/drivers/vxsim.sys");
    EXPECT_EQ(CPageAboutDlg::DriverPath("C:\\system32", "vxsim.sys"), "C:/system32/vxsim.sys");
}

TEST_F(PageAboutTest, EepromAndFirmwareRowsByModelAndQuery)
{
    struct Case {
        char const* name;
        int model;
        bool model_ok;
        bool eeprom_ok;
        bool firmware_ok;
        char const* eeprom; // null: row hidden
        char const* firmware;
    };
    Case const cases[] = {
        { "model 3", 3, true, true, true, "1.2", "2.1" },
        { "model 1", 1, true, true, true, "1.2", nullptr },
        { "model 9", 9, true, true, true, "1.2", nullptr },
        { "failed queries", 3, true, false, false, nullptr, nullptr },
        { "failed model query", 3, false, true, true, "1.2", nullptr },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        page.reset();
        lib.model = c.model;
        lib.model_ok = c.model_ok;
        lib.eeprom_ok = c.eeprom_ok;
        lib.firmware_ok = c.firmware_ok;
        visit();
        EXPECT_EQ(visible(CPageAboutDlg::IDC_EEPROM), c.eeprom != nullptr);
        EXPECT_EQ(visible(CPageAboutDlg::IDC_EEPROM_LABEL), c.eeprom != nullptr);
        if (c.eeprom) {
            EXPECT_EQ(shown(CPageAboutDlg::IDC_EEPROM), c.eeprom);
        }
        EXPECT_EQ(visible(CPageAboutDlg::IDC_FIRMWARE), c.firmware != nullptr);
        EXPECT_EQ(visible(CPageAboutDlg::IDC_FIRMWARE_LABEL), c.firmware != nullptr);
        if (c.firmware) {
            EXPECT_EQ(shown(CPageAboutDlg::IDC_FIRMWARE), c.firmware);
        }
    }
}

// Every visit reads again: a changed firmware shows on the next one.
TEST_F(PageAboutTest, EachVisitReadsAgain)
{
    lib.model = 3;
    visit();
    EXPECT_EQ(shown(CPageAboutDlg::IDC_FIRMWARE), "2.1");
    lib.firmware = 0x0304;
    lib.mac[5] = 0x0A;
    visit();
    EXPECT_EQ(shown(CPageAboutDlg::IDC_FIRMWARE), "3.4");
    EXPECT_EQ(shown(CPageAboutDlg::IDC_MAC), "00-1A-2B-3C-4D-0A");
}

// The click starts the thread and returns; the thread, held here, opens the address after.
// What the thread touches is shared with it, so the test may end while the thread finishes.
TEST_F(PageAboutTest, LinkOpensTheWebPageFromAWorkerThread)
{
    struct Gate {
        std::mutex mutex;
        std::condition_variable released;
        bool release = false;
        std::promise<std::string> opened;
    };
    auto gate = std::make_shared<Gate>();
    platform::system::set_shell_opener([gate](std::string const& target) {
        {
            std::unique_lock lock(gate->mutex);
            gate->released.wait_for(lock, std::chrono::seconds(10), [&] { return gate->release; });
        }
        gate->opened.set_value(target);
        return true;
    });
    visit();
    auto result = gate->opened.get_future();
    page->SendMessage(WM_COMMAND, MAKEWPARAM(CPageAboutDlg::IDC_LINK, BN_CLICKED),
        reinterpret_cast<LPARAM>(::GetDlgItem(page->m_hWnd, CPageAboutDlg::IDC_LINK)));
    EXPECT_NE(result.wait_for(std::chrono::seconds(0)), std::future_status::ready) << "the click did not wait";
    {
        std::lock_guard lock(gate->mutex);
        gate->release = true;
    }
    gate->released.notify_all();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(result.get(), "http://www.vexlor.example/");
}
