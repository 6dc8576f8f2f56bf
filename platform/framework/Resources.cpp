#include "platform/framework/Resources.h"

#include <mutex>
#include <unistd.h>

namespace platform::framework {

namespace {

template<typename Map>
auto const* find_in(Map const& map, int id)
{
    auto it = map.find(id);
    return it == map.end() ? nullptr : &it->second;
}

struct Current {
    std::mutex mutex;
    std::shared_ptr<ResourceSet const> set;
};

Current& current()
{
    static Current c;
    return c;
}

std::string default_path()
{
    char buffer[4096] {};
    ssize_t const n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) + ".res" : std::string();
}

}

DialogResource const* ResourceSet::dialog(int id) const { return find_in(m_dialogs, id); }
MenuResource const* ResourceSet::menu(int id) const { return find_in(m_menus, id); }
ImageResource const* ResourceSet::icon(int id) const { return find_in(m_icons, id); }
ImageResource const* ResourceSet::bitmap(int id) const { return find_in(m_bitmaps, id); }
ImageResource const* ResourceSet::toolbar(int id) const { return find_in(m_toolbars, id); }
std::string const* ResourceSet::string(int id) const { return find_in(m_strings, id); }

RawResource const* ResourceSet::raw(int id, std::string const& type) const
{
    auto it = m_raw.find({ id, type });
    return it == m_raw.end() ? nullptr : &it->second;
}

ResourceSet const& resources()
{
    std::lock_guard lock(current().mutex);
    if (!current().set) {
        auto set = std::make_shared<ResourceSet>();
        set->load(default_path());
        current().set = set;
    }
    return *current().set;
}

void set_resources(std::shared_ptr<ResourceSet const> set)
{
    std::lock_guard lock(current().mutex);
    current().set = std::move(set);
}

bool load_resources(std::string const& path)
{
    auto set = std::make_shared<ResourceSet>();
    if (!set->load(path))
        return false;
    set_resources(set);
    return true;
}

bool report_resources(ResourceSet const& set, char const* program, std::FILE* out)
{
    constexpr size_t kShown = 5;
    for (auto const& file : set.missing())
        std::fprintf(out, "%s: cannot read %s\n", program, file.c_str());
    auto const& errors = set.errors();
    for (size_t i = 0; i < errors.size() && i < kShown; ++i)
        std::fprintf(out, "%s: %s\n", program, errors[i].c_str());
    if (errors.size() > kShown)
        std::fprintf(out, "%s: ... and %zu more malformed lines\n", program, errors.size() - kShown);
    return set.loaded() && errors.empty();
}

std::vector<std::string> missing_resources(ResourceSet const& set, std::string const& kind, std::vector<int> const& ids)
{
    std::vector<std::string> missing;
    for (int id : ids) {
        bool const found = kind == "dialog" ? set.dialog(id) != nullptr
            : kind == "menu"                ? set.menu(id) != nullptr
            : kind == "icon"                ? set.icon(id) != nullptr
            : kind == "bitmap"              ? set.bitmap(id) != nullptr
            : kind == "toolbar"             ? set.toolbar(id) != nullptr
            : kind == "string"              ? set.string(id) != nullptr
                                            : false;
        if (!found)
            missing.push_back(kind + " " + std::to_string(id));
    }
    return missing;
}

}
