#include "app/load.h"

#include "commands/config.h"
#include "dialogs/signon.h"
#include "app/exit.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/lines.h"
#include "script/marker.h"
#include "base/scrambler.h"
#include "app/walk.h"
#include "resource.h"

// One load: the script buffer and the windows shown while loading.
struct LoadStruct {
    HWND hwndMain;
    HWND hwndInit;
    HCURSOR hcurPrevious;
    CGlobalBlock script;
    char *pszText;   // the prepared text
    DWORD cbText;    // its length in bytes
};

int fnBackupScriptName(const char *pszFile, char *pszOut, size_t cchOut)
{
    char szTry[kcchPath];
    pszOut[0] = '\0';
    for (int n = 99; n >= 0; n--) {
        fnFormatText(szTry, COUNTOF(szTry), "%s.^%02d", pszFile, n);
        if (GetFileAttributesA(szTry) != INVALID_FILE_ATTRIBUTES)
            break;
        fnCopyText(pszOut, cchOut, szTry);
    }
    return pszOut[0] ? 1 : 0;
}

char *fnFindStartLabel(char *pszText, const char *pszLabel)
{
    const char *pszAfter = fnInfFindSection(pszText, pszLabel, 0);
    if (!pszAfter || !*pszAfter)
        return NULL;
    return pszText + (pszAfter - pszText);
}

// Ends a load early: the message (when there is one) and the clean-up.
static void fnEndLoad(LoadStruct *pLoad, unsigned uExitCode, UINT uMsgId, const char *pszArg)
{
    if (uMsgId)
        fnMsgBox(uMsgId, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, pszArg, pszArg);
    g_uExitCode = uExitCode;
    fnCleanUp(pLoad->hcurPrevious, &pLoad->script, &pLoad->hwndInit);
}

