// The set-up of the access point utility's window tests: a manual clock, the pinned font and
// colours, Hotvane.res loaded, a program folder of its own with the English language file, a
// world and store of its own, the access point library stand-in bound through G_VxApApi and
// the string table loaded. Tests name their world by overriding scenario().
#pragma once

#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "platform/system/Module.h"
#include "station/controls/tests/UiFixture.h"
#include "station/core/IniFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

class HotvaneTest : public StationUiTest {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "hotvane-ui-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data());
        SetProgramPathForTesting(m_folder + "/Hotvane");
        std::filesystem::create_directories(m_folder + "/Languages");
        std::filesystem::copy_file(ACCESSPOINT_RESOURCES_DIR "/Languages/APStr0409.ini", m_folder + "/Languages/APStr0409.ini");
        std::ofstream(m_folder + "/world.ini") << scenario();
        ::setenv("VXSIM_SCENARIO", (m_folder + "/world.ini").c_str(), 1);
        ::setenv("VXSIM_STORE", (m_folder + "/store").c_str(), 1);
        start(ACCESSPOINT_TEST_FONT, HOTVANE_RESOURCES, { 0, 0, 640, 480 });
        ASSERT_TRUE(hotvane::G_VxApApi.Load(VXAPAPI_FOLDER "/VxAPAPI.dll"));
        hotvane::G_UiStr.load_from(m_folder + "/", "0409");
    }

    void TearDown() override
    {
        hotvane::G_VxApApi.VXAP_DeInitial();
        StationUiTest::TearDown();
        SetProgramPathForTesting("");
        ::unsetenv("VXSIM_SCENARIO");
        ::unsetenv("VXSIM_STORE");
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    // The default world unless a test names another.
    virtual std::string scenario() const
    {
        std::ifstream in(SCENARIO_DIR "/default.ini");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Waits until the library delivered everything due now.
    void settle()
    {
        auto settle = reinterpret_cast<void (*)()>(GetProcAddress(hotvane::G_VxApApi.hModule, "VXSIM_Settle"));
        settle();
        pump();
    }

    std::string m_folder;
};
