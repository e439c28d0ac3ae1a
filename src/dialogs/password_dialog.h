// The user-name and password dialog of [GetUserPW].
#ifndef SETUP32_DIALOGS_PASSWORD_DIALOG_H
#define SETUP32_DIALOGS_PASSWORD_DIALOG_H

#include <windows.h>

#include "dialogs/read_sect.h"

// Asks for a user name and a password typed twice; stores the name and the
// password (scrambled). 1 answered, 7 cancelled, 0 could not be asked (a quiet
// run: a password has no default).
int fnReadAskWPW(HWND hwndParent, ReadSectStruct *pSect);

#endif
