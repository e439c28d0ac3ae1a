// The command table of the [Set]/[Command] walk, shared by its two halves:
// the commands of the section itself and the system commands.
#ifndef SETUP32_COMMANDS_COMMAND_TABLE_H
#define SETUP32_COMMANDS_COMMAND_TABLE_H

#include <windows.h>

// What one walk over the section keeps.
struct CommandWalkStruct {
    HWND hwndMain;
    int iResult;  // 1 at the start; file commands and the WMI query set it
    BOOL bEnd;    // a command ended the section (with 1): the run is to end
};

typedef void (*PFN_COMMAND)(CommandWalkStruct *pWalk, char *pszLine);

struct CommandStruct {
    const char *pszName;
    PFN_COMMAND pfnCommand;
};

PFN_COMMAND fnFindSystemCommand(const char *pszName);  // the system command of that name (any case), or NULL
const char *fnSystemCommandName(int i);               // the i-th system command, NULL past the last

#endif
