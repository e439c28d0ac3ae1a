#include "base/path.h"

#include <windows.h>

#include "base/path_text.h"
#include "run/run_state.h"
#include "run/text.h"

static const char *fnNextChar(const char *psz)
{
    return CharNextA(psz);
}

int fnPathJoin(char *pszOut, size_t cchOut, const char *pszDir, const char *pszName)
{
    return fnPathJoinWith(pszOut, cchOut, pszDir, pszName, fnNextChar);
}

int fnPathSplit(const char *pszPath, char *pszDir, size_t cchDir, char *pszName, size_t cchName)
{
    return fnPathSplitWith(pszPath, pszDir, cchDir, pszName, cchName, fnNextChar);
}

int fnModuleFileName(char *pszOut, size_t cchOut)
{
    DWORD cch = GetModuleFileNameA(NULL, pszOut, (DWORD)cchOut);
    if (cch == 0 || cch >= cchOut) {
        pszOut[0] = '\0';
        return 0;
    }
    return 1;
}

// The profile functions look for a name without a directory in the Windows
// directory: give them a full path.
void fnFullPathName(const char *pszName, char *pszOut, size_t cchOut)
{
    char szFull[kcchPath];
    DWORD cch = GetFullPathNameA(pszName, COUNTOF(szFull), szFull, NULL);
    fnCopyText(pszOut, cchOut, (cch == 0 || cch >= COUNTOF(szFull)) ? pszName : szFull);
}

