#include "app/startup.h"

#include <shlobj.h>

#include "base/path.h"
#include "base/attrib.h"
#include "expand/expand.h"
#include "expand/sysinfo.h"
#include "app/cmdfile.h"
#include "run/cmdline.h"
#include "run/event_log.h"
#include "run/event_log_text.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/marker.h"
#include "resource.h"

static const char kszInitFailed[] = "Error!  Could not initialize.";

static void fnStartupError(const char *pszText)
{
    fnMsgBox(0, NULL, MB_OK | MB_ICONERROR, "%s", pszText);
}

void fnResolveEntryPoints()
{
    HMODULE hKernel = GetModuleHandleA("KERNEL32.DLL");
    static const char *const apszToolhelp[5] = {"CreateToolhelp32Snapshot", "Module32First", "Module32Next",
                                                "Process32First", "Process32Next"};
    int bAll = 1;
    for (int i = 0; i < 5; i++) {
        g_pfnToolhelp[i] = GetProcAddress(hKernel, apszToolhelp[i]);
        bAll = bAll && g_pfnToolhelp[i];
    }
    if (!bAll) {
        for (int i = 0; i < 5; i++)
            g_pfnToolhelp[i] = NULL;
        g_pfnNtQueryInformationProcess = GetProcAddress(GetModuleHandleA("NTDLL.DLL"), "NtQueryInformationProcess");
    }
}

static void fnResolveAdvapi()
{
    static const char *const apszAdvapi[5] = {"OpenProcessToken", "GetTokenInformation", "FreeSid", "EqualSid",
                                              "AllocateAndInitializeSid"};
    HMODULE hAdvapi = GetModuleHandleA("ADVAPI32.DLL");
    if (!hAdvapi)
        hAdvapi = LoadLibraryA("ADVAPI32.DLL");
    int bAll = hAdvapi != NULL;
    for (int i = 0; i < 5 && bAll; i++) {
        g_pfnAdvapi[i] = GetProcAddress(hAdvapi, apszAdvapi[i]);
        bAll = g_pfnAdvapi[i] != NULL;
    }
    if (!bAll) {
        for (int i = 0; i < 5; i++)
            g_pfnAdvapi[i] = NULL;
    }
}

static int fnIsRemoteDrive(const char *pszPath)
{
    if (pszPath[0] == '\\')
        return 1;
    char szRoot[4] = {pszPath[0], ':', '\\', '\0'};
    return pszPath[1] == ':' && GetDriveTypeA(szRoot) == DRIVE_REMOTE;
}

static void fnStripTrailingSlash(char *pszPath)
{
    size_t cch = strlen(pszPath);
    int bDriveRoot = cch == 3 && pszPath[1] == ':';
    if (cch > 0 && !bDriveRoot && (pszPath[cch - 1] == '\\' || pszPath[cch - 1] == '/'))
        pszPath[cch - 1] = '\0';
}

static int fnQueryDirectories()
{
    char szDir[kcchPath];
    UINT cch = GetWindowsDirectoryA(szDir, COUNTOF(szDir));
    if (cch == 0 || cch >= COUNTOF(szDir)) {
        fnStartupError("Error!  Could not determine Windows directory.");
        return 0;
    }
    fnCopyText(g_szWinDir, COUNTOF(g_szWinDir), szDir);
    cch = GetSystemDirectoryA(szDir, COUNTOF(szDir));
    if (cch == 0 || cch >= COUNTOF(szDir)) {
        fnStartupError("Error!  Could not determine Windows system directory.");
        return 0;
    }
    fnCopyText(g_szSysDir, COUNTOF(g_szSysDir), fnIsRemoteDrive(szDir) ? g_szWinDir : szDir);

    DWORD cchTmp = GetTempPathA(COUNTOF(szDir), szDir);
    if (cchTmp == 0 || cchTmp >= COUNTOF(szDir))
        fnFormatText(szDir, COUNTOF(szDir), "%s\\TEMP", g_szWinDir);
    fnStripTrailingSlash(szDir);
    fnCopyText(g_szTmpPath, COUNTOF(g_szTmpPath), szDir);
    if (GetFileAttributesA(g_szTmpPath) == INVALID_FILE_ATTRIBUTES)
        SHCreateDirectoryExA(NULL, g_szTmpPath, NULL);
    return 1;
}

static int fnSetHomeDir()
{
    char szFile[kcchPath];
    if (!fnModuleFileName(szFile, COUNTOF(szFile)))
        return 0;
    char *pszSlash = strrchr(szFile, '\\');
    if (!pszSlash)
        return 0;
    *pszSlash = '\0';
    fnCopyText(g_szHomeDir, COUNTOF(g_szHomeDir), szFile);
    return 1;
}

