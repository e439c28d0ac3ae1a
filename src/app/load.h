// Loading the script (plain, scrambled or appended to the program file), the
// conversion modes, the start label and the preparatory sections.
#ifndef SETUP32_APP_LOAD_H
#define SETUP32_APP_LOAD_H

#include <windows.h>

enum { kcbScriptBuffer = 262140, kcbScriptMax = kcbScriptBuffer - 1 };

void fnLoadInf(HWND hwndMain);  // loads and runs the whole script; returns when the run is over
int fnBackupScriptName(const char *pszFile, char *pszOut, size_t cchOut);  // 1 free backup name FILE.^NN, 0 none (.^99 exists)
char *fnFindStartLabel(char *pszText, const char *pszLabel);  // the line after the label line, or NULL when absent or nothing follows

#endif
