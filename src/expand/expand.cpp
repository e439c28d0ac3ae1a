// The scanner of the expansion language and the selectors that read the run
// state. The text is read left to right and the result built in a local
// buffer, so the one nesting the language has (an inline function expanding
// its arguments) needs no saving and restoring of shared buffers. The result
// and every value are bounded: a value that does not fit is cut and traced.
#include <windows.h>

#include "expand/expand.h"
#include "expand/expand_selectors.h"
#include "expand/expand_text.h"
#include "run/run_state.h"
#include "run/trace.h"
#include "base/scrambler.h"
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
};

typedef const char *(*PFN_ENTRY)(unsigned uIndex);

int fnIsDigitChar(char c)
{
    return c >= '0' && c <= '9';
}

// 1 and the digit when c is a digit from uLow to uHigh.
int fnDigitIn(char c, unsigned uLow, unsigned uHigh, unsigned *puDigit)
{
    if (!fnIsDigitChar(c))
        return 0;
    unsigned u = (unsigned)(c - '0');
    if (u < uLow || u > uHigh)
        return 0;
    *puDigit = u;
    return 1;
}

// Copies a table entry or other text into the value buffer; a cut is traced.
void fnCopyValue(char *pszValue, size_t cchValue, const char *pszText)
{
    if (!fnCopyText(pszValue, cchValue, pszText))
        TRACE("fnExpandOpts", "Value cut to %u characters:\n%s", (unsigned)(cchValue - 1), pszValue);
}

// ---- Forms with an index and field digits: "@An[f[t]]" ------------------

int fnFieldForm(const char *pszArgs, unsigned uLow, unsigned uHigh, PFN_ENTRY pfnEntry, int bTruncation,
                char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    unsigned uIndex = 0;
    if (!fnDigitIn(pszArgs[0], uLow, uHigh, &uIndex))
        return kSelFailAt;
    fnCopyValue(pszValue, cchValue, pfnEntry(uIndex));
    *pcchUsed = 1;
    if (fnIsDigitChar(pszArgs[1])) {
        fnSelectField(pszValue, cchValue, (unsigned)(pszArgs[1] - '0'), g_szExpandDelims);
        *pcchUsed = 2;
        unsigned uKeep = 0;
        if (bTruncation && fnDigitIn(pszArgs[2], 1, 9, &uKeep)) {
            fnTruncateText(pszValue, uKeep);
            *pcchUsed = 3;
        }
    }
    return kSelOk;
}

// Nothing fills the F and G tables: their entries are always empty.
const char *fnEmptyEntry(unsigned) { return ""; }

const char *fnAskEntry(unsigned n) { return g_szAskForResponse[n - 1]; }
const char *fnComboEntry(unsigned n) { return g_szFromComboResponse[n - 1]; }
const char *fnListEntry(unsigned n) { return g_szFromListResponse[n - 1]; }
const char *fnDefaultEntry(unsigned n) { return g_szDefaultSetting[n - 1]; }
const char *fnSetValueEntry(unsigned n) { return g_szSetValues[n]; }
const char *fnFunResultEntry(unsigned n) { return g_szFunResults[n]; }

int fnSelAsk(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    return fnFieldForm(pszArgs, 1, kuAnswers, fnAskEntry, 1, pszValue, cchValue, pcchUsed);
}

int fnSelCombo(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    return fnFieldForm(pszArgs, 1, kuAnswers, fnComboEntry, 0, pszValue, cchValue, pcchUsed);
}

int fnSelList(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    return fnFieldForm(pszArgs, 1, kuAnswers, fnListEntry, 0, pszValue, cchValue, pcchUsed);
}

// "@P1".."@P9": the tenth value read has no variable.
int fnSelDefault(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    return fnFieldForm(pszArgs, 1, kuDefaultSettings - 1, fnDefaultEntry, 0, pszValue, cchValue, pcchUsed);
}

int fnSelSetValue(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    return fnFieldForm(pszArgs, 0, kuSetValues - 1, fnSetValueEntry, 1, pszValue, cchValue, pcchUsed);
}

int fnSelG(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    return fnFieldForm(pszArgs, 0, kuGTable - 1, fnEmptyEntry, 1, pszValue, cchValue, pcchUsed);
}

// "@_d": a stored inline-function result (the call form is the scanner's).
int fnSelFunResult(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    return fnFieldForm(pszArgs, 0, kuFunResults - 1, fnFunResultEntry, 1, pszValue, cchValue, pcchUsed);
}

