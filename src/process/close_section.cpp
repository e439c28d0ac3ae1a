#include "process/close_section.h"

#include "expand/expand.h"
#include "process/exec.h"
#include "base/running.h"
#include "run/message.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "resource.h"

enum { kdwCloseWaitMs = 5000 };  // how long a closed program is given to go before the next line

// One close line: 1 go on, 0 end the section.
static int fnCloseLine(HWND hwndParent, char *pszLine, unsigned uFirst)
{
    char szProgram[kcchInfLine], szField[kcchInfLine];
    if (!fnInfParseFieldMsg(pszLine, uFirst, szProgram, COUNTOF(szProgram)))
        return 0;
    fnExpandOpts(szProgram, COUNTOF(szProgram));
    fnTrimBlanks(szProgram);
    if (!fnTestForRunningExecPath(szProgram))
        return 1;
    fnInfParseField(pszLine, uFirst + 1, szField, COUNTOF(szField));
    BOOL bNotice = fnIsYes(szField);
    char szMessage[kcchMsgMessage] = "";
    if (fnInfParseField(pszLine, uFirst + 2, szField, COUNTOF(szField))) {
        fnExpandOpts(szField, COUNTOF(szField));
        fnCopyText(szMessage, COUNTOF(szMessage), szField);
    }
    if (szMessage[0]) {
        fnInfParseField(pszLine, uFirst + 3, szField, COUNTOF(szField));
        int iAnswer = fnAskLineQuestion(hwndParent, NULL, szMessage, fnExecButtons(szField));
        if (iAnswer == IDC_MESSAGE_EXIT)
            return 0;
        if (iAnswer == IDC_MESSAGE_CANCEL || iAnswer == IDC_MESSAGE_NO || iAnswer == 0)
            return 1;
    }
    HWND hwndNotice = NULL;
    if (bNotice && !g_bQuiet)
        hwndNotice = fnStatusWindow(hwndParent, IDS_CLOSE_WAIT, 2, kPlaceCenter, 0, szProgram);
    fnLogLine("%s", 1, szProgram);
    if (fnCloseRunningExec(szProgram, TRUE))
        fnWaitWhileRunning(szProgram, kdwCloseWaitMs);
    if (hwndNotice && IsWindow(hwndNotice))
        DestroyWindow(hwndNotice);
    return 1;
}

int fnReadCloseExecs(HWND hwndParent, const char *pszBody)
{
    TRACE("fnReadCloseExecs", "%s", "Begin");
    char szLine[kcchInfLine];
    const char *pszPos = pszBody;
    unsigned uFirst;
    int iNext;
    while ((iNext = fnInfNextFieldLine(&pszPos, szLine, COUNTOF(szLine), &uFirst)) > 0) {
        if (!fnCloseLine(hwndParent, szLine, uFirst))
            return kSectionFailed;
    }
    return iNext < 0 ? kSectionFailed : kSectionDone;
}

