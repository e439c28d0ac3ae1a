#include "run/trace.h"

#include "run/text.h"
#include "run/window.h"
#include "resource.h"

// The record of one stepping-dialog call.
struct TraceDialogStruct {
    const char *pszCaption;
    const char *pszText;
    BOOL bPaused;
};

static void fnTraceRunTimer(HWND hDlg, BOOL bRun)
{
    KillTimer(hDlg, IDT_TRACE_STEP);
    if (bRun)
        SetTimer(hDlg, IDT_TRACE_STEP, g_uTraceDelay, NULL);
}

static INT_PTR CALLBACK fnTraceDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    TraceDialogStruct *pTrace = (TraceDialogStruct *)GetWindowLongPtrA(hDlg, DWLP_USER);
    switch (uMsg) {
    case WM_INITDIALOG:
        pTrace = (TraceDialogStruct *)lParam;
        SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)pTrace);
        SetWindowTextA(hDlg, pTrace->pszCaption);
        SetDlgItemTextA(hDlg, IDC_TRACE_TEXT, pTrace->pszText);
        fnPlaceWindow(hDlg, kPlaceTopRight, TRUE);
        pTrace->bPaused = g_uTraceDelay < 2;
        SetDlgItemTextA(hDlg, IDC_TRACE_PAUSE, pTrace->bPaused ? "&Go" : "&Pause");
        fnTraceRunTimer(hDlg, !pTrace->bPaused);
        return TRUE;
    case WM_TIMER:
        if (wParam == IDT_TRACE_STEP) {
            KillTimer(hDlg, IDT_TRACE_STEP);
            EndDialog(hDlg, 1);
        }
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_TRACE_PAUSE:
            pTrace->bPaused = !pTrace->bPaused;
            SetDlgItemTextA(hDlg, IDC_TRACE_PAUSE, pTrace->bPaused ? "&Go" : "&Pause");
            fnTraceRunTimer(hDlg, !pTrace->bPaused);
            return TRUE;
        case IDC_TRACE_STOP:
            KillTimer(hDlg, IDT_TRACE_STEP);
            g_uTraceMode = 0;
            EndDialog(hDlg, IDC_TRACE_STOP);
            return TRUE;
        case IDC_TRACE_FASTER:
            if (g_uTraceDelay > 1000)
                g_uTraceDelay -= 500;
            else
                g_uTraceDelay = g_uTraceDelay > 100 ? g_uTraceDelay - 100 : 0;
            fnTraceRunTimer(hDlg, !pTrace->bPaused);
            return TRUE;
        case IDC_TRACE_SLOWER:
            if (g_uTraceDelay < 60000)
                g_uTraceDelay += 500;
            fnTraceRunTimer(hDlg, !pTrace->bPaused);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int fnShowTraceDialog(HWND hwndOwner, const char *pszCaption, const char *pszText)
{
    TraceDialogStruct trace = {pszCaption, pszText, FALSE};
    return (int)DialogBoxParamA(g_hInstance ? g_hInstance : GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_TRACE),
                                hwndOwner, fnTraceDlgProc, (LPARAM)&trace);
}
