#include "station/features/StationExtAPPrompt.h"

#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <cstring>

std::string CStationExtAPPrompt::text(ExtAPText key) const
{
    switch (key) {
    case ExtAPText::Prompt: return G_UiStr.IDS_EXTAP_DEFAULTVALUE;
    case ExtAPText::SsidLabel: return G_UiStr.IDS_PROF_SSID;
    case ExtAPText::KeyLabel: return G_UiStr.IDS_KEY_MATERIAL;
    case ExtAPText::Ok: return G_UiStr.IDS_OK;
    case ExtAPText::Cancel: return G_UiStr.IDS_CANCEL;
    case ExtAPText::SsidMissing: return G_UiStr.IDS_ADHOCINPUTSSID;
    case ExtAPText::KeyInvalid: return G_UiStr.IDS_MSGPSKKEYINVALID;
    }
    return {};
}

int CStationExtAPPrompt::char_set() const { return G_UiStr.nCharSet; }

std::string CStationExtAPPrompt::face_name() const { return G_UiStr.strFaceName; }

void CStationExtAPPrompt::query_mac(BYTE (&mac)[6])
{
    std::memset(mac, 0, sizeof mac);
    G_VxWlLib.VXWL_QueryMacAddrs(mac);
}

void CStationExtAPPrompt::write_record(ExtAPConfig const& record) { G_VxWlLib.VXWL_WriteExtAPConfig(record); }

void CStationExtAPPrompt::show_refusal(ExtAPText key) { ShowMessageBox(text(key)); }
