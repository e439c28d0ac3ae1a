#include "run/run_state.h"

#include "run/text.h"

char g_szWinDir[kcchPath];
char g_szSysDir[kcchPath];
char g_szTmpPath[kcchPath];
char g_szHomeDir[kcchPath];
char g_szSourceDir[kcchPath];
char g_szIniFile[kcchPath];
char g_szDestDir[kcchPath];
char g_szStartHere[kcchPath];
char g_szSetupInf[kcchPath];
char g_szInfHeader[kcchPath];
char g_szDebugFile[kcchPath];
char g_szLogFile[kcchPath];
char g_szCmdDestDir[kcchPath];
char g_szEventLog[kcchPath];
char g_szDefaultExec[kcchPath];
char g_szProgramFilesDir[kcchPath];
char g_szUserProgramsFolder[kcchPath];

char g_szAskForResponse[kuAnswers][kcchShort];
char g_szDate[kcchDateTime];
char g_szTime[kcchDateTime];
char g_szTitle[kcchShort];
char g_szMainClass[kcchShort];
char g_szAppName[kcchShort];
char g_szVersionText[kcchShort];
char g_szMessage[kcchShort];
char g_szExpandDelims[kcchShort];
char g_szErrorMsg[kcchMessage];
char g_szExitExec[kcchPath];
char g_szExitMsg[kcchMessage];
char g_szRestartMsg[kcchMessage];
char g_szSetValues[kuSetValues][kcchPath];
unsigned g_uSetValue;

unsigned g_uTraceMode;
unsigned g_uTraceDelay;
BOOL g_bLogOn;
BOOL g_bLogHeaderWritten;
unsigned g_uWMITraceMode;

BOOL g_bQuiet;
BOOL g_bUnattended;
BOOL g_bUnattendedFailed;
unsigned g_uShowVSWin;
BOOL g_bMessage;
unsigned g_uInfConvert;
BOOL g_bExternalInf;
BOOL g_bInternalInf;
BOOL g_bTempExec;
BOOL g_bLoaderDone;
BOOL g_bNoDirPrompt;
BOOL g_bSelfDestruct;
BOOL g_bSelfDestructStarted;
BOOL g_bPreventExit;
unsigned g_uOnExit;
BOOL g_bMustRestartAtExit;
BOOL g_bRestartPending;
BOOL g_bUserCancelled;
BOOL g_bShowMustRestartMsg;
BOOL g_bShowErrorMsg;
BOOL g_bExitOnCommandError;
BOOL g_bExitOnExecError;
BOOL g_bStayHome;
unsigned g_uBackUpMethod;
unsigned g_uWinPause;

HINSTANCE g_hInstance;
HWND g_hwndStartup;
HWND g_hwndMain;
BOOL g_bMainShown;
HCURSOR g_hcurPrevious;
HWND g_ahwndPopups[kuPopups];
unsigned g_uPopups;
DWORD g_dwLastPump;
HANDLE g_hEventLog = INVALID_HANDLE_VALUE;
DWORD g_dwRunStart;

BOOL g_bWinNT;
DWORD g_dwWinMajor;
DWORD g_dwWinMinor;
DWORD g_dwWinBuild;
DWORD g_dwWinPlatformID;
unsigned g_uWinPlatform;
unsigned g_uWinOS;
unsigned g_uWinSR;
unsigned g_uWinBits;
char g_szWinShortName[16];
char g_szWinVersion[80];
char g_szWinName[kcchPath];

FARPROC g_pfnToolhelp[5];
FARPROC g_pfnNtQueryInformationProcess;
PFN_QUERYPERFDATA g_pfnQueryPerfData;
FARPROC g_pfnAdvapi[5];

char g_szDirs[kuDirs][kcchPath];
char g_szSourceDirs[kuSourceDirs][kcchPath];
char g_szRegEntry[kcchPath];
char g_szRegEntries[kuRegEntries][kcchPath];
char g_szFromListResponse[kuAnswers][kcchListResponse];
char g_szFromComboResponse[kuAnswers][kcchListResponse];
char g_cCheckStates[kuCheckGroups][kuCheckBoxes];
char g_szDefaultSetting[kuDefaultSettings][kcchShort];
char g_szRegValues[kuRegValues][kcchRegValue];
unsigned g_uStringChecks[kuStringChecks];
char g_szUserName[kcchUserName];
char g_szPassword[kcchUserName];
char g_szShortcutFolder[kcchPath];
char g_szFunResults[kuFunResults][kcchPath];
unsigned g_uFunResult;

UINT g_auDriveTypes[26];
char *g_pbCopyBuffer;
ReadSectStruct *g_apAllInfoSect[kuAllInfoLayouts];
unsigned g_uExitCode;
const char *g_pszScript;

