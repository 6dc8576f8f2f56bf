// VxSwap (also installed as VxSwapEx): the mode switcher. The utility that owned the adapter
// starts it and ends; the switcher waits until that utility is gone, sets the driver's mode,
// and starts the utility that owns the adapter in the new mode.
//
//   VxSwap <ON|OFF|OFFON> <program> <program> <folder> <icon> <adapter description>
//
// ON and OFFON start the program at position 3, OFF the one at position 2, from the
// switcher's own folder, without arguments, and leave it running. The mode follows the word and
// the adapter: the operating system's virtual adapter (the literal below) is the access point
// client's, any other description names the adapter itself. The stored mode is the caller's
// and stays as it wrote it. The folder and icon names are recorded only: no launcher entries are
// made here. Each run appends one line to the store's "swap.log".
//
// Exit status: 0 the program started, 1 the store could not be written, 2 wrong arguments
// (nothing changed), 3 the utility that started the switch did not end (nothing changed),
// 4 the program to start was not found (the mode was changed).
#include "platform/system/Kernel.h"
#include "platform/system/Spawner.h"
#include "platform/user/User.h"
#include "wlan/tools/common/LiveWorld.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr char kVirtualAdapter[] = "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP";
// The single-instance object of the station and access point utilities.
constexpr char kUtilityMutex[] = "KT90";
constexpr int kPollMs = 50;
constexpr int kDefaultWaitMs = 15000;

enum Exit { kStarted = 0, kNotWritten = 1, kBadArguments = 2, kStillHeld = 3, kMissing = 4 };

struct Request {
    std::string word;
    std::string stopped_program;
    std::string started_program;
    std::string description;
};

// The name we ran under, as the utilities name programs ("VxSwap.exe" is VxSwap).
std::string base_name(char const* path)
{
    std::string name(path ? path : "VxSwap");
    name = name.substr(name.find_last_of('/') + 1);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0)
        name.resize(name.size() - 4);
    return name;
}

// A name to start from our folder, not a path.
bool is_program_name(std::string const& name)
{
    return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

// Empty when the six arguments make a switch, else what is wrong with them.
std::string check_arguments(std::vector<std::string> const& args)
{
    if (args.size() != 6)
        return "expected 6 arguments, got " + std::to_string(args.size());
    if (args[0] != "ON" && args[0] != "OFF" && args[0] != "OFFON")
        return "expected ON, OFF or OFFON, got '" + args[0] + "'";
    if (!is_program_name(args[1]) || !is_program_name(args[2]))
        return "a program is named by its file name";
    return {};
}

// The mode the driver is to run in; the stored mode is not the switcher's.
char const* driver_mode(Request const& r)
{
    if (r.word == "OFF")
        return "station";
    return r.description == kVirtualAdapter ? "apclient" : "ap";
}

// The polling interval and bound are those of a switch a user started; tests shorten the
// bound (VXSWAP_WAIT_MS) so that a utility that never ends fails fast.
int wait_bound_ms()
{
    if (char const* env = std::getenv("VXSWAP_WAIT_MS")) {
        char* end = nullptr;
        long const value = std::strtol(env, &end, 10);
        if (end != env && *end == '\0' && value >= 0 && value <= kDefaultWaitMs)
            return int(value);
    }
    return kDefaultWaitMs;
}

bool utility_running()
{
    HANDLE const mutex = OpenMutex(SYNCHRONIZE, FALSE, kUtilityMutex);
    if (!mutex)
        return false;
    CloseHandle(mutex);
    return true;
}

// The utility that started us is still ending: wait for its single-instance object to go.
bool wait_for_utility_end()
{
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_bound_ms());
    while (utility_running()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    return true;
}

// Sets the driver's mode through the live log; any mode but the access point client's stops
// the hosted network, which runs only there.
std::string change_mode(wlan::sim::Store& store, Request const& r)
{
    auto const base = wlan::tools::scenario_world(store, "VxSwap");
    auto const done = wlan::tools::change_world(store, base, std::string("mode ") + driver_mode(r));
    if (done.result != wlan::tools::ChangeResult::Done)
        return done.error;
    if (std::string(driver_mode(r)) != "apclient") {
        auto world = wlan::tools::current_world(store, base);
        if (world.hosted_network_running())
            world.set_hosted_network(false);
    }
    return {};
}

std::string own_folder()
{
    char exe[4096];
    ssize_t const n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string path = n > 0 ? std::string(exe, std::size_t(n)) : std::string("./VxSwap");
    return path.substr(0, path.find_last_of('/'));
}

// Starts `program` from our folder and leaves it: it outlives us and nobody waits for it.
std::uint32_t start_detached(std::string const& program)
{
    std::string const folder = own_folder();
    platform::system::SpawnRequest request { { folder + "/" + program }, folder, -1 };
    return platform::system::spawn_process(request);
}

// Tabs, line ends and backslashes are escaped so that a line holds one run whatever the
// arguments hold.
std::string escaped(std::string const& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

// One line: UTC time, the name we ran under, the arguments as received, the outcome; fields
// separated by tabs. One write with O_APPEND, so runs never interleave within a line.
void log_run(wlan::sim::Store const& store, std::string const& name, std::vector<std::string> const& args,
    std::string const& outcome)
{
    char stamp[32] {};
    std::time_t const now = std::time(nullptr);
    std::tm utc {};
    ::gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::string line = stamp;
    line += "\t" + escaped(name);
    for (auto const& a : args)
        line += "\t" + escaped(a);
    line += "\t" + escaped(outcome) + "\n";
    int const fd = ::open(store.path_of("swap.log").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "%s: cannot write %s\n", name.c_str(), store.path_of("swap.log").c_str());
        return;
    }
    if (::write(fd, line.data(), line.size()) != ssize_t(line.size()))
        std::fprintf(stderr, "%s: cannot write %s\n", name.c_str(), store.path_of("swap.log").c_str());
    ::close(fd);
}

int finish(wlan::sim::Store const& store, std::string const& name, std::vector<std::string> const& args, int status,
    std::string const& outcome)
{
    log_run(store, name, args, outcome);
    if (status != kStarted)
        std::fprintf(stderr, "%s: %s\n", name.c_str(), outcome.c_str());
    return status;
}

}

int main(int argc, char** argv)
{
    std::string const name = base_name(argc > 0 ? argv[0] : nullptr);
    std::vector<std::string> const args(argv + 1, argv + argc);
    wlan::sim::Store store(wlan::sim::Store::default_folder());
    if (auto error = check_arguments(args); !error.empty())
        return finish(store, name, args, kBadArguments, "bad arguments: " + error);
    Request const request { args[0], args[1], args[2], args[5] };
    if (!wait_for_utility_end())
        return finish(store, name, args, kStillHeld, std::string(kUtilityMutex) + " still held, nothing changed");
    if (auto error = change_mode(store, request); !error.empty())
        return finish(store, name, args, kNotWritten, "mode not set: " + error);
    std::string const& program = request.word == "OFF" ? request.stopped_program : request.started_program;
    std::uint32_t const pid = start_detached(program);
    std::string const mode = std::string("mode ") + driver_mode(request);
    if (pid == 0)
        return finish(store, name, args, kMissing, mode + ", " + program + " not found");
    return finish(store, name, args, kStarted, mode + ", started " + program + " (process " + std::to_string(pid) + ")");
}
