#include "files/dirs_text.h"

#include "base/path_text.h"
#include "run/text.h"

int fnIsRootedPath(const char *pszPath)
{
    if (!pszPath || !pszPath[0])
        return 0;
    return pszPath[1] == ':' || (pszPath[0] == '\\' && pszPath[1] == '\\');
}

int fnIsBareDrive(const char *pszPath)
{
    if (!pszPath || !pszPath[0] || pszPath[1] != ':')
        return 0;
    return pszPath[2] == '\0' || (pszPath[2] == '\\' && pszPath[3] == '\0');
}

int fnPathRoot(const char *pszPath, char *pszOut, size_t cchOut)
{
    if (cchOut == 0)
        return 0;  // no room even for the terminator: nothing is written, nothing read back
    size_t cch = fnPathRootLength(pszPath);
    if (cch == 0) {
        pszOut[0] = '\0';
        return 0;
    }
    fnCopyTextN(pszOut, cchOut, pszPath, cch);
    size_t cchNow = strlen(pszOut);
    if (cchNow && !fnIsPathSep(pszOut[cchNow - 1]))
        fnAppendText(pszOut, cchOut, "\\");
    return 1;
}

void fnTrimPathSeps(char *pszPath)
{
    size_t cchRoot = fnPathRootLength(pszPath);
    if (cchRoot == 0 && fnIsPathSep(pszPath[0]))
        cchRoot = 1;
    size_t cch = strlen(pszPath);
    while (cch > cchRoot && fnIsPathSep(pszPath[cch - 1]))
        pszPath[--cch] = '\0';
}

int fnHasWildcard(const char *pszText)
{
    return strpbrk(pszText, "*?") != NULL;
}
