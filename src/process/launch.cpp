#include "process/launch.h"

#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"

static int fnIsRootedPath(const char *pszExec)
{
    const char *p = pszExec;
    if (*p == '"')
        p++;
    if (p[0] && p[1] == ':')
        return 1;
    return p[0] == '\\' && p[1] == '\\';
}

// A command starting ".\" or "./" runs from the program's own directory.
static void fnPrepareCommand(const char *pszExec, char *pszOut, size_t cchOut)
{
    if (pszExec[0] == '.' && (pszExec[1] == '\\' || pszExec[1] == '/'))
        fnFormatText(pszOut, cchOut, "%s\\%s", g_szHomeDir, pszExec + 2);
    else
        fnCopyText(pszOut, cchOut, pszExec);
}

// Serves the message queue until the process ends. 1 it ended, 7 a quit or a
// log-off not refused ended the wait first.
static int fnWaitServing(HANDLE hProcess, unsigned uWaitMode, BOOL bPreventExit)
{
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage((int)msg.wParam);
                return kLaunchStopRequest;
            }
            if (msg.message == WM_QUERYENDSESSION) {
                if (bPreventExit)
                    continue;
                DispatchMessageA(&msg);
                return kLaunchStopRequest;
            }
            DispatchMessageA(&msg);
        }
        DWORD dwWait = uWaitMode == kWaitBlocking
                           ? WaitForSingleObject(hProcess, INFINITE)
                           : MsgWaitForMultipleObjects(1, &hProcess, FALSE, INFINITE, QS_ALLINPUT);
        if (dwWait == WAIT_OBJECT_0)
            return kLaunchOk;
        if (dwWait != WAIT_OBJECT_0 + 1 && dwWait != WAIT_TIMEOUT)
            return kLaunchOk;  // abandoned or failed: nothing more to wait for
    }
}

int fnCreateProcess(const char *pszExec, int nShowWin, unsigned uWaitMode, BOOL bPreventExit, BOOL bNoWin,
                    unsigned uErrorMsg, BOOL bInherit)
{
    TRACE("fnCreateProcess", "szExec=%s,\nnShowWin=%d,\nuWaitMode=%u,\nbPreventExit=%d,\nbNoWin=%d,\nuErrorMsg=%u", pszExec,
          nShowWin, uWaitMode, bPreventExit, bNoWin, uErrorMsg);
    char szCommand[kcchExec];
    fnPrepareCommand(pszExec, szCommand, COUNTOF(szCommand));

    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = (WORD)nShowWin;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, bInherit};
    DWORD dwFlags = bNoWin ? CREATE_NO_WINDOW : 0;
    g_bPreventExit = bPreventExit;

    // The command as given, then joined to the current directory, the
    // program's directory and the Windows directory; a rooted path only once.
    char szDir[kcchPath];
    const char *apszDirs[4] = {"", NULL, g_szHomeDir, g_szWinDir};
    DWORD cchDir = GetCurrentDirectoryA(COUNTOF(szDir), szDir);
    apszDirs[1] = (cchDir && cchDir < COUNTOF(szDir)) ? szDir : NULL;
    int cTries = fnIsRootedPath(szCommand) ? 1 : 4;
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = FALSE;
    for (int i = 0; i < cTries && !bStarted; i++) {
        char szTry[kcchExec];
        if (i == 0)
            fnCopyText(szTry, COUNTOF(szTry), szCommand);
        else if (!apszDirs[i] || !apszDirs[i][0] ||
                 !fnFormatText(szTry, COUNTOF(szTry), "%s\\%s", apszDirs[i], szCommand))
            continue;
        bStarted = CreateProcessA(NULL, szTry, &sa, &sa, bInherit, dwFlags, NULL, NULL, &si, &pi);
    }
    if (!bStarted) {
        TRACE("fnCreateProcess", "CreateProcess failed szExec=%s,\ndwError=%lu", szCommand, GetLastError());
        g_bPreventExit = FALSE;
        return kLaunchFailed;
    }
    CHandle hThread(pi.hThread);
    CHandle hProcess(pi.hProcess);
    int iRC = kLaunchOk;
    if (uWaitMode != kWaitNone)
        iRC = fnWaitServing(hProcess.Get(), uWaitMode, bPreventExit);
    g_bPreventExit = FALSE;
    return iRC;
}

int fnExecProgram(HWND hwndParent, const char *pszExec, const char *pszAlsoCheckFor, int nShowWin, BOOL bWait,
                  BOOL bPreventExit, BOOL bErrorShow, BOOL bNoWin)
{
    (void)hwndParent;
    TRACE("fnExecProgram", "szExec=%s,\nszAlsoCheckFor=%s,\nnShowWin=%d,\nbWait=%d", pszExec,
          pszAlsoCheckFor ? pszAlsoCheckFor : "", nShowWin, bWait);
    fnPumpMessages();
    if (g_hwndMain)
        SetWindowPos(g_hwndMain, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    int iRC = fnCreateProcess(pszExec, nShowWin, bWait ? kWaitServing : kWaitNone, bPreventExit, bNoWin,
                              bErrorShow ? 2 : 0, TRUE);
    if (g_hwndMain)
        SetWindowPos(g_hwndMain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return iRC;
}
