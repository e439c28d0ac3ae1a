// Move sections ([MoveFilesBefore], [MoveFiles], [MoveFilesAfter]): move,
// copy, rename and delete single files, wildcard sets and trees.
#ifndef SETUP32_FILES_MOVE_SECTION_H
#define SETUP32_FILES_MOVE_SECTION_H

#include <windows.h>

#include "files/install_record.h"

struct UserInputStruct;

int fnReadMoveEntry(char *pszLine, size_t cchLine, IFStruct *pIF, unsigned *puTest);  // 1 read, 0 line error; *puTest the line's IDTEST_*
int fnMoveFiles(HWND hwndMain, HWND hwndStatus, const char *pszSection, const char *pszHeader);  // 1 done, 0 stopped
int fnMoveFilesSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                       const char *pszRest);  // the walk's handler: status window, 1061 on failure; 1 or 0

#endif
