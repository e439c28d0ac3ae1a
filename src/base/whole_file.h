// Reading a whole file into memory.
#ifndef SETUP32_BASE_WHOLE_FILE_H
#define SETUP32_BASE_WHOLE_FILE_H

#include <windows.h>

// The file in one NUL-terminated heap block (HeapFree it), *pcb its size;
// NULL when it cannot be opened or read whole, or is larger than cbMax.
char *fnReadWholeFile(const char *pszFile, DWORD *pcb, DWORD cbMax);

#endif
