#include "wlan/sim/ProfileStore.h"

#include "wlan/profile/ProfileFields.h"
#include "wlan/sim/Store.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace wlan::sim;
using wlan::profile::name_of;

namespace {

WLANPROFILE record(char const* name, std::uint32_t id, char const* ssid = "Net")
{
    WLANPROFILE p {};
    wlan::profile::write_text(p.strProfileName, name);
    wlan::profile::write_ssid(p, ssid);
    p.nProfileID = id;
    p.wepDefaultKey = 1;
    return p;
}

PAC_ENTRY pac(char const* name)
{
    PAC_ENTRY e {};
    std::snprintf(e.Name, sizeof e.Name, "%s", name);
    std::snprintf(e.Path, sizeof e.Path, "/pac/%s.pac", name);
    e.Value = 1;
    return e;
}

std::vector<std::string> names(ProfileStore const& s)
{
    std::vector<std::string> out;
    for (auto const& p : s.profiles())
        out.push_back(name_of(p));
    return out;
}

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

class ProfileStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vxsim-profiles-XXXXXX";
        m_folder = ::mkdtemp(templ);
        m_store = std::make_unique<Store>(m_folder + "/store");
        m_profiles = std::make_unique<ProfileStore>(*m_store);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    ProfileStore& profiles() { return *m_profiles; }
    std::string file(char const* name) const { return m_folder + "/" + name; }
    void write_bytes(std::string const& path, std::vector<std::uint8_t> const& bytes)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<char const*>(bytes.data()), std::streamsize(bytes.size()));
    }

    std::string m_folder;
    std::unique_ptr<Store> m_store;
    std::unique_ptr<ProfileStore> m_profiles;
};

}

TEST_F(ProfileStoreTest, RenameInPlaceKeepsPositionAndPacList)
{
    ASSERT_EQ(profiles().write("", record("A", 1)), 1);
    ASSERT_EQ(profiles().write("", record("B", 2)), 1);
    ASSERT_EQ(profiles().write("", record("C", 3)), 1);
    ASSERT_TRUE(profiles().set_pac_list("B", { pac("one"), pac("two") }));
    // The old name is matched without regard to case.
    EXPECT_EQ(profiles().write("b", record("Renamed", 2, "Other")), 1);
    EXPECT_EQ(names(profiles()), (std::vector<std::string> { "A", "Renamed", "C" }));
    EXPECT_EQ(profiles().pac_list("Renamed").size(), 2u);
    EXPECT_TRUE(profiles().pac_list("B").empty());
    EXPECT_EQ(wlan::profile::read_ssid(*profiles().find("renamed")), "Other");
    // An unknown old name appends.
    EXPECT_EQ(profiles().write("Nobody", record("D", 4)), 1);
    EXPECT_EQ(names(profiles()).back(), "D");
}

TEST_F(ProfileStoreTest, DuplicateNameWritesNothing)
{
    ASSERT_EQ(profiles().write("", record("Home", 1)), 1);
    ASSERT_EQ(profiles().write("", record("Work", 2)), 1);
    auto const before = m_store->read("profiles");
    EXPECT_EQ(profiles().write("", record("HOME", 3)), -16);
    EXPECT_EQ(profiles().write("Work", record("home", 2)), -16);
    EXPECT_EQ(m_store->read("profiles"), before);
    EXPECT_EQ(profiles().write("Home", record("HOME", 1)), 1); // its own name in another case
    EXPECT_TRUE(profiles().name_taken("home"));
    EXPECT_FALSE(profiles().name_taken("Cafe"));
}

TEST_F(ProfileStoreTest, RecordsAreSanitisedOnTheWayIn)
{
    WLANPROFILE p = record("Bad", 1);
    p.SSID.SsidLength = 500;
    p.nPskKeyLen = 99;
    p.wepDefaultKey = 9;
    ASSERT_EQ(profiles().write("", p), 1);
    auto const stored = m_store->profiles();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].SSID.SsidLength, 32u);
    EXPECT_EQ(stored[0].nPskKeyLen, 64u);
    EXPECT_EQ(stored[0].wepDefaultKey, 1u);
}

