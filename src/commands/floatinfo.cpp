// The [FloatInfo] section: caption, message, button text, placement and wait
// of one floating message window.
#include "commands/floatinfo.h"

#include "expand/expand.h"
#include "run/float_window.h"
#include "run/message.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/input.h"

enum { kcchFloatButtonKept = 18 };

// A text value of the section: the expanded text replaces the raw one only
// when the expansion works.
static void fnTakeExpanded(const char *pszValue, char *pszOut, size_t cchOut)
{
    char szExpanded[kcchInfLine];
    fnCopyText(szExpanded, COUNTOF(szExpanded), pszValue);
    if (fnExpandOpts(szExpanded, COUNTOF(szExpanded)) != -1)
        fnCopyText(pszOut, cchOut, szExpanded);
    else
        fnCopyText(pszOut, cchOut, pszValue);
}

enum { kFloatLineFailed = 0, kFloatLineGoOn = 1, kFloatLineSkipSection = 2 };

// Reads one line into the record: a kFloatLine* result.
static int fnReadFloatLine(char *pszLine, MessageStruct *pMsg, BOOL *pbWait)
{
    int iAction = fnInfLineAction(fnInfTestIfTwoFields(pszLine, kcchInfLine));
    if (iAction == kLinePass)
        return kFloatLineGoOn;
    if (iAction == kLineEndSection)
        return kFloatLineSkipSection;
    char szKey[kcchInfLine];
    if (!fnInfParseField(pszLine, 0, szKey, COUNTOF(szKey)))
        return kFloatLineFailed;
    char szValue[kcchInfLine];
    if (!fnInfParseFieldMsg(pszLine, 1, szValue, COUNTOF(szValue)))
        return kFloatLineFailed;
    if (fnTextEqualI(szKey, "Caption")) {
        fnTakeExpanded(szValue, pMsg->szCaption, COUNTOF(pMsg->szCaption));
    } else if (fnTextEqualI(szKey, "Message")) {
        fnTakeExpanded(szValue, pMsg->szMessage, COUNTOF(pMsg->szMessage));
    } else if (fnTextEqualI(szKey, "Wait")) {
        *pbWait = fnIsYes(szValue);
    } else if (fnTextEqualI(szKey, "ButtonText")) {
        if (szValue[0])
            fnCopyTextN(pMsg->szButtonText, COUNTOF(pMsg->szButtonText), szValue, kcchFloatButtonKept);
    } else if (fnTextEqualI(szKey, "WinPosition")) {
        int iCode = fnPlacementCode(szValue);
        if (iCode)
            pMsg->uPosition = (unsigned)iCode;
    }
    return kFloatLineGoOn;
}

int fnReadFloatWindow(HWND hwndMain, char *pszSection)
{
    const char *pszPos = fnInfSectionBody(pszSection);
    if (!pszPos || !*pszPos)
        return kSectionDone;

    MessageStruct msg;
    fnInitMessage(&msg, kPlaceBottomCenter);
    fnCopyText(msg.szCaption, COUNTOF(msg.szCaption), g_szTitle);
    BOOL bWait = FALSE;
    char szLine[kcchInfLine];
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        int iLine = fnReadFloatLine(szLine, &msg, &bWait);
        if (iLine == kFloatLineFailed)
            return kSectionFailed;
        // The window is the section's one effect: a skip shows none.
        if (iLine == kFloatLineSkipSection)
            return kSectionDone;
    }
    TRACE("fnReadFloatWindow", "bWait=%d,\nMessageStruct.szMessage=%s", bWait, msg.szMessage);
    if (!msg.szMessage[0])
        return kSectionFailed;
    return fnShowFloatWindow(hwndMain, &msg, bWait);
}
