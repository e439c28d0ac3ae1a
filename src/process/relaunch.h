// Running the rest of the work from a copy of this program in the temporary
// directory ("-t"), so that the medium it was started from can be changed.
#ifndef SETUP32_PROCESS_RELAUNCH_H
#define SETUP32_PROCESS_RELAUNCH_H

#include <windows.h>
#include <stddef.h>

enum { kcchCopyCommand = 1400 };  // the copy's command line: five paths and the switches

int fnMakeTempCopy(const char *pszExec, const char *pszTrace, char *pszCopy, size_t cchCopy);  // copies the program as g_szDefaultExec into the temporary directory; 1 made, 0 not (message shown)
int fnBuildCopyCommand(const char *pszCopy, char *pszOut, size_t cchOut);  // the copy's command line: same script, home (as source) and destination, event log, quiet when this run is, "-t"; 1 whole
int fnStartTempCopy(const char *pszCommand);  // starts it without waiting; 1 started
int fnReloadExec(HWND hwndMain, const char *pszExec);  // copy, then start it; 1 started (this run is to end quietly), 0 not

#endif
