// The text of the event log. Values arrive as UTF-8 (the Windows half
// converts them from the ANSI code page); a record cut for room stays valid
// JSON: escapes and UTF-8 sequences are written whole or not at all.
#include "run/event_log_text.h"

#include <string.h>

#include "run/text.h"

namespace {

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
size_t fnUtf8Length(unsigned char c)
{
    if (c >= 0xF0 && c <= 0xF7)
        return 4;
    if (c >= 0xE0)
        return c <= 0xEF ? 3 : 1;
    if (c >= 0xC0)
        return 2;
    return 1;
}

// The escape of one character below 0x80 that JSON does not allow as it is, or NULL.
const char *fnShortEscape(unsigned char c)
{
    switch (c) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    case '\b': return "\\b";
    case '\f': return "\\f";
    default: return NULL;
    }
}

size_t fnEscapeInto(char *pszOut, size_t cchOut, const char *pszText, int *pbWhole)
{
    static const char kszHex[] = "0123456789abcdef";
    *pbWhole = 1;
    if (cchOut == 0)
        return 0;
    size_t cch = 0;
    const unsigned char *p = (const unsigned char *)(pszText ? pszText : "");
    while (*p) {
        char szUnit[8];
        size_t cchUnit;
        size_t cchTake = 1;
        if (const char *pszEscape = fnShortEscape(*p)) {
            cchUnit = strlen(pszEscape);
            memcpy(szUnit, pszEscape, cchUnit);
        } else if (*p < 0x20) {
            memcpy(szUnit, "\\u00", 4);
            szUnit[4] = kszHex[*p >> 4];
            szUnit[5] = kszHex[*p & 15];
            cchUnit = 6;
        } else {
            cchTake = fnUtf8Length(*p);
            size_t u = 1;
            while (u < cchTake && (p[u] & 0xC0) == 0x80)
                u++;
            if (u < cchTake)  // a broken sequence: its lead byte alone
                cchTake = 1;
            cchUnit = cchTake;
            memcpy(szUnit, p, cchUnit);
        }
        if (cch + cchUnit >= cchOut) {
            *pbWhole = 0;
            break;
        }
        memcpy(pszOut + cch, szUnit, cchUnit);
        cch += cchUnit;
        p += cchTake;
    }
    pszOut[cch] = '\0';
    return cch;
}

int fnIsRecordEnd(const char *pszRecord, const char *pszSuffix)
{
    size_t cchRecord = strlen(pszRecord), cchSuffix = strlen(pszSuffix);
    return cchRecord > cchSuffix && memcmp(pszRecord + cchRecord - cchSuffix, pszSuffix, cchSuffix) == 0;
}

unsigned fnCountFields(const char *pszRecord)
{
    unsigned uFields = 1;
    int bQuote = 0;
    for (const char *p = pszRecord; *p; p++) {
        if (*p == '"')
            bQuote = !bQuote;
        else if (!bQuote && p[0] == ',' && p[1] == ' ')
            uFields++;
    }
    return uFields;
}

// The environment record ends in five flags, each one number.
int fnEndsInFlags(const char *pszRecord, unsigned uFlags)
{
    const char *p = pszRecord + strlen(pszRecord);
    for (unsigned u = 0; u < uFlags; u++) {
        const char *pszDigits = p;
        while (pszDigits > pszRecord && (pszDigits[-1] >= '0' && pszDigits[-1] <= '9'))
            pszDigits--;
        if (pszDigits == p || pszDigits - pszRecord < 2 || pszDigits[-1] != ' ' || pszDigits[-2] != ',')
            return 0;
        p = pszDigits - 2;
    }
    return 1;
}

}  // namespace

size_t fnJsonEscape(char *pszOut, size_t cchOut, const char *pszText)
{
    int bWhole;
    return fnEscapeInto(pszOut, cchOut, pszText, &bWhole);
}

