#include "platform/system/WindowRecords.h"

#include "platform/system/ParseInteger.h"
#include "platform/system/Paths.h"
#include "platform/system/ProcessTable.h"

#include <charconv>
#include <dirent.h>
#include <set>
#include <unistd.h>

namespace platform::system {

namespace {

// Names and titles are written as "<length>:<bytes>", so any byte may appear in them.
void put_text(std::string& out, std::string const& text)
{
    out += std::to_string(text.size());
    out += ':';
    out += text;
}

class Reader {
public:
    explicit Reader(std::string_view text)
        : m_text(text)
    {
    }
    bool at_end() const { return m_text.empty(); }
    bool word(std::string_view expected)
    {
        if (!m_text.starts_with(expected))
            return false;
        m_text.remove_prefix(expected.size());
        return true;
    }
    template<typename T>
    bool number(T& out, int base = 10)
    {
        auto [end, error] = std::from_chars(m_text.data(), m_text.data() + m_text.size(), out, base);
        if (error != std::errc() || end == m_text.data())
            return false;
        m_text.remove_prefix(static_cast<size_t>(end - m_text.data()));
        return true;
    }
    bool text(std::string& out)
    {
        size_t length = 0;
        if (!number(length) || !word(":") || length > m_text.size())
            return false;
        out.assign(m_text.substr(0, length));
        m_text.remove_prefix(length);
        return true;
    }

private:
    std::string_view m_text;
};

constexpr size_t max_windows = 4096;

}

std::string format_process_windows(ProcessWindows const& record)
{
    std::string out = "process " + std::to_string(record.pid) + " " + std::to_string(record.start_time) + "\n";
    for (auto const& window : record.windows) {
        char handle[16];
        auto end = std::to_chars(handle, handle + sizeof handle, window.handle, 16).ptr;
        out += "window ";
        out.append(handle, end);
        out += ' ';
        put_text(out, window.class_name);
        out += ' ';
        put_text(out, window.title);
        out += '\n';
    }
    return out;
}

std::optional<ProcessWindows> parse_process_windows(std::string_view text)
{
    Reader in(text);
    ProcessWindows result;
    if (!in.word("process ") || !in.number(result.pid) || !in.word(" ") || !in.number(result.start_time) || !in.word("\n"))
        return std::nullopt;
    while (!in.at_end()) {
        WindowRecord window;
        if (result.windows.size() == max_windows || !in.word("window ") || !in.number(window.handle, 16) || !in.word(" ")
            || !in.text(window.class_name) || !in.word(" ") || !in.text(window.title) || !in.word("\n"))
            return std::nullopt;
        result.windows.push_back(std::move(window));
    }
    return result;
}

std::optional<std::uint64_t> process_start_time(std::uint32_t pid)
{
    // The state is the third field, the start time the 22nd.
    auto const fields = process_stat_fields(pid);
    if (!fields || fields->empty() || (*fields)[0] == "Z" || (*fields)[0] == "X" || fields->size() < 20)
        return std::nullopt;
    return parse_integer<std::uint64_t>((*fields)[19]);
}

bool process_is_alive(std::uint32_t pid, std::uint64_t start_time)
{
    auto start = process_start_time(pid);
    return start && *start == start_time;
}

std::string window_folder()
{
    // Made with its runtime folder when either is missing; asked at every record write.
    std::string folder = runtime_dir_path() + "/windows";
    make_dirs(folder, 0700);
    return folder;
}

std::string record_path(std::string const& folder, std::uint32_t pid)
{
    return folder + "/" + std::to_string(pid) + ".windows";
}

std::string mailbox_path(std::string const& folder, std::uint32_t pid)
{
    return folder + "/" + std::to_string(pid) + ".mailbox";
}

namespace {

// "<pid>.windows" or "<pid>.mailbox": the process id, else 0.
std::uint32_t runtime_file_pid(std::string_view name, bool& record)
{
    record = name.ends_with(".windows");
    if (!record && !name.ends_with(".mailbox"))
        return 0;
    return parse_integer<std::uint32_t>(name.substr(0, name.size() - 8)).value_or(0);
}

bool record_is_stale(std::string const& folder, std::uint32_t pid)
{
    std::string text;
    if (!read_whole_file(record_path(folder, pid), text))
        return false;
    auto record = parse_process_windows(text);
    return record && record->pid == pid && !process_is_alive(pid, record->start_time);
}

}

void remove_dead_records(std::string const& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::set<std::uint32_t> dead;
    while (dirent const* entry = ::readdir(dir)) {
        bool record = false;
        std::uint32_t const pid = runtime_file_pid(entry->d_name, record);
        if (pid != 0 && (!process_start_time(pid) || (record && record_is_stale(folder, pid))))
            dead.insert(pid);
    }
    ::closedir(dir);
    for (std::uint32_t pid : dead) {
        ::unlink(record_path(folder, pid).c_str());
        ::unlink(mailbox_path(folder, pid).c_str());
    }
}

}
