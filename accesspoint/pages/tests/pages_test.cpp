// The station table, event log, statistics and about pages inside the sheet, on the simulated
// world changed live through wlansim, and on fakes bound into the binding's slots where the
// world cannot give the edge (a count past the table, a model that changes between refreshes).
#include "PagesFixture.h"

#include "platform/system/Shell.h"

#include <filesystem>
#include <fstream>
#include <sys/time.h>

using namespace hotvane;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// 2009-03-07 12:00 UTC.
constexpr time_t kMarch7th2009 = 1236427200;

void write_note(std::string const& path, char const* version, char const* copyright = "")
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "ZORVEL-VERSION-NOTE 1\nFileVersion=" << version << "\nLegalCopyright=" << copyright << "\n";
    timeval times[2] = { { kMarch7th2009, 0 }, { kMarch7th2009, 0 } };
    ::utimes(path.c_str(), times);
}

}

// [SECTION] Station table

TEST_F(SheetTest, StationTableFollowsStationsJoiningAndLeaving)
{
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageMacTable);
    EXPECT_EQ(sheet->m_pageMacTable.m_list.GetItemCount(), 0) << "filled on the first tick";
    advance(2000);
    Rows listed = rows(sheet->m_pageMacTable.m_list, 4);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0], (std::vector<std::string> { "02-30-00-00-00-01", "1", "No", "N: MCS = 7, BW = 40, GI = 400, Rate = 150.00" }));
    EXPECT_EQ(listed[1][0], "02-30-00-00-00-02");
    EXPECT_EQ(listed[2][0], "02-30-00-00-00-03");

    world("sta-join tablet");
    world("sta-leave printer");
    advance(2000);
    listed = rows(sheet->m_pageMacTable.m_list, 4);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[2][0], "02-30-00-00-00-04");
    for (auto const& row : listed)
        EXPECT_NE(row[0], "02-30-00-00-00-03");

    sheet->SetActivePage(&sheet->m_pageStatistic);
    world("sta-leave laptop");
    advance(4000);
    EXPECT_EQ(sheet->m_pageMacTable.m_list.GetItemCount(), 3) << "not refreshed while another page shows";
}

// Models 2 and 3 have the table without rates; 1 and 9 are no model the page knows: the list
// stays as it was.
TEST_F(SheetTest, StationTableLayoutByDeviceModel)
{
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageMacTable);
    world("adapter-set wlan0 device_model=3");
    advance(2000);
    Rows listed = rows(sheet->m_pageMacTable.m_list, 4);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0], (std::vector<std::string> { "02-30-00-00-00-01", "1", "No", "" }));

    for (char const* model : { "1", "9" }) {
        SCOPED_TRACE(model);
        world(std::string("adapter-set wlan0 device_model=") + model);
        world("sta-leave phone");
        advance(2000);
        EXPECT_EQ(rows(sheet->m_pageMacTable.m_list, 4), listed);
        world("sta-join phone");
    }
}

namespace {

int g_model = 5;
int g_model_calls = 0;
int g_query_result = 1;
std::uint32_t g_count = 0;

// Every other answer is the other layout's model, as an adapter swapped between two calls.
int fake_model(int* model)
{
    *model = (g_model_calls++ % 2 == 0) ? g_model : (g_model == 5 ? 3 : 5);
    return 1;
}

int fake_table(KT_802_11_MAC_TABLE* table)
{
    table->Count = g_count;
    for (std::uint8_t i = 0; i < 32; ++i) {
        table->Entry[i].Mac[5] = i;
        table->Entry[i].Aid = std::uint8_t(i + 1);
        table->Entry[i].TxRate = 0x0003;
    }
    return g_query_result;
}

int fake_table_not_11n(KT_802_11_MAC_TABLE_NOT_11N* table)
{
    table->Count = g_count;
    for (std::uint8_t i = 0; i < 32; ++i) {
        table->Entry[i].Mac[5] = i;
        table->Entry[i].Aid = std::uint8_t(i + 1);
        table->Entry[i].PowerSave = 1;
    }
    return g_query_result;
}

}

