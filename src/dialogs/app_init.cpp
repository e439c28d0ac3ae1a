// [AppInit]: where the files come from and go to, the space they need, the
// install log and what happens at the end.
#include "dialogs/app_init.h"

#include "base/install_log.h"
#include "commands/keyword_words.h"
#include "expand/expand.h"
#include "files/dirs.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "resource.h"

namespace {

// The fields of one line, field 1 always read.
struct AppLineStruct {
    char *pszLine;
    char szValue[kcchInfLine];
    BOOL bHasValue;
};

// Field n expanded; 1 only when the expansion succeeded (or there was nothing to expand).
int fnExpandedField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut)
{
    char szField[kcchInfLine];
    if (!fnInfParseField(pszLine, uField, szField, COUNTOF(szField)))
        return 0;
    int iRC = fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, szField);
    return iRC >= 0;
}

int fnTakeOnExit(AppLineStruct *pLine, UserInputStruct *pInput)
{
    unsigned uAction = fnOnExitCode(fnTrimBlanks(pLine->szValue));
    char szArg[kcchInfLine] = "";
    int bArg = fnExpandedField(pLine->pszLine, 2, szArg, COUNTOF(szArg)) && szArg[0];
    switch (uAction) {
    case 1:
    case 3:
    case 5:
        pInput->uOnExit = uAction;
        break;
    case 2:
        // An exit program without a program is no exit action.
        pInput->uOnExit = bArg ? 2 : 0;
        if (bArg)
            fnCopyText(pInput->szExitExec, COUNTOF(pInput->szExitExec), szArg);
        break;
    case 6:
        pInput->uOnExit = 6;
        if (bArg)
            fnCopyText(pInput->szRestartMsg, COUNTOF(pInput->szRestartMsg), szArg);
        else
            fnLoadText(IDS_RESTART_ASK, pInput->szRestartMsg, COUNTOF(pInput->szRestartMsg));
        break;
    default:
        break;
    }
    return 1;
}

// Texts as written (not expanded), each required unless its flag says not.
struct PlainKey {
    const char *pszKey;
    size_t uOffset;
    size_t cch;
    BOOL bRequired;
    BOOL bExpanded;
};

#define INPUT_TEXT(name, member, required, expanded) \
    {name, offsetof(UserInputStruct, member), sizeof(((UserInputStruct *)0)->member), required, expanded}

const PlainKey g_aPlainKeys[] = {
    INPUT_TEXT("Caption", szCaption, TRUE, FALSE),
    INPUT_TEXT("DirSection", szDirSection, TRUE, FALSE),
    INPUT_TEXT("DestMsg1", szDestText1, TRUE, FALSE),
    INPUT_TEXT("DestMsg2", szDestText2, TRUE, FALSE),
    INPUT_TEXT("LogFile", szLogFile, FALSE, FALSE),
    INPUT_TEXT("AppName", szAppName, FALSE, FALSE),
    INPUT_TEXT("ExitMessage", szExitMsg, FALSE, TRUE),
    INPUT_TEXT("ErrorMessage", szErrorMsg, FALSE, TRUE),
    INPUT_TEXT("SourceCaption", szSourceCaption, TRUE, FALSE),
    INPUT_TEXT("SourceMsg1", szSourceText1, TRUE, FALSE),
    INPUT_TEXT("SourceMsg2", szSourceText2, TRUE, FALSE),
};

struct SwitchKey {
    const char *pszKey;
    size_t uOffset;
};

const SwitchKey g_aSwitchKeys[] = {
    {"DoUseAllInstall", offsetof(UserInputStruct, bUseAllInstall)},
    {"DoUseAllInstall2", offsetof(UserInputStruct, bUseAllInstall)},
    {"DirPrompt", offsetof(UserInputStruct, bDestPrompt)},
    {"SourceDirPrompt", offsetof(UserInputStruct, bSourcePrompt)},
};

