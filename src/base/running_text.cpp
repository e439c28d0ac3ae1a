#include "base/running_text.h"

#include <string.h>

#include "run/text.h"

const char *fnFileNamePart(const char *pszPath)
{
    const char *pszName = pszPath;
    for (const char *p = pszPath; *p; p++) {
        if (*p == '\\' || *p == '/' || *p == ':')
            pszName = p + 1;
    }
    return pszName;
}

int fnProcessNameMatches(const char *pszName, const char *pszExeFile, const char *pszFullPath, int bFileNamePart)
{
    if (!pszName || !pszName[0])
        return 0;
    const char *apszSeen[2] = {pszExeFile ? pszExeFile : "", pszFullPath ? pszFullPath : ""};
    for (const char *pszSeen : apszSeen) {
        if (!pszSeen[0])
            continue;
        if (fnTextEqualI(pszName, pszSeen))
            return 1;
        if (bFileNamePart && fnTextEqualI(pszName, fnFileNamePart(pszSeen)))
            return 1;
    }
    return 0;
}

void fnStripNtPrefix(char *pszPath)
{
    if (strncmp(pszPath, "\\??\\", 4) == 0)
        memmove(pszPath, pszPath + 4, strlen(pszPath + 4) + 1);
}
