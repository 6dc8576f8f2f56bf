// The application object and threads. A program defines one global object of its CWinApp
// class; its main() calls AfxWinMain, which runs InitInstance, then Run (the message loop) when
// InitInstance answered TRUE, and ExitInstance, whose value is the exit code. InitInstance
// answering FALSE ends the program right after it returns.
//
// m_lpCmdLine is the whole command line after the program name, as one text: the arguments
// joined by single spaces, each argument that contains a blank or is empty put in double
// quotes (the way the original platform handed it over).
#pragma once

#include "platform/framework/Wnd.h"

#include <functional>

class CWinThread : public CCmdTarget {
public:
    CWinThread() = default;
    ~CWinThread() override;

    CWnd* m_pMainWnd {};
    HANDLE m_hThread {};
    DWORD m_nThreadID {};
    BOOL m_bAutoDelete { TRUE };
    operator HANDLE() const { return m_hThread; }

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnIdle(LONG count);
    CWnd* GetMainWnd() { return m_pMainWnd; }
    DWORD ResumeThread();
    int GetThreadPriority();
    BOOL SetThreadPriority(int priority);

    // The worker function of AfxBeginThread.
    UINT (*m_pfnThreadProc)(LPVOID) {};
    LPVOID m_pThreadParams {};
    // Releases a thread started with CREATE_SUSPENDED (set by AfxBeginThread).
    std::function<void()> m_resume;
};

class CWinApp : public CWinThread {
public:
    explicit CWinApp(LPCTSTR app_name = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName {};
    LPTSTR m_lpCmdLine {};
    HINSTANCE m_hInstance {};
    int m_nCmdShow { SW_SHOWNORMAL };
    LPCTSTR m_pszRegistryKey {};
    LPCTSTR m_pszExeName {};
    // "<executable's folder>\\<executable's name>.HLP", set by the constructor: the folder
    // part, cut at the last "\\", is the executable's folder, where the help files lie.
    LPCTSTR m_pszHelpFilePath {};

    // Kept for the programs' start-up code; the framework keeps no settings.
    void SetRegistryKey(LPCTSTR key) { m_pszRegistryKey = key; }
    void Enable3dControls() { }
    BOOL InitInstance() override { return TRUE; }
    int ExitInstance() override { return 0; }
    HICON LoadIcon(UINT id) const;

    // Used by AfxWinMain: fills the command line and the names.
    void set_command_line(int argc, char** argv);

private:
    CString m_command_line;
    CString m_app_name;
    CString m_exe_name;
    CString m_help_file_path;
};

// The help file path of the executable at `executable_path` ("/a/b/Zorvel" gives
// "/a/b\\Zorvel.HLP"; an extension of the name is replaced).
CString afx_help_file_path(CString const& executable_path);

constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr DWORD CREATE_SUSPENDED = 0x00000004;
using AFX_THREADPROC = UINT (*)(LPVOID);

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Starts `proc(param)` on a new thread; the object lives until the thread ends
// (m_bAutoDelete) or until the caller deletes it, and an auto-deleted object leaves its handle
// open for waiters. A caller that keeps the object starts it with CREATE_SUSPENDED, clears
// m_bAutoDelete and calls ResumeThread. Priority is ignored (default priority).
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
    UINT stack_size = 0, DWORD flags = 0, void* security = nullptr);
void AfxEndThread(UINT exit_code, BOOL delete_object = TRUE);
// The program's entry point: runs the application object.
int AfxWinMain(int argc, char** argv);
// The command line as one text, as described above.
CString afx_join_command_line(int argc, char** argv);
