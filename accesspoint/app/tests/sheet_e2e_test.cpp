// The property sheet in the running program on the default world, read from snapshots of the
// window tree: the tabs, the station table and event log following stations that join and
// leave, the statistics growing and Reset, the about page's versions. The snapshots stay beside
// the test binary ("hotvane_run_snapshots/<step>") for a person to look at.
#include "HotvaneAppHarness.h"

#include "accesspoint/pages/StatisticPage.h"
#include "platform/controls/ControlMessages.h"
#include "platform/display/tests/SnapshotReader.h"

#include <algorithm>

using namespace hotvane;
using hotvane::testing::HotvaneAppHarness;
using platform::display::testing::snapshot;
using platform::display::testing::snapshot_folder;
using platform::display::testing::Shown;

namespace {

constexpr int kStationList = 1001;
constexpr int kEventList = 1107;

bool lists_address(Shown const& shown, int list, std::string const& address)
{
    auto it = shown.rows.find(list);
    if (it == shown.rows.end())
        return false;
    return std::any_of(it->second.begin(), it->second.end(), [&](auto const& row) {
        return std::any_of(row.begin(), row.end(), [&](auto const& cell) { return cell.find(address) != std::string::npos; });
    });
}

std::size_t row_count(Shown const& shown, int list)
{
    auto it = shown.rows.find(list);
    return it == shown.rows.end() ? 0 : it->second.size();
}

Shown look(std::string const& step) { return snapshot(snapshot_folder("hotvane_run_snapshots", step)); }

}

TEST_F(HotvaneAppHarness, SheetPagesFollowTheWorld)
{
    on_running([&](CHideDlg& dialog) {
        advance(2000);
        ASSERT_TRUE(dialog.sheet_open());
        CVxPropSheet* sheet = dialog.sheet();
        // Six tabs on an 802.11n adapter with the option set: the block acknowledgement tab follows
        // on the first tick.
        EXPECT_EQ(sheet->GetPageCount(), 7);
        Shown shown = look("opened");

        // The station table and the event log show a change within one refresh of their own after
        // the library has it.
        sheet->SetActivePage(&sheet->m_pageMacTable);
        advance(4000);
        shown = look("station-table");
        EXPECT_TRUE(lists_address(shown, kStationList, "02-30-00-00-00-01"));
        EXPECT_FALSE(lists_address(shown, kStationList, "02-30-00-00-00-04"));
        wlansim("sta-join tablet");
        wlansim("sta-leave printer");
        advance(4000);
        shown = look("station-table-after");
        EXPECT_TRUE(lists_address(shown, kStationList, "02-30-00-00-00-04"));
        EXPECT_FALSE(lists_address(shown, kStationList, "02-30-00-00-00-03"));

        sheet->SetActivePage(&sheet->m_pageEventLog);
        advance(2000);
        shown = look("event-log");
        EXPECT_TRUE(lists_address(shown, kEventList, "02-30-00-00-00-04"));
        EXPECT_TRUE(lists_address(shown, kEventList, "02-30-00-00-00-03"));
        EXPECT_EQ(row_count(shown, kEventList), std::size_t(G_aryEventLog.GetSize()));

        sheet->SetActivePage(&sheet->m_pageStatistic);
        advance(2000);
        std::string const before = look("statistics").texts[CStatisticPage::IDC_TXOK];
        advance(4000);
        std::string const after = look("statistics-later").texts[CStatisticPage::IDC_TXOK];
        EXPECT_GT(std::stoull(after), std::stoull(before));
        ::SendMessage(::GetDlgItem(sheet->m_pageStatistic.m_hWnd, CStatisticPage::IDC_RESET), BM_CLICK, 0, 0);
        platform::testing::pump_until_idle();
        EXPECT_EQ(look("statistics-reset").texts[CStatisticPage::IDC_TXOK], "0");

        sheet->SetActivePage(&sheet->m_pageAbout);
        advance(10);
        shown = look("about");
        EXPECT_FALSE(shown.texts[CAboutPage::IDC_UTILITY].empty());
        EXPECT_FALSE(shown.texts[CAboutPage::IDC_LIBRARY].empty());
        EXPECT_FALSE(shown.texts[CAboutPage::IDC_DRIVER].empty());
    });
    run();
}
