// The four working pages as the user sees them on the default world: each one active in turn,
// a snapshot written beside the test binary ("hotvane_sheet_snapshots/<page>") for review by
// eye, and its window tree checked for what the page lists.
#include "PagesFixture.h"

#include "platform/display/Snapshots.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace hotvane;

namespace {

std::string snapshot(std::string const& name)
{
    platform::testing::pump_until_idle();
    std::string const folder
        = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "hotvane_sheet_snapshots" / name).string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    platform::display::write_snapshot(folder);
    std::ifstream in(folder + "/windows.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text of the control with `id` in a window tree dump: the last field of its line.
std::string control_text(std::string const& tree, int id)
{
    std::istringstream lines(tree);
    std::string const field = "\tStatic\t" + std::to_string(id) + "\t";
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("window\t", 0) == 0 && line.find(field) != std::string::npos)
            return line.substr(line.rfind('\t') + 1);
    return "(none)";
}

}

TEST_F(SheetTest, EachPageOnTheDefaultWorld)
{
    EventTable table {};
    while (G_VxApApi.VXAP_QueryEventTable(&table))
        AppendEventTable(table);
    // The library's own note, and one for the utility, which is not built here.
    std::filesystem::create_symlink(std::string(VXAPAPI_FOLDER) + "/VxAPAPI.so", m_folder + "/VxAPAPI.so");
    std::ofstream(m_folder + "/Hotvane") << "ZORVEL-VERSION-NOTE 1\nFileVersion=1.0.0.0\nLegalCopyright=Copyright (C) Tarsel\n";
    G_VxApApi.RTSSuccessCount = 1;
    G_VxApApi.RTSFailureCount = 1;
    open_sheet();
    sheet->ShowWindow(SW_SHOW);

    sheet->SetActivePage(&sheet->m_pageMacTable);
    world("sta-join tablet");
    advance(2000);
    std::string tree = snapshot("station-table");
    EXPECT_NE(tree.find("02-30-00-00-00-04\t4\tNo\t"), std::string::npos) << tree;

    sheet->SetActivePage(&sheet->m_pageEventLog);
    world("sta-leave printer");
    G_VxApApi.VXAP_QueryEventTable(&table);
    AppendEventTable(table);
    advance(2000);
    tree = snapshot("event-log");
    EXPECT_NE(tree.find("Access point started"), std::string::npos) << tree;
    EXPECT_NE(tree.find(" 02-30-00-00-00-03 left"), std::string::npos) << tree;

    sheet->SetActivePage(&sheet->m_pageStatistic);
    world("softap counters 12345");
    advance(2000);
    tree = snapshot("statistics");
    EXPECT_NE(tree.find("RTS Frames Fail To Receive CTS"), std::string::npos) << tree;

    sheet->SetActivePage(&sheet->m_pageAbout);
    tree = snapshot("about");
    EXPECT_NE(tree.find("00-1A-2B-3C-4D-5E"), std::string::npos) << tree;
    EXPECT_NE(tree.find("192.168.1.23"), std::string::npos) << tree;
    EXPECT_EQ(control_text(tree, CAboutPage::IDC_UTILITY), "1.0.0.0");
    EXPECT_NE(control_text(tree, CAboutPage::IDC_LIBRARY), "") << "the library carries its version note";
}
