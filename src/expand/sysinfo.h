// System facts gathered from Windows: the OS version and bitness.
#ifndef SETUP32_EXPAND_SYSINFO_H
#define SETUP32_EXPAND_SYSINFO_H

#include <windows.h>

#include "expand/osversion.h"

int fnGetOSVersionInfo(OSInfoStruct *pInfo);  // 1 filled, 0 the basic version query failed
int fnIsWow64();                              // 1 a 32-bit process on 64-bit Windows
int fnGetProductEdition(DWORD dwMajor, DWORD dwMinor, DWORD dwSPMajor, DWORD dwSPMinor, char *pszOut, size_t cchOut);  // 1 edition text found

#endif