TEST_F(ProfileStoreTest, DeleteRemovesPacListClearsActiveNameAndRecordsTheFlag)
{
    ASSERT_EQ(profiles().write("", record("Home", 1)), 1);
    ASSERT_EQ(profiles().write("", record("Work", 2)), 1);
    ASSERT_TRUE(profiles().set_pac_list("Home", { pac("x") }));
    ASSERT_TRUE(profiles().set_active_name("Work"));
    EXPECT_TRUE(profiles().remove("home", 1));
    EXPECT_EQ(profiles().active_name(), "Work");
    EXPECT_EQ(profiles().last_delete_flag(), std::optional<std::uint32_t>(1));
    EXPECT_TRUE(profiles().pac_list("Home").empty());
    EXPECT_TRUE(profiles().remove("WORK", 0));
    EXPECT_EQ(profiles().active_name(), "");
    EXPECT_EQ(profiles().last_delete_flag(), std::optional<std::uint32_t>(0));
    EXPECT_FALSE(profiles().remove("Work", 0));
}

TEST_F(ProfileStoreTest, IdsAreTheLowestFreeFromOneTo999)
{
    EXPECT_EQ(profiles().next_id(), "1");
    EXPECT_EQ(profiles().check_id("1"), 1);
    ASSERT_EQ(profiles().write("", record("A", 1)), 1);
    ASSERT_EQ(profiles().write("", record("C", 3)), 1);
    EXPECT_EQ(profiles().next_id(), "2");
    struct Case {
        char const* text;
        int answer;
    };
    constexpr Case cases[] = { { "1", 0 }, { "2", 1 }, { "3", 0 }, { "999", 1 }, { "0", 0 }, { "1000", 0 }, { "x", 0 }, { "", 0 } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(profiles().check_id(c.text), c.answer);
    }
    std::vector<WLANPROFILE> full;
    for (std::uint32_t id = 1; id <= 999; ++id)
        full.push_back(record(("P" + std::to_string(id)).c_str(), id));
    ASSERT_TRUE(m_store->save_profiles(full));
    EXPECT_EQ(profiles().next_id(), "0");
    EXPECT_EQ(profiles().check_id("5"), 3);
    EXPECT_EQ(profiles().check_id("1000"), 3);
}

TEST_F(ProfileStoreTest, PacListsFollowTheListProtocol)
{
    ASSERT_TRUE(profiles().set_pac_list("", { pac("a"), pac("b"), pac("c") }));
    std::uint32_t count = 0;
    EXPECT_EQ(profiles().copy_pac_list("", nullptr, count), 1);
    EXPECT_EQ(count, 3u);
    PAC_ENTRY entries[3] {};
    count = 2;
    EXPECT_EQ(profiles().copy_pac_list("", entries, count), -10);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(entries[0].Name[0], '\0');
    EXPECT_EQ(profiles().copy_pac_list("", entries, count), 1);
    EXPECT_STREQ(entries[2].Name, "c");
    EXPECT_STREQ(entries[2].Path, "/pac/c.pac");
    // Unterminated texts come back terminated.
    PAC_ENTRY full {};
    std::memset(full.Name, 'n', sizeof full.Name);
    ASSERT_TRUE(profiles().set_pac_list("P", { full }));
    EXPECT_EQ(std::strlen(profiles().pac_list("p")[0].Name), 255u);
}

TEST_F(ProfileStoreTest, AWriteInterruptedBeforeItsRenameLeavesTheOldStore)
{
    ASSERT_EQ(profiles().write("", record("Old", 1)), 1);
    int const status = in_child([&] {
        Store child(m_store->folder());
        child.set_before_rename_hook([] { ::raise(SIGKILL); });
        ProfileStore(child).write("Old", record("New", 1));
    });
    EXPECT_EQ(status, -SIGKILL);
    Store reopened(m_store->folder());
    EXPECT_EQ(names(ProfileStore(reopened)), (std::vector<std::string> { "Old" }));
}

