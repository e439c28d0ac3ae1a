// The [Set] and [Command] sections: settings, file commands, messages,
// windows, queries whose answers are stored as "@$0".."@$9", and the system
// commands (services, disk space, WMI, accounts, domain, drive mapping).
#ifndef SETUP32_COMMANDS_COMMAND_H
#define SETUP32_COMMANDS_COMMAND_H

#include <windows.h>

int fnReadCommand(HWND hwndMain, const char *pszBody);  // 1, or 0 when the last file command or WMI query failed
const char *fnCommandName(int i);                      // the i-th command the section takes, NULL past the last

#endif
