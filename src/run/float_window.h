// The floating message window (dialog resource 33) and its [FloatInfo] section.
#ifndef SETUP32_RUN_FLOAT_WINDOW_H
#define SETUP32_RUN_FLOAT_WINDOW_H

#include <windows.h>

struct MessageStruct;

int fnReadFloatWindow(HWND hwndMain, char *pszSection);                      // [FloatInfo]; 1 the window was shown (or nothing to do), 0 the section failed
int fnShowFloatWindow(HWND hwndOwner, const MessageStruct *pMsg, BOOL bWait);  // modal when bWait, else modeless; 1 shown (modal: ended non-zero), 0 not

#endif
