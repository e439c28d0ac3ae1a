#include "base/path.h"

#include <windows.h>

#include "base/path_text.h"
#include "run/run_state.h"
#include "run/text.h"

// CharNextA without user32: loading user32 alone starts the display driver
// under Wine, which a run that shows nothing should not pay for.
const char *fnCharNext(const char *psz)
{
    if (!*psz)
        return psz;
    return IsDBCSLeadByte((BYTE)*psz) && psz[1] ? psz + 2 : psz + 1;
}

int fnPathJoin(char *pszOut, size_t cchOut, const char *pszDir, const char *pszName)
{
    return fnPathJoinWith(pszOut, cchOut, pszDir, pszName, fnCharNext);
}

int fnPathSplit(const char *pszPath, char *pszDir, size_t cchDir, char *pszName, size_t cchName)
{
    return fnPathSplitWith(pszPath, pszDir, cchDir, pszName, cchName, fnCharNext);
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

