#include "process/launch.h"

#include <shellapi.h>

#include "base/running.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

typedef BOOL(WINAPI *PFN_LOGONLAUNCH)(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID, LPCWSTR,
                                      LPSTARTUPINFOW, LPPROCESS_INFORMATION);

enum { kdwAlsoCheckMs = 1000, kcchErrorSuffix = 64 };

static const char kszMasked[] = "********";

static int fnIsRootedPath(const char *pszExec)
{
    const char *p = pszExec;
    if (*p == '"')
        p++;
    if (p[0] && p[1] == ':')
        return 1;
    return p[0] == '\\' && p[1] == '\\';
}

int fnExecFits(const char *pszExec, size_t cchLimit)
{
    if (strlen(pszExec) < cchLimit)
        return 1;
    // Cut, the command would run a different program or different arguments.
    TRACE("fnExecFits", "command longer than %u characters: %s", (unsigned)(cchLimit - 1), pszExec);
    if (!g_bQuiet)
        fnMsgBox(IDS_EXEC_TOO_LONG, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, pszExec, (unsigned)(cchLimit - 1));
    return 0;
}

// A command starting ".\" or "./" runs from the program's own directory.
static int fnPrepareCommand(const char *pszExec, char *pszOut, size_t cchOut)
{
    if (pszExec[0] == '.' && (pszExec[1] == '\\' || pszExec[1] == '/')) {
        char szJoined[kcchExec + kcchPath];
        fnFormatText(szJoined, COUNTOF(szJoined), "%s\\%s", g_szHomeDir, pszExec + 2);
        return fnExecFits(szJoined, cchOut) && fnCopyText(pszOut, cchOut, szJoined);
    }
    return fnExecFits(pszExec, cchOut) && fnCopyText(pszOut, cchOut, pszExec);
}

// One launch attempt with the command as given or joined to a directory.
typedef BOOL (*PFN_ATTEMPT)(char *pszCommand, void *pContext);

// The command as given, then joined to the current directory, the program's
// directory and the Windows directory; a rooted path is tried only once, and
// a join that does not fit is not tried. TRUE when an attempt worked; the
// last error is that of the last attempt.
static BOOL fnTryLaunches(const char *pszCommand, PFN_ATTEMPT pfnAttempt, void *pContext)
{
    char szDir[kcchPath];
    const char *apszDirs[4] = {"", NULL, g_szHomeDir, g_szWinDir};
    DWORD cchDir = GetCurrentDirectoryA(COUNTOF(szDir), szDir);
    apszDirs[1] = (cchDir && cchDir < COUNTOF(szDir)) ? szDir : NULL;
    int cTries = fnIsRootedPath(pszCommand) ? 1 : 4;
    DWORD dwErr = ERROR_FILE_NOT_FOUND;
    for (int i = 0; i < cTries; i++) {
        char szTry[kcchExec];
        if (i == 0)
            fnCopyText(szTry, COUNTOF(szTry), pszCommand);
        else if (!apszDirs[i] || !apszDirs[i][0] ||
                 !fnFormatText(szTry, COUNTOF(szTry), "%s\\%s", apszDirs[i], pszCommand))
            continue;
        if (pfnAttempt(szTry, pContext))
            return TRUE;
        if (i == 0 || GetLastError() != ERROR_FILE_NOT_FOUND)
            dwErr = GetLastError();
    }
    SetLastError(dwErr);
    return FALSE;
}

