#include "commands/command.h"

#include "accounts/account_text.h"
#include "commands/command_table.h"
#include "commands/keywords.h"
#include "expand/expand.h"
#include "files/install_ops.h"
#include "files/move_steps.h"
#include "process/window_wait.h"
#include "base/version.h"
#include "run/guards.h"
#include "run/popup.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "resource.h"

// "Debug" here takes a named trace file as it stands and makes it only when
// it is missing; without a name the current trace file starts again empty.
static void fnCommandDebug(CommandWalkStruct *, char *pszLine)
{
    char szMode[kcchInfLine];
    fnInfParseField(pszLine, 1, szMode, COUNTOF(szMode));
    g_uTraceMode = fnDecimalValue(szMode);
    if (g_uTraceMode > 2) {
        char szFile[kcchInfLine];
        BOOL bMake = TRUE;
        if (fnInfParseField(pszLine, 2, szFile, COUNTOF(szFile)) && szFile[0]) {
            fnExpandOpts(szFile, COUNTOF(szFile));
            fnCopyText(g_szDebugFile, COUNTOF(g_szDebugFile), szFile);
            bMake = GetFileAttributesA(g_szDebugFile) == INVALID_FILE_ATTRIBUTES;
        } else {
            DeleteFileA(g_szDebugFile);
        }
        if (bMake) {
            CFileHandle hFile(CreateFileA(g_szDebugFile, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, NULL));
            if (!hFile.IsValid())
                fnMsgBox(IDS_CANNOT_CREATE, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, g_szDebugFile);
        }
    }
    g_uWMITraceMode = g_uTraceMode;
}

// "LogFile" here only records the name; the walk opens the log.
static void fnCommandLogFile(CommandWalkStruct *, char *pszLine)
{
    char szName[kcchInfLine];
    if (!fnInfParseField(pszLine, 1, szName, COUNTOF(szName))) {
        g_szLogFile[0] = '\0';
        return;
    }
    if (fnExpandOpts(szName, COUNTOF(szName)) != -1)
        fnCopyText(g_szLogFile, COUNTOF(g_szLogFile), szName);
}

static void fnCommandShowVSWindow(CommandWalkStruct *, char *pszLine)
{
    char szField[kcchInfLine];
    if (fnInfParseField(pszLine, 1, szField, COUNTOF(szField)))
        g_uShowVSWin = fnDecimalValue(szField);
}

// A file command without a file name (missing, or its expansion gave -1)
// does nothing and leaves the result; otherwise its outcome is the result.
static void fnFileCommand(CommandWalkStruct *pWalk, char *pszLine, int (*pfnCommand)(char *))
{
    char szFile[kcchPath];
    if (fnKeyFileName(pszLine, 1, szFile, COUNTOF(szFile)))
        pWalk->iResult = pfnCommand(pszLine);
}

// "CopyFile" and "RenameFile": both names are needed.
static void fnCommandTwoFiles(CommandWalkStruct *pWalk, char *pszLine, BOOL bRename)
{
    char szFile[kcchPath], szFile2[kcchPath];
    if (!fnKeyFileName(pszLine, 1, szFile, COUNTOF(szFile)) || !fnKeyFileName(pszLine, 2, szFile2, COUNTOF(szFile2)))
        return;
    int bRC = bRename ? fnRename(szFile, szFile2) : (fnCopyFile(szFile, szFile2, FALSE, FALSE) ? 1 : 0);
    TRACE(bRename ? "fnReadCommand RenameFile" : "fnReadCommand CopyFile", "szFile=%s, szFile2=%s, bRC=%d", szFile,
          szFile2, bRC);
    pWalk->iResult = bRC ? 1 : 0;
}

