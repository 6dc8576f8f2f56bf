// The WPS records and PIN rules: check digits, the PIN of three bytes, typed PIN texts, the
// registrar's credential, the stored copy and its read-back, WEP key forms and the match of a
// credential with the live connection.
#include "station/features/WpsPin.h"
#include "WpsTestCredential.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace station::features;

namespace {

// A source that hands out the given bytes in turn, then zeros.
class FedRandom {
public:
    explicit FedRandom(std::vector<std::uint8_t> bytes)
        : m_bytes(std::move(bytes))
    {
        SetWpsRandomSource([this](std::span<std::uint8_t> out) {
            for (auto& b : out)
                b = m_next < m_bytes.size() ? m_bytes[m_next++] : 0;
        });
    }
    ~FedRandom() { SetWpsRandomSource({}); }

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_next { 0 };
};

WPS_CREDENTIAL credential(char const* ssid, std::uint32_t auth, std::uint32_t encr, char const* key = "")
{
    return wps_credential(ssid, auth, encr, key);
}

}

TEST(WpsPin, CheckDigits)
{
    struct Case {
        std::uint32_t value;
        int digit;
    } const cases[] = { { 1234567, 0 }, { 0, 0 }, { 1, 7 }, { 123456, 5 }, { 9999999, 5 } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ComputePinChecksum(c.value), c.digit);
    }
}

TEST(WpsPin, PinFromThreeBytes)
{
    EXPECT_EQ(PinFromBytes(0x12, 0x34, 0x56), 11930464u); // 1193046 and its check digit 4
    EXPECT_EQ(PinFromBytes(0xFF, 0xFF, 0xFF), 67772155u); // 16777215 mod 10^7 = 6777215
    FedRandom fed({ 0x12, 0x34, 0x56 });
    EXPECT_EQ(GenerateDevPwd(), 11930464u);
}

TEST(WpsPin, SystemRandomGivesFreshBytes)
{
    std::uint8_t a[16] {}, b[16] {};
    GetRandomBytes(a);
    GetRandomBytes(b);
    EXPECT_NE(std::memcmp(a, b, sizeof a), 0);
}

TEST(WpsPin, TypedPinTexts)
{
    struct Case {
        char const* name;
        char const* text;
        PinTextCheck result;
    } const cases[] = {
        { "seven characters", "1234567", PinTextCheck::WrongLength },
        { "nine characters", "123456700", PinTextCheck::WrongLength },
        { "eight with a pasted letter", "1234567a", PinTextCheck::WrongLength },
        { "wrong last digit", "12345671", PinTextCheck::WrongCheckDigit },
        { "valid", "12345670", PinTextCheck::Valid },
        { "leading zeros", "00000017", PinTextCheck::Valid },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        std::uint32_t pin = 99;
        EXPECT_EQ(CheckPinText(c.text, pin), c.result);
        EXPECT_EQ(pin, c.result == PinTextCheck::Valid ? std::uint32_t(std::stoul(c.text)) : 99u);
    }
}

TEST(WpsPin, SmallPinIsStoredWithoutLeadingZerosAndReadBack)
{
    WPS_PROFILE page {};
    std::uint8_t const bssid[6] { 1, 2, 3, 4, 5, 6 };
    StoredWps const stored = StoredWpsRecords(page, 1, 17, bssid, 0x1A5);
    EXPECT_EQ(std::string(stored.mode.PIN, 8), std::string("17\0\0\0\0\0\0", 8));
    EXPECT_EQ(stored.mode.ConfigMode, 1);
    EXPECT_EQ(stored.mode.Channel, 0xA5);
    EXPECT_EQ(stored.mode.WpsMode, 0u);
    EXPECT_EQ(std::memcmp(stored.mode.Bssid, bssid, 6), 0);
    EXPECT_EQ(StoredPin(stored.mode), 17u);
    char shown[16];
    std::snprintf(shown, sizeof shown, "%08u", StoredPin(stored.mode));
    EXPECT_STREQ(shown, "00000017");
    // Eight digits fill the field with no terminator; the read-back stops at the field's end.
    EXPECT_EQ(StoredPin(StoredWpsRecords(page, 1, 12345670, bssid, 1).mode), 12345670u);
}

TEST(WpsPin, StoredRecordsClampTheLibrarysNumbers)
{
    WPS_PROFILE page {};
    page.ProfileCnt = 9;
    page.Profile[0] = credential("Family", 32, 8, "secret-key");
    page.Profile[0].SsidLength = 40;
    page.Profile[0].KeyLength = 99;
    std::uint8_t const bssid[6] {};
    StoredWps const stored = StoredWpsRecords(page, 0, 1, bssid, 6);
    EXPECT_EQ(stored.profile.ProfileCnt, 8u);
    EXPECT_EQ(stored.profile.Profile[0].SsidLength, 32u);
    EXPECT_EQ(stored.profile.Profile[0].KeyLength, 64u);
    EXPECT_EQ(std::memcmp(stored.profile.Profile[0].Key, "secret-key", 10), 0);
}

