// The directory dialogs of [GetDirs] (one directory) and [Get2Dirs] (two).
#ifndef SETUP32_DIALOGS_DIR_DIALOGS_H
#define SETUP32_DIALOGS_DIR_DIALOGS_H

#include <windows.h>

#include "dialogs/read_sect.h"

// Asks for a directory (template 3, or 14 without a second text) for entry
// pSect->nNum, stored in that directory slot and szPath; with a file to look
// for, asks again until it is there or the user ignores it. 1, 7 cancelled
// (or Abort), 0 could not be asked.
int fnReadGetDirs(HWND hwndParent, ReadSectStruct *pSect);
// Two directories (template 38) into slots 0 (the destination) and 1: 1, 7, 0.
int fnReadGet2Dirs(HWND hwndParent, ReadSectStruct *pSect);

#endif