static void fnCommandGetFileVersion(CommandWalkStruct *, char *pszLine)
{
    char szFile[kcchPath];
    fnKeyFileName(pszLine, 1, szFile, COUNTOF(szFile));
    char szKind[kcchInfLine];
    fnInfParseField(pszLine, 2, szKind, COUNTOF(szKind));
    fnExpandOpts(szKind, COUNTOF(szKind));
    TRACE("fnReadCommand GetFileVersion", "szField1=%s", szFile);
    if (!szFile[0])
        return;
    char szFileVer[kcchVersionText], szProductVer[kcchVersionText];
    fnGetFileVersion(szFile, szFileVer, szProductVer, NULL);
    fnStoreSetValue(fnTextBeginsI(szKind, "P") ? szProductVer : szFileVer);
}

static void fnCommandMessageBoxEx(CommandWalkStruct *pWalk, char *pszLine)
{
    pWalk->bEnd = fnKeyMessageBoxEx(pWalk->hwndMain, pszLine, "fnReadCommand MessageBoxEx");
}

static void fnCommandClosePopup(CommandWalkStruct *, char *pszLine)
{
    char szField[kcchInfLine];
    fnInfParseField(pszLine, 1, szField, COUNTOF(szField));
    unsigned uPopup = fnDecimalValue(szField);
    TRACE("fnReadCommand", "ClosePopup uPopup=%u", uPopup - 1);
    if (fnPopupWindow(uPopup)) {
        TRACE("fnReadCommand", "Closing Popup %u, %d", uPopup, 1);
        fnClosePopup(uPopup);
    }
}

static void fnCommandTopMost(CommandWalkStruct *pWalk, BOOL bTopMost)
{
    if (!pWalk->hwndMain)
        return;
    SetWindowPos(pWalk->hwndMain, bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (bTopMost)
        SetForegroundWindow(pWalk->hwndMain);
}

// The window title of field 1, expanded; 0 when there is none.
static int fnExpandedTitle(char *pszLine, char *pszOut, size_t cchOut)
{
    char szField[kcchInfLine];
    if (!fnInfParseField(pszLine, 1, szField, COUNTOF(szField)))
        return 0;
    fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, szField);
    return pszOut[0] != '\0';
}

// A yes/no field of the window commands: "Y" yes, anything else no, a
// missing field its default.
static BOOL fnWindowFlag(char *pszLine, unsigned uField, BOOL bDefault)
{
    char szField[kcchInfLine];
    return fnInfParseField(pszLine, uField, szField, COUNTOF(szField)) ? fnIsYes(szField) : bDefault;
}

// "WaitForWindow" (until a window with the title is there) and "WhileWindow"
// (as long as it is); both serve messages while they wait.
static void fnCommandWaitWindow(char *pszLine, BOOL bWhile)
{
    char szTitle[520];
    if (!fnExpandedTitle(pszLine, szTitle, COUNTOF(szTitle)))
        return;
    BOOL bAllWin = fnWindowFlag(pszLine, 2, TRUE);
    BOOL bMatchBegin = fnWindowFlag(pszLine, 3, FALSE);
    BOOL bKeepTrying = fnWindowFlag(pszLine, 4, bWhile);
    fnWaitForWindow(szTitle, !bWhile, bWhile, bAllWin, bMatchBegin, bKeepTrying);
}

// The window, top-level or child, whose text begins with field 1 (any case);
// the trace names the step with pszFind and pszFound.
static HWND fnFindTitledWindow(char *pszLine, const char *pszFind, const char *pszFound)
{
    char szTitle[520];
    if (!fnExpandedTitle(pszLine, szTitle, COUNTOF(szTitle)))
        return NULL;
    TRACE("fnReadCommand", pszFind, szTitle);
    HWND hwnd = fnFindWindow(szTitle, (unsigned)strlen(szTitle), TRUE);
    if (hwnd)
        TRACE("fnReadCommand", pszFound, szTitle);
    return hwnd;
}

