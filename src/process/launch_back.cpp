#include "process/launch_back.h"

#include "base/path.h"
#include "base/registry.h"
#include "base/registry_text.h"
#include "base/running.h"
#include "expand/expand.h"
#include "files/install_copy.h"
#include "process/exec_line_text.h"
#include "process/launch.h"
#include "process/window_wait.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"

enum { kdwPassMs = 100 };

// Field uField expanded (cut to cchOut); 0 when missing, the field error shown.
static int fnRequiredField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut, BOOL bExpand)
{
    char szField[kcchInfLine];
    if (!fnInfParseFieldMsg(pszLine, uField, szField, COUNTOF(szField)))
        return 0;
    if (bExpand)
        fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, szField);
    return 1;
}

static int fnLetterField(char *pszLine, unsigned uField)
{
    char szField[kcchInfLine];
    fnInfParseField(pszLine, uField, szField, COUNTOF(szField));
    return fnUpperChar(fnSkipBlanks(szField)[0]);
}

static int fnReadExecKey(char *pszLine, LaunchBackStruct *pRec)
{
    if (!fnRequiredField(pszLine, 1, pRec->szExec, COUNTOF(pRec->szExec), TRUE))
        return 0;
    char szField[kcchInfLine];
    int bNoWin = 0;
    fnInfParseField(pszLine, 2, szField, COUNTOF(szField));
    pRec->nShowWin = fnExecShowValue(szField, &bNoWin);
    fnInfParseField(pszLine, 3, szField, COUNTOF(szField));
    const char *psz = fnSkipBlanks(szField);
    char cWait = fnUpperChar(psz[0]);
    BOOL bBlocking = cWait && fnUpperChar(psz[1]) == 'S';
    pRec->uWaitMode = cWait == 'N' ? kWaitNone : bBlocking ? kWaitBlocking : kWaitServing;
    pRec->bPreventExit = cWait == 'X';
    fnLogLine("Exec=%s, %d, %d, %u", 1, pRec->szExec, pRec->nShowWin, pRec->bPreventExit, pRec->uWaitMode);
    return 1;
}

// "WaitForWindow" and "WhileWindow" share one title; "ExitAtWindow" has its own.
static int fnReadWindowKey(char *pszLine, char *pszTitle, size_t cchTitle, BOOL *pbAllWin, unsigned *puLen)
{
    if (!fnRequiredField(pszLine, 1, pszTitle, cchTitle, TRUE))
        return 0;
    *pbAllWin = fnLetterField(pszLine, 2) != 'N';
    *puLen = fnLetterField(pszLine, 3) == 'N' ? (unsigned)strlen(pszTitle) : 0;
    return 1;
}