// The paths and numbers. -1 the key is not one of these, 0 a required field
// is missing, 1 taken.
int fnTakeOtherKey(const char *pszKey, AppLineStruct *pLine, UserInputStruct *pInput)
{
    char szField[kcchInfLine];
    if (fnTextEqualI(pszKey, "DefaultDir")) {
        if (!pLine->bHasValue)
            return 0;
        for (unsigned uField = 1;; uField++) {
            if (!fnInfParseField(pLine->pszLine, uField, szField, COUNTOF(szField))) {
                fnCopyText(pInput->szDestPath, COUNTOF(pInput->szDestPath), g_szDestDir);
                break;
            }
            if (fnExpandedField(pLine->pszLine, uField, szField, COUNTOF(szField))) {
                fnCopyText(pInput->szDestPath, COUNTOF(pInput->szDestPath), szField);
                break;
            }
        }
    } else if (fnTextEqualI(pszKey, "SourceDir")) {
        if (!pLine->bHasValue)
            return 0;
        if (fnExpandedField(pLine->pszLine, 1, szField, COUNTOF(szField)) ||
            !fnInfParseField(pLine->pszLine, 2, szField, COUNTOF(szField)))
            fnExpandedField(pLine->pszLine, 1, szField, COUNTOF(szField));
        fnCopyText(pInput->szSourceDir, COUNTOF(pInput->szSourceDir), szField);
    } else if (fnTextEqualI(pszKey, "SpaceNeeded")) {
        if (!pLine->bHasValue)
            return 0;
        pInput->dwDiskSpaceNeeded = fnDecimalValue(pLine->szValue);
        pInput->dwDiskSpaceMinimum = fnInfParseField(pLine->pszLine, 2, szField, COUNTOF(szField))
                                         ? fnDecimalValue(szField) : pInput->dwDiskSpaceNeeded;
    } else if (fnTextEqualI(pszKey, "MinSpaceNeeded")) {
        if (!pLine->bHasValue)
            return 0;
        pInput->dwDiskSpaceMinimum = fnDecimalValue(pLine->szValue);
    } else if (fnTextEqualI(pszKey, "WinSpaceNeeded")) {
        if (!pLine->bHasValue)
            return 0;
        pInput->dwWinDriveSpaceNeeded = fnDecimalValue(pLine->szValue);
    } else if (fnTextEqualI(pszKey, "OnExit")) {
        fnTakeOnExit(pLine, pInput);
    } else if (fnTextEqualI(pszKey, "BackUpMethod")) {
        unsigned uMethod = fnBackUpMethodCode(fnTrimBlanks(pLine->szValue));
        if (uMethod)
            pInput->uBackUpMethod = uMethod;
    } else if (fnTextEqualI(pszKey, "BeQuiet")) {
        pInput->uQuiet = fnIsYes(pLine->szValue) ? 0 : 1;
    } else if (fnTextEqualI(pszKey, "ExpandDelims")) {
        fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), pLine->szValue);
    } else if (!fnTextEqualI(pszKey, "ExpandOpt")) {
        return -1;
    }
    return 1;
}

// One key: 1 taken, 0 a required field is missing, -1 not a key of ours.
int fnTakeAppKey(const char *pszKey, AppLineStruct *pLine, UserInputStruct *pInput)
{
    for (const PlainKey &key : g_aPlainKeys) {
        if (!fnTextEqualI(pszKey, key.pszKey))
            continue;
        if (key.bRequired && !pLine->bHasValue)
            return 0;
        char *pszDest = (char *)pInput + key.uOffset;
        fnCopyText(pszDest, key.cch, pLine->szValue);
        if (key.bExpanded)
            fnExpandOpts(pszDest, key.cch);
        return 1;
    }
    for (const SwitchKey &key : g_aSwitchKeys) {
        if (fnTextEqualI(pszKey, key.pszKey)) {
            *(BOOL *)((char *)pInput + key.uOffset) = fnIsYes(pLine->szValue);
            return 1;
        }
    }
    return fnTakeOtherKey(pszKey, pLine, pInput);
}

