// [SetEnvironment]: environment variables in the registry (user or machine)
// and in C:\AUTOEXEC.BAT, whole values or items of ";" lists.
#ifndef SETUP32_CONFIG_ENVIRONMENT_H
#define SETUP32_CONFIG_ENVIRONMENT_H

#include <windows.h>

struct UserInputStruct;
struct IniBackupStruct;

int fnReadSetEnvironment(HWND hwndMain, const char *pszBody);  // 1 done, 0 stopped by the user or a line without a name
int fnSetRegEnvironment(const char *pszName, const char *pszValue, const char *pszAction, BOOL bMulti, BOOL bUser);  // 1 set (or nothing to do), 0 failed
int fnSetAutoExecEnvironment(HWND hwndMain, IniBackupStruct *pBackup, const char *pszName, const char *pszValue,
                             const char *pszAction, BOOL bQuiet);  // 1 done or the user chose to go on, 0 failed

// Dispatch row of the section walk.
int fnSetEnvironmentSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                            const char *pszRest);

#endif
