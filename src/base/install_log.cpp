// The install log's start: where the file goes, the old log kept aside, and
// the header.
#include "base/install_log.h"

#include <windows.h>

#include "base/path.h"
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
    char szDir[kcchPath], szBase[kcchPath];
    fnPathSplit(szName, szDir, COUNTOF(szDir), szBase, COUNTOF(szBase));
    if (!szDir[0] || !fnHasDrivePath(szName)) {
        fnPathJoin(szLog, COUNTOF(szLog), g_szDestDir, szBase);
    } else {
        fnCopyText(szLog, COUNTOF(szLog), szName);
    }

    if (GetFileAttributesA(szLog) != INVALID_FILE_ATTRIBUTES) {
        fnPathSplit(szLog, szDir, COUNTOF(szDir), szBase, COUNTOF(szBase));
        char szOld[kcchPath];
        if (fnUniqueFileName(szDir, szBase, szOld, COUNTOF(szOld)) == 2)
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