int fnIsJsonLiteral(const char *pszValue)
{
    if (!pszValue || !pszValue[0])
        return 0;
    if (strcmp(pszValue, "true") == 0 || strcmp(pszValue, "false") == 0 || strcmp(pszValue, "null") == 0)
        return 1;
    const char *p = pszValue[0] == '-' ? pszValue + 1 : pszValue;
    if (*p < '0' || *p > '9' || (p[0] == '0' && p[1] != '\0'))
        return 0;
    for (; *p; p++) {
        if (*p < '0' || *p > '9')
            return 0;
    }
    return 1;
}

int fnJsonRecord(char *pszOut, size_t cchOut, const char *const *apszPairs, unsigned uPairs)
{
    if (cchOut < 3)
        return 0;
    size_t cch = 0;
    int bWhole = 1;
    pszOut[cch++] = '{';
    for (unsigned u = 0; u < uPairs; u++) {
        const char *pszName = apszPairs[2 * u] ? apszPairs[2 * u] : "";
        const char *pszValue = apszPairs[2 * u + 1] ? apszPairs[2 * u + 1] : "";
        int bLiteral = pszName[0] == '#';
        if (bLiteral) {
            pszName++;
            bLiteral = fnIsJsonLiteral(pszValue);
        }
        char szName[64];
        int bNameWhole;
        size_t cchName = fnEscapeInto(szName, sizeof(szName), pszName, &bNameWhole);
        // The head ,"name": and the least value ("" or the literal), then } and the terminator.
        size_t cchHead = (u ? 1 : 0) + cchName + 3;
        size_t cchLeast = bLiteral ? strlen(pszValue) : 2;
        if (cch + cchHead + cchLeast + 2 > cchOut) {
            bWhole = 0;
            break;
        }
        if (u)
            pszOut[cch++] = ',';
        pszOut[cch++] = '"';
        memcpy(pszOut + cch, szName, cchName);
        cch += cchName;
        pszOut[cch++] = '"';
        pszOut[cch++] = ':';
        if (bLiteral) {
            memcpy(pszOut + cch, pszValue, cchLeast);
            cch += cchLeast;
            continue;
        }
        pszOut[cch++] = '"';
        int bValueWhole;
        // Room kept for the closing quote, the brace and the terminator.
        cch += fnEscapeInto(pszOut + cch, cchOut - cch - 2, pszValue, &bValueWhole);
        bWhole = bWhole && bValueWhole;
        pszOut[cch++] = '"';
    }
    pszOut[cch++] = '}';
    pszOut[cch] = '\0';
    return bWhole;
}

const char *fnChangeKind(const char *pszRecord)
{
    if (!pszRecord || !pszRecord[0] || pszRecord[0] == '\r' || pszRecord[0] == '\n' || pszRecord[0] == '[')
        return NULL;
    static const char *const apszHeaders[] = {"AppName=", "InstallDir="};
    for (const char *pszHeader : apszHeaders) {
        if (fnTextBeginsI(pszRecord, pszHeader))
            return NULL;
    }
    static const char *const aapszPrefixes[][2] = {
        {"Exec=", "program"},          {"WaitForExec=", "program"},   {"WaitForWindow=", "window_wait"},
        {"WhileWindow=", "window_wait"}, {"ExitAtWindow=", "window_wait"}, {"Pause=", "program_step"},
        {"BeQuiet=", "program_step"},  {"ReadReg=", "program_step"},  {"Refresh=", "program_step"},
        {"Error - ", "shortcut_error"},
    };
    for (const auto &row : aapszPrefixes) {
        if (fnTextBeginsI(pszRecord, row[0]))
            return row[1];
    }
    static const char *const aapszSuffixes[][2] = {
        {", N", "file_installed"}, {", S", "file_shared"}, {",  D", "directory"}, {", R", "file_renamed"},
        {", C", "file_copied"},    {", M", "file_moved"},  {", I", "ini_edit"},   {", P", "path_edit"},
    };
    for (const auto &row : aapszSuffixes) {
        if (fnIsRecordEnd(pszRecord, row[0]))
            return row[1];
    }
    unsigned uFields = fnCountFields(pszRecord);
    if (uFields == 8 && fnEndsInFlags(pszRecord, 5))
        return "environment";
    if (uFields >= 9)
        return "shortcut";
    return "change";
}

