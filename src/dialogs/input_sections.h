// The input sections: list sections whose lines name settings sections
// ([AskFor], [FromList], [FromLongList], [FromCombo], [OptionButtons],
// [GetDirs]) and the sections that are themselves the settings of one dialog
// ([InitOptions], [GetUserPW], [Get2Dirs]).
#ifndef SETUP32_DIALOGS_INPUT_SECTIONS_H
#define SETUP32_DIALOGS_INPUT_SECTIONS_H

#include <windows.h>

#include "script/input.h"

enum { kuMaxInputEntries = 9 };
// [InitOptions] cancelled by a person: the walk stops without the closing
// message (the code the walk's [InitOptions] row knows for that).
enum { kInitOptionsStopped = 103 };

// Section handlers for the walk (main window, section text, matched header,
// input record, rest of the script).
int fnInfGetSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                    const char *pszRest);  // 1 every entry answered, 4 empty, 7 cancelled, 0 a settings line was malformed
int fnInitOptionsSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                         const char *pszRest);  // 1, kInitOptionsStopped cancelled, 0 malformed
int fnGetUserPWSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                       const char *pszRest);  // 1, 7 cancelled, 0 malformed or no answer in a quiet run
int fnGet2DirsSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                      const char *pszRest);  // 1, 7 cancelled, 0 malformed

#endif
