// [LaunchAndBack]: start one program, watch it (or windows and programs it
// opens) until a condition holds, then read a registry value and copy files
// back.
#ifndef SETUP32_PROCESS_LAUNCH_BACK_H
#define SETUP32_PROCESS_LAUNCH_BACK_H

#include <windows.h>

#include "run/run_state.h"
#include "script/input.h"

enum { kuRefreshPairs = 10, kcchLaunchField = 260, kcchRegKeyPath = 1024 };

// The section, read whole before anything runs.
struct LaunchBackStruct {
    char szExec[kcchLaunchField];
    int nShowWin;
    unsigned uWaitMode;   // kWaitNone, kWaitServing or kWaitBlocking
    BOOL bPreventExit;
    char szRefreshSrc[kuRefreshPairs][kcchLaunchField];
    char szRefreshDst[kuRefreshPairs][kcchLaunchField];
    unsigned uRefresh;
    char szExitAtWin[kcchLaunchField];
    BOOL bExitAllWin;
    unsigned uExitAtWinLen;
    char szWaitForWin[kcchLaunchField];
    BOOL bWaitAllWin;
    unsigned uWaitForWinLen;
    BOOL bWaitForWin;     // mode: wait for the window
    BOOL bWhileWin;       // mode: wait while the window exists
    char szWaitForExec[kcchLaunchField];
    BOOL bExecByPath;
    BOOL bExecEnded;      // wait for its end (else for its start)
    char szRegKey[kcchRegKeyPath];
    BOOL bQuiet;
    unsigned uPause;      // tenths of a second
    BOOL bKeepTrying;
};

enum { kLaunchBackRead = 1, kLaunchBackFailed = 0, kLaunchBackSkipRest = 2 };
int fnReadLaunchBackLines(const char *pszBody, LaunchBackStruct *pRec);  // 1 read, 0 a bad line (reported), 2 a condition ended the section
int fnReadLaunchAndBack(HWND hwndParent, const char *pszBody);  // 1 launched, waited, read and copied; 0 something failed
int fnLaunchAndBackSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                           const char *pszRest);

#endif
