#include "run/popup.h"

#include "run/run_state.h"
#include "run/window.h"
#include "run/text.h"

// The box is a standard message box: a hook of this thread sees its
// WM_INITDIALOG return (the box has laid itself out by then), puts the texts
// on its buttons and widens them when a text needs more room. The program has
// one thread, so one record suffices.
struct CaptionBoxStruct {
    HHOOK hHook;
    const char *pszFirst;
    const char *pszSecond;
};

static CaptionBoxStruct g_captionBox;

enum { kcxButtonPadding = 16, kcxButtonGap = 6 };

static int fnButtonTextWidth(HWND hwndButton)
{
    char szText[kcchShort];
    GetWindowTextA(hwndButton, szText, COUNTOF(szText));
    HDC hdc = GetDC(hwndButton);
    HGDIOBJ hfontOld = SelectObject(hdc, (HFONT)SendMessageA(hwndButton, WM_GETFONT, 0, 0));
    RECT rc = {0, 0, 0, 0};
    DrawTextA(hdc, szText, -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(hdc, hfontOld);
    ReleaseDC(hwndButton, hdc);
    return rc.right + kcxButtonPadding;
}

// Makes the buttons as wide as the widest text needs, keeps them centred
// side by side and widens the box when they no longer fit in it.
static void fnWidenButtons(HWND hBox, HWND *ahwndButtons, int cButtons)
{
    RECT rcFirst;
    GetWindowRect(ahwndButtons[0], &rcFirst);
    MapWindowPoints(NULL, hBox, (POINT *)&rcFirst, 2);
    int cxButton = rcFirst.right - rcFirst.left;
    int cyButton = rcFirst.bottom - rcFirst.top;
    int cxNeed = cxButton;
    for (int i = 0; i < cButtons; i++) {
        int cx = fnButtonTextWidth(ahwndButtons[i]);
        if (cx > cxNeed)
            cxNeed = cx;
    }
    if (cxNeed == cxButton)
        return;
    int iGap = kcxButtonGap;
    if (cButtons > 1) {
        RECT rcSecond;
        GetWindowRect(ahwndButtons[1], &rcSecond);
        MapWindowPoints(NULL, hBox, (POINT *)&rcSecond, 2);
        iGap = rcSecond.left - rcFirst.right;
        if (iGap < kcxButtonGap)
            iGap = kcxButtonGap;
    }
    int cxRow = cButtons * cxNeed + (cButtons - 1) * iGap;
    RECT rcClient;
    GetClientRect(hBox, &rcClient);
    int cxMissing = cxRow + 2 * kcxButtonPadding - rcClient.right;
    if (cxMissing > 0) {
        RECT rcBox;
        GetWindowRect(hBox, &rcBox);
        SetWindowPos(hBox, NULL, rcBox.left - cxMissing / 2, rcBox.top, rcBox.right - rcBox.left + cxMissing,
                     rcBox.bottom - rcBox.top, SWP_NOZORDER | SWP_NOACTIVATE);
        rcClient.right += cxMissing;
    }
    int x = (rcClient.right - cxRow) / 2;
    for (int i = 0; i < cButtons; i++, x += cxNeed + iGap)
        SetWindowPos(ahwndButtons[i], NULL, x, rcFirst.top, cxNeed, cyButton, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A button the box shows (the box itself is not visible yet).
static HWND fnShownButton(HWND hBox, int iId)
{
    HWND hwnd = GetDlgItem(hBox, iId);
    return hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) ? hwnd : NULL;
}

static void fnLabelButtons(HWND hBox)
{
    HWND ahwndButtons[2];
    int cButtons = 0;
    HWND hwndOk = fnShownButton(hBox, IDOK);
    HWND hwndCancel = fnShownButton(hBox, IDCANCEL);
    if (hwndOk) {
        SetWindowTextA(hwndOk, g_captionBox.pszFirst);
        ahwndButtons[cButtons++] = hwndOk;
    }
    if (hwndCancel) {
        SetWindowTextA(hwndCancel, g_captionBox.pszSecond);
        ahwndButtons[cButtons++] = hwndCancel;
    }
    if (cButtons)
        fnWidenButtons(hBox, ahwndButtons, cButtons);
}

static LRESULT CALLBACK fnCaptionBoxHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_captionBox.hHook;
    const CWPRETSTRUCT *pRet = (const CWPRETSTRUCT *)lParam;
    if (nCode == HC_ACTION && hHook && pRet->message == WM_INITDIALOG) {
        char szClass[16];
        if (GetClassNameA(pRet->hwnd, szClass, COUNTOF(szClass)) && strcmp(szClass, "#32770") == 0) {
            g_captionBox.hHook = NULL;
            UnhookWindowsHookEx(hHook);
            fnLabelButtons(pRet->hwnd);
            return 0;
        }
    }
    return CallNextHookEx(hHook, nCode, wParam, lParam);
}

int fnButtonCaptionBox(HWND hwndOwner, const char *pszText, const char *pszCaption, UINT uStyle, const char *pszFirst,
                       const char *pszSecond)
{
    uStyle = uStyle == MB_OKCANCEL ? MB_OKCANCEL : MB_OK;
    if (g_bUnattended)
        return (int)fnAnswerByRule(uStyle == MB_OKCANCEL ? "question" : "message", pszText, IDOK);
    g_captionBox.pszFirst = pszFirst && pszFirst[0] ? pszFirst : "OK";
    g_captionBox.pszSecond = pszSecond && pszSecond[0] ? pszSecond : "Cancel";
    g_captionBox.hHook = SetWindowsHookExA(WH_CALLWNDPROCRET, fnCaptionBoxHook, NULL, GetCurrentThreadId());
    int iRC = MessageBoxA(hwndOwner, pszText, pszCaption && pszCaption[0] ? pszCaption : g_szTitle,
                          uStyle | MB_SETFOREGROUND | MB_TOPMOST);
    if (g_captionBox.hHook) {
        UnhookWindowsHookEx(g_captionBox.hHook);
        g_captionBox.hHook = NULL;
    }
    return iRC;
}
