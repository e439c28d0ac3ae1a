// The option-button dialog (template 27): up to four radio buttons or check
// boxes, their states written to a row of the check-state table.
#include "dialogs/option_dialog.h"

#include "dialogs/sect_dialog.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

struct OptionStruct {
    ReadSectStruct *pSect;
    BOOL abChecked[4];  // the answer (the check states until OK)
};

unsigned fnOptionCount(const ReadSectStruct *pSect)
{
    for (unsigned u = 1; u < 4; u++)
        if (!pSect->szMsg[u][0])
            return u;
    return 4;
}

static int fnButtonId(const ReadSectStruct *pSect, unsigned u)
{
    return (pSect->uButtonType == kButtonsCheck ? IDC_OPTION_CHECK1 : IDC_OPTION_RADIO1) + (int)u;
}

// Hides what is not used and shrinks the dialog to end below the last button.
static void fnLayOutOptions(HWND hDlg, const ReadSectStruct *pSect, unsigned uCount)
{
    for (unsigned u = 0; u < 4; u++) {
        ShowWindow(GetDlgItem(hDlg, IDC_OPTION_RADIO1 + (int)u),
                   pSect->uButtonType != kButtonsCheck && u < uCount ? SW_SHOW : SW_HIDE);
        ShowWindow(GetDlgItem(hDlg, IDC_OPTION_CHECK1 + (int)u),
                   pSect->uButtonType == kButtonsCheck && u < uCount ? SW_SHOW : SW_HIDE);
    }
    if (uCount == 4)
        return;
    RECT rcLast, rcGone;
    GetWindowRect(GetDlgItem(hDlg, fnButtonId(pSect, uCount - 1)), &rcLast);
    GetWindowRect(GetDlgItem(hDlg, fnButtonId(pSect, 3)), &rcGone);
    int cyLess = rcGone.bottom - rcLast.bottom;
    static const int s_aiMoved[] = {IDOK, IDCANCEL, IDC_SECT_HELP};
    for (int iId : s_aiMoved) {
        HWND hCtl = GetDlgItem(hDlg, iId);
        RECT rc;
        GetWindowRect(hCtl, &rc);
        MapWindowPoints(NULL, hDlg, (POINT *)&rc, 2);
        SetWindowPos(hCtl, NULL, rc.left, rc.top - cyLess, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    fnShrinkDialog(hDlg, cyLess);
}

static void fnInitOptions(HWND hDlg, OptionStruct *pOpt)
{
    ReadSectStruct *pSect = pOpt->pSect;
    unsigned uCount = fnOptionCount(pSect);
    SetDlgItemTextA(hDlg, IDC_OPTION_MSG, pSect->szMessage);
    for (unsigned u = 0; u < 4; u++) {
        SetDlgItemTextA(hDlg, IDC_OPTION_RADIO1 + (int)u, pSect->szMsg[u]);
        SetDlgItemTextA(hDlg, IDC_OPTION_CHECK1 + (int)u, pSect->szMsg[u]);
        if (u < uCount)
            CheckDlgButton(hDlg, fnButtonId(pSect, u), pOpt->abChecked[u] ? BST_CHECKED : BST_UNCHECKED);
    }
    fnLayOutOptions(hDlg, pSect, uCount);
}

static INT_PTR CALLBACK fnOptionProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    OptionStruct *pOpt = fnDialogRecord<OptionStruct>(hDlg, uMsg, lParam);
    switch (uMsg) {
    case WM_INITDIALOG:
        fnInitOptions(hDlg, pOpt);
        fnStartSectDialog(hDlg, pOpt->pSect);
        return TRUE;
    case WM_CLOSE:
        return fnPersonClosed(hDlg);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            unsigned uCount = fnOptionCount(pOpt->pSect);
            for (unsigned u = 0; u < 4; u++)
                pOpt->abChecked[u] = u < uCount && IsDlgButtonChecked(hDlg, fnButtonId(pOpt->pSect, u)) == BST_CHECKED;
            EndDialog(hDlg, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            if (fnConfirmCancel(hDlg))
                EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_SECT_HELP:
            fnShowSectHelp(hDlg, pOpt->pSect);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// Radio buttons: only the highest-numbered button whose state is set starts
// checked (the first when none is).
static void fnStartStates(const ReadSectStruct *pSect, OptionStruct *pOpt)
{
    unsigned uCount = fnOptionCount(pSect);
    if (pSect->uButtonType == kButtonsCheck) {
        for (unsigned u = 0; u < uCount; u++)
            pOpt->abChecked[u] = pSect->abCheck[u];
        return;
    }
    unsigned uOn = 0;
    for (unsigned u = 0; u < uCount; u++)
        if (pSect->abCheck[u])
            uOn = u;
    pOpt->abChecked[uOn] = TRUE;
}

int fnReadOptionButtons(HWND hwndParent, ReadSectStruct *pSect)
{
    OptionStruct opt;
    memset(&opt, 0, sizeof(opt));
    opt.pSect = pSect;
    fnStartStates(pSect, &opt);
    TRACE("fnReadOptionButtons", "nNum=%u,\nuButtonType=%u,\nuCount=%u", pSect->nNum, pSect->uButtonType,
          fnOptionCount(pSect));
    INT_PTR iRC = fnShowSectDialog(IDD_OPTIONS_BUTTONS, hwndParent, fnOptionProc, (LPARAM)&opt, IDOK, "OptionButtons");
    // Yes to "Are you sure you want to exit?" ends the run here, as in every
    // other input dialog.
    if (iRC == IDCANCEL)
        return 7;
    if (iRC != IDOK)
        return 0;
    if (pSect->nNum < kuCheckGroups) {
        char *pcRow = g_cCheckStates[pSect->nNum];
        for (unsigned u = 0; u < 4; u++)
            pcRow[u] = opt.abChecked[u] ? 'Y' : 'N';
        pcRow[4] = '\0';
        fnLogLine("OptionButtons%u=%.4s", 1, pSect->nNum + 1, pcRow);
    }
    return 1;
}
