#include "platform/gdi/Testing.h"
#include "platform/gdi/tests/GdiTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string contents(std::filesystem::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A mismatch leaves the golden alone and writes what was drawn and where it differs.
TEST(Golden, MismatchWritesActualAndDiffAndKeepsTheGolden)
{
    if (char const* update = std::getenv("ZORVEL_UPDATE_GOLDENS"); update && std::string(update) == "1")
        GTEST_SKIP() << "goldens are being rewritten";
    namespace fs = std::filesystem;
    fs::path golden = "golden_probe.png";
    fs::copy_file(GDI_TEST_DIR "/goldens/captioned_window.png", golden, fs::copy_options::overwrite_existing);
    std::string before = contents(golden);
    fs::remove("golden_probe.actual.png");
    fs::remove("golden_probe.diff.png");

    PixelCanvas canvas(96, 64);
    EXPECT_FALSE(platform::gdi::testing::matches_golden(canvas.dc(), golden.string()));
    EXPECT_TRUE(fs::exists("golden_probe.actual.png"));
    EXPECT_TRUE(fs::exists("golden_probe.diff.png"));
    EXPECT_EQ(contents(golden), before);

    fs::remove("golden_probe.diff.png");
    PixelCanvas other_size(4, 4);
    EXPECT_FALSE(platform::gdi::testing::matches_golden(other_size.dc(), golden.string()));
    EXPECT_FALSE(fs::exists("golden_probe.diff.png"));
    EXPECT_FALSE(platform::gdi::testing::matches_golden(canvas.dc(), "missing_golden.png"));
    EXPECT_FALSE(fs::exists("missing_golden.png"));
}

}
