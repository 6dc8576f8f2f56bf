// The link status page: what one refresh shows for a status record in the status slot, the
// throughput and its histories, and which parts of the page are visible when.
#include "LinkStatusFixture.h"

#include "station/survey/LinkStatusTexts.h"

#include <functional>

using CLS = CLinkStatusDlg;

namespace {

std::string ssid_of(std::string const& name)
{
    return name;
}

WLAN_STATUS with_ssid(std::string const& name)
{
    WLAN_STATUS s = connected_status();
    std::memset(s.Ssid.Ssid, 0, sizeof s.Ssid.Ssid);
    s.Ssid.SsidLength = static_cast<std::uint32_t>(name.size());
    std::memcpy(s.Ssid.Ssid, name.data(), name.size());
    return s;
}

}

// [SECTION] Not connected

TEST_F(LinkStatusTest, NotConnectedSaysWhy)
{
    struct Case {
        char const* name;
        std::function<void(FakeLink&, WLAN_STATUS&)> set;
        char const* line;
    };
    Case const cases[] = {
        { "no driver", [](FakeLink&, WLAN_STATUS& s) { s = {}; }, "Driver not ready" },
        { "no driver, configuration service off", [](FakeLink& l, WLAN_STATUS& s) { s = {}; l.service_on = 0; },
            "AutoConfig service is disable" },
        { "no driver below code 10 ignores the service", [](FakeLink& l, WLAN_STATUS& s) { s = {}; l.service_on = 0; l.win_os = 9; },
            "Driver not ready" },
        { "link state 2 while associated", [](FakeLink&, WLAN_STATUS& s) { s.LinkState = LINK_HW_RADIO_OFF; }, "Radio off" },
        { "zero BSSID", [](FakeLink&, WLAN_STATUS& s) { std::memset(s.Bssid, 0, 6); }, "Disconnected" },
        { "code 12 radio off", [](FakeLink& l, WLAN_STATUS& s) { s.Status = 2; l.win_os = 12; l.radio_on = 0; }, "Radio off" },
        { "code 12 WAPI in progress", [](FakeLink& l, WLAN_STATUS& s) { s.Status = 2; l.win_os = 12; l.wapi_connecting = 1; l.wapi_progress = 40; },
            "Connecting with WAPI <--> 40 %" },
        { "code 12 disconnected", [](FakeLink& l, WLAN_STATUS& s) { s.Status = 2; l.win_os = 12; }, "Disconnected" },
        { "code 9 radio off", [](FakeLink& l, WLAN_STATUS& s) { s.Status = 2; l.win_os = 9; l.radio_on = 0; }, "Radio off" },
        { "code 9 radio on by the station configuration, ad hoc mode 0",
            [](FakeLink& l, WLAN_STATUS& s) { s.Status = 2; l.win_os = 9; l.sta.HwRadioStatus = 1; l.sta.AdhocMode = 0; },
            "Disconnected" },
        { "code 9 radio off by the station configuration, ad hoc mode 1",
            [](FakeLink& l, WLAN_STATUS& s) { s.Status = 2; l.win_os = 9; l.sta.HwRadioStatus = 0; l.sta.AdhocMode = 1; },
            "Radio off" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        open_and_refresh(connected_status());
        WLAN_STATUS s = connected_status();
        c.set(link(), s);
        link().status = s;
        page->Refresh();
        EXPECT_EQ(item(CLS::IDC_STATUS), c.line);
        for (int id : { CLS::IDC_STATUS2, CLS::IDC_CHANNEL, CLS::IDC_AUTH, CLS::IDC_ENCRYPTION, CLS::IDC_IP,
                 CLS::IDC_TX_RATE, CLS::IDC_TX_THROUGHPUT, CLS::IDC_RX_RATE, CLS::IDC_EXTRA })
            EXPECT_EQ(item(id), "") << "control " << id;
        for (int id = CLS::IDC_QUALITY; id <= CLS::IDC_SIGNAL0 + 2; ++id)
            EXPECT_EQ(page->Bar(id).GetPos(), 0);
        for (int id : { CLS::IDC_BW, CLS::IDC_GI, CLS::IDC_MCS, CLS::IDC_SNR0, CLS::IDC_SNR2 })
            EXPECT_EQ(item(id), "n/a");
        page->DestroyWindow();
        link() = FakeLink {};
    }
}

TEST_F(LinkStatusTest, NotConnectedBarsInDbm)
{
    open_and_refresh(connected_status());
    page->m_bShowDbm = TRUE;
    link().status.Status = 2;
    page->Refresh();
    EXPECT_EQ(caption(CLS::IDC_SIGNAL0), "Signal 1 (0 dBm)");
    EXPECT_EQ(caption(CLS::IDC_SIGNAL0 + 1), "Signal 2 (0 dBm)");
    EXPECT_EQ(caption_style(CLS::IDC_SIGNAL0), DWORD { PBS_SHOW_TEXTONLY });
    link().radio_on = 0;
    page->Refresh();
    EXPECT_EQ(item(CLS::IDC_STATUS), "Radio off");
    EXPECT_EQ(caption(CLS::IDC_SIGNAL0), "Signal 1 (no reading)");
    EXPECT_EQ(caption(CLS::IDC_SIGNAL0 + 2), "Signal 3 (no reading)");
}

// [SECTION] Connected

TEST_F(LinkStatusTest, StatusLines)
{
    struct Case {
        char const* name;
        std::string ssid;
        bool ap_known;
        char const* ap_name;
        char const* line1;
        char const* line2;
    };
    Case const cases[] = {
        { "no address", "HomeNet 5G", false, "", "HomeNet 5G <--> 00-1A-2B-3C-4D-5E", "" },
        { "11 characters, no address", "HomeNet 5GX", false, "", "HomeNet 5G.. <--> 00-1A-2B-3C-4D-5E", "" },
        { "address with a name", "HomeNet 5G", true, "gateway", "Hom.. <--> 00-1A-2B-3C-4D-5E ", "[192.168.1.1] - (gateway)" },
        { "address without a name", "abc", true, "", "abc <--> 00-1A-2B-3C-4D-5E ", "[192.168.1.1]" },
        { "a 16-byte name without terminator", "abc", true, "0123456789ABCDEF", "abc <--> 00-1A-2B-3C-4D-5E ",
            "[192.168.1.1] - (0123456789ABCDEF)" },
        { "32-byte SSID", std::string(32, 'S'), false, "", "SSSSSSSSSS.. <--> 00-1A-2B-3C-4D-5E", "" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        link().ap_answer = c.ap_known ? 1 : 0;
        std::uint8_t const ip[4] = { 192, 168, 1, 1 };
        std::memcpy(link().ap.IpAddress, ip, 4);
        std::memcpy(link().ap.Name, c.ap_name, std::strlen(c.ap_name));
        open_and_refresh(with_ssid(ssid_of(c.ssid)));
        EXPECT_EQ(item(CLS::IDC_STATUS), c.line1);
        EXPECT_EQ(item(CLS::IDC_STATUS2), c.line2);
        page->DestroyWindow();
        link().ap = {};
    }
}

TEST_F(LinkStatusTest, StatedSsidLengthAboveTheFieldIsCut)
{
    WLAN_STATUS s = with_ssid(std::string(32, 'S'));
    s.Ssid.SsidLength = 0xFFFF;
    link().status = s;
    EXPECT_EQ(station::survey::StatusSsid(s), std::string(32, 'S'));
}

TEST_F(LinkStatusTest, ConnectedDetails)
{
    open_and_refresh(connected_status());
    EXPECT_EQ(item(CLS::IDC_IP), "192.168.1.23");
    EXPECT_EQ(item(CLS::IDC_MASK), "255.255.255.0");
    EXPECT_EQ(item(CLS::IDC_GATEWAY), "192.168.1.1");
    EXPECT_EQ(item(CLS::IDC_NETWORK_TYPE), "Infrastructure");
    EXPECT_EQ(item(CLS::IDC_AUTH), "WPA2-PSK");
    EXPECT_EQ(item(CLS::IDC_ENCRYPTION), "AES");
    EXPECT_EQ(item(CLS::IDC_CHANNEL), "36 <--> 5180 MHz");
    EXPECT_EQ(item(CLS::IDC_EXTRA), "Link is up [Transmit power:100%]");
    EXPECT_EQ(item(CLS::IDC_RX_RATE), "270.0 Mbps");
}

TEST_F(LinkStatusTest, SecurityTexts)
{
    struct Case {
        char const* name;
        int win_os;
        std::uint32_t auth, encryption;
        VXWL_U32 ccx;
        int ccx_answer;
        char const* auth_text;
        char const* encryption_text;
    };
    Case const cases[] = {
        { "code 9 CCKM and MFP", 9, 7, 6, 0x4000002, 1, "WPA2-PSK+CCKM", "AES(MFP)" },
        { "code 9 TKIP key absent with MFP", 9, 4, 5, 0x4000000, 1, "WPA-PSK", "TKIP(MFP)" },
        { "code 10 ignores the CCX word", 10, 7, 6, 0x4000002, 1, "WPA2-PSK", "AES" },
        { "code 9 failed CCX query", 9, 6, 7, 0x2, 0, "WPA2", "AES" },
        { "MFP only for TKIP and AES", 9, 0, 0, 0x4000000, 1, "Open", "WEP" },
        { "TKIP with MFP from the driver", 10, 3, 10, 0, 1, "WPA", "TKIP(MFP)" },
        { "AES with MFP from the driver", 10, 13, 11, 0, 1, "CCKM", "AES(MFP)" },
        { "WAPI", 10, 11, 9, 0, 1, "WAPI-CertAuth", "SMS4" },
        { "unknown values", 10, 2, 8, 0, 1, "Open", "NONE" },
        { "WEP not supported", 10, 1, 3, 0, 1, "Shared", "WEP Not Supported" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        link().win_os = c.win_os;
        link().ccx_word = c.ccx;
        link().ccx_query_answer = c.ccx_answer;
        WLAN_STATUS s = connected_status();
        s.AuthMode = c.auth;
        s.EncryptionStatus = c.encryption;
        open_and_refresh(s);
        EXPECT_EQ(item(CLS::IDC_AUTH), c.auth_text);
        EXPECT_EQ(item(CLS::IDC_ENCRYPTION), c.encryption_text);
        page->DestroyWindow();
    }
}

TEST_F(LinkStatusTest, ChannelAndCentralChannel)
{
    struct Case {
        char const* name;
        int mode;
        std::uint32_t network_type, ht_flag, frequency;
        std::uint16_t word;
        bool in_cache;
        char const* channel;
    };
    Case const cases[] = {
        { "HT access point in the cache", 9, 1, 1, 5180000, 0x818F, true, "36 <--> 5180 MHz; Central channel : 38" },
        { "access point without HT elements", 9, 1, 0, 5180000, 0x818F, true, "36 <--> 5180 MHz" },
        { "access point missing from the cache", 9, 1, 1, 5180000, 0x818F, false, "36 <--> 5180 MHz" },
        { "ad hoc peer needs no cache entry", 9, 0, 0, 5180000, 0x818F, false, "36 <--> 5180 MHz; Central channel : 38" },
        { "a mode without 802.11n", 4, 0, 1, 5180000, 0x818F, false, "36 <--> 5180 MHz; Central channel : 38" },
        { "an OFDM link", 9, 1, 1, 5180000, 0x4007, true, "36 <--> 5180 MHz" },
        { "no frequency", 9, 1, 1, 0, 0x818F, true, "" },
        { "frequency outside the plan", 9, 1, 1, 4000000, 0x818F, true, "" },
    };
    std::vector<std::uint8_t> cache(0x8000);
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        link().wireless_mode = c.mode;
        link().ie.bHT = c.ht_flag;
        WLAN_STATUS s = connected_status();
        s.NetworkType = c.network_type;
        s.FrequencyKHz = c.frequency;
        s.TransmitSetting = c.word;
        std::fill(cache.begin(), cache.end(), 0);
        NDIS_WLAN_BSSID_EX entry {};
        entry.Length = sizeof entry;
        std::memcpy(entry.MacAddress, s.Bssid, 6);
        if (!c.in_cache)
            entry.MacAddress[5] ^= 1;
        std::uint32_t const count = 1;
        std::memcpy(cache.data(), &count, 4);
        std::memcpy(cache.data() + 4, &entry, sizeof entry);
        G_VxWlLib.pBssidList = cache.data();
        open_and_refresh(s);
        EXPECT_EQ(item(CLS::IDC_CHANNEL), c.channel);
        page->DestroyWindow();
        G_VxWlLib.pBssidList = nullptr;
    }
}

TEST_F(LinkStatusTest, TransmitRateByDeviceModel)
{
    struct Case {
        char const* name;
        int model, model_answer, win_os;
        std::uint32_t answered_oid, word;
        char const* rate;
        char const* bw;
        char const* mcs;
    };
    Case const cases[] = {
        { "model 0 halves the 500 kbit/s units", 0, 1, 10, 0, 0, "300.0 Mbps", "n/a", "n/a" },
        { "model 3", 3, 1, 10, 0, 0, "300.0 Mbps", "n/a", "n/a" },
        { "model 4 from code 10 asks the newer identifier", 4, 1, 10, 0xFF0C0021, 0x818F, "300.0 Mbps", "40", "15" },
        { "model 8 below code 10 asks the older one", 8, 1, 9, 0x0D71011C, 0x8007, "65.0 Mbps", "20", "7" },
        { "the wrong identifier answers nothing: CCK MCS 0", 5, 1, 10, 0x0D71011C, 0x818F, "1.0 Mbps", "20", "0" },
        { "model 9 keeps the Mbps field", 9, 1, 10, 0, 0, "280.5 Mbps", "n/a", "n/a" },
        { "failed model query keeps the Mbps field", 4, 0, 10, 0xFF0C0021, 0x818F, "280.5 Mbps", "n/a", "n/a" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        link().device_model = c.model;
        link().model_answer = c.model_answer;
        link().win_os = c.win_os;
        link().answered_oid = c.answered_oid;
        link().transmit_word = c.word;
        WLAN_STATUS s = connected_status();
        s.TxRateMbps = 280.5;
        open(s);
        ::SetDlgItemText(page->m_hWnd, CLS::IDC_BW, "n/a");
        ::SetDlgItemText(page->m_hWnd, CLS::IDC_MCS, "n/a");
        page->Refresh();
        page->Refresh();
        EXPECT_EQ(item(CLS::IDC_TX_RATE), c.rate);
        EXPECT_EQ(item(CLS::IDC_BW), c.bw);
        EXPECT_EQ(item(CLS::IDC_MCS), c.mcs);
        page->DestroyWindow();
    }
}

TEST_F(LinkStatusTest, HtValuesOnAndOff)
{
    link().device_model = 4;
    link().transmit_word = 0x818F;
    open_and_refresh(connected_status());
    EXPECT_EQ(item(CLS::IDC_BW), "40");
    EXPECT_EQ(item(CLS::IDC_GI), "short");
    EXPECT_EQ(item(CLS::IDC_STBC), "none");
    EXPECT_EQ(item(CLS::IDC_MCS), "15");
    EXPECT_EQ(item(CLS::IDC_SNR0), "40");
    EXPECT_EQ(item(CLS::IDC_SNR1), "37");
    // An OFDM link: the details read "n/a" and stay so while the word says otherwise.
    link().status.TransmitSetting = 0x4007;
    page->Refresh();
    for (int id : { CLS::IDC_BW, CLS::IDC_GI, CLS::IDC_STBC, CLS::IDC_MCS, CLS::IDC_SNR0, CLS::IDC_SNR1 })
        EXPECT_EQ(item(id), "n/a") << "control " << id;
    // From code 10, a mode without 802.11n shows no details either.
    link().status.TransmitSetting = 0x818F;
    link().wireless_mode = 4;
    page->Refresh();
    EXPECT_EQ(item(CLS::IDC_BW), "n/a");
    link().wireless_mode = 9;
    page->Refresh();
    EXPECT_EQ(item(CLS::IDC_BW), "40");
}

TEST_F(LinkStatusTest, SignalToNoise)
{
    struct Case {
        char const* name;
        std::int32_t snr0, snr1;
        int snr2_answer;
        std::int32_t snr2;
        char const* want0;
        char const* want1;
        bool snr2_shown;
        char const* want2;
    };
    Case const cases[] = {
        { "readings", 31, 28, 1, 25, "31", "28", true, "25" },
        { "0 and 44 are no reading", 0, 44, 1, 44, "n/a", "n/a", true, "n/a" },
        { "two chains: no third ratio", 31, 28, 0, 0, "31", "28", false, "" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        link().snr2_answer = c.snr2_answer;
        link().snr2 = c.snr2;
        WLAN_STATUS s = connected_status();
        s.Snr1 = c.snr0;
        s.Snr2 = c.snr1;
        open_and_refresh(s);
        EXPECT_EQ(item(CLS::IDC_SNR0), c.want0);
        EXPECT_EQ(item(CLS::IDC_SNR1), c.want1);
        EXPECT_EQ(visible(CLS::IDC_SNR2), c.snr2_shown);
        EXPECT_EQ(visible(CLS::IDC_SNR2_LABEL), c.snr2_shown);
        if (c.snr2_shown) {
            EXPECT_EQ(item(CLS::IDC_SNR2), c.want2);
        }
        page->DestroyWindow();
    }
}

TEST_F(LinkStatusTest, SignalBars)
{
    struct Case {
        char const* name;
        BOOL show_dbm;
        std::int32_t dbm;
        std::uint32_t percent;
        char const* text;
        DWORD style;
        int position;
    };
    Case const cases[] = {
        { "no reading, percent", FALSE, -200, 90, "Strength 1: none", PBS_SHOW_TEXTONLY, 0 },
        { "no reading, dBm", TRUE, -200, 90, "Strength 1: none", PBS_SHOW_TEXTONLY, 0 },
        { "percent", FALSE, -62, 66, "Signal 1", PBS_SHOW_PERCENT, 66 },
        { "dBm", TRUE, -62, 66, "Signal 1 (-62 dBm)", PBS_SHOW_TEXTONLY, 66 },
        { "percent above 100", FALSE, -20, 130, "Signal 1", PBS_SHOW_PERCENT, 100 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        WLAN_STATUS s = connected_status();
        s.Ant1Dbm = c.dbm;
        s.Ant1Percent = c.percent;
        open(s);
        page->m_bShowDbm = c.show_dbm;
        page->Refresh();
        page->Refresh();
        EXPECT_EQ(caption(CLS::IDC_SIGNAL0), c.text);
        EXPECT_EQ(caption_style(CLS::IDC_SIGNAL0), c.style);
        EXPECT_EQ(page->Bar(CLS::IDC_SIGNAL0).GetPos(), c.position);
        page->DestroyWindow();
    }
}

// A stray conversion in a language text is shown, never formatted.
TEST_F(LinkStatusTest, DbmFormatTakesOneNumberOnly)
{
    G_UiStr.IDS_LINK_STRENGTH_DBM = "%s %d dBm %d 50%";
    open(connected_status());
    page->m_bShowDbm = TRUE;
    page->Refresh();
    page->Refresh();
    EXPECT_EQ(caption(CLS::IDC_SIGNAL0), "%s -50 dBm %d 50%");
}

TEST_F(LinkStatusTest, QualityColours)
{
    struct Case {
        std::uint32_t quality;
        COLORREF colour;
    };
    Case const cases[] = {
        { 34, RGB(255, 0, 0) }, { 35, RGB(250, 230, 50) }, { 69, RGB(250, 230, 50) }, { 70, RGB(0, 255, 0) },
        { 101, RGB(0, 255, 0) }, // above 100 the colours stay as the last refresh left them
        { 0, RGB(255, 0, 0) }, { 101, RGB(255, 0, 0) },
    };
    open_and_refresh(connected_status());
    for (Case const& c : cases) {
        SCOPED_TRACE(c.quality);
        link().status.LinkQuality = c.quality;
        page->Refresh();
        std::vector<COLORREF> const want { c.colour, RGB(166, 202, 240), c.colour };
        EXPECT_EQ(page->Bar(CLS::IDC_QUALITY).pegs(), want);
        EXPECT_EQ(page->Bar(CLS::IDC_QUALITY).GetPos(), std::min<int>(static_cast<int>(c.quality), 100));
    }
}

TEST_F(LinkStatusTest, PowerAndKeyErrorSuffixes)
{
    struct Case {
        std::uint32_t power;
        BOOL icv;
        char const* extra;
    };
    Case const cases[] = {
        { 100, FALSE, "Link is up [Transmit power:100%]" },
        { 6, FALSE, "Link is up [Transmit power:Lowest]" },
        { 5, FALSE, "Link is up [Transmit power:Lowest]" },
        { 50, FALSE, "Link is up [Transmit power:50%]" },
        { 50, TRUE, "Link is up -- The WEP key may be wrong [Transmit power:50%]" },
    };
    open_and_refresh(connected_status());
    for (Case const& c : cases) {
        SCOPED_TRACE(c.extra);
        link().status.TxPowerPercent = c.power;
        page->m_bICVError = c.icv;
        page->Refresh();
        EXPECT_EQ(item(CLS::IDC_EXTRA), c.extra);
    }
}

TEST_F(LinkStatusTest, LinkStateTexts)
{
    open_and_refresh(connected_status());
    link().status.LinkState = LINK_EAP_SUCCESS;
    page->Refresh();
    EXPECT_EQ(item(CLS::IDC_EXTRA), "EAP success [Transmit power:100%]");
    link().status.LinkState = 15;
    page->Refresh();
    EXPECT_EQ(item(CLS::IDC_EXTRA), " [Transmit power:100%]");
}

TEST_F(LinkStatusTest, StatusLineTip)
{
    open(connected_status());
    HWND const line = ::GetDlgItem(page->m_hWnd, CLS::IDC_STATUS);
    for (HWND from : { line, ::GetDlgItem(page->m_hWnd, CLS::IDC_CHANNEL) }) {
        NMTTDISPINFO info {};
        info.hdr.hwndFrom = line;
        info.hdr.idFrom = reinterpret_cast<UINT_PTR>(from);
        info.hdr.code = TTN_NEEDTEXT;
        LRESULT const answer = page->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        (void)answer;
        EXPECT_STREQ(info.lpszText, from == line ? "HomeNet 5G <--> 00-1A-2B-3C-4D-5E" : "");
    }
}

// [SECTION] Throughput

TEST_F(LinkStatusTest, Throughput)
{
    struct Step {
        char const* name;
        std::uint32_t tx;
        std::uint32_t rx;
        char const* tx_text;
        char const* rx_text;
    };
    Step const steps[] = {
        { "the first tick only records", 1000000, 2000000, "", "" },
        { "250000 bytes in 2 s", 1250000, 2125000, "1.000 Mbps", "500.000 Kbps" },
        { "a falling counter", 1000, 2125000, "0.000 Kbps", "0.000 Kbps" },
        { "on from there", 251000, 2375000, "1.000 Mbps", "1.000 Mbps" },
        { "near 2^32", 0xFFFFFF00u, 2375000, "17178.864 Mbps", "0.000 Kbps" },
        { "a wrap", 0x100, 100, "0.000 Kbps", "0.000 Kbps" },
        { "after the wrap", 0x100 + 250000, 1100, "1.000 Mbps", "4.000 Kbps" },
    };
    WLAN_STATUS s = connected_status();
    s.BytesTx = steps[0].tx;
    s.BytesRx = steps[0].rx;
    open(s);
    for (Step const& step : steps) {
        SCOPED_TRACE(step.name);
        link().status.BytesTx = step.tx;
        link().status.BytesRx = step.rx;
        page->Refresh();
        EXPECT_EQ(item(CLS::IDC_TX_THROUGHPUT), step.tx_text);
        EXPECT_EQ(item(CLS::IDC_RX_THROUGHPUT), step.rx_text);
    }
}

TEST_F(LinkStatusTest, PeakOfTheLast29Samples)
{
    open(connected_status());
    page->Refresh();
    // One sample of 2 Mbps, then 28 of 0.5: the peak stays 2 while the big one is in the history.
    link().status.BytesTx += 500000;
    page->Refresh();
    EXPECT_DOUBLE_EQ(page->TxPeak(), 2.0);
    for (int i = 0; i < 28; ++i) {
        link().status.BytesTx += 125000;
        page->Refresh();
    }
    EXPECT_DOUBLE_EQ(page->TxPeak(), 2.0);
    EXPECT_EQ(std::string(page->TxHistogram().m_strLabels[1].GetString()), "2.000 Mbps");
    EXPECT_DOUBLE_EQ(CLS::HistorySample(true, 0), 2.0);
    link().status.BytesTx += 125000;
    page->Refresh();
    EXPECT_DOUBLE_EQ(page->TxPeak(), 0.5);
    EXPECT_EQ(std::string(page->TxHistogram().m_strLabels[1].GetString()), "500.000 Kbps");
    EXPECT_DOUBLE_EQ(CLS::HistorySample(true, CLS::kHistory - 1), 0.5);
}

TEST_F(LinkStatusTest, HistoriesSurviveHidingAndCountersReset)
{
    open(connected_status());
    page->Refresh();
    link().status.BytesTx += 500000;
    page->Refresh();
    page->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    EXPECT_DOUBLE_EQ(page->TxPeak(), 0.0) << "showing starts the peaks again";
    EXPECT_EQ(std::string(page->TxHistogram().m_strLabels[1].GetString()), "0.000 Mbps");
    EXPECT_DOUBLE_EQ(CLS::HistorySample(true, CLS::kHistory - 1), 2.0);
    link().status.BytesTx += 250000;
    page->Refresh();
    EXPECT_DOUBLE_EQ(page->TxPeak(), 2.0) << "the peak comes from the history kept";
    // The window zeroes the previous counts when the statistics are reset.
    page->m_lTxCount = 0;
    page->Refresh();
    EXPECT_EQ(item(CLS::IDC_TX_THROUGHPUT), "3.000 Mbps") << "750000 bytes counted from 0";
}

TEST_F(LinkStatusTest, NotConnectedPushesZeroSamples)
{
    open_and_refresh(connected_status());
    link().status.BytesTx += 500000;
    page->Refresh();
    link().status.Status = 2;
    page->Refresh();
    EXPECT_DOUBLE_EQ(CLS::HistorySample(true, CLS::kHistory - 1), 0.0);
    EXPECT_DOUBLE_EQ(CLS::HistorySample(true, CLS::kHistory - 2), 2.0);
    EXPECT_DOUBLE_EQ(page->TxPeak(), 2.0);
}

// [SECTION] Visibility

TEST_F(LinkStatusTest, HtBlockFollowsTheAdapter)
{
    link().snr2_answer = 1;
    link().snr2 = 20;
    link().supports_11n = 0;
    open_and_refresh(connected_status());
    for (int id : { CLS::IDC_HT_SEPARATOR, CLS::IDC_BW_LABEL, CLS::IDC_BW, CLS::IDC_GI, CLS::IDC_MCS, CLS::IDC_SNR0,
             CLS::IDC_SNR1, CLS::IDC_SNR2_LABEL, CLS::IDC_SNR2, CLS::IDC_STBC })
        EXPECT_FALSE(visible(id)) << "control " << id;
    page->DestroyWindow();
    link().supports_11n = 1;
    open_and_refresh(connected_status());
    for (int id : { CLS::IDC_HT_SEPARATOR, CLS::IDC_BW_LABEL, CLS::IDC_BW, CLS::IDC_GI, CLS::IDC_MCS, CLS::IDC_SNR0,
             CLS::IDC_SNR1, CLS::IDC_SNR2 })
        EXPECT_TRUE(visible(id)) << "control " << id;
    EXPECT_FALSE(visible(CLS::IDC_STBC));
    EXPECT_FALSE(visible(CLS::IDC_BW_LABEL + 2));
}

TEST_F(LinkStatusTest, AntennaBarsFollowThePresentFlags)
{
    struct Case {
        std::uint32_t second, third;
        bool bar2, bar3;
    };
    Case const cases[] = { { 0, 0, false, false }, { 0, 1, false, false }, { 1, 0, true, false }, { 1, 1, true, true } };
    for (Case const& c : cases) {
        SCOPED_TRACE(std::to_string(c.second) + std::to_string(c.third));
        WLAN_STATUS s = connected_status();
        s.Ant2Present = c.second;
        s.Ant3Present = c.third;
        open(s);
        EXPECT_TRUE(visible(CLS::IDC_SIGNAL0));
        EXPECT_EQ(visible(CLS::IDC_SIGNAL0 + 1), c.bar2);
        EXPECT_EQ(visible(CLS::IDC_SIGNAL0 + 2), c.bar3);
        EXPECT_FALSE(visible(CLS::IDC_UNUSED_BAR));
        page->DestroyWindow();
    }
}

TEST_F(LinkStatusTest, TimerRunsOnlyWhileShown)
{
    open(connected_status());
    int const at_show = link().status_queries;
    platform::testing::advance(2000);
    EXPECT_EQ(link().status_queries, at_show + 2) << "one refresh and its antenna check";
    page->ShowWindow(SW_HIDE);
    pump();
    int const at_hide = link().status_queries;
    platform::testing::advance(6000);
    EXPECT_EQ(link().status_queries, at_hide);
    page->ShowWindow(SW_SHOW);
    pump();
    platform::testing::advance(2000);
    EXPECT_GT(link().status_queries, at_hide);
}

TEST_F(LinkStatusTest, LabelsComeFromTheLanguageFile)
{
    open(connected_status());
    EXPECT_EQ(item(CLS::IDC_STATUS_LABEL), "Status");
    EXPECT_EQ(item(CLS::IDC_TX_SEPARATOR), "Transmit");
    EXPECT_EQ(item(CLS::IDC_RX_SEPARATOR), "Receive");
    EXPECT_EQ(caption(CLS::IDC_QUALITY), "Quality");
    EXPECT_EQ(caption_style(CLS::IDC_QUALITY), DWORD { PBS_SHOW_PERCENT });
    EXPECT_EQ(std::string(page->TxHistogram().m_strLabels[0].GetString()), "Max");
    EXPECT_EQ(page->TxHistogram().m_crBar, RGB(0, 255, 0));
    EXPECT_EQ(page->RxHistogram().m_crBar, RGB(255, 255, 0));
}
