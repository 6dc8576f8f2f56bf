// The CCX diagnostic test as the station library runs it.
#include "wlan/api/Callback.h"
#include "wlan/sim/World.h"

#include <algorithm>
#include <cctype>

namespace wlan::sim {

namespace {

constexpr unsigned kConnectResult = VXWL_MSG_CCX_DIAG_FIRST;      // 0x404, lParam 1 connected
constexpr unsigned kTestFinished = VXWL_MSG_CCX_DIAG_FIRST + 1;   // 0x405
constexpr unsigned kDiagMessage = VXWL_MSG_CCX_DIAG_FIRST + 2;    // 0x406, wParam the code
constexpr unsigned kTestFailed = VXWL_MSG_CCX_DIAG_LAST;          // 0x407
constexpr std::uint8_t kProgressCodes = 3;
constexpr char kDiagnosticChannel[] = "diagnostic channel";

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

}

// [SECTION] the test's messages

void World::schedule_ccx(std::uint64_t at, unsigned message, std::uint8_t wparam, std::uint8_t lparam)
{
    schedule(at, Step::CcxMessage, message);
    auto pos = std::upper_bound(m_steps.begin(), m_steps.end(), at, [](std::uint64_t t, Scheduled const& s) { return t < s.at; });
    std::prev(pos)->data = { wparam, lparam };
}

void World::ccx_send_s64(std::string const& name, std::uint64_t now)
{
    ccx_stop();
    auto const step = std::uint64_t(m_spec.ccx_step_ms);
    if (lower(name) == kDiagnosticChannel) {
        if (m_spec.ccx_test_fails) {
            schedule_ccx(now + step, kTestFailed, 0, 0);
            return;
        }
        bool const connected = m_spec.ccx_dc != CcxConnect::Fail;
        schedule_ccx(now + step, kConnectResult, 0, connected ? 1 : 0);
        if (!connected)
            return;
        for (std::uint8_t code = 1; code <= kProgressCodes; ++code)
            schedule_ccx(now + step * (1u + code), kDiagMessage, code, 0);
        return;
    }
    bool const connected = m_spec.ccx_dc != CcxConnect::FailSecond;
    schedule_ccx(now + step, kConnectResult, 0, connected ? 1 : 0);
    schedule_ccx(now + 2 * step, kTestFinished, 0, 0);
}

// No profile changes on the older systems: the library's run ends the test itself.
void World::ccx_start_diag_test(std::uint64_t now)
{
    ccx_send_s64(kDiagnosticChannel, now);
    if (m_spec.ccx_test_fails || m_spec.ccx_dc == CcxConnect::Fail)
        return;
    auto const step = std::uint64_t(m_spec.ccx_step_ms);
    schedule_ccx(now + step * (2u + kProgressCodes), kTestFinished, 0, 0);
}

void World::ccx_stop()
{
    std::erase_if(m_steps, [](Scheduled const& s) { return s.step == Step::CcxMessage; });
}

bool World::ccx_running() const
{
    return std::any_of(m_steps.begin(), m_steps.end(), [](Scheduled const& s) { return s.step == Step::CcxMessage; });
}

void World::run_ccx_message(Scheduled const& s)
{
    Outgoing o { Outgoing::Kind::Post, s.code, 0, {}, Audience::Station };
    if (s.data.size() == 2) {
        o.wparam = s.data[0];
        o.lparam = s.data[1];
    }
    m_outbox.push_back(std::move(o));
}

}