static void fnCopyOSFacts(const OSInfoStruct *pInfo)
{
    g_bWinNT = pInfo->bWinNT;
    g_dwWinMajor = pInfo->dwWinMajor;
    g_dwWinMinor = pInfo->dwWinMinor;
    g_dwWinBuild = pInfo->dwWinBuild;
    g_dwWinPlatformID = pInfo->dwWinPlatformID;
    g_uWinPlatform = pInfo->uWinPlatform;
    g_uWinOS = pInfo->uWinOS;
    g_uWinSR = pInfo->uWinSR;
    g_uWinBits = pInfo->uWinBits;
    fnCopyText(g_szWinShortName, COUNTOF(g_szWinShortName), pInfo->szWinShortName);
    fnCopyText(g_szWinVersion, COUNTOF(g_szWinVersion), pInfo->szWinVersion);
    fnCopyText(g_szWinName, COUNTOF(g_szWinName), pInfo->szWinName);
}

// The program's own version from its version resource, as "1.2.3.4".
static int fnOwnVersion(char *pszOut, size_t cchOut)
{
    char szFile[kcchPath];
    if (!fnModuleFileName(szFile, COUNTOF(szFile)))
        return 0;
    DWORD dwHandle = 0;
    DWORD cbInfo = GetFileVersionInfoSizeA(szFile, &dwHandle);
    if (cbInfo == 0)
        return 0;
    char *pbInfo = (char *)HeapAlloc(GetProcessHeap(), 0, cbInfo);
    if (!pbInfo)
        return 0;
    int bRC = 0;
    VS_FIXEDFILEINFO *pFixed = NULL;
    UINT cbFixed = 0;
    if (GetFileVersionInfoA(szFile, 0, cbInfo, pbInfo) && VerQueryValueA(pbInfo, "\\", (void **)&pFixed, &cbFixed) &&
        pFixed && cbFixed >= sizeof(*pFixed)) {
        fnFormatText(pszOut, cchOut, "%u.%u.%u.%u", HIWORD(pFixed->dwFileVersionMS), LOWORD(pFixed->dwFileVersionMS),
                     HIWORD(pFixed->dwFileVersionLS), LOWORD(pFixed->dwFileVersionLS));
        bRC = 1;
    }
    HeapFree(GetProcessHeap(), 0, pbInfo);
    return bRC;
}

static void fnBuildVersionText()
{
    char szLine[kcchShort];
    char szVersion[64];
    if (fnOwnVersion(szVersion, COUNTOF(szVersion))) {
        char szFormat[kcchShort];
        fnLoadText(IDS_VERSION_LINE, szFormat, COUNTOF(szFormat));
        fnFormatText(szLine, COUNTOF(szLine), szFormat, szVersion);
    } else {
        fnCopyText(szLine, COUNTOF(szLine), "Install and Setup");
    }
    fnFormatText(g_szVersionText, COUNTOF(g_szVersionText), "\n%s\nWindows %s\n", szLine, g_szWinVersion);
}

// Copies each non-empty text and the flags of the command line into the run state.
static void fnApplyCmdLine(const CmdLineStruct *pCmd)
{
    if (pCmd->szIniFile[0])
        fnCopyText(g_szIniFile, COUNTOF(g_szIniFile), pCmd->szIniFile);
    if (pCmd->szSourceDir[0])
        fnCopyText(g_szSourceDir, COUNTOF(g_szSourceDir), pCmd->szSourceDir);
    if (pCmd->szDestDir[0]) {
        fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), pCmd->szDestDir);
        fnCopyText(g_szCmdDestDir, COUNTOF(g_szCmdDestDir), pCmd->szDestDir);
    }
    if (pCmd->szEventLog[0])
        fnFullPathName(pCmd->szEventLog, g_szEventLog, COUNTOF(g_szEventLog));
    if (pCmd->szAskFor[0])
        fnCopyText(g_szAskForResponse[0], COUNTOF(g_szAskForResponse[0]), pCmd->szAskFor);
    char szSelf[kcchPath];
    if (pCmd->bTempExec && fnModuleFileName(szSelf, COUNTOF(szSelf)))
        g_bTempExec = TRUE;
    g_bNoDirPrompt = pCmd->bNoDirPrompt;
    g_bQuiet = pCmd->bQuiet || pCmd->bUnattended;
    g_bUnattended = pCmd->bUnattended;
    if (pCmd->bMessage) {
        g_bMessage = TRUE;
        if (pCmd->szMessage[0])
            fnCopyText(g_szMessage, COUNTOF(g_szMessage), pCmd->szMessage);
    }
}

