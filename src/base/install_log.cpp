// The install log's start: where the file goes, the old log kept aside, and
// the header.
#include "base/install_log.h"

#include <windows.h>

#include "base/unique.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

static int fnHasDrivePath(const char *pszPath)
{
    return pszPath[0] && pszPath[1] == ':';
}

int fnStartInstallLog(const char *pszName)
{
    if (g_bLogHeaderWritten || !pszName || !pszName[0])
        return 1;

    char szName[kcchPath];
    fnCopyText(szName, COUNTOF(szName), pszName);

    // A bare name, or one whose directory has no drive, goes into the destination.
    char szLog[kcchPath];
    if (!strchr(szName, '\\') || !fnHasDrivePath(szName)) {
        const char *pszBase = strrchr(szName, '\\');
        pszBase = pszBase ? pszBase + 1 : szName;
        fnFormatText(szLog, COUNTOF(szLog), "%s\\%s", g_szDestDir, pszBase);
    } else {
        fnCopyText(szLog, COUNTOF(szLog), szName);
    }

    if (GetFileAttributesA(szLog) != INVALID_FILE_ATTRIBUTES) {
        char szDir[kcchPath];
        fnCopyText(szDir, COUNTOF(szDir), szLog);
        char *pszSlash = strrchr(szDir, '\\');
        const char *pszBase = pszSlash ? pszSlash + 1 : szLog;
        if (pszSlash)
            *pszSlash = '\0';
        char szOld[kcchPath];
        if (fnUniqueFileName(szDir, pszBase, szOld, COUNTOF(szOld)) == 2)
            CopyFileA(szLog, szOld, FALSE);
        CFileHandle hNew(CreateFileA(szLog, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
    }

    fnCopyText(g_szLogFile, COUNTOF(g_szLogFile), szLog);
    g_bLogOn = TRUE;
    g_bLogHeaderWritten = TRUE;
    fnLogLine("[Karvello Log]", 1);
    if (g_szAppName[0])
        fnLogLine("AppName=%s", 1, g_szAppName);
    if (g_szDestDir[0])
        fnLogLine("InstallDir=%s", 1, g_szDestDir);
    return 1;
}