int fnRecordField(const char *pszRecord, unsigned uField, char *pszOut, size_t cchOut)
{
    if (cchOut)
        pszOut[0] = '\0';
    if (!pszRecord)
        return 0;
    const char *p = pszRecord;
    for (unsigned u = 0; u < uField; u++) {
        int bQuote = 0;
        while (*p && (bQuote || !(p[0] == ',' && p[1] == ' '))) {
            if (*p == '"')
                bQuote = !bQuote;
            p++;
        }
        if (!*p)
            return 0;
        p += 2;
    }
    const char *pszEnd = p;
    int bQuote = 0;
    while (*pszEnd && (bQuote || !(pszEnd[0] == ',' && pszEnd[1] == ' '))) {
        if (*pszEnd == '"')
            bQuote = !bQuote;
        pszEnd++;
    }
    size_t cchField = (size_t)(pszEnd - p);
    if (cchField >= 2 && p[0] == '"' && p[cchField - 1] == '"') {
        p++;
        cchField -= 2;
    }
    fnCopyTextN(pszOut, cchOut, p, cchField);
    return 1;
}

int fnIsSecretName(const char *pszName)
{
    return pszName && (fnFindTextI(pszName, "password") || fnFindTextI(pszName, "pwd"));
}

int fnMaskCmdLine(char *pszOut, size_t cchOut, const char *pszCmdLine)
{
    if (cchOut == 0)
        return 0;
    pszOut[0] = '\0';
    int bWhole = 1;
    const char *p = pszCmdLine ? pszCmdLine : "";
    while (*p) {
        if (fnIsBlank(*p)) {
            char szBlank[2] = {*p++, '\0'};
            bWhole = fnAppendText(pszOut, cchOut, szBlank) && bWhole;
            continue;
        }
        // One argument: up to the next blank outside quotes.
        const char *pszEnd = p;
        int bQuote = 0;
        while (*pszEnd && (bQuote || !fnIsBlank(*pszEnd))) {
            if (*pszEnd == '"')
                bQuote = !bQuote;
            pszEnd++;
        }
        const char *pszArg = *p == '"' ? p + 1 : p;
        const char *pszSecret = NULL;
        if (fnTextBeginsI(pszArg, "-a="))
            pszSecret = pszArg + 3;
        else if (const char *pszAt = fnFindTextI(pszArg, "password="))
            pszSecret = pszAt + 9;
        else if (const char *pszPwd = fnFindTextI(pszArg, "pwd="))
            pszSecret = pszPwd + 4;
        if (pszSecret && pszSecret < pszEnd) {
            char szHead[kcchEventRecord];
            fnCopyTextN(szHead, sizeof(szHead), p, (size_t)(pszSecret - p));
            bWhole = fnAppendText(pszOut, cchOut, szHead) && bWhole;
            bWhole = fnAppendText(pszOut, cchOut, "***") && bWhole;
            // A value inside quotes keeps its closing quote.
            int bOpen = 0;
            for (const char *q = p; q < pszSecret; q++)
                bOpen ^= *q == '"';
            if (bOpen)
                bWhole = fnAppendText(pszOut, cchOut, "\"") && bWhole;
        } else {
            char szArg[kcchEventRecord];
            fnCopyTextN(szArg, sizeof(szArg), p, (size_t)(pszEnd - p));
            bWhole = fnAppendText(pszOut, cchOut, szArg) && bWhole;
        }
        p = pszEnd;
    }
    return bWhole;
}
