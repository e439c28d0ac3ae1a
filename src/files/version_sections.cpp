#include "files/version_sections.h"

#include <stdlib.h>

#include "expand/expand.h"
#include "files/file_questions.h"
#include "base/version.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/input.h"
#include "script/lines.h"
#include "script/marker.h"
#include "resource.h"

int fnTestVersion(const char *pszNumber, const char *pszCondition, DWORD dwSystem)
{
    long lNumber = strtol(pszNumber, NULL, 10);
    long long llNumber = lNumber, llSystem = dwSystem;
    int bHolds = 0;
    if (fnTextEqualI(pszCondition, "LE"))
        bHolds = llNumber <= llSystem;
    else if (fnTextEqualI(pszCondition, "GE"))
        bHolds = llNumber >= llSystem;
    else if (fnTextEqualI(pszCondition, "LT"))
        bHolds = llNumber < llSystem;
    else if (fnTextEqualI(pszCondition, "GT"))
        bHolds = llNumber > llSystem;
    else if (fnTextEqualI(pszCondition, "NE"))
        bHolds = llNumber != llSystem;
    else if (fnTextEqualI(pszCondition, "EQ"))
        bHolds = llNumber == llSystem;
    int iRC = bHolds ? kVersionTestHolds : kVersionTestFails;
    TRACE("fnTestVersion", "nRC=%d, lpszVersion=%s, lpszCondition=%s, uTest=%u, uTesting=%u", iRC, pszNumber,
          pszCondition, (unsigned)lNumber, (unsigned)dwSystem);
    return iRC;
}

int fnIsInUseError(DWORD dwError)
{
    return dwError == ERROR_ACCESS_DENIED || dwError == ERROR_SHARING_VIOLATION || dwError == ERROR_LOCK_VIOLATION ||
           dwError == ERROR_ALREADY_EXISTS;
}

// The in-use dialog's answer as an fnTestInUse result.
static int fnAskInUse(HWND hwnd, const char *pszFile)
{
    switch (fnShowInUseDialog(hwnd, pszFile)) {
    case IDC_INUSE_RETRY:
        return kInUseTryAgain;
    case IDC_INUSE_RESTART:
        return kInUseAtRestart;
    case IDC_INUSE_SKIP:
        return kInUseSkipFile;
    default:
        return kInUseExit;
    }
}

int fnTestInUse(HWND hwnd, BOOL bAsk, DWORD dwError, const char *pszFile)
{
    TRACE("fnTestInUse", "lpszFile=%s,dwError=%lu", pszFile, dwError);
    if (!fnIsInUseError(dwError))
        return kNotInUse;
    return bAsk ? fnAskInUse(hwnd, pszFile) : kInUseNotAsked;
}

// The message of a failed version test: Exit (1) or Continue (0).
static int fnVersionMessageExits(HWND hwndMain, const char *pszFirst, const char *pszSecond, BOOL bContinue)
{
    (void)hwndMain;
    if (!bContinue) {
        fnMsgBox(0, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, "%s\n%s", pszFirst, pszSecond);
        return 1;
    }
    return fnMsgBox(0, NULL, MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL, "%s\n%s", pszFirst, pszSecond) == IDOK
               ? 0
               : 1;
}

// A test line waiting for its "Message" line.
struct VersionTestStruct {
    BOOL bOpen;
    char szNumber[16];
    char szCondition[8];
    char szMessage[256];
    DWORD dwSystem;
};

static int fnSystemValueOf(const char *pszKey, DWORD *pdwValue)
{
    if (fnTextEqualI(pszKey, "WinVS"))
        *pdwValue = g_uWinPlatform;
    else if (fnTextEqualI(pszKey, "WinVSX"))
        *pdwValue = g_uWinOS;
    else if (fnTextEqualI(pszKey, "WinMajor"))
        *pdwValue = g_dwWinMajor;
    else if (fnTextEqualI(pszKey, "WinMinor"))
        *pdwValue = g_dwWinMinor;
    else
        return 0;
    return 1;
}