static int fnReadScriptFile(LoadStruct *pLoad)
{
    CFileHandle hFile(CreateFileA(g_szIniFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid()) {
        fnEndLoad(pLoad, kExitNoScript, IDS_FILE_NOT_FOUND, g_szIniFile);
        return 0;
    }
    DWORD cbRead = 0;
    if (!ReadFile(hFile.Get(), pLoad->pszText, kcbScriptMax, &cbRead, NULL)) {
        fnEndLoad(pLoad, kExitNoScript, IDS_READ_ERROR, g_szIniFile);
        return 0;
    }
    pLoad->pszText[cbRead] = '\0';
    pLoad->cbText = cbRead;
    return 1;
}

static int fnReadInternalScript(LoadStruct *pLoad)
{
    DWORD cbRead = kcbScriptMax;
    if (!fnLoadFileAfterString(g_szSetupInf, g_szInfHeader, pLoad->pszText, &cbRead, TRUE)) {
        fnEndLoad(pLoad, kExitNoScript, IDS_READ_ERROR, g_szSetupInf);
        return 0;
    }
    pLoad->pszText[cbRead] = '\0';
    DWORD cbSkip = 0;
    while (cbSkip < cbRead && (pLoad->pszText[cbSkip] == '\r' || pLoad->pszText[cbSkip] == '\n'))
        cbSkip++;
    pLoad->pszText += cbSkip;
    pLoad->cbText = cbRead - cbSkip;
    return 1;
}

// Writes the script file anew after keeping the old one as FILE.^NN.
static int fnRewriteScript(const char *pbHeader, DWORD cbHeader, const char *pbText, DWORD cbText)
{
    char szBackup[kcchPath];
    if (fnBackupScriptName(g_szIniFile, szBackup, COUNTOF(szBackup)) && !CopyFileA(g_szIniFile, szBackup, FALSE)) {
        fnMsgBox(IDS_SAVE_ERROR, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, g_szIniFile, szBackup);
        g_uExitCode = kExitFailed;
        return 0;
    }
    CFileHandle hFile(CreateFileA(g_szIniFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
    DWORD cbWritten = 0;
    int bOk = hFile.IsValid();
    if (bOk && cbHeader)
        bOk = WriteFile(hFile.Get(), pbHeader, cbHeader, &cbWritten, NULL) && cbWritten == cbHeader;
    if (bOk)
        bOk = WriteFile(hFile.Get(), pbText, cbText, &cbWritten, NULL) && cbWritten == cbText;
    if (bOk)
        bOk = hFile.fnClose();
    if (!bOk) {
        fnMsgBox(IDS_WRITE_ERROR, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, g_szIniFile);
        g_uExitCode = kExitFailed;
        return 0;
    }
    return 1;
}

static void fnScrambleScriptFile(LoadStruct *pLoad)
{
    if (pLoad->pszText[0] == '@')
        return;  // already scrambled
    SYSTEMTIME st;
    GetSystemTime(&st);
    unsigned uStart = fnPickStartState(st.wMilliseconds);
    TRACE("fnLoadInf", "Before fnShiftEnCrypt - \nuOffset=%u,\ndwInfSize=%lu\nlpszInf=%s", uStart,
          (unsigned long)pLoad->cbText, pLoad->pszText);
    if (!fnShiftEnCrypt((unsigned char *)pLoad->pszText, uStart, pLoad->cbText)) {
        fnMsgBox(IDS_READ_ERROR, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, g_szIniFile);
        g_uExitCode = kExitFailed;
        return;
    }
    char abHeader[2] = {'@', (char)uStart};
    fnRewriteScript(abHeader, 2, pLoad->pszText, pLoad->cbText);
}

// Undoes the scrambled form in place. 0 when the text could not be read.
static int fnUnscramble(LoadStruct *pLoad)
{
    unsigned uStart = (unsigned char)pLoad->pszText[1];
    DWORD cbBody = pLoad->cbText >= 2 ? pLoad->cbText - 2 : 0;
    if (!fnShiftDeCrypt((unsigned char *)pLoad->pszText + 2, uStart, cbBody)) {
        fnEndLoad(pLoad, kExitNoScript, IDS_READ_ERROR, g_szIniFile);
        return 0;
    }
    pLoad->pszText += 2;
    pLoad->cbText = cbBody;
    TRACE("fnLoadInf", "After fnShiftDeCrypt - \nuOffset=%u,\ndwInfSize=%lu\nlpszInf=%s", uStart,
          (unsigned long)pLoad->cbText, pLoad->pszText);
    return 1;
}

static void fnApplyStartLabel(LoadStruct *pLoad)
{
    if (!g_szStartHere[0])
        return;
    char *pszBegin = fnFindStartLabel(pLoad->pszText, g_szStartHere);
    if (pszBegin) {
        pLoad->pszText = pszBegin;
        TRACE("fnLoadInf", "Found StartHere - \ng_szStartHere=%s,\nlpszBegin=%s", g_szStartHere, pszBegin);
    } else {
        TRACE("fnLoadInf", "StartHere not found - \ng_szStartHere=%s,\nlpszInf=%s", g_szStartHere, pLoad->pszText);
    }
}

// 1 the section is there and has at least one line.
static const char *fnFindPreparatorySection(const char *pszText, const char *pszHeader)
{
    const char *pszBody = fnInfFindSection(pszText, pszHeader, 1);
    if (!pszBody)
        return NULL;
    char szLine[kcchInfLine] = "";
    fnInfReadLine(pszBody, szLine, COUNTOF(szLine));
    return szLine[0] ? pszBody : NULL;
}

// Reads and prepares the script; 0 when the run ends here.
static int fnPrepareScript(LoadStruct *pLoad)
{
    pLoad->pszText = pLoad->script.fnAlloc(kcbScriptBuffer);
    if (!pLoad->pszText) {
        fnEndLoad(pLoad, kExitNoScript, IDS_NO_MEMORY, NULL);
        return 0;
    }
    if (!(g_bInternalInf ? fnReadInternalScript(pLoad) : fnReadScriptFile(pLoad)))
        return 0;
    if (pLoad->cbText == 0 || pLoad->pszText[0] == '\0') {
        fnEndLoad(pLoad, kExitNoScript, IDS_FILE_EMPTY, g_bInternalInf ? g_szSetupInf : g_szIniFile);
        return 0;
    }
    if (g_uInfConvert == 1) {
        fnScrambleScriptFile(pLoad);
        fnEndLoad(pLoad, g_uExitCode, 0, NULL);
        return 0;
    }
    if (pLoad->pszText[0] == '@') {
        if (!fnUnscramble(pLoad))
            return 0;
        if (g_uInfConvert == 2) {
            fnRewriteScript(NULL, 0, pLoad->pszText, pLoad->cbText);
            fnEndLoad(pLoad, g_uExitCode, 0, NULL);
            return 0;
        }
    }
    fnApplyStartLabel(pLoad);
    return 1;
}

void fnLoadInf(HWND hwndMain)
{
    LoadStruct load;
    load.hwndMain = hwndMain;
    load.hwndInit = NULL;
    load.pszText = NULL;
    load.cbText = 0;

    g_uOnExit = 0;
    g_bMustRestartAtExit = FALSE;
    load.hcurPrevious = fnSetCursor(IDC_WAIT);
    if (hwndMain)
        SetWindowPos(hwndMain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (g_bMainShown && !g_bQuiet)
        load.hwndInit = fnStatusWindow(hwndMain, IDS_STATUS_WAIT, 1, kPlaceTopCenter, 0, "Initializing");
    if (hwndMain && g_uShowVSWin == 0)
        ShowWindow(hwndMain, SW_HIDE);
    TRACE("fnLoadInf", "Begin");

    // [Install Options] may choose another script: the load starts again with it.
    for (;;) {
        if (!fnPrepareScript(&load))
            return;

        if (load.hwndInit) {
            DestroyWindow(load.hwndInit);
            load.hwndInit = NULL;
        }
        if (load.hcurPrevious)
            SetCursor(load.hcurPrevious);
        g_bMainShown = TRUE;

        const char *pszConfig = fnFindPreparatorySection(load.pszText, "[Config]");
        if (pszConfig) {
            int iRC = fnReadConfig(hwndMain, pszConfig);
            if (iRC == kConfigEndRun) {
                fnEndLoad(&load, kExitOk, 0, NULL);
                return;
            }
            if (iRC == kConfigFailed) {
                fnEndLoad(&load, kExitNoScript, IDS_READ_ERROR, g_szIniFile);
                return;
            }
        }
        if (hwndMain && !g_bQuiet) {
            ShowWindow(hwndMain, SW_SHOW);
            UpdateWindow(hwndMain);
        }
        const char *pszOptions = fnFindPreparatorySection(load.pszText, "[Install Options]");
        int iOption = pszOptions ? fnReadInstallOptions(hwndMain, pszOptions) : 1;
        if (iOption == kOptionExit) {
            fnEndLoad(&load, kExitCancelled, 0, NULL);
            return;
        }
        if (iOption == 1)
            break;
        load.script.fnFree();
    }
    if (hwndMain && g_uShowVSWin == 0)
        ShowWindow(hwndMain, SW_HIDE);

    const char *pszSignon = load.pszText[0] ? fnFindPreparatorySection(load.pszText, "[Signon]") : NULL;
    if (pszSignon && !fnReadSignon(hwndMain, pszSignon)) {
        fnEndLoad(&load, kExitCancelled, 0, NULL);
        return;
    }
    if (load.pszText[0]) {
        TRACE("fnLoadInf", "Before fnReadInf\nlpszInf=%s", load.pszText);
        fnReadInf(hwndMain, load.pszText);
    }

    fnCleanUp(load.hcurPrevious, &load.script, &load.hwndInit);
    if (hwndMain) {
        SetWindowPos(hwndMain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(hwndMain);
    }
    TRACE("fnLoadInf", "Exit");
}
