// Process start: the run state settled from Windows, the command line and
// the command file, the choice of the script and the trace file.
#ifndef SETUP32_APP_STARTUP_H
#define SETUP32_APP_STARTUP_H

#include <windows.h>

int fnInitialize();                        // 1 ready to run, 0 start-up ended (message shown, g_uExitCode set)
unsigned fnRecordRunEnd(unsigned uExitCode);  // the run's end in the event log (which is closed); uExitCode
void fnResolveEntryPoints();               // optional system functions into the run state
int fnFindDefaultScript();                 // 1 g_szIniFile exists or a default name was found
int fnBuildMarker(char *pszOut, size_t cchOut);     // the internal-script marker line

#endif
