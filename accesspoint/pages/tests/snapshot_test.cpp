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

// The configuration, security, access control and block acknowledgement windows, with the
// switches of the option file the program ships: each dialog is written while it runs.
TEST_F(SheetTest, ConfigurationWindowsOnTheDefaultWorld)
{
    G_VxApApi.ShowCountryRegion = 1;
    G_VxApApi.HTSetting = 1;
    G_VxApApi.Page11nSetting = 1;
    G_VxApApi.ProhibitTKIPonHT = 0;
    G_VxApApi.ProhibitWEPonHT = 0;
    std::string dialog_tree;
    std::string dialog_name;
    platform::user::set_modal_hook([&](HWND dialog) {
        dialog_tree = snapshot(dialog_name);
        ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    open_sheet();
    sheet->RefreshPages();
    sheet->ShowWindow(SW_SHOW);
    advance(2000);
    std::string tree = snapshot("configuration");
    EXPECT_NE(tree.find("SoftAP"), std::string::npos) << tree;

    dialog_name = "security";
    ::SendMessage(sheet->m_pageConfig.m_hWnd, WM_COMMAND, MAKEWPARAM(CConfigPage::IDC_SECURITY, BN_CLICKED), 0);
    pump();
    EXPECT_NE(dialog_tree.find(G_UiStr.IDS_OPENSYSTEM), std::string::npos) << dialog_tree;

    sheet->SetActivePage(&sheet->m_pageAccessControl);
    CAccessControlPage& acl = sheet->m_pageAccessControl;
    acl.m_cmbPolicy.SetCurSel(2);
    ::SendMessage(acl.m_hWnd, WM_COMMAND, MAKEWPARAM(CAccessControlPage::IDC_POLICY, CBN_SELCHANGE), 0);
    for (const char* digits : { "0230000000AA", "0230000000BB" }) {
        ::SetDlgItemText(acl.m_hWnd, CAccessControlPage::IDC_ENTRY, digits);
        ::SendMessage(acl.m_hWnd, WM_COMMAND, MAKEWPARAM(CAccessControlPage::IDC_ADD, BN_CLICKED), 0);
    }
    acl.m_list.SetCurSel(1);
    ::SendMessage(acl.m_hWnd, WM_COMMAND, MAKEWPARAM(CAccessControlPage::IDC_LIST, LBN_DBLCLK), 0);
    tree = snapshot("access-control-modify");
    EXPECT_NE(tree.find("0230000000BB"), std::string::npos) << tree;

    sheet->SetActivePage(&sheet->m_pageBlockAck);
    world("ba add 02:30:00:00:00:01 0 orig 32");
    advance(2000);
    tree = snapshot("block-ack");
    EXPECT_NE(tree.find("02-30-00-00-00-01"), std::string::npos) << tree;
    dialog_name = "block-ack-add";
    ::SendMessage(sheet->m_pageBlockAck.m_hWnd, WM_COMMAND, MAKEWPARAM(CBlockAck::IDC_ORIGINATOR_ADD, BN_CLICKED), 0);
    pump();
    EXPECT_NE(dialog_tree.find("02-30-00-00-00-02"), std::string::npos) << dialog_tree;
    dialog_name = "block-ack-delete";
    ::SendMessage(sheet->m_pageBlockAck.m_hWnd, WM_COMMAND, MAKEWPARAM(CBlockAck::IDC_ORIGINATOR_DELETE, BN_CLICKED), 0);
    pump();
    EXPECT_NE(dialog_tree.find("02-30-00-00-00-01"), std::string::npos) << dialog_tree;
    platform::user::set_modal_hook(nullptr);
}
