// The preparatory dialogs: [Signon] (also [Info] in the walk) shows a text
// with OK and Cancel; [Install Options] lets the user pick one of up to four
// scripts, or Exit.
#ifndef SETUP32_DIALOGS_SIGNON_H
#define SETUP32_DIALOGS_SIGNON_H

#include <windows.h>

#include "script/input.h"

enum { kOptionFirst = 112, kOptionExit = 116, kOptionHelp = 117 };

int fnReadSignon(HWND hwndMain, const char *pszBody);  // 1 OK (or nothing to show), 0 Cancel: the run ends
int fnInfoSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                  const char *pszRest);  // [Info] for the walk: 1, or 0 when cancelled
unsigned fnInstallOptionCount(BOOL bOpt2, BOOL bOpt3, BOOL bOpt4);  // options shown, from which texts are set
// 1 go on with this script; kOptionExit the run ends; kOptionFirst + N - 1
// the script of option N is now g_szIniFile and the load starts again.
int fnReadInstallOptions(HWND hwndMain, const char *pszBody);

#endif
