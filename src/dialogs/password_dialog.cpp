// [GetUserPW] (template 34): the user name, the password twice, an optional
// check box that keeps the default user. The password is never traced or
// logged, and every buffer that held it is wiped.
#include "dialogs/password_dialog.h"

#include "base/scrambler.h"
#include "dialogs/sect_dialog.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

struct PasswordStruct {
    ReadSectStruct *pSect;
    char szUser[kcchUserName];
    char szPassword[kcchUserName];
};

static void fnKeepDefaultUser(HWND hDlg, const PasswordStruct *pPw)
{
    BOOL bKeep = IsDlgButtonChecked(hDlg, IDC_PW_CHECK) == BST_CHECKED;
    if (bKeep)
        SetDlgItemTextA(hDlg, IDC_PW_USER, fnSectDefault(pPw->pSect));
    EnableWindow(GetDlgItem(hDlg, IDC_PW_USER), !bKeep);
}

static void fnInitPassword(HWND hDlg, PasswordStruct *pPw)
{
    ReadSectStruct *pSect = pPw->pSect;
    SetDlgItemTextA(hDlg, IDC_PW_MSG, pSect->szMessage);
    SetDlgItemTextA(hDlg, IDC_PW_USERLABEL, pSect->szMsg[0]);
    SetDlgItemTextA(hDlg, IDC_PW_PWLABEL, pSect->szMsg[1]);
    SetDlgItemTextA(hDlg, IDC_PW_PWLABEL2, pSect->szMsg[2]);
    SetDlgItemTextA(hDlg, IDC_PW_BOTTOM, pSect->szMsg[4]);
    SendDlgItemMessageA(hDlg, IDC_PW_USER, EM_LIMITTEXT, kcchUserName - 1, 0);
    SendDlgItemMessageA(hDlg, IDC_PW_PASSWORD, EM_LIMITTEXT, kcchUserName - 1, 0);
    SendDlgItemMessageA(hDlg, IDC_PW_PASSWORD2, EM_LIMITTEXT, kcchUserName - 1, 0);
    SetDlgItemTextA(hDlg, IDC_PW_USER, pPw->szUser);
    if (pSect->szMsg[3][0]) {
        SetDlgItemTextA(hDlg, IDC_PW_CHECK, pSect->szMsg[3]);
        CheckDlgButton(hDlg, IDC_PW_CHECK, pSect->abCheck[0] ? BST_CHECKED : BST_UNCHECKED);
        fnKeepDefaultUser(hDlg, pPw);
    } else {
        ShowWindow(GetDlgItem(hDlg, IDC_PW_CHECK), SW_HIDE);
    }
}

// OK: 1 the answer is taken, 0 refused with a message (the dialog stays).
static int fnTakePassword(HWND hDlg, PasswordStruct *pPw)
{
    char szFirst[kcchUserName], szSecond[kcchUserName];
    GetDlgItemTextA(hDlg, IDC_PW_PASSWORD, szFirst, COUNTOF(szFirst));
    GetDlgItemTextA(hDlg, IDC_PW_PASSWORD2, szSecond, COUNTOF(szSecond));
    int bSame = strcmp(szFirst, szSecond) == 0;
    SecureZeroMemory(szSecond, sizeof(szSecond));
    if (!bSame) {
        SecureZeroMemory(szFirst, sizeof(szFirst));
        fnMsgBox(IDS_PW_MISMATCH, pPw->pSect->szCaption, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    GetDlgItemTextA(hDlg, IDC_PW_USER, pPw->szUser, COUNTOF(pPw->szUser));
    if (!fnTrimBlanks(pPw->szUser)[0]) {
        SecureZeroMemory(szFirst, sizeof(szFirst));
        fnMsgBox(IDS_FIELD_BLANK, pPw->pSect->szCaption, MB_OK | MB_ICONEXCLAMATION, pPw->pSect->szMsg[0]);
        return 0;
    }
    fnCopyText(pPw->szPassword, COUNTOF(pPw->szPassword) - 1, szFirst);  // room for the scrambler's state byte
    SecureZeroMemory(szFirst, sizeof(szFirst));
    SetDlgItemTextA(hDlg, IDC_PW_PASSWORD, "");
    SetDlgItemTextA(hDlg, IDC_PW_PASSWORD2, "");
    return 1;
}

static INT_PTR CALLBACK fnPasswordProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    PasswordStruct *pPw = fnDialogRecord<PasswordStruct>(hDlg, uMsg, lParam);
    switch (uMsg) {
    case WM_INITDIALOG:
        fnInitPassword(hDlg, pPw);
        fnStartSectDialog(hDlg, pPw->pSect);
        return TRUE;
    case WM_CLOSE:
        return fnPersonClosed(hDlg);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PW_CHECK:
            fnKeepDefaultUser(hDlg, pPw);
            return TRUE;
        case IDOK:
            if (fnTakePassword(hDlg, pPw))
                EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:
            if (fnConfirmCancel(hDlg))
                EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_SECT_HELP:
            fnShowSectHelp(hDlg, pPw->pSect);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int fnReadAskWPW(HWND hwndParent, ReadSectStruct *pSect)
{
    PasswordStruct pw;
    memset(&pw, 0, sizeof(pw));
    pw.pSect = pSect;
    fnCopyText(pw.szUser, COUNTOF(pw.szUser), fnSectDefault(pSect));
    TRACE("fnReadAskWPW", "szDefault=%s", pw.szUser);
    INT_PTR iRC = fnShowSectDialog(IDD_GETUSERPW, hwndParent, fnPasswordProc, (LPARAM)&pw, kDialogNoSafeAnswer,
                                   "GetUserPW");
    int iResult = iRC == IDOK ? 1 : iRC == IDCANCEL ? 7 : 0;
    if (iResult == 1) {
        fnCopyText(g_szUserName, COUNTOF(g_szUserName), pw.szUser);
        fnCopyText(g_szPassword, COUNTOF(g_szPassword), pw.szPassword);
        if (g_szPassword[0] && !fnEnCryptString(g_szPassword, GetTickCount()))
            iResult = 0;
        TRACE("fnReadAskWPW", "g_szUserName=%s,\npassword=********", g_szUserName);
        fnLogLine("GetUserPW=%s", 1, g_szUserName);
    }
    SecureZeroMemory(&pw, sizeof(pw));
    return iResult;
}