TEST(WpsPin, RegistrarCredential)
{
    std::vector<std::uint8_t> bytes(32);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 8 + 0x0A);
    std::uint8_t const address[6] { 0x00, 0x11, 0x22, 0x0A, 0x1B, 0x2C };
    WPS_PROFILE first;
    {
        FedRandom fed(bytes);
        first = GenerateRegistrarProfile(address);
    }
    EXPECT_EQ(first.ProfileCnt, 1u);
    WPS_CREDENTIAL const& c = first.Profile[0];
    EXPECT_EQ(c.SsidLength, 13u);
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(c.Ssid), 13), "ExRegNW0A1B2C");
    EXPECT_EQ(c.AuthType, 32u);
    EXPECT_EQ(c.EncrType, 8u);
    EXPECT_EQ(c.KeyIndex, 1u);
    EXPECT_EQ(c.KeyLength, 64u);
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(c.Key), 8), "0A121A22");
    EXPECT_EQ(c.MacAddr[0], 0);
    // Two generations from the system's source differ.
    WPS_PROFILE const a = GenerateRegistrarProfile(address);
    WPS_PROFILE const b = GenerateRegistrarProfile(address);
    EXPECT_NE(std::memcmp(a.Profile[0].Key, b.Profile[0].Key, 64), 0);
}

TEST(WpsPin, TypeTextsAndSecuredFlag)
{
    EXPECT_EQ(WpsAuthText(34), "WPA-PSK;WPA2-PSK");
    EXPECT_EQ(WpsAuthText(3), "");
    EXPECT_EQ(WpsEncrText(12), "TKIP;AES");
    EXPECT_EQ(WpsEncrText(16), "");
    EXPECT_FALSE(IsWpsCredentialSecured(credential("Open", 1, 1)));
    EXPECT_TRUE(IsWpsCredentialSecured(credential("Wep", 1, 2)));
}

TEST(WpsPin, WepKeyForms)
{
    WepKeyForms const ascii5 = MakeWepKeyForms("abcde");
    EXPECT_EQ(ascii5.hex, "6162636465");
    EXPECT_EQ(ascii5.ascii, "abcde");
    EXPECT_EQ(ascii5.length, 10);
    EXPECT_TRUE(ascii5.ascii_available);
    // Bytes below 0x10 and above 0x7F give two digits each.
    WepKeyForms const odd = MakeWepKeyForms(std::string("\x0A" "bcd\xE9", 5));
    EXPECT_EQ(odd.hex, "0A626364E9");
    WepKeyForms const hex10 = MakeWepKeyForms("6162636465");
    EXPECT_EQ(hex10.ascii, "abcde");
    EXPECT_EQ(hex10.length, 10);
    EXPECT_FALSE(hex10.ascii_available);
    EXPECT_EQ(MakeWepKeyForms("abcdefghijklm").length, 26);
}

TEST(WpsPin, RegistrarPassphrases)
{
    EXPECT_FALSE(IsValidWpsPassphrase("1234567"));
    EXPECT_TRUE(IsValidWpsPassphrase("12345678"));
    EXPECT_TRUE(IsValidWpsPassphrase(std::string(63, 'x')));
    EXPECT_TRUE(IsValidWpsPassphrase(std::string(64, 'a')));
    EXPECT_FALSE(IsValidWpsPassphrase(std::string(64, 'x')));
    EXPECT_FALSE(IsValidWpsPassphrase(std::string(65, 'a')));
}

TEST(WpsPin, CredentialMatchesTheLiveConnection)
{
    struct Case {
        char const* name;
        std::uint32_t auth, encr;
        std::uint32_t os_auth, os_encr;
        bool match;
    } const cases[] = {
        { "WPA-PSK TKIP", 2, 4, 4, 4, true },
        { "mixed counts as WPA-PSK", 34, 12, 4, 5, true },
        { "mixed is not WPA2-PSK", 34, 12, 7, 4, false },
        { "shared WEP", 4, 2, 1, 0, true },
        { "WPA 802.1X", 8, 4, 3, 4, true },
        { "WPA2 802.1X", 16, 8, 6, 6, true },
        { "WPA2-PSK AES key absent", 32, 8, 7, 7, true },
        { "WPA2-PSK AES seen as TKIP", 32, 8, 7, 4, false },
        { "open none", 1, 1, 0, 1, true },
        { "open none key absent", 1, 1, 0, 2, true },
        { "open WEP", 1, 2, 0, 0, true },
        { "open WEP seen disabled", 1, 2, 0, 1, false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        WLAN_STATUS status {};
        status.Status = VxStatus_Connected;
        status.AuthMode = c.os_auth;
        status.EncryptionStatus = c.os_encr;
        EXPECT_EQ(IsCredentialConnected(credential("Net", c.auth, c.encr), status), c.match);
    }
    WLAN_STATUS status {};
    status.Status = VxStatus_Connected;
    status.AuthMode = 7;
    status.EncryptionStatus = 6;
    WPS_CREDENTIAL const home = credential("Home", 32, 8);
    EXPECT_TRUE(IsCredentialConnected(home, status)) << "an empty connected SSID matches";
    status.Ssid.SsidLength = 4;
    std::memcpy(status.Ssid.Ssid, "Home", 4);
    EXPECT_TRUE(IsCredentialConnected(home, status));
    std::memcpy(status.Ssid.Ssid, "Away", 4);
    EXPECT_FALSE(IsCredentialConnected(home, status));
    status.Ssid.SsidLength = 0;
    status.Status = VxStatus_Disconnected;
    EXPECT_FALSE(IsCredentialConnected(home, status));
}
