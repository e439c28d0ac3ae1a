// The process-wide run state: settings, paths, answers and flags that every
// part of the program reads. Defined once in run_state.cpp and cleared at
// process start.
#ifndef SETUP32_RUN_RUN_STATE_H
#define SETUP32_RUN_RUN_STATE_H

#include <windows.h>

enum {
    kcchPath = MAX_PATH,   // paths
    kcchShort = 128,       // short texts
    kcchMessage = 512,     // messages
    kcchLine = 1024,       // script lines and fields
    kcchDateTime = 16,
    kuAnswers = 9,         // answers of the input dialogs
    kuSetValues = 10,      // stored answers "@$0" to "@$9"
    kuPopups = 10,         // modeless pop-up message windows remembered
};

// Process exit codes understood by deployment tools.
enum {
    kExitOk = 0,
    kExitCancelled = 1602,      // a person chose to stop the run
    kExitFailed = 1603,         // the walk ended failed
    kExitNoScript = 1619,       // no script found or readable, or start-up failed
    kExitRestartNeeded = 3010,  // completed, a restart is required and was not made
    kExitRestarting = 1641,     // a restart or shut-down was started
};

// Paths
extern char g_szWinDir[kcchPath];
extern char g_szSysDir[kcchPath];
extern char g_szTmpPath[kcchPath];
extern char g_szHomeDir[kcchPath];
extern char g_szSourceDir[kcchPath];
extern char g_szIniFile[kcchPath];
extern char g_szDestDir[kcchPath];
extern char g_szCmdDestDir[kcchPath];  // the destination the command line or command file gave (the walk starts there)
extern char g_szEventLog[kcchPath];    // event log named by "-l=" or LOGFILE (empty: none)
extern char g_szStartHere[kcchPath];
extern char g_szSetupInf[kcchPath];
extern char g_szInfHeader[kcchPath];
extern char g_szDebugFile[kcchPath];
extern char g_szLogFile[kcchPath];
extern char g_szDefaultExec[kcchPath];
extern char g_szProgramFilesDir[kcchPath];
extern char g_szUserProgramsFolder[kcchPath];

// Texts
extern char g_szAskForResponse[kuAnswers][kcchShort];
extern char g_szDate[kcchDateTime];
extern char g_szTime[kcchDateTime];
extern char g_szTitle[kcchShort];
extern char g_szMainClass[kcchShort];
extern char g_szAppName[kcchShort];
extern char g_szVersionText[kcchShort];
extern char g_szMessage[kcchShort];
extern char g_szExpandDelims[kcchShort];
extern char g_szErrorMsg[kcchMessage];
extern char g_szExitExec[kcchPath];
extern char g_szExitMsg[kcchMessage];
extern char g_szRestartMsg[kcchMessage];
extern char g_szSetValues[kuSetValues][kcchPath];  // answers stored by ReadLineFromFile and the commands
extern unsigned g_uSetValue;                      // next slot of g_szSetValues; stays at 9 once there

// Trace and install log
extern unsigned g_uTraceMode;
extern unsigned g_uTraceDelay;       // milliseconds the trace dialog stays
extern BOOL g_bLogOn;
extern BOOL g_bLogHeaderWritten;
extern unsigned g_uWMITraceMode;      // the WMI query's own copy of the trace mode
extern HANDLE g_hEventLog;            // the open event log, or INVALID_HANDLE_VALUE
extern DWORD g_dwRunStart;            // tick count when the run started (event log duration)

// Display and behaviour
extern BOOL g_bQuiet;
extern BOOL g_bUnattended;          // "-q=2": no window waits for a person, questions take their default answers
extern BOOL g_bUnattendedFailed;    // an unattended run met a prompt with no safe answer: it ends failed
extern unsigned g_uShowVSWin;
extern BOOL g_bMessage;
extern unsigned g_uInfConvert;
extern BOOL g_bExternalInf;
extern BOOL g_bInternalInf;
extern BOOL g_bTempExec;
extern BOOL g_bLoaderDone;
extern BOOL g_bNoDirPrompt;
extern BOOL g_bSelfDestruct;
extern BOOL g_bSelfDestructStarted;  // the removal batch file runs: a second request is not repeated
extern BOOL g_bPreventExit;
extern unsigned g_uOnExit;
extern BOOL g_bMustRestartAtExit;
extern BOOL g_bRestartPending;      // a file waits to be replaced at the next restart
extern BOOL g_bUserCancelled;       // a person chose to stop the run (Exit, or Yes to leaving it unfinished)
extern BOOL g_bShowMustRestartMsg;
extern BOOL g_bShowErrorMsg;
extern BOOL g_bExitOnCommandError;
extern BOOL g_bExitOnExecError;
extern BOOL g_bStayHome;
extern unsigned g_uBackUpMethod;
extern unsigned g_uWinPause;         // milliseconds the status bracket pauses

