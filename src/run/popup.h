// Pop-up message windows (dialog resources 39 and 41-49), the table of the
// modeless ones, and the message box whose buttons carry texts of the
// script's choosing.
#ifndef SETUP32_RUN_POPUP_H
#define SETUP32_RUN_POPUP_H

#include <windows.h>

struct MessageStruct;

int fnShowPopup(HWND hwndOwner, UINT uDialogId, const MessageStruct *pMsg);  // uWait > 0: modal, closes after uWait s; 0: modeless, remembered; 1 shown, 0 not
int fnClosePopup(unsigned uPopup);                                          // pop-up number uPopup (from 1): 1 it was open and is closed, 0 not
HWND fnPopupWindow(unsigned uPopup);                                        // the open pop-up number uPopup (from 1), or NULL
int fnButtonCaptionBox(HWND hwndOwner, const char *pszText, const char *pszCaption, UINT uStyle, const char *pszFirst,
                       const char *pszSecond);  // MB_OK or MB_OKCANCEL box with these button texts (NULL/empty: "OK", "Cancel"); IDOK, IDCANCEL, 0 failed

#endif
