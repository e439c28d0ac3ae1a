// The words and numbers of shortcut lines: show keywords, hot keys and the
// special folder names. Pure text logic, no Windows calls.
#ifndef SETUP32_SHORTCUTS_SHORTCUT_TEXT_H
#define SETUP32_SHORTCUTS_SHORTCUT_TEXT_H

#include <stddef.h>

enum { kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3 };  // the SW_ values
enum SpecialFolderEnum { kFolderPlain, kFolderDesktop, kFolderDesktopAll, kFolderStartup, kFolderStartupAll };

int fnShortcutShowCommand(const char *pszWord);       // "NORM" 1 (also unknown or empty), "MIN" 2, "MAX" 3
unsigned short fnShortcutHotKey(const char *pszField); // letters S, C, A, E then a decimal key code; 0 none
SpecialFolderEnum fnSpecialFolder(const char *pszName);  // ":DESKTOP:", ":DESKTOPALL:", ":STARTUP:", ":STARTUPALL:" (any case)

#endif
