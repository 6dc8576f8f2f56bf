// The station utility's help: the window finds it in the folder of the application's help
// file path under the names "VXCONFIGENG.CHM" and "VXCONFIGCHN.CHM", and the project ships it
// as "VXCONFIGENG.html" and "VXCONFIGCHN.html".
#include "platform/framework/WinApp.h"
#include "platform/system/FileAttributes.h"
#include "platform/system/Module.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

std::string folder_at_last_backslash(LPCTSTR help_path)
{
    std::string const path = help_path ? help_path : "";
    size_t const cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

TEST(HelpFiles, HelpFilePathCutAtItsLastBackslashIsTheExecutablesFolder)
{
    CWinApp app("HelpTest");
    char executable[4096] {};
    ASSERT_GT(GetModuleFileName(nullptr, executable, sizeof executable), 0u);
    std::string const exe(executable);
    std::string const help(app.m_pszHelpFilePath);
    EXPECT_EQ(folder_at_last_backslash(app.m_pszHelpFilePath), exe.substr(0, exe.rfind('/')));
    EXPECT_EQ(help.substr(help.rfind('\\') + 1), exe.substr(exe.rfind('/') + 1) + ".HLP");

    struct Case {
        char const* executable;
        char const* help;
    };
    Case const cases[] = {
        { "/opt/zorvel/bin/Zorvel", "/opt/zorvel/bin\\Zorvel.HLP" },
        { "/opt/zorvel/bin/Zorvel.exe", "/opt/zorvel/bin\\Zorvel.HLP" },
        { "/opt/zor.vel/Zorvel", "/opt/zor.vel\\Zorvel.HLP" },
        { "/Zorvel", "\\Zorvel.HLP" },
    };
    for (Case const& c : cases)
        EXPECT_STREQ(afx_help_file_path(c.executable), c.help) << c.executable;
}

TEST(HelpFiles, ShippedHelpIsFoundUnderBothNamesTheWindowUses)
{
    for (char const* name : { "VXCONFIGENG", "VXCONFIGCHN" }) {
        SCOPED_TRACE(name);
        std::string const folder = ZORVEL_STATION_RESOURCES;
        EXPECT_TRUE(PathFileExistsA((folder + "\\" + name + ".CHM").c_str()));
        std::ifstream file(folder + "/" + name + ".html");
        std::stringstream text;
        text << file.rdbuf();
        std::string const html = text.str();
        EXPECT_NE(html.find("<html lang=\"en\">"), std::string::npos);
        EXPECT_NE(html.find("<title>Zorvel"), std::string::npos);
        EXPECT_NE(html.find("</html>"), std::string::npos);
    }
}

// The access point utility's help, found the same way in its own resource folder.
TEST(HelpFiles, ShippedAccessPointHelpIsFoundUnderBothNames)
{
    for (char const* name : { "APCONFIGENG", "APCONFIGCHN" }) {
        SCOPED_TRACE(name);
        std::string const folder = ZORVEL_ACCESSPOINT_RESOURCES;
        EXPECT_TRUE(PathFileExistsA((folder + "\\" + name + ".chm").c_str()));
        std::ifstream file(folder + "/" + name + ".html");
        std::stringstream text;
        text << file.rdbuf();
        EXPECT_NE(text.str().find("<title>Hotvane"), std::string::npos);
    }
}

}
