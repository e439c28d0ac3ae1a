#include "app/exit.h"

#include "base/path.h"
#include "process/launch.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "app/startup.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/input.h"
#include "resource.h"

// Exit actions.
enum {
    kExitNone = 0,
    kExitWindows = 1,
    kExitExec = 2,
    kExitRestartWin = 3,
    kExitMustRestart = 4,
    kExitReboot = 5,
    kExitRestartWithMsg = 6,
    kExitExecTop = 7,
    kExitRestartNoAsk = 8,
    kExitRestartAtOnce = 9,
};

// Planned, for an installation: how the restart shows in the system's log.
static const DWORD kdwExitReason = SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_INSTALLATION |
                                   SHTDN_REASON_FLAG_PLANNED;

// What the end of the run did about restarting, for the exit code.
struct ExitOutcomeStruct {
    BOOL bFailed;         // the walk failed: its code stands
    BOOL bRestartNeeded;  // a restart or shut-down was called for
    BOOL bRestarting;     // Windows accepted a request to restart or shut down
};

static void fnShowClosingText(const char *pszText)
{
    fnMsgBox(0, NULL, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL | MB_SETFOREGROUND, "%s", pszText);
}

static void fnRaiseMain(HWND hwndMain)
{
    if (hwndMain) {
        SetWindowPos(hwndMain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(hwndMain);
    }
    fnPumpMessages();
}

int fnExitWindowsPrivileged(UINT uFlags)
{
    HANDLE hToken = NULL;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken)) {
        CHandle token(hToken);
        TOKEN_PRIVILEGES tp = {};
        tp.PrivilegeCount = 1;
        tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (LookupPrivilegeValueA(NULL, "SeShutdownPrivilege", &tp.Privileges[0].Luid))
            AdjustTokenPrivileges(token.Get(), FALSE, &tp, 0, NULL, NULL);
    }
    BOOL bOk = ExitWindowsEx(uFlags, kdwExitReason);
    TRACE("fnExitWindowsPrivileged", "uFlags=%u,\nbOk=%d,\ndwError=%lu", uFlags, bOk, bOk ? 0ul : GetLastError());
    return bOk ? 1 : 0;
}

// Asks Windows to exit. The end of the session may reach the main window
// while this is still under way, and its quit message carries the exit code
// as it is then: so the code says "restarting" before the request is made.
static int fnRequestExit(UINT uFlags, BOOL bPrivileged, ExitOutcomeStruct *pOutcome)
{
    unsigned uPrevious = g_uExitCode;
    if (!pOutcome->bFailed)
        g_uExitCode = kExitRestarting;
    int bOk = bPrivileged ? fnExitWindowsPrivileged(uFlags) : (ExitWindowsEx(uFlags, kdwExitReason) ? 1 : 0);
    if (bOk)
        pOutcome->bRestarting = TRUE;
    else
        g_uExitCode = uPrevious;
    return bOk;
}

// The privileged exit; when Windows refuses, the question uMsgId and, on Yes,
// a second plain request.
static void fnExitWithFallback(UINT uFlags, UINT uMsgId, ExitOutcomeStruct *pOutcome)
{
    pOutcome->bRestartNeeded = TRUE;
    if (fnRequestExit(uFlags, TRUE, pOutcome))
        return;
    if (fnMsgBox(uMsgId, NULL, MB_YESNO | MB_ICONINFORMATION | MB_SETFOREGROUND) == IDYES)
        fnRequestExit(uFlags, FALSE, pOutcome);
}

// Asks uAskId (or the text pszAsk) and, on Yes, exits with the fallback.
static void fnAskThenExit(UINT uAskId, const char *pszAsk, UINT uFlags, UINT uFallbackId, ExitOutcomeStruct *pOutcome)
{
    pOutcome->bRestartNeeded = TRUE;
    int iAnswer = pszAsk ? fnMsgBox(IDS_RESTART_ASK_TEXT, NULL, MB_YESNO | MB_ICONINFORMATION | MB_SETFOREGROUND, pszAsk)
                         : fnMsgBox(uAskId, NULL, MB_YESNO | MB_ICONINFORMATION);
    if (iAnswer == IDYES)
        fnExitWithFallback(uFlags, uFallbackId, pOutcome);
}

