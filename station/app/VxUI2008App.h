// CVxUI2008App: the station utility's application object. It lets one instance run per login
// session, wakes the running instance when the program is started again, and otherwise runs
// the hidden dialog modally for the whole run. InitInstance always answers FALSE: when it
// returns, the hidden dialog has run to its end and the program ends.
#pragma once

#include "platform/framework/Afx.h"

constexpr char SINGLE_INSTANCE_MUTEX_NAME[] = "KT90";

class CVxUI2008App : public CWinApp {
public:
    CVxUI2008App();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // True when the command line asks for a start in the tray only: the whole text is "-s" or
    // "-S", nothing more.
    static bool IsTrayOnlyCommandLine(LPCTSTR command_line);

    HANDLE m_hMutex { nullptr };

    DECLARE_MESSAGE_MAP()
};