// The count is taken within the table's 32 entries; a failed query keeps the rows; a model that
// changes between refreshes lists each table in its own layout (AddressSanitizer checks that no
// 260-byte table is read as ten-byte entries).
TEST_F(SheetTest, StationTableBoundsTheCountAndKeepsRowsOnAFailedQuery)
{
    auto const saved_model = G_VxApApi.VXAP_GetCurrentDeviceModel.get();
    auto const saved_table = G_VxApApi.VXAP_QueryMacTable.get();
    auto const saved_not_11n = G_VxApApi.VXAP_QueryMacTableNOT_11N.get();
    G_VxApApi.VXAP_GetCurrentDeviceModel.bind(fake_model);
    G_VxApApi.VXAP_QueryMacTable.bind(fake_table);
    G_VxApApi.VXAP_QueryMacTableNOT_11N.bind(fake_table_not_11n);
    g_model = 5;
    g_model_calls = 0;
    g_query_result = 1;
    g_count = 40;
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageMacTable);
    g_model_calls = 0; // the configuration page asked for the model as it opened
    CListCtrl& list = sheet->m_pageMacTable.m_list;

    sheet->m_pageMacTable.RefreshStations();
    ASSERT_EQ(list.GetItemCount(), 32);
    EXPECT_EQ(list.GetItemText(31, 0), "00-00-00-00-00-1F");
    EXPECT_EQ(list.GetItemText(31, 3), "B: Rate = 11.00");

    sheet->m_pageMacTable.RefreshStations(); // the other layout this time
    ASSERT_EQ(list.GetItemCount(), 32);
    EXPECT_EQ(list.GetItemText(0, 2), "Yes");
    EXPECT_EQ(list.GetItemText(0, 3), "");

    g_query_result = 0;
    g_count = 2;
    sheet->m_pageMacTable.RefreshStations();
    EXPECT_EQ(list.GetItemCount(), 32);

    G_VxApApi.VXAP_GetCurrentDeviceModel.bind(saved_model);
    G_VxApApi.VXAP_QueryMacTable.bind(saved_table);
    G_VxApApi.VXAP_QueryMacTableNOT_11N.bind(saved_not_11n);
}

// [SECTION] Event log

namespace {

KT_802_11_EVENT_LOG event(std::uint64_t filetime, std::uint16_t code, std::uint8_t last = 0x6E)
{
    KT_802_11_EVENT_LOG e {};
    e.Time = FILETIME { DWORD(filetime & 0xFFFFFFFF), DWORD(filetime >> 32) };
    std::uint8_t const mac[6] = { 0x02, 0x1A, 0x3B, 0x4C, 0x5D, last };
    std::memcpy(e.Mac, mac, 6);
    e.Code = code;
    return e;
}

constexpr std::uint64_t kMarch2nd2009At130509 = 128804727090000000;

}

TEST_F(SheetTest, EventLogListsTheArrayWithTimesAndMessages)
{
    platform::manual_clock()->set_local_offset_minutes(0);
    G_aryEventLog.Add(event(kMarch2nd2009At130509, 0));
    G_aryEventLog.Add(event(kMarch2nd2009At130509, 3));
    G_aryEventLog.Add(event(kMarch2nd2009At130509, 7));
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageEventLog);
    advance(2000);
    Rows const listed = rows(sheet->m_pageEventLog.m_list, 2);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0], (std::vector<std::string> { "2009 / 03 / 02 - 13 : 05 : 09", "Access point started" }));
    EXPECT_EQ(listed[1][1], " 02-1A-3B-4C-5D-6E was refused by the access control list");
    EXPECT_EQ(listed[2][1], "");
    EXPECT_EQ(G_nEventLogShown, 3);

    // A new sheet starts from the whole array again.
    sheet.reset();
    G_nEventLogShown = 0;
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageEventLog);
    advance(2000);
    EXPECT_EQ(sheet->m_pageEventLog.m_list.GetItemCount(), 3);
}

