#include "base/unique.h"

#include "base/path.h"

#include <windows.h>

#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

static int fnPathExists(const char *pszPath)
{
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}

int fnUniqueFileName(const char *pszDir, const char *pszName, char *pszOut, size_t cchOut)
{
    char szTarget[kcchPath];
    fnPathJoin(szTarget, COUNTOF(szTarget), pszDir, pszName);
    if (!fnPathExists(szTarget)) {
        fnCopyText(pszOut, cchOut, szTarget);
        return 1;
    }

    // Split the target into its directory part, base name and extension.
    char szSubDir[kcchPath];
    fnCopyText(szSubDir, COUNTOF(szSubDir), szTarget);
    char *pszSlash = strrchr(szSubDir, '\\');
    const char *pszFile = pszSlash ? szTarget + (pszSlash - szSubDir) + 1 : szTarget;
    if (pszSlash)
        pszSlash[0] = '\0';
    else
        szSubDir[0] = '\0';
    char szBase[kcchPath];
    fnCopyText(szBase, COUNTOF(szBase), pszFile);
    char *pszDot = strrchr(szBase, '.');
    const char *pszExt = "";
    if (pszDot) {
        pszExt = pszFile + (pszDot - szBase) + 1;
        pszDot[0] = '\0';
    }

    char szTry[kcchPath];
    char szCandidate[kcchPath];
    const char *pszSpecial = g_uBackUpMethod == 501 ? "%s.ORI" : g_uBackUpMethod == 506 ? "%s.MOD" : NULL;
    if (pszSpecial) {
        fnFormatText(szCandidate, COUNTOF(szCandidate), pszSpecial, szBase);
        fnPathJoin(szTry, COUNTOF(szTry), szSubDir, szCandidate);
        if (!fnPathExists(szTry)) {
            fnCopyText(pszOut, cchOut, szTry);
            return 2;
        }
    }

    // NAME.{NN}.SAV.EXT from 99 down: the answer is the last free name before
    // the first one taken, so backups count upwards from 00.
    if (strlen(szBase) > 24)
        szBase[24] = '\0';
    char szLast[kcchPath] = "";
    for (int n = 99; n >= 0; n--) {
        fnFormatText(szCandidate, COUNTOF(szCandidate), "%s.{%02d}.SAV.%s", szBase, n, pszExt);
        fnPathJoin(szTry, COUNTOF(szTry), szSubDir, szCandidate);
        if (fnPathExists(szTry))
            break;
        fnCopyText(szLast, COUNTOF(szLast), szTry);
    }
    TRACE("fnUniqueFileName", "lpszTargetDir=%s,\nlpszTargetName=%s,\nszTryFile=%s,\nszLastFile=%s,\nszFullSpec=%s",
          pszDir, pszName, szTry, szLast, szTarget);
    if (!szLast[0])
        return 0;
    fnCopyText(pszOut, cchOut, szLast);
    return 2;
}
