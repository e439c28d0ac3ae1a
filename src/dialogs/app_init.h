// The installation information sections: [AppInit] reads the classic
// installation facts step by step and asks for the source and destination
// where it says so.
#ifndef SETUP32_DIALOGS_APP_INIT_H
#define SETUP32_DIALOGS_APP_INIT_H

#include <windows.h>

#include "script/input.h"

int fnInfAppInit(const char *pszBody, UserInputStruct *pInput);  // 1 read, 0 a line without "=" or a required field missing
// [AppInit] for the walk: the keys, the source step, the destination step
// and the destination check; 0 at the first step that fails. Afterwards the
// install log named there is opened and the exit action and backup mode are
// taken over by the run.
int fnAppInitSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                     const char *pszRest);

// [GetAllInstallInfo] (layout 1) and [GetAllInstallInfo2] (layout 2): the
// settings section pszBody in one dialog. The settings are read into the
// layout's kept record unless pInput says this walk answered the dialog
// already (then the record holds those answers). 1 OK (or nothing to ask),
// 5 cancelled, 0 a settings line was malformed.
int fnGetAllInstallInfo(HWND hwndMain, const char *pszBody, UserInputStruct *pInput, unsigned uLayout);
// The walk's handler: the dialog, then the destination check; afterwards as [AppInit].
int fnGetAllInstallInfoSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                               const char *pszRest);
void fnTakeOverInstallInfo(UserInputStruct *pInput);  // the install log opened, the exit action and backup mode taken over

#endif
