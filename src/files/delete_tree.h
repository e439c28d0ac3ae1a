// Deleting one file or a tree of them; held files go at the restart.
#ifndef SETUP32_FILES_DELETE_TREE_H
#define SETUP32_FILES_DELETE_TREE_H

#include <windows.h>

int fnDeleteAFile(const char *pszFileSpec);  // deletes now, or at the restart when held; always 1
void fnDeleteTree(const char *pszSpec, const char *pszKeepDir, BOOL bRecurse);  // matching files (and subtrees), then the directory unless kept

#endif
