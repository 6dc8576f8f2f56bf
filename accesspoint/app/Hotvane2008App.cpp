#include "accesspoint/app/Hotvane2008App.h"

#include "accesspoint/app/HideDlg.h"
#include "accesspoint/app/HotvaneIds.h"
#include "platform/controls/ControlClasses.h"
#include "platform/system/Kernel.h"

#include <strings.h>

namespace hotvane {

BEGIN_MESSAGE_MAP(CHotvane2008App, CWinApp)
END_MESSAGE_MAP()

CHotvane2008App::CHotvane2008App()
    : CWinApp(PROGRAM_NAME)
{
}

bool CHotvane2008App::IsTrayOnlyCommandLine(LPCTSTR command_line)
{
    return command_line && ::strcasecmp(command_line, "-s") == 0;
}

BOOL CHotvane2008App::InitInstance()
{
    INITCOMMONCONTROLSEX controls { sizeof(INITCOMMONCONTROLSEX), 0xFF };
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    SetRegistryKey("Local AppWizard-Generated Applications");
    m_hMutex = CreateMutex(nullptr, FALSE, SINGLE_INSTANCE_MUTEX_NAME);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // The running instance opens its sheet; a station utility holding the mutex has no
        // window of this title and is left alone.
        if (m_hMutex)
            CloseHandle(m_hMutex);
        m_hMutex = nullptr;
        if (HWND const running = ::FindWindow(nullptr, HIDE_DLG_TITLE))
            ::PostMessage(running, WM_COMMAND, ID_TRAY_LAUNCH, 0);
        return FALSE;
    }
    CHideDlg dialog;
    if (IsTrayOnlyCommandLine(m_lpCmdLine))
        dialog.m_bShowSheet = FALSE;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    if (dialog.m_hWnd)
        dialog.DestroyWindow();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CHotvane2008App::ExitInstance()
{
    if (m_hMutex) {
        CloseHandle(m_hMutex);
        m_hMutex = nullptr;
    }
    return CWinApp::ExitInstance();
}

}