// A script named without its directory is looked for in the source and home directories.
static void fnLocateNamedScript()
{
    if (fnFileOrDirExists(g_szIniFile))
        return;
    char szTry[kcchPath];
    fnFormatText(szTry, COUNTOF(szTry), "%s\\%s", g_szSourceDir, g_szIniFile);
    if (fnFileOrDirExists(szTry)) {
        fnCopyText(g_szIniFile, COUNTOF(g_szIniFile), szTry);
        return;
    }
    const char *pszBase = strrchr(g_szIniFile, '\\');
    fnFormatText(szTry, COUNTOF(szTry), "%s\\%s", g_szHomeDir, pszBase ? pszBase + 1 : g_szIniFile);
    fnCopyText(g_szIniFile, COUNTOF(g_szIniFile), szTry);
}

// 1 parsed, 3 help shown, 0 nothing from the command line used.
static int fnParseCmdLine()
{
    CGlobalBlock argsBlock;  // 32 KB of split arguments: kept off the stack
    CmdArgsStruct *pArgs = (CmdArgsStruct *)argsBlock.fnAlloc(sizeof(CmdArgsStruct));
    if (!pArgs)
        return 0;
    CmdLineStruct cmd;
    CmdRunStruct run;
    memset(&run, 0, sizeof(run));
    run.uTraceMode = g_uTraceMode;
    run.uShowVSWin = g_uShowVSWin;
    fnSplitCmdLine(GetCommandLineA(), pArgs);
    int iRC = fnParseCmdArgs(pArgs, &cmd, &run);
    if (iRC == 0)
        return 0;
    g_uTraceMode = run.uTraceMode;
    g_uShowVSWin = run.uShowVSWin;
    g_uInfConvert = run.uInfConvert;
    g_bExternalInf = run.bExternalInf;
    fnCopyText(g_szStartHere, COUNTOF(g_szStartHere), run.szStartHere);
    if (iRC == 3) {
        fnMsgBox(IDS_HELP_TEXT, NULL, MB_OK | MB_ICONINFORMATION);
        return 3;
    }
    if (cmd.szCmdFile[0])
        fnReadCmdFile(&cmd);
    fnApplyCmdLine(&cmd);
    fnLocateNamedScript();
    return 1;
}

int fnBuildMarker(char *pszOut, size_t cchOut)
{
    char szName[kcchShort];
    if (!fnLoadText(IDS_MARKER_NAME, szName, COUNTOF(szName)))
        fnCopyText(szName, COUNTOF(szName), "K00a00r00v00e00l00l00o00 I00N00F00H00d00r00");
    return fnFormatText(pszOut, cchOut, "<-- %s -- %s -- %s -->", g_szMainClass, szName, g_szMainClass);
}

int fnFindDefaultScript()
{
    if (fnFileOrDirExists(g_szIniFile))
        return 1;
    static const char *const apszDefaults[] = {"SETUP32.INF", "SETUP.BNF", "SETUP_0.INF",
                                               "TCSETUP.INF", "SETUP.RNF", "SETUP.INF"};
    for (const char *pszName : apszDefaults) {
        char szTry[kcchPath];
        fnFormatText(szTry, COUNTOF(szTry), "%s\\%s", g_szHomeDir, pszName);
        if (fnFileOrDirExists(szTry)) {
            fnCopyText(g_szIniFile, COUNTOF(g_szIniFile), szTry);
            return 1;
        }
    }
    return 0;
}

static int fnFail(unsigned uExitCode)
{
    g_uExitCode = uExitCode;
    return 0;
}

// The run's start in the event log: what runs, on what, as asked.
static void fnRecordRunStart()
{
    char szVersion[64] = "";
    fnOwnVersion(szVersion, COUNTOF(szVersion));
    char szCmdLine[kcchEventRecord];
    fnMaskCmdLine(szCmdLine, COUNTOF(szCmdLine), GetCommandLineA());
    char szMajor[24], szMinor[24], szBuild[24];
    fnEventLog("run_start", "version", szVersion, "command_line", szCmdLine, "script", g_szIniFile, "os", g_szWinName,
               "os_version", g_szWinVersion, "#os_major", fnEventNumber(szMajor, g_dwWinMajor), "#os_minor",
               fnEventNumber(szMinor, g_dwWinMinor), "#os_build", fnEventNumber(szBuild, g_dwWinBuild), "destination",
               g_szDestDir, "#unattended", g_bUnattended ? "true" : "false", "#quiet", g_bQuiet ? "true" : "false",
               NULL);
}

