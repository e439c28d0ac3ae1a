#include "run/float_window.h"

#include "run/event_log.h"
#include "run/message.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

struct FloatStartStruct {
    const MessageStruct *pMsg;
    BOOL bModal;
};

static void fnDialogRect(HWND hDlg, int iId, RECT *prc)
{
    GetWindowRect(GetDlgItem(hDlg, iId), prc);
    MapWindowPoints(NULL, hDlg, (POINT *)prc, 2);
}

// Without a button text the button goes and the text box reaches to the
// button's right edge; a long button text widens the button to the left.
static void fnLayoutFloat(HWND hDlg, const char *pszButton)
{
    RECT rcText, rcButton;
    fnDialogRect(hDlg, IDC_FLOAT_TEXT, &rcText);
    fnDialogRect(hDlg, IDC_FLOAT_BUTTON, &rcButton);
    HWND hwndText = GetDlgItem(hDlg, IDC_FLOAT_TEXT);
    HWND hwndButton = GetDlgItem(hDlg, IDC_FLOAT_BUTTON);
    if (!pszButton[0]) {
        ShowWindow(hwndButton, SW_HIDE);
        SetWindowPos(hwndText, NULL, 0, 0, rcButton.right - rcText.left, rcText.bottom - rcText.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    SetWindowTextA(hwndButton, pszButton);
    HDC hdc = GetDC(hwndButton);
    HGDIOBJ hfontOld = SelectObject(hdc, (HFONT)SendMessageA(hwndButton, WM_GETFONT, 0, 0));
    RECT rcCalc = {0, 0, 0, 0};
    DrawTextA(hdc, pszButton, -1, &rcCalc, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(hdc, hfontOld);
    ReleaseDC(hwndButton, hdc);
    int cxNeed = rcCalc.right + 16;
    int cxGrow = cxNeed - (rcButton.right - rcButton.left);
    if (cxGrow <= 0)
        return;
    int iGap = rcButton.left - rcText.right;
    SetWindowPos(hwndButton, NULL, rcButton.left - cxGrow, rcButton.top, cxNeed, rcButton.bottom - rcButton.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hwndText, NULL, 0, 0, rcButton.left - cxGrow - iGap - rcText.left, rcText.bottom - rcText.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The text box shows its scroll bar only for a text longer than the box.
static void fnFitFloatScrollBar(HWND hDlg)
{
    HWND hwndText = GetDlgItem(hDlg, IDC_FLOAT_TEXT);
    int cLines = (int)SendMessageA(hwndText, EM_GETLINECOUNT, 0, 0);
    HDC hdc = GetDC(hwndText);
    HGDIOBJ hfontOld = SelectObject(hdc, (HFONT)SendMessageA(hwndText, WM_GETFONT, 0, 0));
    TEXTMETRICA tm;
    BOOL bMetrics = GetTextMetricsA(hdc, &tm);
    SelectObject(hdc, hfontOld);
    ReleaseDC(hwndText, hdc);
    RECT rcClient;
    GetClientRect(hwndText, &rcClient);
    if (bMetrics && tm.tmHeight > 0 && cLines * tm.tmHeight <= rcClient.bottom)
        ShowScrollBar(hwndText, SB_VERT, FALSE);
}

static INT_PTR CALLBACK fnFloatDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG: {
        const FloatStartStruct *pStart = (const FloatStartStruct *)lParam;
        SetWindowLongPtrA(hDlg, DWLP_USER, pStart->bModal);
        SetWindowTextA(hDlg, pStart->pMsg->szCaption);
        SetDlgItemTextA(hDlg, IDC_FLOAT_TEXT, pStart->pMsg->szMessage);
        fnLayoutFloat(hDlg, pStart->pMsg->szButtonText);
        fnFitFloatScrollBar(hDlg);
        fnPlaceWindow(hDlg, pStart->pMsg->uPosition, TRUE);
        if (pStart->pMsg->szButtonText[0]) {
            SetFocus(GetDlgItem(hDlg, IDC_FLOAT_BUTTON));
            return FALSE;
        }
        return TRUE;
    }
    case WM_COMMAND:
        // The button (id 2) and the close box both arrive as IDCANCEL.
        if (LOWORD(wParam) == IDC_FLOAT_BUTTON) {
            if (GetWindowLongPtrA(hDlg, DWLP_USER))
                EndDialog(hDlg, IDC_FLOAT_BUTTON);
            else
                DestroyWindow(hDlg);
        }
        return TRUE;
    }
    return FALSE;
}

int fnShowFloatWindow(HWND hwndOwner, const MessageStruct *pMsg, BOOL bWait)
{
    if (g_bUnattended) {
        fnEventLog("window_left_out", "window", "floating message", "text", pMsg->szMessage, NULL);
        return 1;
    }
    HINSTANCE hInstance = g_hInstance ? g_hInstance : GetModuleHandleA(NULL);
    FloatStartStruct start = {pMsg, bWait};
    if (bWait) {
        INT_PTR iRC = DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_FLOAT), hwndOwner, fnFloatDlgProc, (LPARAM)&start);
        return iRC > 0 ? 1 : 0;
    }
    HWND hDlg = CreateDialogParamA(hInstance, MAKEINTRESOURCEA(IDD_FLOAT), hwndOwner, fnFloatDlgProc, (LPARAM)&start);
    if (!hDlg)
        return 0;
    ShowWindow(hDlg, SW_SHOW);
    UpdateWindow(hDlg);
    return 1;
}
