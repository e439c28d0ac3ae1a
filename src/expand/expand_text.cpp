// Text rules of the expansion language. Every routine walks its text once and
// writes only through bounded copies, so a long value is cut, never spilled.
#include <stddef.h>
#include <string.h>

#include "expand/expand_text.h"

#include "base/path_text.h"
#include "run/text.h"

namespace {

int fnIsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int fnIsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int fnIsPathSeparator(char c)
{
    return c == '\\' || c == '/' || c == ':';
}

// Copies [pszStart, pszEnd) into pszOut: 1 whole, 0 cut.
int fnCopySpan(const char *pszStart, const char *pszEnd, char *pszOut, size_t cchOut)
{
    return fnCopyTextN(pszOut, cchOut, pszStart, (size_t)(pszEnd - pszStart));
}

// Position of the n-th backslash (from 1) of a text, or NULL.
const char *fnNthBackslash(const char *pszPath, unsigned uNth)
{
    for (const char *p = pszPath; *p; p++) {
        if (*p == '\\' && --uNth == 0)
            return p;
    }
    return NULL;
}

// Length of the drive part: "C:" or "\\server\share" (up to the fourth
// backslash); 0 when the path has none.
size_t fnDriveLength(const char *pszPath)
{
    if (pszPath[0] && pszPath[1] == ':')
        return 2;
    if (pszPath[0] == '\\' && pszPath[1] == '\\') {
        const char *pszFourth = fnNthBackslash(pszPath, 4);
        size_t cch = pszFourth ? (size_t)(pszFourth - pszPath) : strlen(pszPath);
        return cch > 2 ? cch : 0;
    }
    return 0;
}

// The last character of the path for which pfnIsSeparator holds, or NULL.
const char *fnLastOf(const char *pszPath, int (*pfnIsSeparator)(char))
{
    const char *pszLast = NULL;
    for (const char *p = pszPath; *p; p++) {
        if (pfnIsSeparator(*p))
            pszLast = p;
    }
    return pszLast;
}

int fnDirectoryPart(const char *pszPath, char *pszOut, size_t cchOut)
{
    const char *pszSep = fnLastOf(pszPath, fnIsPathSeparator);
    if (!pszSep)
        return 0;
    const char *pszEnd = pszSep;
    // A root keeps its separator: "C:\x" gives "C:\", "C:x" gives "C:",
    // "\x" gives "\" and "\\server\share\x" gives "\\server\share\".
    if (*pszSep == ':' || pszSep == pszPath || pszSep[-1] == ':')
        pszEnd = pszSep + 1;
    size_t cchDrive = fnDriveLength(pszPath);
    if (pszPath[0] == '\\' && cchDrive && (size_t)(pszEnd - pszPath) <= cchDrive) {
        if (!fnCopySpan(pszPath, pszPath + cchDrive, pszOut, cchOut))
            return 0;
        return fnAppendText(pszOut, cchOut, "\\");
    }
    return fnCopySpan(pszPath, pszEnd, pszOut, cchOut);
}

int fnNoDrivePart(const char *pszPath, char *pszOut, size_t cchOut)
{
    const char *p = pszPath;
    if (p[0] && p[1] == ':') {
        p++;
        while (*p == ':' || *p == '\\')
            p++;
    }
    return fnCopyText(pszOut, cchOut, p);
}

int fnLastPart(const char *pszPath, char *pszOut, size_t cchOut)
{
    const char *pszSep = fnLastOf(pszPath, fnIsPathSeparator);
    if (!pszSep)
        return 0;
    return fnCopyText(pszOut, cchOut, pszSep + 1);
}

}  // namespace

void fnBuildStart(TextBuildStruct *pBuild, char *pszBuffer, size_t cchBuffer)
{
    pBuild->pszBuffer = pszBuffer;
    pBuild->cchBuffer = cchBuffer;
    pBuild->cchUsed = 0;
    pBuild->bCut = 0;
    if (cchBuffer)
        pszBuffer[0] = '\0';
}

