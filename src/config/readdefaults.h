// [ReadDefaults] and its kin: values read from configuration files into the
// default settings.
#ifndef SETUP32_CONFIG_READDEFAULTS_H
#define SETUP32_CONFIG_READDEFAULTS_H

#include <windows.h>

struct UserInputStruct;

int fnReadIniFiles(HWND hwndMain, const char *pszBody);  // [ReadDefaults] lines into g_szDefaultSetting; 1
int fnReadDefaultsSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                          const char *pszRest);  // dispatch row of the section walk

#endif
