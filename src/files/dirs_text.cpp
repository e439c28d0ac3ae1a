#include "files/dirs_text.h"

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

int fnIsPathSep(char c)
{
    return c == '\\' || c == '/';
}

size_t fnPathRootLength(const char *pszPath)
{
    if (!pszPath || !pszPath[0])
        return 0;
    if (pszPath[1] == ':')
        return fnIsPathSep(pszPath[2]) ? 3 : 2;
    if (!(fnIsPathSep(pszPath[0]) && fnIsPathSep(pszPath[1])))
        return 0;
    // \\server\share\ : the server and the share are both part of the root.
    size_t i = 2;
    for (int iPart = 0; iPart < 2; iPart++) {
        while (pszPath[i] && !fnIsPathSep(pszPath[i]))
            i++;
        if (!pszPath[i])
            return i;
        i++;
    }
    return i;
}

int fnPathRoot(const char *pszPath, char *pszOut, size_t cchOut)
{
    size_t cch = fnPathRootLength(pszPath);
    if (cch == 0) {
        if (cchOut)
            pszOut[0] = '\0';
        return 0;
    }
    fnCopyTextN(pszOut, cchOut, pszPath, cch);
    size_t cchNow = strlen(pszOut);
    if (cchNow && !fnIsPathSep(pszOut[cchNow - 1]))
        fnAppendText(pszOut, cchOut, "\\");
    return 1;
}

int fnJoinDirPath(char *pszOut, size_t cchOut, const char *pszDir, const char *pszName)
{
    size_t cchDir = strlen(pszDir);
    while (fnIsPathSep(*pszName))
        pszName++;
    if (cchDir == 0)
        return fnCopyText(pszOut, cchOut, pszName);
    const char *pszSep = fnIsPathSep(pszDir[cchDir - 1]) ? "" : "\\";
    return fnFormatText(pszOut, cchOut, "%s%s%s", pszDir, pszSep, pszName);
}

void fnSplitPathName(const char *pszPath, char *pszDir, size_t cchDir, char *pszName, size_t cchName)
{
    const char *pszLast = NULL;
    for (const char *p = pszPath; *p; p++)
        if (fnIsPathSep(*p))
            pszLast = p;
    if (!pszLast && pszPath[0] && pszPath[1] == ':')
        pszLast = pszPath + 1;  // "C:NAME": the drive is the directory
    if (!pszLast) {
        if (cchDir)
            pszDir[0] = '\0';
        fnCopyText(pszName, cchName, pszPath);
        return;
    }
    size_t cchKeep = (size_t)(pszLast - pszPath);
    // Keep the separator of a root ("C:\", "\") so the directory stays that root.
    if (cchKeep < fnPathRootLength(pszPath) || cchKeep == 0 || (*pszLast == ':'))
        cchKeep++;
    fnCopyTextN(pszDir, cchDir, pszPath, cchKeep);
    fnCopyText(pszName, cchName, pszLast + 1);
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
