#include "accesspoint/app/ApExtAPPrompt.h"

#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "platform/framework/MessageBox.h"

#include <cstring>

namespace hotvane {

std::string CApExtAPPrompt::text(ExtAPText key) const
{
    switch (key) {
    case ExtAPText::Prompt: return G_UiStr.IDS_EXTAP_DEFAULTVALUE;
    case ExtAPText::SsidLabel: return G_UiStr.IDS_PROF_SSID;
    case ExtAPText::KeyLabel: return G_UiStr.IDS_WPAPSKKEY;
    // The template's own buttons keep their captions.
    case ExtAPText::Ok:
    case ExtAPText::Cancel: return {};
    case ExtAPText::SsidMissing: return G_UiStr.IDS_ADHOCINPUTSSID;
    case ExtAPText::KeyInvalid: return G_UiStr.IDS_MSGPSKKEYINVALID;
    }
    return {};
}

int CApExtAPPrompt::char_set() const { return G_UiStr.nCharSet; }

std::string CApExtAPPrompt::face_name() const { return G_UiStr.strFaceName; }

void CApExtAPPrompt::query_mac(BYTE (&mac)[6])
{
    std::memset(mac, 0, sizeof mac);
    G_VxApApi.VXAP_GetMacAddrs(mac);
}

void CApExtAPPrompt::write_record(ExtAPConfig const& record) { G_VxApApi.VXAP_WriteExtAPConfig(record); }

// The prompt is the active window while it runs, so the box is its child and keeps it disabled.
void CApExtAPPrompt::show_refusal(ExtAPText key)
{
    ::MessageBox(::GetActiveWindow(), text(key).c_str(), G_UiStr.IDS_APCONFIGMSG.c_str(), MB_ICONEXCLAMATION);
}

}