// Serves the message queue until the process ends. 1 it ended, 7 a quit or a
// log-off not refused ended the wait first. A blocking wait serves nothing.
static int fnWaitServing(HANDLE hProcess, unsigned uWaitMode, BOOL bPreventExit)
{
    for (;;) {
        MSG msg;
        while (uWaitMode != kWaitBlocking && PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
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

struct CreateAttemptStruct {
    STARTUPINFOA si;
    SECURITY_ATTRIBUTES sa;
    BOOL bInherit;
    DWORD dwFlags;
    PROCESS_INFORMATION pi;
};

static BOOL fnCreateAttempt(char *pszCommand, void *pContext)
{
    CreateAttemptStruct *p = (CreateAttemptStruct *)pContext;
    return CreateProcessA(NULL, pszCommand, &p->sa, &p->sa, p->bInherit, p->dwFlags, NULL, NULL, &p->si, &p->pi);
}

// The handles of a started process are closed on every path out of the wait.
static int fnAwaitStarted(PROCESS_INFORMATION *pPi, unsigned uWaitMode, BOOL bPreventExit)
{
    CHandle hThread(pPi->hThread);
    CHandle hProcess(pPi->hProcess);
    int iRC = kLaunchOk;
    if (uWaitMode != kWaitNone)
        iRC = fnWaitServing(hProcess.Get(), uWaitMode, bPreventExit);
    g_bPreventExit = FALSE;
    return iRC;
}

int fnCreateProcess(const char *pszExec, int nShowWin, unsigned uWaitMode, BOOL bPreventExit, BOOL bNoWin,
                    unsigned uErrorMsg, BOOL bInherit)
{
    TRACE("fnCreateProcess", "szExec=%s,\nnShowWin=%d,\nuWaitMode=%u,\nbPreventExit=%d,\nbNoWin=%d,\nuErrorMsg=%u", pszExec,
          nShowWin, uWaitMode, bPreventExit, bNoWin, uErrorMsg);
    char szCommand[kcchExec];
    if (!fnPrepareCommand(pszExec, szCommand, COUNTOF(szCommand)))
        return g_bExitOnExecError ? kLaunchStop : kLaunchFailed;
    CreateAttemptStruct attempt = {};
    attempt.si.cb = sizeof(attempt.si);
    attempt.si.dwFlags = STARTF_USESHOWWINDOW;
    attempt.si.wShowWindow = (WORD)nShowWin;
    attempt.sa = {sizeof(attempt.sa), NULL, bInherit};
    attempt.bInherit = bInherit;
    attempt.dwFlags = bNoWin ? CREATE_NO_WINDOW : 0;
    g_bPreventExit = bPreventExit;
    if (!fnTryLaunches(szCommand, fnCreateAttempt, &attempt)) {
        TRACE("fnCreateProcess", "CreateProcess failed szExec=%s,\ndwError=%lu", szCommand, GetLastError());
        g_bPreventExit = FALSE;
        return fnLaunchError(pszExec, nShowWin, uErrorMsg);
    }
    return fnAwaitStarted(&attempt.pi, uWaitMode, bPreventExit);
}

struct LogonAttemptStruct {
    PFN_LOGONLAUNCH pfnLaunch;
    const WCHAR *pwszUser, *pwszDomain, *pwszPassword;
    DWORD dwLogonFlags;
    STARTUPINFOW si;
    PROCESS_INFORMATION pi;
};

static BOOL fnLogonAttempt(char *pszCommand, void *pContext)
{
    LogonAttemptStruct *p = (LogonAttemptStruct *)pContext;
    WCHAR wszCommand[kcchExec];
    if (!MultiByteToWideChar(CP_ACP, 0, pszCommand, -1, wszCommand, COUNTOF(wszCommand)))
        return FALSE;
    return p->pfnLaunch(p->pwszUser, p->pwszDomain, p->pwszPassword, p->dwLogonFlags, NULL, wszCommand,
                        CREATE_DEFAULT_ERROR_MODE | CREATE_NEW_PROCESS_GROUP | CREATE_NEW_CONSOLE, NULL, NULL, &p->si,
                        &p->pi);
}

// Reports a failed launch by the error it ended with, as uErrorMsg asks.
static int fnReportLaunchError(const char *pszExec, DWORD dwErr, unsigned uErrorMsg)
{
    if (g_bExitOnExecError)
        return kLaunchStop;
    UINT uId = IDS_EXEC_ERROR;
    BOOL bSerious = FALSE;
    if (dwErr == ERROR_FILE_NOT_FOUND || dwErr == ERROR_PATH_NOT_FOUND)
        uId = IDS_EXEC_NOT_FOUND;
    else if (dwErr == ERROR_OUTOFMEMORY) {
        uId = IDS_EXEC_NO_MEMORY;
        bSerious = TRUE;
    } else if (dwErr == ERROR_TOO_MANY_OPEN_FILES || dwErr == ERROR_ACCESS_DENIED || dwErr == ERROR_NO_MORE_FILES ||
               dwErr == ERROR_SHARING_VIOLATION || dwErr == ERROR_NETWORK_BUSY)
        bSerious = TRUE;
    TRACE("fnLaunchError", "szExec=%s,\ndwError=%lu,\nuErrorMsg=%u", pszExec, dwErr, uErrorMsg);
    // Nobody answers in a quiet run: each form takes its default answer.
    char szSuffix[kcchErrorSuffix] = "";
    switch (uErrorMsg) {
    case kErrorAsk:
        if (g_bQuiet)
            return kLaunchFailed;
        fnLoadText(IDS_EXEC_ASK_CONTINUE, szSuffix, COUNTOF(szSuffix));
        return fnMsgBox(uId, NULL, MB_YESNO | MB_ICONINFORMATION | MB_TASKMODAL, pszExec, dwErr, szSuffix) == IDNO
                   ? kLaunchStopRequest
                   : kLaunchFailed;
    case kErrorStopSerious:
        if (bSerious) {
            fnLoadText(IDS_EXEC_CANNOT_CONTINUE, szSuffix, COUNTOF(szSuffix));
            if (!g_bQuiet)
                fnMsgBox(uId, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, pszExec, dwErr, szSuffix);
            return kLaunchStop;
        }
        [[fallthrough]];
    case kErrorReport:
        if (!g_bQuiet)
            fnMsgBox(uId, NULL, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL, pszExec, dwErr, szSuffix);
        return kLaunchFailed;
    default:
        return kLaunchFailed;
    }
}

int fnLaunchError(const char *pszExec, int nShowWin, unsigned uErrorMsg)
{
    DWORD dwErr = GetLastError();
    if (fnShellExec(pszExec, nShowWin))
        return kLaunchOk;
    return fnReportLaunchError(pszExec, dwErr, uErrorMsg);
}

static void fnToWide(const char *psz, WCHAR *pwszOut, int cchOut)
{
    if (!MultiByteToWideChar(CP_ACP, 0, psz, -1, pwszOut, cchOut))
        pwszOut[0] = L'\0';
}

int fnCreateProcessWithLogon(const char *pszUser, const char *pszDomain, const char *pszPassword, const char *pszExec,
                             int nShowWin, BOOL bWait, BOOL bPreventExit, BOOL bNoWin, BOOL bNetCredentials,
                             unsigned uErrorMsg)
{
    TRACE("fnCreateProcessWithLogon",
          "lpszUserName=%s,\nlpszDomain=%s,\nlpszPassword=%s,\nszExec=%s,\nnShowWin=%d,\nbWait=%d,\nbNoWin=%d,\nbNetOnly=%d",
          pszUser, pszDomain, kszMasked, pszExec, nShowWin, bWait, bNoWin, bNetCredentials);
    HMODULE hAdvapi = GetModuleHandleA("ADVAPI32.DLL");
    CModule hLoaded(hAdvapi ? NULL : LoadLibraryA("ADVAPI32.DLL"));
    if (!hAdvapi)
        hAdvapi = hLoaded.Get();
    PFN_LOGONLAUNCH pfnLaunch =
        hAdvapi ? (PFN_LOGONLAUNCH)(void *)GetProcAddress(hAdvapi, "CreateProcessWithLogonW") : NULL;
    if (!pfnLaunch) {
        TRACE("fnCreateProcessWithLogon", "%s", "CreateProcessWithLogonW not found");
        return kLaunchFailed;
    }
    char szCommand[kcchExec];
    if (!fnPrepareCommand(pszExec, szCommand, COUNTOF(szCommand)))
        return g_bExitOnExecError ? kLaunchStop : kLaunchFailed;
    WCHAR wszUser[kcchPath], wszDomain[kcchPath], wszPassword[kcchPath];
    fnToWide(pszUser, wszUser, COUNTOF(wszUser));
    fnToWide(pszDomain, wszDomain, COUNTOF(wszDomain));
    fnToWide(pszPassword, wszPassword, COUNTOF(wszPassword));
    LogonAttemptStruct attempt = {};
    attempt.pfnLaunch = pfnLaunch;
    attempt.pwszUser = wszUser;
    attempt.pwszDomain = wszDomain[0] ? wszDomain : NULL;
    attempt.pwszPassword = wszPassword;
    attempt.dwLogonFlags = bNetCredentials ? LOGON_NETCREDENTIALS_ONLY : 0;
    attempt.si.cb = sizeof(attempt.si);
    attempt.si.dwFlags = STARTF_USESHOWWINDOW;
    attempt.si.wShowWindow = (WORD)nShowWin;
    g_bPreventExit = bPreventExit;
    BOOL bStarted = fnTryLaunches(szCommand, fnLogonAttempt, &attempt);
    DWORD dwErr = GetLastError();
    SecureZeroMemory(wszPassword, sizeof(wszPassword));
    if (!bStarted) {
        TRACE("fnCreateProcessWithLogon", "CreateProcessWithLogonW failed szExec=%s,\ndwError=%lu", szCommand, dwErr);
        g_bPreventExit = FALSE;
        // Not through the shell: that would run the program as the present
        // user and report a launch that did not happen as asked.
        return fnReportLaunchError(pszExec, dwErr, uErrorMsg);
    }
    return fnAwaitStarted(&attempt.pi, bWait ? kWaitServing : kWaitNone, bPreventExit);
}

static BOOL fnShellAttempt(char *pszCommand, void *pContext)
{
    int nShowWin = *(int *)pContext;
    HINSTANCE hRC = ShellExecuteA(NULL, "open", pszCommand, NULL, NULL, nShowWin);
    return (INT_PTR)hRC > 32;
}

int fnShellExec(const char *pszFile, int nShowWin)
{
    TRACE("fnShellExec", "lpszFile=%s,\nnShowWin=%d", pszFile, nShowWin);
    char szCommand[kcchExec];
    if (pszFile[0] == '.' && (pszFile[1] == '\\' || pszFile[1] == '/')) {
        if (!fnFormatText(szCommand, COUNTOF(szCommand), "%s\\%s", g_szHomeDir, pszFile + 2))
            return 0;
    } else if (!fnCopyText(szCommand, COUNTOF(szCommand), pszFile)) {
        return 0;
    }
    DWORD dwErr = GetLastError();
    BOOL bOpened = fnTryLaunches(szCommand, fnShellAttempt, &nShowWin);
    SetLastError(dwErr);
    return bOpened ? 1 : 0;
}

static void fnMainWindowTopMost(BOOL bTopMost)
{
    if (g_hwndMain)
        SetWindowPos(g_hwndMain, bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int fnExecProgram(HWND hwndParent, const char *pszExec, const char *pszAlsoCheckFor, int nShowWin, BOOL bWait,
                  BOOL bPreventExit, BOOL bErrorShow, BOOL bNoWin)
{
    (void)hwndParent;
    TRACE("fnExecProgram", "szExec=%s,\nszAlsoCheckFor=%s,\nnShowWin=%d,\nbWait=%d", pszExec,
          pszAlsoCheckFor ? pszAlsoCheckFor : "", nShowWin, bWait);
    fnPumpMessages();
    fnMainWindowTopMost(FALSE);
    int iRC = fnCreateProcess(pszExec, nShowWin, bWait ? kWaitServing : kWaitNone, bPreventExit, bNoWin,
                              bErrorShow ? kErrorStopSerious : kErrorSilent, TRUE);
    // A program that hands its work on to a second one (a setup starting
    // its own copy) is finished only when that one is gone too.
    if (iRC == kLaunchOk && pszAlsoCheckFor && pszAlsoCheckFor[0]) {
        while (fnIsExecRunning(pszAlsoCheckFor))
            fnWaitPumping(kdwAlsoCheckMs);
    }
    fnMainWindowTopMost(TRUE);
    return iRC;
}

int fnExecProgramTop(HWND hwndParent, const char *pszExec, const char *pszAlsoCheckFor, int nShowWin, BOOL bWait,
                     BOOL bPreventExit, BOOL bErrorShow, BOOL bNoWin)
{
    (void)hwndParent;
    TRACE("fnExecProgramTop", "szExec=%s,\nszAlsoCheckFor=%s,\nnShowWin=%d,\nbWait=%d", pszExec,
          pszAlsoCheckFor ? pszAlsoCheckFor : "", nShowWin, bWait);
    fnPumpMessages();
    return fnCreateProcess(pszExec, nShowWin, bWait ? kWaitServing : kWaitNone, bPreventExit, bNoWin,
                           bErrorShow ? kErrorStopSerious : kErrorSilent, TRUE);
}

int fnExecProgramAs(HWND hwndParent, const char *pszUser, const char *pszDomain, const char *pszPassword,
                    const char *pszExec, const char *pszAlsoCheckFor, int nShowWin, BOOL bWait, BOOL bPreventExit,
                    BOOL bErrorShow, BOOL bNoWin, BOOL bNetCredentials)
{
    (void)hwndParent;
    (void)pszAlsoCheckFor;
    fnPumpMessages();
    fnMainWindowTopMost(FALSE);
    int iRC = fnCreateProcessWithLogon(pszUser, pszDomain, pszPassword, pszExec, nShowWin, bWait, bPreventExit, bNoWin,
                                       bNetCredentials, bErrorShow ? kErrorStopSerious : kErrorSilent);
    fnMainWindowTopMost(TRUE);
    return iRC;
}
