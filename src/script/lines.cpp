// Script line syntax. Everything here works in place on the loaded script text
// (or on a caller's line buffer), allocates nothing and walks each text once.
//
// A line ends at CR, LF or NUL; a run of CR and LF is one line end, so blank
// lines never reach the caller. The script text ends at its first NUL.
#include <stddef.h>
#include <string.h>

#include "script/lines.h"
#include "run/text.h"

namespace {

int fnIsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

int fnIsSpaceOrLineEnd(char c)
{
    return fnIsBlank(c) || fnIsLineEnd(c);
}

const char *fnSkipLineEnds(const char *psz)
{
    while (fnIsLineEnd(*psz))
        psz++;
    return psz;
}

// End of the line starting at psz: its CR, LF or NUL.
const char *fnLineEnd(const char *psz)
{
    while (*psz && !fnIsLineEnd(*psz))
        psz++;
    return psz;
}

// Copies up to cchLine - 1 characters of the line at pszPos and returns where
// copying stopped (a line end, the NUL, or the middle of an over-long line, whose
// rest then reads as a line of its own).
const char *fnCopyRawLine(const char *pszPos, char *pszLine, size_t cchLine)
{
    size_t cch = 0;
    while (*pszPos && !fnIsLineEnd(*pszPos) && cch + 1 < cchLine)
        pszLine[cch++] = *pszPos++;
    pszLine[cch] = '\0';
    return pszPos;
}

// ---- Separator scanning -------------------------------------------------
//
// "=" and "," separate fields only outside double quotes and outside
// parentheses, so fnXxx(a,b) and "a,b" each stay one field. Parentheses do not
// nest: a "(" toggles the state (a second "(" leaves it again) and a ")" always
// leaves it. A quote inside parentheses is plain text, and so is a parenthesis
// inside quotes.
struct ScanState {
    int bQuote;
    int bParen;
};

// Advances the state over c; 1 when c is a separator at this point.
int fnScanChar(ScanState *pState, char c)
{
    if (pState->bParen) {
        if (c == '(' || c == ')')
            pState->bParen = 0;
        return 0;
    }
    if (c == '"') {
        pState->bQuote = !pState->bQuote;
        return 0;
    }
    if (pState->bQuote)
        return 0;
    if (c == '(') {
        pState->bParen = 1;
        return 0;
    }
    return c == '=' || c == ',';
}

// The next separator at or after psz, or the line's NUL when there is none.
char *fnNextSeparator(char *psz, ScanState *pState)
{
    for (; *psz; psz++) {
        if (fnScanChar(pState, *psz))
            return psz;
    }
    return psz;
}

// Copies the field text [pszStart, pszEnd) into pszOut: leading blanks and line
// ends skipped; outside parentheses a quote that opens quoting is dropped and a
// closing one kept; then trailing blanks, line ends and quotes removed. So a
// field written "a,b" gives a,b.
void fnCopyFieldValue(const char *pszStart, const char *pszEnd, char *pszOut, size_t cchOut)
{
    while (pszStart < pszEnd && fnIsSpaceOrLineEnd(*pszStart))
        pszStart++;
    ScanState state = {0, 0};
    size_t cch = 0;
    for (const char *p = pszStart; p < pszEnd && cch + 1 < cchOut; p++) {
        int bOpening = !state.bParen && !state.bQuote && *p == '"';
        fnScanChar(&state, *p);
        if (!bOpening)
            pszOut[cch++] = *p;
    }
    while (cch > 0 && fnIsSpaceOrLineEnd(pszOut[cch - 1]))
        cch--;
    while (cch > 0 && pszOut[cch - 1] == '"')
        cch--;
    pszOut[cch] = '\0';
}

// Copies the field text [pszStart, pszEnd) with its quotes as written, blanks
// and line ends around it removed. A value wrapped in a pair of quotes, with
// every quote inside it doubled, loses the pair and each doubled quote
// becomes one: "a, b" gives a, b and "/x ""C:\D""" gives /x "C:\D". Any
// other value keeps all its quotes: /x "C:\D" stays as it is.
void fnCopyQuotedValue(const char *pszStart, const char *pszEnd, char *pszOut, size_t cchOut)
{
    while (pszStart < pszEnd && fnIsSpaceOrLineEnd(*pszStart))
        pszStart++;
    while (pszEnd > pszStart && fnIsSpaceOrLineEnd(pszEnd[-1]))
        pszEnd--;
    int bWrapped = pszEnd - pszStart >= 2 && *pszStart == '"' && pszEnd[-1] == '"';
    for (const char *p = pszStart + 1; bWrapped && p < pszEnd - 1; p++) {
        if (*p != '"')
            continue;
        if (p + 1 >= pszEnd - 1 || p[1] != '"')
            bWrapped = 0;  // a lone quote inside: the outer ones are no pair
        p++;
    }
    if (bWrapped) {
        pszStart++;
        pszEnd--;
    }
    size_t cch = 0;
    for (const char *p = pszStart; p < pszEnd && cch + 1 < cchOut; p++) {
        pszOut[cch++] = *p;
        if (bWrapped && *p == '"')
            p++;  // the second of a doubled quote
    }
    pszOut[cch] = '\0';
}

// The span of field uField of the line (see fnInfParseField): 1 with
// [*ppszStart, *ppszEnd) set, 0 when the field is missing.
int fnFieldSpan(char *pszLine, unsigned uField, char **ppszStart, const char **ppszEnd)
{
    ScanState state = {0, 0};
    char *pszSep = fnNextSeparator(pszLine, &state);
    int bKeyed = *pszSep == '=';
    if (uField == 0) {
        if (!bKeyed)
            return 0;
        *ppszStart = pszLine;
        *ppszEnd = pszSep;
        return 1;
    }

    char *pszStart = pszLine;
    if (bKeyed) {
        if (pszSep[1] == '=')
            pszSep[1] = '?';  // "Key==Value" reads as "Key=?Value"
        pszStart = pszSep + 1;
    }
    state.bQuote = 0;
    state.bParen = 0;
    for (unsigned u = 1; u < uField; u++) {
        char *pszNext = fnNextSeparator(pszStart, &state);
        if (*pszNext == '\0')
            return 0;
        pszStart = pszNext + 1;
    }
    ScanState stateEnd = state;
    *ppszStart = pszStart;
    *ppszEnd = fnNextSeparator(pszStart, &stateEnd);
    return 1;
}

// Compares the trimmed text [pszStart, pszEnd) with the trimmed pszText, any case.
int fnSpanEqualI(const char *pszStart, const char *pszEnd, const char *pszText)
{
    while (pszStart < pszEnd && fnIsBlank(*pszStart))
        pszStart++;
    while (pszEnd > pszStart && fnIsBlank(pszEnd[-1]))
        pszEnd--;
    pszText = fnSkipBlanks(pszText);
    size_t cchText = strlen(pszText);
    while (cchText > 0 && fnIsBlank(pszText[cchText - 1]))
        cchText--;
    size_t cchSpan = (size_t)(pszEnd - pszStart);
    return cchSpan == cchText && fnTextEqualNI(pszStart, pszText, cchSpan);
}

// Outside double quotes: the first "=" or (when bComma) "," at or after psz, or NULL.
const char *fnFindOutsideQuotes(const char *psz, int bComma)
{
    int bQuote = 0;
    for (; *psz; psz++) {
        if (*psz == '"')
            bQuote = !bQuote;
        else if (!bQuote && (*psz == '=' || (bComma && *psz == ',')))
            return psz;
    }
    return NULL;
}

}  // namespace

