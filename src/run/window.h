// Window placement, status windows, the message box routine, the message
// pump and the start of every dialog.
#ifndef SETUP32_RUN_WINDOW_H
#define SETUP32_RUN_WINDOW_H

#include <windows.h>

enum {
    kPlaceTopLeft = 1, kPlaceTopRight, kPlaceTopCenter, kPlaceCenterLeft, kPlaceCenter,
    kPlaceCenterRight, kPlaceBottomLeft, kPlaceBottomCenter, kPlaceBottomRight,
};

int fnLoadText(UINT uId, char *pszOut, int cchOut);                 // string-table text; 1 loaded, 0 missing (pszOut empty)
int fnMsgBox(UINT uId, const char *pszCaption, UINT uFlags, ...);    // message box of string uId (0: first argument is the format); the button pressed
void fnPumpMessages();                                               // dispatches every waiting message (none in an unattended run, which has no window)
HCURSOR fnSetCursor(LPCSTR pszCursor);                               // shows a system cursor (IDC_WAIT, ...); the previous one; nothing in an unattended run
void fnPumpMessagesSometimes();                                      // the same, at most once a clock tick (loops over many small items)
void fnWaitPumping(DWORD dwMs);                                      // waits dwMs milliseconds, dispatching messages as they come
void fnPlacePos(const RECT *prcArea, int cx, int cy, unsigned uCode, int *px, int *py);  // position of a cx by cy window placed by uCode in prcArea
void fnPlaceWindow(HWND hwnd, unsigned uCode, BOOL bTopMost);        // places by a placement code (1-9)
void fnStartDialog(HWND hwndMain, HWND hDlg, BOOL bCaption, BOOL bBeep);  // common start of every dialog

// Every modal dialog that asks a person something is shown through
// fnDialogBox, the one place that knows how a run nobody watches answers:
// there the dialog is not shown and iUnattended is the answer (the code the
// dialog's default button would end it with, with the record behind lParam
// already holding the default values); kDialogNoSafeAnswer means no answer is
// safe and the run must fail. pszWhat names the question for the logs.
//
// The same rule answers message boxes (fnMsgBox): their default button,
// except that a restart question is answered No (the deployment tool
// restarts), an insert-disk prompt has no safe answer, and Retry is never
// taken (it would meet the same failure for ever): the button after it is.
// Each answer, by a person or by the rule, is recorded in the event log.
enum { kDialogNoSafeAnswer = -2 };
HINSTANCE fnDialogInstance();                                        // the module holding the dialog templates
INT_PTR fnDialogBox(UINT uIdDialog, HWND hwndOwner, DLGPROC pfnProc, LPARAM lParam, INT_PTR iUnattended,
                    const char *pszWhat);                            // the code the dialog ended with; -1 it could not be shown (or had no safe answer)
INT_PTR fnQuietDialogBox(UINT uIdDialog, HWND hwndOwner, DLGPROC pfnProc, LPARAM lParam, INT_PTR iDefault,
                         const char *pszWhat);                       // as fnDialogBox, and a quiet run too takes iDefault (unless kDialogNoSafeAnswer) without showing it
int fnMsgBoxDefault(UINT uId, UINT uFlags);                          // the answer the unattended rule gives a message box of string uId; kDialogNoSafeAnswer when none is safe
INT_PTR fnAnswerByRule(const char *pszEvent, const char *pszText, INT_PTR iAnswer);  // records the rule's answer (trace, event log) and returns it; kDialogNoSafeAnswer marks the run failed and gives -1
void fnRecordAnswer(const char *pszEvent, const char *pszText, INT_PTR iAnswer);    // records a person's answer in the event log
const char *fnAnswerName(INT_PTR iAnswer);                           // "OK", "Cancel", "Yes", ... for button ids, "" for others
HWND fnStatusWindow(HWND hwndOwner, UINT uId, unsigned uSize, unsigned uCode, DWORD dwMs, ...);  // the window (0 ms), or NULL
HWND fnBlankOwnerWindow(HWND hwndOwner, DWORD dwMs);                 // invisible owner placed bottom right; NULL when waited and gone
int fnRegisterStatusClasses(HINSTANCE hInstance);                    // 1 the status, progress-meter and mismatch-list classes registered, 0 failed (message shown)
int fnRegisterFailed(const char *pszText);                           // shows a class-registration failure and the closing message; 0
int fnPlacementCode(const char *pszKeyword);                         // "TopLeft".."BottomRight" to 1-9, 0 unknown

#endif
