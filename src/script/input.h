// The section walk's input record: set up when the walk begins, filled by the
// input sections, read at the end of the run.
#ifndef SETUP32_SCRIPT_INPUT_H
#define SETUP32_SCRIPT_INPUT_H

#include <windows.h>

#include "run/run_state.h"

enum { kuShortcutSections = 5 };

// Section result codes: what every section handler returns to the walk.
enum {
    kSectionFailed = 0,      // the section failed: the run ends as failed
    kSectionDone = 1,        // go on with the next section
    kSectionStopFailed = 2,  // stop with failure (the user gave up)
    kSectionRestart = 3,     // start again from the first section
    kSectionCancelled = 5,   // a dialog was cancelled: stop
    kSectionEnd = 6,         // [End], or a stop that shows no closing message
    kSectionExit = 7,        // a check or the user chose to end the run: stop
};

// A folder registered by [Shortcuts] or [PMGroups]: the section whose lines
// are its shortcuts and the folder that receives them.
struct ShortcutEntryStruct {
    char szSection[kcchShort];  // in brackets
    char szFolder[kcchPath];    // kszSkipIt when the user declined it
    BOOL bDesktop;
    BOOL bStartup;
    BOOL bOldLayout;            // registered by [PMGroups]
};

#define kszSkipIt "-SKIP-IT-"

struct UserInputStruct {
    unsigned uQuiet;        // 1: the closing message is shown
    unsigned uDirPrompt;    // 1: the destination directory may be asked for
    unsigned uOnExit;       // exit action
    unsigned uBackUpMethod; // backup method for replaced files (501-506)
    BOOL bFailed;           // a section failed or asked to stop with failure
    char szLogFile[kcchPath];
    char szExitExec[kcchPath];
    char szExitMsg[kcchMessage];
    char szRestartMsg[kcchMessage];
    char szDirSection[kcchShort];
    char szCaption[kcchShort];        // destination dialog caption
    char szSourceCaption[kcchShort];  // source dialog caption
    char szDestText1[256];
    char szDestText2[256];
    char szSourceText1[256];
    char szSourceText2[256];
    char szDestPath[kcchPath];
    char szSourceDir[kcchPath];
    BOOL bSourcePrompt;
    BOOL bDestPrompt;       // [AppInit] asks for the destination
    DWORD dwDiskSpaceNeeded;
    DWORD dwDiskSpaceMinimum;
    DWORD dwWinDriveSpaceNeeded;
    char szAppName[kcchShort];
    char szErrorMsg[kcchMessage];
    BOOL bUseAllInstall;
    // The combined dialog of layout n (index n - 1) was answered with OK in
    // this walk: its kept settings hold the answers and are not read again.
    BOOL abAllInfoPresent[kuAllInfoLayouts];
    unsigned uShortcutSections;
    ShortcutEntryStruct aShortcuts[kuShortcutSections];
};

#endif
