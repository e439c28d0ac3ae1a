// Whether a file is there, and making an existing file writable before it
// is edited or replaced.
#ifndef SETUP32_BASE_ATTRIB_H
#define SETUP32_BASE_ATTRIB_H

#include <windows.h>

int fnFileOrDirExists(const char *pszPath);  // 1 a directory search finds the name (wildcards match)
int fnTestWriteToFile(const char *pszFile);  // 1 the file exists and opens for writing
int fnEnableWriteToFile(HWND hwnd, const char *pszFile, DWORD *pdwAttrib);  // 1 writable or absent (*pdwAttrib: attributes to restore, or INVALID_FILE_ATTRIBUTES), 0 refused (message 1143 answered No, or still not writable)

#endif