void fnBuildChar(TextBuildStruct *pBuild, char c)
{
    if (pBuild->cchUsed + 1 >= pBuild->cchBuffer) {
        pBuild->bCut = 1;
        return;
    }
    pBuild->pszBuffer[pBuild->cchUsed++] = c;
    pBuild->pszBuffer[pBuild->cchUsed] = '\0';
}

void fnBuildText(TextBuildStruct *pBuild, const char *pszText)
{
    if (pBuild->cchBuffer == 0) {
        pBuild->bCut = pszText[0] != '\0';
        return;
    }
    char *pszEnd = pBuild->pszBuffer + pBuild->cchUsed;
    size_t cchRoom = pBuild->cchBuffer - pBuild->cchUsed;
    if (!fnCopyText(pszEnd, cchRoom, pszText))
        pBuild->bCut = 1;
    pBuild->cchUsed += strlen(pszEnd);
}

int fnTakePiece(const char *pszText, size_t cchText, const char *pszDelims, unsigned uIndex, char *pszOut,
                size_t cchOut)
{
    if (cchOut)
        pszOut[0] = '\0';
    if (uIndex == 0)
        return kPieceMissing;
    const char *pszStart = pszText;
    const char *pszEnd = pszText;
    const char *pszLimit = pszText + strnlen(pszText, cchText);
    unsigned uPiece = 1;
    int bQuote = 0;
    for (;; pszEnd++) {
        int bEnd = pszEnd == pszLimit;
        if (!bEnd && *pszEnd == '"')
            bQuote = !bQuote;
        int bSplit = bEnd || (!bQuote && *pszEnd && strchr(pszDelims, *pszEnd));
        if (!bSplit)
            continue;
        if (uPiece == uIndex)
            break;
        if (bEnd)
            return kPieceMissing;
        uPiece++;
        pszStart = pszEnd + 1;
    }
    while (pszStart < pszEnd && fnIsSpace(*pszStart))
        pszStart++;
    while (pszEnd > pszStart && fnIsSpace(pszEnd[-1]))
        pszEnd--;
    if (pszEnd - pszStart >= 2 && *pszStart == '"' && pszEnd[-1] == '"') {
        pszStart++;
        pszEnd--;
    }
    return fnCopySpan(pszStart, pszEnd, pszOut, cchOut) ? kPieceFound : kPieceCut;
}

unsigned fnReadSelectorNumber(const char *psz, unsigned *puValue)
{
    if (!fnIsDigit(psz[0]))
        return 0;
    // The value of all the digits decides how many belong to the variable:
    // one when it is 9 or less ("@W08" is "@W0" and the text "8"), else two.
    unsigned long uAll = 0;
    for (const char *p = psz; fnIsDigit(*p); p++) {
        if (uAll < 100000ul)
            uAll = uAll * 10 + (unsigned long)(*p - '0');
    }
    if (uAll <= 9) {
        *puValue = (unsigned)(psz[0] - '0');
        return 1;
    }
    *puValue = (unsigned)uAll;
    return 2;
}

int fnSelectField(char *pszValue, size_t cchValue, unsigned uField, const char *pszDelims)
{
    char szField[kcchExpanded];
    int iRC = fnTakePiece(pszValue, cchValue, pszDelims, uField == 0 ? 1 : uField, szField, COUNTOF(szField));
    fnCopyText(pszValue, cchValue, szField);
    return iRC != kPieceMissing;
}

void fnTruncateText(char *pszText, size_t cchKeep)
{
    if (strnlen(pszText, cchKeep + 1) > cchKeep)
        pszText[cchKeep] = '\0';
}

int fnPathPart(const char *pszPath, PathPart ePart, char *pszOut, size_t cchOut)
{
    if (cchOut == 0)
        return 0;
    pszOut[0] = '\0';
    int bRC = 0;
    switch (ePart) {
    case kPartDrive: {
        size_t cch = fnDriveLength(pszPath);
        bRC = cch && fnCopySpan(pszPath, pszPath + cch, pszOut, cchOut);
        break;
    }
    case kPartDirectory:
        bRC = fnDirectoryPart(pszPath, pszOut, cchOut);
        break;
    case kPartNoDrive:
        bRC = fnNoDrivePart(pszPath, pszOut, cchOut);
        break;
    case kPartLast:
        bRC = fnLastPart(pszPath, pszOut, cchOut);
        break;
    }
    if (!bRC || !pszOut[0]) {
        pszOut[0] = '\0';
        return 0;
    }
    return 1;
}

