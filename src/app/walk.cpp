#include "app/walk.h"

#include "config/environment.h"
#include "dialogs/app_init.h"
#include "dialogs/check_for.h"
#include "dialogs/input_sections.h"
#include "dialogs/signon.h"
#include "shortcuts/shortcuts.h"
#include "config/iniedit.h"
#include "config/readdefaults.h"
#include "files/copy_section.h"
#include "files/delete_section.h"
#include "files/dirs.h"
#include "files/move_section.h"
#include "files/version_sections.h"
#include "process/close_section.h"
#include "process/exec.h"
#include "process/launch_back.h"
#include "registry/section.h"
#include "commands/command.h"
#include "commands/write_cmdfile.h"
#include "app/exit.h"
#include "commands/floatinfo.h"
#include "run/event_log.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/input.h"
#include "script/lines.h"
#include "resource.h"

// How a row turns its handler's result into the walk's result code.
enum ResultModeEnum {
    kResultPlain,   // 0 gives 0, anything else 1
    kResultPassed,  // as it is; 2, 5, 6 and 7 also silence the closing message
    kResultExec,    // as it is, 0 gives 0
    kResultInput,   // 0 gives 0, 7 gives 7, else 1; 2, 5, 6, 7 silence
    kResultInitOptions,  // 0 gives 0, kInitOptionsStopped silences and gives 6, else 1
    kResultAsIs,    // the handler gives the walk's result itself
};

struct SectionRowStruct {
    const char *pszHeaders;  // comma-separated, any case
    const char *pszStatus;   // status text; NULL opens no bracket
    PFN_SECTION pfnHandler;
    ResultModeEnum eMode;
};

static int fnEndSection(HWND, char *, const char *, UserInputStruct *, const char *)
{
    return kSectionEnd;
}

static int fnWriteCmdFileSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *,
                                 const char *)
{
    return fnWriteCmdFile(hwndMain, pszSection, pszHeader);
}

static int fnFloatInfoSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnReadFloatWindow(hwndMain, pszSection);
}

// [VersionTest]: a line error is reported with the script and the header.
static int fnVersionTestRow(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                            const char *pszRest)
{
    int iRC = fnVersionTestSection(hwndMain, pszSection, pszHeader, pInput, pszRest);
    if (iRC == kSectionFailed)
        fnMsgBox(IDS_SECTION_ERROR, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, g_szIniFile, pszHeader);
    return iRC;
}

// [IsStringInFile]: its stop ends the run without the closing message.
static int fnStringChecksRow(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                             const char *pszRest)
{
    if (fnIsStringInFileSection(hwndMain, pszSection, pszHeader, pInput, pszRest) != kSectionExit)
        return kSectionDone;
    pInput->uQuiet = 0;
    return kSectionEnd;
}

// [Set] and [Command]: a failed file command or query fails the walk only
// under "ExitOnCommandError"; otherwise the exit settings the section may
// have changed are taken into the input record.
static int fnCommandRow(HWND hwndMain, char *pszSection, const char *, UserInputStruct *pInput, const char *)
{
    if (fnReadCommand(hwndMain, fnInfSectionBody(pszSection)) == 0 && g_bExitOnCommandError)
        return kSectionFailed;
    pInput->uOnExit = g_uOnExit;
    if (g_szExitExec[0])
        fnCopyText(pInput->szExitExec, COUNTOF(pInput->szExitExec), g_szExitExec);
    if (g_szExitMsg[0])
        fnCopyText(pInput->szExitMsg, COUNTOF(pInput->szExitMsg), g_szExitMsg);
    if (g_szRestartMsg[0])
        fnCopyText(pInput->szRestartMsg, COUNTOF(pInput->szRestartMsg), g_szRestartMsg);
    return kSectionDone;
}

