// The password-policy prompt: the policy message shown, the password taken
// only when typed twice alike, nothing kept on Cancel.
#include <gtest/gtest.h>

#include <string>

#include "accounts/policy_dialog.h"
#include "run/run_state.h"
#include "resource.h"
#include "../support/modal_probe.h"

namespace {

class PolicyDialog : public ::testing::Test {
protected:
    void SetUp() override { g_bQuiet = FALSE; }
    // Types the two entries and presses uButton in the prompt; the result.
    int fnAsk(const char *pszFirst, const char *pszSecond, UINT uButton)
    {
        CModalProbe probe([&](HWND hDlg) {
            char sz[256];
            GetDlgItemTextA(hDlg, IDC_POLICY_MSG, sz, sizeof(sz));
            m_strShown = sz;
            GetWindowTextA(hDlg, sz, sizeof(sz));
            m_strTitle = sz;
            SetDlgItemTextA(hDlg, IDC_POLICY_PASSWORD, pszFirst);
            SetDlgItemTextA(hDlg, IDC_POLICY_PASSWORD2, pszSecond);
            PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(uButton, BN_CLICKED), 0);
        });
        return fnAskPolicyPassword(NULL, "", m_szPassword, sizeof(m_szPassword));
    }
    char m_szPassword[64] = "old";
    std::string m_strShown, m_strTitle;
};

TEST_F(PolicyDialog, OkTakesThePasswordTypedTwiceAlike)
{
    EXPECT_EQ(1, fnAsk("N3w-Secret", "N3w-Secret", IDOK));
    EXPECT_STREQ("N3w-Secret", m_szPassword);
    EXPECT_EQ("Password Invalid", m_strTitle);
    EXPECT_EQ("Password is not compatible with password policy - please re-enter", m_strShown);
}

TEST_F(PolicyDialog, CancelKeepsNoPassword)
{
    EXPECT_EQ(0, fnAsk("N3w-Secret", "N3w-Secret", IDCANCEL));
    EXPECT_STREQ("", m_szPassword);
}

}  // namespace
