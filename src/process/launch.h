// Starting other programs: the process launch with its optional wait, the
// launch under another user's logon, the shell's "open", and the reporting
// of a launch that failed.
#ifndef SETUP32_PROCESS_LAUNCH_H
#define SETUP32_PROCESS_LAUNCH_H

#include <windows.h>
#include <stddef.h>

// Launch results.
enum { kLaunchFailed = 0, kLaunchOk = 1, kLaunchStop = 2, kLaunchStopRequest = 7 };

// Wait modes of fnCreateProcess.
enum { kWaitNone = 0, kWaitServing = 1, kWaitBlocking = 2 };

// Forms of launch-error reporting (uErrorMsg).
enum { kErrorSilent = 0, kErrorAsk = 1, kErrorStopSerious = 2, kErrorReport = 3 };

enum { kcchExec = 1040, kcchExecShort = 260, kcchAlsoCheckFor = 259 };

int fnExecFits(const char *pszExec, size_t cchLimit);  // 1 the command fits cchLimit (with its NUL); 0 refused, reported unless quiet
int fnCreateProcess(const char *pszExec, int nShowWin, unsigned uWaitMode, BOOL bPreventExit, BOOL bNoWin,
                    unsigned uErrorMsg, BOOL bInherit);  // 1 started (and, waiting, ended); 0/2 not started (fnLaunchError); 7 a quit or log-off ended the wait
int fnCreateProcessWithLogon(const char *pszUser, const char *pszDomain, const char *pszPassword, const char *pszExec,
                             int nShowWin, BOOL bWait, BOOL bPreventExit, BOOL bNoWin, BOOL bNetCredentials,
                             unsigned uErrorMsg);  // as fnCreateProcess under that logon; 0 when the logon launch is missing
int fnShellExec(const char *pszFile, int nShowWin);  // 1 the shell opened it ("open"), else 0
int fnLaunchError(const char *pszExec, int nShowWin, unsigned uErrorMsg);  // tries the shell, then reports: 1 opened, 0 go on, 2 stop, 7 the user stops
int fnExecProgram(HWND hwndParent, const char *pszExec, const char *pszAlsoCheckFor, int nShowWin, BOOL bWait,
                  BOOL bPreventExit, BOOL bErrorShow, BOOL bNoWin);  // main window not top-most meanwhile; then waits while pszAlsoCheckFor runs; launch result
int fnExecProgramTop(HWND hwndParent, const char *pszExec, const char *pszAlsoCheckFor, int nShowWin, BOOL bWait,
                     BOOL bPreventExit, BOOL bErrorShow, BOOL bNoWin);  // the launch alone, the main window left as it is; launch result
int fnExecProgramAs(HWND hwndParent, const char *pszUser, const char *pszDomain, const char *pszPassword,
                    const char *pszExec, const char *pszAlsoCheckFor, int nShowWin, BOOL bWait, BOOL bPreventExit,
                    BOOL bErrorShow, BOOL bNoWin, BOOL bNetCredentials);  // fnCreateProcessWithLogon, main window not top-most meanwhile; launch result

#endif
