#include "base/whole_file.h"

#include "run/guards.h"

char *fnReadWholeFile(const char *pszFile, DWORD *pcb, DWORD cbMax)
{
    CFileHandle hFile(CreateFileA(pszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (hFile.Get() == INVALID_HANDLE_VALUE)
        return NULL;
    LARGE_INTEGER liSize;
    if (!GetFileSizeEx(hFile.Get(), &liSize) || liSize.QuadPart > cbMax)
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
