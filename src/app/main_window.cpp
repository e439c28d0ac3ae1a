// The main window: its class and procedure, and the instance start that
// makes it and runs the whole script inside it.
#include "app/main_window.h"

#include "app/exit.h"
#include "app/load.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

enum { kcxMain = 399, kcyMain = 80 };

static void fnPaintMain(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    SetBkMode(hdc, TRANSPARENT);
    HGDIOBJ hfontOld = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    if (g_bMessage) {
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_DESKTOP));
        SetTextColor(hdc, GetSysColor(COLOR_CAPTIONTEXT));
        DrawTextA(hdc, g_szMessage, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOW));
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextA(hdc, g_szVersionText, -1, &rc, DT_CENTER);
    }
    SelectObject(hdc, hfontOld);
    EndPaint(hwnd, &ps);
}

// Ending the log-on, like destroying the window, removes the program when
// asked and ends the message loop.
static void fnEndOfRun()
{
    if (g_bSelfDestruct) {
        TRACE("WM_DESTROY", "WM_DESTROY, g_bSelfDestruct=%d", g_bSelfDestruct);
        fnSelfDestruct(g_bSelfDestruct);
    }
    PostQuitMessage((int)g_uExitCode);
}

static LRESULT CALLBACK fnMainWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_CREATE:
        if (!g_bMessage)
            fnPlaceWindow(hwnd, g_uShowVSWin == 2 ? kPlaceTopCenter : g_uShowVSWin == 3 ? kPlaceTopRight : kPlaceTopLeft,
                          FALSE);
        return 0;
    case WM_PAINT:
        fnPaintMain(hwnd);
        return 0;
    case WM_ENDSESSION:
        TRACE("WM_ENDSESSION", "WM_ENDSESSION");
        if (!wParam)
            return 0;
        // A session that really ends is handled as the query.
        [[fallthrough]];
    case WM_QUERYENDSESSION:
        TRACE("WM_QUERYENDSESSION", "WM_QUERYENDSESSION");
        if (g_bPreventExit) {
            TRACE("WM_QUERYENDSESSION", "WM_QUERYENDSESSION, g_bPreventExit=%d", g_bPreventExit);
            return 0;
        }
        fnEndOfRun();
        return DefWindowProcA(hwnd, uMsg, wParam, lParam);
    case WM_DESTROY:
        TRACE("WM_DESTROY", "WM_DESTROY");
        fnEndOfRun();
        return 0;
    default:
        return DefWindowProcA(hwnd, uMsg, wParam, lParam);
    }
}

int fnRegisterClasses(HINSTANCE hInstance)
{
    char szMenu[kcchShort];
    fnLoadText(IDS_MENU_NAME, szMenu, COUNTOF(szMenu));
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = fnMainWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_SETUP32));
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszMenuName = szMenu[0] ? szMenu : NULL;
    wc.lpszClassName = g_szMainClass;
    if (!RegisterClassA(&wc))
        return fnRegisterFailed("Error!  Could not register main class.\nApplication may already be running.");
    return fnRegisterStatusClasses(hInstance);
}

static void fnSetDateTime()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    fnFormatText(g_szDate, COUNTOF(g_szDate), "%04u%02u%02u", st.wYear, st.wMonth, st.wDay);
    fnFormatText(g_szTime, COUNTOF(g_szTime), "%02u%02u%02u", st.wHour, st.wMinute, st.wSecond);
}

// Nobody watches: no main window, no message loop. The script runs without
// an owner window, and its end does what destroying the main window does.
unsigned fnRunWithoutWindow()
{
    fnSetDateTime();
    TRACE("fnRunWithoutWindow", "g_bSelfDestruct=%d,\ng_szIniFile=%s,\ng_szDestDir=%s", g_bSelfDestruct, g_szIniFile,
          g_szDestDir);
    fnLoadInf(NULL);
    if (g_bSelfDestruct)
        fnSelfDestruct(g_bSelfDestruct);
    return g_uExitCode;
}

int fnInitInstance(HINSTANCE hInstance, int nCmdShow)
{
    fnSetDateTime();
    TRACE("fnInitInstance",
          "g_bSelfDestruct=%d,\nWindows=%s,\ng_szTmpPath=%s,\ng_szDebugFile=%s,\ng_szHomeDir=%s,\ng_szIniFile=%s,\n"
          "g_szDestDir=%s,\ng_bQuiet=%d,\ng_uShowVSWin=%u,\ng_bMessage=%d,\ng_szDate=%s,\ng_szTime=%s",
          g_bSelfDestruct, g_szWinVersion, g_szTmpPath, g_szDebugFile, g_szHomeDir, g_szIniFile, g_szDestDir, g_bQuiet,
          g_uShowVSWin, g_bMessage, g_szDate, g_szTime);

    HWND hwnd;
    if (g_bMessage) {
        RECT rcDesktop;
        GetWindowRect(GetDesktopWindow(), &rcDesktop);
        hwnd = CreateWindowExA(0, g_szMainClass, g_szTitle, WS_POPUP | WS_VISIBLE | WS_DLGFRAME, 0, 0,
                               rcDesktop.right - rcDesktop.left, rcDesktop.bottom - rcDesktop.top, NULL, NULL,
                               hInstance, NULL);
        g_bMainShown = hwnd != NULL;
    } else {
        int cx = g_bQuiet ? 0 : kcxMain;
        int cy = g_bQuiet ? 0 : kcyMain;
        hwnd = CreateWindowExA(0, g_szMainClass, g_szTitle, WS_POPUP | WS_DLGFRAME, 0, 0, cx, cy, NULL, NULL,
                               hInstance, NULL);
    }
    if (!hwnd)
        return 0;
    g_hwndMain = hwnd;
    if (g_bMainShown && !g_bQuiet) {
        ShowWindow(hwnd, nCmdShow);
        UpdateWindow(hwnd);
    }
    if (g_uShowVSWin == 0)
        ShowWindow(hwnd, SW_HIDE);
    BringWindowToTop(hwnd);

    fnLoadInf(hwnd);

    DestroyWindow(hwnd);
    return 1;
}
