// The hidden-network prompt and the authentication progress window as the configuration window
// shows them in its lower area, against a scripted library and a recording window.
#include "PagesTableTest.h"

#include "platform/user/Testing.h"
#include "station/core/AuthStatusRing.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/survey/AuthenStatusDlg.h"
#include "station/survey/HiddenSsidDlg.h"
#include "station/survey/tests/FakeWlan.h"

#include <cstring>
#include <string>
#include <thread>
#include <vector>

using station::core::AuthStatusRing;
using station::testing::FakeServices;
using station::testing::FakeWlan;

namespace {

class LowerDialogTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        services = std::make_unique<FakeServices>(parent.m_hWnd);
        SetMessageBoxHandler([this](std::string const& text) { return shown.push_back(text), INT_PTR(IDOK); });
    }
    void TearDown() override
    {
        SetMessageBoxHandler(nullptr);
        services.reset();
        DialogsTest::TearDown();
    }
    std::vector<std::pair<WPARAM, LPARAM>> sent(UINT message) const
    {
        std::vector<std::pair<WPARAM, LPARAM>> out;
        for (auto const& m : parent.privates)
            if (m.message == message)
                out.emplace_back(m.wParam, m.lParam);
        return out;
    }

    FakeWlan wlan;
    std::unique_ptr<FakeServices> services;
    std::vector<std::string> shown;
};

// [SECTION] Hidden-network prompt

class HiddenPromptTest : public LowerDialogTest {
protected:
    void SetUp() override
    {
        LowerDialogTest::SetUp();
        G_UiStr.IDS_HIDDEN_TEXT = "Enter the network name";
        prompt = std::make_unique<CHiddenSsidDlg>(&parent);
        ASSERT_TRUE(prompt->Create(CHiddenSsidDlg::IDD, &parent));
        prompt->ShowWindow(SW_SHOW);
        pump();
        edit = ::GetDlgItem(prompt->m_hWnd, CHiddenSsidDlg::IDC_SSID);
    }
    void TearDown() override
    {
        prompt->DestroyWindow();
        prompt.reset();
        LowerDialogTest::TearDown();
    }
    void type(std::string const& text)
    {
        for (char c : text)
            ::SendMessage(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
    }
    std::string text() const
    {
        char buffer[128] {};
        ::GetWindowText(edit, buffer, sizeof buffer);
        return buffer;
    }
    void click(int id)
    {
        prompt->GetDlgItem(id)->SendMessage(BM_CLICK);
        pump();
    }

    std::unique_ptr<CHiddenSsidDlg> prompt;
    HWND edit {};
};

}

TEST_F(HiddenPromptTest, ShowingItAgainStartsEmpty)
{
    type("Attic");
    prompt->ShowWindow(SW_HIDE);
    prompt->ShowWindow(SW_SHOW);
    pump();
    EXPECT_EQ(text(), "");
    EXPECT_EQ(::GetFocus(), edit);
}

TEST_F(HiddenPromptTest, TakesAtMost32BytesAndNeverHalfACharacter)
{
    type(std::string(32, 'a'));
    type("b");
    EXPECT_EQ(text(), std::string(32, 'a')) << "a 33rd byte is refused";
    ::SetWindowText(edit, "");
    type(std::string(31, 'a'));
    ::SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\xC3\xA9")); // U+00E9, two bytes
    EXPECT_EQ(text(), std::string(31, 'a')) << "a two-byte character at byte 32 is refused whole";
    type("z");
    EXPECT_EQ(text().size(), 32u);
}

TEST_F(HiddenPromptTest, AnEmptyNameIsAskedForAgain)
{
    click(CHiddenSsidDlg::IDC_OK);
    EXPECT_EQ(shown, std::vector<std::string> { "Enter the network name" });
    EXPECT_TRUE(sent(MSG_SHOW_HIDDENSSID).empty());
    EXPECT_TRUE(prompt->IsWindowVisible());
}

