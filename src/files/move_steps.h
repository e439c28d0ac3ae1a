// The steps of the move sections on one file (move, copy, rename, delete),
// with in-use handling and replacement at the restart.
#ifndef SETUP32_FILES_MOVE_STEPS_H
#define SETUP32_FILES_MOVE_STEPS_H

#include <windows.h>

#include "files/install_record.h"
#include "files/move_text.h"

int fnRename(const char *pszFrom, const char *pszTo);  // 1 renamed (an existing target replaced, across volumes too), 0 failed (GetLastError)
int fnProcessMoveFile(HWND hwndMain, IFStruct *pIF);  // one operation: 1 go on, 0 stop
int fnMoveAFile(HWND hwndMain, IFStruct *pIF);        // fnProcessMoveFile, then the progress position

#endif
