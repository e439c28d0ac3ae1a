// The scanner of the expansion language: the text is read left to right and
// each "@" handed to its selector. The result is built in a local buffer, so
// the one nesting the language has (an inline function expanding its
// arguments) needs no saving and restoring of shared buffers. The result and
// every value are bounded: a value that does not fit is cut and traced.
#include <windows.h>

#include "expand/expand.h"
#include "expand/expand_selectors.h"
#include "expand/expand_text.h"
#include "run/run_state.h"
#include "run/trace.h"
#include "run/text.h"

namespace {

enum { kModShort = 1, kModLong = 2, kModBar = 4 };

struct ExpandScanStruct {
    const char *pszString;          // the caller's text
    TextBuildStruct build;          // the result
    char szExpanded[kcchExpanded];  // value of the variable being expanded
    int iCode;                      // result code so far: 0, 1 or -1
    int bAllNonEmpty;               // no variable has been empty yet
    unsigned uModifiers;            // kMod* pending for the next value
    int bCutMark;                   // "@Z" seen
    int bSecret;                    // the text uses the password ("@U1"): the trace shows no values
};

const char kszMasked[] = "********";

// What the trace may show of a value of this expansion.
const char *fnTraceValue(const ExpandScanStruct *pScan, const char *pszValue)
{
    return pScan->bSecret ? kszMasked : pszValue;
}

struct SelectorRowStruct {
    char cSelector;
    PFN_SELECTOR pfnSelector;
};

const SelectorRowStruct g_aSelectors[] = {
    {'A', fnSelAsk},      {'B', fnSelCheck},    {'C', fnSelCombo},       {'D', fnSelDir},
    {'E', fnSelRegEntry}, {'F', fnSelF},        {'G', fnSelG},           {'H', fnSelSource},
    {'I', fnSelStringCheck}, {'K', fnSelRegValue}, {'L', fnSelList},     {'M', fnSelMachine},
    {'N', fnSelUser},     {'P', fnSelDefault},  {'S', fnSelSystem},      {'U', fnSelAccount},
    {'V', fnSelVersion},  {'W', fnSelFolder},   {'$', fnSelSetValue},    {'%', fnSelEnv},
    {'_', fnSelFunResult},
};

PFN_SELECTOR fnFindSelector(char cSelector)
{
    for (const SelectorRowStruct &row : g_aSelectors) {
        if (row.cSelector == cSelector)
            return row.pfnSelector;
    }
    return NULL;
}

// ---- The scanner -----------------------------------------------------------

void fnShortOrLongPath(char *pszValue, size_t cchValue, int bLong)
{
    char szPath[kcchExpanded];
    DWORD cch = 0;
    if (bLong)
        cch = GetLongPathNameA(pszValue, szPath, COUNTOF(szPath));
    else
        cch = GetShortPathNameA(pszValue, szPath, COUNTOF(szPath));
    if (cch > 0 && cch < COUNTOF(szPath))
        fnCopyValue(pszValue, cchValue, szPath);
}

void fnTraceLoop(const ExpandScanStruct *pScan, const char *pszSource)
{
    TRACE("fnExpandOpts Begin Loop", "lpszSource=%s,\nlpszString=%s,\nszTarget=%s,\nlpszTmp=%s,\nszExpanded=%s",
          pszSource, pScan->pszString, fnTraceValue(pScan, pScan->build.pszBuffer),
          fnTraceValue(pScan, pScan->build.pszBuffer + pScan->build.cchUsed), fnTraceValue(pScan, pScan->szExpanded));
}

// Appends the finished value of szExpanded. bTest: an empty value counts as
// an empty variable (the simple selectors and escapes skip that test).
void fnAppendValue(ExpandScanStruct *pScan, int bTest)
{
    char *pszValue = pScan->szExpanded;
    if (pszValue[0]) {
        if (pScan->uModifiers & kModShort)
            fnShortOrLongPath(pszValue, COUNTOF(pScan->szExpanded), 0);
        if (pScan->uModifiers & kModLong)
            fnShortOrLongPath(pszValue, COUNTOF(pScan->szExpanded), 1);
        if (pScan->uModifiers & kModBar)
            fnBarPath(pszValue);
    }
    TRACE("fnExpandOpts - process final strings", "szExpanded=%s,\nszTarget=%s", fnTraceValue(pScan, pszValue),
          fnTraceValue(pScan, pScan->build.pszBuffer));
    if (bTest && !pszValue[0])
        pScan->bAllNonEmpty = 0;
    fnBuildText(&pScan->build, pszValue);
    pScan->iCode = pScan->bAllNonEmpty ? 1 : -1;
    pScan->uModifiers = 0;
}

void fnAppendSimple(ExpandScanStruct *pScan, const char *pszText)
{
    fnCopyText(pScan->szExpanded, COUNTOF(pScan->szExpanded), pszText);
    fnAppendValue(pScan, 0);
}

// A variable that failed: it counts as empty, and copying resumes where its
// kind of failure says. Returns the next source position.
const char *fnFailVariable(ExpandScanStruct *pScan, const char *pszAt, int iFail)
{
    pScan->bAllNonEmpty = 0;
    pScan->iCode = -1;
    pScan->uModifiers = 0;
    pScan->szExpanded[0] = '\0';
    if (iFail == kSelFailSelector)
        return pszAt + 1;
    if (iFail == kSelFailIndex)
        return pszAt + 2;
    fnBuildChar(&pScan->build, '@');
    return pszAt + 1;
}

// The "@" stays as text and the rest is scanned as text: no variable.
const char *fnNotAVariable(ExpandScanStruct *pScan, const char *pszAt)
{
    pScan->uModifiers = 0;
    fnBuildChar(&pScan->build, '@');
    return pszAt + 1;
}

// "@_fnName(arguments)": the call ends at the first ")".
const char *fnExpandCall(ExpandScanStruct *pScan, const char *pszAt)
{
    const char *pszCall = pszAt + 2;
    TRACE("fnExpandOpts", "in _fn()  lpszSource=%s,\nszFun=%s,\nlpszFunTmp=%s,\nszFunTarget=%s", pszAt, pszCall,
          pScan->build.pszBuffer + pScan->build.cchUsed, pScan->build.pszBuffer);
    const char *pszClose = strchr(pszCall, ')');
    char szFun[kcchExpandTarget];
    if (!pszClose || !fnCopyTextN(szFun, COUNTOF(szFun), pszCall, (size_t)(pszClose - pszCall)))
        return fnFailVariable(pScan, pszAt, kSelFailAt);
    char szFunExpanded[kcchFunResult] = "";
    TRACE("fnExpandOpts before fnParseFun()", "szFun=%s", szFun);
    if (!fnParseFun(szFun, szFunExpanded, COUNTOF(szFunExpanded)))
        return fnFailVariable(pScan, pszAt, kSelFailAt);
    fnCopyText(g_szFunResults[g_uFunResult], COUNTOF(g_szFunResults[g_uFunResult]), szFunExpanded);
    if (g_uFunResult < kuFunResults - 1)
        g_uFunResult++;
    TRACE("fnExpandOpts return from fnParseFun()", "szFunExpanded=%s,\ng_uFunResult=%u", szFunExpanded, g_uFunResult);
    fnCopyText(pScan->szExpanded, COUNTOF(pScan->szExpanded), szFunExpanded);
    fnAppendValue(pScan, 1);
    return pszClose + 1;
}

// One variable at pszAt (an "@"); returns where scanning goes on.
const char *fnExpandVariable(ExpandScanStruct *pScan, const char *pszAt)
{
    fnTraceLoop(pScan, pszAt);
    char c = pszAt[1];
    if (!c)
        return fnNotAVariable(pScan, pszAt);
    const char *pszArgs = pszAt + 2;
    char cSelector = fnUpperChar(c);
    switch (cSelector) {
    case '@': fnAppendSimple(pScan, "@"); return pszArgs;
    case '.': fnAppendSimple(pScan, ""); return pszArgs;
    case 'Q': fnAppendSimple(pScan, "\""); return pszArgs;
    case 'R': fnAppendSimple(pScan, "\r\n"); return pszArgs;
    case 'T': fnAppendSimple(pScan, "\t"); return pszArgs;
    case '~': pScan->uModifiers |= kModShort; return pszArgs;
    case '#': pScan->uModifiers |= kModLong; return pszArgs;
    case '|': pScan->uModifiers |= kModBar; return pszArgs;
    case 'Z': {
        // The mark stays as written; the result is cut at it at the end.
        char szMark[3] = {'@', c, '\0'};
        pScan->bCutMark = 1;
        fnAppendSimple(pScan, szMark);
        return pszArgs;
    }
    case '\\': {
        char cEscaped = 0;
        if (!fnEscapeChar(pszArgs[0], &cEscaped))
            return fnNotAVariable(pScan, pszAt);
        char szEscaped[2] = {cEscaped, '\0'};
        fnAppendSimple(pScan, szEscaped);
        return pszArgs + 1;
    }
    case '_':
        if (fnUpperChar(pszArgs[0]) == 'F' && fnUpperChar(pszArgs[1]) == 'N')
            return fnExpandCall(pScan, pszAt);
        break;
    default:
        break;
    }
    PFN_SELECTOR pfnSelector = fnFindSelector(cSelector);
    if (!pfnSelector)
        return fnNotAVariable(pScan, pszAt);
    pScan->szExpanded[0] = '\0';
    size_t cchUsed = 0;
    int iRC = pfnSelector(pszArgs, pScan->szExpanded, COUNTOF(pScan->szExpanded), &cchUsed);
    if (iRC == kSelOk || iRC == kSelOkKeepFlag) {
        fnAppendValue(pScan, iRC == kSelOk);
        return pszArgs + cchUsed;
    }
    return fnFailVariable(pScan, pszAt, iRC);
}

}  // namespace

