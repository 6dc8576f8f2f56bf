#include "station/app/VxUI2008App.h"

#include "platform/controls/ControlClasses.h"
#include "platform/system/Kernel.h"
#include "station/app/AppServices.h"
#include "station/app/HideDlg.h"
#include "station/app/ShowUIEvent.h"
#include "station/controls/CInvalidIDPW.h"
#include "station/controls/CMessageBoxDlg.h"

#include <strings.h>

BEGIN_MESSAGE_MAP(CVxUI2008App, CWinApp)
END_MESSAGE_MAP()

CVxUI2008App::CVxUI2008App() = default;

bool CVxUI2008App::IsTrayOnlyCommandLine(LPCTSTR command_line)
{
    return command_line && ::strcasecmp(command_line, "-s") == 0;
}

BOOL CVxUI2008App::InitInstance()
{
    INITCOMMONCONTROLSEX controls { sizeof(INITCOMMONCONTROLSEX), 0xFF };
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    m_hMutex = CreateMutex(nullptr, FALSE, SINGLE_INSTANCE_MUTEX_NAME);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // Another instance runs (or the access point utility): wake it and end.
        if (m_hMutex)
            CloseHandle(m_hMutex);
        m_hMutex = nullptr;
        if (HANDLE const event = OpenEvent(EVENT_ALL_ACCESS, FALSE, SHOW_UI_EVENT_NAME)) {
            SetEvent(event);
            CloseHandle(event);
        }
        return FALSE;
    }
    SetRegistryKey("Local AppWizard-Generated Applications");
    // Whatever reports to the user from here on shows the program's own message dialog, and
    // the identity re-prompt reads and writes the hidden dialog's flags.
    CMessageBoxDlg::InstallAsMessageBox();
    CInvalidIDPW::BindStationFlags(&G_bHideTabIcon, &G_bReConnect);
    station::app::install_app_services();
    CHideDlg dialog;
    if (IsTrayOnlyCommandLine(m_lpCmdLine))
        dialog.m_bShowConfigUI = FALSE;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    if (dialog.m_hWnd)
        dialog.DestroyWindow();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CVxUI2008App::ExitInstance()
{
    if (m_hMutex) {
        CloseHandle(m_hMutex);
        m_hMutex = nullptr;
    }
    return CWinApp::ExitInstance();
}
