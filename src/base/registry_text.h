// Registry text rules that need no Windows call: root names in key paths,
// joining key paths, type keywords, and the text forms of DWORD and binary
// data. The Win32 side is registry.cpp.
#ifndef SETUP32_BASE_REGISTRY_TEXT_H
#define SETUP32_BASE_REGISTRY_TEXT_H

#include <stddef.h>

// Root names in the order they are tried; index = position in this list.
enum {
    kRegRootClasses = 0, kRegRootMachine, kRegRootUser, kRegRootUsers,
    kRegRootPerformance, kRegRootConfig, kRegRootDynData, kRegRootCount,
};

int fnFindRegRoot(char *pszKeyPath);                 // kRegRoot* of the first root name found (any case); text left holding the sub-key; -1 none, text unchanged
const char *fnRegRootName(int iRoot);                // "HKEY_CLASSES_ROOT".. or "" out of range
unsigned long fnRegTypeOf(const char *pszKeyword);   // REG_* value of a type keyword; empty or unknown gives 1 (REG_SZ)
int fnRegJoinKey(char *pszPath, size_t cchPath, const char *pszName);  // path + one "\" + name; 1 done (empty name: unchanged), 0 empty path or no room (path unchanged)
unsigned long fnRegParseNumber(const char *pszText); // "1Fh", "0x1F" or decimal digits; stops at the first foreign character; saturates at 0xFFFFFFFF
int fnRegParseHex(const char *pszText, unsigned char *pbOut, size_t cbOut, size_t *pcbOut);  // hex byte text ("01,02, ff", "0a0b"); 1 parsed, 0 foreign character or no room
int fnRegHexText(const unsigned char *pbData, size_t cbData, char *pszOut, size_t cchOut);  // "%02x" per byte; 1 whole, 0 cut after the last whole byte that fits
void fnStripTrailingBSlash(char *pszText);  // drops a final "\" or "/" of a drive path ("C:\Temp\"), never of "C:\" or a UNC path
int fnRegNextNumber(char *pszText, size_t cchText);  // leading decimal number + 1 as "%04lu"; 1 whole

#endif
