// The copy status window (dialog 4): texts, meter and Cancel; every call but
// the first is a no-op for a NULL window.
#ifndef SETUP32_FILES_COPY_STATUS_H
#define SETUP32_FILES_COPY_STATUS_H

#include <windows.h>

HWND fnCreateCopyStatus(HWND hwndOwner);  // modeless status window with meter and Cancel, shown and cleared; NULL on failure
void fnSetStatusText(HWND hStatusDlg, int iId, UINT uFormatId, const char *pszArg);  // text iId = string uFormatId filled with pszArg (0: pszArg as it is)
void fnSetProgressPos(HWND hStatusDlg, unsigned uPos);
void fnSetProgressRange(HWND hStatusDlg, unsigned uRange);
int fnCancelPressed(HWND hStatusDlg);  // 1 the user confirmed Cancel (the button is disabled)

#endif
