#include "run/window.h"

#include <stdarg.h>

#include "run/controls.h"
#include "run/event_log.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "resource.h"

enum { kcxStatus = 393, kcchStatusText = 512, kcchMsgFormat = 1024, kcchMsgText = 2048 };

// Read from the string table with kernel32's resource calls, not LoadStringA:
// user32 is not loaded for that, which under Wine would start the display
// driver in a run that shows nothing. A table block holds 16 strings, each a
// count of UTF-16 units and the units; the text is cut to the buffer, as
// LoadStringA cuts it.
int fnLoadText(UINT uId, char *pszOut, int cchOut)
{
    if (cchOut <= 0)
        return 0;
    pszOut[0] = '\0';
    HMODULE hModule = g_hInstance ? g_hInstance : GetModuleHandleA(NULL);
    HRSRC hInfo = FindResourceA(hModule, MAKEINTRESOURCEA((uId >> 4) + 1), RT_STRING);
    HGLOBAL hData = hInfo ? LoadResource(hModule, hInfo) : NULL;
    const WCHAR *pwch = hData ? (const WCHAR *)LockResource(hData) : NULL;
    if (!pwch)
        return 0;
    const WCHAR *pwchEnd = pwch + SizeofResource(hModule, hInfo) / sizeof(WCHAR);
    for (UINT i = 0; i < (uId & 15) && pwch < pwchEnd; i++)
        pwch += 1 + *pwch;
    if (pwch >= pwchEnd || *pwch == 0 || pwch + 1 + *pwch > pwchEnd)
        return 0;
    int cwch = *pwch++;
    if (cwch > 2 * (cchOut - 1))
        cwch = 2 * (cchOut - 1);  // more than can fit whatever the code page
    int cch = 0;
    while (cwch > 0 && (cch = WideCharToMultiByte(CP_ACP, 0, pwch, cwch, pszOut, cchOut - 1, NULL, NULL)) == 0)
        cwch--;  // does not fit: one unit less
    pszOut[cch] = '\0';
    return cch > 0;
}

// The buttons of each message-box type, in the order the default-button flags count them.
static int fnMsgBoxButtons(UINT uFlags, int aiButtons[3])
{
    static const int aaiButtons[][3] = {
        {IDOK, 0, 0},          {IDOK, IDCANCEL, 0},        {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO, 0},         {IDRETRY, IDCANCEL, 0},
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE},
    };
    UINT uType = uFlags & MB_TYPEMASK;
    if (uType >= COUNTOF(aaiButtons))
        uType = 0;
    int cButtons = 0;
    for (int i = 0; i < 3; i++) {
        aiButtons[i] = aaiButtons[uType][i];
        cButtons += aiButtons[i] != 0;
    }
    return cButtons;
}

int fnMsgBoxDefault(UINT uId, UINT uFlags)
{
    static const UINT auRestartQuestions[] = {IDS_RESTART_ASK, IDS_RESTART_ASK_SETUP, IDS_EXITWIN_ASK,
                                              IDS_EXITWIN_ASK_AGAIN, IDS_REBOOT_ASK, IDS_REBOOT_ASK_AGAIN,
                                              IDS_RESTART_ASK_TEXT};
    static const UINT auDiskPrompts[] = {IDS_INSERT_DISK_N, IDS_INSERT_DISK_IN, IDS_INSERT_SOURCE,
                                         IDS_DISK_SPACE_SWITCH};
    for (UINT uRestart : auRestartQuestions) {
        if (uId == uRestart)
            return IDNO;
    }
    for (UINT uDisk : auDiskPrompts) {
        if (uId == uDisk)
            return kDialogNoSafeAnswer;
    }
    int aiButtons[3];
    int cButtons = fnMsgBoxButtons(uFlags, aiButtons);
    int iDefault = (int)((uFlags & MB_DEFMASK) >> 8);
    if (iDefault >= cButtons)
        iDefault = 0;
    if ((aiButtons[iDefault] == IDRETRY || aiButtons[iDefault] == IDTRYAGAIN) && iDefault + 1 < cButtons)
        iDefault++;
    return aiButtons[iDefault];
}

// The answer that stops what a prompt without a safe answer asked for.
static int fnStopAnswer(UINT uFlags)
{
    int aiButtons[3];
    int cButtons = fnMsgBoxButtons(uFlags, aiButtons);
    static const int aiStops[] = {IDCANCEL, IDNO, IDABORT};
    for (int iStop : aiStops) {
        for (int i = 0; i < cButtons; i++) {
            if (aiButtons[i] == iStop)
                return iStop;
        }
    }
    return aiButtons[0];
}

const char *fnAnswerName(INT_PTR iAnswer)
{
    switch (iAnswer) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    case IDTRYAGAIN: return "Try Again";
    case IDCONTINUE: return "Continue";
    case IDC_MESSAGE_EXIT: return "Exit";
    case IDC_MESSAGE_CONTINUE: return "Continue";
    default: return "";
    }
}

