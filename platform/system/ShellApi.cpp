#include "platform/system/Shell.h"

#include "platform/system/IniDocument.h"
#include "platform/system/Spawner.h"
#include "platform/system/TrayModel.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <cerrno>
#include <cstring>
#include <mutex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

using namespace platform::system;

namespace {

std::mutex& opener_mutex()
{
    static std::mutex mutex;
    return mutex;
}

ShellOpener& opener()
{
    static ShellOpener current;
    return current;
}

std::string& opener_program()
{
    static std::string program = "xdg-open";
    return program;
}

MissingOpenerReport& missing_opener_report()
{
    static MissingOpenerReport report;
    return report;
}

// `missing` is set when the opener program is not installed.
bool desktop_open(std::string const& target, bool& missing)
{
    std::string program;
    {
        std::lock_guard lock(opener_mutex());
        program = opener_program();
    }
    std::uint32_t pid = spawn_process(SpawnRequest { { program, target }, {}, -1 });
    missing = pid == 0 && errno == ENOENT;
    if (pid == 0)
        return false;
    std::thread([pid] { ::waitpid(static_cast<pid_t>(pid), nullptr, 0); }).detach();
    return true;
}

bool is_address(std::string const& text)
{
    return text.find("://") != std::string::npos || text.starts_with("mailto:");
}

// Programs build their paths with "\\" between folders; this system's files use "/".
std::string with_slashes(std::string path)
{
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

bool file_exists(std::string const& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::string tip_of(NOTIFYICONDATA const& data)
{
    return std::string(data.szTip, strnlen(data.szTip, sizeof data.szTip - 1));
}

}

namespace platform::system {

void set_shell_opener(ShellOpener new_opener)
{
    std::lock_guard lock(opener_mutex());
    opener() = std::move(new_opener);
}

void set_desktop_opener_program(std::string program)
{
    std::lock_guard lock(opener_mutex());
    opener_program() = program.empty() ? "xdg-open" : std::move(program);
}

void set_missing_opener_report(MissingOpenerReport report)
{
    std::lock_guard lock(opener_mutex());
    missing_opener_report() = std::move(report);
}

std::string shell_target(std::string const& file, std::string const& folder)
{
    if (is_address(file))
        return file;
    std::string path = with_slashes(file);
    std::string const base = with_slashes(folder);
    if (!path.empty() && path.front() != '/' && !base.empty())
        path = base + (base.back() == '/' ? "" : "/") + path;
    if (path.size() > 4 && equal_ignoring_case(std::string_view(path).substr(path.size() - 4), ".chm")) {
        std::string html = path.substr(0, path.size() - 4) + ".html";
        if (file_exists(html))
            return html;
    }
    return file_exists(path) ? path : std::string();
}

}

extern "C" {

BOOL Shell_NotifyIcon(DWORD message, PNOTIFYICONDATA data)
{
    if (!data)
        return FALSE;
    auto& model = TrayModel::the();
    bool ok = false;
    switch (message) {
    case NIM_ADD:
        ok = model.add(TrayIcon { data->hWnd, data->uID, (data->uFlags & NIF_MESSAGE) ? data->uCallbackMessage : 0u,
            (data->uFlags & NIF_ICON) ? data->hIcon : nullptr, (data->uFlags & NIF_TIP) ? tip_of(*data) : "" });
        break;
    case NIM_MODIFY:
        ok = model.modify(data->hWnd, data->uID,
            (data->uFlags & NIF_MESSAGE) ? std::optional(data->uCallbackMessage) : std::nullopt,
            (data->uFlags & NIF_ICON) ? std::optional(data->hIcon) : std::nullopt,
            (data->uFlags & NIF_TIP) ? std::optional(tip_of(*data)) : std::nullopt);
        break;
    case NIM_DELETE:
        ok = model.remove(data->hWnd, data->uID);
        break;
    default:
        break;
    }
    return ok ? TRUE : FALSE;
}

HINSTANCE ShellExecute(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR folder, INT)
{
    auto result = [](INT_PTR code) { return reinterpret_cast<HINSTANCE>(code); };
    if (!file || (verb && !equal_ignoring_case(verb, "open")))
        return result(SE_ERR_NOASSOC);
    std::string target = shell_target(file, folder ? folder : "");
    if (target.empty())
        return result(SE_ERR_FNF);
    ShellOpener current;
    MissingOpenerReport report;
    std::string program;
    {
        std::lock_guard lock(opener_mutex());
        current = opener();
        report = missing_opener_report();
        program = opener_program();
    }
    bool missing = false;
    bool opened = current ? current(target) : desktop_open(target, missing);
    if (missing && report)
        report(hwnd, program, target);
    return result(opened ? 42 : SE_ERR_NOASSOC);
}

}