// The source directory: asked for when the line says so, then it must exist.
int fnGetSrcDir(HWND hwndMain, UserInputStruct *pInput)
{
    if (!pInput->uDirPrompt)
        return 1;
    fnCopyText(g_szSourceDir, COUNTOF(g_szSourceDir), pInput->szSourceDir);
    if (pInput->bSourcePrompt) {
        // The directory dialog shows the destination's fields: a copy carries
        // the source's caption, texts and path into them.
        UserInputStruct ask = *pInput;
        fnCopyText(ask.szCaption, COUNTOF(ask.szCaption), pInput->szSourceCaption);
        fnCopyText(ask.szDestText1, COUNTOF(ask.szDestText1), pInput->szSourceText1);
        fnCopyText(ask.szDestText2, COUNTOF(ask.szDestText2), pInput->szSourceText2);
        fnCopyText(ask.szDestPath, COUNTOF(ask.szDestPath), pInput->szSourceDir);
        if (fnShowDestDirDialog(hwndMain, &ask) != IDOK) {
            g_bUserCancelled = TRUE;
            return 0;
        }
        fnCopyText(pInput->szSourceDir, COUNTOF(pInput->szSourceDir), ask.szDestPath);
        fnCopyText(g_szSourceDir, COUNTOF(g_szSourceDir), ask.szDestPath);
    }
    if (pInput->szSourceDir[0] && GetFileAttributesA(pInput->szSourceDir) == INVALID_FILE_ATTRIBUTES) {
        fnMsgBox(IDS_DIR_NOT_EXIST, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, pInput->szSourceDir);
        return 0;
    }
    return 1;
}

int fnGetDestDir(HWND hwndMain, UserInputStruct *pInput)
{
    if (!pInput->uDirPrompt || !pInput->bDestPrompt)
        return 1;
    if (fnShowDestDirDialog(hwndMain, pInput) != IDOK) {
        g_bUserCancelled = TRUE;
        return 0;
    }
    fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), pInput->szDestPath);
    fnCopyText(g_szDirs[0], COUNTOF(g_szDirs[0]), pInput->szDestPath);
    return 1;
}

}  // namespace

// What the run takes over from the record after the section.
void fnTakeOverInstallInfo(UserInputStruct *pInput)
{
    if (pInput->szLogFile[0] && !g_bLogHeaderWritten) {
        char szLog[kcchPath];
        fnCopyText(szLog, COUNTOF(szLog), pInput->szLogFile);
        if (fnExpandOpts(szLog, COUNTOF(szLog)) >= 0) {
            fnCopyText(g_szLogFile, COUNTOF(g_szLogFile), szLog);
            fnStartInstallLog(szLog);
        }
    }
    g_uOnExit = pInput->uOnExit;
    g_uBackUpMethod = pInput->uBackUpMethod;
}

int fnInfAppInit(const char *pszBody, UserInputStruct *pInput)
{
    const char *pszPos = pszBody;
    char szLine[kcchInfLine];
    char szKey[kcchInfLine];
    while (fnInfNextLineToDo(&pszPos, szLine, COUNTOF(szLine))) {
        if (!strchr(szLine, '=') || !fnInfParseField(szLine, 0, szKey, COUNTOF(szKey)))
            return 0;
        AppLineStruct line;
        line.pszLine = szLine;
        line.bHasValue = fnInfParseField(szLine, 1, line.szValue, COUNTOF(line.szValue)) && line.szValue[0];
        int iRC = fnTakeAppKey(fnTrimBlanks(szKey), &line, pInput);
        if (iRC == 0) {
            TRACE("fnInfAppInit", "%s: the field is missing", szKey);
            return 0;
        }
        if (iRC < 0)
            break;
    }
    TRACE("fnInfAppInit", "szDestPath=%s,\nszExitExec=%s,\nszLogFile=%s,\ng_szLogFile=%s,\ng_szDestDir=%s",
          pInput->szDestPath, pInput->szExitExec, pInput->szLogFile, g_szLogFile, g_szDestDir);
    return 1;
}

int fnAppInitSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *pInput, const char *)
{
    int iRC = fnInfAppInit(fnInfSectionBody(pszSection), pInput) && fnGetSrcDir(hwndMain, pInput) &&
              fnGetDestDir(hwndMain, pInput)
                  ? fnTestDestDir(hwndMain, pInput, g_pszScript)
                  : 0;
    if (iRC == 1) {
        fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), pInput->szDestPath);
        fnCopyText(g_szDirs[0], COUNTOF(g_szDirs[0]), pInput->szDestPath);
    }
    fnTakeOverInstallInfo(pInput);
    return iRC;
}
