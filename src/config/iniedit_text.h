// Line edits of text configuration files (INI-like files, batch files,
// CONFIG.SYS-like lists), the PATH-line editor and list-item edits. Pure text
// logic: the file text comes in as one block, the edited text and the
// install-log lines go out through a sink. The file side is iniedit_win.cpp.
#ifndef SETUP32_CONFIG_INIEDIT_TEXT_H
#define SETUP32_CONFIG_INIEDIT_TEXT_H

#include <stddef.h>

enum { kcbEditFileMax = 16 * 1024 * 1024 };  // configuration files larger than this are refused

enum {
    kcchIniFile = 260,
    kcchIniSection = 130,   // 128 plus the brackets added for types W and M
    kcchIniKey = 1024,
    kcchIniValue = 2048,    // room for doubled backslashes
    kcchIniSubValue = 260,
    kcchIniNewLine = 2048,
    kcchIniLineMax = 1024,  // a file line as the matching sees it (longer lines are copied whole)
};

// One line edit. cType and cAction are upper-case letters.
struct IniEditStruct {
    char szFile[kcchIniFile];          // named in the install-log lines
    char szSection[kcchIniSection];
    char szKey[kcchIniKey];
    char szValue[kcchIniValue];
    char szSubValue[kcchIniSubValue];
    char szNewLine[kcchIniNewLine];    // set by fnIniPrepareEdit
    char cType;
    char cAction;
};

// Receives the edited text and the install-log lines.
struct IniSinkStruct {
    void *pContext;
    int (*pfnWrite)(void *pContext, const char *pch, size_t cch);  // 1 written
    void (*pfnLog)(void *pContext, const char *pszLine);           // one install-log line
};

void fnIniPrepareEdit(IniEditStruct *pEdit);  // sub-value defaults (M: the value, P: "E"), brackets for W and M, szNewLine
int fnDoubleBackslashes(char *pszText, size_t cchText);  // every "\" doubled in place; 1 whole, 0 cut
int fnEditIniText(const char *pchText, size_t cbText, const IniEditStruct *pEdit, IniSinkStruct *pSink);  // 1 the edited text written, 0 the sink failed
int fnEditPathText(const char *pchText, size_t cbText, const char *pszFile, const char *pszPrefix, const char *pszItem,
                   const char *pszNewItem, char cAction, char cPlace, IniSinkStruct *pSink);  // PATH lines edited; 1 written, 0 sink failed
int fnEditListItem(char *pszList, size_t cchList, const char *pszItem, char cAction);  // ";" list edit of an environment variable; 1 whole, 0 cut (list unchanged)
int fnFindIniText(const char *pchText, size_t cbText, const char *pszSection, const char *pszKey, char cType,
                  const char *pszSubValue, char *pszOut, size_t cchOut);  // first value a read of that type finds; 1 found, 0 not (pszOut empty)

#endif
