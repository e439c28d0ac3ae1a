// The question for a missing source file.
#ifndef SETUP32_FILES_INSERT_DISK_DIALOG_H
#define SETUP32_FILES_INSERT_DISK_DIALOG_H

#include <windows.h>

#include "run/run_state.h"

struct InsertDiskStruct {
    char szLabel[kcchShort];   // disk label shown
    char szFile[kcchPath];     // in/out: source file name
    char szPath[kcchPath];     // in/out: source directory
};
int fnShowInsertDiskDialog(HWND hwndOwner, InsertDiskStruct *pDisk);  // IDOK (pDisk filled), IDC_DISK_SKIP or IDC_DISK_EXIT (confirmed)

#endif
