// The access point utility's side of the hosted-network prompt (CExtAPSsidPWDlg): template 154
// with the template's own OK (1) and Cancel (2), the texts and font of its string table, the
// adapter's address and the record write through its library, refusals in the system message
// box with the caption IDS_APCONFIGMSG. The tray's AP-client command runs the prompt with it.
#pragma once

#include "station/features/extap/ExtAPPromptBackend.h"

namespace hotvane {

class CApExtAPPrompt : public ExtAPPromptBackend {
public:
    static constexpr UINT kTemplate = 154;

    UINT template_id() const override { return kTemplate; }
    int ok_id() const override { return 1; }
    int cancel_id() const override { return 2; }
    bool shaded_buttons() const override { return false; }
    std::string text(ExtAPText key) const override;
    int char_set() const override;
    std::string face_name() const override;
    void query_mac(BYTE (&mac)[6]) override;
    void write_record(ExtAPConfig const& record) override;
    void show_refusal(ExtAPText key) override;
};

}