int fnReadVersionTest(HWND hwndMain, const char *pszLines)
{
    VersionTestStruct test;
    memset(&test, 0, sizeof(test));
    char szLine[kcchInfLine];
    for (const char *pszPos = pszLines; fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine));) {
        // Test lines carry no conditions, but a guard line works as elsewhere.
        if (fnInfIsGuardLine(szLine)) {
            if (fnInfLineAction(fnInfTestIfTwoFields(szLine, COUNTOF(szLine))) == kLineEndSection)
                break;
            continue;
        }
        char szKey[kcchInfLine];
        if (!fnInfParseField(szLine, 0, szKey, COUNTOF(szKey)))
            return kSectionFailed;  // a line without a keyword: the walk reports it
        char szField[kcchInfLine];
        DWORD dwSystem = 0;
        if (fnSystemValueOf(szKey, &dwSystem)) {
            test.bOpen = TRUE;
            test.dwSystem = dwSystem;
            fnInfParseField(szLine, 1, szField, COUNTOF(szField));
            fnCopyText(test.szNumber, COUNTOF(test.szNumber), szField);
            if (!fnInfParseField(szLine, 2, szField, COUNTOF(szField)) || !szField[0])
                fnCopyText(szField, COUNTOF(szField), "EQ");
            fnCopyText(test.szCondition, COUNTOF(test.szCondition), szField);
            fnInfParseField(szLine, 3, szField, COUNTOF(szField));
            fnExpandOpts(szField, COUNTOF(szField));
            fnCopyText(test.szMessage, COUNTOF(test.szMessage), szField);
            continue;
        }
        if (!fnTextEqualI(szKey, "Message"))
            break;
        fnInfParseField(szLine, 1, szField, COUNTOF(szField));
        fnExpandOpts(szField, COUNTOF(szField));
        char szButtons[kcchInfLine];
        fnInfParseField(szLine, 2, szButtons, COUNTOF(szButtons));
        if (test.bOpen && fnTestVersion(test.szNumber, test.szCondition, test.dwSystem) == kVersionTestFails &&
            fnVersionMessageExits(hwndMain, test.szMessage, szField, fnIsYes(szButtons)))
            return kSectionExit;
        test.bOpen = FALSE;
    }
    if (test.bOpen && fnTestVersion(test.szNumber, test.szCondition, test.dwSystem) == kVersionTestFails) {
        char szContinue[kcchMessage];
        fnLoadText(IDS_VERSION_CONTINUE, szContinue, COUNTOF(szContinue));
        if (fnVersionMessageExits(hwndMain, test.szMessage, szContinue, TRUE))
            return kSectionExit;
    }
    return kSectionDone;
}

// [FileCheck] prompt keywords and their message box buttons.
static UINT fnFileCheckPromptFlags(const char *pszPrompt)
{
    if (fnTextEqualI(pszPrompt, "OK") || fnTextEqualI(pszPrompt, "OKINFO"))
        return MB_OK | MB_ICONINFORMATION;
    if (fnTextEqualI(pszPrompt, "OKCANCEL"))
        return MB_OKCANCEL | MB_ICONQUESTION;
    if (fnTextEqualI(pszPrompt, "YESNO"))
        return MB_YESNO | MB_ICONQUESTION;
    if (fnTextEqualI(pszPrompt, "YESNOCANCEL"))
        return MB_YESNOCANCEL | MB_ICONQUESTION;
    return (UINT)-1;  // no message
}

// One check: 1 passed; pszStatus gets the status words.
static int fnCheckOneFile(const char *pszFile, const char *pszVersion, const char **ppszStatus)
{
    if (!pszFile[0] || GetFileAttributesA(pszFile) == INVALID_FILE_ATTRIBUTES) {
        *ppszStatus = "not found";
        return 0;
    }
    if (!pszVersion[0]) {
        *ppszStatus = "found";
        return 1;
    }
    int iCode = fnCmpFileVersion(pszFile, pszVersion);
    if (iCode == kVerEqual || iCode == kVerNewer) {
        *ppszStatus = "is an acceptable version";
        return 1;
    }
    *ppszStatus = "is an unacceptable version";
    return 0;
}

int fnReadFileChecks(HWND hwndMain, const char *pszLines)
{
    (void)hwndMain;
    BOOL bExitOnFail = TRUE;
    BOOL bPass = TRUE;
    BOOL bChecked = FALSE;
    char szFile[kcchInfLine] = "";
    char szLine[kcchInfLine];
    for (const char *pszPos = pszLines; fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine));) {
        int iTest = fnInfTestIfTwoFields(szLine, COUNTOF(szLine));
        if (iTest == IDTEST_SKIPSECTION)
            return kSectionDone;
        if (iTest == IDTEST_FALSE || iTest == IDTEST_CONTINUE)
            continue;
        char szKey[kcchInfLine], szMode[kcchInfLine], szVersion[kcchInfLine], szPrompt[kcchInfLine],
            szText[kcchInfLine];
        fnInfParseField(szLine, 0, szKey, COUNTOF(szKey));
        BOOL bFileLine = fnTextEqualI(szKey, "File");
        szFile[0] = '\0';
        if (bFileLine) {
            fnInfParseField(szLine, 1, szFile, COUNTOF(szFile));
            fnExpandOpts(szFile, COUNTOF(szFile));
        }
        fnInfParseField(szLine, 2, szMode, COUNTOF(szMode));
        fnInfParseField(szLine, 3, szVersion, COUNTOF(szVersion));
        fnInfParseField(szLine, 4, szPrompt, COUNTOF(szPrompt));
        if (!fnInfParseField(szLine, 5, szText, COUNTOF(szText)) || !szText[0])
            fnLoadText(IDS_FILECHECK_DEFAULT, szText, COUNTOF(szText));
        else
            fnExpandOpts(szText, COUNTOF(szText));
        bExitOnFail = !fnTextEqualI(szMode, "GO");
        const char *pszStatus = "";
        bPass = fnCheckOneFile(szFile, szVersion, &pszStatus);
        bChecked = TRUE;
        TRACE("fnReadFileChecks", "szFile=%s, szMode=%s, szVersion=%s, bPass=%d", szFile, szMode, szVersion, bPass);
        BOOL bStops = bExitOnFail ? !bPass : bPass;
        if (bStops) {
            UINT uFlags = fnFileCheckPromptFlags(szPrompt);
            if (uFlags != (UINT)-1) {
                int iAnswer = fnMsgBox(IDS_FILECHECK_PROMPT, NULL, uFlags | MB_TASKMODAL, szFile, pszStatus, szText);
                if (iAnswer == IDCANCEL || (iAnswer == IDNO && (uFlags & MB_TYPEMASK) == MB_YESNO)) {
                    TRACE("fnReadFileChecks - fail", "szFile=%s", szFile);
                    return kSectionDone;
                }
            }
            // The user was told the run cannot go on: it stops here, whatever
            // later lines would find.
            break;
        }
        if (!bFileLine)
            break;  // another keyword ends the checks (its empty path has failed)
    }
    TRACE("fnReadFileChecks - End", "bExitOnFail=%d, bPass=%d, szFile=%s", bExitOnFail, bPass, szFile);
    if (!bChecked)
        return kSectionDone;
    return (bExitOnFail ? !bPass : bPass) ? kSectionExit : kSectionDone;
}

