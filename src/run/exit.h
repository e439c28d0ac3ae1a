// The end of the run: the closing message and exit action, the clean-up of a
// load and the removal of the program file after the process ends.
#ifndef SETUP32_RUN_EXIT_H
#define SETUP32_RUN_EXIT_H

#include <windows.h>

struct UserInputStruct;

int fnUserExit(HWND hwndMain, UserInputStruct *pInput);                  // closing message and exit action; 1
int fnCleanUp(HCURSOR hcurRestore, class CGlobalBlock *pScript, HWND *phwndInit);  // frees the script and the "Initializing" window; 1
int fnSelfDestruct(BOOL bDoNow);                                         // 1 batch file started (or nothing to do), 0 failed

#endif