const char *fnInfReadLine(const char *pszPos, char *pszLine, size_t cchLine)
{
    if (!pszPos || !pszLine || cchLine < 2)
        return NULL;
    int bSkipped = 0;
    while (*pszPos) {
        pszPos = fnSkipLineEnds(fnCopyRawLine(pszPos, pszLine, cchLine));
        fnTrimBlanks(pszLine);
        if (pszLine[0] == '[') {
            pszLine[0] = '\0';
            return NULL;
        }
        if (pszLine[0] != '\0' && pszLine[0] != ';')
            return pszPos;
        bSkipped = 1;
    }
    // The text ended after skipped comments: the caller sees an empty buffer,
    // not the comment last copied into it.
    if (bSkipped)
        pszLine[0] = '\0';
    return pszPos;
}

typedef void (*PFN_COPYVALUE)(const char *pszStart, const char *pszEnd, char *pszOut, size_t cchOut);

static int fnParseFieldWith(char *pszLine, unsigned uField, char *pszOut, size_t cchOut, PFN_COPYVALUE pfnCopy)
{
    if (!pszOut || cchOut == 0)
        return 0;
    pszOut[0] = '\0';
    char *pszStart = NULL;
    const char *pszEnd = NULL;
    if (!pszLine || !fnFieldSpan(pszLine, uField, &pszStart, &pszEnd))
        return 0;
    pfnCopy(pszStart, pszEnd, pszOut, cchOut);
    return 1;
}

int fnInfParseField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut)
{
    return fnParseFieldWith(pszLine, uField, pszOut, cchOut, fnCopyFieldValue);
}

int fnInfParseFieldQuoted(char *pszLine, unsigned uField, char *pszOut, size_t cchOut)
{
    return fnParseFieldWith(pszLine, uField, pszOut, cchOut, fnCopyQuotedValue);
}

