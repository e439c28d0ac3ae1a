// [DeleteFiles]: files, wildcard sets, directories and trees.
#ifndef SETUP32_FILES_DELETE_SECTION_H
#define SETUP32_FILES_DELETE_SECTION_H

#include <windows.h>

struct UserInputStruct;

int fnDeleteFilesSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                         const char *pszRest);  // [DeleteFiles]: 1, or 0 for a line without a path

#endif
