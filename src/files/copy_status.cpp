// The copy status window (dialog 4): four lines of text, a meter and Cancel.
// It is modeless; the copying loops ask it whether Cancel was confirmed.
#include "files/copy_status.h"

#include "files/install_question.h"
#include "run/controls.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/window.h"
#include "resource.h"

namespace {

INT_PTR CALLBACK fnCopyStatusProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
            // A disabled Cancel button tells the copying loops to stop.
            HWND hCancel = GetDlgItem(hDlg, IDCANCEL);
            if (IsWindowEnabled(hCancel) && fnConfirmExit())
                EnableWindow(hCancel, FALSE);
            return TRUE;
        }
        break;
    case WM_CLOSE:
        DestroyWindow(hDlg);
        return TRUE;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

HWND fnCreateCopyStatus(HWND hwndOwner)
{
    HWND hDlg = CreateDialogParamA(fnDialogInstance(), MAKEINTRESOURCEA(IDD_COPY_STATUS), hwndOwner, fnCopyStatusProc, 0);
    if (!hDlg)
        return NULL;
    SetWindowTextA(hDlg, g_szTitle[0] ? g_szTitle : "Install and Setup");
    fnPlaceWindow(hDlg, kPlaceCenter, FALSE);
    EnableWindow(GetDlgItem(hDlg, IDCANCEL), TRUE);
    for (int iId = IDC_COPY_TEXT1; iId <= IDC_COPY_TEXT4; iId++)
        SetDlgItemTextA(hDlg, iId, "");
    fnSetProgressRange(hDlg, 0);
    fnSetProgressPos(hDlg, 0);
    ShowWindow(hDlg, SW_SHOWNA);
    UpdateWindow(hDlg);
    return hDlg;
}

void fnSetStatusText(HWND hStatusDlg, int iId, UINT uFormatId, const char *pszArg)
{
    if (!hStatusDlg || !IsWindow(hStatusDlg))
        return;
    char szText[kcchMessage];
    if (uFormatId) {
        char szFormat[kcchShort];
        fnLoadText(uFormatId, szFormat, COUNTOF(szFormat));
        fnFormatText(szText, COUNTOF(szText), szFormat, pszArg ? pszArg : "");
    } else {
        fnCopyText(szText, COUNTOF(szText), pszArg ? pszArg : "");
    }
    // Setting a text redraws it at once; the same text is left standing.
    char szShown[kcchMessage] = "";
    GetDlgItemTextA(hStatusDlg, iId, szShown, COUNTOF(szShown));
    if (!strcmp(szShown, szText))
        return;
    SetDlgItemTextA(hStatusDlg, iId, szText);
}

void fnSetProgressPos(HWND hStatusDlg, unsigned uPos)
{
    if (hStatusDlg && IsWindow(hStatusDlg))
        SendDlgItemMessageA(hStatusDlg, IDC_COPY_METER, PM_SETPOS, uPos, 0);
}

void fnSetProgressRange(HWND hStatusDlg, unsigned uRange)
{
    if (hStatusDlg && IsWindow(hStatusDlg))
        SendDlgItemMessageA(hStatusDlg, IDC_COPY_METER, PM_SETRANGE, uRange, 0);
}

int fnCancelPressed(HWND hStatusDlg)
{
    if (!hStatusDlg || !IsWindow(hStatusDlg))
        return 0;
    HWND hCancel = GetDlgItem(hStatusDlg, IDCANCEL);
    return hCancel && !IsWindowEnabled(hCancel);
}
