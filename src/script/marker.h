// Finding a marker text in a file: the internal script appended to the
// program file, and the presence test.
#ifndef SETUP32_SCRIPT_MARKER_H
#define SETUP32_SCRIPT_MARKER_H

#include <windows.h>

enum { kcchMarkerMax = 65499, kcbSearchBlock = 65500 };

// Reads what follows the marker (the last one when bFromEnd, else the first)
// into pbBuffer: *pcbSize in is the room, out the bytes read. 1 found and read, 0 not.
int fnLoadFileAfterString(const char *pszFile, const char *pszMarker, char *pbBuffer, DWORD *pcbSize, BOOL bFromEnd);

// Presence test: 0 found, 1 not found, 2 file missing, 3 text shorter than 2
// or longer than 65,499 characters, 4 position error, 5 no memory or cannot open.
int fnIsStringInFile(const char *pszFile, const char *pszText, BOOL bAnyCase);

#endif
