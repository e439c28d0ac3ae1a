#include <windows.h>

#include "config/read_line.h"

#include "config/iniedit_text.h"
#include "run/guards.h"
#include "run/text.h"
#include "run/trace.h"

// Larger files are not configuration files: they are not read at all.
enum { kcbIniReadMax = 64 * 1024 * 1024 };

int fnReadIniLine(const char *pszFile, const char *pszSection, const char *pszKey, char cType, char *pszOut,
                  size_t cchOut)
{
    if (cchOut)
        pszOut[0] = '\0';
    CFileHandle hFile(CreateFileA(pszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid()) {
        TRACE("fnReadIniLine", "Could not open file szFile=%s", pszFile);
        return 0;
    }
    LARGE_INTEGER liSize;
    if (!GetFileSizeEx(hFile.Get(), &liSize) || liSize.QuadPart > kcbIniReadMax)
        return 0;
    DWORD cb = (DWORD)liSize.QuadPart;
    char *pch = (char *)HeapAlloc(GetProcessHeap(), 0, cb ? cb : 1);
    if (!pch)
        return 0;
    DWORD cbRead = 0;
    int bFound = 0;
    if (ReadFile(hFile.Get(), pch, cb, &cbRead, NULL))
        bFound = fnFindIniText(pch, cbRead, pszSection ? pszSection : "", pszKey, cType, "", pszOut, cchOut);
    HeapFree(GetProcessHeap(), 0, pch);
    return bFound;
}
