// The walks of the move sections: wildcard sets and, with recursion, trees.
#ifndef SETUP32_FILES_MOVE_WALK_H
#define SETUP32_FILES_MOVE_WALK_H

#include <windows.h>

#include "files/install_record.h"

int fnWildMove(HWND hwndMain, IFStruct *pIF);        // wildcard walk: 0 stop, 1 done, 2 nothing in a subdirectory walk
int fnMoveADirectory(HWND hwndMain, IFStruct *pIF);  // one subdirectory of a walk: 0 stop

#endif
