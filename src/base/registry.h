// Registry primitives: key paths with their root names, reads converted to
// text, writes converted from text, and deletion of values and whole trees.
#ifndef SETUP32_BASE_REGISTRY_H
#define SETUP32_BASE_REGISTRY_H

#include <windows.h>

enum { kcbRegData = 1024, kRegBadKey = 1010 };

// Text modes of fnRegDataToText and the reads.
enum { kRegTextRaw = 0, kRegTextHex = 1, kRegTextDecimal = 2 };

DWORD fnRegTypeOf(const char *pszKeyword);  // "SZ", "DWORD", "BINARY"/"HEX", ... to REG_*; empty or unknown gives REG_SZ
HKEY fnSplitRegKey(char *pszKeyPath);       // root of a path naming one ("...HKEY_CURRENT_USER\Software..."); leaves the sub-key in place; NULL no root
int fnRegJoinKey(char *pszPath, size_t cchPath, const char *pszName);  // path + "\" + name; 0 empty path
int fnGetRegistry(HKEY hRoot, DWORD *pdwType, const char *pszPathAndValue, char *pszOut, size_t cchOut, int iMode);  // 1 found; last part of the path is the value name ("\" at the end: default value)
int fnGetRegistryByValue(HKEY hRoot, DWORD *pdwType, const char *pszKey, const char *pszValue, char *pszOut, size_t cchOut, int iMode);  // 1 found
int fnRegDataToText(const BYTE *pbData, DWORD dwType, DWORD cbData, char *pszOut, size_t cchOut, int iMode);  // 1 converted
int fnRegSetValue(HKEY hKey, const char *pszValue, DWORD dwType, const char *pszText, int bExpand);  // 1 written
int fnRegOpenAndSet(HKEY hRoot, const char *pszKey, const char *pszValue, const char *pszText, DWORD dwType, int bExpand);  // 1 written; 0 key not created or write failed
int fnRegCopyValue(HKEY hRoot, const char *pszKey, const char *pszFrom, const char *pszTo);  // 1 value pszFrom (any type, at most kcbRegData bytes) written as pszTo with its type and bytes unchanged
int fnRegDelValue(HKEY hRoot, const char *pszKey, const char *pszValue);  // 1 deleted; 0 at once for an empty key or value name
LONG fnRegDelAllValues(HKEY hRoot, const char *pszKey);  // 0 done, kRegBadKey empty key, else the registry error
LONG fnRegDelKeyTree(HKEY hRoot, const char *pszKey);    // 0 done, kRegBadKey empty key, else the registry error
int fnRegGetEnum(HKEY hRoot, const char *pszKey, const char *pszTestValue, const char *pszTestText, const char *pszTestValue2, const char *pszTestText2, const char *pszAction, char *pszOut, size_t cchOut);  // finds a numbered sub-key; always 1

#endif