// A header line may carry a comment after its "]": "[Registry] ; user
// settings" is the header "[Registry]". Anything else after the "]" makes
// the line no header, and the whole line is compared.
static const char *fnHeaderSpanEnd(const char *pszStart, const char *pszEnd)
{
    const char *p = pszStart;
    while (p < pszEnd && fnIsBlank(*p))
        p++;
    if (p == pszEnd || *p != '[')
        return pszEnd;
    while (p < pszEnd && *p != ']')
        p++;
    if (p == pszEnd)
        return pszEnd;
    const char *pszClose = p + 1;
    for (p = pszClose; p < pszEnd && fnIsBlank(*p); p++) {
    }
    return (p < pszEnd && *p == ';') ? pszClose : pszEnd;
}

const char *fnInfSectionBody(const char *pszSection)
{
    if (!pszSection)
        return NULL;
    return fnSkipLineEnds(fnLineEnd(pszSection));
}

int fnInfLineAction(int iTest)
{
    if (iTest == IDTEST_FALSE || iTest == IDTEST_CONTINUE)
        return kLinePass;
    if (iTest == IDTEST_SKIPSECTION)
        return kLineEndSection;
    return kLineProcess;
}

const char *fnInfFindSection(const char *pszText, const char *pszHeader, int bStopAtEnd)
{
    if (!pszText || !pszHeader)
        return NULL;
    const char *pszPos = pszText;
    while (*pszPos) {
        const char *pszEnd = fnLineEnd(pszPos);
        // Lines compare as they would in a line buffer: at most its capacity.
        const char *pszCut = pszEnd;
        if ((size_t)(pszCut - pszPos) > kcchInfLine - 1)
            pszCut = pszPos + (kcchInfLine - 1);
        pszCut = fnHeaderSpanEnd(pszPos, pszCut);
        if (fnSpanEqualI(pszPos, pszCut, pszHeader))
            return fnSkipLineEnds(pszEnd);
        if (bStopAtEnd && fnSpanEqualI(pszPos, pszCut, "[End]"))
            return NULL;
        pszPos = fnSkipLineEnds(pszEnd);
    }
    return NULL;
}

unsigned fnInfCountLines(const char *pszText, const char *pszHeader, unsigned uMax)
{
    const char *pszPos = pszHeader ? fnInfFindSection(pszText, pszHeader, 1) : pszText;
    char szLine[kcchInfLine];
    unsigned uCount = 0;
    while (pszPos && uCount < uMax) {
        szLine[0] = '\0';
        pszPos = fnInfReadLine(pszPos, szLine, COUNTOF(szLine));
        if (!pszPos || szLine[0] == '\0')
            break;
        uCount++;
    }
    return uCount;
}

const char *fnInfFindHeader(const char *pszPos)
{
    if (!pszPos)
        return NULL;
    while (*pszPos) {
        const char *pszFirst = fnSkipBlanks(pszPos);
        if (*pszFirst == '[')
            return pszFirst;
        pszPos = fnSkipLineEnds(fnLineEnd(pszFirst));
    }
    return NULL;
}

int fnInfHeaderOf(const char *pszSection, char *pszOut, size_t cchOut)
{
    if (!pszOut || cchOut == 0)
        return 0;
    pszOut[0] = '\0';
    if (!pszSection)
        return 0;
    const char *pszOpen = fnSkipBlanks(pszSection);
    if (*pszOpen != '[')
        return 0;
    const char *pszEnd = pszOpen;
    while (*pszEnd && !fnIsLineEnd(*pszEnd) && *pszEnd != ']')
        pszEnd++;
    if (*pszEnd == ']')
        pszEnd++;
    fnCopyTextN(pszOut, cchOut, pszOpen, (size_t)(pszEnd - pszOpen));
    return 1;
}

const char *fnInfConditionRemainder(const char *pszLine)
{
    if (!pszLine)
        return NULL;
    const char *pszKeyEq = fnFindOutsideQuotes(pszLine, 0);
    if (!pszKeyEq)
        return NULL;
    // The quote state is "outside" at each hit, so scanning can restart there.
    const char *pszNext = fnFindOutsideQuotes(pszKeyEq + 1, 1);
    if (!pszNext)
        return NULL;
    const char *pszRest = *pszNext == ',' ? pszNext + 1 : pszNext;
    const char *pszHit = fnFindOutsideQuotes(pszRest, 1);
    return (pszHit && *pszHit == '=') ? pszRest : NULL;
}

int fnInfIsGuardLine(const char *pszLine)
{
    static const char *const s_apszGuards[] = {
        "SkipIfTrue:",          "ProcessIfTrue:",      "SkipIfFileExists",
        "ProcessIfFileExists", "ProcessIfFileNotFound",
    };
    if (!pszLine)
        return 0;
    for (const char *pszGuard : s_apszGuards) {
        if (fnTextBeginsI(pszLine, pszGuard))
            return 1;
    }
    return 0;
}
