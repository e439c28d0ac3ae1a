// Command-line splitting and switch parsing.
//
// A switch is an argument beginning with "-"; its second character, in either
// case, selects it. A switch that takes a value finds "x=" (x its letter, any
// case) in the argument and takes everything after it; an empty value leaves
// the switch without effect. File and directory values are stored upper-cased.
#include <stddef.h>
#include <string.h>

#include "run/cmdline.h"
#include "run/text.h"

namespace {

// Parsing state that lives across arguments.
struct ParseState {
    int bIniNamed;  // "-i=" seen: bare arguments no longer name the script
};

struct SwitchContext {
    const char *pszArg;
    CmdLineStruct *pCmd;
    CmdRunStruct *pRun;
    ParseState *pState;
};

// The value after "x=" in the argument, or NULL when there is none or it is empty.
const char *fnSwitchValue(const char *pszArg, char chSwitch)
{
    const char szFind[3] = {chSwitch, '=', '\0'};
    const char *pszAt = fnFindTextI(pszArg, szFind);
    if (!pszAt || pszAt[2] == '\0')
        return NULL;
    return pszAt + 2;
}

void fnCopyUpper(char *pszDst, size_t cchDst, const char *pszSrc)
{
    fnCopyText(pszDst, cchDst, pszSrc);
    fnUpperText(pszDst);
}

// Decimal number at the start of the text (digits only; none gives 0).
unsigned fnParseDecimal(const char *psz)
{
    unsigned uValue = 0;
    for (; *psz >= '0' && *psz <= '9'; psz++)
        uValue = uValue * 10 + (unsigned)(*psz - '0');
    return uValue;
}

// Names the external script (upper-cased).
void fnSetScript(const SwitchContext &ctx, const char *pszFile)
{
    fnCopyUpper(ctx.pCmd->szIniFile, COUNTOF(ctx.pCmd->szIniFile), pszFile);
    ctx.pRun->bExternalInf = 1;
}

void fnSwitchStartHere(const SwitchContext &ctx)
{
    fnCopyText(ctx.pRun->szStartHere, COUNTOF(ctx.pRun->szStartHere), ctx.pszArg + 1);
}

void fnSwitchAskFor(const SwitchContext &ctx)
{
    if (const char *pszValue = fnSwitchValue(ctx.pszArg, 'a'))
        fnCopyUpper(ctx.pCmd->szAskFor, COUNTOF(ctx.pCmd->szAskFor), pszValue);
}

void fnSwitchCmdFile(const SwitchContext &ctx)
{
    if (const char *pszValue = fnSwitchValue(ctx.pszArg, 'c'))
        fnCopyUpper(ctx.pCmd->szCmdFile, COUNTOF(ctx.pCmd->szCmdFile), pszValue);
}

void fnSwitchDestDir(const SwitchContext &ctx)
{
    if (const char *pszValue = fnSwitchValue(ctx.pszArg, 'd'))
        fnCopyUpper(ctx.pCmd->szDestDir, COUNTOF(ctx.pCmd->szDestDir), pszValue);
}

void fnSwitchConvertIni(const SwitchContext &ctx)
{
    if (const char *pszValue = fnSwitchValue(ctx.pszArg, 'e')) {
        fnSetScript(ctx, pszValue);
        ctx.pRun->uInfConvert = 1;
    }
}

void fnSwitchIniFile(const SwitchContext &ctx)
{
    if (const char *pszValue = fnSwitchValue(ctx.pszArg, 'i')) {
        fnSetScript(ctx, pszValue);
        ctx.pState->bIniNamed = 1;
    }
}

void fnSwitchMessage(const SwitchContext &ctx)
{
    if (const char *pszValue = fnSwitchValue(ctx.pszArg, 'm')) {
        fnCopyText(ctx.pCmd->szMessage, COUNTOF(ctx.pCmd->szMessage), pszValue);
        ctx.pCmd->bMessage = 1;
    }
}

void fnSwitchNoDirPrompt(const SwitchContext &ctx)
{
    ctx.pCmd->bNoDirPrompt = 1;
}

// Quiet hides the window at once; a later "-w=" can still show it. "-q=2"
// is also unattended.
void fnSwitchQuiet(const SwitchContext &ctx)
{
    ctx.pCmd->bQuiet = 1;
    ctx.pRun->uShowVSWin = 0;
    if (const char *pszValue = fnSwitchValue(ctx.pszArg, 'q'))
        ctx.pCmd->bUnattended = fnParseDecimal(pszValue) == 2;
}

void fnSwitchEventLog(const SwitchContext &ctx)
{
    if (const char *pszValue = fnSwitchValue(ctx.pszArg, 'l'))
        fnCopyText(ctx.pCmd->szEventLog, COUNTOF(ctx.pCmd->szEventLog), pszValue);
}

void fnSwitchSourceDir(const SwitchContext &ctx)
{
    if (const char *pszValue = fnSwitchValue(ctx.pszArg, 's'))
        fnCopyUpper(ctx.pCmd->szSourceDir, COUNTOF(ctx.pCmd->szSourceDir), pszValue);
}

void fnSwitchTempExec(const SwitchContext &ctx)
{
    ctx.pCmd->bTempExec = 1;
}

// "-u=...file=NAME": the script is converted from the other format.
void fnSwitchUpgradeIni(const SwitchContext &ctx)
{
    const char *pszValue = fnSwitchValue(ctx.pszArg, 'u');
    if (!pszValue)
        return;
    const char *pszFile = fnFindTextI(pszValue, "file=");
    if (!pszFile || pszFile[5] == '\0')
        return;
    fnSetScript(ctx, pszFile + 5);
    ctx.pRun->uInfConvert = 2;
}

// "-v" alone traces at level 1; "-v=N" at level N.
void fnSwitchTrace(const SwitchContext &ctx)
{
    const char *pszValue = fnSwitchValue(ctx.pszArg, 'v');
    ctx.pRun->uTraceMode = pszValue ? fnParseDecimal(pszValue) : 1;
}

void fnSwitchShowWindow(const SwitchContext &ctx)
{
    if (const char *pszValue = fnSwitchValue(ctx.pszArg, 'w'))
        ctx.pRun->uShowVSWin = fnParseDecimal(pszValue);
}

struct SwitchEntry {
    char chSwitch;  // upper case
    void (*pfnHandle)(const SwitchContext &ctx);
};

const SwitchEntry s_aSwitches[] = {
    {'[', fnSwitchStartHere},   {'A', fnSwitchAskFor},     {'C', fnSwitchCmdFile},
    {'D', fnSwitchDestDir},     {'E', fnSwitchConvertIni}, {'I', fnSwitchIniFile},
    {'L', fnSwitchEventLog},    {'M', fnSwitchMessage},     {'N', fnSwitchNoDirPrompt}, {'Q', fnSwitchQuiet},
    {'S', fnSwitchSourceDir},   {'T', fnSwitchTempExec},   {'U', fnSwitchUpgradeIni},
    {'V', fnSwitchTrace},       {'W', fnSwitchShowWindow},
};

void fnHandleSwitch(const SwitchContext &ctx)
{
    char chSwitch = fnUpperChar(ctx.pszArg[1]);
    for (const SwitchEntry &entry : s_aSwitches) {
        if (entry.chSwitch == chSwitch) {
            entry.pfnHandle(ctx);
            return;
        }
    }
    // Unknown letters are ignored.
}

// A bare argument names the script unless "-i=" already did.
void fnHandleBare(const SwitchContext &ctx)
{
    if (ctx.pState->bIniNamed || ctx.pszArg[0] == '\0')
        return;
    fnSetScript(ctx, ctx.pszArg);
}

}  // namespace

