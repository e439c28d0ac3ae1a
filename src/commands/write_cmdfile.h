// The [WriteCmdFile] section.
#ifndef SETUP32_COMMANDS_WRITE_CMDFILE_H
#define SETUP32_COMMANDS_WRITE_CMDFILE_H

#include <windows.h>

int fnWriteCmdFile(HWND hwndMain, char *pszSection, const char *pszHeader);  // [WriteCmdFile]; 1 done, 0 a line without a key

#endif
