// The settings record of one input dialog and the reader that fills it from
// a settings section of key=value lines.
#ifndef SETUP32_DIALOGS_READ_SECT_H
#define SETUP32_DIALOGS_READ_SECT_H

#include <windows.h>

#include "run/run_state.h"

enum {
    kcchSectText = 32760,   // list and help texts
    kuSectListLines = 600,  // "List" lines kept
    kuSectMsgSlots = 10,    // message slots 1-10; slot 10 is the default
    kcchSectMsg = 256,
    kcchHelpKey = 48,
};

enum { kHelpNone = 0, kHelpText = 2, kHelpFile = 3 };
enum { kButtonsRadio = 0, kButtonsCheck = 1 };

struct ReadSectStruct {
    char szHelp[kcchSectText];  // help text, lines ended by CR LF
    char szList[kcchSectText];  // list lines, each ended by CR LF
    unsigned uListLines;
    DWORD dwWinSpaceNeeded;
    DWORD adwSpace[4][2];       // space needed: first and second number of each pair
    BOOL abCheck[4];            // check states 1-4
    BOOL bUseButton1, bUsePath1, bUseButton2, bUsePath2, bUseMoreInfo1, bUseMoreInfo2;
    unsigned nNum;              // the entry index the answer goes to
    BOOL bStop;                 // a line skipped the rest: the dialog counts as accepted unseen
    unsigned uHelpKind;         // kHelp*
    BOOL bHelpFileOpen;         // the help engine was asked to show szHelpFile: tell it to quit when done
    unsigned uButtonType;       // kButtons*
    char szPath[kcchPath];
    char szPath1[kcchPath];
    char szPath2[kcchPath];
    char szPath3[kcchPath];
    char szPath4[kcchPath];
    char szFile[kcchPath];      // a file the chosen directory must hold
    char szHelpFile[kcchPath];
    char szHelpKey[kcchHelpKey];
    char szCaption[kcchShort];
    char szMessage[kcchMessage];
    char szMsg[kuSectMsgSlots][kcchSectMsg];  // slot n in szMsg[n - 1]
    char szPrompt[kcchShort];
    char szMoreInfo[2][kcchSectMsg];
};

// The default value shown in the dialog (message slot 10).
inline char *fnSectDefault(ReadSectStruct *pSect) { return pSect->szMsg[kuSectMsgSlots - 1]; }

void fnInitReadSect(ReadSectStruct *pSect);  // cleared; caption the title, prompt "Select OK to continue"
// Reads the settings lines from pszBody (the text after the section's header)
// into pSect: 1 read (a key it does not know ends the reading; a line whose
// condition skips the rest sets bStop), 0 a line has no "=" after its key.
int fnReadSettings(HWND hwndParent, const char *pszBody, ReadSectStruct *pSect);
// A "HelpFile" value: pszName (a name without "\\" in front or a drive is
// taken in the source directory) with its key pszKey. A ".Hlp" file is
// opened by the help engine (kHelpFile); any other file's text becomes the
// help text (kHelpText) unless "Help" lines gave one. Nothing for an empty name.
void fnSetHelpFile(ReadSectStruct *pSect, const char *pszName, const char *pszKey);

#endif