TEST_F(SheetTest, EventLogClearThenOnlyLaterEvents)
{
    G_aryEventLog.Add(event(kMarch2nd2009At130509, 1));
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageEventLog);
    advance(2000);
    ASSERT_EQ(sheet->m_pageEventLog.m_list.GetItemCount(), 1);
    sheet->m_pageEventLog.SendMessage(WM_COMMAND, MAKEWPARAM(CEventLogPage::IDC_CLEAR, BN_CLICKED));
    EXPECT_EQ(sheet->m_pageEventLog.m_list.GetItemCount(), 0);
    EXPECT_EQ(G_aryEventLog.GetSize(), 0);
    EXPECT_EQ(G_nEventLogShown, 0);
    G_aryEventLog.Add(event(kMarch2nd2009At130509, 2, 0x01));
    advance(2000);
    Rows const listed = rows(sheet->m_pageEventLog.m_list, 2);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0][1], " 02-1A-3B-4C-5D-01 left");
}

// The array drops its oldest as the hidden dialog appends; the list follows with the entries it
// has not shown and keeps at most 100 rows, the oldest going first.
TEST_F(SheetTest, EventLogKeepsAtMostAHundredRows)
{
    for (int i = 0; i < 100; ++i)
        G_aryEventLog.Add(event(kMarch2nd2009At130509, 1, std::uint8_t(i)));
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageEventLog);
    advance(2000);
    ASSERT_EQ(sheet->m_pageEventLog.m_list.GetItemCount(), 100);
    EventTable table {};
    table.Count = 10;
    for (int i = 0; i < 10; ++i)
        table.Event[i] = event(kMarch2nd2009At130509, 2, std::uint8_t(100 + i));
    AppendEventTable(table);
    advance(2000);
    CListCtrl& list = sheet->m_pageEventLog.m_list;
    ASSERT_EQ(list.GetItemCount(), 100);
    EXPECT_EQ(list.GetItemText(0, 1), " 02-1A-3B-4C-5D-0A associated");
    EXPECT_EQ(list.GetItemText(99, 1), " 02-1A-3B-4C-5D-6D left");

    // More new entries than rows: the list holds the last 100 of them alone.
    G_aryEventLog.RemoveAll();
    for (int i = 0; i < 150; ++i)
        G_aryEventLog.Add(event(kMarch2nd2009At130509, 4, std::uint8_t(i)));
    G_nEventLogShown = 0;
    advance(2000);
    ASSERT_EQ(list.GetItemCount(), 100);
    EXPECT_EQ(list.GetItemText(0, 1), " 02-1A-3B-4C-5D-32 failed authentication");
    EXPECT_EQ(list.GetItemText(99, 1), " 02-1A-3B-4C-5D-95 failed authentication");
    EXPECT_EQ(G_nEventLogShown, 150);
}

// Stations of the world leave and join: the events the library reports reach the list.
TEST_F(SheetTest, EventLogShowsTheWorldsEvents)
{
    EventTable table {};
    while (G_VxApApi.VXAP_QueryEventTable(&table))
        AppendEventTable(table);
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageEventLog);
    world("sta-leave printer");
    ASSERT_TRUE(G_VxApApi.VXAP_QueryEventTable(&table));
    AppendEventTable(table);
    advance(2000);
    CListCtrl& list = sheet->m_pageEventLog.m_list;
    ASSERT_GE(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItemText(list.GetItemCount() - 1, 1), " 02-30-00-00-00-03 left");
}

// [SECTION] Statistics

