// The link status page's tests: a recording stand-in for the library calls the page makes, a
// status record the test puts in the status slot, and the page created and shown as the
// configuration window shows it.
#pragma once

#include "LinkStatusFake.h"
#include "station/controls/tests/DialogsFixture.h"

#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/LinkStatusDlg.h"

#include <cstring>
#include <memory>
#include <vector>

class LinkStatusTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        FakeLink::bind();
        set_texts();
    }

    void TearDown() override
    {
        page.reset();
        FakeLink::unbind();
        DialogsTest::TearDown();
    }

    static FakeLink& link() { return FakeLink::the(); }

    // The language texts the page shows, each one that a test can tell apart.
    static void set_texts()
    {
        auto& s = G_UiStr;
        s.IDS_GENERAL_LINK_UP = "Link is up";
        s.IDS_GENERAL_LINK_DOWN = "Link is down";
        s.IDS_HW_RADIO_OFF = "Hardware radio off";
        s.IDS_EAP_SUCCESS = "EAP success";
        s.IDS_DRIVER_NOTOK = "Driver not ready";
        s.IDS_DISCONNECTED = "Disconnected";
        s.IDS_RADIOOFF = "Radio off";
        s.IDS_PROCESSING_WAPI_CONN = "Connecting with WAPI";
        s.IDS_INFRA = "Infrastructure";
        s.IDS_IBSS = "Ad hoc";
        s.IDS_WEPERROR = "The WEP key may be wrong";
        s.IDS_PROF_TX_POWER = "Transmit power";
        s.IDS_LINKSTATUS_CENTRAL_CHANNEL = "Central channel";
        s.IDS_LINK_QUALITY = "Quality";
        s.IDS_LINK_STRENGTH = "Signal 1";
        s.IDS_LINK_STRENGTH2 = "Signal 2";
        s.IDS_LINK_STRENGTH3 = "Signal 3";
        s.IDS_LINK_STRENGTH_DBM = "Signal 1 (%d dBm)";
        s.IDS_LINK_STRENGTH2_DBM = "Signal 2 (%d dBm)";
        s.IDS_LINK_STRENGTH3_DBM = "Signal 3 (%d dBm)";
        s.IDS_LINK_STRENGTH_EMPTY_DBM = "Signal 1 (no reading)";
        s.IDS_LINK_STRENGTH2_EMPTY_DBM = "Signal 2 (no reading)";
        s.IDS_LINK_STRENGTH3_EMPTY_DBM = "Signal 3 (no reading)";
        s.IDS_STRENGTH1 = "Strength 1: none";
        s.IDS_STRENGTH2 = "Strength 2: none";
        s.IDS_STRENGTH3 = "Strength 3: none";
        s.IDS_LINK_STATUS = "Status";
        s.IDS_LINK_TRANSMIT = "Transmit";
        s.IDS_LINK_RECEIVE = "Receive";
    }

    // Creates the page hidden, as the window does, and shows it.
    CLinkStatusDlg& open(WLAN_STATUS const& status)
    {
        link().status = status;
        page = std::make_unique<CLinkStatusDlg>(&parent);
        EXPECT_TRUE(page->Create(CLinkStatusDlg::IDD, &parent));
        page->ShowWindow(SW_SHOW);
        pump();
        return *page;
    }

    // Two refreshes: the first after construction only records the counters.
    CLinkStatusDlg& open_and_refresh(WLAN_STATUS const& status)
    {
        open(status).Refresh();
        page->Refresh();
        return *page;
    }

    std::string item(int id) const { return text_of(::GetDlgItem(page->m_hWnd, id)); }
    bool visible(int id) const { return (::GetWindowLong(::GetDlgItem(page->m_hWnd, id), GWL_STYLE) & WS_VISIBLE) != 0; }
    // What a bar's caption shows when it has no number of its own to put in.
    std::string caption(int bar) const { return CProgress::format_value(page->Bar(bar).GetCaptionFormat(), 0).GetString(); }
    DWORD caption_style(int bar) const { return page->Bar(bar).GetStyle() & PBS_SHOW_TEXTONLY; }

    std::unique_ptr<CLinkStatusDlg> page;
};