// The restart or shut-down of the exit action.
static void fnExitAction(unsigned uAction, const UserInputStruct *pInput, ExitOutcomeStruct *pOutcome)
{
    switch (uAction) {
    case kExitRestartAtOnce:
        pOutcome->bRestartNeeded = TRUE;
        fnRequestExit(EWX_REBOOT, FALSE, pOutcome);
        break;
    case kExitRestartNoAsk:
        fnExitWithFallback(EWX_REBOOT, IDS_REBOOT_ASK_AGAIN, pOutcome);
        break;
    case kExitMustRestart:
        pOutcome->bRestartNeeded = TRUE;
        if (g_bShowMustRestartMsg)
            fnAskThenExit(IDS_RESTART_ASK, NULL, EWX_REBOOT, IDS_REBOOT_ASK_AGAIN, pOutcome);
        break;
    case kExitReboot:
        fnAskThenExit(IDS_REBOOT_ASK, NULL, EWX_REBOOT, IDS_REBOOT_ASK_AGAIN, pOutcome);
        break;
    case kExitRestartWin:
        fnAskThenExit(IDS_RESTART_ASK, NULL, EWX_REBOOT, IDS_RESTART_ASK_SETUP, pOutcome);
        break;
    case kExitRestartWithMsg:
        // A question without words would be no question: the usual one stands in.
        fnAskThenExit(IDS_RESTART_ASK, pInput->szRestartMsg[0] ? pInput->szRestartMsg : NULL, EWX_REBOOT,
                      IDS_RESTART_ASK_SETUP, pOutcome);
        break;
    case kExitWindows:
        fnAskThenExit(IDS_EXITWIN_ASK, NULL, EWX_SHUTDOWN, IDS_EXITWIN_ASK_AGAIN, pOutcome);
        break;
    default:
        break;
    }
}

// Runs the exit program; on failure says so and silences the closing text.
static void fnRunExitProgram(HWND hwndMain, UserInputStruct *pInput)
{
    HWND hwndBlank = NULL;
    if (g_uShowVSWin == 0 && g_bQuiet && !g_bUnattended)
        hwndBlank = fnBlankOwnerWindow(hwndMain, 0);
    int iRC = fnExecProgram(hwndBlank ? hwndBlank : hwndMain, pInput->szExitExec, "", SW_SHOWNORMAL, FALSE, FALSE,
                            FALSE, FALSE);
    if (iRC != kLaunchOk) {
        fnMsgBox(IDS_CANNOT_LOAD, NULL, MB_OK | MB_ICONERROR, pInput->szExitExec);
        pInput->uQuiet = 0;
    }
    fnWaitPumping(100);
    if (hwndBlank)
        DestroyWindow(hwndBlank);
}

int fnUserExit(HWND hwndMain, UserInputStruct *pInput)
{
    TRACE("fnUserExit", "g_bSelfDestruct=%d,\ng_uOnExit=%u,\nuQuiet=%u,\nszExitMsg=%s,\nszExitExec=%s", g_bSelfDestruct,
          g_uOnExit, pInput->uQuiet, pInput->szExitMsg, pInput->szExitExec);
    fnRaiseMain(hwndMain);

    char szText[kcchMessage];
    if (pInput->bFailed) {
        if (g_szErrorMsg[0])
            fnCopyText(szText, COUNTOF(szText), g_szErrorMsg);
        else
            fnLoadText(IDS_INSTALL_FAILED, szText, COUNTOF(szText));
    } else if (pInput->szExitMsg[0]) {
        fnCopyText(szText, COUNTOF(szText), pInput->szExitMsg);
    } else {
        fnLoadText(IDS_INSTALL_OK, szText, COUNTOF(szText));
    }
    // A person's stop is neither a success nor a failure of the script: its
    // code stands whatever the walk or the exit action did.
    if (g_bUnattendedFailed)
        pInput->bFailed = TRUE;
    ExitOutcomeStruct outcome = {pInput->bFailed || g_bUserCancelled, FALSE, FALSE};
    g_uExitCode = g_bUserCancelled ? kExitCancelled : pInput->bFailed ? kExitFailed : kExitOk;

    // A run the script ended on request (a message box's exit rule, "ExitNow")
    // has installed nothing to report: no closing text then.
    if (g_bLoaderDone)
        pInput->uQuiet = 0;
    // A person who stopped the run knows it ended: no closing text either.
    if (g_bUserCancelled)
        pInput->uQuiet = 0;

    // The action the run state holds; the input record's own (restarts asked
    // for by the input sections) when the run state has none.
    unsigned uAction = g_uOnExit ? g_uOnExit : pInput->uOnExit;
    if (uAction == kExitNone) {
        if (pInput->uQuiet == 1)
            fnShowClosingText(szText);
        if (g_bShowErrorMsg && pInput->bFailed && !g_bLoaderDone && !g_bUserCancelled)
            fnShowClosingText(szText);
    } else {
        if ((uAction == kExitExec || uAction == kExitExecTop) && pInput->szExitExec[0])
            fnRunExitProgram(hwndMain, pInput);
        if (pInput->uQuiet == 1)
            fnShowClosingText(szText);
    }

    if (g_bMustRestartAtExit)
        fnExitWithFallback(EWX_REBOOT, IDS_REBOOT_ASK_AGAIN, &outcome);
    fnExitAction(uAction, pInput, &outcome);
    // Work left for the next restart is reported whatever exit action ran.
    if (g_bRestartPending && !outcome.bRestarting)
        outcome.bRestartNeeded = TRUE;

    if (!outcome.bFailed)
        g_uExitCode = outcome.bRestarting ? kExitRestarting : outcome.bRestartNeeded ? kExitRestartNeeded : kExitOk;
    TRACE("fnUserExit", "uAction=%u,\nbRestartNeeded=%d,\nbRestarting=%d,\ng_uExitCode=%u", uAction,
          outcome.bRestartNeeded, outcome.bRestarting, g_uExitCode);
    fnRaiseMain(hwndMain);
    return 1;
}

