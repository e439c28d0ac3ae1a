// Shortcuts: [Shortcuts] and [PMGroups] register the folders that receive
// links; a section named by a registered entry makes the links when the walk
// reaches it.
#ifndef SETUP32_SHORTCUTS_SHORTCUTS_H
#define SETUP32_SHORTCUTS_SHORTCUTS_H

#include <windows.h>

#include "script/input.h"

// fnGetSCSections results
enum {
    kScStop = 135,        // the user chose to stop
    kScSkipped = 136,     // line skipped by its condition, or a question declined
    kScRegistered = 137,  // entry registered
    kScNoLine = 138,      // the section has no such line
    kScDeclined = 139,    // folder declined or not created: go on
};

// [Shortcuts], [PMGroups]: registers up to five folder entries in all.
// 1 done, 0 the user chose to stop.
int fnShortcutsSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                       const char *pszRest);
int fnGetSCSections(HWND hwndMain, const char *pszBody, const char *pszHeader, unsigned uLine,
                    UserInputStruct *pInput);  // kSc* for line uLine (from 1)
const ShortcutEntryStruct *fnFindShortcutEntry(const UserInputStruct *pInput, const char *pszHeader);  // the entry named by the header, or NULL

// The walk meets a registered section: makes the links of every entry whose
// section lies here or after. 1, or 0 when COM failed or the user stopped.
int fnReadShortCutSections(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                           const char *pszRest);
// The links of one section (old-layout lines when bOldLayout) in pszFolder:
// 1 every link made, 0 one failed or a required field was missing.
int fnInfProcessShortCutSection(const char *pszBody, const char *pszFolder, BOOL bOldLayout);
HRESULT fnCreateShortCut(const char *lpszPathLink, const char *lpszDescription, const char *lpszPath,
                         const char *lpszArguments, const char *lpszIconPath, int nIconIndex,
                         const char *lpszWorkingDirectory, WORD wHotkey, int nShowCmd);  // S_OK made

#endif
