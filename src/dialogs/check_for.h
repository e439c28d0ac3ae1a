// The file check sections: [CheckFor], [TestBeforeInput], [TestBefore],
// [CheckBefore] and [CheckAfter].
#ifndef SETUP32_DIALOGS_CHECK_FOR_H
#define SETUP32_DIALOGS_CHECK_FOR_H

#include <windows.h>

#include "script/input.h"

int fnReadCheckFors(HWND hwndMain, const char *pszBody);  // 1 go on, 3 start the script again, 7 stop
int fnCheckForSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                      const char *pszRest);  // the walk's handler: fnReadCheckFors on the section's body

#endif
