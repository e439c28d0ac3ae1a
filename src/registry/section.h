// The registry section: reads, tests, writes, renames and deletes registry
// keys and values one script line at a time; read results go to g_szRegValues.
#ifndef SETUP32_REGISTRY_SECTION_H
#define SETUP32_REGISTRY_SECTION_H

#include <windows.h>

#include "base/registry_text.h"

#include <stddef.h>

struct UserInputStruct;

int fnRegistrySection(HWND hwndMain, const char *pszBody);  // 1 the walk goes on, 0 failed (stop)

// Dispatch row of the section walk.
int fnRegistryRow(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput, const char *pszRest);

#endif