static int fnReadLaunchBackKey(char *pszLine, const char *pszKey, LaunchBackStruct *pRec)
{
    char szField[kcchInfLine];
    if (fnTextEqualI(pszKey, "Exec"))
        return fnReadExecKey(pszLine, pRec);
    if (fnTextEqualI(pszKey, "Refresh")) {
        char szSrc[kcchLaunchField], szDst[kcchLaunchField];
        if (!fnRequiredField(pszLine, 1, szSrc, COUNTOF(szSrc), FALSE) ||
            !fnRequiredField(pszLine, 2, szDst, COUNTOF(szDst), FALSE))
            return 0;
        fnLogLine("Refresh=%s, %s", 1, szSrc, szDst);
        if (pRec->uRefresh < kuRefreshPairs) {
            fnCopyText(pRec->szRefreshSrc[pRec->uRefresh], kcchLaunchField, szSrc);
            fnCopyText(pRec->szRefreshDst[pRec->uRefresh], kcchLaunchField, szDst);
            pRec->uRefresh++;
        }
        return 1;
    }
    if (fnTextEqualI(pszKey, "ExitAtWindow")) {
        if (!fnReadWindowKey(pszLine, pRec->szExitAtWin, COUNTOF(pRec->szExitAtWin), &pRec->bExitAllWin,
                             &pRec->uExitAtWinLen))
            return 0;
        fnLogLine("ExitAtWindow=%s, %d, %u", 1, pRec->szExitAtWin, pRec->bExitAllWin, pRec->uExitAtWinLen);
        return 1;
    }
    int bWaitFor = fnTextEqualI(pszKey, "WaitForWindow");
    if (bWaitFor || fnTextEqualI(pszKey, "WhileWindow")) {
        if (!fnReadWindowKey(pszLine, pRec->szWaitForWin, COUNTOF(pRec->szWaitForWin), &pRec->bWaitAllWin,
                             &pRec->uWaitForWinLen))
            return 0;
        if (bWaitFor)
            pRec->bWaitForWin = TRUE;
        else
            pRec->bWhileWin = TRUE;
        fnLogLine("%s=%s, %d, %u, %u", 1, bWaitFor ? "WaitForWindow" : "WhileWindow", pRec->szWaitForWin,
                  pRec->bWaitAllWin, pRec->uWaitForWinLen, 0u);
        return 1;
    }
    if (fnTextEqualI(pszKey, "WaitForExec")) {
        if (!fnRequiredField(pszLine, 1, pRec->szWaitForExec, COUNTOF(pRec->szWaitForExec), TRUE))
            return 0;
        pRec->bExecByPath = fnLetterField(pszLine, 2) != 'N';
        pRec->bExecEnded = fnLetterField(pszLine, 3) != 'N';
        fnLogLine("WaitForExec=%s, %d, %d, %u", 1, pRec->szWaitForExec, pRec->bExecByPath, pRec->bExecEnded, 0u);
        return 1;
    }
    if (fnTextEqualI(pszKey, "ReadReg")) {
        if (!fnRequiredField(pszLine, 1, szField, COUNTOF(szField), FALSE) ||
            !fnRequiredField(pszLine, 2, pRec->szRegKey, COUNTOF(pRec->szRegKey), TRUE))
            return 0;
        fnLogLine("ReadReg=%lu, %s", 1, (unsigned long)fnRegTypeOf(szField), pRec->szRegKey);
        return 1;
    }
    if (fnTextEqualI(pszKey, "BeQuiet")) {
        pRec->bQuiet = fnLetterField(pszLine, 1) == 'Y';
        fnLogLine("BeQuiet=%d", 1, pRec->bQuiet);
        return 1;
    }
    if (fnTextEqualI(pszKey, "Pause")) {
        fnInfParseField(pszLine, 1, szField, COUNTOF(szField));
        pRec->uPause = fnDecimalValue(szField);
        fnLogLine("Pause=%d", 1, (int)pRec->uPause);
        return 1;
    }
    pRec->bKeepTrying = fnLetterField(pszLine, 1) == 'Y';
    return 1;
}

int fnReadLaunchBackLines(const char *pszBody, LaunchBackStruct *pRec)
{
    memset(pRec, 0, sizeof(*pRec));
    pRec->nShowWin = kShowNormal;
    pRec->bKeepTrying = TRUE;
    static const char *const apszKeys[] = {"Exec",        "Refresh", "ExitAtWindow", "WaitForWindow", "WhileWindow",
                                           "WaitForExec", "ReadReg", "BeQuiet",      "Pause",         "KeepTrying"};
    char szLine[kcchInfLine], szKey[kcchInfLine];
    const char *pszPos = pszBody;
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        int iAction = fnInfLineAction(fnInfTestIfTwoFields(szLine, COUNTOF(szLine)));
        if (iAction == kLineEndSection)
            return kLaunchBackSkipRest;
        if (iAction == kLinePass)
            continue;
        if (!fnInfParseFieldMsg(szLine, 0, szKey, COUNTOF(szKey)))
            return kLaunchBackFailed;
        fnTrimBlanks(szKey);
        int bKnown = 0;
        for (const char *pszName : apszKeys)
            bKnown = bKnown || fnTextEqualI(szKey, pszName);
        if (!bKnown)
            break;
        if (!fnReadLaunchBackKey(szLine, szKey, pRec))
            return kLaunchBackFailed;
    }
    return kLaunchBackRead;
}

// The watch of the program and the windows: returns when its condition holds.
static void fnWatchLaunched(const LaunchBackStruct *pRec)
{
    WindowWatchStruct watch;
    fnInitWindowWatch(&watch, pRec->szWaitForWin, pRec->bWaitForWin, pRec->bWhileWin, pRec->bWaitAllWin, FALSE,
                      pRec->bKeepTrying);
    watch.uPrefixLen = pRec->uWaitForWinLen;
    BOOL bSeen = FALSE;
    for (;;) {
        fnPumpMessages();
        if (pRec->szWaitForExec[0]) {
            BOOL bRuns = pRec->bExecByPath ? fnTestForRunningExecPath(pRec->szWaitForExec)
                                           : fnTestForRunningExec(pRec->szWaitForExec);
            bSeen = bSeen || bRuns;
            if (bSeen && (pRec->bExecEnded ? !bRuns : bRuns))
                return;
        }
        if (pRec->szExitAtWin[0] && fnFindWindow(pRec->szExitAtWin, pRec->uExitAtWinLen, pRec->bExitAllWin))
            return;
        if (pRec->szWaitForWin[0] && fnWatchWindowPass(&watch))
            return;
        fnWaitPumping(kdwPassMs);
    }
}

