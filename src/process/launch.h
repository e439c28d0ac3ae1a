// Starting other programs: the process launch with its optional wait, and
// the launch of a program with the main window stepped out of the way.
#ifndef SETUP32_PROCESS_LAUNCH_H
#define SETUP32_PROCESS_LAUNCH_H

#include <windows.h>

// Launch results.
enum { kLaunchFailed = 0, kLaunchOk = 1, kLaunchStop = 2, kLaunchStopRequest = 7 };

// Wait modes of fnCreateProcess.
enum { kWaitNone = 0, kWaitServing = 1, kWaitBlocking = 2 };

enum { kcchExec = 1040 };

int fnCreateProcess(const char *pszExec, int nShowWin, unsigned uWaitMode, BOOL bPreventExit, BOOL bNoWin,
                    unsigned uErrorMsg, BOOL bInherit);  // 1 started (and, waiting, ended); 0 not started; 7 a quit or log-off ended the wait
int fnExecProgram(HWND hwndParent, const char *pszExec, const char *pszAlsoCheckFor, int nShowWin, BOOL bWait,
                  BOOL bPreventExit, BOOL bErrorShow, BOOL bNoWin);  // fnCreateProcess with the main window not top-most meanwhile; its result

#endif
