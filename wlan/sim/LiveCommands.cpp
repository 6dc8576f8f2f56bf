#include "wlan/sim/LiveCommands.h"

#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <charconv>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace wlan::sim {

namespace {

std::vector<std::string> words(std::string const& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

std::optional<int> number(std::string const& s)
{
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::string set_keys(ApSpec& ap, std::vector<std::string> const& w, std::size_t from)
{
    for (std::size_t i = from; i < w.size(); ++i) {
        auto const eq = w[i].find('=');
        if (eq == std::string::npos)
            return "expected key=value, got '" + w[i] + "'";
        bool known = true;
        auto error = set_ap_key(ap, w[i].substr(0, eq), w[i].substr(eq + 1), known);
        if (!error.empty())
            return error;
        if (!known)
            return "unknown key '" + w[i].substr(0, eq) + "'";
    }
    return {};
}

std::string on_off(std::string const& s, bool& out)
{
    if (s != "on" && s != "off")
        return "expected on or off";
    out = s == "on";
    return {};
}

}

std::string apply_live_command(World& world, std::string const& line, std::uint64_t now)
{
    auto const w = words(line);
    if (w.empty())
        return {};
    std::string const& cmd = w[0];
    if (cmd == "fail-next-scan") {
        world.fail_next_scan();
        return {};
    }
    if (w.size() < 2)
        return "'" + cmd + "' needs an argument";
    if (cmd == "ap-add") {
        if (world.find_ap(w[1]))
            return "access point '" + w[1] + "' exists";
        ApSpec ap;
        ap.id = w[1];
        if (auto error = set_keys(ap, w, 2); !error.empty())
            return error;
        world.spec().aps.push_back(ap);
        return {};
    }
    if (cmd == "driver-delay") {
        auto ms = number(w[1]);
        if (!ms || *ms < 0)
            return "expected milliseconds";
        world.set_driver_delay(*ms);
        return {};
    }
    if (cmd == "radio" && w.size() == 3) {
        bool on = false;
        if (auto error = on_off(w[2], on); !error.empty())
            return error;
        if (w[1] == "hw")
            world.set_radio_hw(on, now);
        else if (w[1] == "sw")
            world.set_radio_sw(on, now);
        else
            return "expected hw or sw";
        return {};
    }
    if (cmd == "adapter" && w.size() == 3) {
        if (w[1] != "pull" && w[1] != "insert")
            return "expected pull or insert";
        world.set_adapter_present(w[2], w[1] == "insert", now);
        return {};
    }
    ApSpec* ap = world.find_ap(w[1]);
    if (!ap)
        return "no access point '" + w[1] + "'";
    if (cmd == "ap-set")
        return set_keys(*ap, w, 2);
    if (cmd == "ap-remove") {
        std::erase_if(world.spec().aps, [&](ApSpec const& a) { return a.id == w[1]; });
        return {};
    }
    if (cmd == "wps-press") {
        world.press_wps_button(w[1], now);
        return {};
    }
    if ((cmd == "ap-signal" || cmd == "ap-move") && w.size() == 3) {
        bool known = true;
        return set_ap_key(*ap, cmd == "ap-signal" ? "rssi" : "channel", w[2], known);
    }
    return "unknown command '" + line + "'";
}

bool append_live_command(Store& store, std::string const& line)
{
    std::string const text = line + "\n";
    int const fd = ::open(store.path_of("live.cmd").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool const ok = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ::close(fd);
    return ok;
}

int LiveLog::apply_new(World& world, std::uint64_t now)
{
    std::ifstream in(m_store.path_of("live.cmd"), std::ios::binary);
    if (!in)
        return 0;
    in.seekg(std::streamoff(m_offset));
    int applied = 0;
    for (std::string line; std::getline(in, line);) {
        if (in.eof())
            break; // a line still being written has no newline yet
        m_offset += line.size() + 1;
        apply_live_command(world, line, now);
        ++applied;
    }
    return applied;
}

}
