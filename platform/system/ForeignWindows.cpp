#include "platform/system/ForeignWindows.h"

#include "platform/system/Paths.h"
#include "platform/system/ProcessLetters.h"
#include "platform/system/ProcessTable.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

namespace platform::system {

namespace {

std::uint32_t value_of(HWND hwnd)
{
    return static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(hwnd));
}

// The record is runtime state that a crash may lose, so it is replaced without the flush of
// write_file_atomically: readers still see the old or the new text, never a part.
void replace_file(std::string const& path, std::string const& text)
{
    std::string temporary = path + ".tmp";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0)
        ::unlink(temporary.c_str());
}

// The class and stored title of a window. The title is read as stored, since the window
// procedure must not see WM_GETTEXT before its window has been created (this runs from
// window_created).
WindowRecord describe(HWND hwnd)
{
    char class_name[256] {};
    GetClassName(hwnd, class_name, sizeof class_name);
    return WindowRecord { value_of(hwnd), class_name, user::stored_text(hwnd) };
}

bool matches(std::string const& value, LPCSTR wanted)
{
    return !wanted || ::strcasecmp(value.c_str(), wanted) == 0;
}

// Test programs run side by side, each creating windows with the programs' titles: they meet
// other processes' windows only in a runtime folder of their own (ZORVEL_RUNTIME_DIR), never
// in the user's real one.
bool shares_windows()
{
    return !std::getenv("ZORVEL_TEST") || std::getenv("ZORVEL_RUNTIME_DIR");
}

std::uint32_t own_pid()
{
    return static_cast<std::uint32_t>(::getpid());
}

struct Installer {
    Installer()
    {
        auto& windows = ForeignWindows::the();
        user::add_window_observer(&windows);
        user::set_foreign_window_hooks(user::ForeignWindowHooks {
            [&windows](LPCSTR class_name, LPCSTR title) { return windows.find(class_name, title); },
            [&windows](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
                return windows.post(hwnd, message, wparam, lparam);
            },
            [&windows](HWND hwnd) { return windows.exists(hwnd); },
        });
    }
};

Installer const installer;

}

ForeignWindows& ForeignWindows::the()
{
    static ForeignWindows windows;
    return windows;
}

// [SECTION] This process's windows

// Each change of a top-level window changes its own entry and writes the record once; a
// change the record does not show (a new icon) writes nothing.
void ForeignWindows::window_created(HWND hwnd)
{
    WindowRecord record = describe(hwnd);
    bool const titled = !record.title.empty();
    {
        std::lock_guard lock(m_mutex);
        m_windows.push_back(Own { hwnd, std::move(record) });
    }
    changed(titled);
}

void ForeignWindows::window_destroyed(HWND hwnd)
{
    bool titled = false;
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_windows.begin(), m_windows.end(), [&](Own const& own) { return own.hwnd == hwnd; });
        if (it == m_windows.end())
            return;
        titled = !it->record.title.empty();
        m_windows.erase(it);
        titled = titled || m_windows.empty();
    }
    changed(titled);
}

// Programs find each other's windows by title, so a change of a titled window (and the last
// window's end) is written at once. Untitled ones (tool tips, drop-down lists, which a page
// creates by the dozen) are written together when the user-interface thread next takes its
// messages: one write for the lot, not one for each, each rewriting the whole record.
void ForeignWindows::changed(bool titled)
{
    if (titled) {
        publish();
        return;
    }
    if (m_publish_pending.exchange(true))
        return;
    user::post_to_ui_thread([this] {
        if (m_publish_pending)
            publish();
    });
}

void ForeignWindows::window_text_changed(HWND hwnd)
{
    std::string title = user::stored_text(hwnd);
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_windows.begin(), m_windows.end(), [&](Own const& own) { return own.hwnd == hwnd; });
        if (it == m_windows.end() || it->record.title == title)
            return;
        it->record.title = std::move(title);
    }
    publish();
}

void ForeignWindows::publish()
{
    // What is written now includes any change still waiting for the user-interface thread.
    m_publish_pending = false;
    if (!shares_windows()) {
        withdraw();
        return;
    }
    static std::uint64_t const start_time = process_start_time(own_pid()).value_or(0);
    ProcessWindows record { own_pid(), start_time, {} };
    {
        std::lock_guard lock(m_mutex);
        for (auto const& own : m_windows)
            record.windows.push_back(own.record);
    }
    if (record.windows.empty()) {
        // Nothing to find: the record goes, and no folder is made for it (a test's runtime
        // folder may be gone by the time its last window is destroyed).
        if (!m_folder.empty())
            ::unlink(record_path(m_folder, own_pid()).c_str());
        m_published.clear();
        return;
    }
    if (!open_mailbox())
        return;
    std::string text = format_process_windows(record);
    if (text == m_published)
        return;
    replace_file(record_path(m_folder, own_pid()), text);
    m_published = text;
}

