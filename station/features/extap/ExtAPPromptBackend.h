// What one program gives the hosted-network prompt (CExtAPSsidPWDlg): its template and button
// ids, its texts, its font, the adapter's address, where the record is written and how a
// refused entry is shown. The prompt itself never reads a program's string table or library.
#pragma once

#include "platform/user/Types.h"
#include "wlan/api/Profile.h"

#include <string>

// The texts the prompt asks for, by role.
enum class ExtAPText {
    Prompt,      // the line above the fields
    SsidLabel,
    KeyLabel,
    Ok,          // only with shaded buttons
    Cancel,      // only with shaded buttons
    SsidMissing, // refusal: no SSID
    KeyInvalid,  // refusal: the key breaks the pre-shared key rule
};

class ExtAPPromptBackend {
public:
    virtual ~ExtAPPromptBackend() = default;

    virtual UINT template_id() const = 0;
    virtual int ok_id() const = 0;
    virtual int cancel_id() const = 0;
    // True when OK and Cancel are shaded buttons captioned from the texts; false when they are
    // the template's standard buttons and keep its captions.
    virtual bool shaded_buttons() const = 0;

    virtual std::string text(ExtAPText key) const = 0;
    virtual int char_set() const = 0;
    virtual std::string face_name() const = 0;

    // The adapter's address into a zeroed buffer; a failed query leaves it zero.
    virtual void query_mac(BYTE (&mac)[6]) = 0;
    // Writes the record to the library; the result is not examined.
    virtual void write_record(ExtAPConfig const& record) = 0;
    // Shows the refusal `key` to the user; the prompt stays open.
    virtual void show_refusal(ExtAPText key) = 0;
};
