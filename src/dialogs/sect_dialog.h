// What the input dialogs share: their start, Help, Cancel, the OK button that
// waits for text, and the one way they are shown.
#ifndef SETUP32_DIALOGS_SECT_DIALOG_H
#define SETUP32_DIALOGS_SECT_DIALOG_H

#include <windows.h>

#include "dialogs/read_sect.h"

enum { kDialogNotShown = -1 };

// Shows dialog uId through fnDialogBox. In a quiet run a dialog without a safe
// answer is not shown and gives kDialogNotShown: nobody is there to answer it.
INT_PTR fnShowSectDialog(UINT uId, HWND hwndOwner, DLGPROC pfnProc, LPARAM lParam, INT_PTR iUnattended,
                         const char *pszWhat);
void fnStartSectDialog(HWND hDlg, const ReadSectStruct *pSect);  // title, Help shown only with help, placed (hidden when quiet)
// Help: the help file through the help engine (at its key, else its index;
// a file that is missing or an engine that cannot show it is reported and
// the dialog stays), else the help text window over the dialog.
void fnShowSectHelp(HWND hDlg, ReadSectStruct *pSect);
void fnEndSectDialog(HWND hDlg, ReadSectStruct *pSect, INT_PTR iResult);  // the help engine told to quit when it was used, then EndDialog
void fnShrinkDialog(HWND hDlg, int cyLess);                      // the dialog's window cyLess pixels lower, its top where it is
int fnConfirmCancel(HWND hDlg);                                  // "Installation is not complete..." Yes: 1 (the run is cancelled), No: 0
void fnEnableOkOnText(HWND hDlg, int iIdEdit);                   // OK enabled only while the edit holds text
int fnBrowseFolder(HWND hDlg, int iIdEdit, const char *pszPrompt);  // folder chooser into the edit; 1 chosen
void fnAddBackslashToDrive(char *pszPath, size_t cchPath);       // "C:" becomes "C:\"
int fnSetDirSlot(unsigned uSlot, const char *pszPath);           // directory slot uSlot (slot 0 also the destination); 0 beyond the table
int fnPersonClosed(HWND hDlg);                                   // the close box: a person's cancel, the dialog ends with IDCANCEL; TRUE

// The record behind a dialog's WM_INITDIALOG lParam: kept with the dialog
// then, and read back for every later message.
template <class T>
T *fnDialogRecord(HWND hDlg, UINT uMsg, LPARAM lParam)
{
    if (uMsg == WM_INITDIALOG) {
        SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)lParam);
        return (T *)lParam;
    }
    return (T *)GetWindowLongPtrA(hDlg, DWLP_USER);
}

#endif