// Rows in the order they are tried; the first list that holds the header decides.
static const SectionRowStruct g_aSectionRows[] = {
    {"[End]", NULL, fnEndSection, kResultAsIs},
    {"[Info]", NULL, fnInfoSection, kResultPlain},
    {"[FloatInfo]", "", fnFloatInfoSection, kResultPlain},
    {"[CheckFor],[TestBeforeInput],[TestBefore],[CheckBefore],[CheckAfter]", "", fnCheckForSection, kResultPassed},
    {"[FileCheck]", "", fnFileCheckSection, kResultPassed},
    {"[Set],[Command]", NULL, fnCommandRow, kResultAsIs},
    {"[VersionTest]", "Reading version information", fnVersionTestRow, kResultPassed},
    {"[Registry],[RegEdit],[ReadRegistryBefore],[TestRegistryBefore],[EditRegistry],[ReadRegistry]",
     "Processing registry", fnRegistryRow, kResultPlain},
    {"[SetEnvironment]", "Processing environment variables", fnSetEnvironmentSection, kResultPlain},
    {"[ReadDefaults],[ReadIniFiles],[ReadDefaultSettings]", "Reading defaults", fnReadDefaultsSection, kResultPlain},
    {"[IniEdits]", "Editing configuration files", fnIniEditsSection, kResultPlain},
    {"[CloseProcess],[StopProcess],[CloseBefore],[CloseAfter],[Close],[CloseFiles]", "Closing program", fnCloseSection,
     kResultPlain},
    {"[ExecBefore],[ExecAfter],[Exec]", "Executing program", fnExecSection, kResultExec},
    {"[ExecOnTop]", "Executing program", fnExecSection, kResultExec},
    {"[ExecAs],[RunAs]", "Executing program", fnRunAsSection, kResultExec},
    {"[ExecAsNet],[RunAsNet]", "Executing program", fnRunAsSection, kResultExec},
    {"[TestAndExec]", "", fnTestAndExecSection, kResultExec},
    {"[ShellExec]", "Executing shell", fnExecSection, kResultExec},
    {"[InitOptions]", "", fnInitOptionsSection, kResultInitOptions},
    {"[OptionButtons],[GetDirs],[AskFor],[FromList],[FromLongList],[FromCombo]", "", fnInfGetSection, kResultInput},
    {"[LaunchAndBack]", "", fnLaunchAndBackSection, kResultPlain},
    {"[WriteCmdFile]", "", fnWriteCmdFileSection, kResultPlain},
    {"[GetUserPW]", "", fnGetUserPWSection, kResultInput},
    {"[IsStringInFile]", "", fnStringChecksRow, kResultAsIs},
    {"[AppInit]", "", fnAppInitSection, kResultPassed},
    {"[GetAllInstallInfo],[GetAllInstallInfo2]", "", fnGetAllInstallInfoSection, kResultPassed},
    {"[Shortcuts],[PMGroups]", "", fnShortcutsSection, kResultPassed},
    {"[Get2Dirs]", "", fnGet2DirsSection, kResultPassed},
    {"[CheckIfRunning]", "", fnCheckIfRunningSection, kResultAsIs},
    {"[MakeDirs],[DestSubDirs]", "", fnMakeDirsSection, kResultPlain},
    {"[MoveFilesBefore],[MoveFiles],[MoveFilesAfter]", "", fnMoveFilesSection, kResultPlain},
    {"[DeleteFiles]", "", fnDeleteFilesSection, kResultPlain},
    {"[Files],[CopyFiles],[MakeDisks],[CopyFilesToDisks]", "", fnCopyFilesSection, kResultPlain},
};

const char *fnSectionRowHeaders(int iRow)
{
    return iRow >= 0 && iRow < (int)COUNTOF(g_aSectionRows) ? g_aSectionRows[iRow].pszHeaders : NULL;
}

int fnIsInfSection(const char *pszSection, const char *pszList, char *pszOut, size_t cchOut)
{
    char szHeader[kcchInfLine];
    if (!fnInfHeaderOf(pszSection, szHeader, COUNTOF(szHeader)))
        return 0;
    const char *pszEntry = pszList;
    for (;;) {
        const char *pszComma = strchr(pszEntry, ',');
        size_t cchEntry = pszComma ? (size_t)(pszComma - pszEntry) : strlen(pszEntry);
        if (cchEntry == strlen(szHeader) && fnTextEqualNI(szHeader, pszEntry, cchEntry)) {
            fnCopyTextN(pszOut, cchOut, pszEntry, cchEntry);
            return 1;
        }
        if (!pszComma)
            return 0;
        pszEntry = pszComma + 1;
    }
}

