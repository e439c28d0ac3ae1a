// Small file operations the file sections share: paths, times, deletes, the
// plain copy, closing the program holding a file and replacement of files in
// use at the next restart.
#ifndef SETUP32_FILES_INSTALL_OPS_H
#define SETUP32_FILES_INSTALL_OPS_H

#include <windows.h>

int fnReplaceFileInUse(const char *pszNewFile, const char *pszTarget);  // nonzero: the move (or delete for "NUL") is scheduled for the restart
int fnCopyFile(const char *pszFrom, const char *pszTo, BOOL bFailIfExists, BOOL bKeepTime);  // nonzero on success
int fnDeleteFile(const char *pszFile);  // 1 deleted (a read-only file too), 0 absent or refused
int fnGetFileTime(const char *pszFile, FILETIME *pft);  // 1 with the last-write time
int fnSetFileTime(const char *pszFile, const FILETIME *pft);  // 1 set (a read-only file is opened after clearing it)
int fnCloseProgramUsing(HWND hwndMain, const char *pszFile);  // 1 the program holding the file was closed; 0 could not close
int fnAddWininitRename(const char *pszWininit, const char *pszNewFile, const char *pszTarget);  // appends "target=new" (short names) under "[rename]"; 1 written

#endif