void fnClearRunState()
{
    fnCopyText(g_szWinDir, COUNTOF(g_szWinDir), "C:\\WINDOWS");
    fnCopyText(g_szSysDir, COUNTOF(g_szSysDir), "C:\\WINDOWS\\SYSTEM");
    g_szTmpPath[0] = g_szHomeDir[0] = g_szSourceDir[0] = '\0';
    g_szIniFile[0] = g_szDestDir[0] = g_szStartHere[0] = '\0';
    g_szSetupInf[0] = g_szInfHeader[0] = g_szDebugFile[0] = g_szLogFile[0] = '\0';
    g_szCmdDestDir[0] = g_szEventLog[0] = '\0';
    fnCopyText(g_szDefaultExec, COUNTOF(g_szDefaultExec), "_KRVLO_.EXE");
    g_szProgramFilesDir[0] = g_szUserProgramsFolder[0] = '\0';

    for (unsigned i = 0; i < kuAnswers; i++)
        g_szAskForResponse[i][0] = '\0';
    g_szDate[0] = g_szTime[0] = '\0';
    fnCopyText(g_szTitle, COUNTOF(g_szTitle), "Install and Setup");
    fnCopyText(g_szMainClass, COUNTOF(g_szMainClass), "KRVLO");
    g_szAppName[0] = g_szVersionText[0] = '\0';
    fnCopyText(g_szMessage, COUNTOF(g_szMessage), "One moment please ...");
    fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), ",=");
    g_szErrorMsg[0] = g_szExitExec[0] = g_szExitMsg[0] = g_szRestartMsg[0] = '\0';
    for (unsigned i = 0; i < kuSetValues; i++)
        g_szSetValues[i][0] = '\0';
    g_uSetValue = 0;

    g_uTraceMode = 0;
    g_uTraceDelay = 5000;
    g_bLogOn = g_bLogHeaderWritten = FALSE;
    g_uWMITraceMode = 0;
    // g_hEventLog stays: an open event log belongs to the process.
    g_dwRunStart = 0;

    g_bQuiet = FALSE;
    g_bUnattended = g_bUnattendedFailed = FALSE;
    g_uShowVSWin = 1;
    g_bMessage = FALSE;
    g_uInfConvert = 0;
    g_bExternalInf = g_bInternalInf = g_bTempExec = g_bLoaderDone = FALSE;
    g_bNoDirPrompt = g_bSelfDestruct = g_bSelfDestructStarted = g_bPreventExit = FALSE;
    g_uOnExit = 0;
    g_bMustRestartAtExit = FALSE;
    g_bRestartPending = FALSE;
    g_bUserCancelled = FALSE;
    g_bShowMustRestartMsg = TRUE;
    g_bShowErrorMsg = FALSE;
    g_bExitOnCommandError = FALSE;
    g_bExitOnExecError = FALSE;
    g_bStayHome = FALSE;
    g_uBackUpMethod = 501;
    g_uWinPause = 100;

    g_hwndStartup = g_hwndMain = NULL;
    g_bMainShown = FALSE;
    g_hcurPrevious = NULL;
    for (unsigned i = 0; i < kuPopups; i++)
        g_ahwndPopups[i] = NULL;
    g_uPopups = 0;
    g_dwLastPump = 0;

    g_bWinNT = FALSE;
    g_dwWinMajor = g_dwWinMinor = g_dwWinBuild = g_dwWinPlatformID = 0;
    g_uWinPlatform = g_uWinOS = g_uWinSR = 0;
    g_uWinBits = 32;
    g_szWinShortName[0] = g_szWinVersion[0] = g_szWinName[0] = '\0';

    for (unsigned i = 0; i < 5; i++)
        g_pfnToolhelp[i] = g_pfnAdvapi[i] = NULL;
    g_pfnNtQueryInformationProcess = NULL;
    g_pfnQueryPerfData = NULL;

    memset(g_szDirs, 0, sizeof(g_szDirs));
    memset(g_szSourceDirs, 0, sizeof(g_szSourceDirs));
    g_szRegEntry[0] = '\0';
    memset(g_szRegEntries, 0, sizeof(g_szRegEntries));
    memset(g_szFromListResponse, 0, sizeof(g_szFromListResponse));
    memset(g_szFromComboResponse, 0, sizeof(g_szFromComboResponse));
    memset(g_cCheckStates, 0, sizeof(g_cCheckStates));
    memset(g_szDefaultSetting, 0, sizeof(g_szDefaultSetting));
    memset(g_szRegValues, 0, sizeof(g_szRegValues));
    memset(g_uStringChecks, 0, sizeof(g_uStringChecks));
    g_szUserName[0] = g_szPassword[0] = g_szShortcutFolder[0] = '\0';
    memset(g_szFunResults, 0, sizeof(g_szFunResults));
    g_uFunResult = 0;

    memset(g_auDriveTypes, 0, sizeof(g_auDriveTypes));
    // g_pbCopyBuffer and g_apAllInfoSect stay: they are made once and kept
    // for the process (whether a walk reads a record again is the walk's
    // input record's business).

    g_uExitCode = kExitOk;
    g_pszScript = NULL;
}
