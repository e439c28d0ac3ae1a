#include "commands/config.h"

#include "commands/keyword_words.h"
#include "commands/keywords.h"
#include "expand/expand.h"
#include "process/relaunch.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "base/install_log.h"
#include "base/path.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "resource.h"

// What the walk over the section collects for its end.
struct ConfigWalkStruct {
    HWND hwndMain;
    BOOL bRestart;  // a relaunch was asked for
    BOOL bOpenLog;  // "LogFile" named the install log
    BOOL bEndRun;   // a message box's exit rule ended the run
};

typedef void (*PFN_CONFIG_KEY)(ConfigWalkStruct *pWalk, char *pszLine);

struct ConfigKeyStruct {
    const char *pszKeyword;
    PFN_CONFIG_KEY pfnKey;
};

static void fnConfigDebug(ConfigWalkStruct *, char *pszLine)
{
    char szMode[kcchInfLine];
    fnInfParseField(pszLine, 1, szMode, COUNTOF(szMode));
    g_uTraceMode = fnDecimalValue(szMode);
    TRACE("fnReadConfig", "Debug szLine=%s, szString1=%s", pszLine, szMode);
    if (g_uTraceMode > 2) {
        char szFile[kcchInfLine];
        BOOL bKeep = FALSE;
        if (fnInfParseField(pszLine, 2, szFile, COUNTOF(szFile))) {
            TRACE("fnReadConfig", "Debug szLine=%s, szString2=%s", pszLine, szFile);
            fnExpandOpts(szFile, COUNTOF(szFile));
            if (szFile[1] == ':' || (szFile[0] == '\\' && szFile[1] == '\\'))
                fnCopyText(g_szDebugFile, COUNTOF(g_szDebugFile), szFile);
            else
                fnFormatText(g_szDebugFile, COUNTOF(g_szDebugFile), "%s\\%s", g_szSourceDir, szFile);
            // An existing trace file is kept and appended to.
            bKeep = GetFileAttributesA(g_szDebugFile) != INVALID_FILE_ATTRIBUTES;
        } else {
            DeleteFileA(g_szDebugFile);
        }
        if (!bKeep) {
            CFileHandle hFile(CreateFileA(g_szDebugFile, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, NULL));
            if (!hFile.IsValid())
                fnMsgBox(IDS_CANNOT_CREATE, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, g_szDebugFile);
        }
    }
    g_uWMITraceMode = g_uTraceMode;
}

static void fnConfigLogFile(ConfigWalkStruct *pWalk, char *pszLine)
{
    char szName[kcchInfLine];
    if (!fnInfParseField(pszLine, 1, szName, COUNTOF(szName))) {
        g_szLogFile[0] = '\0';
        return;
    }
    if (fnExpandOpts(szName, COUNTOF(szName)) == -1)
        return;
    fnCopyText(g_szLogFile, COUNTOF(g_szLogFile), szName);
    pWalk->bOpenLog = g_szLogFile[0] != '\0';
}

static void fnConfigMessageBoxEx(ConfigWalkStruct *pWalk, char *pszLine)
{
    pWalk->bEndRun = fnKeyMessageBoxEx(pWalk->hwndMain, pszLine, "fnReadConfig MessageBoxEx");
}

static void fnConfigErrorMessage(ConfigWalkStruct *, char *pszLine)
{
    if (fnKeyText(pszLine, g_szErrorMsg, COUNTOF(g_szErrorMsg)))
        g_bShowErrorMsg = TRUE;
}

static void fnConfigSelfDestruct(ConfigWalkStruct *, char *pszLine)
{
    g_bSelfDestruct = FALSE;
    fnKeyYesNo(pszLine, &g_bSelfDestruct);
}

static void fnConfigShowVSWindow(ConfigWalkStruct *, char *pszLine)
{
    char szField[kcchInfLine];
    if (fnInfParseField(pszLine, 1, szField, COUNTOF(szField)))
        g_uShowVSWin = fnDecimalValue(szField);
}

