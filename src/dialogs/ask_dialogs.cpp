// The one-value dialogs: [AskFor] (template 23), [FromList] and
// [FromLongList] (24, 25) and [FromCombo] (26).
#include "dialogs/ask_dialogs.h"

#include "dialogs/sect_dialog.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

// A dialog's record and the answer it gives back (the default until OK).
struct AskStruct {
    ReadSectStruct *pSect;
    UINT uIdDialog;
    char szAnswer[kcchListResponse];
    HFONT hFont;
};

int fnFindDefaultLine(const char *pszList, const char *pszDefault, char *pszLine, size_t cchLine)
{
    if (pszLine && cchLine)
        pszLine[0] = '\0';
    size_t cchDefault = strlen(pszDefault);
    int iIndex = 0;
    for (const char *p = pszList; *p; iIndex++) {
        const char *pszEnd = strstr(p, "\r\n");
        size_t cch = pszEnd ? (size_t)(pszEnd - p) : strlen(p);
        if (cchDefault && cch >= cchDefault && fnTextEqualNI(p, pszDefault, cchDefault)) {
            if (pszLine)
                fnCopyTextN(pszLine, cchLine, p, cch);
            return iIndex;
        }
        if (!pszEnd)
            break;
        p = pszEnd + 2;
    }
    return -1;
}

// Adds each CR LF line of the list to the list or combo control.
static void fnFillList(HWND hCtl, const char *pszList, UINT uAddMsg)
{
    char szItem[kcchSectMsg * 4];
    for (const char *p = pszList; *p;) {
        const char *pszEnd = strstr(p, "\r\n");
        size_t cch = pszEnd ? (size_t)(pszEnd - p) : strlen(p);
        fnCopyTextN(szItem, COUNTOF(szItem), p, cch);
        SendMessageA(hCtl, uAddMsg, 0, (LPARAM)szItem);
        if (!pszEnd)
            break;
        p = pszEnd + 2;
    }
}

static int fnDialogCancel(HWND hDlg, UINT uMsg)
{
    // Closing the window leaves without the question.
    if (uMsg == WM_CLOSE) {
        g_bUserCancelled = TRUE;
        EndDialog(hDlg, IDCANCEL);
        return 1;
    }
    if (fnConfirmCancel(hDlg))
        EndDialog(hDlg, IDCANCEL);
    return 1;
}

// ---- [AskFor] ------------------------------------------------------------