// Windows of the run
extern HINSTANCE g_hInstance;
extern HWND g_hwndStartup;           // owner during start-up
extern HWND g_hwndMain;
extern BOOL g_bMainShown;
extern HCURSOR g_hcurPrevious;
extern HWND g_ahwndPopups[kuPopups];  // modeless pop-ups in order of opening
extern unsigned g_uPopups;            // how many were opened (at most kuPopups)
extern DWORD g_dwLastPump;            // tick count of the last throttled message pump (fnPumpMessagesSometimes)

// OS facts, copied from the system query at start-up
extern BOOL g_bWinNT;
extern DWORD g_dwWinMajor;
extern DWORD g_dwWinMinor;
extern DWORD g_dwWinBuild;
extern DWORD g_dwWinPlatformID;
extern unsigned g_uWinPlatform;
extern unsigned g_uWinOS;
extern unsigned g_uWinSR;
extern unsigned g_uWinBits;
extern char g_szWinShortName[16];
extern char g_szWinVersion[80];
extern char g_szWinName[kcchPath];

// Optional system entry points, resolved once at start-up.
extern FARPROC g_pfnToolhelp[5];     // CreateToolhelp32Snapshot, Module32First, Module32Next, Process32First, Process32Next
extern FARPROC g_pfnNtQueryInformationProcess;
// Where the process list without Toolhelp is read, as RegQueryValueExA on
// HKEY_PERFORMANCE_DATA answers: NULL reads the registry (tests give their own).
typedef LONG (*PFN_QUERYPERFDATA)(const char *pszValue, BYTE *pbData, DWORD *pcbData);
extern PFN_QUERYPERFDATA g_pfnQueryPerfData;
extern FARPROC g_pfnAdvapi[5];       // OpenProcessToken, GetTokenInformation, FreeSid, EqualSid, AllocateAndInitializeSid

// Answers, folders and values that the expansion language reads ("@A1",
// "@D2", "@K0", ...). Index 0 of a table holds the variable's first entry
// unless the table's comment says otherwise.
enum {
    kuDirs = 3,              // "@D1".."@D3"; entry 1 is the destination
    kuSourceDirs = 9,        // "@H1".."@H9", one per disk
    kuRegEntries = 10,       // "@E0".."@E9" (index = digit)
    kcchListResponse = 160,
    kuCheckGroups = 9,
    kuCheckBoxes = 6,
    kuDefaultSettings = 10,
    kuRegValues = 9,         // "@K0".."@K8" (index = digit)
    kcchRegValue = 1024,
    kuStringChecks = 16,     // "@I0".."@I15" (index = number)
    kcchUserName = 48,
    kuFunResults = 10,       // "@_0".."@_9" (index = digit)
    kuFTable = 9,            // "@F1".."@F9": a table nothing fills, so always empty
    kuGTable = 10,           // "@G0".."@G9": likewise always empty
};
extern char g_szDirs[kuDirs][kcchPath];
extern char g_szSourceDirs[kuSourceDirs][kcchPath];
extern char g_szRegEntry[kcchPath];                  // registry value found after the last launch-and-wait
extern char g_szRegEntries[kuRegEntries][kcchPath];
extern char g_szFromListResponse[kuAnswers][kcchListResponse];
extern char g_szFromComboResponse[kuAnswers][kcchListResponse];
extern char g_cCheckStates[kuCheckGroups][kuCheckBoxes];  // 'Y', 'N' or 0 (never set)
extern char g_szDefaultSetting[kuDefaultSettings][kcchShort];
extern char g_szRegValues[kuRegValues][kcchRegValue];    // "-NOTFOUND-" when a read failed
extern unsigned g_uStringChecks[kuStringChecks];
extern char g_szUserName[kcchUserName];
extern char g_szPassword[kcchUserName];              // held scrambled (fnEnCryptString)
extern char g_szShortcutFolder[kcchPath];
extern char g_szFunResults[kuFunResults][kcchPath];  // inline-function results in call order
extern unsigned g_uFunResult;                        // next slot; stays at 9 once there

// Caches of the file copies, kept for the whole run.
extern UINT g_auDriveTypes[26];  // per drive letter: its drive type + 1, 0 not asked yet
extern char *g_pbCopyBuffer;      // the stream-copy buffer, made on first use

// The settings of the combined installation dialog, one record per layout
// ([GetAllInstallInfo] 1, [GetAllInstallInfo2] 2, at index layout - 1): made
// on first use and kept for the process, so that the answers given stay the
// dialog's values when the walk comes back to it.
struct ReadSectStruct;
enum { kuAllInfoLayouts = 2 };
extern ReadSectStruct *g_apAllInfoSect[kuAllInfoLayouts];

// Result of the run, given to the quit message.
extern unsigned g_uExitCode;

// The loaded script while the walk runs (NULL otherwise), so that a handler
// can look up data sections such as "[Disks]" anywhere in it.
extern const char *g_pszScript;

void fnClearRunState();  // sets every variable above to its default

#endif