// The walk starts in the destination the command line or the command file
// gave, else in the temporary directory.
static void fnResetDestDir()
{
    if (g_szCmdDestDir[0]) {
        fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), g_szCmdDestDir);
        return;
    }
    char szTemp[kcchPath];
    DWORD cch = GetEnvironmentVariableA("TMP", szTemp, COUNTOF(szTemp));
    if (cch == 0 || cch >= COUNTOF(szTemp))
        cch = GetEnvironmentVariableA("TEMP", szTemp, COUNTOF(szTemp));
    if (cch == 0 || cch >= COUNTOF(szTemp))
        fnFormatText(szTemp, COUNTOF(szTemp), "%s\\TEMP", g_szWinDir);
    fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), szTemp);
}

void fnInitUserInput(UserInputStruct *pInput)
{
    memset(pInput, 0, sizeof(*pInput));
    fnResetDestDir();
    pInput->uQuiet = g_bQuiet ? 0 : 1;
    pInput->uDirPrompt = (g_bQuiet || g_bNoDirPrompt) ? 0 : 1;
    pInput->uOnExit = g_uOnExit;
    pInput->uBackUpMethod = g_uBackUpMethod;
    fnCopyText(pInput->szExitExec, COUNTOF(pInput->szExitExec), g_szExitExec);
    fnCopyText(pInput->szExitMsg, COUNTOF(pInput->szExitMsg), g_szExitMsg);
    fnCopyText(pInput->szRestartMsg, COUNTOF(pInput->szRestartMsg), g_szRestartMsg);
    fnLoadText(IDS_DIR_SECTION, pInput->szDirSection, COUNTOF(pInput->szDirSection));
    fnLoadText(IDS_TITLE, pInput->szCaption, COUNTOF(pInput->szCaption));
    fnLoadText(IDS_TITLE, pInput->szSourceCaption, COUNTOF(pInput->szSourceCaption));
    fnLoadText(IDS_DIR_CAPTION, pInput->szDestText1, COUNTOF(pInput->szDestText1));
    fnLoadText(IDS_DIR_CAPTION2, pInput->szDestText2, COUNTOF(pInput->szDestText2));
    fnLoadText(IDS_DIR_PROMPT, pInput->szSourceText1, COUNTOF(pInput->szSourceText1));
    fnLoadText(IDS_DIR_PROMPT2, pInput->szSourceText2, COUNTOF(pInput->szSourceText2));
    fnCopyText(pInput->szDestPath, COUNTOF(pInput->szDestPath), g_szDestDir);
    fnCopyText(pInput->szSourceDir, COUNTOF(pInput->szSourceDir), g_szSourceDir);
}

HWND fnOpenSectionStatus(HWND hwndMain, const char *pszHeader, const char *pszStatus)
{
    fnPumpMessages();
    HWND hwndStatus = NULL;
    if (!g_bQuiet && pszStatus && pszStatus[0])
        hwndStatus = fnStatusWindow(hwndMain, IDS_STATUS_WAIT, 1, kPlaceBottomLeft, 0, pszStatus);
    fnSetCursor(IDC_WAIT);
    fnLogLine("\r\n%s", 1, pszHeader);
    if (!g_bQuiet) {
        if (g_uShowVSWin != 0)
            ShowWindow(hwndMain, SW_SHOWNA);
        if (g_uWinPause)
            fnWaitPumping(g_uWinPause);
    }
    return hwndStatus;
}

void fnCloseSectionStatus(HWND hwndStatus)
{
    fnSetCursor(IDC_ARROW);
    if (hwndStatus && IsWindow(hwndStatus))
        DestroyWindow(hwndStatus);
    fnPumpMessages();
}

static int fnMapResult(ResultModeEnum eMode, int iRC, UserInputStruct *pInput)
{
    int bStops = iRC == 2 || iRC == 5 || iRC == 6 || iRC == 7;
    switch (eMode) {
    case kResultPlain:
        return iRC == 0 ? kSectionFailed : kSectionDone;
    case kResultPassed:
        if (bStops)
            pInput->uQuiet = 0;
        return iRC;
    case kResultExec:
        return iRC;
    case kResultInput:
        if (bStops)
            pInput->uQuiet = 0;
        return iRC == 0 ? kSectionFailed : iRC == 7 ? kSectionExit : kSectionDone;
    case kResultInitOptions:
        if (iRC != kInitOptionsStopped)
            return iRC == 0 ? kSectionFailed : kSectionDone;
        pInput->uQuiet = 0;
        return kSectionEnd;
    case kResultAsIs:
    default:
        return iRC;
    }
}

