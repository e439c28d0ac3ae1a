// [CloseProcess] and its sister sections, and [CheckIfRunning].
#ifndef SETUP32_PROCESS_CLOSE_SECTION_H
#define SETUP32_PROCESS_CLOSE_SECTION_H

#include <windows.h>

#include "script/input.h"

enum { kcchCheckList = 1024, kcchCheckCaption = 128, kcchCheckMessage = 260 };

// What [CheckIfRunning] was given.
struct CheckIfRunningStruct {
    char szCheckFor[kcchCheckList];  // comma-separated programs
    char szAction[16];               // "ONFINDEXIT", "ONFINDCONT", "NOFINDEXIT" or "NOFINDCONT"
    char szCaption[kcchCheckCaption];
    char szMessage[kcchCheckMessage];
    BOOL bShowFiles;                 // the programs of the outcome follow the message
};

int fnReadCloseExecs(HWND hwndParent, const char *pszBody);  // closes each running program of the section; section result
int fnReadCheckIfRunningKeys(const char *pszBody, CheckIfRunningStruct *pCheck);  // 1 read, 0 a bad line or the list missing
int fnReadCheckIfRunning(HWND hwndParent, const char *pszBody);  // 7 the outcome stops the run, 1 go on, 0 a bad section

int fnCloseSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput, const char *pszRest);
int fnCheckIfRunningSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                            const char *pszRest);

#endif
