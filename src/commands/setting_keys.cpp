#include "commands/keywords.h"

#include "accounts/domain.h"
#include "commands/keyword_words.h"
#include "expand/expand.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/lines.h"
#include "resource.h"

int fnKeyYesNo(char *pszLine, BOOL *pbFlag)
{
    char szField[kcchInfLine];
    fnInfParseField(pszLine, 1, szField, COUNTOF(szField));
    int iYesNo = fnYesNoField(szField);
    if (iYesNo == kYesNoOther)
        return 0;
    *pbFlag = iYesNo == kYesNoYes;
    return 1;
}

int fnKeyText(char *pszLine, char *pszOut, size_t cchOut)
{
    char szField[kcchInfLine];
    if (!fnInfParseField(pszLine, 1, szField, COUNTOF(szField)))
        return 0;
    fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, szField);
    return 1;
}

int fnKeyBeQuiet(char *pszLine)
{
    char szField[kcchInfLine];
    fnInfParseField(pszLine, 1, szField, COUNTOF(szField));
    int iYesNo = fnYesNoField(szField);
    if (iYesNo == kYesNoYes) {
        g_uShowVSWin = 0;
        g_bQuiet = TRUE;
    } else if (iYesNo == kYesNoNo) {
        g_bQuiet = FALSE;
    }
    return iYesNo != kYesNoOther;
}

int fnKeyOnExit(char *pszLine)
{
    char szAction[kcchInfLine];
    fnInfParseField(pszLine, 1, szAction, COUNTOF(szAction));
    unsigned uAction = fnOnExitCode(szAction);
    if (uAction == 0)
        return 0;
    char szArg[kcchInfLine];
    int bArg = fnInfParseField(pszLine, 2, szArg, COUNTOF(szArg)) && szArg[0];
    if (bArg)
        fnExpandOpts(szArg, COUNTOF(szArg));
    switch (uAction) {
    case 2:
    case 7:
        // An exit program action without a program is no action.
        g_uOnExit = bArg ? uAction : 0;
        if (bArg)
            fnCopyText(g_szExitExec, COUNTOF(g_szExitExec), szArg);
        break;
    case 6:
        g_uOnExit = uAction;
        if (bArg)
            fnCopyText(g_szRestartMsg, COUNTOF(g_szRestartMsg), szArg);
        else
            fnLoadText(IDS_RESTART_ASK, g_szRestartMsg, COUNTOF(g_szRestartMsg));
        break;
    default:
        g_uOnExit = uAction;
        break;
    }
    return 1;
}

int fnKeyBackUpMethod(char *pszLine)
{
    char szField[kcchInfLine];
    fnInfParseField(pszLine, 1, szField, COUNTOF(szField));
    unsigned uMethod = fnBackUpMethodCode(szField);
    if (uMethod == 0)
        return 0;
    g_uBackUpMethod = uMethod;
    return 1;
}

int fnKeyWinPause(char *pszLine)
{
    char szField[kcchInfLine];
    if (!fnInfParseField(pszLine, 1, szField, COUNTOF(szField)))
        return 0;
    unsigned uMs = fnDecimalValue(szField);
    g_uWinPause = uMs > 1000 ? 1000 : uMs;
    return 1;
}

int fnKeySleep(char *pszLine)
{
    char szField[kcchInfLine];
    // Without a value (or an empty one) one second.
    unsigned uSeconds = fnInfParseField(pszLine, 1, szField, COUNTOF(szField)) && szField[0] ? fnDecimalValue(szField)
                                                                                             : 1;
    // A second at a time: a long sleep cannot overflow the millisecond count.
    for (unsigned u = 0; u < uSeconds; u++)
        fnWaitPumping(1000);
    return 1;
}

int fnKeyComputerName(char *pszLine)
{
    char szName[kcchInfLine];
    return fnKeyText(pszLine, szName, COUNTOF(szName)) && szName[0] ? fnSetComputerName(szName) : 0;
}