void fnSplitCmdLine(const char *pszCmdLine, CmdArgsStruct *pArgs)
{
    if (!pArgs)
        return;
    pArgs->uCount = 0;
    if (!pszCmdLine)
        return;
    const char *p = pszCmdLine;
    for (;;) {
        while (fnIsBlank(*p))
            p++;
        if (*p == '\0')
            return;
        // Arguments beyond the table are still read over, then dropped.
        char szDropped[1];
        int bKeep = pArgs->uCount < kuMaxCmdArgs;
        char *pszOut = bKeep ? pArgs->szArg[pArgs->uCount] : szDropped;
        size_t cchRoom = bKeep ? (size_t)kcchCmdArg : 1;
        size_t cch = 0;
        int bQuote = 0;
        for (; *p && (bQuote || !fnIsBlank(*p)); p++) {
            if (*p == '"')
                bQuote = !bQuote;
            else if (cch + 1 < cchRoom)
                pszOut[cch++] = *p;
        }
        pszOut[cch] = '\0';
        if (bKeep)
            pArgs->uCount++;
    }
}

int fnParseCmdArgs(const CmdArgsStruct *pArgs, CmdLineStruct *pCmd, CmdRunStruct *pRun)
{
    if (!pCmd || !pRun)
        return 0;
    memset(pCmd, 0, sizeof(*pCmd));
    if (!pArgs || pArgs->uCount <= 1)
        return 0;
    ParseState state = {0};
    unsigned uCount = pArgs->uCount < (unsigned)kuMaxCmdArgs ? pArgs->uCount : (unsigned)kuMaxCmdArgs;
    for (unsigned u = 1; u < uCount; u++) {
        SwitchContext ctx = {pArgs->szArg[u], pCmd, pRun, &state};
        if (ctx.pszArg[0] != '-') {
            fnHandleBare(ctx);
            continue;
        }
        if (ctx.pszArg[1] == '?')
            return 3;
        fnHandleSwitch(ctx);
    }
    return 1;
}

char fnSwitchLetter(int i)
{
    return i >= 0 && i < (int)COUNTOF(s_aSwitches) ? s_aSwitches[i].chSwitch : '\0';
}
