// Program lines: "command, show, wait, flags, message, buttons", read one at
// a time, each asked about (when it carries a message), noted in the install
// log and launched.
#include "process/exec.h"

#include "base/version.h"
#include "expand/expand.h"
#include "process/exec_line_text.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "resource.h"

enum { kcchRunAsField = 260, kcchTestVs = 24 };

// How a line's launch is made.
enum ExecKindEnum { kExecProcess, kExecOnTop, kExecShell };

void fnInitExecLine(ExecLineStruct *pLine)
{
    memset(pLine, 0, sizeof(*pLine));
    pLine->nShowWin = kShowNormal;
    pLine->bErrorShow = TRUE;
    pLine->uButtons = kButtonsYesNo;
}

unsigned fnExecButtons(const char *pszField)
{
    char szField[16];
    fnCopyText(szField, COUNTOF(szField), fnSkipBlanks(pszField));
    fnTrimBlanks(szField);
    if (fnTextEqualI(szField, "OK"))
        return kButtonsOk;
    if (fnTextEqualI(szField, "OKCANCEL"))
        return kButtonsOkCancel;
    if (fnTextEqualI(szField, "OKEXIT"))
        return kButtonsOkExit;
    return kButtonsYesNo;
}

int fnReadExecFields(char *pszLine, unsigned uExecField, size_t cchExecLimit, ExecLineStruct *pLine)
{
    char szField[kcchInfLine];
    if (!fnInfParseFieldMsg(pszLine, uExecField, szField, COUNTOF(szField)))
        return kExecLineMissing;
    fnExpandOpts(szField, COUNTOF(szField));
    fnTrimBlanks(szField);
    if (!szField[0]) {  // an empty command is as good as none
        if (!g_bQuiet)
            fnMsgBox(IDS_FIELD_ERROR, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, uExecField, pszLine);
        return kExecLineMissing;
    }
    // The command is judged after the other fields, whose flags decide what
    // a refused command does to the section.
    char szExec[kcchInfLine];
    fnCopyText(szExec, COUNTOF(szExec), szField);

    int bNoWin = 0, bWait = 0, bPrevent = 0, bNotice = pLine->bShowNotice, bErrors = pLine->bErrorShow,
        bStop = pLine->bStopOnError;
    fnInfParseField(pszLine, uExecField + 1, szField, COUNTOF(szField));
    pLine->nShowWin = fnExecShowValue(szField, &bNoWin);
    fnInfParseField(pszLine, uExecField + 2, szField, COUNTOF(szField));
    fnExecWaitField(szField, &bWait, &bPrevent, pLine->szAlsoCheckFor, COUNTOF(pLine->szAlsoCheckFor));
    fnInfParseField(pszLine, uExecField + 3, szField, COUNTOF(szField));
    fnExecFlagsField(szField, &bNotice, &bErrors, &bStop);
    pLine->bNoWin = bNoWin;
    pLine->bWait = bWait;
    pLine->bPreventExit = bPrevent;
    pLine->bShowNotice = bNotice;
    pLine->bErrorShow = bErrors;
    pLine->bStopOnError = bStop;
    fnInfExpandedField(pszLine, uExecField + 4, pLine->szMessage, COUNTOF(pLine->szMessage));
    fnInfParseField(pszLine, uExecField + 5, szField, COUNTOF(szField));
    pLine->uButtons = fnExecButtons(szField);
    size_t cchLimit = cchExecLimit < COUNTOF(pLine->szExec) ? cchExecLimit : COUNTOF(pLine->szExec);
    if (!fnExecFits(szExec, cchLimit))
        return kExecLineTooLong;
    fnCopyText(pLine->szExec, COUNTOF(pLine->szExec), szExec);
    TRACE("fnReadExecFields", "szExec=%s,\nnShowWin=%d,\nbWait=%d,\nbPreventExit=%d,\nszAlsoCheckFor=%s,\nbNoWin=%d,\n"
          "bShowNotice=%d,\nbErrorShow=%d,\nbStopOnError=%d", pLine->szExec, pLine->nShowWin, pLine->bWait,
          pLine->bPreventExit, pLine->szAlsoCheckFor, pLine->bNoWin, pLine->bShowNotice, pLine->bErrorShow,
          pLine->bStopOnError);
    return kExecLineOk;
}

