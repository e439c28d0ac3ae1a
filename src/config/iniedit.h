// [IniEdits]: profile and line edits of configuration files with their
// backups; the file steps that the environment editor shares.
#ifndef SETUP32_CONFIG_INIEDIT_H
#define SETUP32_CONFIG_INIEDIT_H

#include <windows.h>

#include "config/iniedit_text.h"

struct UserInputStruct;

// What became of replacing a file by its edited copy.
enum { kReplaceDone = 1, kReplaceFailed = 0, kReplaceIgnored = 2, kReplaceAbort = 3 };

// Backups once per file within one section.
struct IniBackupStruct {
    char szLastFile[kcchIniFile];  // the file last backed up in this section
    char szLastEdit[kcchIniFile];  // the file its edits went to (NAME.MOD with "NOMOD")
};

int fnIniFilesEdit(HWND hwndMain, const char *pszBody);  // [IniEdits] lines; always 1
int fnIniBackupFile(HWND hwndMain, IniBackupStruct *pBackup, const char *pszFile, unsigned uMethod, char *pszEditFile,
                    size_t cchEditFile);  // 0 the section must stop; 1 go on, pszEditFile = the file to edit
int fnMakeEditTempFile(char *pszOut, size_t cchOut);  // "_" file in the system temporary directory; 1 made
int fnEditIniLine(const char *pszFile, const char *pszTempFile, const IniEditStruct *pEdit);  // 1 the temporary file holds the whole edited copy
int fnEditPath(const char *pszFile, const char *pszTempFile, const char *pszPrefix, const char *pszItem,
               const char *pszNewItem, char cAction, char cPlace);  // 1 the temporary file holds the edited copy
int fnReplaceEditedFile(const char *pszFile, const char *pszTempFile, DWORD dwAttrib, BOOL bAsk);  // kReplace*; the file is untouched unless kReplaceDone

// Dispatch row of the section walk.
int fnIniEditsSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput, const char *pszRest);

#endif