TEST_F(HiddenPromptTest, OkReportsTheNameAndStaysUpCancelEndsTheAttempt)
{
    type("Attic");
    click(CHiddenSsidDlg::IDC_OK);
    EXPECT_EQ(sent(MSG_SHOW_HIDDENSSID), (std::vector<std::pair<WPARAM, LPARAM>> { { 0, 1 } }));
    EXPECT_STREQ(prompt->m_strSSID.GetString(), "Attic");
    EXPECT_TRUE(prompt->IsWindowVisible()) << "the window hides it";
    parent.privates.clear();
    click(CHiddenSsidDlg::IDC_CANCEL);
    EXPECT_EQ(sent(MSG_SHOW_HIDDENSSID), (std::vector<std::pair<WPARAM, LPARAM>> { { 0, 0 } }));
}

// [SECTION] Authentication progress window

namespace {

std::vector<std::string>* g_calls = nullptr;
bool g_description_ok = true;

class ProgressTest : public LowerDialogTest {
protected:
    void SetUp() override
    {
        LowerDialogTest::SetUp();
        G_UiStr.IDS_STATIC_CARDNAME = "Card name >>";
        G_UiStr.IDS_STATIC_PROFILENAME = "Profile name >>";
        G_UiStr.IDS_CONNECTED_FROM = "Connected from";
        g_calls = &calls;
        g_description_ok = true;
        auto& l = G_VxWlLib;
        l.VXWL_ReadDriverDesc.bind([](char* text) { return g_description_ok ? (std::strcpy(text, "Test Card"), 1) : 0; });
        l.VXWL_StopAuth.bind([] { return g_calls->push_back("StopAuth"), 1; });
        l.VXWL_Disassociate.bind([] { return g_calls->push_back("Disassociate"), 1; });
        l.VXWL_SetSSID.bind([](NDIS_802_11_SSID ssid) {
            bool const filled = ssid.SsidLength == 0x10101010u
                && std::all_of(std::begin(ssid.Ssid), std::end(ssid.Ssid), [](std::uint8_t b) { return b == 0x10; });
            return g_calls->push_back(filled ? "SetSSID(0x10)" : "SetSSID"), 1;
        });
        window = std::make_unique<CAuthenStatusDlg>(&parent);
        ASSERT_TRUE(window->Create(CAuthenStatusDlg::IDD, &parent));
        window->ShowWindow(SW_SHOW);
        pump();
    }
    void TearDown() override
    {
        window->DestroyWindow();
        window.reset();
        g_calls = nullptr;
        LowerDialogTest::TearDown();
    }
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        for (auto const& line : window->Lines())
            out.push_back(line.text.GetString());
        return out;
    }
    std::string control_text(int id) const
    {
        char buffer[256] {};
        ::GetDlgItemText(window->m_hWnd, id, buffer, sizeof buffer);
        return buffer;
    }

    std::unique_ptr<CAuthenStatusDlg> window;
    std::vector<std::string> calls;
};

}

TEST_F(ProgressTest, ShowsTheCardAndTheActiveProfile)
{
    EXPECT_EQ(control_text(CAuthenStatusDlg::IDC_CARDNAME), "Card name >> Test Card");
    EXPECT_EQ(control_text(CAuthenStatusDlg::IDC_PROFILENAME), "Profile name >> Active");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window->m_hWnd, CAuthenStatusDlg::IDC_OK)));
}

TEST_F(ProgressTest, LinesBySlotContentAndWParam)
{
    struct Case {
        char const* name;
        char const* slot; // announced into the ring; null: the message names `wparam` as it is
        WPARAM wparam;
        std::vector<std::string> listed;
        bool run_ended;
    } const cases[] = {
        { "a line", "Starting network connection...", 0, { "Starting network connection..." }, false },
        { "OK with a blank is a line", "OK ", 0, { "OK " }, false },
        { "lower-case ok is a line", "ok", 0, { "ok" }, false },
        { "an empty slot", nullptr, 7, { "NULL STRING" }, false },
        { "past the ring", nullptr, 200, {}, false },
        { "below the ring", nullptr, WPARAM(-1), {}, false },
        { "OK ends the run", "OK", 0, {}, true },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        window->Reset();
        parent.privates.clear();
        if (c.slot)
            ASSERT_TRUE(AuthStatusRing::the().announce(c.slot));
        else
            window->PostMessage(WM_AUTH_STATUS_LINE, c.wparam, 0);
        pump();
        EXPECT_EQ(lines(), c.listed);
        EXPECT_EQ(window->CurrentSlot(), c.slot || c.wparam < 200 ? (c.run_ended ? 0 : int(c.wparam)) : int(c.wparam));
        EXPECT_EQ(sent(MSG_SHOW_AUTHSTATUS).size(), c.run_ended ? 1u : 0u);
        if (c.run_ended) {
            EXPECT_EQ(sent(MSG_SHOW_AUTHSTATUS)[0], (std::pair<WPARAM, LPARAM> { 0, 3 }));
            EXPECT_EQ(AuthStatusRing::the().index(), 0);
            EXPECT_EQ(AuthStatusRing::the().slot(0), "") << "the ring is emptied";
        }
    }
}

