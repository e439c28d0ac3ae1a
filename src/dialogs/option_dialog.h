// The option-button dialog of [OptionButtons] and [InitOptions].
#ifndef SETUP32_DIALOGS_OPTION_DIALOG_H
#define SETUP32_DIALOGS_OPTION_DIALOG_H

#include <windows.h>

#include "dialogs/read_sect.h"

unsigned fnOptionCount(const ReadSectStruct *pSect);  // buttons shown: 1 to 4, by the first empty text among slots 2 to 4
// Shows the buttons of pSect and writes "Y"/"N" per button into check-state
// row pSect->nNum: 1 answered, 7 cancelled, 0 could not be asked.
int fnReadOptionButtons(HWND hwndParent, ReadSectStruct *pSect);

#endif