int fnAskLineQuestion(HWND hwndParent, const char *pszCaption, const char *pszText, unsigned uButtons)
{
    MessageStruct msg;
    fnInitMessage(&msg, kPlaceCenter);
    fnCopyText(msg.szCaption, COUNTOF(msg.szCaption), pszCaption && pszCaption[0] ? pszCaption : g_szTitle);
    fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), pszText);
    msg.uButtons = uButtons;
    return fnShowMessageDialog(hwndParent, &msg);
}

// The question before the launch: 1 launch, 0 skip the line, 7 end the section.
static int fnAskBeforeExec(HWND hwndParent, const ExecLineStruct *pLine)
{
    if (!pLine->szMessage[0])
        return 1;
    switch (fnAskLineQuestion(hwndParent, NULL, pLine->szMessage, pLine->uButtons)) {
    case IDC_MESSAGE_EXIT:
        return kSectionExit;
    case IDC_MESSAGE_CANCEL:
    case IDC_MESSAGE_NO:
    case 0:
        return 0;
    default:
        return 1;
    }
}

static HWND fnOpenNotice(HWND hwndParent, BOOL bShow, UINT uId, const char *pszWhat)
{
    if (!bShow || g_bQuiet)
        return NULL;
    return fnStatusWindow(hwndParent, uId, 2, kPlaceCenter, 0, pszWhat);  // three lines
}

static void fnCloseNotice(HWND hwndNotice)
{
    if (hwndNotice && IsWindow(hwndNotice))
        DestroyWindow(hwndNotice);
}

// What a launch result does to the section: -1 go on, else the section's result.
static int fnAfterLaunch(int iRC, const ExecLineStruct *pLine)
{
    if (iRC == kLaunchStopRequest)
        return kSectionExit;
    if (pLine->bStopOnError && iRC != kLaunchOk)
        return iRC;
    if (iRC == kLaunchStop)
        return kSectionStopFailed;
    return -1;
}

static int fnLaunchLine(HWND hwndParent, const ExecLineStruct *pLine, ExecKindEnum eKind)
{
    fnLogLine("%s, %s, %d, %d", 1, pLine->szExec, pLine->szAlsoCheckFor, pLine->nShowWin, pLine->bWait);
    HWND hwndNotice = fnOpenNotice(hwndParent, pLine->bShowNotice, IDS_EXEC_WAIT, pLine->szExec);
    int iRC;
    if (eKind == kExecShell)
        iRC = fnLaunchError(pLine->szExec, pLine->nShowWin, kErrorSilent);
    else if (eKind == kExecOnTop)
        iRC = fnExecProgramTop(hwndParent, pLine->szExec, pLine->szAlsoCheckFor, pLine->nShowWin, pLine->bWait,
                               pLine->bPreventExit, pLine->bErrorShow, pLine->bNoWin);
    else
        iRC = fnExecProgram(hwndParent, pLine->szExec, pLine->szAlsoCheckFor, pLine->nShowWin, pLine->bWait,
                            pLine->bPreventExit, pLine->bErrorShow, pLine->bNoWin);
    fnCloseNotice(hwndNotice);
    return iRC;
}

// A refused command counts as a launch that failed.
static int fnRefusedLaunch()
{
    return g_bExitOnExecError ? kLaunchStop : kLaunchFailed;
}

enum { kLineSkipped = -1, kLineExit = -2 };

// The question, then the launch: the launch result (a refused command counts
// as a failed launch), kLineSkipped when the answer passed the line over,
// kLineExit when Exit ends the section.
static int fnAskAndLaunch(HWND hwndParent, int iRead, const ExecLineStruct *pLine, ExecKindEnum eKind)
{
    if (iRead != kExecLineOk)
        return fnRefusedLaunch();
    int iAsk = fnAskBeforeExec(hwndParent, pLine);
    if (iAsk == kSectionExit)
        return kLineExit;
    if (iAsk == 0)
        return kLineSkipped;
    return fnLaunchLine(hwndParent, pLine, eKind);
}

static int fnReadChainExecsOf(HWND hwndParent, const char *pszBody, ExecKindEnum eKind)
{
    char szLine[kcchInfLine];
    const char *pszPos = pszBody;
    unsigned uFirst;
    while (fnInfNextFieldLine(&pszPos, szLine, COUNTOF(szLine), &uFirst) > 0) {
        ExecLineStruct line;
        fnInitExecLine(&line);
        int iRead = fnReadExecFields(szLine, uFirst, kcchExec, &line);
        if (iRead == kExecLineMissing)
            return kSectionFailed;
        int iRC = fnAskAndLaunch(hwndParent, iRead, &line, eKind);
        if (iRC == kLineExit)
            return kSectionExit;
        if (iRC == kLineSkipped)
            continue;
        int iEnd = fnAfterLaunch(iRC, &line);
        if (iEnd >= 0)
            return iEnd;
    }
    return kSectionDone;
}