TEST_F(SheetTest, StatisticsShowTheCountersAndResetZeroesThemAtOnce)
{
    G_VxApApi.RTSSuccessCount = 1;
    G_VxApApi.RTSFailureCount = 0;
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageStatistic);
    CStatisticPage& page = sheet->m_pageStatistic;
    EXPECT_EQ(shown(page, CStatisticPage::IDC_RTSOK_LABEL), "RTS Frames Successfully Receive CTS");
    EXPECT_EQ(shown(page, CStatisticPage::IDC_RTSOK_EQUALS), "=");
    EXPECT_EQ(shown(page, CStatisticPage::IDC_RTSFAIL_LABEL), "");
    EXPECT_EQ(shown(page, CStatisticPage::IDC_RTSFAIL_EQUALS), "");
    world("softap counters 5000");
    advance(2000);
    EXPECT_NE(shown(page, CStatisticPage::IDC_TXOK), "0");
    EXPECT_NE(shown(page, CStatisticPage::IDC_TXOK), "");
    EXPECT_NE(shown(page, CStatisticPage::IDC_RTSOK), "");
    EXPECT_EQ(shown(page, CStatisticPage::IDC_RTSFAIL), "");

    page.SendMessage(WM_COMMAND, MAKEWPARAM(CStatisticPage::IDC_RESET, BN_CLICKED));
    for (int id : { CStatisticPage::IDC_TXOK, CStatisticPage::IDC_TXALLRETRY, CStatisticPage::IDC_TXRETRY, CStatisticPage::IDC_RXOK,
             CStatisticPage::IDC_RXCRC, CStatisticPage::IDC_DROP, CStatisticPage::IDC_RXDUP, CStatisticPage::IDC_RTSOK })
        EXPECT_EQ(shown(page, id), "0") << id;
    EXPECT_EQ(shown(page, CStatisticPage::IDC_RTSFAIL), "");
    AP_WLAN_STATUS status {};
    G_VxApApi.VXAP_QueryApWLANStatus(&status);
    EXPECT_LT(status.Counters[COUNTER_TX_OK / 8], 5000u) << "the library's counters were reset";

    // Not refreshed while another page shows.
    world("softap counters 9000");
    sheet->SetActivePage(&sheet->m_pageAbout);
    advance(4000);
    EXPECT_EQ(shown(page, CStatisticPage::IDC_TXOK), "0");
}

namespace {

std::uint64_t g_rx_ok = 0;
std::uint32_t g_rx_ok_legacy = 0;

int fake_status(AP_WLAN_STATUS* status)
{
    status->RxOk = g_rx_ok;
    status->RxOkLegacy = g_rx_ok_legacy;
    status->Counters[COUNTER_TX_OK / 8] = 0x8000000000000001ull;
    return 1;
}

}

// Frames received: the 64-bit counter at 416 on code 10 and above, the 32-bit one at 424 below;
// neither shows negative.
TEST_F(SheetTest, StatisticsReceivedFramesBySystem)
{
    auto const saved = G_VxApApi.VXAP_QueryApWLANStatus.get();
    G_VxApApi.VXAP_QueryApWLANStatus.bind(fake_status);
    g_rx_ok = 5000000000ull;
    g_rx_ok_legacy = 4000000000u;
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageStatistic);
    CStatisticPage& page = sheet->m_pageStatistic;
    world("world-set os=10");
    advance(2000);
    EXPECT_EQ(shown(page, CStatisticPage::IDC_RXOK), "5000000000");
    EXPECT_EQ(shown(page, CStatisticPage::IDC_TXOK), "9223372036854775809");
    world("world-set os=9");
    advance(2000);
    EXPECT_EQ(shown(page, CStatisticPage::IDC_RXOK), "4000000000");
    G_VxApApi.VXAP_QueryApWLANStatus.bind(saved);
}

// [SECTION] About

class AboutTest : public SheetTest {
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        platform::manual_clock()->set_local_offset_minutes(0);
        ::setenv("ZORVEL_SYSTEM_DIR", (m_folder + "/system32").c_str(), 1);
        write_note(m_folder + "/Hotvane", "2.1.0.5", "Copyright (C) Tarsel test");
        write_note(m_folder + "/VxAPAPI.so", "1.0.0.3");
        write_note(m_folder + "/system32/drivers/vxsim.sys", "4.2.0.17");
    }
    void TearDown() override
    {
        ::unsetenv("ZORVEL_SYSTEM_DIR");
        SheetTest::TearDown();
    }
    CAboutPage& about() { return sheet->m_pageAbout; }
};

TEST_F(AboutTest, VersionsDatesAndAdapterRows)
{
    world("adapter-set wlan0 mac=02:1A:3B:4C:5D:6E eeprom=1.5 firmware=1.2 device_model=5");
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageAbout);
    EXPECT_EQ(shown(about(), CAboutPage::IDC_UTILITY), "2.1.0.5");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_UTILITY_DATE), "03-07-2009");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_COPYRIGHT), "Copyright (C) Tarsel test");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_LIBRARY), "1.0.0.3");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_LIBRARY_DATE), "03-07-2009");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_DRIVER), "4.2.0.17");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_DRIVER_DATE), "03-07-2009");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_MAC), "02-1A-3B-4C-5D-6E");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_EEPROM), "1.5");
    EXPECT_TRUE(visible(about(), CAboutPage::IDC_FIRMWARE));
    EXPECT_EQ(shown(about(), CAboutPage::IDC_FIRMWARE), "1.2");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_UTILITY_LABEL), "Utility Version");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_DRIVER_LABEL), "Driver Version");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_IP), "192.168.1.23");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_MASK), "255.255.255.0");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_GATEWAY), "");
}

