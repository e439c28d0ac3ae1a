#include "run/popup.h"

#include "run/event_log.h"
#include "run/message.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

// A wait beyond this many seconds would overflow the timer's milliseconds.
enum { kuMaxWaitSeconds = 2000000 };

// The record of one pop-up while it starts.
struct PopupStartStruct {
    const MessageStruct *pMsg;
    BOOL bModal;
};

static void fnRememberPopup(HWND hDlg)
{
    if (g_uPopups < kuPopups)
        g_ahwndPopups[g_uPopups++] = hDlg;
}

static void fnForgetPopup(HWND hDlg)
{
    for (unsigned u = 0; u < g_uPopups; u++) {
        if (g_ahwndPopups[u] == hDlg)
            g_ahwndPopups[u] = NULL;
    }
}

static void fnEndPopup(HWND hDlg, INT_PTR iResult)
{
    KillTimer(hDlg, IDT_POPUP_WAIT);
    if (GetWindowLongPtrA(hDlg, DWLP_USER))
        EndDialog(hDlg, iResult);
    else
        DestroyWindow(hDlg);
}

static INT_PTR CALLBACK fnPopupDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG: {
        const PopupStartStruct *pStart = (const PopupStartStruct *)lParam;
        const MessageStruct *pMsg = pStart->pMsg;
        SetWindowLongPtrA(hDlg, DWLP_USER, pStart->bModal);
        if (pMsg->szCaption[0])
            SetWindowTextA(hDlg, pMsg->szCaption);
        SetDlgItemTextA(hDlg, IDC_POPUP_TEXT, pMsg->szMessage);
        fnFitTextHeight(hDlg, IDC_POPUP_TEXT);
        BOOL bTopMost = pMsg->bTopMost;
        if (pMsg->uPosition)
            fnPlaceWindow(hDlg, pMsg->uPosition, bTopMost);
        else if (bTopMost)
            SetWindowPos(hDlg, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (pStart->bModal) {
            unsigned uWait = pMsg->uWait > kuMaxWaitSeconds ? (unsigned)kuMaxWaitSeconds : pMsg->uWait;
            SetTimer(hDlg, IDT_POPUP_WAIT, uWait * 1000u, NULL);
        }
        return TRUE;
    }
    case WM_DRAWITEM:
        if (wParam != IDC_POPUP_TEXT)
            break;
        fnDrawMessageText((const DRAWITEMSTRUCT *)lParam, DT_CENTER);
        return TRUE;
    case WM_TIMER:
        if (wParam == IDT_POPUP_WAIT)
            fnEndPopup(hDlg, 1);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            fnEndPopup(hDlg, IDCANCEL);
        return TRUE;
    case WM_DESTROY:
        fnForgetPopup(hDlg);
        return FALSE;
    }
    return FALSE;
}

int fnShowPopup(HWND hwndOwner, UINT uDialogId, const MessageStruct *pMsg)
{
    HINSTANCE hInstance = g_hInstance ? g_hInstance : GetModuleHandleA(NULL);
    if (g_bUnattended) {
        fnEventLog("window_left_out", "window", "pop-up message", "text", pMsg->szMessage, NULL);
        return 1;
    }
    PopupStartStruct start = {pMsg, pMsg->uWait > 0};
    TRACE("fnShowPopup", "uDialogId=%u,\nuWait=%u,\nuPosition=%u,\nbTopMost=%d,\nszMessage=%s", uDialogId, pMsg->uWait,
          pMsg->uPosition, pMsg->bTopMost, pMsg->szMessage);
    if (start.bModal) {
        INT_PTR iRC = DialogBoxParamA(hInstance, MAKEINTRESOURCEA(uDialogId), hwndOwner, fnPopupDlgProc, (LPARAM)&start);
        return iRC > 0 ? 1 : 0;
    }
    HWND hDlg = CreateDialogParamA(hInstance, MAKEINTRESOURCEA(uDialogId), hwndOwner, fnPopupDlgProc, (LPARAM)&start);
    if (!hDlg)
        return 0;
    fnRememberPopup(hDlg);
    ShowWindow(hDlg, SW_SHOWNOACTIVATE);
    UpdateWindow(hDlg);
    return 1;
}

HWND fnPopupWindow(unsigned uPopup)
{
    if (uPopup == 0 || uPopup > g_uPopups)
        return NULL;
    HWND hwnd = g_ahwndPopups[uPopup - 1];
    return hwnd && IsWindow(hwnd) ? hwnd : NULL;
}

int fnClosePopup(unsigned uPopup)
{
    TRACE("ClosePopup", "ClosePopup uPopup=%u", uPopup - 1);
    HWND hwnd = fnPopupWindow(uPopup);
    if (!hwnd)
        return 0;
    BOOL bDestroyed = DestroyWindow(hwnd);
    TRACE("ClosePopup", "Closing Popup %u, %d", uPopup - 1, bDestroyed);
    if (!bDestroyed)
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return 1;
}
