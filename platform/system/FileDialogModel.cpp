#include "platform/system/FileDialogModel.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <strings.h>
#include <system_error>

namespace platform::system {

namespace fs = std::filesystem;

std::vector<FileFilter> parse_filters(char const* pairs, std::size_t max_bytes)
{
    std::vector<FileFilter> filters;
    if (!pairs)
        return filters;
    std::size_t at = 0;
    auto next = [&](std::string& out) {
        std::size_t length = strnlen(pairs + at, max_bytes - at);
        if (at + length >= max_bytes || length == 0)
            return false;
        out.assign(pairs + at, length);
        at += length + 1;
        return true;
    };
    FileFilter filter;
    std::string patterns;
    while (at < max_bytes && next(filter.label) && next(patterns)) {
        filter.patterns.clear();
        for (std::size_t start = 0; start <= patterns.size();) {
            std::size_t end = std::min(patterns.find(';', start), patterns.size());
            std::string one = patterns.substr(start, end - start);
            one.erase(0, one.find_first_not_of(' '));
            one.erase(one.find_last_not_of(' ') + 1);
            if (!one.empty())
                filter.patterns.push_back(one);
            start = end + 1;
        }
        filters.push_back(filter);
    }
    return filters;
}

bool matches_pattern(std::string_view name, std::string_view pattern)
{
    if (pattern == "*.*" || pattern == "*")
        return true;
    // Iterative wildcard match with one backtrack point: linear enough for file names.
    std::size_t n = 0, p = 0, star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?'
                || std::tolower(static_cast<unsigned char>(pattern[p])) == std::tolower(static_cast<unsigned char>(name[n])))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

FileDialogModel::FileDialogModel(Options options)
    : m_options(std::move(options))
{
    std::error_code error;
    fs::path start = m_options.folder.empty() ? fs::current_path(error) : fs::path(m_options.folder);
    m_folder = fs::weakly_canonical(start, error).string();
    if (m_folder.empty())
        m_folder = "/";
    if (m_options.filter >= m_options.filters.size())
        m_options.filter = 0;
}

void FileDialogModel::set_filter(std::size_t index)
{
    if (index < m_options.filters.size())
        m_options.filter = index;
}

std::vector<FolderEntry> FileDialogModel::entries() const
{
    std::vector<FolderEntry> folders, files;
    std::error_code error;
    for (auto const& entry : fs::directory_iterator(m_folder, fs::directory_options::skip_permission_denied, error)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with("."))
            continue;
        std::error_code ignored;
        if (entry.is_directory(ignored)) {
            folders.push_back({ name, true });
            continue;
        }
        bool shown = m_options.filters.empty();
        if (!shown) {
            auto const& patterns = m_options.filters[m_options.filter].patterns;
            shown = std::any_of(patterns.begin(), patterns.end(), [&](auto const& p) { return matches_pattern(name, p); });
        }
        if (shown)
            files.push_back({ name, false });
    }
    auto by_name = [](FolderEntry const& a, FolderEntry const& b) { return strcasecmp(a.name.c_str(), b.name.c_str()) < 0; };
    std::sort(folders.begin(), folders.end(), by_name);
    std::sort(files.begin(), files.end(), by_name);
    if (m_folder != "/")
        folders.insert(folders.begin(), FolderEntry { "..", true });
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

std::string FileDialogModel::with_default_extension(std::string path) const
{
    std::string name = fs::path(path).filename().string();
    if (!m_options.default_extension.empty() && name.find('.') == std::string::npos)
        path += "." + m_options.default_extension;
    return path;
}

FileDialogModel::Outcome FileDialogModel::submit(std::string_view typed)
{
    std::string text(typed);
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    if (text.empty())
        return Outcome::empty;
    std::error_code error;
    fs::path path = fs::path(text).is_absolute() ? fs::path(text) : fs::path(m_folder) / text;
    path = fs::weakly_canonical(path, error);
    if (!error && fs::is_directory(path, error)) {
        m_folder = path.string();
        return Outcome::entered_folder;
    }
    // A name without extension gets the default one; an open dialog still takes the name as
    // typed when only that exists.
    std::string answer = with_default_extension(path.string());
    if (m_options.kind == Kind::open && !fs::exists(answer, error) && fs::exists(path, error))
        answer = path.string();
    m_result = answer;
    bool exists = fs::exists(answer, error);
    if (m_options.kind == Kind::open && m_options.file_must_exist && !exists)
        return Outcome::must_exist;
    if (m_options.kind == Kind::save && m_options.overwrite_prompt && exists && m_confirmed != answer)
        return Outcome::confirm_overwrite;
    return Outcome::accepted;
}

}
