// The hosted network's station table over a fake library: refreshed every 2 seconds while
// shown, the BSSID only in state 1, every station listed with its authentication text.
#include "FakeHostedLibrary.h"
#include "FeaturesFixture.h"

#include "station/controls/CQuickList.h"
#include "station/controls/QuickListRecords.h"
#include "station/features/ExtAPMACTableDlg.h"

#include <memory>
#include <string>

namespace {

class MacTableTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        table = std::make_unique<CExtAPMACTableDlg>(&host);
        ASSERT_TRUE(table->Create(CExtAPMACTableDlg::IDD, &host));
        lib.status.State = 1;
        std::uint8_t const bssid[6] = { 0x02, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E };
        std::copy(std::begin(bssid), std::end(bssid), lib.status.Bssid);
        for (std::uint32_t auth : { 1u, 0u, 2u })
            add_station(auth);
    }
    void TearDown() override
    {
        table.reset();
        FeaturesTest::TearDown();
    }

    void add_station(std::uint32_t auth)
    {
        auto& s = lib.status.Stations[lib.status.StationCount++];
        std::uint8_t const mac[6] = { 0x02, 0x40, 0x00, 0x00, 0x00, std::uint8_t(lib.status.StationCount) };
        std::copy(std::begin(mac), std::end(mac), s.MacAddress);
        s.AuthState = auth;
    }
    CQuickList& list() const
    {
        return *static_cast<CQuickList*>(CWnd::FromHandlePermanent(::GetDlgItem(table->m_hWnd, CExtAPMACTableDlg::IDC_LIST)));
    }
    std::string cell(int item, int column) const { return list().FillCellRequest(item, column)->m_strText.str(); }
    int rows() const { return list().GetItemCount(); }
    std::string bssid() const { return text_of(::GetDlgItem(table->m_hWnd, CExtAPMACTableDlg::IDC_BSSID)); }
    void show()
    {
        table->ShowWindow(SW_SHOW);
        pump();
    }

    FakeHostedLibrary lib;
    std::unique_ptr<CExtAPMACTableDlg> table;
};

}

TEST_F(MacTableTest, FirstRefreshComesWithTheFirstTick)
{
    show();
    EXPECT_EQ(lib.status_queries, 0);
    EXPECT_EQ(rows(), 0);
    platform::testing::advance(2000);
    EXPECT_EQ(lib.status_queries, 1);
    EXPECT_EQ(bssid(), "02-1A-2B-3C-4D-5E");
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(0, 0), "02-40-00-00-00-01");
    EXPECT_EQ(cell(0, 1), "Authenticated");
    EXPECT_EQ(cell(1, 1), "Invalid");
    EXPECT_EQ(cell(2, 1), "Invalid");
}

TEST_F(MacTableTest, OtherStatesShowNoBssidButStillListTheStations)
{
    lib.status.State = 2;
    show();
    platform::testing::advance(2000);
    EXPECT_EQ(bssid(), "");
    EXPECT_EQ(rows(), 3);
}

// Sixty associated stations: the record holds fifty, and no more are read.
TEST_F(MacTableTest, ACountPastTheRecordListsFifty)
{
    while (lib.status.StationCount < 50)
        add_station(1);
    lib.status.StationCount = 60;
    show();
    platform::testing::advance(2000);
    EXPECT_EQ(rows(), 50);
    EXPECT_EQ(table->Stations().size(), 50u);
}

TEST_F(MacTableTest, StationsComeAndGoWithTheTicksAndAHiddenTableAsksNothing)
{
    show();
    platform::testing::advance(2000);
    EXPECT_EQ(rows(), 3);
    lib.status.StationCount = 1;
    platform::testing::advance(2000);
    EXPECT_EQ(rows(), 1);
    table->ShowWindow(SW_HIDE);
    pump();
    int const queries = lib.status_queries;
    platform::testing::advance(10000);
    EXPECT_EQ(lib.status_queries, queries);
}

TEST_F(MacTableTest, ColumnsAreCentredHalves)
{
    CRect rect;
    list().GetWindowRect(&rect);
    for (int column : { 0, 1 }) {
        SCOPED_TRACE(column);
        LVCOLUMN c {};
        c.mask = LVCF_FMT | LVCF_WIDTH;
        ASSERT_TRUE(list().GetColumn(column, &c));
        EXPECT_EQ(c.cx, rect.Width() / 2);
        EXPECT_EQ(c.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
    }
}
