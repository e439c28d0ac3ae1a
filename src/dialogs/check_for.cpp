// The file check sections: each line tests whether a file is there (and how
// old it is) and may show a message whose answer stops the run, goes on or
// starts the script again.
#include "dialogs/check_for.h"

#include "dialogs/check_for_text.h"
#include "expand/expand.h"
#include "run/message.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "resource.h"

namespace {

struct CheckLineStruct {
    char szFile[kcchPath];
    char szFile2[kcchPath];
    char szMessage[kcchMessage];
    char szDateOp[8];
    CheckSwitchesStruct sw;
    CheckButtonsEnum eButtons;
    int iRetry;  // kCheckRetry*: what the button keyword does to the kept retry
};

void fnExpandedField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut)
{
    char szField[kcchInfLine];
    fnInfParseField(pszLine, uField, szField, COUNTOF(szField));
    fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, szField);
}

// The message (field uMsg, else string uDefault) and the button keyword
// (field uMsg + 1, else pszDefault).
void fnMessageFields(char *pszLine, unsigned uMsg, UINT uDefault, const char *pszDefault, CheckLineStruct *pCheck)
{
    if (fnInfParseField(pszLine, uMsg, pCheck->szMessage, COUNTOF(pCheck->szMessage)) && pCheck->szMessage[0])
        fnExpandOpts(pCheck->szMessage, COUNTOF(pCheck->szMessage));
    else
        fnLoadText(uDefault, pCheck->szMessage, COUNTOF(pCheck->szMessage));
    char szButtons[kcchInfLine];
    if (!fnInfParseField(pszLine, uMsg + 1, szButtons, COUNTOF(szButtons)) || !szButtons[0])
        fnCopyText(szButtons, COUNTOF(szButtons), pszDefault);
    pCheck->eButtons = fnCheckButtons(fnTrimBlanks(szButtons), &pCheck->iRetry);
}

// Option letters in field uOptions; "N" first means no message (then the
// message fields are not read). 1 a message may be shown.
int fnOptionsField(char *pszLine, unsigned uOptions, CheckLineStruct *pCheck)
{
    char szLetters[kcchInfLine];
    if (!fnInfParseField(pszLine, uOptions, szLetters, COUNTOF(szLetters)))
        return 1;
    fnCheckOptionLetters(fnTrimBlanks(szLetters), &pCheck->sw);
    return pCheck->sw.bShowMsg;
}

// Reads the line's key and fields. 0 the key is not a check key.
int fnReadCheckLine(char *pszLine, const char *pszKey, CheckLineStruct *pCheck)
{
    if (fnTextEqualI(pszKey, "File")) {
        pCheck->sw.bExitOnAnswer = 1;
        fnMessageFields(pszLine, 2, IDS_FILECHECK_DEFAULT, "OK", pCheck);
    } else if (fnTextEqualI(pszKey, "TestFor")) {
        pCheck->sw.bRetry = 1;
        if (fnOptionsField(pszLine, 2, pCheck))
            fnMessageFields(pszLine, 3, IDS_CHECK_RESELECT, "YESNO", pCheck);
    } else if (fnTextEqualI(pszKey, "TestFor2")) {
        pCheck->sw.bRetry = 1;
        fnExpandedField(pszLine, 2, pCheck->szFile2, COUNTOF(pCheck->szFile2));
        if (fnOptionsField(pszLine, 3, pCheck))
            fnMessageFields(pszLine, 4, IDS_CHECK_RESELECT, "YESNO", pCheck);
    } else if (fnTextEqualI(pszKey, "FileEx")) {
        char szOp[kcchInfLine];
        if (fnInfParseField(pszLine, 2, szOp, COUNTOF(szOp)) && fnTrimBlanks(szOp)[0])
            fnCopyText(pCheck->szDateOp, COUNTOF(pCheck->szDateOp), szOp);
        if (fnOptionsField(pszLine, 3, pCheck))
            fnMessageFields(pszLine, 4, IDS_FILECHECK_DEFAULT, "OK", pCheck);
    } else {
        return 0;
    }
    fnExpandedField(pszLine, 1, pCheck->szFile, COUNTOF(pCheck->szFile));
    return 1;
}

int fnExists(const char *pszFile)
{
    return pszFile[0] && GetFileAttributesA(pszFile) != INVALID_FILE_ATTRIBUTES;
}

// Today against the file's last-write day: <0, 0, >0; 2 when it cannot be read.
int fnCompareToday(const char *pszFile, int *piCmp)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME ftLocal;
    SYSTEMTIME stFile, stToday;
    if (!GetFileAttributesExA(pszFile, GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &ftLocal) || !FileTimeToSystemTime(&ftLocal, &stFile))
        return 0;
    GetLocalTime(&stToday);
    long lToday = stToday.wYear * 10000L + stToday.wMonth * 100L + stToday.wDay;
    long lFile = stFile.wYear * 10000L + stFile.wMonth * 100L + stFile.wDay;
    *piCmp = lToday < lFile ? -1 : lToday > lFile ? 1 : 0;
    return 1;
}

