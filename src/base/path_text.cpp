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

// Whether a path part is one the Win32 names would change: "." or "..", or
// a name ending in a dot or a space (those are dropped from Win32 names).
static int fnIsChangedPart(const char *pszPart, size_t cchPart)
{
    if (cchPart == 0)
        return 1;
    if ((cchPart == 1 && pszPart[0] == '.') || (cchPart == 2 && pszPart[0] == '.' && pszPart[1] == '.'))
        return 1;
    return pszPart[cchPart - 1] == '.' || pszPart[cchPart - 1] == ' ';
}

int fnNtPathOf(const char *pszPath, char *pszOut, size_t cchOut, PFN_NEXTCHAR pfnNext)
{
    const char *pszRest;
    const char *pszPrefix;
    if (((pszPath[0] >= 'A' && pszPath[0] <= 'Z') || (pszPath[0] >= 'a' && pszPath[0] <= 'z')) &&
        pszPath[1] == ':' && pszPath[2] == '\\') {
        pszPrefix = "\\??\\";
        pszRest = pszPath;
    } else if (pszPath[0] == '\\' && pszPath[1] == '\\' && pszPath[2] != '?' && pszPath[2] != '.') {
        pszPrefix = "\\??\\UNC\\";
        pszRest = pszPath + 2;
    } else {
        return 0;
    }
    // Every part after the root must stay as it is written.
    const char *pszPart = pszPath + (pszRest == pszPath ? 3 : 2);
    for (const char *p = pszPart;; p = pfnNext(p)) {
        if (*p == '/')
            return 0;
        if (*p == '\\' || !*p) {
            if (fnIsChangedPart(pszPart, (size_t)(p - pszPart)))
                return 0;
            if (!*p)
                break;
            pszPart = p + 1;
        }
    }
    return fnCopyText(pszOut, cchOut, pszPrefix) && fnAppendText(pszOut, cchOut, pszRest);
}
