// The page checks are shared with the survey pages' tests.
#include "station/survey/tests/PagesTableTest.h"

#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PageSSODlg.h"
#include "station/profiles/PeapSettingDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/profiles/SecurityEditorDlg.h"

namespace {

std::vector<PageCase> profile_cases()
{
    return {
        page_case<CPageProfileDlg>("profile list"),
        page_case<CPageSSODlg>("single sign-on"),
        page_case<CProfileEditorDlg>("profile editor, as tall as the lower frame"),
        page_case<CSecurityEditorDlg>("security editor, as tall as the lower frame"),
        page_case<CPeapSettingDlg>("identity prompt", true),
    };
}

}

class ProfilePagesTest : public DialogsTest { };

TEST_F(ProfilePagesTest, TemplateIdsAreTheWindowsOnes)
{
    std::pair<int, int> const ids[] = {
        { CPageProfileDlg::IDD, 114 },
        { CPageSSODlg::IDD, 435 },
        { CProfileEditorDlg::IDD, 179 },
        { CSecurityEditorDlg::IDD, 426 },
        { CPeapSettingDlg::IDD, 434 },
    };
    for (auto const& [idd, want] : ids)
        EXPECT_EQ(idd, want);
}

TEST_F(ProfilePagesTest, TemplatesExistWithTheWindowsLayout)
{
    expect_templates(profile_cases());
}

TEST_F(ProfilePagesTest, EveryDialogCreatesAsAChild)
{
    expect_pages_create(profile_cases(), parent);
}

// What the station core reads and writes before the pages do anything themselves.
TEST_F(ProfilePagesTest, CoreMembersStartAsTheCoreExpects)
{
    CPageProfileDlg page(&parent);
    EXPECT_TRUE(page.m_strProfile.IsEmpty());
    EXPECT_EQ(page.m_bActiveProfile, TRUE);
    EXPECT_EQ(page.m_bConnectFromSurvey, 0);
    EXPECT_EQ(page.m_nActionType, 0);
    ASSERT_NE(page.m_pActionProfile, nullptr);
    EXPECT_EQ(page.m_pActionProfile->nProfileID, 0u);

    CPeapSettingDlg prompt(&parent);
    ASSERT_NE(prompt.m_pProfile, nullptr);
    EXPECT_EQ(prompt.m_pProfile->chID[0], 0);

    CProfileEditorDlg editor(&parent);
    EXPECT_EQ(editor.m_pPACList, nullptr);
    EXPECT_EQ(editor.m_bNewProfile, 0);
}

TEST_F(ProfilePagesTest, ProfileListIsBoundOnCreation)
{
    CPageProfileDlg page(&parent);
    ASSERT_TRUE(page.Create(CPageProfileDlg::IDD, &parent));
    EXPECT_EQ(page.m_listProfile.m_hWnd, ::GetDlgItem(page.m_hWnd, CPageProfileDlg::IDC_LIST));
    page.DestroyWindow();
}
