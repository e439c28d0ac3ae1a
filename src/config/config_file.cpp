// Small routines the configuration sections share.
#include "config/config_file.h"

#include "run/guards.h"

enum { kcbEditFileMax = 16 * 1024 * 1024 };  // configuration files larger than this are refused

const char *fnSectionBody(const char *pszSection)
{
    const char *p = pszSection;
    while (*p && *p != '\r' && *p != '\n')
        p++;
    while (*p == '\r' || *p == '\n')
        p++;
    return p;
}

// The whole file in one heap block (NUL-terminated); *pcb its size.
char *fnReadWholeFile(const char *pszFile, DWORD *pcb)
{
    CFileHandle hFile(CreateFileA(pszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (hFile.Get() == INVALID_HANDLE_VALUE)
        return NULL;
    LARGE_INTEGER liSize;
    if (!GetFileSizeEx(hFile.Get(), &liSize) || liSize.QuadPart > kcbEditFileMax)
        return NULL;
    DWORD cb = (DWORD)liSize.QuadPart;
    char *pch = (char *)HeapAlloc(GetProcessHeap(), 0, cb + 1);
    if (!pch)
        return NULL;
    DWORD cbRead = 0;
    if (!ReadFile(hFile.Get(), pch, cb, &cbRead, NULL) || cbRead != cb) {
        HeapFree(GetProcessHeap(), 0, pch);
        return NULL;
    }
    pch[cb] = '\0';
    *pcb = cb;
    return pch;
}