// ---- Forms with an index and a path-part digit: "@Dn[p]" ----------------

struct PathFormStruct {
    unsigned uLow, uHigh;  // index digits
    PFN_ENTRY pfnEntry;
    const char *pszBare;   // value of the letter alone (without a trailing "\"), NULL: an index is required
    unsigned uParts;       // 4: drive, directory, without drive, last; 3: drive, directory, last
    int bFormFailsAtLetter;  // a part that cannot be formed resumes at the letter, not after it
};

int fnPathForm(const PathFormStruct *pForm, const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    unsigned uIndex = 0;
    if (!fnDigitIn(pszArgs[0], pForm->uLow, pForm->uHigh, &uIndex)) {
        if (!pForm->pszBare)
            return kSelFailAt;
        fnCopyValue(pszValue, cchValue, pForm->pszBare);
        fnStripTrailingBackslash(pszValue);
        *pcchUsed = 0;
        return kSelOk;
    }
    fnCopyValue(pszValue, cchValue, pForm->pfnEntry(uIndex));
    *pcchUsed = 1;
    if (!fnIsDigitChar(pszArgs[1]))
        return kSelOk;
    unsigned uPart = (unsigned)(pszArgs[1] - '0');
    if (uPart >= pForm->uParts)
        return kSelFailSelector;
    static const PathPart aFour[4] = {kPartDrive, kPartDirectory, kPartNoDrive, kPartLast};
    static const PathPart aThree[3] = {kPartDrive, kPartDirectory, kPartLast};
    PathPart ePart = pForm->uParts == 4 ? aFour[uPart] : aThree[uPart];
    char szPart[kcchExpanded];
    if (!fnPathPart(pszValue, ePart, szPart, COUNTOF(szPart)))
        return pForm->bFormFailsAtLetter ? kSelFailSelector : kSelFailIndex;
    fnCopyValue(pszValue, cchValue, szPart);
    *pcchUsed = 2;
    return kSelOk;
}

const char *fnDirEntry(unsigned n) { return n <= kuDirs ? g_szDirs[n - 1] : ""; }
const char *fnRegEntryEntry(unsigned n) { return g_szRegEntries[n]; }
const char *fnSourceEntry(unsigned n) { return g_szSourceDirs[n - 1]; }
const char *fnRegValueEntry(unsigned n) { return g_szRegValues[n]; }

int fnSelDir(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    const PathFormStruct form = {1, 9, fnDirEntry, g_szDestDir, 4, 0};
    return fnPathForm(&form, pszArgs, pszValue, cchValue, pcchUsed);
}

int fnSelRegEntry(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    const PathFormStruct form = {0, kuRegEntries - 1, fnRegEntryEntry, g_szRegEntry, 4, 0};
    return fnPathForm(&form, pszArgs, pszValue, cchValue, pcchUsed);
}

int fnSelSource(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    const PathFormStruct form = {1, kuSourceDirs, fnSourceEntry, g_szSourceDir, 4, 0};
    return fnPathForm(&form, pszArgs, pszValue, cchValue, pcchUsed);
}

int fnSelF(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    const PathFormStruct form = {1, kuFTable, fnEmptyEntry, NULL, 3, 0};
    return fnPathForm(&form, pszArgs, pszValue, cchValue, pcchUsed);
}

// "@Kn[p]": a registry value read by a registry section. "-NOTFOUND-" stands
// for a value that was not there: it gives the empty text without counting
// as an empty variable.
int fnSelRegValue(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    unsigned uIndex = 0;
    if (fnDigitIn(pszArgs[0], 0, kuRegValues - 1, &uIndex) && strcmp(g_szRegValues[uIndex], "-NOTFOUND-") == 0) {
        pszValue[0] = '\0';
        unsigned uPart = 0;
        *pcchUsed = fnDigitIn(pszArgs[1], 0, 2, &uPart) ? 2 : 1;
        return kSelOkKeepFlag;
    }
    const PathFormStruct form = {0, kuRegValues - 1, fnRegValueEntry, NULL, 3, 1};
    return fnPathForm(&form, pszArgs, pszValue, cchValue, pcchUsed);
}

// ---- Other run-state forms -----------------------------------------------

