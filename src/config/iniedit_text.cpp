// Line edits of text configuration files. The file text is walked twice: the
// first pass finds the section, its end and the first matching line; the second
// writes the text with the one change applied. Lines that are not changed are
// written back byte for byte with their own line ends, so an edit never
// disturbs the rest of the file (long lines, odd line ends and all).
#include "config/iniedit_text.h"

#include "run/text.h"

namespace {

struct LineIterStruct {
    const char *pch;
    size_t cb;
    size_t pos;
};

struct LineStruct {
    const char *pch;  // the line without its line end
    size_t cch;
    size_t cchEol;    // 0 for a last line without a line end
};

int fnNextLine(LineIterStruct *pIter, LineStruct *pLine)
{
    if (pIter->pos >= pIter->cb)
        return 0;
    size_t uStart = pIter->pos, uEnd = uStart;
    while (uEnd < pIter->cb && pIter->pch[uEnd] != '\r' && pIter->pch[uEnd] != '\n')
        uEnd++;
    size_t uNext = uEnd;
    if (uNext < pIter->cb && pIter->pch[uNext] == '\r')
        uNext++;
    if (uNext < pIter->cb && pIter->pch[uNext] == '\n')
        uNext++;
    pLine->pch = pIter->pch + uStart;
    pLine->cch = uEnd - uStart;
    pLine->cchEol = uNext - uEnd;
    pIter->pos = uNext;
    return 1;
}

// Writes whole lines to the sink, ending a last line that had no line end
// before anything is appended after it. New lines take the file's own line end.
struct WriterStruct {
    IniSinkStruct *pSink;
    const char *pszEol;
    int bAtLineStart;
    int bOk;
};

void fnWriterInit(WriterStruct *pW, IniSinkStruct *pSink, const char *pch, size_t cb)
{
    pW->pSink = pSink;
    pW->pszEol = "\r\n";
    for (size_t i = 0; i < cb; i++) {
        if (pch[i] == '\n') {
            if (i == 0 || pch[i - 1] != '\r')
                pW->pszEol = "\n";
            break;
        }
    }
    pW->bAtLineStart = 1;
    pW->bOk = 1;
}

void fnWriteRaw(WriterStruct *pW, const char *pch, size_t cch)
{
    if (pW->bOk && cch && !pW->pSink->pfnWrite(pW->pSink->pContext, pch, cch))
        pW->bOk = 0;
}

void fnWriteOriginal(WriterStruct *pW, const LineStruct *pLine)
{
    fnWriteRaw(pW, pLine->pch, pLine->cch + pLine->cchEol);
    pW->bAtLineStart = pLine->cchEol != 0;
}

void fnWriteNewLine(WriterStruct *pW, const char *pszText)
{
    if (!pW->bAtLineStart)
        fnWriteRaw(pW, pW->pszEol, strlen(pW->pszEol));
    fnWriteRaw(pW, pszText, strlen(pszText));
    fnWriteRaw(pW, pW->pszEol, strlen(pW->pszEol));
    pW->bAtLineStart = 1;
}

void fnLog(IniSinkStruct *pSink, const char *pszFormat, ...) __attribute__((format(printf, 2, 3)));
void fnLog(IniSinkStruct *pSink, const char *pszFormat, ...)
{
    if (!pSink->pfnLog)
        return;
    char szLine[4096];
    va_list args;
    va_start(args, pszFormat);
    fnFormatTextV(szLine, COUNTOF(szLine), pszFormat, args);
    va_end(args);
    pSink->pfnLog(pSink->pContext, szLine);
}

// The line as the matching sees it: at most kcchIniLineMax - 1 characters.
void fnLineCopy(char *pszOut, size_t cchOut, const LineStruct *pLine)
{
    fnCopyTextN(pszOut, cchOut, pLine->pch, pLine->cch);
}

int fnIsBlankLine(const char *pszLine)
{
    return *fnSkipBlanks(pszLine) == '\0';
}

int fnBeginsSection(const char *pszLine, const char *pszSection)
{
    return fnTextBeginsI(fnSkipBlanks(pszLine), pszSection);
}

int fnEndsSection(const char *pszLine, char cType)
{
    if (cType == 'N')
        return pszLine[0] != '\0' && !fnIsBlank(pszLine[0]) && pszLine[0] != ';' && pszLine[0] != '#';
    return *fnSkipBlanks(pszLine) == '[';
}

// Types whose section text is a search text, not a section header.
int fnSectionIsSearchText(char cType)
{
    return cType == 'B' || cType == 'X' || cType == 'L';
}

int fnUsesValueAsLine(char cType)
{
    return strchr("BCKNXLO", cType) != NULL;
}

int fnIsPlacedType(char cType)
{
    return cType == 'B' || cType == 'C' || cType == 'K' || cType == 'L';
}

// Cuts a key=value line at its first "=" (in place), both parts trimmed.
void fnSplitKeyValue(char *pszLine, char **ppszKey, char **ppszValue)
{
    char *pEq = strchr(pszLine, '=');
    if (pEq) {
        *pEq = '\0';
        *ppszValue = fnTrimBlanks(pEq + 1);
    } else {
        *ppszValue = pszLine + strlen(pszLine);
    }
    *ppszKey = fnTrimBlanks(pszLine);
}

// Whether the line matches the edit; for key=value types the line's own key
// goes to pszFoundKey (type "S" writes it back as it was).
int fnLineMatches(const IniEditStruct *pEdit, const char *pszLineIn, char *pszFoundKey, size_t cchFoundKey)
{
    char szLine[kcchIniLineMax];
    fnCopyText(szLine, COUNTOF(szLine), pszLineIn);
    const char *pszKey = pEdit->szKey;
    if (!*pszKey)
        return 0;
    const char *pszStart = fnSkipBlanks(szLine);
    switch (pEdit->cType) {
    case 'B':
        return fnFindTextI(szLine, pszKey) && (!pEdit->szSection[0] || fnFindTextI(szLine, pEdit->szSection));
    case 'X':
        return fnFindTextI(szLine, pszKey) && fnTextBeginsI(pszStart, pEdit->szSection);
    case 'L':
        return fnTextBeginsI(pszStart, pEdit->szSection) && fnFindTextI(pszStart + strlen(pEdit->szSection), pszKey);
    case 'C':
    case 'K':
        return fnTextBeginsI(pszStart, pszKey);
    default:
        break;
    }
    char *pszLineKey, *pszLineValue;
    fnSplitKeyValue(szLine, &pszLineKey, &pszLineValue);
    int bKey;
    if (pEdit->cType == 'F') {
        size_t cchWord = strcspn(pszKey, " \t");
        bKey = cchWord && fnTextEqualNI(pszLineKey, pszKey, cchWord);
    } else {
        // The whole key must agree: "Path" is not "PathExt".
        char szWant[kcchIniKey];
        fnCopyText(szWant, COUNTOF(szWant), pszKey);
        bKey = fnTextEqualI(pszLineKey, fnTrimBlanks(szWant));
    }
    if (!bKey)
        return 0;
    if ((pEdit->cType == 'M' || pEdit->cType == 'S') && !fnFindTextI(pszLineValue, pEdit->szSubValue))
        return 0;
    fnCopyText(pszFoundKey, cchFoundKey, pszLineKey);
    return 1;
}

// The line that starts Windows: "WIN" or a command whose file name begins with "WIN.".
int fnIsWinLine(const char *pszLine)
{
    char szWord[kcchIniLineMax];
    const char *pszStart = fnSkipBlanks(pszLine);
    fnCopyTextN(szWord, COUNTOF(szWord), pszStart, strcspn(pszStart, " \t"));
    if (fnTextEqualI(szWord, "WIN"))
        return 1;
    const char *pszName = szWord;
    for (const char *p = szWord; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            pszName = p + 1;
    return fnTextBeginsI(pszName, "WIN.");
}

void fnTypeMark(const IniEditStruct *pEdit, char *pszOut, size_t cchOut)
{
    if (pEdit->szSubValue[0])
        fnFormatText(pszOut, cchOut, "%c \"%s\"", pEdit->cType, pEdit->szSubValue);
    else
        fnFormatText(pszOut, cchOut, "%c", pEdit->cType);
}

// Type "R": every occurrence of the key in the section's lines is replaced.
void fnWriteReplaced(WriterStruct *pW, const LineStruct *pLine, const char *pszKey, const char *pszValue)
{
    size_t cchKey = strlen(pszKey), uDone = 0, i = 0;
    while (i + cchKey <= pLine->cch) {
        size_t k = 0;
        while (k < cchKey && fnUpperChar(pLine->pch[i + k]) == fnUpperChar(pszKey[k]))
            k++;
        if (k == cchKey) {
            fnWriteRaw(pW, pLine->pch + uDone, i - uDone);
            fnWriteRaw(pW, pszValue, strlen(pszValue));
            i += cchKey;
            uDone = i;
        } else {
            i++;
        }
    }
    fnWriteRaw(pW, pLine->pch + uDone, pLine->cch + pLine->cchEol - uDone);
    pW->bAtLineStart = pLine->cchEol != 0;
}

int fnEditReplace(const char *pchText, size_t cbText, const IniEditStruct *pEdit, IniSinkStruct *pSink)
{
    WriterStruct w;
    fnWriterInit(&w, pSink, pchText, cbText);
    const char *pszValue = pEdit->cAction == 'D' ? "" : pEdit->szValue;
    int bTrack = pEdit->szSection[0] != '\0';
    int bIn = !bTrack, bDone = 0;
    char szTypeMark[kcchIniSubValue + 8];
    fnTypeMark(pEdit, szTypeMark, COUNTOF(szTypeMark));
    LineIterStruct it = {pchText, cbText, 0};
    LineStruct line;
    while (fnNextLine(&it, &line)) {
        char szLine[kcchIniLineMax];
        fnLineCopy(szLine, COUNTOF(szLine), &line);
        if (!bIn || bDone) {
            if (!bDone && bTrack && fnBeginsSection(szLine, pEdit->szSection))
                bIn = 1;
            fnWriteOriginal(&w, &line);
            continue;
        }
        if (bTrack && fnEndsSection(szLine, pEdit->cType)) {
            bDone = 1;
            fnWriteOriginal(&w, &line);
            continue;
        }
        if (!pEdit->szKey[0] || pEdit->cAction == 'S' || !fnFindTextI(szLine, pEdit->szKey)) {
            fnWriteOriginal(&w, &line);
            continue;
        }
        fnWriteReplaced(&w, &line, pEdit->szKey, pszValue);
        fnLog(pSink, "%s, \"%s\", \"%s\", \"%s\",\"%s\", %s", pEdit->szFile, pEdit->szSection, pEdit->szKey, szLine,
              pszValue, szTypeMark);
    }
    return w.bOk;
}

}  // namespace

void fnIniPrepareEdit(IniEditStruct *pEdit)
{
    if (!pEdit->szSubValue[0] && pEdit->cType == 'M')
        fnCopyText(pEdit->szSubValue, COUNTOF(pEdit->szSubValue), pEdit->szValue);
    else if (!pEdit->szSubValue[0] && pEdit->cType == 'P')
        fnCopyText(pEdit->szSubValue, COUNTOF(pEdit->szSubValue), "E");
    pEdit->szSubValue[0] = fnUpperChar(pEdit->szSubValue[0]);
    if ((pEdit->cType == 'W' || pEdit->cType == 'M') && pEdit->szSection[0] && pEdit->szSection[0] != '[') {
        char szBracketed[kcchIniSection];
        fnFormatText(szBracketed, COUNTOF(szBracketed), "[%s]", pEdit->szSection);
        fnCopyText(pEdit->szSection, COUNTOF(pEdit->szSection), szBracketed);
    }
    if (fnUsesValueAsLine(pEdit->cType) && pEdit->szValue[0])
        fnCopyText(pEdit->szNewLine, COUNTOF(pEdit->szNewLine), pEdit->szValue);
    else if (pEdit->szValue[0])
        fnFormatText(pEdit->szNewLine, COUNTOF(pEdit->szNewLine), "%s=%s", pEdit->szKey, pEdit->szValue);
    else
        fnCopyText(pEdit->szNewLine, COUNTOF(pEdit->szNewLine), pEdit->szKey);
}

int fnDoubleBackslashes(char *pszText, size_t cchText)
{
    size_t cchSlashes = 0, cch = strlen(pszText);
    for (size_t i = 0; i < cch; i++)
        if (pszText[i] == '\\')
            cchSlashes++;
    int bWhole = cch + cchSlashes < cchText;
    // Work from the end so the text moves right without a second buffer.
    size_t uOut = cch + cchSlashes;
    while (uOut >= cchText) {  // drop what cannot fit, then double the rest
        if (pszText[cch - 1] == '\\')
            uOut -= 2;
        else
            uOut -= 1;
        cch--;
    }
    pszText[uOut] = '\0';
    while (cch > 0) {
        char c = pszText[--cch];
        pszText[--uOut] = c;
        if (c == '\\')
            pszText[--uOut] = c;
    }
    return bWhole;
}

int fnEditIniText(const char *pchText, size_t cbText, const IniEditStruct *pEdit, IniSinkStruct *pSink)
{
    if (pEdit->cType == 'R')
        return fnEditReplace(pchText, cbText, pEdit, pSink);

    // First pass: where the section starts and ends, and the first match.
    int bTrack = pEdit->szSection[0] && !fnSectionIsSearchText(pEdit->cType);
    int iStart = -1, iEnd = -1, iMatch = -1, iLastBlank = -1, iWin = -1, nLines = 0, bLastBlank = 0, bStop = 0;
    int bIn = !bTrack;
    char szFoundKey[kcchIniLineMax] = "";
    LineIterStruct it = {pchText, cbText, 0};
    LineStruct line;
    for (int i = 0; fnNextLine(&it, &line); i++) {
        char szLine[kcchIniLineMax];
        fnLineCopy(szLine, COUNTOF(szLine), &line);
        nLines++;
        bLastBlank = fnIsBlankLine(szLine);
        if (iWin < 0 && fnIsWinLine(szLine))
            iWin = i;
        if (bStop)
            continue;
        if (!bIn) {
            if (fnBeginsSection(szLine, pEdit->szSection)) {
                iStart = i;
                bIn = 1;
            }
            continue;
        }
        if (bTrack && fnEndsSection(szLine, pEdit->cType)) {
            iEnd = i;
            bStop = 1;
            continue;
        }
        if (fnIsBlankLine(szLine))
            iLastBlank = i;
        if (fnLineMatches(pEdit, szLine, szFoundKey, COUNTOF(szFoundKey))) {
            iMatch = i;
            bStop = 1;
        }
    }

    // Where a missing line goes: before line iInsert, or at the end (nLines).
    int iInsert = -1, bWithSection = 0;
    int bAdd = iMatch < 0 && pEdit->cAction != 'R' && pEdit->cAction != 'D';
    char cPlace = (char)fnUpperChar(pEdit->szSubValue[0]);
    if (bAdd) {
        int bPlaced = fnIsPlacedType(pEdit->cType) && (cPlace == 'T' || cPlace == 'A' || cPlace == 'B') &&
                      (!bTrack || iStart < 0);
        if (bPlaced) {
            bWithSection = bTrack;  // type K: the section text and the new line
            if (cPlace == 'T')
                iInsert = 0;
            else if (cPlace == 'A')
                iInsert = nLines ? 1 : 0;
            else
                iInsert = iWin >= 0 ? iWin : nLines;
        } else if (!bTrack || (iStart >= 0 && iEnd < 0)) {
            iInsert = nLines;
        } else if (iStart >= 0) {
            // A blank line that closed the section stays after the new line.
            iInsert = (iLastBlank == iEnd - 1 && iLastBlank > iStart) ? iLastBlank : iEnd;
        } else {
            iInsert = nLines;
            bWithSection = 1;
        }
    }

    char szTypeMark[kcchIniSubValue + 8];
    fnTypeMark(pEdit, szTypeMark, COUNTOF(szTypeMark));
    WriterStruct w;
    fnWriterInit(&w, pSink, pchText, cbText);
    it.pos = 0;
    for (int i = 0; i <= nLines; i++) {
        int bHaveLine = fnNextLine(&it, &line);
        if (i == iInsert) {
            if (bWithSection) {
                if (iInsert == nLines && nLines > 0 && !bLastBlank)
                    fnWriteNewLine(&w, "");
                if (pEdit->cType == 'O' && pEdit->szSubValue[0])
                    fnWriteNewLine(&w, pEdit->szSubValue);
                fnWriteNewLine(&w, pEdit->szSection);
                fnLog(pSink, "%s, \"%s\", \"%s\", \"\",\"\", %s", pEdit->szFile, pEdit->szSection, pEdit->szKey,
                      szTypeMark);
            }
            fnWriteNewLine(&w, pEdit->szNewLine);
            fnLog(pSink, "%s, \"%s\", \"%s\", \"\",\"%s\", %s", pEdit->szFile, pEdit->szSection, pEdit->szKey,
                  pEdit->szNewLine, szTypeMark);
        }
        if (!bHaveLine)
            break;
        if (i != iMatch) {
            fnWriteOriginal(&w, &line);
            continue;
        }
        char szOld[kcchIniLineMax];
        fnLineCopy(szOld, COUNTOF(szOld), &line);
        char cAction = pEdit->cAction;
        if ((pEdit->cType == 'M' || pEdit->cType == 'S') && cAction != 'N' && cAction != 'D')
            cAction = 'S';
        const char *pszNew = pEdit->szNewLine;
        char szKeyed[kcchIniNewLine];
        if (pEdit->cType == 'S' && cAction == 'N') {
            fnFormatText(szKeyed, COUNTOF(szKeyed), "%s=%s", szFoundKey, pEdit->szValue);
            pszNew = szKeyed;
        }
        switch (cAction) {
        case 'N':
        case 'R':
            fnWriteNewLine(&w, pszNew);
            fnLog(pSink, "%s, \"%s\", \"%s\", \"%s\",\"%s\", %s", pEdit->szFile, pEdit->szSection, pEdit->szKey, szOld,
                  pszNew, szTypeMark);
            break;
        case 'D':
            fnLog(pSink, "%s, \"%s\", \"%s\", \"%s\"", pEdit->szFile, pEdit->szSection, pEdit->szKey, szOld);
            break;
        case 'A':
            fnWriteOriginal(&w, &line);
            fnWriteNewLine(&w, pszNew);
            fnLog(pSink, "%s, \"%s\", \"%s\", \"\",\"%s\", %s", pEdit->szFile, pEdit->szSection, pEdit->szKey, pszNew,
                  szTypeMark);
            break;
        case 'I':
            fnWriteNewLine(&w, pszNew);
            fnWriteOriginal(&w, &line);
            fnLog(pSink, "%s, \"%s\", \"%s\", \"\",\"%s\", %s", pEdit->szFile, pEdit->szSection, pEdit->szKey, pszNew,
                  szTypeMark);
            break;
        default:
            fnWriteOriginal(&w, &line);
            break;
        }
    }
    return w.bOk;
}

// ---------------------------------------------------------------------------
// Lists separated by ";"

namespace {

// Position of the item (with its ";") in the list (ending in ";"), only where
// a list item begins: "C:\BIN;" is not found inside "D:\C:\BIN;".
const char *fnFindListItem(const char *pszList, const char *pszItem)
{
    size_t cchItem = strlen(pszItem);
    if (!cchItem)
        return NULL;
    for (const char *p = pszList; *p;) {
        if (fnTextEqualNI(p, pszItem, cchItem))
            return p;
        const char *pSemi = strchr(p, ';');
        if (!pSemi)
            break;
        p = pSemi + 1;
    }
    return NULL;
}

void fnWithSemicolon(char *pszOut, size_t cchOut, const char *pszIn)
{
    fnCopyText(pszOut, cchOut, pszIn);
    size_t cch = strlen(pszOut);
    if (cch && pszOut[cch - 1] != ';')
        fnAppendText(pszOut, cchOut, ";");
}

void fnDropSemicolon(char *pszText)
{
    size_t cch = strlen(pszText);
    if (cch && pszText[cch - 1] == ';')
        pszText[cch - 1] = '\0';
}

}  // namespace

int fnEditListItem(char *pszList, size_t cchList, const char *pszItem, char cAction)
{
    char szList[kcchIniValue * 2], szItem[kcchIniValue], szOut[kcchIniValue * 3];
    fnWithSemicolon(szList, COUNTOF(szList), pszList);
    fnWithSemicolon(szItem, COUNTOF(szItem), pszItem);
    const char *pFound = fnFindListItem(szList, szItem);
    size_t cchItem = strlen(szItem);
    if (pFound) {
        if (cAction == 'S')
            return 1;
        char szBefore[kcchIniValue * 2], szAfter[kcchIniValue * 2];
        fnCopyTextN(szBefore, COUNTOF(szBefore), szList, (size_t)(pFound - szList));
        fnCopyText(szAfter, COUNTOF(szAfter), pFound + cchItem);
        if (cAction == 'D')
            fnFormatText(szOut, COUNTOF(szOut), "%s%s", szBefore, szAfter);
        else if (cAction == 'E')
            fnFormatText(szOut, COUNTOF(szOut), "%s%s%s", szBefore, szAfter, szItem);
        else if (cAction == 'B')
            fnFormatText(szOut, COUNTOF(szOut), "%s%s%s", szItem, szBefore, szAfter);
        else
            fnFormatText(szOut, COUNTOF(szOut), "%s%s%s", szBefore, szItem, szAfter);
    } else if (cAction == 'D' || cAction == 'R' || !cchItem) {
        fnCopyText(szOut, COUNTOF(szOut), szList);
    } else if (cAction == 'E' || cAction == 'N') {
        fnFormatText(szOut, COUNTOF(szOut), "%s%s", szList, szItem);
    } else {
        fnFormatText(szOut, COUNTOF(szOut), "%s%s", szItem, szList);
    }
    fnDropSemicolon(szOut);
    if (strlen(szOut) >= cchList)
        return 0;
    fnCopyText(pszList, cchList, szOut);
    return 1;
}

// ---------------------------------------------------------------------------
// PATH lines of batch files

namespace {

const char *const g_apszPathStarts[] = {
    "SET PATH = ", "SET PATH =", "SET PATH= ", "SET PATH=", "@SET PATH = ", "@SET PATH =", "@SET PATH= ",
    "@SET PATH=", "PATH = ", "PATH =", "PATH= ", "PATH ", "PATH=", "@PATH = ", "@PATH =", "@PATH= ", "@PATH ",
    "@PATH=",
};

// The list of a PATH line (trimmed), or NULL when the line is no PATH line.
char *fnPathLineList(char *pszTrimmedLine)
{
    for (const char *pszStart : g_apszPathStarts)
        if (fnTextBeginsI(pszTrimmedLine, pszStart))
            return fnTrimBlanks(pszTrimmedLine + strlen(pszStart));
    return NULL;
}

}  // namespace

int fnEditPathText(const char *pchText, size_t cbText, const char *pszFile, const char *pszPrefix, const char *pszItem,
                   const char *pszNewItem, char cAction, char cPlace, IniSinkStruct *pSink)
{
    char szPrefix[kcchIniKey], szItem[kcchIniValue], szNewItem[kcchIniValue], szAdded[kcchIniNewLine];
    fnCopyText(szPrefix, COUNTOF(szPrefix), pszPrefix);
    size_t cchPrefix = strlen(szPrefix);
    if (cchPrefix && fnUpperChar(szPrefix[cchPrefix - 1]) == 'H')
        fnAppendText(szPrefix, COUNTOF(szPrefix), " ");
    cchPrefix = strlen(szPrefix);
    if (cchPrefix && szPrefix[cchPrefix - 1] != '=' && szPrefix[cchPrefix - 1] != ' ')
        fnAppendText(szPrefix, COUNTOF(szPrefix), "=");
    fnWithSemicolon(szItem, COUNTOF(szItem), pszItem);
    fnWithSemicolon(szNewItem, COUNTOF(szNewItem), pszNewItem);
    fnFormatText(szAdded, COUNTOF(szAdded), "%s%s", szPrefix, szNewItem);
    fnDropSemicolon(szAdded);

    // First pass: is there a PATH line at all, and how many lines are there.
    int nLines = 0, bAnyPath = 0;
    LineIterStruct it = {pchText, cbText, 0};
    LineStruct line;
    while (fnNextLine(&it, &line)) {
        nLines++;
        char szLine[kcchIniNewLine];
        fnLineCopy(szLine, COUNTOF(szLine), &line);
        if (line.cch < COUNTOF(szLine) && fnPathLineList(fnTrimBlanks(szLine)))
            bAnyPath = 1;
    }
    // No PATH line: one is added where the placement letter says.
    int iInsert = -1;
    if (!bAnyPath && cAction != 'R' && cAction != 'D' && szNewItem[0]) {
        iInsert = nLines;
        if (fnUpperChar(cPlace) == 'A')
            iInsert = nLines ? 1 : 0;
        else if (fnUpperChar(cPlace) == 'B')
            iInsert = 0;
    }

    WriterStruct w;
    fnWriterInit(&w, pSink, pchText, cbText);
    it.pos = 0;
    for (int i = 0; i <= nLines; i++) {
        if (i == iInsert) {
            fnWriteNewLine(&w, szAdded);
            if (cAction != 'S')
                fnLog(pSink, "%s, \"%s\", \"%s\",\"\", \"%s\", P", pszFile, "", szPrefix, szAdded);
        }
        if (!fnNextLine(&it, &line))
            break;
        char szLine[kcchIniNewLine];
        if (line.cch >= COUNTOF(szLine)) {  // too long to edit safely: kept as it is
            fnWriteOriginal(&w, &line);
            continue;
        }
        fnLineCopy(szLine, COUNTOF(szLine), &line);
        char szOld[kcchIniNewLine];
        fnCopyText(szOld, COUNTOF(szOld), szLine);
        char *pszList = fnPathLineList(fnTrimBlanks(szLine));
        if (!pszList) {
            fnWriteOriginal(&w, &line);
            continue;
        }
        char szList[kcchIniNewLine], szNew[kcchIniNewLine * 2];
        fnWithSemicolon(szList, COUNTOF(szList), pszList);
        const char *pFound = fnFindListItem(szList, szItem);
        int bKeep = 0;
        if (pFound) {
            if (cAction == 'S') {
                bKeep = 1;
            } else {
                char szBefore[kcchIniNewLine];
                fnCopyTextN(szBefore, COUNTOF(szBefore), szList, (size_t)(pFound - szList));
                fnFormatText(szNew, COUNTOF(szNew), "%s%s%s%s", szPrefix, szBefore, cAction == 'D' ? "" : szNewItem,
                             pFound + strlen(szItem));
            }
        } else if (cAction == 'R' || cAction == 'D' || !szNewItem[0]) {
            bKeep = 1;
        } else if (cAction == 'E') {
            fnFormatText(szNew, COUNTOF(szNew), "%s%s%s", szPrefix, szList, szNewItem);
        } else {
            fnFormatText(szNew, COUNTOF(szNew), "%s%s%s", szPrefix, szNewItem, szList);
        }
        if (bKeep) {
            if (cAction != 'S')
                fnLog(pSink, "%s, \"\", \"%s\", \"%s\",\"%s\", P", pszFile, szPrefix, szOld, szOld);
            fnWriteOriginal(&w, &line);
            continue;
        }
        fnDropSemicolon(szNew);
        fnWriteNewLine(&w, szNew);
        fnLog(pSink, "%s, \"\", \"%s\", \"%s\",\"%s\", P", pszFile, szPrefix, szOld, szNew);
    }
    return w.bOk;
}

// ---------------------------------------------------------------------------
// Reads

int fnFindIniText(const char *pchText, size_t cbText, const char *pszSection, const char *pszKey, char cType,
                  const char *pszSubValue, char *pszOut, size_t cchOut)
{
    if (cchOut)
        pszOut[0] = '\0';
    int bTrack = pszSection[0] && !fnSectionIsSearchText(cType);
    int bIn = !bTrack;
    LineIterStruct it = {pchText, cbText, 0};
    LineStruct line;
    while (fnNextLine(&it, &line)) {
        char szLine[kcchIniLineMax];
        fnLineCopy(szLine, COUNTOF(szLine), &line);
        if (!bIn) {
            bIn = fnBeginsSection(szLine, pszSection);
            continue;
        }
        if (bTrack && fnEndsSection(szLine, cType))
            return 0;
        char *pszStart = fnTrimBlanks(szLine);
        if (cType == 'P') {
            char *pszList = fnPathLineList(pszStart);
            if (pszList)
                return fnCopyText(pszOut, cchOut, pszList), 1;
            continue;
        }
        if (cType == 'I' || cType == 'M' || cType == 'S') {
            char *pszLineKey, *pszLineValue;
            fnSplitKeyValue(pszStart, &pszLineKey, &pszLineValue);
            if (!fnTextEqualI(pszLineKey, pszKey))
                continue;
            if ((cType == 'M' || cType == 'S') && !fnFindTextI(pszLineValue, pszSubValue))
                continue;
            fnCopyText(pszOut, cchOut, pszLineValue);
            return 1;
        }
        size_t cchKey = strlen(pszKey);
        if (!cchKey || !fnTextBeginsI(pszStart, pszKey))
            continue;
        const char *pszRest = pszStart + cchKey;
        if (cType == 'F' || cType == 'O') {
            pszRest = *pszRest ? pszRest + 1 : pszRest;
        } else {
            pszRest = fnSkipBlanks(pszRest);
            if (*pszRest == '=')
                pszRest = fnSkipBlanks(pszRest + 1);
        }
        fnCopyText(pszOut, cchOut, pszRest);
        return 1;
    }
    return 0;
}
