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
        page_case<CProfileEditorDlg>("profile editor", true),
        page_case<CSecurityEditorDlg>("security editor", true),
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

TEST_F(ProfilePagesTest, CoreFlagsStartCleared)
{
    CPageProfileDlg page(&parent);
    EXPECT_TRUE(page.m_strProfile.IsEmpty());
    EXPECT_EQ(page.m_bActiveProfile, 0);
    EXPECT_EQ(page.m_bConnectFromSurvey, 0);
}