int fnEscapeChar(char cEscape, char *pcOut)
{
    static const struct {
        char cFrom;
        char cTo;
    } aEscapes[] = {
        {'"', '"'},  {'q', '"'},  {'\'', '\''}, {'s', '\''}, {',', ','},  {'c', ','},  {'=', '='},  {'e', '='},
        {'<', '<'},  {'l', '<'},  {'>', '>'},   {'g', '>'},   {'?', '?'},  {'\\', '\\'}, {'a', '\a'}, {'b', '\b'},
        {'f', '\f'}, {'n', '\n'}, {'r', '\r'},  {'t', '\t'},  {'v', '\v'}, {'z', '\0'},
    };
    for (const auto &escape : aEscapes) {
        if (escape.cFrom == cEscape) {
            *pcOut = escape.cTo;
            return 1;
        }
    }
    return 0;
}

void fnBarPath(char *pszText)
{
    for (; *pszText; pszText++) {
        if (*pszText == '\\')
            *pszText = '|';
    }
}

int fnCutAtMark(char *pszText)
{
    for (char *p = pszText; *p; p++) {
        if (p[0] == '@' && (p[1] == 'Z' || p[1] == 'z')) {
            *p = '\0';
            return 1;
        }
    }
    return 0;
}

void fnStripTrailingBackslash(char *pszText)
{
    size_t cch = strlen(pszText);
    if (cch && pszText[cch - 1] == '\\')
        pszText[cch - 1] = '\0';
}

// Copies a path part without its double quotes.
static int fnCopyUnquoted(char *pszOut, size_t cchOut, const char *pszText)
{
    TextBuildStruct build;
    fnBuildStart(&build, pszOut, cchOut);
    for (; *pszText; pszText++) {
        if (*pszText != '"')
            fnBuildChar(&build, *pszText);
    }
    return !build.bCut;
}

int fnJoinPathParts(char *pszOut, size_t cchOut, const char *pszFirst, const char *pszSecond)
{
    char szFirst[kcchExpanded];
    char szSecond[kcchExpanded];
    int bWhole = fnCopyUnquoted(szFirst, COUNTOF(szFirst), pszFirst);
    bWhole = fnCopyUnquoted(szSecond, COUNTOF(szSecond), pszSecond) && bWhole;
    if (!szFirst[0])
        return fnCopyText(pszOut, cchOut, szSecond) && bWhole;
    size_t cchFirst = strlen(szFirst);
    while (cchFirst && szFirst[cchFirst - 1] == '\\')
        szFirst[--cchFirst] = '\0';
    const char *pszRest = szSecond;
    while (*pszRest == '\\')
        pszRest++;
    if (!*pszRest)
        return fnCopyText(pszOut, cchOut, szFirst) && bWhole;
    return fnPathJoinWith(pszOut, cchOut, szFirst, pszRest, fnNextByte) && bWhole;
}

void fnFirstLineTrimmed(char *pszText)
{
    pszText[strcspn(pszText, "\r\n")] = '\0';
    fnTrimBlanks(pszText);
}

const char *fnOSFamilyCode(unsigned uWinPlatform, unsigned long dwMajor, unsigned long dwMinor, unsigned uWinOS)
{
    if (uWinPlatform <= 1)
        return "W31";
    if (uWinPlatform == 2)
        return dwMinor == 0 ? "W95" : dwMinor < 90 ? "W98" : "WME";
    if (dwMajor <= 4)
        return "WNT";
    if (dwMajor > 5)
        return "WVS";
    // 7 XP Home, 8 XP and 9 XP 64 are all of the XP family.
    return (uWinOS >= 7 && uWinOS <= 9) ? "WXP" : "W2K";
}
