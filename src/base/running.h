// Whether a program of a given name or path runs, on either process list of
// Windows (the Toolhelp snapshot, or the registry's performance data where
// Toolhelp is missing), and closing it.
#ifndef SETUP32_BASE_RUNNING_H
#define SETUP32_BASE_RUNNING_H

#include <windows.h>
#include <stddef.h>

DWORD fnFindProcessTH(const char *pszName, BOOL bFileNamePart, BOOL bExcludeServices);  // Toolhelp: the first matching process id, 0 none
int fnGetNTPerfIndex(char *pszObject, size_t cchObject, DWORD *pdwCounter);  // indices of "Process" (as text) and "ID Process"; 1 found, 0 not
int fnGetNTProcessFullName(DWORD dwPid, char *pszFull, size_t cchFull, char *pszName, size_t cchName);  // image path and its file name ("-Unknown-" when unreadable); 1 read, 0 not
int fnWalkNTProcessInfo(DWORD *pdwPid, const char *pszName, char *pszFull, size_t cchFull, BOOL bFileNamePart,
                        BOOL bExcludeServices);  // performance data: 1 the process of *pdwPid (or the first matching pszName, id stored) found, 0 not
int fnIsProcessAService(DWORD dwPid);         // 1 the process runs as a service, 0 interactive or undetermined
DWORD fnFindRunningProcess(const char *pszName, BOOL bFileNamePart, BOOL bExcludeServices);  // on the facility chosen at start-up: process id, 0 none
int fnTestForRunningExec(const char *pszName);      // 1 a process matches by its executable name, full path or file-name part (no services)
int fnTestForRunningExecPath(const char *pszName);  // 1 a process matches by its executable name or full path exactly (no services)
int fnIsExecRunning(const char *pszName);           // fnTestForRunningExec, else fnTestForRunningExecPath
int fnCloseProcess(DWORD dwPid);                    // 1 the process was terminated, 0 not
int fnCloseRunningExec(const char *pszExec, BOOL bTerminateFirst);  // 1 terminated or a close request posted to its window, 0 neither
int fnWaitWhileRunning(const char *pszExec, DWORD dwMs);  // waits (serving messages) up to dwMs while it runs; 1 it no longer runs, 0 still running

#endif
