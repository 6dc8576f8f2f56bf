#include "platform/gdi/FontMatchCache.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;
using platform::gdi::FontMatchCache;

// Sets an environment variable for one test and puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(char const* name, std::optional<std::string> value)
        : m_name(name)
    {
        if (char const* old = std::getenv(name))
            m_old = old;
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }

private:
    char const* m_name;
    std::optional<std::string> m_old;
};

class FontMatchCacheTest : public testing::Test {
public:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("font-match-" + std::to_string(::getpid()) + "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "fonts");
        m_face = (m_dir / "fonts" / "Face-Bold.ttf").string();
        std::ofstream(m_face) << "not really a face";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string file() const { return (m_dir / "cache" / "font-matches").string(); }
    void rewrite_line(int index, std::string const& text)
    {
        std::ifstream in(file());
        std::string all, line;
        for (int i = 0; std::getline(in, line); ++i)
            all += (i == index ? text : line) + "\n";
        in.close();
        std::ofstream(file()) << all;
    }

    fs::path m_dir;
    std::string m_face;
    // The user's folders fontconfig reads point into the test's own folder.
    ScopedEnv m_config { "XDG_CONFIG_HOME", (fs::temp_directory_path() / ("font-match-config-" + std::to_string(::getpid()))).string() };
};

TEST_F(FontMatchCacheTest, AnswersKeptByOneStartAreFoundByTheNext)
{
    {
        FontMatchCache first(file());
        EXPECT_FALSE(first.warm());
        EXPECT_FALSE(first.find("Liberation Sans", true, false));
        first.remember("Liberation Sans", true, false, m_face);
        EXPECT_EQ(first.find("Liberation Sans", true, false), m_face);
    }
    FontMatchCache next(file());
    EXPECT_TRUE(next.warm());
    EXPECT_EQ(next.find("Liberation Sans", true, false), m_face);
    // Weight and slant are part of the question.
    EXPECT_FALSE(next.find("Liberation Sans", false, false));
    EXPECT_FALSE(next.find("Liberation Sans", true, true));
    EXPECT_FALSE(next.find("DejaVu Sans", true, false));
}

TEST_F(FontMatchCacheTest, AFileThatNoLongerHoldsIsNotAnswered)
{
    struct Case {
        char const* what;
        std::function<void(FontMatchCacheTest&)> change;
    };
    Case const cases[] = {
        { "another configuration's stamp", [](FontMatchCacheTest& t) { t.rewrite_line(1, "-;-;"); } },
        { "another format", [](FontMatchCacheTest& t) { t.rewrite_line(0, "font matches 0"); } },
        { "cut short", [](FontMatchCacheTest& t) { std::ofstream(t.file()) << "font matches 1\n"; } },
        { "not text", [](FontMatchCacheTest& t) { std::ofstream(t.file()) << std::string("\0\xff\n\t\t\n", 6); } },
        { "the kept font file gone", [](FontMatchCacheTest& t) { fs::remove(t.m_face); } },
        { "the user's font configuration written",
            [](FontMatchCacheTest&) {
                fs::path const folder = fs::path(std::getenv("XDG_CONFIG_HOME")) / "fontconfig";
                fs::create_directories(folder);
                std::ofstream(folder / "fonts.conf") << "<fontconfig/>\n";
            } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(m_dir / "cache");
        fs::remove_all(std::getenv("XDG_CONFIG_HOME"));
        std::ofstream(m_face) << "face";
        FontMatchCache(file()).remember("Liberation Sans", false, false, m_face);
        ASSERT_EQ(FontMatchCache(file()).find("Liberation Sans", false, false), m_face);
        c.change(*this);
        FontMatchCache after(file());
        EXPECT_FALSE(after.find("Liberation Sans", false, false));
        // A new answer is kept again over whatever the file held.
        std::ofstream(m_face) << "face";
        after.remember("Liberation Sans", false, false, m_face);
        EXPECT_EQ(FontMatchCache(file()).find("Liberation Sans", false, false), m_face);
    }
    fs::remove_all(std::getenv("XDG_CONFIG_HOME"));
}

TEST_F(FontMatchCacheTest, NamesThatCannotBeOneLineAreNotKeptAndSpoilNothing)
{
    FontMatchCache cache(file());
    cache.remember("Liberation Sans", false, false, m_face);
    cache.remember("Evil\nLiberation Sans|b", false, false, m_face);
    cache.remember("Tab\tFace", false, false, m_face);
    cache.remember("Liberation Mono", false, false, "");
    FontMatchCache next(file());
    EXPECT_EQ(next.find("Liberation Sans", false, false), m_face);
    EXPECT_FALSE(next.find("Liberation Sans", true, false));
    EXPECT_FALSE(next.find("Tab\tFace", false, false));
    EXPECT_FALSE(next.find("Liberation Mono", false, false));
}

TEST_F(FontMatchCacheTest, WithoutAFileNothingIsKept)
{
    FontMatchCache none("");
    none.remember("Liberation Sans", false, false, m_face);
    EXPECT_FALSE(none.warm());
    EXPECT_FALSE(none.find("Liberation Sans", false, false));
}

TEST_F(FontMatchCacheTest, TestsUseTheUsersCacheOnlyWhenGivenAFolder)
{
    ScopedEnv test("ZORVEL_TEST", "1");
    {
        ScopedEnv folder("ZORVEL_CACHE_DIR", std::nullopt);
        EXPECT_EQ(FontMatchCache::default_file(), "");
    }
    ScopedEnv folder("ZORVEL_CACHE_DIR", m_dir.string());
    EXPECT_EQ(FontMatchCache::default_file(), (m_dir / "font-matches").string());
}

}
