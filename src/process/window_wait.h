// Finding windows by their title and waiting for a window to appear or to go.
#ifndef SETUP32_PROCESS_WINDOW_WAIT_H
#define SETUP32_PROCESS_WINDOW_WAIT_H

#include <windows.h>

// What the window watch carries from one pass to the next.
struct WindowWatchStruct {
    const char *pszTitle;  // the title looked for; empty or NULL watches nothing
    unsigned uPrefixLen;   // 0 whole-title match, else only the first uPrefixLen characters are compared
    BOOL bAllWin;          // also child windows and titles of any case, read with WM_GETTEXT
    BOOL bWaitForWin;      // the watch ends once the window exists
    BOOL bWhileWin;        // the watch ends once the window, seen before, is gone
    BOOL bKeepTrying;      // while-mode: a window not there yet is waited for instead of counting as gone
    HWND hwnd;             // the window found, NULL before
    DWORD dwPid;           // its process, 0 unknown
    BOOL bFound;           // the window was seen
};

HWND fnFindWindowText(const char *pszTitle, unsigned uPrefixLen);  // first top-level or child window whose text matches (any case), or NULL
HWND fnFindWindow(const char *pszTitle, unsigned uPrefixLen, BOOL bAllWin);  // bAllWin: fnFindWindowText, else a top-level window of exactly that title; NULL none
BOOL fnFindPID(DWORD dwPid);          // TRUE when the process can be opened and has not ended (or its exit code cannot be read)
void fnInitWindowWatch(WindowWatchStruct *pWatch, const char *pszTitle, BOOL bWaitForWin, BOOL bWhileWin, BOOL bAllWin,
                       BOOL bMatchBegin, BOOL bKeepTrying);  // fills the record, nothing found yet
int fnWatchWindowPass(WindowWatchStruct *pWatch);  // one pass of the watch; 1 the watch is over, 0 it goes on
int fnWaitForWindow(const char *pszTitle, BOOL bWaitForWin, BOOL bWhileWin, BOOL bAllWin, BOOL bMatchBegin,
                    BOOL bKeepTrying);  // passes every 100 ms serving messages until the watch is over; 0 (also at once for an empty title)

#endif
