// The section walk: sections run top to bottom, each dispatched by its header
// to a handler whose result code continues, stops or restarts the walk.
#ifndef SETUP32_APP_WALK_H
#define SETUP32_APP_WALK_H

#include <windows.h>

#include "script/input.h"

// A section handler: the main window, the whole section text (header line
// first), the matched header, the input record and the rest of the script.
typedef int (*PFN_SECTION)(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                           const char *pszRest);

int fnReadInf(HWND hwndMain, char *pszText);  // walks the sections, then closes the run; 1
int fnParseInfSection(HWND hwndMain, char *pszSection, UserInputStruct *pInput, const char *pszRest);  // a section result code
int fnIsInfSection(const char *pszSection, const char *pszList, char *pszOut, size_t cchOut);  // 1 header in the comma list (entry in pszOut), else 0
void fnInitUserInput(UserInputStruct *pInput);  // the record as the walk starts it (resets the destination first)
HWND fnOpenSectionStatus(HWND hwndMain, const char *pszHeader, const char *pszStatus);  // status bracket opening; the status window or NULL
void fnCloseSectionStatus(HWND hwndStatus);  // status bracket closing
const char *fnSectionRowHeaders(int iRow);   // the comma list of headers of dispatch row iRow, NULL past the last

#endif
