#include "process/window_wait.h"

#include "run/guards.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"

enum {
    kcchWindowText = 260,
    kdwGetTextMs = 1000,   // a window that does not answer its text within this is passed over
    kdwPassMs = 100,       // pause between two passes of the watch
    kdwResearchMs = 1000,  // pause between two searches for a window that went
    kuResearches = 10,     // searches for a window that went before it counts as gone
};

struct FindTextStruct {
    const char *pszTitle;
    unsigned uPrefixLen;
    HWND hwndFound;
};

// The text is asked for with a time limit, so a hung window cannot hang the search.
static int fnWindowTextMatches(HWND hwnd, const FindTextStruct *pFind)
{
    char szText[kcchWindowText] = "";
    DWORD_PTR dwResult = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, COUNTOF(szText), (LPARAM)szText, SMTO_ABORTIFHUNG, kdwGetTextMs,
                             &dwResult))
        return 0;
    szText[COUNTOF(szText) - 1] = '\0';
    if (pFind->uPrefixLen == 0)
        return fnTextEqualI(szText, pFind->pszTitle);
    return strlen(szText) >= pFind->uPrefixLen && fnTextEqualNI(szText, pFind->pszTitle, pFind->uPrefixLen);
}

static BOOL CALLBACK fnFindChildProc(HWND hwnd, LPARAM lParam)
{
    FindTextStruct *pFind = (FindTextStruct *)lParam;
    if (!fnWindowTextMatches(hwnd, pFind))
        return TRUE;
    pFind->hwndFound = hwnd;
    return FALSE;
}

static BOOL CALLBACK fnFindTopProc(HWND hwnd, LPARAM lParam)
{
    FindTextStruct *pFind = (FindTextStruct *)lParam;
    if (fnWindowTextMatches(hwnd, pFind))
        pFind->hwndFound = hwnd;
    else
        EnumChildWindows(hwnd, fnFindChildProc, lParam);
    return pFind->hwndFound == NULL;
}

HWND fnFindWindowText(const char *pszTitle, unsigned uPrefixLen)
{
    TRACE("fnFindWindowText", "lpszTitle=%s,\nuLen=%u", pszTitle, uPrefixLen);
    FindTextStruct find = {pszTitle, uPrefixLen, NULL};
    if (!pszTitle || !pszTitle[0])
        return NULL;
    EnumWindows(fnFindTopProc, (LPARAM)&find);
    return find.hwndFound;
}

HWND fnFindWindow(const char *pszTitle, unsigned uPrefixLen, BOOL bAllWin)
{
    if (!pszTitle || !pszTitle[0])
        return NULL;
    if (bAllWin)
        return fnFindWindowText(pszTitle, uPrefixLen);
    return FindWindowExA(NULL, NULL, NULL, pszTitle);
}

BOOL fnFindPID(DWORD dwPid)
{
    CHandle hProcess(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, dwPid));
    if (!hProcess.IsValid())
        return FALSE;
    DWORD dwExit = 0;
    if (!GetExitCodeProcess(hProcess.Get(), &dwExit))
        return TRUE;
    return dwExit == STILL_ACTIVE;
}

void fnInitWindowWatch(WindowWatchStruct *pWatch, const char *pszTitle, BOOL bWaitForWin, BOOL bWhileWin, BOOL bAllWin,
                       BOOL bMatchBegin, BOOL bKeepTrying)
{
    memset(pWatch, 0, sizeof(*pWatch));
    pWatch->pszTitle = pszTitle;
    pWatch->uPrefixLen = (bMatchBegin && pszTitle) ? (unsigned)strlen(pszTitle) : 0;
    pWatch->bAllWin = bAllWin;
    pWatch->bWaitForWin = bWaitForWin;
    pWatch->bWhileWin = bWhileWin;
    pWatch->bKeepTrying = bKeepTrying;
}

static HWND fnSearchWatched(WindowWatchStruct *pWatch)
{
    HWND hwnd = fnFindWindow(pWatch->pszTitle, pWatch->uPrefixLen, pWatch->bAllWin);
    if (hwnd) {
        pWatch->hwnd = hwnd;
        pWatch->dwPid = 0;
        GetWindowThreadProcessId(hwnd, &pWatch->dwPid);
    }
    return hwnd;
}

// A window seen before is there while its handle is a window and its process
// runs: a closed window of a program that goes on running is gone (handles of
// ended programs may be given to new windows, hence the process test).
static int fnWatchedStillThere(const WindowWatchStruct *pWatch)
{
    if (!IsWindow(pWatch->hwnd))
        return 0;
    return pWatch->dwPid == 0 || fnFindPID(pWatch->dwPid);
}

int fnWatchWindowPass(WindowWatchStruct *pWatch)
{
    if (!pWatch->pszTitle || !pWatch->pszTitle[0] || (!pWatch->bWaitForWin && !pWatch->bWhileWin))
        return 1;
    if (!pWatch->bFound) {
        if (fnSearchWatched(pWatch)) {
            pWatch->bFound = TRUE;
            return pWatch->bWaitForWin;
        }
        return pWatch->bWhileWin && !pWatch->bKeepTrying;
    }
    if (pWatch->bWaitForWin)
        return 1;
    if (fnWatchedStillThere(pWatch) || fnSearchWatched(pWatch))
        return 0;
    // Gone: a program that shows its window anew within a few seconds is
    // still at work.
    for (unsigned u = 0; u < kuResearches; u++) {
        fnWaitPumping(kdwResearchMs);
        if (fnSearchWatched(pWatch))
            return 0;
    }
    return 1;
}

int fnWaitForWindow(const char *pszTitle, BOOL bWaitForWin, BOOL bWhileWin, BOOL bAllWin, BOOL bMatchBegin,
                    BOOL bKeepTrying)
{
    TRACE("fnWaitForWindow", "lpszTitle=%s,\nbWaitForWin=%d,\nbWhileWin=%d,\nbAllWin=%d,\nbMatchBegin=%d,\nbKeepTrying=%d",
          pszTitle ? pszTitle : "", bWaitForWin, bWhileWin, bAllWin, bMatchBegin, bKeepTrying);
    WindowWatchStruct watch;
    fnInitWindowWatch(&watch, pszTitle, bWaitForWin, bWhileWin, bAllWin, bMatchBegin, bKeepTrying);
    for (;;) {
        fnPumpMessages();
        if (fnWatchWindowPass(&watch))
            return 0;
        fnWaitPumping(kdwPassMs);
    }
}
