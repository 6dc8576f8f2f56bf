#include "station/core/IniFile.h"
#include "station/core/tests/CoreTestSupport.h"

#include <cstring>

using station::testing::ProgramFolder;

TEST(IniPath, ReplacesOnlyTheFileNamesExtension)
{
    struct Case {
        const char* program;
        const char* expected;
    } const cases[] = {
        { "/opt/zorvel/Zorvel", "/opt/zorvel/Zorvel.ini" },
        { "/opt/a.b/Zorvel", "/opt/a.b/Zorvel.ini" },
        { "/opt/a.b/station.exe", "/opt/a.b/station.ini" },
        { "D:\\tools\\a.b\\station.exe", "D:\\tools\\a.b\\station.ini" },
        { "/opt/x/archive.tar.gz", "/opt/x/archive.tar.ini" },
        { "Zorvel", "Zorvel.ini" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(IniPathFor(c.program, "ini"), c.expected);
    }
}

TEST(ReadIniString, ReadsTheProgramsOptionFileOrGivesTheDefault)
{
    ProgramFolder folder;
    folder.write_options("[Settings]\nDebugMode=4\nEmpty=\n");
    char value[64];
    ReadIniString("Settings", "DebugMode", "0", value, sizeof(value));
    EXPECT_STREQ(value, "4");
    ReadIniString("Settings", "Empty", "7", value, sizeof(value));
    EXPECT_STREQ(value, "");
    ReadIniString("Settings", "Missing", "7", value, sizeof(value));
    EXPECT_STREQ(value, "7");
    ReadIniString("Nowhere", "DebugMode", "x", value, sizeof(value));
    EXPECT_STREQ(value, "x");
}

TEST(ReadIniString, CutsAtTheDestinationSizeAndAt255Characters)
{
    ProgramFolder folder;
    folder.write_options("[Custom]\nLong=" + std::string(300, 'a') + "\n");
    char small[8];
    std::memset(small, '#', sizeof(small));
    ReadIniString("Custom", "Long", "", small, sizeof(small));
    EXPECT_STREQ(small, "aaaaaaa");
    char large[512];
    ReadIniString("Custom", "Long", "", large, sizeof(large));
    EXPECT_EQ(std::strlen(large), 255u);
}

TEST(ReadIniString, MissingFileGivesTheDefault)
{
    ProgramFolder folder;
    char value[16];
    ReadIniString("Settings", "DebugMode", "0", value, sizeof(value));
    EXPECT_STREQ(value, "0");
}
