#include "base/path_text.h"

#include "run/text.h"

const char *fnNextByte(const char *psz)
{
    return *psz ? psz + 1 : psz;
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

// The last separator of the text, stepping character by character; NULL none.
static const char *fnLastSep(const char *pszPath, PFN_NEXTCHAR pfnNext)
{
    const char *pszLast = NULL;
    for (const char *p = pszPath; *p; p = pfnNext(p)) {
        if (fnIsPathSep(*p))
            pszLast = p;
    }
    return pszLast;
}

// 1 when the text ends in a separator that is a character of its own.
static int fnEndsInSep(const char *pszText, PFN_NEXTCHAR pfnNext)
{
    const char *pszLast = fnLastSep(pszText, pfnNext);
    return pszLast && pszLast[1] == '\0';
}

int fnPathJoinWith(char *pszOut, size_t cchOut, const char *pszDir, const char *pszName, PFN_NEXTCHAR pfnNext)
{
    while (fnIsPathSep(*pszName))
        pszName++;
    if (!pszDir[0])
        return fnCopyText(pszOut, cchOut, pszName);
    const char *pszSep = fnEndsInSep(pszDir, pfnNext) ? "" : "\\";
    return fnFormatText(pszOut, cchOut, "%s%s%s", pszDir, pszSep, pszName);
}

int fnPathSplitWith(const char *pszPath, char *pszDir, size_t cchDir, char *pszName, size_t cchName,
                    PFN_NEXTCHAR pfnNext)
{
    const char *pszLast = fnLastSep(pszPath, pfnNext);
    if (!pszLast && pszPath[0] && pszPath[1] == ':')
        pszLast = pszPath + 1;  // "C:NAME": the drive is the directory
    if (!pszLast) {
        int bDir = fnCopyText(pszDir, cchDir, "");
        return fnCopyText(pszName, cchName, pszPath) && bDir;
    }
    size_t cchKeep = (size_t)(pszLast - pszPath);
    // Keep the separator of a root ("C:\", "\", "\\server\share\") so the
    // directory stays that root.
    if (cchKeep < fnPathRootLength(pszPath) || cchKeep == 0 || *pszLast == ':')
        cchKeep++;
    int bDir = fnCopyTextN(pszDir, cchDir, pszPath, cchKeep);
    return fnCopyText(pszName, cchName, pszLast + 1) && bDir;
}
