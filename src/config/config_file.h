// Small routines the configuration sections share.
#ifndef SETUP32_CONFIG_CONFIG_FILE_H
#define SETUP32_CONFIG_CONFIG_FILE_H

#include <windows.h>

const char *fnSectionBody(const char *pszSection);  // the text after the section's header line
char *fnReadWholeFile(const char *pszFile, DWORD *pcb);  // the file in one NUL-terminated heap block (HeapFree it), *pcb its size; NULL unreadable or over 16 MB

#endif
