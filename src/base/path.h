// Paths of files the program itself names: its own file and full paths.
#ifndef SETUP32_BASE_PATH_H
#define SETUP32_BASE_PATH_H

#include <stddef.h>

int fnModuleFileName(char *pszOut, size_t cchOut);                     // the program's own file; 1 known, 0 unknown (pszOut empty)
void fnFullPathName(const char *pszName, char *pszOut, size_t cchOut);  // the full path of pszName, or pszName as it is when it has none

#endif
