// The string table: choice of the language file, the character sets, empty and absent keys,
// and the shipped English file.
#include "station/core/UiStr.h"
#include "station/core/tests/CoreTestSupport.h"

#include "platform/system/Profile.h"

#include <algorithm>
#include <cstring>
#include <set>

using station::testing::ProgramFolder;

namespace {

std::string lang_file(const char* charset, const char* disconnected)
{
    return std::string("[Font]\nCharSet=") + charset + "\nFaceName=Test Sans\n[Strings]\nIDS_DISCONNECTED=" + disconnected
        + "\nIDS_CONNECTED=\nSTR_FAILED=Failed\n";
}

// The members in key order.
#define UISTR_MEMBER_POINTER(key) &CUISTR::key,
std::string CUISTR::* const kMembers[] = { CUISTR_KEYS(UISTR_MEMBER_POINTER) };
#undef UISTR_MEMBER_POINTER

}

TEST(UiStr, ReadsTheSystemLanguagesFileOrFallsBackToEnglish)
{
    ProgramFolder folder;
    folder.write("Languages/Lang0409.ini", lang_file("ANSI_CHARSET", "Disconnected"));
    folder.write("Languages/Lang0404.ini", lang_file("CHINESEBIG5_CHARSET", "未連線"));
    CUISTR table;
    table.load_from(folder.path() + "/", "0404");
    EXPECT_EQ(table.IDS_DISCONNECTED, "未連線");
    EXPECT_EQ(table.nCharSet, 136);
    EXPECT_EQ(table.strFaceName, "Test Sans");
    table.load_from(folder.path() + "/", "0804");
    EXPECT_EQ(table.IDS_DISCONNECTED, "Disconnected");
    EXPECT_EQ(table.nCharSet, 0);
    EXPECT_EQ(table.STR_FAILED, "Failed");
}

TEST(UiStr, GetStringUsesTheLocaleAndTheProgramFolder)
{
    ProgramFolder folder;
    folder.write("Languages/Lang0404.ini", lang_file("DEFAULT_CHARSET", "Traditional"));
    ::setenv("LC_ALL", "zh_TW.UTF-8", 1);
    EXPECT_EQ(station::core::system_language_digits(), "0404");
    CUISTR table;
    EXPECT_EQ(table.GetString(), 1);
    EXPECT_EQ(table.IDS_DISCONNECTED, "Traditional");
    EXPECT_EQ(table.path(), folder.path() + "/Languages/Lang0404.ini");
    ::unsetenv("LC_ALL");
}

TEST(UiStr, EmptyAndAbsentKeysAndBothFilesMissing)
{
    ProgramFolder folder;
    folder.write("Languages/Lang0409.ini", lang_file("DEFAULT_CHARSET", "x"));
    CUISTR table;
    EXPECT_EQ(table.nCharSet, 0);
    EXPECT_EQ(table.IDS_DISCONNECTED, "");
    table.load_from(folder.path() + "/", "0409");
    EXPECT_EQ(table.IDS_CONNECTED, "") << "present with an empty value";
    EXPECT_EQ(table.IDS_TRAY_EXIT, "") << "absent";

    ProgramFolder empty;
    CUISTR none;
    none.load_from(empty.path() + "/", "0407");
    EXPECT_EQ(none.nCharSet, 1);
    EXPECT_EQ(none.strFaceName, "Trebuchet MS");
    EXPECT_EQ(none.IDS_DISCONNECTED, "");
    EXPECT_EQ(none.path(), empty.path() + "/Languages/Lang0409.ini");
}

TEST(UiStr, CharacterSetNamesAreCaseSensitive)
{
    ProgramFolder folder;
    struct Case {
        const char* name;
        int value;
    } const cases[] = { { "ANSI_CHARSET", 0 }, { "ansi_charset", 1 }, { "DEFAULT_CHARSET", 1 }, { "HANGUL_CHARSET", 129 },
        { "HANGEUL_CHARSET", 129 }, { "SHIFTJIS_CHARSET", 128 }, { "GB2312_CHARSET", 134 }, { "OEM_CHARSET", 255 },
        { "THAI_CHARSET", 222 }, { "NO_SUCH_CHARSET", 1 }, { "", 1 } };
    CUISTR table;
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write("lang.ini", std::string("[Font]\nCharSet=") + c.name + "\n");
        EXPECT_EQ(table.GetCharSet(folder.file("lang.ini")), c.value);
    }
}

