// Path pieces for directories and file names: roots and separators. Pure
// text logic (no Windows calls), so it also builds natively.
#ifndef SETUP32_FILES_DIRS_TEXT_H
#define SETUP32_FILES_DIRS_TEXT_H

#include <stddef.h>

int fnIsRootedPath(const char *pszPath);  // 1 ":" is the second character or the path begins with two backslashes
int fnIsBareDrive(const char *pszPath);   // 1 for "X:" or "X:\"
int fnPathRoot(const char *pszPath, char *pszOut, size_t cchOut);  // 1 "X:\" or "\\server\share\" in pszOut; 0 no root (pszOut empty)
void fnTrimPathSeps(char *pszPath);       // removes trailing separators, keeping a root's own ("C:\", "\")
int fnHasWildcard(const char *pszText);   // 1 the text holds "*" or "?"

#endif
