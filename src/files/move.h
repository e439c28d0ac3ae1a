// Move sections ([MoveFilesBefore], [MoveFiles], [MoveFilesAfter]): move,
// copy, rename and delete single files, wildcard sets and trees, with in-use
// handling and replace-at-restart; and [DeleteFiles].
#ifndef SETUP32_FILES_MOVE_H
#define SETUP32_FILES_MOVE_H

#include <windows.h>

#include "files/install.h"
#include "files/move_text.h"

struct UserInputStruct;

int fnRename(const char *pszFrom, const char *pszTo);  // 1 renamed (an existing target replaced, across volumes too), 0 failed (GetLastError)
int fnReadMoveEntry(char *pszLine, size_t cchLine, IFStruct *pIF, unsigned *puTest);  // 1 read, 0 line error; *puTest the line's IDTEST_*
int fnProcessMoveFile(HWND hwndMain, IFStruct *pIF);  // one operation: 1 go on, 0 stop
int fnMoveAFile(HWND hwndMain, IFStruct *pIF);        // fnProcessMoveFile, then the progress position
int fnWildMove(HWND hwndMain, IFStruct *pIF);         // wildcard walk: 0 stop, 1 done, 2 nothing in a subdirectory walk
int fnMoveADirectory(HWND hwndMain, IFStruct *pIF);   // one subdirectory of a walk: 0 stop
int fnMoveFiles(HWND hwndMain, HWND hwndStatus, const char *pszSection, const char *pszHeader);  // 1 done, 0 stopped
int fnMoveFilesSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                       const char *pszRest);          // the walk's handler: status window, 1061 on failure; 1 or 0

// The question for move mode "P": the mode chosen (kMoveMove, kMoveRename,
// kMoveCopy, kMoveDelete), kMoveChoiceCancel (no action) or kMoveChoiceExit
// (the user confirmed leaving the installation).
enum { kMoveChoiceCancel = 0, kMoveChoiceExit = -1 };
int fnShowMoveChoiceDialog(HWND hwndOwner, const char *pszFile);

int fnDeleteAFile(const char *pszFileSpec);           // deletes now, or at the restart when held; always 1
void fnDeleteTree(const char *pszSpec, const char *pszKeepDir, BOOL bRecurse);  // matching files (and subtrees), then the directory unless kept
int fnDeleteFilesSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                         const char *pszRest);        // [DeleteFiles]: 1, or 0 for a line without a path

#endif