TEST_F(ProgressTest, EachLineIsTimeStampedAndShownInTheList)
{
    ASSERT_TRUE(AuthStatusRing::the().announce("PEAP Authenticating ..."));
    pump();
    ASSERT_EQ(window->Lines().size(), 1u);
    std::string const time = window->Lines()[0].time.GetString();
    EXPECT_EQ(time.size(), 13u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[8], '.');
    EXPECT_EQ(time.back(), ' ');
    CQuickList* list = static_cast<CQuickList*>(window->GetDlgItem(CAuthenStatusDlg::IDC_LIST));
    EXPECT_EQ(list->GetItemCount(), 1);
}

TEST_F(ProgressTest, StopEndsTheAuthenticationAndEmptiesTheList)
{
    AuthStatusRing::the().announce("one");
    AuthStatusRing::the().announce("two");
    pump();
    ASSERT_EQ(lines().size(), 2u);
    window->GetDlgItem(CAuthenStatusDlg::IDC_STOP)->SendMessage(BM_CLICK);
    pump();
    EXPECT_EQ(calls, (std::vector<std::string> { "StopAuth", "Disassociate", "SetSSID(0x10)" }));
    EXPECT_EQ(sent(MSG_SHOW_AUTHSTATUS), (std::vector<std::pair<WPARAM, LPARAM>> { { 0, 2 } }));
    EXPECT_TRUE(lines().empty());
    AuthStatusRing::the().announce("three");
    pump();
    EXPECT_EQ(window->CurrentSlot(), 0) << "the next line uses slot 0";
    EXPECT_EQ(lines(), std::vector<std::string> { "three" });
}

TEST_F(ProgressTest, RefreshesItsTextsEvery20Milliseconds)
{
    platform::testing::advance(20);
    pump();
    EXPECT_EQ(control_text(CAuthenStatusDlg::IDC_PROFILENAME), "Profile name >> Active");
    g_description_ok = false;
    platform::testing::advance(20);
    pump();
    EXPECT_EQ(control_text(CAuthenStatusDlg::IDC_CARDNAME), "Card name >> Test Card") << "kept";
    EXPECT_EQ(control_text(CAuthenStatusDlg::IDC_PROFILENAME), "Connected from");
}

// The status callback and a worker thread announce at once; 180 lines fit the 200 slots, so
// none is overwritten before the window reads it.
TEST_F(ProgressTest, LinesFromTwoThreadsAreEachListedOnceInOrder)
{
    constexpr int kPerThread = 90;
    auto announce = [](char const* who) {
        for (int i = 0; i < kPerThread; ++i)
            AuthStatusRing::the().announce(std::string(who) + " " + std::to_string(i));
    };
    std::thread a(announce, "callback");
    std::thread b(announce, "worker");
    a.join();
    b.join();
    pump();
    std::vector<int> next(2, 0);
    for (std::string const& line : lines()) {
        int const who = line.rfind("callback", 0) == 0 ? 0 : 1;
        EXPECT_EQ(line.substr(line.find(' ') + 1), std::to_string(next[std::size_t(who)])) << line;
        ++next[std::size_t(who)];
    }
    EXPECT_EQ(next, (std::vector<int> { kPerThread, kPerThread }));
}
