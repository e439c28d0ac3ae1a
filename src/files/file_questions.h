// The button-only questions about one file; each returns the button pressed.
#ifndef SETUP32_FILES_FILE_QUESTIONS_H
#define SETUP32_FILES_FILE_QUESTIONS_H

#include <windows.h>

int fnShowInUseDialog(HWND hwndOwner, const char *pszFile);  // IDC_INUSE_RETRY, _RESTART, _SKIP or _EXIT
int fnShowExistsDialog(HWND hwndOwner, const char *pszName, const char *pszDir);  // IDC_EXISTS_*
int fnShowElsewhereDialog(HWND hwndOwner, const char *pszName, const char *pszDir, const char *pszCurDir);  // IDC_ELSEWHERE_*

#endif