// Every keyword of the section, tried in this order (any case).
static const ConfigKeyStruct g_aConfigKeys[] = {
    {"Restart", [](ConfigWalkStruct *p, char *psz) { fnKeyYesNo(psz, &p->bRestart); }},
    {"StayHome", [](ConfigWalkStruct *, char *psz) { fnKeyYesNo(psz, &g_bStayHome); }},
    {"ExitOnExecError", [](ConfigWalkStruct *, char *psz) { fnKeyYesNo(psz, &g_bExitOnExecError); }},
    {"ExitOnCommandError", [](ConfigWalkStruct *, char *psz) { fnKeyYesNo(psz, &g_bExitOnCommandError); }},
    {"ShowErrorMessage", [](ConfigWalkStruct *, char *psz) { fnKeyYesNo(psz, &g_bShowErrorMsg); }},
    {"ShowMustRestartMessage", [](ConfigWalkStruct *, char *psz) { fnKeyYesNo(psz, &g_bShowMustRestartMsg); }},
    {"ExitMessage", [](ConfigWalkStruct *, char *psz) { fnKeyText(psz, g_szExitMsg, COUNTOF(g_szExitMsg)); }},
    {"ErrorMessage", fnConfigErrorMessage},
    {"Caption", [](ConfigWalkStruct *, char *psz) { fnKeyText(psz, g_szTitle, COUNTOF(g_szTitle)); }},
    {"MessageDlg", [](ConfigWalkStruct *p, char *psz) { fnKeyMessageDlg(p->hwndMain, psz); }},
    {"Message", [](ConfigWalkStruct *p, char *psz) { fnKeyMessage(p->hwndMain, psz); }},
    {"MessageBox", [](ConfigWalkStruct *p, char *psz) { fnKeyMessageBox(p->hwndMain, psz); }},
    {"MessageBoxEx", fnConfigMessageBoxEx},
    {"BeQuiet", [](ConfigWalkStruct *, char *psz) { fnKeyBeQuiet(psz); }},
    {"SelfDestruct", fnConfigSelfDestruct},
    {"ShowVSWindow", fnConfigShowVSWindow},
    {"Debug", fnConfigDebug},
    {"CreateFile", [](ConfigWalkStruct *, char *psz) { fnKeyCreateFile(psz); }},
    {"DeleteFile", [](ConfigWalkStruct *, char *psz) { fnKeyDeleteFile(psz); }},
    {"WriteLineToFile", [](ConfigWalkStruct *, char *psz) { fnKeyWriteLineToFile(psz); }},
    {"ReadLineFromFile", [](ConfigWalkStruct *, char *psz) { fnKeyReadLineFromFile(psz, "fnReadConfig"); }},
    {"SetComputerName", [](ConfigWalkStruct *, char *psz) { fnKeySetComputerName(psz); }},
    {"MustRestartAtExit", [](ConfigWalkStruct *, char *psz) { fnKeyYesNo(psz, &g_bMustRestartAtExit); }},
    {"LogFile", fnConfigLogFile},
    {"WinPause", [](ConfigWalkStruct *, char *psz) { fnKeyWinPause(psz); }},
    {"Sleep", [](ConfigWalkStruct *, char *psz) { fnKeySleep(psz); }},
    {"BackUpMethod", [](ConfigWalkStruct *, char *psz) { fnKeyBackUpMethod(psz); }},
    {"OnExit", [](ConfigWalkStruct *, char *psz) { fnKeyOnExit(psz); }},
};

// Carries out one line. 1 the walk goes on, 0 it ends after this line.
static int fnConfigLine(ConfigWalkStruct *pWalk, char *pszLine)
{
    if (fnTextEqualI(pszLine, "Restart"))
        pWalk->bRestart = TRUE;
    else if (fnTextEqualI(pszLine, "StayHome"))
        g_bStayHome = TRUE;
    char szKey[kcchInfLine];
    if (!fnInfParseField(pszLine, 0, szKey, COUNTOF(szKey)))
        return 0;
    for (const ConfigKeyStruct &key : g_aConfigKeys) {
        if (fnTextEqualI(szKey, key.pszKeyword)) {
            key.pfnKey(pWalk, pszLine);
            return 1;
        }
    }
    return 0;
}

// The rest of the run goes to a copy of the program: 8 it started (this run
// ends quietly), 2 it could not be started.
static int fnConfigRelaunch(HWND hwndMain)
{
    char szSelf[kcchPath];
    if (!fnModuleFileName(szSelf, COUNTOF(szSelf)))
        return kConfigFailed;
    return fnReloadExec(hwndMain, szSelf) ? kConfigEndRun : kConfigFailed;
}

int fnReadConfig(HWND hwndMain, const char *pszBody)
{
    if (!pszBody || !pszBody[0])
        return kConfigGoOn;
    TRACE("fnReadConfig", "lpszConfig=%s", pszBody);
    g_bStayHome = FALSE;
    ConfigWalkStruct walk = {hwndMain, FALSE, FALSE, FALSE};

    const char *pszPos = pszBody;
    char szLine[kcchInfLine];
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        int iTest = fnInfTestIfTwoFields(szLine, COUNTOF(szLine));
        if (iTest == IDTEST_FALSE) {
            TRACE("fnReadConfig", "TestIfTwoFields FALSE\nuTest=%u\nszLine=%s", (unsigned)iTest, szLine);
            continue;
        }
        if (iTest == IDTEST_CONTINUE)
            continue;
        if (iTest == IDTEST_SKIPSECTION)
            return kConfigGoOn;
        int bGoOn = fnConfigLine(&walk, szLine);
        if (walk.bEndRun)
            return kConfigGoOn;
        if (!bGoOn)
            break;
    }

    if (walk.bOpenLog)
        fnStartInstallLog(g_szLogFile);
    int iRC = kConfigGoOn;
    if (walk.bRestart && !g_bTempExec)
        iRC = fnConfigRelaunch(hwndMain);
    TRACE("fnReadConfig", "Done");
    return iRC;
}

const char *fnConfigKeyword(int i)
{
    return i >= 0 && i < (int)COUNTOF(g_aConfigKeys) ? g_aConfigKeys[i].pszKeyword : NULL;
}
