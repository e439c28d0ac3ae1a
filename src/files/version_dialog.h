// The version conflict question and the version rows it lists.
#ifndef SETUP32_FILES_VERSION_DIALOG_H
#define SETUP32_FILES_VERSION_DIALOG_H

#include <windows.h>

int fnShowVersionDialog(HWND hwndOwner, DWORD dwBits, const char *pszExisting, const char *pszNew);  // IDC_CONFLICT_INSTALL, _KEEP or _EXIT (confirmed)
int fnVersionRows(const char *pszFile, char *pszRows, size_t cchRows);  // the version list rows, "label\tvalue" lines joined by "\n"; count

#endif
