// The keywords that [Config] and the command section share: settings, file
// lines, stored answers and the message windows. Each takes the script line
// (field 0 the keyword) and reads its own fields; none shows an error of its
// own unless noted.
#ifndef SETUP32_COMMANDS_KEYWORDS_H
#define SETUP32_COMMANDS_KEYWORDS_H

#include <windows.h>
#include <stddef.h>

int fnKeyYesNo(char *pszLine, BOOL *pbFlag);              // field 1 "Y" sets, "N" clears, else unchanged; 1 changed, 0 not
int fnKeyText(char *pszLine, char *pszOut, size_t cchOut);  // field 1 expanded into pszOut; 0 no field 1 (pszOut unchanged)
int fnKeyBeQuiet(char *pszLine);                          // "Y": quiet and main window hidden; "N": not quiet; 1 changed
int fnKeyOnExit(char *pszLine);                           // exit action and its program or question; 1 changed, 0 unknown action
int fnKeyBackUpMethod(char *pszLine);                     // 1 set, 0 unknown name
int fnKeyWinPause(char *pszLine);                         // status pause, at most 1000 ms; 1 set, 0 no field 1
int fnKeySleep(char *pszLine);                            // waits field 1 seconds (1 without it), serving messages; 1
int fnKeyComputerName(char *pszLine);                     // fnSetComputerName with field 1 expanded; 1 Windows took it, 0 not (or no name)

int fnKeyFileName(char *pszLine, unsigned uField, char *pszOut, size_t cchOut);  // field expanded; 0 (pszOut empty) missing, empty, -1 or too long
int fnKeyCreateFile(char *pszLine);                       // 1 the file is there and empty, 0 not (or no name)
int fnKeyDeleteFile(char *pszLine);                       // 1 deleted, 0 not (or no name)
int fnKeyWriteLineToFile(char *pszLine);                  // appends field 2 and CR LF, making the directories; 1 written, 0 not
int fnKeyReadLineFromFile(char *pszLine, const char *pszCaller);  // a line (or a keyed value) of the file into the next answer slot; 1
int fnStoreSetValue(const char *pszText);                 // into slot g_uSetValue, which advances up to 9; 1

int fnKeyMessageDlg(HWND hwndMain, char *pszLine);        // the message dialog, modal; its button id
int fnKeyMessage(HWND hwndMain, char *pszLine);           // pop-up 39: modal for a wait, else modeless; 1 shown
int fnKeyPopup(HWND hwndMain, char *pszLine, BOOL bStatic);  // "MessageStatic" (bStatic) or "Popup" window; 1 shown
int fnKeyMessageBox(HWND hwndMain, char *pszLine);        // OK box, its button captioned by field 3; the button id
int fnKeyMessageBoxEx(HWND hwndMain, char *pszLine, const char *pszTraceName);  // 1 its exit rule ended the run (g_bLoaderDone set), else 0

#endif
