// Exports of CCX diagnostics and of WMM: the diagnostic test's runs and texts, the system's
// profile store, the admission control command, the stored WMM setting (each call changes its
// own fields only), the direct links, and the stored peer address and timeout of the WMM page.
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"
#include "wlan/sim/ProfileStore.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

using wlan::sim::World;
using wlan::vxwl::Library;

namespace {

constexpr char kWmmKey[] = "wmm";
constexpr char kAcmKey[] = "acm_cmd";
constexpr char kWmmMacKey[] = "wmm_mac";
constexpr char kWmmTimeoutKey[] = "wmm_timeout";
constexpr std::size_t kNameUnits = 1024;
constexpr std::size_t kNameBytes = 128;
constexpr std::size_t kMacTextBytes = 128;
constexpr std::size_t kIhvTextBytes = 256;

std::string name_of(char const* text, std::size_t size)
{
    return text ? std::string(text, ::strnlen(text, size)) : std::string();
}

// UTF-16 to UTF-8, up to the terminator or kNameUnits units; a lone surrogate becomes U+FFFD.
std::string utf8_of(char16_t const* text)
{
    std::string out;
    for (std::size_t i = 0; i < kNameUnits && text[i]; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < kNameUnits && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The stored setting; before anything is stored, the world's WMM and power-save switches.
WMM_SETTING stored_wmm()
{
    if (auto stored = Library::get().store().read_record<WMM_SETTING>(kWmmKey))
        return *stored;
    WMM_SETTING s {};
    Library::get().with_world([&](World& w, std::uint64_t) {
        s.WMMEnable = w.spec().wmm ? 1 : 0;
        s.APSDEnable = w.spec().apsd ? 1 : 0;
    });
    return s;
}

int store_wmm(WMM_SETTING const& s)
{
    return Library::get().store().write_record(kWmmKey, s) ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

std::uint32_t flag(std::uint32_t value) { return value ? 1 : 0; }

}

// [SECTION] CCX diagnostics

VXWL_API int VXWL_WlanIsCCXDiagnosticProfile(const char* name)
{
    auto const profile = wlan::sim::ProfileStore(Library::get().store()).find(name_of(name, kNameBytes));
    return profile && profile->bUseDiagnostic == 1 ? 1 : 0;
}

VXWL_API int VXWL_WlanIsWindowsProfileExist(const char* name)
{
    std::string const wanted = name_of(name, kNameBytes);
    return Library::get().with_world([&](World& w, std::uint64_t) { return w.os_profile(wanted) ? 1 : 0; });
}

VXWL_API int VXWL_WlanSendS64Start(const char16_t* name)
{
    if (!name)
        return VXWL_ERROR_FAIL;
    std::string text = utf8_of(name);
    // A stored profile of the diagnostic channel, whatever its name, runs the channel's test.
    if (auto const profile = wlan::sim::ProfileStore(Library::get().store()).find(text)) {
        std::string ssid(reinterpret_cast<char const*>(profile->SSID.Ssid), std::min<std::size_t>(profile->SSID.SsidLength, 32));
        for (char& c : ssid)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (ssid == "diagnostic channel")
            text = "Diagnostic Channel";
    }
    Library::get().with_world([&](World& w, std::uint64_t now) { w.ccx_send_s64(text, now); });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_StartDiagTest(void)
{
    Library::get().with_world([](World& w, std::uint64_t now) { w.ccx_start_diag_test(now); });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_StopDiagTest(void)
{
    Library::get().with_world([](World& w, std::uint64_t) { w.ccx_stop(); });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_WlanSendClientAbort(void) { return VXWL_StopDiagTest(); }

// The progress texts of the test's codes; at most 255 characters and the terminator.
VXWL_API int VXWL_WlanBuildIHVMessage(WPARAM code, char* text)
{
    if (!text)
        return VXWL_ERROR_FAIL;
    static constexpr char const* kTexts[] = {
        "Diagnostic test: associated with the diagnostic channel",
        "Diagnostic test: authentication checked",
        "Diagnostic test: network address obtained",
    };
    if (code >= 1 && code <= std::size(kTexts))
        std::snprintf(text, kIhvTextBytes, "%s", kTexts[code - 1]);
    else
        std::snprintf(text, kIhvTextBytes, "Diagnostic test: step %lu", static_cast<unsigned long>(code));
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_SetACMCmd(ACM_COMMAND command)
{
    return Library::get().store().write_record(kAcmKey, command) ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_QueryACMCmd(ACM_COMMAND* command)
{
    if (!command)
        return VXWL_ERROR_FAIL;
    auto const stored = Library::get().store().read_record<ACM_COMMAND>(kAcmKey);
    *command = stored.value_or(ACM_COMMAND {});
    return stored ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

// [SECTION] WMM setting

VXWL_API int VXWL_QueryAndReadWMMCapability(WMM_SETTING* setting)
{
    if (!setting)
        return VXWL_ERROR_FAIL;
    *setting = stored_wmm();
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_UpdateWMMEnable(WMM_SETTING setting)
{
    WMM_SETTING s = stored_wmm();
    s.DLSEnable = flag(setting.DLSEnable);
    s.WMMEnable = flag(setting.WMMEnable);
    s.APSDEnable = flag(setting.APSDEnable);
    return store_wmm(s);
}

VXWL_API int VXWL_EnableDLSetup(WMM_SETTING setting)
{
    WMM_SETTING s = stored_wmm();
    s.DLSEnable = flag(setting.DLSEnable);
    return store_wmm(s);
}

VXWL_API int VXWL_EnableAPSD(WMM_SETTING setting)
{
    WMM_SETTING s = stored_wmm();
    s.APSDEnable = flag(setting.APSDEnable);
    return store_wmm(s);
}

VXWL_API int VXWL_SetAndWriteAPSDSetting(WMM_SETTING setting)
{
    WMM_SETTING s = stored_wmm();
    s.AC_BE = flag(setting.AC_BE);
    s.AC_BK = flag(setting.AC_BK);
    s.AC_VI = flag(setting.AC_VI);
    s.AC_VO = flag(setting.AC_VO);
    return store_wmm(s);
}

// [SECTION] direct links

VXWL_API int VXWL_QueryDLSParameter(DLS_ENTRY* entries)
{
    if (!entries)
        return VXWL_ERROR_FAIL;
    Library::get().with_world([&](World& w, std::uint64_t) {
        auto const& table = w.dls_table();
        std::memcpy(entries, table.data(), sizeof table);
    });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_SetDLSParameter(DLS_ENTRY entry)
{
    bool const done = Library::get().with_world([&](World& w, std::uint64_t now) { return w.dls_set(entry, now); });
    return done ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

// The peer address as the page keeps it: a text of at most 127 bytes in a 128-byte buffer.
VXWL_API int VXWL_ReadWMMMacAddr(char* text)
{
    if (!text)
        return VXWL_ERROR_FAIL;
    auto const stored = Library::get().store().read_text(kWmmMacKey);
    if (!stored)
        return VXWL_ERROR_FAIL;
    std::snprintf(text, kMacTextBytes, "%s", stored->c_str());
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_WriteWMMMacAddr(const char* text)
{
    if (!text)
        return VXWL_ERROR_FAIL;
    return Library::get().store().write_text(kWmmMacKey, name_of(text, kMacTextBytes - 1)) ? VXWL_ERROR_SUCCESS
                                                                                            : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_ReadWMMTimeout(VXWL_U32* timeout)
{
    if (!timeout)
        return VXWL_ERROR_FAIL;
    auto const stored = Library::get().store().read_u32(kWmmTimeoutKey);
    if (!stored)
        return VXWL_ERROR_FAIL;
    *timeout = *stored;
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_WriteWMMTimeout(std::uint16_t timeout)
{
    return Library::get().store().write_u32(kWmmTimeoutKey, timeout) ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_CHECK_TYPE(WlanIsCCXDiagnosticProfile);
VXWL_CHECK_TYPE(WlanIsWindowsProfileExist);
VXWL_CHECK_TYPE(WlanSendS64Start);
VXWL_CHECK_TYPE(StartDiagTest);
VXWL_CHECK_TYPE(StopDiagTest);
VXWL_CHECK_TYPE(WlanSendClientAbort);
VXWL_CHECK_TYPE(WlanBuildIHVMessage);
VXWL_CHECK_TYPE(SetACMCmd);
VXWL_CHECK_TYPE(QueryACMCmd);
VXWL_CHECK_TYPE(QueryAndReadWMMCapability);
VXWL_CHECK_TYPE(UpdateWMMEnable);
VXWL_CHECK_TYPE(EnableDLSetup);
VXWL_CHECK_TYPE(EnableAPSD);
VXWL_CHECK_TYPE(SetAndWriteAPSDSetting);
VXWL_CHECK_TYPE(QueryDLSParameter);
VXWL_CHECK_TYPE(SetDLSParameter);
VXWL_CHECK_TYPE(ReadWMMMacAddr);
VXWL_CHECK_TYPE(WriteWMMMacAddr);
VXWL_CHECK_TYPE(ReadWMMTimeout);
VXWL_CHECK_TYPE(WriteWMMTimeout);
