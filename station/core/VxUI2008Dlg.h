// CVxUI2008Dlg: the visible configuration window of the station utility, created modeless by
// the hidden dialog when it is first wanted and shown again on later requests. Closing it
// hides it; the hidden dialog destroys it when the program ends.
//
// FIXME: the pages, page buttons and lower children come with the configuration window's
// own work; this is the window they will live in.
#pragma once

#include "platform/framework/Afx.h"

class CVxUI2008Dlg : public CDialog {
public:
    explicit CVxUI2008Dlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    // The radio button follows the hardware radio switch.
    void EnableRadioButton(bool enable);
    // Marks the window shown, shows it and brings it to the foreground.
    void ShowAndActivate();

    BOOL m_bShown { FALSE };
    bool radio_button_enabled() const { return m_bRadioEnabled; }

private:
    bool m_bRadioEnabled { true };
};
