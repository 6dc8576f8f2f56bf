// CHotvane2008App: the access point utility's application object. One instance runs per login
// session, beside no station utility (both create the mutex KT90): a second start asks the
// running one to open its sheet and ends. Otherwise it runs the hidden dialog modally for the
// whole run; InitInstance always answers FALSE, and the program then ends.
#pragma once

#include "platform/framework/Afx.h"

namespace hotvane {

class CHotvane2008App : public CWinApp {
public:
    CHotvane2008App();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // True when the whole command line (the arguments joined by single blanks) is "-s" or "-S".
    static bool IsTrayOnlyCommandLine(LPCTSTR command_line);

    HANDLE m_hMutex { nullptr };

    DECLARE_MESSAGE_MAP()
};

}
