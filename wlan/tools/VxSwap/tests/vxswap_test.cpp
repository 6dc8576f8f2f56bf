// The mode switcher as the utilities run it: a real process started from a folder of its own
// that holds a copy of it and a stand-in program, which writes where and how it was started.
// The utility's single-instance object is held by the test itself; waits are bounded polls.
#include "platform/system/Kernel.h"
#include "platform/user/User.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr char kVirtualAdapter[] = "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP";

std::string read_all(fs::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> split(std::string const& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

class VxSwapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vxswap-test-XXXXXX";
        m_root = ::mkdtemp(templ);
        m_bin = m_root / "bin";
        fs::create_directories(m_bin);
        fs::copy_file(VXSWAP_PATH, m_bin / "VxSwap");
        fs::copy_file(VXSWAPEX_PATH, m_bin / "VxSwapEx");
        // The switcher finds its libraries beside itself.
        for (auto const& entry : fs::directory_iterator(fs::path(VXSWAP_PATH).parent_path()))
            if (entry.path().extension() == ".so")
                fs::create_symlink(entry.path(), m_bin / entry.path().filename());
        add_program("Zorvel");
        add_program("Hotvane");
        std::ofstream(m_root / "world.ini") << "[adapter:a]\nname = A\n";
        ::setenv("VXSIM_STORE", (m_root / "store").c_str(), 1);
        ::setenv("VXSIM_SCENARIO", (m_root / "world.ini").c_str(), 1);
        ::setenv("ZORVEL_RUNTIME_DIR", (m_root / "run").c_str(), 1);
        ::setenv("VXSWAP_WAIT_MS", "15000", 1);
    }
    void TearDown() override { fs::remove_all(m_root); }

    // A stand-in program that notes its working folder and argument count in "<name>.started".
    void add_program(std::string const& name)
    {
        std::ofstream(m_bin / name) << "#!/bin/sh\necho \"$(pwd) $#\" > " << name << ".started\n";
        fs::permissions(m_bin / name, fs::perms::owner_all);
    }

    pid_t start(std::string const& program, std::vector<std::string> args)
    {
        args.insert(args.begin(), (m_bin / program).string());
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        EXPECT_EQ(::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }
    // The exit status, or nullopt while it still runs after `ms` of polling.
    static std::optional<int> wait_exit(pid_t pid, int ms)
    {
        for (int waited = 0;; waited += 10) {
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid)
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            if (waited >= ms)
                return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    int run(std::vector<std::string> args, std::string const& program = "VxSwap")
    {
        pid_t const pid = start(program, std::move(args));
        auto status = wait_exit(pid, 20000);
        EXPECT_TRUE(status.has_value()) << "the switcher did not end";
        return status.value_or(-1);
    }
    // What the stand-in program noted once it started (it runs on after the switcher ended).
    std::string started(std::string const& name, int ms = 5000)
    {
        fs::path const marker = m_bin / (name + ".started");
        for (int waited = 0; waited < ms; waited += 10) {
            if (auto text = read_all(marker); !text.empty() && text.back() == '\n')
                return text.substr(0, text.size() - 1);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }
    bool nothing_started() { return !fs::exists(m_bin / "Zorvel.started") && !fs::exists(m_bin / "Hotvane.started"); }
    std::vector<std::vector<std::string>> swap_log()
    {
        std::vector<std::vector<std::string>> lines;
        for (auto const& line : split(read_all(m_root / "store" / "swap.log"), '\n'))
            lines.push_back(split(line, '\t'));
        return lines;
    }
    std::string live_log() { return read_all(m_root / "store" / "live.cmd"); }
    std::string wlansim_list()
    {
        std::string out;
        if (FILE* pipe = ::popen(WLANSIM_PATH " list", "r")) {
            char buffer[4096];
            for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
                out.append(buffer, n);
            ::pclose(pipe);
        }
        return out;
    }
    void seed_store(unsigned stored_mode, bool hosted)
    {
        fs::create_directories(m_root / "store");
        auto write_u32 = [&](char const* key, std::uint32_t value) {
            std::ofstream(m_root / "store" / key, std::ios::binary).write(reinterpret_cast<char const*>(&value), 4);
        };
        write_u32("op_mode", stored_mode);
        write_u32("hosted_running", hosted ? 1 : 0);
    }

    fs::path m_root;
    fs::path m_bin;
};

TEST_F(VxSwapTest, WrongArgumentsExitTwoWithTheWorldUnchanged)
{
    std::vector<std::vector<std::string>> const cases {
        {},
        { "ON", "Zorvel", "Hotvane", "folder", "icon" },
        { "ON", "Zorvel", "Hotvane", "folder", "icon", "desc", "extra" },
        { "on", "Zorvel", "Hotvane", "folder", "icon", "desc" },
        { "SWAP", "Zorvel", "Hotvane", "folder", "icon", "desc" },
        { "ON", "Zorvel", "../bin/Hotvane", "folder", "icon", "desc" },
        { "OFF", "", "Hotvane", "folder", "icon", "desc" },
    };
    for (auto const& args : cases)
        EXPECT_EQ(run(args), 2) << (args.empty() ? "(none)" : args[0]) << " with " << args.size() << " arguments";
    EXPECT_TRUE(nothing_started());
    EXPECT_EQ(live_log(), "");
    auto const log = swap_log();
    ASSERT_EQ(log.size(), cases.size());
    for (auto const& line : log) {
        ASSERT_GE(line.size(), 3u);
        EXPECT_EQ(line[1], "VxSwap");
        EXPECT_EQ(line.back().rfind("bad arguments", 0), 0u) << line.back();
    }
}

// The word and the adapter set the driver's mode; the stored mode stays as the caller wrote
// it; the program started is position 3 for ON and OFFON and position 2 for OFF.
TEST_F(VxSwapTest, WordAndAdapterSetTheModeAndChooseTheProgram)
{
    struct Case {
        char const* word;
        char const* adapter;
        unsigned stored_before;
        bool hosted_before;
        char const* mode_line;
        char const* program;
        char const* hosted_after;
    };
    Case const cases[] {
        { "ON", "Simulated 802.11n Adapter", 1, false, "mode 1 (stored 1)", "Hotvane", "stopped" },
        // From access point client mode to access point mode: the hosted network stops.
        { "OFFON", "Simulated 802.11n Adapter", 1, true, "mode 1 (stored 1)", "Hotvane", "stopped" },
        { "ON", kVirtualAdapter, 2, true, "mode 2 (stored 2)", "Hotvane", "running" },
        { "OFFON", kVirtualAdapter, 2, true, "mode 2 (stored 2)", "Hotvane", "running" },
        { "OFF", kVirtualAdapter, 0, true, "mode 0 (stored 0)", "Zorvel", "stopped" },
        { "OFF", "Simulated 802.11n Adapter", 0, false, "mode 0 (stored 0)", "Zorvel", "stopped" },
        // The stored mode is the caller's, even when it does not match the switch.
        { "ON", "Simulated 802.11n Adapter", 0, false, "mode 1 (stored 0)", "Hotvane", "stopped" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.word) + " " + c.adapter);
        fs::remove_all(m_root / "store");
        fs::remove(m_bin / "Zorvel.started");
        fs::remove(m_bin / "Hotvane.started");
        seed_store(c.stored_before, c.hosted_before);
        EXPECT_EQ(run({ c.word, "Zorvel", "Hotvane", "Folder", "Icon", c.adapter }), 0);
        EXPECT_EQ(started(c.program), m_bin.string() + " 0");
        std::string const list = wlansim_list();
        EXPECT_NE(list.find(c.mode_line), std::string::npos) << list;
        EXPECT_NE(list.find(std::string("hosted network: ") + c.hosted_after), std::string::npos) << list;
        auto const log = swap_log();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_NE(log[0].back().find(std::string("started ") + c.program), std::string::npos) << log[0].back();
    }
}

TEST_F(VxSwapTest, ArgumentsAreLoggedAsReceivedUnderTheNameItRanAs)
{
    // Started as the utilities name it, the switcher logs its plain name.
    fs::copy_file(m_bin / "VxSwap", m_bin / "VxSwap.exe");
    EXPECT_EQ(run({ "OFF", "Zorvel" }, "VxSwap.exe"), 2);
    ASSERT_EQ(swap_log().size(), 1u);
    EXPECT_EQ(swap_log()[0][1], "VxSwap");
    fs::remove(m_root / "store" / "swap.log");

    std::vector<std::string> const args { "ON", "Zorvel", "Hot vane \"x\" $(touch pwned)", "My 'Folder'", "Icon\tTab",
        "Adapter $(id) `id` \\ ; |" };
    EXPECT_EQ(run(args, "VxSwapEx"), 4);
    auto const log = swap_log();
    ASSERT_EQ(log.size(), 1u);
    ASSERT_EQ(log[0].size(), 9u);
    EXPECT_EQ(log[0][1], "VxSwapEx");
    EXPECT_EQ(log[0][2], "ON");
    EXPECT_EQ(log[0][3], "Zorvel");
    EXPECT_EQ(log[0][4], "Hot vane \"x\" $(touch pwned)");
    EXPECT_EQ(log[0][5], "My 'Folder'");
    EXPECT_EQ(log[0][6], "Icon\\tTab");
    EXPECT_EQ(log[0][7], "Adapter $(id) `id` \\\\ ; |");
    // The program is missing: the mode was set all the same, and no shell ran the text.
    EXPECT_NE(log[0][8].find("not found"), std::string::npos) << log[0][8];
    EXPECT_NE(live_log().find("mode ap\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_bin / "pwned"));
    EXPECT_TRUE(nothing_started());
}

TEST_F(VxSwapTest, WaitsForTheUtilityToEndBeforeSwitching)
{
    HANDLE const mutex = CreateMutex(nullptr, FALSE, "KT90");
    ASSERT_NE(mutex, nullptr);
    pid_t const pid = start("VxSwap", { "OFF", "Zorvel", "Zorvel", "F", "I", kVirtualAdapter });
    // Still waiting while the object is held, with nothing changed.
    EXPECT_EQ(wait_exit(pid, 300), std::nullopt);
    EXPECT_TRUE(nothing_started());
    EXPECT_EQ(live_log(), "");
    CloseHandle(mutex);
    EXPECT_EQ(wait_exit(pid, 5000), 0);
    EXPECT_EQ(started("Zorvel"), m_bin.string() + " 0");
    EXPECT_NE(live_log().find("mode station\n"), std::string::npos);
}

TEST_F(VxSwapTest, AUtilityThatNeverEndsLeavesEverythingAsItWas)
{
    ::setenv("VXSWAP_WAIT_MS", "200", 1);
    HANDLE const mutex = CreateMutex(nullptr, FALSE, "KT90");
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(run({ "ON", "Zorvel", "Hotvane", "F", "I", "desc" }), 3);
    CloseHandle(mutex);
    EXPECT_TRUE(nothing_started());
    EXPECT_EQ(live_log(), "");
    auto const log = swap_log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].back().find("KT90"), std::string::npos) << log[0].back();
}

}
