// The link status in the running program on the shipped default world: a stored profile
// connects "HomeNet 5G" at start-up and the page shows it (read from the window-tree dump of a
// snapshot); wlansim weakens the signal, changes the traffic and switches the radio off under
// it. PNG snapshots connected, weak and radio off are written beside the test for a person.
#include "PageRunHarness.h"
#include "Wlansim.h"

#include "platform/gdi/FontCache.h"
#include "station/survey/LinkStatusDlg.h"

#include <cstdlib>

using namespace station::testing;

namespace {

namespace fs = std::filesystem;
using CLS = CLinkStatusDlg;

class LinkStatusRun : public PageRunTest {
protected:
    void SetUp() override
    {
        PageRunTest::SetUp();
        world(shipped_world("default.ini"));
        // As the profile editor would store it; the key and SSID hold spaces, so the tool is
        // run with each setting as one argument.
        station::testing::wlansim("profile-add Home 'ssid=HomeNet 5G' auth=wpa2-psk cipher=aes 'key=correct horse battery'");
        station::testing::wlansim("profile-activate Home");
    }
    // Runs the clock until the status line names the network, at most `limit` ms.
    static void run_until_connected(CLinkStatusDlg& page, int limit = 20000)
    {
        CString line;
        for (int waited = 0; waited < limit; waited += 500) {
            page.GetDlgItemText(CLS::IDC_STATUS, line);
            if (std::string(line.GetString()).starts_with("HomeNet 5G"))
                return;
            run_for(500);
        }
        FAIL() << "not connected; the status line reads '" << line.GetString() << "'";
    }
};

fs::path link_folder(std::string const& name) { return snapshot_folder("link_status_snapshots", name); }

}

TEST_F(LinkStatusRun, AStoredProfileConnectsAndThePageFollowsTheWorld)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        window.ToggleExpand();
        ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
        CLinkStatusDlg& page = *window.m_pLinkStatusDlg;
        run_until_connected(page);
        run_for(4000); // two refreshes of the throughput

        Shown connected = snapshot(link_folder("connected"));
        EXPECT_EQ(connected.texts[CLS::IDC_STATUS], "HomeNet 5G <--> 02-10-00-00-00-05");
        EXPECT_EQ(connected.texts[CLS::IDC_AUTH], "WPA2-PSK");
        EXPECT_EQ(connected.texts[CLS::IDC_ENCRYPTION], "AES");
        EXPECT_EQ(connected.texts[CLS::IDC_CHANNEL], "36 <--> 5180 MHz; Central channel : 38");
        EXPECT_EQ(connected.texts[CLS::IDC_IP], "192.168.1.23");
        EXPECT_EQ(connected.texts[CLS::IDC_TX_RATE], "300.0 Mbps");
        EXPECT_EQ(connected.texts[CLS::IDC_BW], "40");
        EXPECT_EQ(connected.texts[CLS::IDC_GI], "short");
        EXPECT_EQ(connected.texts[CLS::IDC_MCS], "15");
        EXPECT_TRUE(connected.texts.count(CLS::IDC_SIGNAL0 + 1)) << "the second antenna's bar";
        EXPECT_FALSE(connected.texts.count(CLS::IDC_SNR2)) << "two chains";
        int const strong = page.Bar(CLS::IDC_QUALITY).GetPos();
        std::string const throughput = connected.texts[CLS::IDC_TX_THROUGHPUT];
        EXPECT_TRUE(throughput.ends_with("bps")) << throughput;

        live_command("ap-signal wpa2-psk -75");
        run_for(2500);
        Shown weak = snapshot(link_folder("weak"));
        EXPECT_LT(page.Bar(CLS::IDC_QUALITY).GetPos(), strong);
        EXPECT_NE(weak.texts[CLS::IDC_TX_RATE], "300.0 Mbps") << "the rate follows the signal";

        live_command("traffic 500 500");
        run_for(4500);
        Shown busy = snapshot(link_folder("traffic"));
        EXPECT_EQ(busy.texts[CLS::IDC_TX_THROUGHPUT], "4.000 Mbps");
        EXPECT_EQ(busy.texts[CLS::IDC_RX_THROUGHPUT], "4.000 Mbps");

        live_command("radio sw off");
        run_for(2500);
        Shown off = snapshot(link_folder("radio-off"));
        EXPECT_EQ(off.texts[CLS::IDC_STATUS], "Radio off");
    });
}

// The same page in the faces a user's machine draws (the substitution table and the installed
// fonts, narrower than the tests' pinned face), for a person to look at: the central channel
// fits its line and the histograms' scale texts their strip.
class LinkStatusUserFontsRun : public LinkStatusRun {
protected:
    void SetUp() override
    {
        LinkStatusRun::SetUp();
        platform::gdi::pin_font_file("");
    }
};

TEST_F(LinkStatusUserFontsRun, ConnectedWithTrafficInTheUsersFaces)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        window.ToggleExpand();
        CLinkStatusDlg& page = *window.m_pLinkStatusDlg;
        run_until_connected(page);
        live_command("traffic 500 500");
        run_for(4500);
        Shown shown = snapshot(link_folder("traffic-user-fonts"));
        EXPECT_EQ(shown.texts[CLS::IDC_CHANNEL], "36 <--> 5180 MHz; Central channel : 38");
    });
}