unsigned fnRecordRunEnd(unsigned uExitCode)
{
    char szCode[24], szMs[24];
    fnEventLog("run_end", "#exit_code", fnEventNumber(szCode, uExitCode), "#duration_ms",
               fnEventNumber(szMs, (long long)(GetTickCount() - g_dwRunStart)), NULL);
    fnCloseEventLog();
    return uExitCode;
}

int fnInitialize()
{
    g_dwRunStart = GetTickCount();
    if (!fnQueryDirectories())
        return fnFail(kExitNoScript);
    OSInfoStruct osInfo;
    if (!fnSetHomeDir() || !fnGetOSVersionInfo(&osInfo)) {
        fnStartupError(kszInitFailed);
        return fnFail(kExitNoScript);
    }
    fnCopyOSFacts(&osInfo);
    if (g_bWinNT)
        fnResolveAdvapi();
    fnBuildVersionText();
    fnReadRegGlobals();

    g_bQuiet = FALSE;
    g_bMessage = FALSE;
    g_uInfConvert = 0;
    fnCopyText(g_szSourceDir, COUNTOF(g_szSourceDir), g_szHomeDir);
    fnFormatText(g_szIniFile, COUNTOF(g_szIniFile), "%s\\KARVELLO.INF", g_szHomeDir);
    int iParsed = fnParseCmdLine();
    if (!g_bUnattended)
        g_hwndStartup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, g_hInstance, NULL);
    HWND hwndOwner = g_hwndStartup;
    if (iParsed == 1 && g_szEventLog[0]) {
        // The temporary copy of a run ("-t") adds to the log that run began.
        if (fnOpenEventLog(g_szEventLog, g_bTempExec))
            fnRecordRunStart();
        else
            fnMsgBox(IDS_CANNOT_CREATE, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, g_szEventLog);
    }
    fnCopyText(g_szSourceDirs[0], COUNTOF(g_szSourceDirs[0]), g_szSourceDir);  // disk 1

    // The default trace file, also for a "Debug" keyword that names none.
    fnFormatText(g_szDebugFile, COUNTOF(g_szDebugFile), "%s\\KRVloDbg.LOG", g_szTmpPath);
    if (g_uTraceMode >= 3) {
        if (!fnOpenTraceFile(hwndOwner))
            return fnFail(kExitNoScript);
    }
    TRACE("fnParseCmdLine",
          "Windows=%s,\ng_szTmpPath=%s,\ng_szDebugFile=%s,\ng_szHomeDir=%s,\ng_szIniFile=%s,\ng_szDestDir=%s,\n"
          "g_szAskForResponse=%s,\ng_bQuiet=%d,\ng_uShowVSWin=%u",
          g_szWinVersion, g_szTmpPath, g_szDebugFile, g_szHomeDir, g_szIniFile, g_szDestDir, g_szAskForResponse[0],
          g_bQuiet, g_uShowVSWin);
    if (iParsed == 3)
        return fnFail(kExitOk);

    if (!g_bExternalInf) {
        fnModuleFileName(g_szSetupInf, COUNTOF(g_szSetupInf));
        fnBuildMarker(g_szInfHeader, COUNTOF(g_szInfHeader));
        if (g_szSetupInf[0] && fnIsStringInFile(g_szSetupInf, g_szInfHeader, FALSE) == 0)
            g_bInternalInf = TRUE;
    }
    if (!g_bInternalInf && !fnFindDefaultScript()) {
        fnMsgBox(0, "ERROR!", MB_OK | MB_ICONERROR, "%s", "Cannot find information file.");
        return fnFail(kExitNoScript);
    }
    TRACE("fnInitialize - VersionInfo",
          "g_dwWinMajor=%lu,\ng_dwWinMinor=%lu,\ng_dwWinBuild=%lu,\ng_dwWinPlatformID=%lu,\ng_uWinOS=%u,\n"
          "g_uWinSR=%u,\ng_uWinBits=%u,\ng_szWinName=%s,\ng_szWinVersion=%s",
          g_dwWinMajor, g_dwWinMinor, g_dwWinBuild, g_dwWinPlatformID, g_uWinOS, g_uWinSR, g_uWinBits, g_szWinName,
          g_szWinVersion);
    return 1;
}
