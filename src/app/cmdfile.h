// The command file: an INI file whose [START] section carries command-line
// values, read at start-up.
#ifndef SETUP32_APP_CMDFILE_H
#define SETUP32_APP_CMDFILE_H

#include <windows.h>

struct CmdLineStruct;

int fnFindCmdFile(const char *pszName, char *pszOut, size_t cchOut);  // 1 found as given, in the source or home directory; 0 not (pszOut = last try)
void fnReadCmdFile(CmdLineStruct *pCmd);  // every [START] key replaces its command-line value (missing keys clear it)

#endif