int fnExpandOpts(char *pszText, size_t cchText)
{
    if (!pszText || cchText == 0)
        return 0;
    size_t cchSource = strnlen(pszText, cchText);
    if (cchSource == cchText)  // not terminated within its buffer
        pszText[--cchSource] = '\0';
    if (!memchr(pszText, '@', cchSource))
        return 0;

    ExpandScanStruct scan;
    char szTarget[kcchExpandTarget];
    fnBuildStart(&scan.build, szTarget, cchText < COUNTOF(szTarget) ? cchText : COUNTOF(szTarget));
    scan.pszString = pszText;
    scan.szExpanded[0] = '\0';
    scan.iCode = 0;
    scan.bAllNonEmpty = 1;
    scan.uModifiers = 0;
    scan.bCutMark = 0;
    scan.bSecret = fnFindTextI(pszText, "@U1") != NULL;

    const char *p = pszText;
    while (*p) {
        if (*p == '@') {
            p = fnExpandVariable(&scan, p);
            continue;
        }
        fnBuildChar(&scan.build, *p++);
        scan.uModifiers = 0;
    }
    if (scan.bCutMark)
        fnCutAtMark(szTarget);
    TRACE("fnExpandOpts", "lpszString=%s,\nlpszExpanded=%s,\nszTarget=%s", pszText, fnTraceValue(&scan, scan.szExpanded),
          fnTraceValue(&scan, szTarget));
    if (scan.build.bCut)
        TRACE("fnExpandOpts", "The result was cut to %u characters:\n%s", (unsigned)(scan.build.cchBuffer - 1),
              fnTraceValue(&scan, szTarget));
    fnCopyText(pszText, cchText, szTarget);
    return scan.iCode;
}
