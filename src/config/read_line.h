// Reading one value out of a text file the way the INI reads match lines.
#ifndef SETUP32_CONFIG_READ_LINE_H
#define SETUP32_CONFIG_READ_LINE_H

#include <stddef.h>

// Reads pszFile and finds the first value a read of type cType finds (for
// "C": the first line that begins, after blanks, with pszKey in any case; the
// rest of that line after the key and an optional "=", blanks trimmed).
// 1 found, 0 not found or the file could not be read (pszOut empty).
int fnReadIniLine(const char *pszFile, const char *pszSection, const char *pszKey, char cType, char *pszOut,
                  size_t cchOut);

#endif
