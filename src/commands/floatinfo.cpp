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

// Reads one line into the record: 1 go on, 0 the section fails.
static int fnReadFloatLine(char *pszLine, MessageStruct *pMsg, BOOL *pbWait)
{
    int iTest = fnInfTestIfTwoFields(pszLine, kcchInfLine);
    if (iTest == IDTEST_CONTINUE || iTest == IDTEST_FALSE)
        return 1;
    if (iTest == IDTEST_SKIPSECTION)
        return 0;
    char szKey[kcchInfLine];
    if (!fnInfParseField(pszLine, 0, szKey, COUNTOF(szKey)))
        return 0;
    char szValue[kcchInfLine];
    if (!fnInfParseFieldMsg(pszLine, 1, szValue, COUNTOF(szValue)))
        return 0;
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
    return 1;
}

int fnReadFloatWindow(HWND hwndMain, char *pszSection)
{
    char szHeader[kcchInfLine];
    fnInfHeaderOf(pszSection, szHeader, COUNTOF(szHeader));
    const char *pszPos = fnInfFindSection(pszSection, szHeader, 0);
    if (!pszPos || !*pszPos)
        return 1;

    MessageStruct msg;
    fnInitMessage(&msg, kPlaceBottomCenter);
    fnCopyText(msg.szCaption, COUNTOF(msg.szCaption), g_szTitle);
    BOOL bWait = FALSE;
    char szLine[kcchInfLine];
    for (;;) {
        szLine[0] = '\0';
        pszPos = fnInfNextLine(pszPos, szLine, COUNTOF(szLine));
        if (!pszPos || !szLine[0])
            break;
        if (!fnReadFloatLine(szLine, &msg, &bWait))
            return 0;
    }
    TRACE("fnReadFloatWindow", "bWait=%d,\nMessageStruct.szMessage=%s", bWait, msg.szMessage);
    if (!msg.szMessage[0])
        return 0;
    return fnShowFloatWindow(hwndMain, &msg, bWait);
}
