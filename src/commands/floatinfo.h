// The [FloatInfo] section.
#ifndef SETUP32_COMMANDS_FLOATINFO_H
#define SETUP32_COMMANDS_FLOATINFO_H

#include <windows.h>

int fnReadFloatWindow(HWND hwndMain, char *pszSection);  // [FloatInfo]; 1 the window was shown (or nothing to do), 0 the section failed

#endif
