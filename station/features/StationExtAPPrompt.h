// The station utility's side of the hosted-network prompt (CExtAPSsidPWDlg): template 448 with
// shaded OK (1637) and Cancel (1638), the texts and font of its string table, the adapter's
// address and the record write through its library, refusals in its message dialog. The tray's
// command for hosted-network client mode runs the prompt with it.
#pragma once

#include "station/features/extap/ExtAPPromptBackend.h"

class CStationExtAPPrompt : public ExtAPPromptBackend {
public:
    static constexpr UINT kTemplate = 448;
    static constexpr int kOk = 1637;
    static constexpr int kCancel = 1638;

    UINT template_id() const override { return kTemplate; }
    int ok_id() const override { return kOk; }
    int cancel_id() const override { return kCancel; }
    bool shaded_buttons() const override { return true; }
    std::string text(ExtAPText key) const override;
    int char_set() const override;
    std::string face_name() const override;
    void query_mac(BYTE (&mac)[6]) override;
    void write_record(ExtAPConfig const& record) override;
    void show_refusal(ExtAPText key) override;
};
