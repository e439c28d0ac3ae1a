// The floating message window (dialog resource 33).
#ifndef SETUP32_RUN_FLOAT_WINDOW_H
#define SETUP32_RUN_FLOAT_WINDOW_H

#include <windows.h>

struct MessageStruct;

int fnShowFloatWindow(HWND hwndOwner, const MessageStruct *pMsg, BOOL bWait);  // modal when bWait, else modeless; 1 shown (modal: ended non-zero), 0 not

#endif