static void fnRecord(const char *pszEvent, const char *pszText, INT_PTR iAnswer, const char *pszBy)
{
    char szAnswer[24];
    fnEventLog(pszEvent, "text", pszText, "#answer", fnEventNumber(szAnswer, (long long)iAnswer), "button",
               fnAnswerName(iAnswer), "by", pszBy, NULL);
}

void fnRecordAnswer(const char *pszEvent, const char *pszText, INT_PTR iAnswer)
{
    fnRecord(pszEvent, pszText, iAnswer, "person");
}

INT_PTR fnAnswerByRule(const char *pszEvent, const char *pszText, INT_PTR iAnswer)
{
    if (iAnswer == kDialogNoSafeAnswer) {
        TRACE("unattended", "No safe answer, the run fails: %s", pszText);
        fnEventLog("no_safe_answer", "text", pszText, NULL);
        g_bUnattendedFailed = TRUE;
        return -1;
    }
    TRACE("unattended", "Answer %d (%s) given to: %s", (int)iAnswer, fnAnswerName(iAnswer), pszText);
    fnRecord(pszEvent, pszText, iAnswer, "unattended rule");
    return iAnswer;
}

// What a message box is, for the event log: a question offers a choice.
static const char *fnMsgBoxEvent(UINT uFlags)
{
    int aiButtons[3];
    if (fnMsgBoxButtons(uFlags, aiButtons) > 1)
        return "question";
    return (uFlags & MB_ICONMASK) == MB_ICONERROR ? "error" : "message";
}

int fnMsgBox(UINT uId, const char *pszCaption, UINT uFlags, ...)
{
    va_list args;
    va_start(args, uFlags);
    char szFormat[kcchMsgFormat];
    if (uId == 0)
        fnCopyText(szFormat, COUNTOF(szFormat), va_arg(args, const char *));
    else
        fnLoadText(uId, szFormat, COUNTOF(szFormat));
    char szText[kcchMsgText];
    fnFormatTextV(szText, COUNTOF(szText), szFormat, args);
    va_end(args);
    if (g_bUnattended) {
        INT_PTR iAnswer = fnAnswerByRule(fnMsgBoxEvent(uFlags), szText, fnMsgBoxDefault(uId, uFlags));
        return iAnswer < 0 ? fnStopAnswer(uFlags) : (int)iAnswer;
    }
    int iAnswer = MessageBoxA(GetFocus(), szText, pszCaption ? pszCaption : g_szTitle,
                              uFlags | MB_SETFOREGROUND | MB_TOPMOST);
    fnRecordAnswer(fnMsgBoxEvent(uFlags), szText, iAnswer);
    return iAnswer;
}

void fnPumpMessages()
{
    if (g_bUnattended)
        return;
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The run is not over yet: keep the quit for the main loop.
            PostQuitMessage((int)msg.wParam);
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HCURSOR fnSetCursor(LPCSTR pszCursor)
{
    return g_bUnattended ? NULL : SetCursor(LoadCursor(NULL, pszCursor));
}

// Asking the window system for messages is a round trip that costs more
// than copying a small file; a loop over thousands of files asks once a
// clock tick, which keeps windows painted and Cancel answered.
void fnPumpMessagesSometimes()
{
    DWORD dwNow = GetTickCount();
    if (dwNow - g_dwLastPump < 10)
        return;
    g_dwLastPump = dwNow;
    fnPumpMessages();
}

static void fnWorkArea(RECT *prc)
{
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, prc, 0))
        GetWindowRect(GetDesktopWindow(), prc);
}

static int fnPlaceAxis(int iStart, int cchArea, int cchWindow, int iWhere)
{
    int iFree = cchArea - cchWindow;
    if (iFree < 0)
        iFree = 0;
    if (iWhere == 0)
        return iStart;
    if (iWhere == 2)
        return iStart + iFree;
    return iStart + iFree / 2;
}

void fnPlacePos(const RECT *prcArea, int cx, int cy, unsigned uCode, int *px, int *py)
{
    // Column (0 left, 1 centre, 2 right) and row of each code 1-9.
    static const int aiColumn[10] = {0, 0, 2, 1, 0, 1, 2, 0, 1, 2};
    static const int aiRow[10] = {0, 0, 0, 0, 1, 1, 1, 2, 2, 2};
    if (uCode > 9)
        uCode = 0;
    *px = fnPlaceAxis(prcArea->left, prcArea->right - prcArea->left, cx, aiColumn[uCode]);
    *py = fnPlaceAxis(prcArea->top, prcArea->bottom - prcArea->top, cy, aiRow[uCode]);
}

