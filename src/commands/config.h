// The [Config] section: settings for the whole run, read before the walk.
#ifndef SETUP32_COMMANDS_CONFIG_H
#define SETUP32_COMMANDS_CONFIG_H

#include <windows.h>

enum { kConfigGoOn = 1, kConfigFailed = 2, kConfigEndRun = 8 };

int fnReadConfig(HWND hwndMain, const char *pszBody);  // 1 go on, 2 error reading the section, 8 end the run quietly
const char *fnConfigKeyword(int i);                    // the i-th keyword the section takes, NULL past the last

#endif
