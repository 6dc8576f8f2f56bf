// The hosted-network prompt over a recording backend: the proposed SSID, the checks, the record
// it writes, and the access point utility's variant, whose standard buttons and refusals go
// through its own backend.
#include "station/controls/tests/UiFixture.h"
#include "station/features/extap/ExtAPSsidPWDlg.h"

#include "platform/framework/Resources.h"

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The station utility's template 448 comes from its resource file; this stands in for the
// access point utility's template 154: the same fields, standard OK (1) and Cancel (2).
constexpr char kAccessPointTemplate[] = R"(
dialog 154 0 0 220 96
  style WS_POPUP|WS_CAPTION|DS_MODALFRAME
  caption "Extended AP Settings"
  control "Static" 1640 WS_VISIBLE|SS_LEFT 8 6 204 20 ""
  control "Static" 1627 WS_VISIBLE|SS_RIGHT 8 32 54 9 "SSID"
  control "Edit" 1628 WS_VISIBLE|WS_TABSTOP|WS_BORDER|ES_AUTOHSCROLL 66 30 146 12 ""
  control "Static" 1639 WS_VISIBLE|SS_RIGHT 8 50 54 9 "Key"
  control "Edit" 1246 WS_VISIBLE|WS_TABSTOP|WS_BORDER|ES_AUTOHSCROLL 66 48 146 12 ""
  control "Button" 1 WS_VISIBLE|WS_TABSTOP|BS_DEFPUSHBUTTON 98 74 54 15 "OK"
  control "Button" 2 WS_VISIBLE|WS_TABSTOP|BS_PUSHBUTTON 158 74 54 15 "Cancel"
end
)";

class RecordingBackend : public ExtAPPromptBackend {
public:
    RecordingBackend(UINT templ, int ok, int cancel, bool shaded)
        : m_template(templ)
        , m_ok(ok)
        , m_cancel(cancel)
        , m_shaded(shaded)
    {
    }
    UINT template_id() const override { return m_template; }
    int ok_id() const override { return m_ok; }
    int cancel_id() const override { return m_cancel; }
    bool shaded_buttons() const override { return m_shaded; }
    std::string text(ExtAPText key) const override { return "text " + std::to_string(int(key)); }
    int char_set() const override { return 0; }
    std::string face_name() const override { return "DejaVu Sans"; }
    void query_mac(BYTE (&out)[6]) override { std::memcpy(out, mac, sizeof out); }
    void write_record(ExtAPConfig const& record) override { written.push_back(record); }
    void show_refusal(ExtAPText key) override { refusals.push_back(key); }

    BYTE mac[6] { 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0xFF };
    std::vector<ExtAPConfig> written;
    std::vector<ExtAPText> refusals;

private:
    UINT m_template;
    int m_ok;
    int m_cancel;
    bool m_shaded;
};

class ExtAPPromptTest : public StationUiTest {
protected:
    void SetUp() override { start(EXTAP_TEST_FONT, EXTAP_RESOURCES, RECT { 0, 0, 400, 300 }); }

    // Runs the prompt; `script` acts on it once it is up and must end it.
    INT_PTR run(ExtAPPromptBackend& backend, ExtAPConfig const& handed, std::function<void(HWND)> script)
    {
        platform::user::set_modal_hook([&](HWND dlg) {
            proposed = text_of(GetDlgItem(dlg, CExtAPSsidPWDlg::IDC_SSID));
            key_shown = text_of(GetDlgItem(dlg, CExtAPSsidPWDlg::IDC_KEY));
            prompt = text_of(GetDlgItem(dlg, CExtAPSsidPWDlg::IDC_PROMPT));
            script(dlg);
        });
        CExtAPSsidPWDlg dlg(backend, &parent);
        dlg.SetExtAPConfig(handed);
        INT_PTR const result = dlg.DoModal();
        platform::user::set_modal_hook(nullptr);
        return result;
    }

    static void enter(HWND dlg, char const* ssid, char const* key)
    {
        SetDlgItemText(dlg, CExtAPSsidPWDlg::IDC_SSID, ssid);
        SetDlgItemText(dlg, CExtAPSsidPWDlg::IDC_KEY, key);
    }
    static void click(HWND dlg, int id)
    {
        SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    }

    RecordingBackend station { 448, 1637, 1638, true };
    std::string proposed;
    std::string key_shown;
    std::string prompt;
};

ExtAPConfig handed_record()
{
    ExtAPConfig r {};
    r.Channel = 11;
    r.IpAddress[0] = 10;
    r.Reserved1[2] = 0x5A;
    r.Reserved2[23] = 0xA5;
    r.MaxPeers = 7;
    return r;
}

}