int fnReadChainExecs(HWND hwndParent, const char *pszBody, BOOL bCreateProcess, BOOL bKeepOnTop)
{
    TRACE("fnReadChainExecs", "bCreateProcess=%d,\nbKeepOnTop=%d", bCreateProcess, bKeepOnTop);
    ExecKindEnum eKind = !bCreateProcess ? kExecShell : bKeepOnTop ? kExecOnTop : kExecProcess;
    return fnReadChainExecsOf(hwndParent, pszBody, eKind);
}

// The user, domain and password of a run-as line (positions 1 to 3); 0 when
// the user is missing.
static int fnReadLogonFields(char *pszLine, unsigned uFirst, char *pszUser, char *pszDomain, char *pszPassword,
                             size_t cch)
{
    char szField[kcchInfLine];
    if (!fnInfParseFieldMsg(pszLine, uFirst, szField, COUNTOF(szField)))
        return 0;
    fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszUser, cch, szField);
    char *apszOut[2] = {pszDomain, pszPassword};
    for (unsigned u = 0; u < 2; u++) {
        // The expansion traces what it expands: not while it holds the password.
        unsigned uTraceMode = g_uTraceMode;
        if (u == 1)
            g_uTraceMode = 0;
        if (fnInfParseFieldMsg(pszLine, uFirst + 1 + u, szField, COUNTOF(szField)))
            fnExpandOpts(szField, COUNTOF(szField));
        g_uTraceMode = uTraceMode;
        fnCopyText(apszOut[u], cch, szField);
    }
    SecureZeroMemory(szField, sizeof(szField));
    return 1;
}

int fnReadChainExecsRunAs(HWND hwndParent, const char *pszBody, BOOL bAsUser, BOOL bNetCredentials)
{
    TRACE("fnReadChainExecsRunAs", "bAsUser=%d,\nbNetCredentials=%d", bAsUser, bNetCredentials);
    char szLine[kcchInfLine];
    const char *pszPos = pszBody;
    int iResult = kSectionDone;
    unsigned uFirst;
    while (fnInfNextFieldLine(&pszPos, szLine, COUNTOF(szLine), &uFirst) > 0) {
        char szUser[kcchRunAsField], szDomain[kcchRunAsField], szPassword[kcchRunAsField];
        ExecLineStruct line;
        fnInitExecLine(&line);
        int iRead = kExecLineMissing;
        if (fnReadLogonFields(szLine, uFirst, szUser, szDomain, szPassword, kcchRunAsField))
            iRead = fnReadExecFields(szLine, uFirst + 3, kcchRunAsField, &line);
        // The line holds the password as written: it goes as soon as it is read.
        SecureZeroMemory(szLine, sizeof(szLine));
        int iRC = fnRefusedLaunch(), iAsk = 1;
        if (iRead == kExecLineOk)
            iAsk = fnAskBeforeExec(hwndParent, &line);
        if (iRead == kExecLineOk && iAsk == 1) {
            fnLogLine("%s, %s, %d, %d", 1, line.szExec, line.szAlsoCheckFor, line.nShowWin, line.bWait);
            HWND hwndNotice = fnOpenNotice(hwndParent, line.bShowNotice, IDS_EXEC_WAIT, line.szExec);
            iRC = bAsUser ? fnExecProgramAs(hwndParent, szUser, szDomain, szPassword, line.szExec, line.szAlsoCheckFor,
                                            line.nShowWin, line.bWait, line.bPreventExit, line.bErrorShow, line.bNoWin,
                                            bNetCredentials)
                          : fnExecProgram(hwndParent, line.szExec, line.szAlsoCheckFor, line.nShowWin, line.bWait,
                                          line.bPreventExit, line.bErrorShow, line.bNoWin);
            fnCloseNotice(hwndNotice);
        }
        SecureZeroMemory(szPassword, sizeof(szPassword));
        if (iRead == kExecLineMissing)
            return kSectionFailed;
        if (iAsk == kSectionExit)
            return kSectionExit;
        if (iAsk == 0)
            continue;
        int iEnd = fnAfterLaunch(iRC, &line);
        if (iEnd >= 0) {
            iResult = iEnd;
            break;
        }
    }
    return iResult;
}

