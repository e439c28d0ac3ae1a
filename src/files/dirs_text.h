// Path pieces for directories and file names: roots, joins and splits. Pure
// text logic (no Windows calls), so it also builds natively.
#ifndef SETUP32_FILES_DIRS_TEXT_H
#define SETUP32_FILES_DIRS_TEXT_H

#include <stddef.h>

int fnIsRootedPath(const char *pszPath);  // 1 ":" is the second character or the path begins with two backslashes
int fnIsBareDrive(const char *pszPath);   // 1 for "X:" or "X:\"
int fnIsPathSep(char c);                  // 1 for "\" or "/"
int fnPathRoot(const char *pszPath, char *pszOut, size_t cchOut);  // 1 "X:\" or "\\server\share\" in pszOut; 0 no root (pszOut empty)
size_t fnPathRootLength(const char *pszPath);  // characters of the drive or UNC root (with its separator), 0 without one
int fnJoinDirPath(char *pszOut, size_t cchOut, const char *pszDir, const char *pszName);  // dir "\" name (one separator); 1 whole, 0 cut
void fnSplitPathName(const char *pszPath, char *pszDir, size_t cchDir, char *pszName, size_t cchName);  // at the last separator; no separator: empty dir
void fnTrimPathSeps(char *pszPath);       // removes trailing separators, keeping a root's own ("C:\", "\")
int fnHasWildcard(const char *pszText);   // 1 the text holds "*" or "?"

#endif
