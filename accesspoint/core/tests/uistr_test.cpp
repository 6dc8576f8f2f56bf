// The access point utility's string table: the choice of the language file through the
// library's existence test, the character sets, the cut of long values, a missing file, and
// the shipped English file against the key list.
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/tests/ApTestSupport.h"
#include "platform/user/Testing.h"

#include <set>

using hotvane::CUISTR;
using hotvane::G_VxApApi;
using hotvane::testing::ProgramFolder;

namespace {

std::string lang_file(char const* charset, std::string const& tray)
{
    return std::string("[Font]\nCharSet=") + charset + "\nFaceName=Test Sans\n[Strings]\nIDS_TRAY_EXIT=" + tray + "\n";
}

class ApUiStr : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        ASSERT_TRUE(G_VxApApi.Load(VXAPAPI_FOLDER "/VxAPAPI.dll"));
    }
};

}

TEST_F(ApUiStr, AMissingLanguageFallsBackToEnglishInTheSameFolder)
{
    ProgramFolder folder;
    folder.write("Languages/APStr0409.ini", lang_file("ANSI_CHARSET", "Exit"));
    folder.write("Languages/APStr0404.ini", lang_file("CHINESEBIG5_CHARSET", "結束"));
    CUISTR table;
    table.load_from(folder.path() + "/", "0804");
    EXPECT_EQ(table.IDS_TRAY_EXIT, "Exit");
    EXPECT_EQ(table.nCharSet, 0);
    EXPECT_EQ(table.path(), folder.path() + "/Languages/APStr0409.ini");
    table.load_from(folder.path() + "/", "0404");
    EXPECT_EQ(table.IDS_TRAY_EXIT, "結束");
    EXPECT_EQ(table.nCharSet, 136);
    EXPECT_EQ(table.strFaceName, "Test Sans");
}

TEST_F(ApUiStr, CharacterSetNamesAreComparedExactly)
{
    ProgramFolder folder;
    CUISTR table;
    for (auto [name, value] : { std::pair { "HANGEUL_CHARSET", 129 }, { "HANGUL_CHARSET", 129 }, { "ansi_charset", 1 },
             { "THAI_CHARSET", 222 }, { "NO_SUCH_CHARSET", 1 } }) {
        SCOPED_TRACE(name);
        folder.write("Languages/APStr0409.ini", lang_file(name, "x"));
        EXPECT_EQ(table.GetCharSet(folder.path() + "/Languages/APStr0409.ini"), value);
    }
}

TEST_F(ApUiStr, LongValuesAreCutAt511BytesWhereACharacterBegins)
{
    ProgramFolder folder;
    // 300 two-byte characters: 600 bytes; 511 would split the 256th character.
    std::string value;
    for (int i = 0; i < 300; ++i)
        value += "é";
    folder.write("Languages/APStr0409.ini", lang_file("DEFAULT_CHARSET", value));
    CUISTR table;
    table.load_from(folder.path() + "/", "0409");
    EXPECT_EQ(table.IDS_TRAY_EXIT.size(), 510u);
    EXPECT_EQ(table.IDS_TRAY_EXIT, value.substr(0, 510));
    folder.write("Languages/APStr0409.ini", lang_file("DEFAULT_CHARSET", std::string(600, 'a')));
    table.load_from(folder.path() + "/", "0409");
    EXPECT_EQ(table.IDS_TRAY_EXIT.size(), 511u);
    std::string face;
    folder.write("Languages/APStr0409.ini", "[Font]\nFaceName=" + value + "\n");
    table.GetIniString(face, "Font", "FaceName", "", folder.path() + "/Languages/APStr0409.ini");
    EXPECT_EQ(face.size(), 510u);
}

TEST_F(ApUiStr, NoFileGivesEmptyTextsAndTheDefaultFont)
{
    ProgramFolder folder;
    CUISTR table;
    table.IDS_TRAY_EXIT = "left over";
    table.load_from(folder.path() + "/", "0407");
    EXPECT_EQ(table.IDS_TRAY_EXIT, "");
    EXPECT_EQ(table.nCharSet, 1);
    EXPECT_EQ(table.strFaceName, "Trebuchet MS");
    EXPECT_EQ(table.path(), folder.path() + "/Languages/APStr0409.ini");
}

TEST_F(ApUiStr, TheShippedEnglishFileHoldsExactlyTheKeyList)
{
    std::ifstream file(ACCESSPOINT_RESOURCES_DIR "/Languages/APStr0409.ini");
    std::vector<std::string> keys;
    bool in_strings = false;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line[0] == '[')
            in_strings = line == "[Strings]";
        else if (in_strings && !line.empty() && line[0] != ';')
            keys.push_back(line.substr(0, line.find('=')));
    }
    ASSERT_EQ(keys.size(), 351u);
    std::vector<std::string> const list(hotvane::kUiStringKeys, hotvane::kUiStringKeys + hotvane::kUiStringKeyCount);
    EXPECT_EQ(keys, list) << "the file's keys in the table's order";
    // The table's own spellings.
    for (char const* key : { "IDS_LINK_THROUGHT", "IDS_RESCAANING", "IDS_SHOW_PASSWARD", "IDS_ABOUT_VERSION", "IDS_MSG_INVALID_MAXCLIENT" })
        EXPECT_NE(std::find(list.begin(), list.end(), key), list.end()) << key;

    ProgramFolder folder;
    std::ifstream shipped(ACCESSPOINT_RESOURCES_DIR "/Languages/APStr0409.ini");
    std::stringstream text;
    text << shipped.rdbuf();
    folder.write("Languages/APStr0409.ini", text.str());
    CUISTR table;
    table.load_from(folder.path() + "/", "0409");
    EXPECT_EQ(table.IDS_EVENTMSG0, "Access point started");
    EXPECT_EQ(table.IDS_KEY_LENGTH_DESCRIPTION_HEX, "%s");
    EXPECT_NE(table.IDS_MSGHEXWEPKEYINVALID.find("%d"), std::string::npos);
#define AP_NOT_EMPTY(key) EXPECT_FALSE(table.key.empty()) << #key;
    HOTVANE_UISTR_KEYS(AP_NOT_EMPTY)
#undef AP_NOT_EMPTY
}
