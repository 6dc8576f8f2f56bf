#include "platform/framework/WinApp.h"

#include "platform/framework/ResourceApi.h"
#include "platform/system/Module.h"

#include <atomic>
#include <memory>

namespace {

CWinApp*& the_app()
{
    static CWinApp* app = nullptr;
    return app;
}

}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    return AfxPreTranslateMessage(*pMsg);
}

BOOL CWinThread::OnIdle(LONG)
{
    AfxDeleteTempMap();
    return FALSE;
}

// The thread's message loop: every message goes through PreTranslateMessage; the temporary
// objects are freed each time the queue runs empty.
int CWinThread::Run()
{
    MSG msg;
    for (;;) {
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
            OnIdle(0);
        BOOL const got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got <= 0)
            break;
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    return ExitInstance();
}

DWORD CWinThread::ResumeThread()
{
    if (!m_resume)
        return 0;
    auto resume = std::move(m_resume);
    m_resume = nullptr;
    resume();
    return 1;
}
int CWinThread::GetThreadPriority() { return THREAD_PRIORITY_NORMAL; }
BOOL CWinThread::SetThreadPriority(int) { return TRUE; }

CWinApp::CWinApp(LPCTSTR app_name)
{
    if (app_name) {
        m_app_name = app_name;
        m_pszAppName = m_app_name;
    }
    char path[4096] {};
    DWORD const length = ::GetModuleFileName(nullptr, path, sizeof path);
    m_help_file_path = afx_help_file_path(CString(path, static_cast<int>(length)));
    m_pszHelpFilePath = m_help_file_path;
    the_app() = this;
}

CWinApp::~CWinApp()
{
    if (the_app() == this)
        the_app() = nullptr;
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIcon(nullptr, MAKEINTRESOURCE(static_cast<WORD>(id)));
}

CString afx_join_command_line(int argc, char** argv)
{
    CString line;
    for (int i = 1; i < argc; ++i) {
        CString const arg = argv[i];
        if (i > 1)
            line += ' ';
        bool const quote = arg.IsEmpty() || arg.FindOneOf(" \t") >= 0;
        line += quote ? "\"" + arg + "\"" : arg;
    }
    return line;
}

// The programs cut this path at its last backslash to find their help files, so the
// separator before the name is a backslash; the folder keeps this system's own form.
CString afx_help_file_path(CString const& executable_path)
{
    int const slash = executable_path.ReverseFind('/');
    CString const folder = slash >= 0 ? executable_path.Left(slash) : CString(".");
    CString name = executable_path.Mid(slash + 1);
    int const dot = name.ReverseFind('.');
    if (dot > 0)
        name = name.Left(dot);
    return folder + "\\" + name + ".HLP";
}

void CWinApp::set_command_line(int argc, char** argv)
{
    m_command_line = afx_join_command_line(argc, argv);
    m_lpCmdLine = const_cast<LPTSTR>(m_command_line.GetString());
    CString exe = argc > 0 ? argv[0] : "";
    exe = exe.Mid(exe.ReverseFind('/') + 1);
    m_exe_name = exe;
    m_pszExeName = m_exe_name;
    if (!m_pszAppName) {
        m_app_name = exe;
        m_pszAppName = m_app_name;
    }
}

CWinApp* AfxGetApp()
{
    return the_app();
}

CWnd* AfxGetMainWnd()
{
    CWinApp* app = the_app();
    return app ? app->m_pMainWnd : nullptr;
}

int AfxWinMain(int argc, char** argv)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->set_command_line(argc, argv);
    AfxInstallMessageFilter();
    if (!app->InitInstance()) {
        // The programs do their work inside InitInstance (a modal run) and answer FALSE.
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

// [SECTION] Threads

namespace {

struct ThreadStart {
    CWinThread* thread;
    std::atomic<bool> ready { false };
};

// Waits until AfxBeginThread has stored the handle, so the object is complete before the
// worker can delete it. An auto-deleted object leaves its handle open: callers may still wait
// on the handle they were given.
DWORD thread_start(LPVOID parameter)
{
    std::unique_ptr<std::shared_ptr<ThreadStart>> start(static_cast<std::shared_ptr<ThreadStart>*>(parameter));
    (*start)->ready.wait(false);
    CWinThread* thread = (*start)->thread;
    start.reset();
    UINT const code = thread->m_pfnThreadProc(thread->m_pThreadParams);
    if (thread->m_bAutoDelete) {
        thread->m_hThread = nullptr;
        delete thread;
    }
    return code;
}

}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int, UINT stack_size, DWORD flags, void*)
{
    auto* thread = new CWinThread;
    thread->m_pfnThreadProc = proc;
    thread->m_pThreadParams = param;
    auto start = std::make_shared<ThreadStart>();
    start->thread = thread;
    auto* handed = new std::shared_ptr<ThreadStart>(start);
    thread->m_hThread = ::CreateThread(nullptr, stack_size, thread_start, handed, flags & ~CREATE_SUSPENDED, &thread->m_nThreadID);
    if (!thread->m_hThread) {
        delete handed;
        delete thread;
        return nullptr;
    }
    auto release = [start] {
        start->ready.store(true);
        start->ready.notify_one();
    };
    if (flags & CREATE_SUSPENDED)
        thread->m_resume = release;
    else
        release();
    return thread;
}