static void fnCommandCloseWindow(CommandWalkStruct *, char *pszLine)
{
    HWND hwnd = fnFindTitledWindow(pszLine, "CloseWindow Find window szString=%s",
                                   "CloseWindow Founnd window szString=%s");
    // Another program's window cannot be destroyed from here: it is asked to close.
    if (hwnd && !DestroyWindow(hwnd))
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

static void fnCommandSetTopMost(char *pszLine, BOOL bTopMost)
{
    HWND hwnd = bTopMost ? fnFindTitledWindow(pszLine, "SetTopWindow Find window szString=%s",
                                              "SetTopWindow Found window szString=%s")
                         : fnFindTitledWindow(pszLine, "SetNotTopMostWindow Find window szString=%s",
                                              "SetNotTopMostWindow Found window szString=%s");
    if (hwnd)
        SetWindowPos(hwnd, bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// The commands of the section itself, tried in this order (any case); the
// system commands follow them.
static const CommandStruct g_aCommands[] = {
    {"BeQuiet", [](CommandWalkStruct *, char *psz) { fnKeyBeQuiet(psz); }},
    {"SelfDestruct", [](CommandWalkStruct *, char *psz) {
         g_bSelfDestruct = FALSE;
         fnKeyYesNo(psz, &g_bSelfDestruct);
     }},
    {"ShowVSWindow", fnCommandShowVSWindow},
    {"ShowErrorMessage", [](CommandWalkStruct *, char *psz) { fnKeyYesNo(psz, &g_bShowErrorMsg); }},
    {"ExitOnExecError", [](CommandWalkStruct *, char *psz) { fnKeyYesNo(psz, &g_bExitOnExecError); }},
    {"ExitOnCommandError", [](CommandWalkStruct *, char *psz) { fnKeyYesNo(psz, &g_bExitOnCommandError); }},
    {"ExitMessage", [](CommandWalkStruct *, char *psz) { fnKeyText(psz, g_szExitMsg, COUNTOF(g_szExitMsg)); }},
    {"ErrorMessage", [](CommandWalkStruct *, char *psz) {
         if (fnKeyText(psz, g_szErrorMsg, COUNTOF(g_szErrorMsg)))
             g_bShowErrorMsg = TRUE;
     }},
    {"MustRestartAtExit", [](CommandWalkStruct *, char *psz) { fnKeyYesNo(psz, &g_bMustRestartAtExit); }},
    {"LogFile", fnCommandLogFile},
    {"Sleep", [](CommandWalkStruct *, char *psz) { fnKeySleep(psz); }},
    {"WinPause", [](CommandWalkStruct *, char *psz) { fnKeyWinPause(psz); }},
    {"Caption", [](CommandWalkStruct *, char *psz) { fnKeyText(psz, g_szTitle, COUNTOF(g_szTitle)); }},
    {"SetComputerName", [](CommandWalkStruct *, char *psz) { fnKeyComputerName(psz); }},
    {"OnExit", [](CommandWalkStruct *, char *psz) { fnKeyOnExit(psz); }},
    {"Debug", fnCommandDebug},
    {"DeleteFile", [](CommandWalkStruct *p, char *psz) { fnFileCommand(p, psz, fnKeyDeleteFile); }},
    {"CreateFile", [](CommandWalkStruct *p, char *psz) { fnFileCommand(p, psz, fnKeyCreateFile); }},
    {"CopyFile", [](CommandWalkStruct *p, char *psz) { fnCommandTwoFiles(p, psz, FALSE); }},
    {"RenameFile", [](CommandWalkStruct *p, char *psz) { fnCommandTwoFiles(p, psz, TRUE); }},
    {"WriteLineToFile", [](CommandWalkStruct *p, char *psz) { fnFileCommand(p, psz, fnKeyWriteLineToFile); }},
    {"ReadLineFromFile", [](CommandWalkStruct *p, char *psz) {
         fnFileCommand(p, psz, [](char *pszLine) { return fnKeyReadLineFromFile(pszLine, "fnReadCommand"); });
     }},
    {"GetFileVersion", fnCommandGetFileVersion},
    {"WaitForWindow", [](CommandWalkStruct *, char *psz) { fnCommandWaitWindow(psz, FALSE); }},
    {"WhileWindow", [](CommandWalkStruct *, char *psz) { fnCommandWaitWindow(psz, TRUE); }},
    {"CloseWindow", fnCommandCloseWindow},
    {"SetTopMostWindow", [](CommandWalkStruct *, char *psz) { fnCommandSetTopMost(psz, TRUE); }},
    {"SetNotTopMostWindow", [](CommandWalkStruct *, char *psz) { fnCommandSetTopMost(psz, FALSE); }},
    {"ClosePopup", fnCommandClosePopup},
    {"MakeMeTopMostWindow", [](CommandWalkStruct *p, char *) { fnCommandTopMost(p, TRUE); }},
    {"MakeMeNotTopMostWindow", [](CommandWalkStruct *p, char *) { fnCommandTopMost(p, FALSE); }},
    {"MessageDlg", [](CommandWalkStruct *p, char *psz) { fnKeyMessageDlg(p->hwndMain, psz); }},
    {"Message", [](CommandWalkStruct *p, char *psz) { fnKeyMessage(p->hwndMain, psz); }},
    {"Popup", [](CommandWalkStruct *p, char *psz) { fnKeyPopup(p->hwndMain, psz, FALSE); }},
    {"MessageStatic", [](CommandWalkStruct *p, char *psz) { fnKeyPopup(p->hwndMain, psz, TRUE); }},
    {"MessageBox", [](CommandWalkStruct *p, char *psz) { fnKeyMessageBox(p->hwndMain, psz); }},
    {"MessageBoxEx", fnCommandMessageBoxEx},
};

// The line as the trace shows it: a command that carries a password shows
// its name only.
static void fnTraceableLine(const char *pszLine, char *pszOut, size_t cchOut)
{
    fnCopyText(pszOut, cchOut, pszLine);
    char *pszEquals = strchr(pszOut, '=');
    if (!pszEquals)
        return;
    *pszEquals = '\0';
    if (fnCommandHasPassword(pszOut))
        fnAppendText(pszOut, cchOut, "=********");
    else
        fnCopyText(pszOut, cchOut, pszLine);
}

// The command of field 0, or NULL: the walk then ends.
static PFN_COMMAND fnFindCommand(const char *pszName)
{
    for (const CommandStruct &command : g_aCommands) {
        if (fnTextEqualI(pszName, command.pszName))
            return command.pfnCommand;
    }
    return fnFindSystemCommand(pszName);
}

int fnReadCommand(HWND hwndMain, const char *pszBody)
{
    CommandWalkStruct walk = {hwndMain, 1, FALSE};
    if (!pszBody)
        return 1;
    const char *pszPos = pszBody;
    char szLine[kcchInfLine];
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        char szShown[kcchInfLine] = "";
        if (g_uTraceMode)
            fnTraceableLine(szLine, szShown, COUNTOF(szShown));
        TRACE("fnReadCommand", "TestIfTwoFields\nszLine=%s", szShown);
        int iTest = fnInfTestIfTwoFields(szLine, COUNTOF(szLine));
        if (iTest == IDTEST_FALSE) {
            TRACE("fnReadCommand", "fnInfTestIfTwoFields returns IDTEST_FALSE\nuTest=%u\nszLine=%s", (unsigned)iTest,
                  szShown);
            continue;
        }
        if (iTest == IDTEST_CONTINUE)
            continue;
        if (iTest == IDTEST_SKIPSECTION)
            return 1;
        if (fnTextEqualI(szLine, "ExitNow")) {
            g_bLoaderDone = TRUE;
            return 1;
        }
        if (fnTextEqualI(szLine, "Abort")) {
            if (hwndMain)
                DestroyWindow(hwndMain);
            return 1;
        }
        char szName[kcchInfLine];
        PFN_COMMAND pfnCommand = fnInfParseField(szLine, 0, szName, COUNTOF(szName)) ? fnFindCommand(szName) : NULL;
        if (!pfnCommand)
            break;
        pfnCommand(&walk, szLine);
        if (walk.bEnd)
            return 1;
    }
    return walk.iResult;
}

const char *fnCommandName(int i)
{
    if (i >= 0 && i < (int)COUNTOF(g_aCommands))
        return g_aCommands[i].pszName;
    return fnSystemCommandName(i - (int)COUNTOF(g_aCommands));
}