// Shows the line's message; 1 when the failing answer was given.
int fnAskCheck(HWND hwndMain, const CheckLineStruct *pCheck, const char *pszFile, int bFound)
{
    char szText[kcchMessage * 2];
    if (pCheck->sw.bDetailed) {
        char szWord[64];
        fnLoadText(bFound ? IDS_FILE_EXISTS_WORD : IDS_FILE_MISSING_WORD, szWord, COUNTOF(szWord));
        char szFormat[kcchMessage];
        fnLoadText(IDS_FILECHECK_PROMPT, szFormat, COUNTOF(szFormat));
        fnFormatText(szText, COUNTOF(szText), szFormat, pszFile, szWord, pCheck->szMessage);
    } else {
        fnCopyText(szText, COUNTOF(szText), pCheck->szMessage);
    }
    struct BoxStyle {
        CheckButtonsEnum eButtons;
        UINT uFlags;
        unsigned uDialog;  // message-dialog form, 0 for a message box
        int iFailing;      // 0: none
    };
    static const BoxStyle s_aStyles[] = {
        {kCheckOk, MB_OK | MB_ICONINFORMATION, 0, IDOK},
        {kCheckOkInfo, MB_OK | MB_ICONINFORMATION, 0, 0},
        {kCheckOkCancel, MB_OKCANCEL | MB_ICONQUESTION, 0, IDCANCEL},
        {kCheckYesNo, MB_YESNO | MB_ICONQUESTION, 0, IDNO},
        {kCheckYesNoCancel, MB_YESNOCANCEL | MB_ICONQUESTION, 0, IDCANCEL},
        {kCheckRetryCancel, MB_RETRYCANCEL | MB_ICONQUESTION, 0, IDCANCEL},
        {kCheckRetryContinue, 0, kButtonsRetryContinue, IDC_MESSAGE_CONTINUE},
        {kCheckRetryExit, 0, kButtonsRetryExit, IDC_MESSAGE_EXIT},
        {kCheckCancel, 0, kButtonsCancel, IDC_MESSAGE_OK},
    };
    const BoxStyle *pStyle = &s_aStyles[0];
    for (const BoxStyle &style : s_aStyles)
        if (style.eButtons == pCheck->eButtons)
            pStyle = &style;
    int iAnswer;
    if (pStyle->uDialog) {
        MessageStruct msg;
        fnInitMessage(&msg, kPlaceCenter);
        fnCopyText(msg.szCaption, COUNTOF(msg.szCaption), g_szTitle);
        fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), szText);
        msg.uButtons = pStyle->uDialog;
        iAnswer = fnShowMessageDialog(hwndMain, &msg);
    } else {
        iAnswer = fnMsgBox(0, NULL, pStyle->uFlags | MB_TASKMODAL, "%s", szText);
    }
    int bFailing = pStyle->iFailing && iAnswer == pStyle->iFailing;
    // A failing answer among other choices is a person's decision to stop;
    // a lone OK only acknowledges the script's own stop.
    if (bFailing && pCheck->eButtons != kCheckOk)
        g_bUserCancelled = TRUE;
    return bFailing;
}

}  // namespace

int fnReadCheckFors(HWND hwndMain, const char *pszBody)
{
    const char *pszPos = pszBody;
    char szLine[kcchInfLine];
    char szKey[kcchInfLine];
    int bFound = 0, bPassed = 1, bRetry = 0, bTested = 0;
    CheckSwitchesStruct swLast = {1, 1, 0, 1, 0};
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        int iAction = fnInfLineAction(fnInfTestIfTwoFields(szLine, COUNTOF(szLine)));
        if (iAction == kLineEndSection)
            return 1;
        if (iAction == kLinePass || !strchr(szLine, '='))
            continue;
        fnInfParseField(szLine, 0, szKey, COUNTOF(szKey));
        CheckLineStruct check;
        memset(&check, 0, sizeof(check));
        check.sw = {1, 1, 0, 1, 0};
        check.eButtons = kCheckOk;
        check.iRetry = kCheckRetryKeep;
        fnCopyText(check.szDateOp, COUNTOF(check.szDateOp), "NC");
        if (!fnReadCheckLine(szLine, fnTrimBlanks(szKey), &check))
            break;
        if (!check.szFile[0])
            continue;
        bRetry = check.iRetry == kCheckRetryOn || (check.iRetry == kCheckRetryKeep && (bRetry || check.sw.bRetry));
        check.sw.bRetry = bRetry;
        const char *pszFound = fnExists(check.szFile) ? check.szFile : fnExists(check.szFile2) ? check.szFile2 : NULL;
        bFound = pszFound != NULL;
        bPassed = bFound;
        if (bFound && !fnTextEqualI(check.szDateOp, "NC")) {
            int iCmp = 0;
            bPassed = fnCompareToday(pszFound, &iCmp) && fnCheckDateHolds(iCmp, check.szDateOp);
        }
        swLast = check.sw;
        bTested = 1;
        TRACE("fnReadCheckFors", "szFile=%s,\nbFound=%d,\nbPassed=%d,\nbRetry=%d", check.szFile, bFound, bPassed, bRetry);
        int bShow = check.sw.bShowMsg && (bFound ? check.sw.bExpectExist : !check.sw.bExpectExist);
        if (bShow && fnAskCheck(hwndMain, &check, pszFound ? pszFound : check.szFile, bFound))
            return fnCheckAnswerResult(bFound, &check.sw);
    }
    return bTested ? fnCheckEndResult(bFound, bPassed, &swLast) : 1;
}

int fnCheckForSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnReadCheckFors(hwndMain, fnInfSectionBody(pszSection));
}
