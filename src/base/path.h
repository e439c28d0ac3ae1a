// Paths on Windows: joining and splitting them character by character in the
// code page of the system, the program's own file and full paths.
#ifndef SETUP32_BASE_PATH_H
#define SETUP32_BASE_PATH_H

#include <stddef.h>

const char *fnCharNext(const char *psz);                                // the next character in the system code page (a lead byte takes two); psz itself at the end
int fnPathJoin(char *pszOut, size_t cchOut, const char *pszDir, const char *pszName);  // dir, one "\", name (see fnPathJoinWith); 1 whole, 0 cut
int fnPathSplit(const char *pszPath, char *pszDir, size_t cchDir, char *pszName, size_t cchName);  // at the last separator (see fnPathSplitWith); 1 whole, 0 cut
int fnModuleFileName(char *pszOut, size_t cchOut);                     // the program's own file; 1 known, 0 unknown (pszOut empty)
void fnFullPathName(const char *pszName, char *pszOut, size_t cchOut);  // the full path of pszName, or pszName as it is when it has none

#endif