// The existence (wildcards allowed) and version test of a [TestAndExec]
// line: 1 the line runs, 0 it is passed over, -1 a field is missing.
static int fnTestAndExecTest(char *pszLine, unsigned uFirst)
{
    char szTestFile[kcchPath], szCondition[kcchInfLine], szVs[kcchInfLine], szRunIf[kcchInfLine];
    if (!fnInfParseFieldMsg(pszLine, uFirst, szCondition, COUNTOF(szCondition)))
        return -1;
    fnExpandOpts(szCondition, COUNTOF(szCondition));
    fnCopyText(szTestFile, COUNTOF(szTestFile), szCondition);
    if (!fnInfParseFieldMsg(pszLine, uFirst + 1, szCondition, COUNTOF(szCondition)) ||
        !fnInfParseFieldMsg(pszLine, uFirst + 2, szVs, COUNTOF(szVs)) ||
        !fnInfParseFieldMsg(pszLine, uFirst + 3, szRunIf, COUNTOF(szRunIf)))
        return -1;
    szCondition[2] = '\0';
    szVs[kcchTestVs - 1] = '\0';
    WIN32_FIND_DATAA fd;
    CFindHandle hFind(FindFirstFileA(szTestFile, &fd));
    TRACE("fnTestAndExecs", "szTestFile=%s,\nszTestCondition=%s,\nszTestVs=%s,\nbExists=%d", szTestFile, szCondition,
          szVs, hFind.IsValid());
    if (!hFind.IsValid())
        return fnIsYes(szRunIf) ? 0 : 1;
    hFind.fnClose();
    return fnTestFileVersion(szTestFile, szCondition, szVs) ? 1 : 0;
}

int fnTestAndExecs(HWND hwndParent, const char *pszBody, BOOL bCreateProcess)
{
    TRACE("fnTestAndExecs", "bCreateProcess=%d", bCreateProcess);
    char szLine[kcchInfLine];
    const char *pszPos = pszBody;
    unsigned uFirst;
    while (fnInfNextFieldLine(&pszPos, szLine, COUNTOF(szLine), &uFirst) > 0) {
        int iTest = fnTestAndExecTest(szLine, uFirst);
        char szAction[kcchInfLine];
        if (iTest < 0 || !fnInfParseFieldMsg(szLine, uFirst + 4, szAction, COUNTOF(szAction)))
            return kSectionFailed;
        ExecLineStruct line;
        fnInitExecLine(&line);
        int iRead = fnReadExecFields(szLine, uFirst + 5, kcchExecShort, &line);
        if (iRead == kExecLineMissing)
            return kSectionFailed;
        if (iTest == 0)
            continue;
        int iRC = fnAskAndLaunch(hwndParent, iRead, &line, kExecProcess);
        if (iRC == kLineExit)
            return kSectionExit;
        if (iRC == kLineSkipped)
            continue;
        if (iRC == kLaunchStopRequest)
            return kSectionExit;
        if (line.bStopOnError && iRC != kLaunchOk)
            return kSectionFailed;
        char cAction = fnUpperChar(fnSkipBlanks(szAction)[0]);
        if (cAction == 'X')
            return kSectionExit;
        if (cAction == 'B')
            return kSectionDone;
    }
    return kSectionDone;
}

int fnExecSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *, const char *)
{
    const char *pszBody = fnInfSectionBody(pszSection);
    if (fnTextEqualI(pszHeader, "[ShellExec]"))
        return fnReadChainExecs(hwndMain, pszBody, FALSE, FALSE);
    return fnReadChainExecs(hwndMain, pszBody, TRUE, fnTextEqualI(pszHeader, "[ExecOnTop]"));
}

int fnRunAsSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *, const char *)
{
    BOOL bNet = fnTextEqualI(pszHeader, "[ExecAsNet]") || fnTextEqualI(pszHeader, "[RunAsNet]");
    return fnReadChainExecsRunAs(hwndMain, fnInfSectionBody(pszSection), TRUE, bNet);
}

int fnTestAndExecSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnTestAndExecs(hwndMain, fnInfSectionBody(pszSection), TRUE);
}