TEST_F(AboutTest, FilesWithoutANoteLeaveTheirRowsEmpty)
{
    std::ofstream(m_folder + "/Hotvane") << "no note";
    std::filesystem::remove(m_folder + "/system32/drivers/vxsim.sys");
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageAbout);
    EXPECT_EQ(shown(about(), CAboutPage::IDC_UTILITY), "");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_UTILITY_DATE), "");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_LIBRARY), "1.0.0.3");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_DRIVER), "");
    EXPECT_EQ(shown(about(), CAboutPage::IDC_DRIVER_DATE), "");
}

TEST_F(AboutTest, EepromAndFirmwareRowsByModelAndAnswer)
{
    struct Case {
        char const* name;
        char const* adapter;
        char const* eeprom; // null: row hidden
        char const* firmware;
    };
    Case const cases[] = {
        { "model 5", "device_model=5 eeprom=1.5 firmware=1.2", "1.5", "1.2" },
        { "model 1", "device_model=1 eeprom=1.5 firmware=1.2", "1.5", nullptr },
        { "model 9", "device_model=9 eeprom=1.5 firmware=1.2", "1.5", nullptr },
        { "both fail", "device_model=5 eeprom=none firmware=none", nullptr, nullptr },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        world(std::string("adapter-set wlan0 ") + c.adapter);
        sheet.reset();
        open_sheet();
        sheet->SetActivePage(&sheet->m_pageAbout);
        EXPECT_EQ(visible(about(), CAboutPage::IDC_EEPROM), c.eeprom != nullptr);
        EXPECT_EQ(visible(about(), CAboutPage::IDC_EEPROM_LABEL), c.eeprom != nullptr);
        if (c.eeprom) {
            EXPECT_EQ(shown(about(), CAboutPage::IDC_EEPROM), c.eeprom);
        }
        EXPECT_EQ(visible(about(), CAboutPage::IDC_FIRMWARE), c.firmware != nullptr);
        EXPECT_EQ(visible(about(), CAboutPage::IDC_FIRMWARE_LABEL), c.firmware != nullptr);
        if (c.firmware) {
            EXPECT_EQ(shown(about(), CAboutPage::IDC_FIRMWARE), c.firmware);
        }
    }
}

// The address is read again every 5 s, only while the page is the active one.
TEST_F(AboutTest, AddressFollowsTheWorldWhileThePageIsActive)
{
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageAbout);
    world("world-set address=10.0.0.7");
    advance(5000);
    EXPECT_EQ(shown(about(), CAboutPage::IDC_IP), "10.0.0.7");

    sheet->SetActivePage(&sheet->m_pageStatistic);
    world("world-set address=10.0.0.8");
    advance(10000);
    EXPECT_EQ(shown(about(), CAboutPage::IDC_IP), "10.0.0.7");
    sheet->SetActivePage(&sheet->m_pageAbout);
    EXPECT_EQ(shown(about(), CAboutPage::IDC_IP), "10.0.0.8") << "read again when shown";
}

TEST_F(AboutTest, LinkOpensTheMakersAddress)
{
    std::vector<std::string> opened;
    platform::system::set_shell_opener([&](std::string const& target) {
        opened.push_back(target);
        return true;
    });
    open_sheet();
    sheet->SetActivePage(&sheet->m_pageAbout);
    EXPECT_EQ(shown(about(), CAboutPage::IDC_LINK), "www.vexlor.example");
    about().SendMessage(WM_COMMAND, MAKEWPARAM(CAboutPage::IDC_LINK, BN_CLICKED));
    platform::system::set_shell_opener(nullptr);
    EXPECT_EQ(opened, (std::vector<std::string> { "http://www.vexlor.example/" }));
}
