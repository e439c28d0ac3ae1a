#include "process/relaunch.h"

#include "files/dirs.h"
#include "files/install_ops.h"
#include "process/launch.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

static DWORD fnProgramSize(const char *pszExec)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(pszExec, GetFileExInfoStandard, &data) || data.nFileSizeHigh)
        return 0;
    return data.nFileSizeLow;
}

int fnMakeTempCopy(const char *pszExec, const char *pszTrace, char *pszCopy, size_t cchCopy)
{
    char szTemp[kcchPath];
    DWORD cch = GetTempPathA(COUNTOF(szTemp), szTemp);
    if (cch == 0 || cch >= COUNTOF(szTemp))
        fnCopyText(szTemp, COUNTOF(szTemp), "C:\\");
    if (!fnFormatText(pszCopy, cchCopy, "%s%s%s", szTemp, szTemp[strlen(szTemp) - 1] == '\\' ? "" : "\\",
                      g_szDefaultExec))
        return 0;
    TRACE(pszTrace, "lpszExec=%s,\nszTempFile=%s,\ng_szDefaultExec=%s", pszExec, pszCopy, g_szDefaultExec);
    SetFileAttributesA(pszCopy, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(pszCopy);
    DWORD dwSize = fnProgramSize(pszExec);
    DWORD dwFree = dwSize ? fnGetDiskSpace(pszCopy) : 0;
    TRACE(pszTrace, "DiskSpace lpszExec=%s,\nszTempFile=%s,\ng_szDefaultExec=%s,\ndwFileSpace=%lu,\ndwFreeSpace=%lu",
          pszExec, pszCopy, g_szDefaultExec, dwSize, dwFree);
    if (dwSize == 0 || dwFree < dwSize) {
        fnMsgBox(IDS_TEMP_SPACE, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, pszCopy[0]);
        return 0;
    }
    if (!fnCopyFile(pszExec, pszCopy, FALSE, TRUE) || GetFileAttributesA(pszCopy) == INVALID_FILE_ATTRIBUTES) {
        fnMsgBox(IDS_CANNOT_CREATE, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, pszCopy);
        return 0;
    }
    return 1;
}

// The copy takes its script by name unless it is its own internal script,
// this run's home directory as its source, the same destination and the same
// event log (which the copy adds to).
int fnBuildCopyCommand(const char *pszCopy, char *pszOut, size_t cchOut)
{
    char szScript[kcchPath + 8] = "";
    if (!g_bInternalInf)
        fnFormatText(szScript, COUNTOF(szScript), "\"-i=%s\" ", g_szIniFile);
    char szLog[kcchPath + 8] = "";
    if (g_szEventLog[0])
        fnFormatText(szLog, COUNTOF(szLog), "\"-l=%s\" ", g_szEventLog);
    return fnFormatText(pszOut, cchOut, "\"%s\" %s\"-s=%s\" \"-d=%s\" %s%s-t", pszCopy, szScript, g_szHomeDir,
                        g_szDestDir, szLog, g_bUnattended ? "-q=2 " : g_bQuiet ? "-q " : "");
}

int fnStartTempCopy(const char *pszCommand)
{
    return fnCreateProcess(pszCommand, SW_SHOWNORMAL, kWaitNone, FALSE, FALSE, kErrorSilent, TRUE) == kLaunchOk;
}

int fnReloadExec(HWND hwndMain, const char *pszExec)
{
    (void)hwndMain;
    char szCopy[kcchPath];
    if (!fnMakeTempCopy(pszExec, "fnReloadExec", szCopy, COUNTOF(szCopy)))
        return 0;
    // The copy makes these windows itself. An unattended run registered no
    // class (it makes no window), so it has none to give up.
    char szClass[kcchShort];
    static const UINT auClasses[] = {IDS_METER_CLASS, IDS_MISMATCH_CLASS};
    for (UINT uId : auClasses) {
        if (!g_bUnattended && fnLoadText(uId, szClass, COUNTOF(szClass)) && !UnregisterClassA(szClass, g_hInstance))
            return 0;
    }
    char szCommand[kcchCopyCommand];
    if (!fnBuildCopyCommand(szCopy, szCommand, COUNTOF(szCommand)))
        return 0;
    TRACE("fnReloadExec run", "lpszExec=%s,\nszTempFile=%s,\ng_szDefaultExec=%s,\nszCmdLine=%s", pszExec, szCopy,
          g_szDefaultExec, szCommand);
    return fnStartTempCopy(szCommand);
}