bool ForeignWindows::shared() { return shares_windows(); }

bool ForeignWindows::open_mailbox()
{
    if (!shares_windows())
        return false;
    std::string folder = window_folder();
    return folder == m_folder || reopen_mailbox(folder);
}

bool ForeignWindows::reopen_mailbox(std::string const& folder)
{
    withdraw();
    // A starting program sweeps what killed ones left, so the folder does not grow for ever.
    remove_dead_records(folder);
    if (!m_mailbox.open(mailbox_path(folder, own_pid()), [this](Letter const& letter) { deliver(letter); }))
        return false;
    m_folder = folder;
    m_owner = own_pid();
    if (!m_exit_registered) {
        m_exit_registered = true;
        // Registered once windows exist, so it runs before the window core's own state goes.
        std::atexit([] { ForeignWindows::the().withdraw(); });
    }
    return true;
}

void ForeignWindows::withdraw()
{
    // A child that was forked and exits without starting a program has neither the receiving
    // thread nor a right to its parent's record.
    if (m_owner != own_pid())
        return;
    m_mailbox.close();
    if (!m_folder.empty())
        ::unlink(record_path(m_folder, own_pid()).c_str());
    m_folder.clear();
    m_published.clear();
}

void ForeignWindows::deliver(Letter const& letter)
{
    // A letter to no window is for the whole process.
    if (letter.handle == 0 && letter.message == WM_NULL) {
        deliver_topic(static_cast<std::uint32_t>(letter.wparam));
        return;
    }
    HWND target = nullptr;
    {
        std::lock_guard lock(m_mutex);
        for (auto const& own : m_windows) {
            if (value_of(own.hwnd) == letter.handle)
                target = own.hwnd;
        }
    }
    if (target)
        PostMessage(target, letter.message, letter.wparam, letter.lparam);
}

// [SECTION] Other processes' windows

std::vector<ProcessWindows> ForeignWindows::other_processes(std::string const& folder) const
{
    std::vector<ProcessWindows> found;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return found;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (!name.ends_with(".windows"))
            continue;
        auto const named = parse_process_id(std::string_view(name).substr(0, name.size() - 8));
        std::uint32_t const pid = named.value_or(0);
        std::string text;
        if (pid == 0 || pid == own_pid() || !read_whole_file(folder + "/" + name, text))
            continue;
        auto record = parse_process_windows(text);
        if (record && record->pid == pid && process_is_alive(pid, record->start_time))
            found.push_back(std::move(*record));
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](auto const& a, auto const& b) { return a.pid < b.pid; });
    return found;
}

HWND ForeignWindows::find(LPCSTR class_name, LPCSTR title)
{
    // A class atom means nothing in another process.
    if ((class_name && IS_INTRESOURCE(class_name)) || !shares_windows())
        return nullptr;
    for (auto const& process : other_processes(window_folder())) {
        for (auto const& window : process.windows) {
            if (matches(window.class_name, class_name) && matches(window.title, title))
                return handle_for(Target { process.pid, process.start_time, window.handle });
        }
    }
    return nullptr;
}

HWND ForeignWindows::handle_for(Target const& target)
{
    std::lock_guard lock(m_mutex);
    auto it = std::find(m_targets.begin(), m_targets.end(), target);
    size_t index = static_cast<size_t>(it - m_targets.begin());
    if (it == m_targets.end()) {
        if (m_targets.size() >= 0x7FFFFFFEu)
            return nullptr;
        m_targets.push_back(target);
    }
    return reinterpret_cast<HWND>(user::foreign_window_bit | static_cast<ULONG_PTR>(index + 1));
}

std::optional<ForeignWindows::Target> ForeignWindows::target_of(HWND hwnd) const
{
    auto index = static_cast<size_t>(reinterpret_cast<ULONG_PTR>(hwnd) & ~user::foreign_window_bit);
    std::lock_guard lock(m_mutex);
    if (index == 0 || index > m_targets.size())
        return std::nullopt;
    return m_targets[index - 1];
}

bool ForeignWindows::exists(HWND hwnd)
{
    auto target = target_of(hwnd);
    if (!target || !process_is_alive(target->pid, target->start_time))
        return false;
    std::string text;
    if (!read_whole_file(record_path(window_folder(), target->pid), text))
        return false;
    auto record = parse_process_windows(text);
    return record && record->start_time == target->start_time
        && std::any_of(record->windows.begin(), record->windows.end(),
            [&](WindowRecord const& window) { return window.handle == target->handle; });
}

bool ForeignWindows::post(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (!WindowMailbox::carries(message)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    auto target = target_of(hwnd);
    if (!target || !process_is_alive(target->pid, target->start_time)
        || !WindowMailbox::send(mailbox_path(window_folder(), target->pid), Letter { target->handle, message, wparam, lparam })) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    return true;
}

}