// "@Brc": check box c of group r, "Y" or "N".
int fnSelCheck(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    unsigned uGroup = 0;
    unsigned uBox = 0;
    if (!fnDigitIn(pszArgs[0], 1, kuCheckGroups, &uGroup))
        return kSelFailAt;
    if (!fnDigitIn(pszArgs[1], 1, kuCheckBoxes, &uBox))
        return kSelFailSelector;
    char cState = g_cCheckStates[uGroup - 1][uBox - 1];
    if (!cState)
        return kSelFailSelector;
    char szState[2] = {cState, '\0'};
    fnCopyValue(pszValue, cchValue, szState);
    *pcchUsed = 2;
    return kSelOk;
}

// "@Id[d]": a string-search result, entries 0 to 15.
int fnSelStringCheck(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    if (!fnIsDigitChar(pszArgs[0]))
        return kSelFailAt;
    unsigned uIndex = (unsigned)(pszArgs[0] - '0');
    *pcchUsed = 1;
    if (fnIsDigitChar(pszArgs[1])) {
        uIndex = uIndex * 10 + (unsigned)(pszArgs[1] - '0');
        *pcchUsed = 2;
    }
    if (uIndex >= kuStringChecks)
        return kSelFailAt;
    fnFormatText(pszValue, cchValue, "%u", g_uStringChecks[uIndex]);
    return kSelOk;
}

// "@U0" the user name, "@U1" the password (unscrambled on a copy), "@U" nothing.
int fnSelAccount(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    pszValue[0] = '\0';
    *pcchUsed = 0;
    if (!fnIsDigitChar(pszArgs[0]))
        return kSelOk;
    if (pszArgs[0] == '0') {
        fnCopyValue(pszValue, cchValue, g_szUserName);
    } else if (pszArgs[0] == '1') {
        char szPassword[kcchUserName];
        fnCopyText(szPassword, COUNTOF(szPassword), g_szPassword);
        if (fnDeCryptString(szPassword))
            fnCopyValue(pszValue, cchValue, szPassword);
        SecureZeroMemory(szPassword, sizeof(szPassword));
    } else {
        return kSelFailAt;
    }
    *pcchUsed = 1;
    return kSelOk;
}

// An environment variable; 1 set (perhaps empty), 0 not set. A value longer
// than the buffer is read whole and cut.
int fnGetEnvironment(const char *pszName, char *pszValue, size_t cchValue)
{
    SetLastError(NO_ERROR);
    DWORD cch = GetEnvironmentVariableA(pszName, pszValue, (DWORD)cchValue);
    if (cch == 0) {
        pszValue[0] = '\0';
        return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    }
    if (cch < cchValue)
        return 1;
    char *pszWhole = (char *)HeapAlloc(GetProcessHeap(), 0, cch);
    if (!pszWhole) {
        pszValue[0] = '\0';
        return 0;
    }
    DWORD cchWhole = GetEnvironmentVariableA(pszName, pszWhole, cch);
    int bRC = cchWhole > 0 && cchWhole < cch;
    if (bRC)
        fnCopyValue(pszValue, cchValue, pszWhole);
    HeapFree(GetProcessHeap(), 0, pszWhole);
    return bRC;
}

// "@%NAME%".
int fnSelEnv(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    size_t cchName = 0;
    for (; pszArgs[cchName] && pszArgs[cchName] != '%'; cchName++) {
        if (strchr(" \t\r\n", pszArgs[cchName]))
            return kSelFailAt;
    }
    if (cchName == 0 || pszArgs[cchName] != '%')
        return kSelFailAt;
    char szName[kcchExpanded];
    if (!fnCopyTextN(szName, COUNTOF(szName), pszArgs, cchName) || !fnGetEnvironment(szName, pszValue, cchValue))
        return kSelFailAt;
    *pcchUsed = cchName + 1;
    return kSelOk;
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
          pszSource, pScan->pszString, pScan->build.pszBuffer, pScan->build.pszBuffer + pScan->build.cchUsed,
          pScan->szExpanded);
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
    TRACE("fnExpandOpts - process final strings", "szExpanded=%s,\nszTarget=%s", pszValue, pScan->build.pszBuffer);
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
    TRACE("fnExpandOpts", "lpszString=%s,\nlpszExpanded=%s,\nszTarget=%s", pszText, scan.szExpanded, szTarget);
    if (scan.build.bCut)
        TRACE("fnExpandOpts", "The result was cut to %u characters:\n%s", (unsigned)(scan.build.cchBuffer - 1),
              szTarget);
    fnCopyText(pszText, cchText, szTarget);
    return scan.iCode;
}