int fnReadCheckIfRunningKeys(const char *pszBody, CheckIfRunningStruct *pCheck)
{
    memset(pCheck, 0, sizeof(*pCheck));
    pCheck->bShowFiles = TRUE;
    char szLine[kcchInfLine], szKey[kcchInfLine], szValue[kcchInfLine];
    const char *pszPos = pszBody;
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        int iAction = fnInfLineAction(fnInfTestIfTwoFields(szLine, COUNTOF(szLine)));
        if (iAction == kLineEndSection)
            return 0;
        if (iAction == kLinePass)
            continue;
        if (!fnInfParseField(szLine, 0, szKey, COUNTOF(szKey)))
            return 0;
        fnTrimBlanks(szKey);
        int bKnown = fnTextEqualI(szKey, "CheckFor") || fnTextEqualI(szKey, "Action") ||
                     fnTextEqualI(szKey, "Caption") || fnTextEqualI(szKey, "Message") ||
                     fnTextEqualI(szKey, "ShowFiles");
        if (!bKnown)
            break;
        if (!fnInfParseField(szLine, 1, szValue, COUNTOF(szValue)))
            return 0;
        if (fnTextEqualI(szKey, "ShowFiles")) {
            pCheck->bShowFiles = fnYesNoField(szValue) != kYesNoNo;
            break;
        }
        if (fnTextEqualI(szKey, "Action")) {
            fnTrimBlanks(szValue);
            fnCopyTextN(pCheck->szAction, COUNTOF(pCheck->szAction), szValue, 10);
            continue;
        }
        fnExpandOpts(szValue, COUNTOF(szValue));
        if (fnTextEqualI(szKey, "CheckFor"))
            fnCopyText(pCheck->szCheckFor, COUNTOF(pCheck->szCheckFor), szValue);
        else if (fnTextEqualI(szKey, "Caption"))
            fnCopyText(pCheck->szCaption, COUNTOF(pCheck->szCaption), szValue);
        else
            fnCopyText(pCheck->szMessage, COUNTOF(pCheck->szMessage), szValue);
    }
    return pCheck->szCheckFor[0] != '\0';
}

// Tests each program of the list; the running ones and the missing ones are
// gathered, each joined by ", ". 1 when any runs.
static int fnSortRunning(const char *pszList, char *pszFound, char *pszMissing, size_t cch)
{
    pszFound[0] = pszMissing[0] = '\0';
    const char *pszItem = pszList;
    while (*pszItem) {
        const char *pszComma = strchr(pszItem, ',');
        size_t cchItem = pszComma ? (size_t)(pszComma - pszItem) : strlen(pszItem);
        char szProgram[kcchPath];
        fnCopyTextN(szProgram, COUNTOF(szProgram), pszItem, cchItem);
        fnTrimBlanks(szProgram);
        if (szProgram[0]) {
            char *pszInto = fnTestForRunningExec(szProgram) ? pszFound : pszMissing;
            if (pszInto[0])
                fnAppendText(pszInto, cch, ", ");
            fnAppendText(pszInto, cch, szProgram);
        }
        if (!pszComma)
            break;
        pszItem = pszComma + 1;
    }
    return pszFound[0] != '\0';
}

int fnReadCheckIfRunning(HWND hwndParent, const char *pszBody)
{
    CheckIfRunningStruct check;
    if (!fnReadCheckIfRunningKeys(pszBody, &check))
        return kSectionFailed;
    char szFound[kcchCheckList], szMissing[kcchCheckList];
    int bFound = fnSortRunning(check.szCheckFor, szFound, szMissing, kcchCheckList);
    TRACE("fnReadCheckIfRunning", "szCheckFor=%s,\nszAction=%s,\nszFound=%s,\nszMissing=%s", check.szCheckFor,
          check.szAction, szFound, szMissing);
    int bExit;
    if ((bFound && fnTextEqualI(check.szAction, "ONFINDEXIT")) || (!bFound && fnTextEqualI(check.szAction, "NOFINDEXIT")))
        bExit = TRUE;
    else if ((bFound && fnTextEqualI(check.szAction, "ONFINDCONT")) ||
             (!bFound && fnTextEqualI(check.szAction, "NOFINDCONT")))
        bExit = FALSE;
    else
        return kSectionDone;
    if (check.szMessage[0]) {
        char szText[kcchMsgMessage];
        fnCopyText(szText, COUNTOF(szText), check.szMessage);
        if (check.bShowFiles)
            fnAppendFormat(szText, COUNTOF(szText), "\n%s", bFound ? szFound : szMissing);
        fnAskLineQuestion(hwndParent, check.szCaption, szText, kButtonsOk);
    }
    return bExit ? kSectionExit : kSectionDone;
}

int fnCloseSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnReadCloseExecs(hwndMain, fnInfSectionBody(pszSection));
}

int fnCheckIfRunningSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnReadCheckIfRunning(hwndMain, fnInfSectionBody(pszSection));
}
