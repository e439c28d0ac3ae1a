// The end of the run: the closing message and exit action, the clean-up of a
// load and the removal of the program file after the process ends.
#ifndef SETUP32_APP_EXIT_H
#define SETUP32_APP_EXIT_H

#include <windows.h>
#include <stddef.h>

struct UserInputStruct;

int fnUserExit(HWND hwndMain, UserInputStruct *pInput);                  // closing message and exit action; 1
int fnCleanUp(HCURSOR hcurRestore, class CGlobalBlock *pScript, HWND *phwndInit);  // frees the script and the "Initializing" window; 1
int fnSelfDestruct(BOOL bDoNow);                                         // 1 batch file started (or nothing to do), 0 failed
int fnFormatSelfDestructBatch(char *pszOut, size_t cchOut, const char *pszMarker, const char *pszProgram,
                              const char *pszBatch);                     // the removal batch text; 1 whole, 0 cut
int fnWriteSelfDestructBatch(const char *pszBatch, const char *pszMarker, const char *pszProgram);  // writes the batch file and the marker; 1 both written, 0 neither left behind
int fnExitWindowsPrivileged(UINT uFlags);                                // enables the shutdown privilege and asks Windows to exit; 1 accepted

#endif