void fnPlaceWindow(HWND hwnd, unsigned uCode, BOOL bTopMost)
{
    RECT rcArea, rcWindow;
    fnWorkArea(&rcArea);
    GetWindowRect(hwnd, &rcWindow);
    int x, y;
    fnPlacePos(&rcArea, rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top, uCode, &x, &y);
    SetWindowPos(hwnd, bTopMost ? HWND_TOPMOST : NULL, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | (bTopMost ? 0 : SWP_NOZORDER));
    if (bTopMost)
        SetForegroundWindow(hwnd);
}

int fnPlacementCode(const char *pszKeyword)
{
    static const char *const apszCodes[] = {"TopLeft", "TopRight", "TopCenter", "CenterLeft", "Center",
                                            "CenterRight", "BottomLeft", "BottomCenter", "BottomRight"};
    for (int i = 0; i < 9; i++) {
        if (fnTextEqualI(pszKeyword, apszCodes[i]))
            return i + 1;
    }
    return 0;
}

static int fnClampOffset(int iOffset, int iFree)
{
    if (iFree < 0)
        iFree = 0;
    return iOffset < 0 ? 0 : (iOffset > iFree ? iFree : iOffset);
}

void fnStartDialog(HWND hwndMain, HWND hDlg, BOOL bCaption, BOOL bBeep)
{
    RECT rcArea, rcMain = {0, 0, 0, 0}, rcDlg;
    fnWorkArea(&rcArea);
    if (hwndMain)
        GetWindowRect(hwndMain, &rcMain);
    GetWindowRect(hDlg, &rcDlg);
    int cxFree = (rcArea.right - rcArea.left) - (rcDlg.right - rcDlg.left);
    int cyFree = (rcArea.bottom - rcArea.top) - (rcDlg.bottom - rcDlg.top);
    int x = fnClampOffset(rcMain.left, cxFree);
    int y = fnClampOffset(rcArea.top + (rcMain.bottom - rcMain.top), cyFree);
    SetWindowPos(hDlg, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (bCaption)
        SetWindowTextA(hDlg, g_szTitle);
    if (g_bQuiet)
        ShowWindow(hDlg, SW_HIDE);
    else if (bBeep)
        MessageBeep(0);
}

void fnWaitPumping(DWORD dwMs)
{
    if (g_bUnattended) {
        Sleep(dwMs);
        return;
    }
    DWORD dwStart = GetTickCount();
    for (;;) {
        fnPumpMessages();
        DWORD dwGone = GetTickCount() - dwStart;
        if (dwGone >= dwMs)
            break;
        MsgWaitForMultipleObjects(0, NULL, FALSE, dwMs - dwGone, QS_ALLINPUT);
    }
}

HWND fnStatusWindow(HWND hwndOwner, UINT uId, unsigned uSize, unsigned uCode, DWORD dwMs, ...)
{
    char szText[kcchStatusText] = "";
    if (uId) {
        char szFormat[kcchStatusText];
        fnLoadText(uId, szFormat, COUNTOF(szFormat));
        va_list args;
        va_start(args, dwMs);
        fnFormatTextV(szText, COUNTOF(szText), szFormat, args);
        va_end(args);
    }
    int cy = uSize == 1 ? 40 : uSize == 3 ? 110 : 75;
    char szClass[kcchShort];
    if (!fnLoadText(IDS_SPLASH_CLASS, szClass, COUNTOF(szClass)))
        fnCopyText(szClass, COUNTOF(szClass), "SplashWndKRVLO");
    HWND hwnd = CreateWindowExA(WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME, szClass, szText, WS_POPUP, 0, 0, kcxStatus,
                                cy, hwndOwner, NULL, g_hInstance, NULL);
    if (!hwnd)
        return NULL;
    fnPlaceWindow(hwnd, uCode ? uCode : (unsigned)kPlaceTopCenter, TRUE);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    if (dwMs == 0)
        return hwnd;
    fnWaitPumping(dwMs);
    DestroyWindow(hwnd);
    if (g_hcurPrevious)
        SetCursor(g_hcurPrevious);
    return NULL;
}

HWND fnBlankOwnerWindow(HWND hwndOwner, DWORD dwMs)
{
    HWND hwnd = CreateWindowExA(0, "SplashWndKRVLO", "", WS_POPUP, 0, 0, 0, 0, hwndOwner, NULL, g_hInstance, NULL);
    if (!hwnd)
        return NULL;
    fnPlaceWindow(hwnd, kPlaceBottomRight, FALSE);
    if (dwMs == 0)
        return hwnd;
    fnWaitPumping(dwMs);
    DestroyWindow(hwnd);
    return NULL;
}

static WNDPROC g_pfnStaticProc;
static WNDPROC g_pfnListBoxProc;

static void fnPaintStatus(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    char szText[kcchStatusText];
    GetWindowTextA(hwnd, szText, COUNTOF(szText));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ hfontOld = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    // Measure first so the wrapped block sits in the middle vertically.
    RECT rcText = rc;
    InflateRect(&rcText, -8, 0);
    RECT rcCalc = rcText;
    DrawTextA(hdc, szText, -1, &rcCalc, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    int cyText = rcCalc.bottom - rcCalc.top;
    rcText.top += ((rc.bottom - rc.top) - cyText) / 2;
    DrawTextA(hdc, szText, -1, &rcText, DT_CENTER | DT_WORDBREAK);
    SelectObject(hdc, hfontOld);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK fnSplashWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PAINT) {
        fnPaintStatus(hwnd);
        return 0;
    }
    if (uMsg == WM_ERASEBKGND)
        return 1;
    return CallWindowProcA(g_pfnStaticProc, hwnd, uMsg, wParam, lParam);
}

static LRESULT CALLBACK fnMisMatchWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_HSCROLL || uMsg == WM_VSCROLL) {
        int iId = GetDlgCtrlID(hwnd);
        PostMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(iId, 1), (LPARAM)hwnd);
    }
    return CallWindowProcA(g_pfnListBoxProc, hwnd, uMsg, wParam, lParam);
}