static INT_PTR CALLBACK fnAskForProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    AskStruct *pAsk = fnDialogRecord<AskStruct>(hDlg, uMsg, lParam);
    switch (uMsg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(hDlg, IDC_ASK_MSG1, pAsk->pSect->szMsg[0]);
        SetDlgItemTextA(hDlg, IDC_ASK_MSG2, pAsk->pSect->szMsg[1]);
        SetDlgItemTextA(hDlg, IDC_ASK_PROMPT, pAsk->pSect->szPrompt);
        SendDlgItemMessageA(hDlg, IDC_ASK_EDIT, EM_LIMITTEXT, kcchAskAnswer - 1, 0);
        SetDlgItemTextA(hDlg, IDC_ASK_EDIT, pAsk->szAnswer);
        fnEnableOkOnText(hDlg, IDC_ASK_EDIT);
        fnStartSectDialog(hDlg, pAsk->pSect);
        SetFocus(GetDlgItem(hDlg, IDC_ASK_EDIT));
        SendDlgItemMessageA(hDlg, IDC_ASK_EDIT, EM_SETSEL, 0, -1);
        return FALSE;  // the focus is set
    case WM_CLOSE:
        return fnDialogCancel(hDlg, uMsg);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ASK_EDIT:
            if (HIWORD(wParam) == EN_CHANGE)
                fnEnableOkOnText(hDlg, IDC_ASK_EDIT);
            return TRUE;
        case IDOK:
            GetDlgItemTextA(hDlg, IDC_ASK_EDIT, pAsk->szAnswer, kcchAskAnswer);
            EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:
            return fnDialogCancel(hDlg, uMsg);
        case IDC_SECT_HELP:
            fnShowSectHelp(hDlg, pAsk->pSect);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int fnReadAskFors(HWND hwndParent, ReadSectStruct *pSect)
{
    AskStruct ask = {pSect, IDD_ASKFOR, "", NULL};
    fnCopyText(ask.szAnswer, kcchAskAnswer, fnSectDefault(pSect));
    TRACE("fnReadAskFors", "nNum=%u,\nszDefault=%s", pSect->nNum, ask.szAnswer);
    INT_PTR iRC = fnShowSectDialog(IDD_ASKFOR, hwndParent, fnAskForProc, (LPARAM)&ask,
                                   ask.szAnswer[0] ? IDOK : kDialogNoSafeAnswer, "AskFor");
    if (iRC == IDCANCEL)
        return 7;
    if (iRC != IDOK)
        return 0;
    if (pSect->nNum < kuAnswers)
        fnCopyText(g_szAskForResponse[pSect->nNum], COUNTOF(g_szAskForResponse[pSect->nNum]), ask.szAnswer);
    fnLogLine("AskFor%u=%s", 1, pSect->nNum + 1, ask.szAnswer);
    return 1;
}

// ---- [FromList], [FromLongList], [FromCombo] -----------------------------

static int fnIsCombo(const AskStruct *pAsk) { return pAsk->uIdDialog == IDD_FROMCOMBO; }

static void fnInitListDialog(HWND hDlg, AskStruct *pAsk)
{
    ReadSectStruct *pSect = pAsk->pSect;
    int bCombo = fnIsCombo(pAsk);
    SetDlgItemTextA(hDlg, bCombo ? IDC_COMBO_MSG : IDC_LIST_MSG, pSect->szMessage);
    SetDlgItemTextA(hDlg, bCombo ? IDC_COMBO_PROMPT : IDC_LIST_PROMPT, pSect->szPrompt);
    HWND hCtl = GetDlgItem(hDlg, bCombo ? IDC_COMBO_BOX : IDC_LIST_BOX);
    fnFillList(hCtl, pSect->szList, bCombo ? CB_ADDSTRING : LB_ADDSTRING);
    int iDefault = fnFindDefaultLine(pSect->szList, fnSectDefault(pSect), NULL, 0);
    if (bCombo) {
        SendMessageA(hCtl, CB_LIMITTEXT, kcchListResponse - 1, 0);
        if (iDefault >= 0)
            SendMessageA(hCtl, CB_SETCURSEL, (WPARAM)iDefault, 0);
        return;
    }
    // Fixed-width lines let a list show columns.
    HDC hdc = GetDC(hDlg);
    int iPixelsY = hdc ? GetDeviceCaps(hdc, LOGPIXELSY) : 96;
    if (hdc)
        ReleaseDC(hDlg, hdc);
    pAsk->hFont = CreateFontA(-MulDiv(8, iPixelsY, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                              ANSI_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN, "Courier New");
    if (pAsk->hFont) {
        SendMessageA(hCtl, WM_SETFONT, (WPARAM)pAsk->hFont, FALSE);
        SendDlgItemMessageA(hDlg, IDC_LIST_CURRENT, WM_SETFONT, (WPARAM)pAsk->hFont, FALSE);
    }
    SendDlgItemMessageA(hDlg, IDC_LIST_CURRENT, EM_LIMITTEXT, kcchListResponse - 1, 0);
    if (iDefault >= 0) {
        SendMessageA(hCtl, LB_SETCURSEL, (WPARAM)iDefault, 0);
        SetDlgItemTextA(hDlg, IDC_LIST_CURRENT, pAsk->szAnswer);
    }
    fnEnableOkOnText(hDlg, IDC_LIST_CURRENT);
}

// The text of the line chosen in a list or combo box, cut to cchOut: 1, or
// 0 when no line is chosen.
static int fnChosenLine(HWND hCtl, BOOL bCombo, char *pszOut, size_t cchOut)
{
    LRESULT iSel = SendMessageA(hCtl, bCombo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    if (iSel < 0)
        return 0;
    LRESULT cch = SendMessageA(hCtl, bCombo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, (WPARAM)iSel, 0);
    if (cch < 0 || cch >= kcchSectText)
        return 0;
    char szItem[kcchSectText];
    SendMessageA(hCtl, bCombo ? CB_GETLBTEXT : LB_GETTEXT, (WPARAM)iSel, (LPARAM)szItem);
    fnCopyText(pszOut, cchOut, szItem);
    return 1;
}

// The list line chosen goes into "Current selection".
static void fnListChosen(HWND hDlg)
{
    char szItem[kcchListResponse];
    if (fnChosenLine(GetDlgItem(hDlg, IDC_LIST_BOX), FALSE, szItem, COUNTOF(szItem)))
        SetDlgItemTextA(hDlg, IDC_LIST_CURRENT, szItem);
}

// A combo line chosen is the answer at once, before OK (which takes the
// combo's text, chosen or typed).
static void fnComboChosen(HWND hDlg, const AskStruct *pAsk)
{
    unsigned nNum = pAsk->pSect->nNum;
    char szItem[kcchListResponse];
    if (nNum >= kuAnswers || !fnChosenLine(GetDlgItem(hDlg, IDC_COMBO_BOX), TRUE, szItem, COUNTOF(szItem)))
        return;
    fnCopyText(g_szFromComboResponse[nNum], COUNTOF(g_szFromComboResponse[nNum]), szItem);
    TRACE("fnReadFromList", "nNum=%u,\nchosen=%s", nNum, szItem);
}

// OK: 1 the answer is taken, 0 refused (the dialog stays).
static int fnTakeListAnswer(HWND hDlg, AskStruct *pAsk)
{
    char szText[kcchListResponse];
    if (fnIsCombo(pAsk)) {
        GetDlgItemTextA(hDlg, IDC_COMBO_BOX, szText, COUNTOF(szText));
    } else {
        GetDlgItemTextA(hDlg, IDC_LIST_CURRENT, szText, COUNTOF(szText));
        if (fnTextEqualI(szText, "(Please Select)")) {
            MessageBeep(MB_ICONHAND);
            return 0;
        }
    }
    fnCopyText(pAsk->szAnswer, COUNTOF(pAsk->szAnswer), szText);
    return 1;
}

static INT_PTR CALLBACK fnFromListProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    AskStruct *pAsk = fnDialogRecord<AskStruct>(hDlg, uMsg, lParam);
    switch (uMsg) {
    case WM_INITDIALOG:
        fnInitListDialog(hDlg, pAsk);
        fnStartSectDialog(hDlg, pAsk->pSect);
        return TRUE;
    case WM_CLOSE:
        return fnDialogCancel(hDlg, uMsg);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_LIST_BOX:
            if (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK)
                fnListChosen(hDlg);
            return TRUE;
        case IDC_COMBO_BOX:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                fnComboChosen(hDlg, pAsk);
            return TRUE;
        case IDC_LIST_CURRENT:
            if (HIWORD(wParam) == EN_CHANGE)
                fnEnableOkOnText(hDlg, IDC_LIST_CURRENT);
            return TRUE;
        case IDOK:
            if (fnTakeListAnswer(hDlg, pAsk))
                EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:
            return fnDialogCancel(hDlg, uMsg);
        case IDC_SECT_HELP:
            fnShowSectHelp(hDlg, pAsk->pSect);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        if (pAsk && pAsk->hFont) {
            DeleteObject(pAsk->hFont);
            pAsk->hFont = NULL;
        }
        break;
    }
    return FALSE;
}

int fnReadFromList(HWND hwndParent, ReadSectStruct *pSect, UINT uIdDialog)
{
    AskStruct ask = {pSect, uIdDialog, "", NULL};
    int iDefault = fnFindDefaultLine(pSect->szList, fnSectDefault(pSect), ask.szAnswer, COUNTOF(ask.szAnswer));
    // A combo box takes a typed text too: its default stands even when no line has it.
    if (iDefault < 0 && uIdDialog == IDD_FROMCOMBO)
        fnCopyText(ask.szAnswer, COUNTOF(ask.szAnswer), fnSectDefault(pSect));
    int bSafe = ask.szAnswer[0] && !fnTextEqualI(ask.szAnswer, "(Please Select)");
    TRACE("fnReadFromList", "nNum=%u,\nuIdDialog=%u,\nszDefault=%s", pSect->nNum, uIdDialog, ask.szAnswer);
    INT_PTR iRC = fnShowSectDialog(uIdDialog, hwndParent, fnFromListProc, (LPARAM)&ask,
                                   bSafe ? IDOK : kDialogNoSafeAnswer, "FromList");
    if (iRC == IDCANCEL)
        return 7;
    if (iRC != IDOK || pSect->nNum >= kuAnswers)
        return iRC == IDOK ? 1 : 0;
    char (*aszTable)[kcchListResponse] = uIdDialog == IDD_FROMCOMBO ? g_szFromComboResponse : g_szFromListResponse;
    fnCopyText(aszTable[pSect->nNum], kcchListResponse, ask.szAnswer);
    fnLogLine("%s%u=%s", 1, uIdDialog == IDD_FROMCOMBO ? "FromCombo" : "FromList", pSect->nNum + 1, ask.szAnswer);
    return 1;
}
