#include "run/message.h"

#include "run/run_state.h"
#include "run/text.h"
#include "run/window.h"
#include "resource.h"

void fnInitMessage(MessageStruct *pMsg, unsigned uPosition)
{
    memset(pMsg, 0, sizeof(*pMsg));
    pMsg->uPosition = uPosition;
    pMsg->bTopMost = TRUE;
}

// The text is wrapped inside a margin: Wine's font rendering draws a long
// line a little wider than the width it was wrapped to, and a static control
// would cut the end of such a line.
void fnMessageTextArea(HWND hwndText, RECT *prcArea)
{
    GetClientRect(hwndText, prcArea);
    int cxInset = 2 + prcArea->right / 25;
    prcArea->left += cxInset;
    prcArea->right -= cxInset;
}

// The text of the control laid out in rcArea: its height, and drawn when hdc
// is given (else only measured).
static int fnLayOutText(HWND hwndText, HDC hdc, RECT rcArea, UINT uAlign, BOOL bDraw)
{
    int cchText = GetWindowTextLengthA(hwndText);
    if (cchText <= 0)
        return 0;
    char *pszText = (char *)HeapAlloc(GetProcessHeap(), 0, (SIZE_T)cchText + 1);
    if (!pszText)
        return 0;
    GetWindowTextA(hwndText, pszText, cchText + 1);
    HGDIOBJ hfontOld = SelectObject(hdc, (HFONT)SendMessageA(hwndText, WM_GETFONT, 0, 0));
    UINT uFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | uAlign;
    RECT rcCalc = rcArea;
    DrawTextA(hdc, pszText, -1, &rcCalc, uFormat | DT_CALCRECT);
    int cyText = rcCalc.bottom - rcCalc.top;
    if (bDraw) {
        // A centred text also sits in the middle vertically.
        if (uAlign == DT_CENTER && cyText < rcArea.bottom - rcArea.top)
            rcArea.top += ((rcArea.bottom - rcArea.top) - cyText) / 2;
        DrawTextA(hdc, pszText, -1, &rcArea, uFormat);
    }
    SelectObject(hdc, hfontOld);
    HeapFree(GetProcessHeap(), 0, pszText);
    return cyText;
}

int fnDrawMessageText(const DRAWITEMSTRUCT *pDraw, UINT uAlign)
{
    FillRect(pDraw->hDC, &pDraw->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(pDraw->hDC, TRANSPARENT);
    SetTextColor(pDraw->hDC, GetSysColor(COLOR_WINDOWTEXT));
    RECT rcArea;
    fnMessageTextArea(pDraw->hwndItem, &rcArea);
    fnLayOutText(pDraw->hwndItem, pDraw->hDC, rcArea, uAlign, TRUE);
    return TRUE;
}

int fnFitTextHeight(HWND hDlg, int iIdText)
{
    HWND hwndText = GetDlgItem(hDlg, iIdText);
    if (!hwndText)
        return 0;
    RECT rcText;
    fnMessageTextArea(hwndText, &rcText);
    int cyHave = rcText.bottom;
    HDC hdc = GetDC(hwndText);
    rcText.bottom = fnLayOutText(hwndText, hdc, rcText, DT_LEFT, FALSE);
    ReleaseDC(hwndText, hdc);

    int cyGrow = rcText.bottom - cyHave;
    if (cyGrow <= 0)
        return 0;
    // Never beyond the work area: a text longer than that is cut at the bottom.
    RECT rcArea, rcDlg;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0))
        GetWindowRect(GetDesktopWindow(), &rcArea);
    GetWindowRect(hDlg, &rcDlg);
    int cyRoom = (rcArea.bottom - rcArea.top) - (rcDlg.bottom - rcDlg.top);
    if (cyGrow > cyRoom)
        cyGrow = cyRoom > 0 ? cyRoom : 0;
    if (cyGrow == 0)
        return 0;
    RECT rcCtl;
    GetWindowRect(hwndText, &rcCtl);
    SetWindowPos(hwndText, NULL, 0, 0, rcCtl.right - rcCtl.left, rcCtl.bottom - rcCtl.top + cyGrow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hDlg, NULL, 0, 0, rcDlg.right - rcDlg.left, rcDlg.bottom - rcDlg.top + cyGrow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return cyGrow;
}

// Which button stands in the upper place (OK's), which in the lower place
// (Cancel's, 0 none) and which has the focus, for each button code.
struct ButtonLayoutStruct {
    unsigned uCode;
    int iUpper;
    int iLower;
    int iFocus;
};

static const ButtonLayoutStruct g_aButtonLayouts[] = {
    {kButtonsOkCancel, IDC_MESSAGE_OK, IDC_MESSAGE_CANCEL, IDC_MESSAGE_OK},
    {kButtonsYesNo, IDC_MESSAGE_YES, IDC_MESSAGE_NO, IDC_MESSAGE_YES},
    {kButtonsOkExit, IDC_MESSAGE_OK, IDC_MESSAGE_EXIT, IDC_MESSAGE_OK},
    {kButtonsOk, IDC_MESSAGE_OK, 0, IDC_MESSAGE_OK},
    {kButtonsContinue, IDC_MESSAGE_CONTINUE, 0, IDC_MESSAGE_CONTINUE},
    {kButtonsExit, IDC_MESSAGE_EXIT, 0, IDC_MESSAGE_EXIT},
    {kButtonsExitContinue, IDC_MESSAGE_EXIT, IDC_MESSAGE_CONTINUE, IDC_MESSAGE_EXIT},
    {kButtonsRetryContinue, IDC_MESSAGE_RETRY, IDC_MESSAGE_CONTINUE, IDC_MESSAGE_RETRY},
    {kButtonsRetryCancel, IDC_MESSAGE_RETRY, IDC_MESSAGE_CANCEL, IDC_MESSAGE_RETRY},
    {kButtonsRetryExit, IDC_MESSAGE_RETRY, IDC_MESSAGE_EXIT, IDC_MESSAGE_RETRY},
    // The only button shown is Cancel: it takes the focus, so that the
    // keyboard never works a hidden OK.
    {kButtonsCancel, IDC_MESSAGE_CANCEL, 0, IDC_MESSAGE_CANCEL},
};