TEST_F(ExtAPPromptTest, ProposesAnSsidFromTheAddressAndStartsWithoutAKey)
{
    struct Case {
        BYTE last;
        char const* ssid;
    };
    for (Case c : { Case { 0xFF, "SoftAP-00" }, Case { 0x1A, "SoftAP-1B" }, Case { 0x00, "SoftAP-01" } }) {
        SCOPED_TRACE(c.ssid);
        station.mac[5] = c.last;
        EXPECT_EQ(run(station, {}, [](HWND dlg) { click(dlg, 1638); }), IDCANCEL);
        EXPECT_EQ(proposed, c.ssid);
        EXPECT_EQ(key_shown, "");
        EXPECT_EQ(prompt, "text 0");
    }
    EXPECT_TRUE(station.written.empty()) << "Cancel writes nothing";
}

// OK fills SSID, key and 20 peers into the handed-in record and keeps its other bytes.
TEST_F(ExtAPPromptTest, OkWritesTheHandedInRecordCompleted)
{
    std::string const key(63, '#');
    INT_PTR const result = run(station, handed_record(), [&](HWND dlg) {
        enter(dlg, "Den", key.c_str());
        click(dlg, 1637);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(station.written.size(), 1u);
    ExtAPConfig expected = handed_record();
    expected.SsidLength = 3;
    std::memcpy(expected.Ssid, "Den", 3);
    expected.KeyLength = 63;
    std::memcpy(expected.Key, key.data(), 63);
    expected.MaxPeers = 20;
    EXPECT_EQ(std::memcmp(&station.written[0], &expected, sizeof expected), 0);
    EXPECT_TRUE(station.refusals.empty());
}

TEST_F(ExtAPPromptTest, RefusalsKeepThePromptOpen)
{
    std::string const hex64 = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";
    struct Case {
        char const* name;
        char const* ssid;
        std::string key;
        std::vector<ExtAPText> refusals;
    };
    Case const cases[] = {
        { "empty SSID", "", "12345678", { ExtAPText::SsidMissing } },
        { "key of 7", "Den", "1234567", { ExtAPText::KeyInvalid } },
        { "64 with a g", "Den", hex64.substr(0, 63) + "g", { ExtAPText::KeyInvalid } },
        { "64 hexadecimal", "Den", hex64, {} },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        station.refusals.clear();
        station.written.clear();
        bool open_after_ok = false;
        run(station, {}, [&](HWND dlg) {
            enter(dlg, c.ssid, c.key.c_str());
            click(dlg, 1637);
            open_after_ok = IsWindow(dlg) && IsWindowVisible(dlg) && station.written.empty();
            if (open_after_ok)
                click(dlg, 1638);
        });
        EXPECT_EQ(station.refusals, c.refusals);
        EXPECT_EQ(open_after_ok, !c.refusals.empty());
        EXPECT_EQ(station.written.size(), c.refusals.empty() ? 1u : 0u);
    }
}

// The edits count bytes: a 33rd byte is refused, so the stored SSID is 32 bytes at most.
TEST_F(ExtAPPromptTest, EditsHoldNoMoreThanTheRecord)
{
    run(station, {}, [](HWND dlg) {
        EXPECT_EQ(SendDlgItemMessage(dlg, CExtAPSsidPWDlg::IDC_SSID, EM_GETLIMITTEXT, 0, 0), 32);
        EXPECT_EQ(SendDlgItemMessage(dlg, CExtAPSsidPWDlg::IDC_KEY, EM_GETLIMITTEXT, 0, 0), 64);
        click(dlg, 1638);
    });
}

TEST_F(ExtAPPromptTest, AccessPointVariantUsesStandardButtonsAndItsOwnRefusals)
{
    auto set = std::make_shared<platform::framework::ResourceSet>();
    ASSERT_TRUE(set->parse(kAccessPointTemplate, ".", "ap.res"));
    platform::framework::set_resources(set);
    RecordingBackend ap { 154, IDOK, IDCANCEL, false };
    std::string ok_caption;
    INT_PTR const result = run(ap, handed_record(), [&](HWND dlg) {
        ok_caption = text_of(GetDlgItem(dlg, IDOK));
        enter(dlg, "Den", "short");
        click(dlg, IDOK);
        enter(dlg, "Den", "long enough");
        click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ok_caption, "OK") << "the template's caption stays";
    EXPECT_EQ(ap.refusals, (std::vector<ExtAPText> { ExtAPText::KeyInvalid }));
    ASSERT_EQ(ap.written.size(), 1u);
    EXPECT_EQ(ap.written[0].Channel, 11u);
    EXPECT_EQ(run(ap, {}, [](HWND dlg) { click(dlg, IDCANCEL); }), IDCANCEL);
    EXPECT_EQ(ap.written.size(), 1u);
}
