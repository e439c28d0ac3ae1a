#include <windows.h>

#include "files/lz.h"
#include "run/guards.h"
#include "run/text.h"

int fnExpandedFileName(const char *pszSrcPath, char *pszOut, size_t cchOut)
{
    const char *pszSlash = strrchr(pszSrcPath, '\\');
    const char *pszName = pszSlash ? pszSlash + 1 : pszSrcPath;
    fnCopyText(pszOut, cchOut, pszName);
    const char *pszDot = strrchr(pszName, '.');
    if (!pszDot || !strchr(pszDot, '_'))
        return 1;
    CFileHandle hFile(CreateFileA(pszSrcPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid() || GetFileType(hFile.Get()) != FILE_TYPE_DISK)
        return 0;
    unsigned char abHead[kcbNameHeader];
    DWORD cbRead = 0;
    if (!ReadFile(hFile.Get(), abHead, sizeof(abHead), &cbRead, NULL) || cbRead == 0)
        return 0;
    fnExpandedNameFromHeader(pszName, abHead, cbRead, pszOut, cchOut);
    return 1;
}