TEST(UiStr, ValuesHoldAtMost511Characters)
{
    ProgramFolder folder;
    folder.write("Languages/Lang0409.ini", "[Strings]\nIDS_OK=" + std::string(700, 'o') + "\n");
    CUISTR table;
    table.load_from(folder.path() + "/", "0409");
    EXPECT_EQ(table.IDS_OK.size(), 511u);
}

// The table reads its section at once; each member must hold what a read of its own key gives.
TEST(UiStr, EveryMemberHoldsWhatAReadOfItsKeyGives)
{
    ProgramFolder folder;
    folder.write("Languages/Lang0409.ini",
        "; comment\n[Strings]\nids_ok = lower case key \nIDS_CANCEL=\"quoted\"\nIDS_CANCEL=second\n"
        "IDS_BONLY=a=b\nnot an entry\nIDS_GONLY\n[Other]\nIDS_AONLY=other section\n[strings]\nIDS_ABGMIX=again\n"
        "[Strings]\nIDS_APPLY=later section\n");
    std::string const path = folder.path() + "/Languages/Lang0409.ini";
    CUISTR table;
    table.load_from(folder.path() + "/", "0409");
    for (std::size_t i = 0; i < station::core::kUiStringKeyCount; ++i) {
        const char* key = station::core::kUiStringKeys[i];
        SCOPED_TRACE(key);
        char value[512];
        GetPrivateProfileString("Strings", key, "", value, sizeof(value), path.c_str());
        EXPECT_EQ(table.*kMembers[i], value);
    }
    EXPECT_EQ(table.IDS_OK, "lower case key");
    EXPECT_EQ(table.IDS_CANCEL, "quoted");
    EXPECT_EQ(table.IDS_BONLY, "a=b");
}

TEST(ShippedLanguageFile, HasATextForEveryKey)
{
    std::string const path = STATION_RESOURCES_DIR "/Languages/Lang0409.ini";
    std::vector<char> buffer(1 << 16);
    DWORD const n = GetPrivateProfileString("Strings", nullptr, "", buffer.data(), DWORD(buffer.size()), path.c_str());
    std::set<std::string> present;
    for (const char* p = buffer.data(); p < buffer.data() + n && *p; p += std::strlen(p) + 1)
        present.insert(p);
    EXPECT_EQ(station::core::kUiStringKeyCount, 656u);
    std::set<std::string> const format_keys { "IDS_VEXLOR_GOOD", "IDS_VEXLOR_NORMAL", "IDS_VEXLOR_WEAK",
        "IDS_VEXLOR_WEP_ERROR", "IDS_WHITE_VEXLOR_GOOD", "IDS_WHITE_VEXLOR_NORMAL", "IDS_WHITE_VEXLOR_WEAK",
        "IDS_WHITE_VEXLOR_WEP_ERROR" };
    CUISTR table;
    table.load_from(std::string(STATION_RESOURCES_DIR) + "/", "0409");
    EXPECT_EQ(table.nCharSet, 1);
    for (std::size_t i = 0; i < station::core::kUiStringKeyCount; ++i) {
        std::string const key = station::core::kUiStringKeys[i];
        SCOPED_TRACE(key);
        EXPECT_TRUE(present.count(key));
        char value[512];
        GetPrivateProfileString("Strings", key.c_str(), "", value, sizeof(value), path.c_str());
        std::string const text = value;
        EXPECT_FALSE(text.empty());
        std::size_t const conversions = std::size_t(std::count(text.begin(), text.end(), '%'));
        if (format_keys.count(key)) {
            EXPECT_EQ(conversions, 1u);
            EXPECT_NE(text.find("%s"), std::string::npos);
        } else {
            EXPECT_EQ(text.find("%s"), std::string::npos);
        }
    }
    EXPECT_EQ(table.IDS_VEXLOR_GOOD.find("%s") != std::string::npos, true);
}
