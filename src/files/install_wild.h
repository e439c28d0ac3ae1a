// Wildcard entries of one-file installation: every matching file and, with
// recursion, every subdirectory.
#ifndef SETUP32_FILES_INSTALL_WILD_H
#define SETUP32_FILES_INSTALL_WILD_H

#include <windows.h>

#include "files/install_record.h"

int fnWildInstallFiles(HWND hwndMain, IFStruct *pIF);  // 0 stopped, 1 done, 2 no subdirectory to walk
int fnWildInstallDirectory(HWND hwndMain, IFStruct *pIF);  // nonzero on success

#endif