static const int g_aiMessageButtons[] = {IDC_MESSAGE_OK,   IDC_MESSAGE_YES,  IDC_MESSAGE_CANCEL,  IDC_MESSAGE_NO,
                                         IDC_MESSAGE_RETRY, IDC_MESSAGE_EXIT, IDC_MESSAGE_CONTINUE};

static const ButtonLayoutStruct *fnButtonLayout(unsigned uCode)
{
    for (const ButtonLayoutStruct &layout : g_aButtonLayouts) {
        if (layout.uCode == uCode)
            return &layout;
    }
    return &g_aButtonLayouts[0];  // 112, 113 and unknown codes: OK and Cancel
}

static void fnDialogRectOf(HWND hDlg, int iId, RECT *prc)
{
    GetWindowRect(GetDlgItem(hDlg, iId), prc);
    MapWindowPoints(NULL, hDlg, (POINT *)prc, 2);
}

static void fnPutButton(HWND hDlg, int iId, const RECT *prcPlace)
{
    HWND hwndButton = GetDlgItem(hDlg, iId);
    SetWindowPos(hwndButton, NULL, prcPlace->left, prcPlace->top, prcPlace->right - prcPlace->left,
                 prcPlace->bottom - prcPlace->top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwndButton, SW_SHOW);
}

// Returns the button that gets the focus.
static int fnArrangeButtons(HWND hDlg, unsigned uCode)
{
    RECT rcUpper, rcLower;
    fnDialogRectOf(hDlg, IDC_MESSAGE_OK, &rcUpper);
    fnDialogRectOf(hDlg, IDC_MESSAGE_CANCEL, &rcLower);
    for (int iId : g_aiMessageButtons)
        ShowWindow(GetDlgItem(hDlg, iId), SW_HIDE);
    const ButtonLayoutStruct *pLayout = fnButtonLayout(uCode);
    fnPutButton(hDlg, pLayout->iUpper, &rcUpper);
    if (pLayout->iLower)
        fnPutButton(hDlg, pLayout->iLower, &rcLower);
    SendMessageA(hDlg, DM_SETDEFID, (WPARAM)pLayout->iFocus, 0);
    return pLayout->iFocus;
}

static int fnIsMessageButton(int iId)
{
    for (int iButton : g_aiMessageButtons) {
        if (iButton == iId)
            return 1;
    }
    return 0;
}

static INT_PTR CALLBACK fnMessageDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG: {
        MessageStruct *pMsg = (MessageStruct *)lParam;
        SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)pMsg);
        fnStartDialog(g_hwndMain ? g_hwndMain : GetParent(hDlg), hDlg, TRUE, FALSE);
        SetDlgItemTextA(hDlg, IDC_MESSAGE_TEXT, pMsg->szMessage);
        if (pMsg->szCaption[0])
            SetWindowTextA(hDlg, pMsg->szCaption);
        int iFocus = fnArrangeButtons(hDlg, pMsg->uButtons);
        fnFitTextHeight(hDlg, IDC_MESSAGE_TEXT);
        if (pMsg->uPosition)
            fnPlaceWindow(hDlg, pMsg->uPosition, TRUE);
        // A question nobody can see would hold the run for ever: quiet mode
        // hides dialogs, but not this one.
        if (g_bQuiet)
            ShowWindow(hDlg, SW_SHOW);
        SetFocus(GetDlgItem(hDlg, iFocus));
        return FALSE;
    }
    case WM_DRAWITEM:
        if (wParam != IDC_MESSAGE_TEXT)
            break;
        fnDrawMessageText((const DRAWITEMSTRUCT *)lParam, DT_LEFT);
        return TRUE;
    case WM_COMMAND: {
        int iId = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED || !fnIsMessageButton(iId))
            break;
        // Escape and the close box come as Cancel whatever is shown; any
        // other id counts only from a button that is shown.
        if (iId == IDC_MESSAGE_CANCEL || IsWindowVisible(GetDlgItem(hDlg, iId)))
            EndDialog(hDlg, iId);
        return TRUE;
    }
    }
    return FALSE;
}

// The button a run nobody watches presses: the one with the focus, except
// Retry, which would meet the same failure again: the lower button then.
static int fnMessageDefault(unsigned uCode)
{
    const ButtonLayoutStruct *pLayout = fnButtonLayout(uCode);
    if (pLayout->iFocus == IDC_MESSAGE_RETRY && pLayout->iLower)
        return pLayout->iLower;
    return pLayout->iFocus;
}

int fnShowMessageDialog(HWND hwndOwner, MessageStruct *pMsg)
{
    INT_PTR iRC = fnDialogBox(IDD_MESSAGE, hwndOwner, fnMessageDlgProc, (LPARAM)pMsg, fnMessageDefault(pMsg->uButtons),
                              pMsg->szMessage);
    // Exit is a person's choice to stop: the run ends as cancelled.
    if (iRC == IDC_MESSAGE_EXIT)
        g_bUserCancelled = TRUE;
    return iRC > 0 ? (int)iRC : 0;
}