// Reads the value named at the end of the key path into the run state.
static int fnReadBackRegistry(const LaunchBackStruct *pRec)
{
    char szPath[kcchRegKeyPath];
    fnCopyText(szPath, COUNTOF(szPath), pRec->szRegKey);
    HKEY hRoot = fnSplitRegKey(szPath);
    char szValue[kcbRegData] = "";
    DWORD dwType = 0;
    if (!hRoot || !fnGetRegistry(hRoot, &dwType, szPath, szValue, COUNTOF(szValue), kRegTextHex))
        return 0;
    fnStripTrailingBSlash(szValue);
    fnCopyText(g_szRegEntry, COUNTOF(g_szRegEntry), szValue);
    return 1;
}

// Copies one "Refresh" pair: the target goes first, the source keeps its
// time and attributes and is expanded when compressed.
static int fnRefreshPair(const char *pszSrc, const char *pszDst)
{
    char szSrc[kcchPath], szDst[kcchPath];
    fnCopyText(szSrc, COUNTOF(szSrc), pszSrc);
    fnCopyText(szDst, COUNTOF(szDst), pszDst);
    fnExpandOpts(szSrc, COUNTOF(szSrc));
    fnExpandOpts(szDst, COUNTOF(szDst));
    DeleteFileA(szDst);
    char szSrcDir[kcchPath], szSrcName[kcchPath], szDstDir[kcchPath], szDstName[kcchPath];
    fnPathSplit(szSrc, szSrcDir, COUNTOF(szSrcDir), szSrcName, COUNTOF(szSrcName));
    fnPathSplit(szDst, szDstDir, COUNTOF(szDstDir), szDstName, COUNTOF(szDstName));
    if (!szSrcDir[0] || strcmp(szSrcDir, ".") == 0)
        fnCopyText(szSrcDir, COUNTOF(szSrcDir), g_szSourceDir);
    DWORD dwBits = fnExpandCopyFile(szSrcDir, szSrcName, szDstDir, szDstName, TRUE);
    TRACE("fnReadLaunchAndBack", "Refresh szSource=%s,\nszTarget=%s,\ndwResult=%lu", szSrc, szDst, dwBits);
    return dwBits == 0;
}

int fnReadLaunchAndBack(HWND hwndParent, const char *pszBody)
{
    TRACE("fnReadLaunchAndBack", "%s", "Begin");
    LaunchBackStruct rec;
    int iRead = fnReadLaunchBackLines(pszBody, &rec);
    if (iRead != kLaunchBackRead)
        return iRead == kLaunchBackSkipRest ? 1 : 0;
    HWND hwndMain = g_hwndMain ? g_hwndMain : hwndParent;
    if (rec.szExec[0]) {
        if (rec.bQuiet && hwndMain)
            ShowWindow(hwndMain, SW_HIDE);
        int iRC = fnCreateProcess(rec.szExec, rec.nShowWin, rec.uWaitMode, rec.bPreventExit, FALSE,
                                  rec.bQuiet ? kErrorSilent : kErrorStopSerious, TRUE);
        if (iRC != kLaunchOk) {
            if (rec.bQuiet && !g_bQuiet && hwndMain)
                ShowWindow(hwndMain, SW_SHOWNA);
            return 0;
        }
    }
    if (rec.szWaitForExec[0] || rec.szExitAtWin[0] || rec.szWaitForWin[0])
        fnWatchLaunched(&rec);
    BOOL bSilent = rec.bQuiet || g_bQuiet;
    if (!bSilent)
        MessageBeep((UINT)-1);
    if (rec.uPause)
        fnWaitPumping(rec.uPause * 100);
    int iResult = 1;
    if (rec.szRegKey[0] && !fnReadBackRegistry(&rec))
        iResult = 0;
    for (unsigned u = 0; u < rec.uRefresh; u++) {
        if (!fnRefreshPair(rec.szRefreshSrc[u], rec.szRefreshDst[u]))
            iResult = 0;
        if (!bSilent)
            MessageBeep((UINT)-1);
    }
    if (rec.bQuiet && !g_bQuiet && hwndMain) {
        ShowWindow(hwndMain, SW_SHOWNA);
        SetWindowPos(hwndMain, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return iResult;
}

int fnLaunchAndBackSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnReadLaunchAndBack(hwndMain, fnInfSectionBody(pszSection));
}
