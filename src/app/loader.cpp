#include "app/loader.h"

#include "base/path.h"
#include "process/relaunch.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

enum { kcxLoader = 399, kcyLoader = 80 };

int fnNeedsLoader()
{
    if (!g_bInternalInf || g_bTempExec)
        return 0;
    const char *pszDot = strrchr(g_szIniFile, '.');
    if (pszDot && fnTextEqualI(pszDot, ".RNF"))
        return 1;
    char szRoot[4] = {g_szHomeDir[0], ':', '\\', '\0'};
    return g_szHomeDir[1] == ':' && GetDriveTypeA(szRoot) == DRIVE_REMOVABLE;
}

// Brings a running main window (and what it shows) to the top; 1 found.
static int fnRaiseMainWindow()
{
    HWND hwnd = FindWindowA(g_szMainClass, NULL);
    if (!hwnd)
        return 0;
    HWND hwndPopup = GetLastActivePopup(hwnd);
    BringWindowToTop(hwnd);
    SetForegroundWindow(hwndPopup ? hwndPopup : hwnd);
    return 1;
}

static LRESULT CALLBACK fnLoaderWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        char szText[kcchShort];
        if (g_bMessage && g_szMessage[0])
            fnCopyText(szText, COUNTOF(szText), g_szMessage);
        else
            fnLoadText(IDS_ONE_MOMENT, szText, COUNTOF(szText));
        FillRect(hdc, &rc, GetSysColorBrush(g_bMessage ? COLOR_DESKTOP : COLOR_WINDOW));
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextA(hdc, szText, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, uMsg, wParam, lParam);
    }
}

HWND fnMakeLoaderWindow(HINSTANCE hInstance, int nCmdShow)
{
    char szClass[kcchShort];
    fnLoadText(IDS_LOADER_CLASS, szClass, COUNTOF(szClass));
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = fnLoaderWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_SETUP32));
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszMenuName = szClass;
    wc.lpszClassName = szClass;
    if (!RegisterClassA(&wc))
        return NULL;
    int cx = g_bQuiet ? 0 : kcxLoader, cy = g_bQuiet ? 0 : kcyLoader;
    if (g_bMessage) {
        RECT rcDesktop;
        GetWindowRect(GetDesktopWindow(), &rcDesktop);
        cx = rcDesktop.right - rcDesktop.left;
        cy = rcDesktop.bottom - rcDesktop.top;
    }
    HWND hwnd = CreateWindowExA(0, szClass, g_szTitle, WS_POPUP | WS_DLGFRAME, 0, 0, cx, cy, NULL, NULL, hInstance, NULL);
    if (!hwnd)
        return NULL;
    if (!g_bMessage)
        fnPlaceWindow(hwnd, kPlaceCenter, FALSE);
    if (!g_bQuiet)
        ShowWindow(hwnd, nCmdShow);
    if (g_uShowVSWin == 0)
        ShowWindow(hwnd, SW_HIDE);
    UpdateWindow(hwnd);
    return hwnd;
}

int fnInitLoader(HINSTANCE hInstance, int nCmdShow, const char *pszSetupExec)
{
    // Started again while a run is open: that run comes to the front and
    // this process ends without running the script a second time.
    if (fnRaiseMainWindow()) {
        g_bLoaderDone = TRUE;
        return 1;
    }
    char szCopy[kcchPath];
    if (!fnMakeTempCopy(pszSetupExec, "fnInitLoader", szCopy, COUNTOF(szCopy)))
        return 0;
    // An unattended run shows no window, the notice included.
    HWND hwndLoader = NULL;
    if (!g_bUnattended) {
        hwndLoader = fnMakeLoaderWindow(hInstance, nCmdShow);
        if (!hwndLoader)
            return 0;
    }
    char szCommand[kcchCopyCommand];
    int iRC = fnBuildCopyCommand(szCopy, szCommand, COUNTOF(szCommand));
    TRACE("fnInitLoader run", "lpszSetupExec=%s,\nszTempFile=%s,\ng_szDefaultExec=%s,\nszSetupCmdLine=%s",
          pszSetupExec, szCopy, g_szDefaultExec, szCommand);
    if (iRC)
        iRC = fnStartTempCopy(szCommand);
    if (iRC)
        g_bLoaderDone = TRUE;
    if (hwndLoader) {
        fnWaitPumping(500);  // the notice is seen while the copy starts
        fnRaiseMainWindow();
        DestroyWindow(hwndLoader);
    }
    return iRC;
}