int fnParseInfSection(HWND hwndMain, char *pszSection, UserInputStruct *pInput, const char *pszRest)
{
    if (g_bLoaderDone)
        return kSectionEnd;
    char szHeader[kcchInfLine];
    for (const SectionRowStruct &row : g_aSectionRows) {
        if (!fnIsInfSection(pszSection, row.pszHeaders, szHeader, COUNTOF(szHeader)))
            continue;
        HWND hwndStatus = NULL;
        fnEventLog("section_begin", "header", szHeader, NULL);
        if (row.pszStatus)
            hwndStatus = fnOpenSectionStatus(hwndMain, szHeader, row.pszStatus);
        int iRC = row.pfnHandler(hwndMain, pszSection, szHeader, pInput, pszRest);
        if (row.pszStatus)
            fnCloseSectionStatus(hwndStatus);
        if (iRC == 0)
            TRACE("fnParseInfSection", "Error returning from section %s.", szHeader);
        int iResult = fnMapResult(row.eMode, iRC, pInput);
        char szResult[24];
        fnEventLog("section_end", "header", szHeader, "#result", fnEventNumber(szResult, iResult), NULL);
        return iResult;
    }
    // A section registered by [Shortcuts] or [PMGroups] holds shortcuts.
    if (fnInfHeaderOf(pszSection, szHeader, COUNTOF(szHeader)) && fnFindShortcutEntry(pInput, szHeader)) {
        HWND hwndStatus = fnOpenSectionStatus(hwndMain, szHeader, "Adding shortcuts");
        int iRC = fnReadShortCutSections(hwndMain, pszSection, szHeader, pInput, pszRest);
        fnCloseSectionStatus(hwndStatus);
        return fnMapResult(kResultPlain, iRC, pInput);
    }
    return kSectionDone;  // a section nobody handles is passed over
}

// The header line after the one at pszHeader, or NULL.
static char *fnNextHeader(char *pszHeader)
{
    char *p = pszHeader;
    while (*p && *p != '\r' && *p != '\n')
        p++;
    while (*p == '\r' || *p == '\n')
        p++;
    return (char *)fnInfFindHeader(p);
}

int fnReadInf(HWND hwndMain, char *pszText)
{
    // The walk's input record: filled by the sections, read by the closing.
    UserInputStruct input;
    fnInitUserInput(&input);
    g_pszScript = pszText;

    char *pszPos = pszText;
    char *pszFirst = NULL;
    BOOL bStopped = FALSE;
    while (*pszPos && !fnTextBeginsI(pszPos, "[End]")) {
        char *pszSection = (char *)fnInfFindHeader(pszPos);
        if (!pszSection)
            break;
        if (!pszFirst)
            pszFirst = pszSection;
        fnPumpMessages();
        char *pszNext = fnNextHeader(pszSection);
        // End the section at the next header for the handler's time: the
        // character cut here is restored below on every path.
        char *pszCut = NULL;
        char cSaved = 0;
        if (pszNext && (pszNext[-1] == '\r' || pszNext[-1] == '\n' || pszNext[-1] == '\0')) {
            pszCut = pszNext - 1;
            cSaved = *pszCut;
            *pszCut = '\0';
        }
        int iRC = fnParseInfSection(hwndMain, pszSection, &input, pszNext ? pszNext : "");
        fnPumpMessages();
        if (pszCut)
            *pszCut = cSaved;

        // A prompt with no safe answer ends an unattended run at once.
        if (iRC == kSectionFailed || iRC == kSectionStopFailed || g_bUnattendedFailed) {
            input.bFailed = TRUE;
            bStopped = TRUE;
            break;
        }
        if (iRC == kSectionCancelled || iRC == kSectionEnd || iRC == kSectionExit) {
            bStopped = TRUE;
            break;
        }
        if (!pszNext)
            break;
        pszPos = iRC == kSectionRestart ? pszFirst : pszNext;
    }
    g_pszScript = NULL;
    // A person's "stop" that the script went on after (an Exit answer whose
    // section decided to go on) did not end the run.
    if (!bStopped)
        g_bUserCancelled = FALSE;
    TRACE("fnReadInf", "Exit g_bSelfDestruct=%d", g_bSelfDestruct);
    fnUserExit(hwndMain, &input);
    return 1;
}
