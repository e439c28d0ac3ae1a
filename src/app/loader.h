// Loader mode: the program copies itself to the temporary directory, starts
// the copy on the same script with "-t", shows "One moment please . . ." and
// ends.
#ifndef SETUP32_APP_LOADER_H
#define SETUP32_APP_LOADER_H

#include <windows.h>

int fnNeedsLoader();  // 1 this start runs as the loader: an internal script, not the copy, and a "RNF" script or a home on a removable drive
HWND fnMakeLoaderWindow(HINSTANCE hInstance, int nCmdShow);  // the "One moment please . . ." window, placed and sized as the main window would be; NULL when it cannot be made
int fnInitLoader(HINSTANCE hInstance, int nCmdShow, const char *pszSetupExec);  // 1 start-up may go on (g_bLoaderDone: this process ends), 0 failed (message shown)

#endif