int fnRegisterFailed(const char *pszText)
{
    MessageBoxA(NULL, pszText, g_szTitle, MB_OK | MB_ICONINFORMATION);
    MessageBoxA(NULL, "Error!  Could not initialize application.", g_szTitle, MB_OK | MB_ICONERROR);
    return 0;
}

static int fnRegisterCopy(HINSTANCE hInstance, const char *pszBase, UINT uNameId, const char *pszDefault,
                          WNDPROC pfnProc, WNDPROC *ppfnBase, HBRUSH hbrBackground)
{
    WNDCLASSA wc;
    if (!GetClassInfoA(NULL, pszBase, &wc))
        return 0;
    char szName[kcchShort];
    if (!fnLoadText(uNameId, szName, COUNTOF(szName)))
        fnCopyText(szName, COUNTOF(szName), pszDefault);
    *ppfnBase = wc.lpfnWndProc;
    wc.lpfnWndProc = pfnProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = szName;
    wc.style &= ~CS_GLOBALCLASS;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    if (hbrBackground)
        wc.hbrBackground = hbrBackground;
    return RegisterClassA(&wc) ? 1 : 0;
}

int fnRegisterStatusClasses(HINSTANCE hInstance)
{
    if (!fnRegisterCopy(hInstance, "STATIC", IDS_SPLASH_CLASS, "SplashWndKRVLO", fnSplashWndProc, &g_pfnStaticProc,
                        GetSysColorBrush(COLOR_BTNFACE)))
        return fnRegisterFailed("Error!  Could not register splash window.\nApplication may already be running.");
    if (!fnRegisterProgressMeter(hInstance))
        return fnRegisterFailed("Error!  Could not register progress meter control.\nApplication may already be running.");
    if (!fnRegisterCopy(hInstance, "LISTBOX", IDS_MISMATCH_CLASS, "MisMatchLBKRVLO", fnMisMatchWndProc,
                        &g_pfnListBoxProc, NULL))
        return fnRegisterFailed("Error!  Could not register mismatch listbox control.\nApplication may already be running.");
    return 1;
}

HINSTANCE fnDialogInstance()
{
    return g_hInstance ? g_hInstance : GetModuleHandleA(NULL);
}

INT_PTR fnDialogBox(UINT uIdDialog, HWND hwndOwner, DLGPROC pfnProc, LPARAM lParam, INT_PTR iUnattended,
                    const char *pszWhat)
{
    if (g_bUnattended)
        return fnAnswerByRule("question", pszWhat, iUnattended);
    INT_PTR iRC = DialogBoxParamA(fnDialogInstance(), MAKEINTRESOURCEA(uIdDialog), hwndOwner, pfnProc, lParam);
    fnRecordAnswer("question", pszWhat, iRC);
    return iRC;
}

INT_PTR fnQuietDialogBox(UINT uIdDialog, HWND hwndOwner, DLGPROC pfnProc, LPARAM lParam, INT_PTR iDefault,
                         const char *pszWhat)
{
    // A quiet run has nobody it means to ask: a dialog with a safe answer is
    // not shown, its record already holds the defaults. One without stays
    // visible, as the questions of the copy always did.
    if (g_bQuiet && !g_bUnattended && iDefault != kDialogNoSafeAnswer) {
        TRACE("fnQuietDialogBox", "quiet: %s answered %d", pszWhat ? pszWhat : "", (int)iDefault);
        return iDefault;
    }
    return fnDialogBox(uIdDialog, hwndOwner, pfnProc, lParam, iDefault, pszWhat);
}