TEST_F(ProfileStoreTest, ExportDeleteImportGivesTheSameRecord)
{
    WLANPROFILE p = record("Travel", 7, "Airport");
    wlan::profile::write_psk(p, "secret-key");
    ASSERT_EQ(profiles().write("", record("Home", 1)), 1);
    ASSERT_EQ(profiles().write("", p), 1);
    ASSERT_TRUE(profiles().set_pac_list("Travel", { pac("t") }));
    auto const before = *profiles().find("Travel");
    ASSERT_EQ(profiles().export_profile("travel", file("t.prof")), 1);
    ASSERT_TRUE(profiles().remove("Travel", 0));
    EXPECT_EQ(profiles().import_profile(file("t.prof")), 0);
    auto const after = profiles().find("Travel");
    ASSERT_TRUE(after);
    EXPECT_EQ(std::memcmp(&before, &*after, sizeof before), 0);
    EXPECT_EQ(profiles().pac_list("Travel").size(), 1u);
    EXPECT_EQ(names(profiles()), (std::vector<std::string> { "Home", "Travel" }));
    EXPECT_EQ(profiles().export_profile("Nobody", file("n.prof")), 0);
    EXPECT_FALSE(std::filesystem::exists(file("n.prof")));
}

TEST_F(ProfileStoreTest, ImportAnswersEachKindOfFile)
{
    ASSERT_EQ(profiles().write("", record("Home", 1)), 1);
    ProfileFileEntry const fresh { record("Fresh", 5), {} };
    ProfileFileEntry const present { record("HOME", 9), {} };
    ProfileFileEntry const taken_id { record("Second", 1), { pac("s") } };
    auto const good = format_profile_file({ fresh });
    auto truncated = good;
    truncated.resize(good.size() - 20);
    auto corrupt = good;
    corrupt[12] ^= 0xFF; // the record size
    auto trailing = good;
    trailing.push_back(0);
    struct Case {
        char const* name;
        std::vector<std::uint8_t> bytes;
        int answer;
    };
    Case const cases[] = {
        { "no profile", format_profile_file({}), -15 },
        { "two profiles", format_profile_file({ fresh, fresh }), -14 },
        { "name present in another case", format_profile_file({ present }), -16 },
        { "truncated", truncated, -17 },
        { "corrupt header", corrupt, -17 },
        { "bytes after the end", trailing, -17 },
        { "empty file", {}, -17 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        write_bytes(file("in.prof"), c.bytes);
        EXPECT_EQ(profiles().import_profile(file("in.prof")), c.answer);
        EXPECT_EQ(profiles().profiles().size(), 1u);
    }
    EXPECT_EQ(profiles().import_profile(file("missing.prof")), -17);
    write_bytes(file("in.prof"), format_profile_file({ taken_id }));
    EXPECT_EQ(profiles().import_profile(file("in.prof")), 0);
    auto const second = profiles().find("Second");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->nProfileID, 2u);
    EXPECT_EQ(profiles().pac_list("Second").size(), 1u);
}

TEST_F(ProfileStoreTest, AnExportThatCannotBeWrittenKeepsTheOldFile)
{
    ASSERT_EQ(profiles().write("", record("Home", 1)), 1);
    write_bytes(file("old.prof"), { 'o', 'l', 'd' });
    // The system refuses the write past 100 bytes (as a full disk would), whoever runs the test.
    int const status = in_child([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit const limit { 100, 100 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(profiles().export_profile("Home", file("old.prof")));
    });
    EXPECT_EQ(status, 0);
    std::ifstream in(file("old.prof"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
    for (auto const& entry : std::filesystem::directory_iterator(m_folder))
        EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos) << entry.path();
}
