// The password-policy prompt (template 35).
#include "accounts/policy_dialog.h"

#include <string.h>

#include "run/message.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/window.h"
#include "resource.h"

namespace {

enum { kcchPolicyPassword = 49 };  // 48 characters, as the password dialog takes

struct PolicyStruct {
    const char *pszMessage;
    char *pszPassword;
    size_t cchPassword;
};

void fnInitPolicy(HWND hDlg, const PolicyStruct *pPolicy)
{
    char szText[kcchMsgMessage];
    if (pPolicy->pszMessage && pPolicy->pszMessage[0])
        fnCopyText(szText, COUNTOF(szText), pPolicy->pszMessage);
    else
        fnLoadText(IDS_PW_POLICY_DEFAULT, szText, COUNTOF(szText));
    fnStartDialog(g_hwndMain, hDlg, FALSE, FALSE);
    char szTitle[kcchMsgCaption];
    fnLoadText(IDS_PW_POLICY_TITLE, szTitle, COUNTOF(szTitle));
    SetWindowTextA(hDlg, szTitle);
    SetDlgItemTextA(hDlg, IDC_POLICY_MSG, szText);
    SendDlgItemMessageA(hDlg, IDC_POLICY_PASSWORD, EM_LIMITTEXT, kcchPolicyPassword - 1, 0);
    SendDlgItemMessageA(hDlg, IDC_POLICY_PASSWORD2, EM_LIMITTEXT, kcchPolicyPassword - 1, 0);
    SetFocus(GetDlgItem(hDlg, IDC_POLICY_PASSWORD));
}

// OK: 1 the password is taken, 0 the two entries differ (the dialog stays).
int fnTakePolicyPassword(HWND hDlg, const PolicyStruct *pPolicy)
{
    char szFirst[kcchPolicyPassword], szSecond[kcchPolicyPassword];
    GetDlgItemTextA(hDlg, IDC_POLICY_PASSWORD, szFirst, COUNTOF(szFirst));
    GetDlgItemTextA(hDlg, IDC_POLICY_PASSWORD2, szSecond, COUNTOF(szSecond));
    int bSame = strcmp(szFirst, szSecond) == 0;
    if (bSame)
        fnCopyText(pPolicy->pszPassword, pPolicy->cchPassword, szFirst);
    SecureZeroMemory(szFirst, sizeof(szFirst));
    SecureZeroMemory(szSecond, sizeof(szSecond));
    SetDlgItemTextA(hDlg, IDC_POLICY_PASSWORD, "");
    SetDlgItemTextA(hDlg, IDC_POLICY_PASSWORD2, "");
    if (!bSame)
        fnMsgBox(IDS_PW_MISMATCH, NULL, MB_OK | MB_ICONEXCLAMATION);
    return bSame;
}

INT_PTR CALLBACK fnPolicyProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    const PolicyStruct *pPolicy = (const PolicyStruct *)GetWindowLongPtrA(hDlg, DWLP_USER);
    switch (uMsg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        fnInitPolicy(hDlg, (const PolicyStruct *)lParam);
        return FALSE;  // the focus is set
    case WM_CLOSE:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && fnTakePolicyPassword(hDlg, pPolicy))
            EndDialog(hDlg, IDOK);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int fnAskPolicyPassword(HWND hwndOwner, const char *pszMessage, char *pszPassword, size_t cchPassword)
{
    if (!cchPassword)
        return 0;
    pszPassword[0] = '\0';
    PolicyStruct policy = {pszMessage, pszPassword, cchPassword};
    INT_PTR iRC = fnQuietDialogBox(IDD_PW_POLICY, hwndOwner, fnPolicyProc, (LPARAM)&policy, kDialogNoSafeAnswer,
                                   "new password for the password policy");
    if (iRC == IDOK)
        return 1;
    SecureZeroMemory(pszPassword, cchPassword);
    return 0;
}