// The search result stops the run under the line's action word.
static int fnStringCheckStops(int iFound, const char *pszAction)
{
    if (!pszAction[0] || fnTextBeginsI(pszAction, "CONTINUE"))
        return 0;
    BOOL bError = iFound >= 3 && iFound <= 5;
    if (fnTextBeginsI(pszAction, "EXITERROR"))
        return bError;
    if (fnTextBeginsI(pszAction, "EXITNOFILE"))
        return iFound == 2 || bError;
    if (fnTextBeginsI(pszAction, "EXITNOMATCH"))
        return iFound == 1 || bError;
    if (fnTextBeginsI(pszAction, "EXITMATCH"))
        return iFound == 0;
    return 0;
}

int fnReadStringChecks(HWND hwndMain, const char *pszLines)
{
    (void)hwndMain;
    g_uStringChecks[0] = 1;
    unsigned uEntry = 1;
    char szLine[kcchInfLine];
    for (const char *pszPos = pszLines; fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine));) {
        // Beyond the fifteenth evaluated line the results are not kept.
        if (uEntry < kuStringChecks)
            g_uStringChecks[uEntry] = 9;
        int iTest = fnInfTestIfTwoFields(szLine, COUNTOF(szLine));
        if (iTest == IDTEST_SKIPSECTION)
            return kSectionFailed;
        if (iTest == IDTEST_FALSE || iTest == IDTEST_CONTINUE)
            continue;
        char szFile[kcchInfLine], szText[kcchInfLine], szCase[kcchInfLine], szAction[kcchInfLine];
        if (!fnInfParseField(szLine, 1, szFile, COUNTOF(szFile)) || !fnInfParseField(szLine, 2, szText, COUNTOF(szText)))
            return kSectionFailed;
        fnExpandOpts(szFile, COUNTOF(szFile));
        fnExpandOpts(szText, COUNTOF(szText));
        fnInfParseField(szLine, 3, szCase, COUNTOF(szCase));
        fnInfParseField(szLine, 4, szAction, COUNTOF(szAction));
        int iFound = fnIsStringInFile(szFile, szText, fnIsYes(szCase));
        TRACE("fnReadStringChecks", "szFile=%s, szText=%s, szAction=%s, iFound=%d", szFile, szText, szAction, iFound);
        if (iFound == 0)
            g_uStringChecks[0] = 0;
        if (uEntry < kuStringChecks)
            g_uStringChecks[uEntry] = (unsigned)iFound;
        uEntry++;
        if (uEntry < kuStringChecks)
            g_uStringChecks[uEntry] = 9;  // the entry after the last result reads 9
        if (fnStringCheckStops(iFound, szAction))
            return kSectionExit;
    }
    return kSectionDone;
}

int fnVersionTestSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    const char *pszLines = fnInfSectionBody(pszSection);
    return pszLines ? fnReadVersionTest(hwndMain, pszLines) : kSectionDone;
}

int fnFileCheckSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    const char *pszLines = fnInfSectionBody(pszSection);
    return pszLines ? fnReadFileChecks(hwndMain, pszLines) : kSectionDone;
}

int fnIsStringInFileSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    const char *pszLines = fnInfSectionBody(pszSection);
    return pszLines ? fnReadStringChecks(hwndMain, pszLines) : kSectionDone;
}
