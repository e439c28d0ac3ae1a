// Selectors that read the run state: the answers of the dialogs, the default
// settings, the value tables, directories, registry entries and values,
// check boxes, string checks and the account; and "@%NAME%", the environment.
#include <windows.h>

#include "expand/expand_selectors.h"
#include "expand/expand_text.h"
#include "run/run_state.h"
#include "run/trace.h"
#include "base/scrambler.h"
#include "run/text.h"

// Copies a table entry or other text into the value buffer; a cut is traced.
void fnCopyValue(char *pszValue, size_t cchValue, const char *pszText)
{
    if (!fnCopyText(pszValue, cchValue, pszText))
        TRACE("fnExpandOpts", "Value cut to %u characters:\n%s", (unsigned)(cchValue - 1), pszValue);
}

namespace {

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

}  // namespace

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

namespace {

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

}  // namespace

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

namespace {

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

}  // namespace

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