int fnCleanUp(HCURSOR hcurRestore, CGlobalBlock *pScript, HWND *phwndInit)
{
    fnPumpMessages();
    TRACE("fnCleanUp", "Clean up for Exit");
    if (hcurRestore)
        SetCursor(hcurRestore);
    if (pScript)
        pScript->fnFree();
    if (phwndInit && *phwndInit) {
        if (IsWindow(*phwndInit))
            DestroyWindow(*phwndInit);
        *phwndInit = NULL;
    }
    return 1;
}

int fnFormatSelfDestructBatch(char *pszOut, size_t cchOut, const char *pszMarker, const char *pszProgram,
                              const char *pszBatch)
{
    return fnFormatText(pszOut, cchOut,
                        "@echo off\r\n"
                        "if not exist \"%s\" goto Exit\r\n"
                        ":Loop\r\n"
                        "del \"%s\"\r\n"
                        "if exist \"%s\" goto Loop\r\n"
                        "del \"%s\"\r\n"
                        ":Exit\r\n"
                        "del \"%s\"\r\n",
                        pszMarker, pszProgram, pszProgram, pszMarker, pszBatch);
}

static int fnWriteNewFile(const char *pszFile, const char *pszText)
{
    CFileHandle hFile(CreateFileA(pszFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid())
        return 0;
    DWORD cbText = (DWORD)strlen(pszText);
    DWORD cbWritten = 0;
    if (!WriteFile(hFile.Get(), pszText, cbText, &cbWritten, NULL) || cbWritten != cbText)
        return 0;
    return hFile.fnClose() ? 1 : 0;
}

int fnWriteSelfDestructBatch(const char *pszBatch, const char *pszMarker, const char *pszProgram)
{
    char szBatch[4 * kcchPath + 256];
    if (fnFormatSelfDestructBatch(szBatch, COUNTOF(szBatch), pszMarker, pszProgram, pszBatch) &&
        fnWriteNewFile(pszBatch, szBatch) && fnWriteNewFile(pszMarker, "\r\n"))
        return 1;
    DeleteFileA(pszBatch);
    DeleteFileA(pszMarker);
    return 0;
}

// Names the batch file and makes the marker beside the program. 0 on failure
// (nothing left behind).
static int fnPrepareSelfDestruct(char *pszBatch, size_t cchBatch, char *pszMarker, size_t cchMarker,
                                 char *pszProgram, size_t cchProgram)
{
    char szTemp[kcchPath];
    DWORD cch = GetTempPathA(COUNTOF(szTemp), szTemp);
    if (cch == 0 || cch >= COUNTOF(szTemp))
        return 0;
    if (szTemp[cch - 1] == '\\')
        szTemp[cch - 1] = '\0';
    if (!fnFormatText(pszBatch, cchBatch, "%s\\_KRDEL.BAT", szTemp))
        return 0;
    if (!fnModuleFileName(pszProgram, cchProgram))
        return 0;
    char szDir[kcchPath];
    fnCopyText(szDir, COUNTOF(szDir), pszProgram);
    char *pszSlash = strrchr(szDir, '\\');
    if (!pszSlash)
        return 0;
    *pszSlash = '\0';
    // GetTempFileNameA writes up to MAX_PATH characters.
    if (cchMarker < MAX_PATH || !GetTempFileNameA(szDir, "_KR", 0, pszMarker))
        return 0;
    return 1;
}

int fnSelfDestruct(BOOL bDoNow)
{
    // The end of the log-on and the destruction of the main window both ask
    // for the removal: one batch file is enough.
    TRACE("fnSelfDestruct", "bDoNow=%d", bDoNow);
    if (!bDoNow || g_bSelfDestructStarted)
        return 1;
    char szBatch[kcchPath], szMarker[kcchPath], szProgram[kcchPath];
    if (!fnPrepareSelfDestruct(szBatch, COUNTOF(szBatch), szMarker, COUNTOF(szMarker), szProgram,
                               COUNTOF(szProgram))) {
        TRACE("fnSelfDestruct", "no batch file: dwError=%lu", GetLastError());
        return 0;
    }
    if (!fnWriteSelfDestructBatch(szBatch, szMarker, szProgram)) {
        TRACE("fnSelfDestruct", "cannot write %s", szBatch);
        return 0;
    }
    char szCommand[kcchExec];
    fnFormatText(szCommand, COUNTOF(szCommand), "\"%s\"", szBatch);
    if (fnCreateProcess(szCommand, SW_SHOWNOACTIVATE, kWaitNone, FALSE, TRUE, 0, TRUE) != kLaunchOk) {
        TRACE("fnSelfDestruct", "cannot start %s", szBatch);
        DeleteFileA(szBatch);
        DeleteFileA(szMarker);
        return 0;
    }
    g_bSelfDestructStarted = TRUE;
    return 1;
}
