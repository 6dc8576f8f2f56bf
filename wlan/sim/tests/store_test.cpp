#include "wlan/sim/Store.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace wlan::sim;

namespace {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vxsim-store-XXXXXX";
        m_folder = ::mkdtemp(templ);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    std::string m_folder;
};

// Runs `body` in a child process and returns its exit status (or the signal that ended it).
template<typename F>
int in_child(F body)
{
    pid_t const pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

}

TEST_F(StoreTest, KeysStayInsideTheFolder)
{
    Store store(m_folder);
    EXPECT_TRUE(store.write_text("../escape/name", "x"));
    EXPECT_FALSE(std::filesystem::exists(m_folder + "/../escape"));
    EXPECT_EQ(store.read_text("../escape/name"), std::optional<std::string>("x"));
    EXPECT_EQ(store.read_u32("missing"), std::nullopt);
}

TEST_F(StoreTest, AnotherProcessSeesWhatOneWrote)
{
    int const status = in_child([&] {
        Store child(m_folder);
        WLANPROFILE p {};
        std::snprintf(p.strProfileName, sizeof p.strProfileName, "Home");
        child.save_profiles({ p });
        child.write_u32("op_mode", 2);
    });
    ASSERT_EQ(status, 0);
    Store store(m_folder);
    EXPECT_EQ(store.read_u32("op_mode"), std::optional<std::uint32_t>(2));
    auto profiles = store.profiles();
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_STREQ(profiles[0].strProfileName, "Home");
}

TEST_F(StoreTest, AKilledWriteLeavesThePreviousValue)
{
    Store store(m_folder);
    ASSERT_TRUE(store.write_text("active_profile", "Old"));
    int const status = in_child([&] {
        Store child(m_folder);
        child.set_before_rename_hook([] { ::raise(SIGKILL); });
        child.write_text("active_profile", std::string(100000, 'N'));
    });
    EXPECT_EQ(status, -SIGKILL);
    EXPECT_EQ(store.read_text("active_profile"), std::optional<std::string>("Old"));
    // The killed writer's temporary goes when the store is next opened; a live writer's
    // and files that only look alike stay.
    std::string const own = "x.tmp." + std::to_string(::getpid()) + ".0";
    for (auto const* name : { own.c_str(), "x.tmp.12.", "x.tmp.-1.0", "x.tmp", "plain" })
        std::ofstream(m_folder + "/" + name) << "stays";
    auto const names = [&] {
        std::set<std::string> out;
        for (auto const& entry : std::filesystem::directory_iterator(m_folder))
            out.insert(entry.path().filename().string());
        return out;
    };
    EXPECT_EQ(names().size(), 7u);
    Store reopened(m_folder);
    EXPECT_EQ(names(), (std::set<std::string> { "active_profile", own, "x.tmp.12.", "x.tmp.-1.0", "x.tmp", "plain" }));
}

// A key that cannot be read as a file is absent, said once on stderr; nothing throws.
// A value equal to the stored one is not written again (no temporary, no flush); a changed
// one, or one of another length, is.
TEST_F(StoreTest, OnlyAChangedValueIsWrittenAgain)
{
    Store store(m_folder);
    int writes = 0;
    store.set_before_rename_hook([&] { ++writes; });
    struct Case {
        char const* name;
        std::string value;
        int writes_after;
    };
    Case const cases[] = {
        { "first value", "Home", 1 },
        { "same value", "Home", 1 },
        { "changed value", "Away", 2 },
        { "longer value", "Away2", 3 },
        { "shorter value", "Away", 4 },
        { "empty value", "", 5 },
        { "empty again", "", 5 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(store.write_text("active_profile", c.value));
        EXPECT_EQ(writes, c.writes_after);
        EXPECT_EQ(store.read_text("active_profile"), std::optional<std::string>(c.value));
    }
}

TEST_F(StoreTest, AKeyThatIsNotAFileIsAbsent)
{
    Store store(m_folder);
    std::filesystem::create_directory(m_folder + "/radio_sw");
    testing::internal::CaptureStderr();
    EXPECT_EQ(store.read_u32("radio_sw"), std::nullopt);
    EXPECT_EQ(store.read_text("radio_sw"), std::nullopt);
    std::string const said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("radio_sw ignored: not a regular file"), std::string::npos) << said;
    EXPECT_EQ(store.read("missing"), std::nullopt);
}

TEST_F(StoreTest, ProfilesOfAWrongSizeAreIgnored)
{
    Store store(m_folder);
    store.write_text("profiles", "not a profile");
    EXPECT_TRUE(store.profiles().empty());
    store.write_text("profiles", ""); // found by the store's fuzz target
    EXPECT_TRUE(store.profiles().empty());
}
