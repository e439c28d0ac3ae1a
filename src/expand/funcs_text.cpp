// The inline functions that need nothing but their arguments. Integers are
// 64 bits wide and wrap like the machine's unsigned arithmetic, so "5 - 7"
// added as unsigned gives 18446744073709551614. Every result is written
// through a bounded copy; a result that does not fit comes back as kFunCut.
#include <stddef.h>
#include <string.h>

#include "expand/expand_text.h"
#include "expand/funcs_text.h"
#include "base/version.h"
#include "run/text.h"

namespace {

const char kszArgDelims[] = ";,";
const char kszItemDelims[] = ";, ";

int fnResultOf(int bWhole)
{
    return bWhole ? kFunDone : kFunCut;
}

int fnSetResult(char *pszResult, size_t cchResult, const char *pszText)
{
    return fnResultOf(fnCopyText(pszResult, cchResult, pszText));
}

// First and second argument as text.
const char *fnArg(const FunFieldsStruct *pFields, unsigned uArg)
{
    return pFields->szField[uArg - 1];
}

// The end of the argument list: the first ")" with an even number of "("
// before it (each "(" toggles), or the end of the text.
size_t fnArgListLength(const char *pszArgs)
{
    int bInside = 0;
    const char *p = pszArgs;
    for (; *p; p++) {
        if (*p == '(')
            bInside = !bInside;
        else if (*p == ')' && !bInside)
            break;
    }
    return (size_t)(p - pszArgs);
}

// pszFirst followed by pszSecond.
int fnJoin(char *pszResult, size_t cchResult, const char *pszFirst, const char *pszSep, const char *pszSecond)
{
    TextBuildStruct build;
    fnBuildStart(&build, pszResult, cchResult);
    fnBuildText(&build, pszFirst);
    fnBuildText(&build, pszSep);
    fnBuildText(&build, pszSecond);
    return fnResultOf(!build.bCut);
}

// The first occurrence of the item in the text (any case when bAnyCase), or NULL.
const char *fnFindItem(const char *pszText, const char *pszItem, int bAnyCase)
{
    return bAnyCase ? fnFindTextI(pszText, pszItem) : strstr(pszText, pszItem);
}

// The add and insert functions: the text from the item on when it is there,
// else the item added after (bAfter) or before the text, with a comma between
// for lists.
int fnAddItem(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult, int bAfter, int bList, int bAnyCase)
{
    const char *pszText = fnArg(pFields, 1);
    const char *pszItem = fnArg(pFields, 2);
    const char *pszFound = fnFindItem(pszText, pszItem, bAnyCase);
    if (pszFound)
        return fnSetResult(pszResult, cchResult, pszFound);
    const char *pszSep = (bList && pszText[0]) ? "," : "";
    return bAfter ? fnJoin(pszResult, cchResult, pszText, pszSep, pszItem)
                  : fnJoin(pszResult, cchResult, pszItem, pszSep, pszText);
}

}  // namespace

int fnSplitFunArgs(const char *pszFun, size_t cchPrefix, FunFieldsStruct *pFields, unsigned uCount)
{
    for (unsigned i = 0; i < kuFunFields; i++)
        pFields->szField[i][0] = '\0';
    size_t cchFun = strlen(pszFun);
    const char *pszArgs = pszFun + (cchPrefix < cchFun ? cchPrefix : cchFun);
    size_t cchArgs = fnArgListLength(pszArgs);
    int bAll = 1;
    for (unsigned i = 0; i < uCount && i < kuFunFields; i++) {
        int iRC = fnTakePiece(pszArgs, cchArgs, kszArgDelims, i + 1, pFields->szField[i], kcchFunField);
        if (iRC == kPieceCut)
            bAll = 0;
    }
    return bAll;
}

unsigned long long fnReadInt64(const char *psz)
{
    while (*psz == ' ' || *psz == '\t')
        psz++;
    int bNegative = 0;
    if (*psz == '+' || *psz == '-')
        bNegative = *psz++ == '-';
    unsigned long long uValue = 0;
    for (; *psz >= '0' && *psz <= '9'; psz++)
        uValue = uValue * 10u + (unsigned long long)(*psz - '0');
    return bNegative ? 0u - uValue : uValue;
}

unsigned long fnReadCount(const char *psz)
{
    while (*psz == ' ' || *psz == '\t')
        psz++;
    unsigned long uValue = 0;
    for (; *psz >= '0' && *psz <= '9'; psz++) {
        unsigned long uNext = uValue * 10u + (unsigned long)(*psz - '0');
        uValue = uNext / 10u == uValue ? uNext : (unsigned long)-1;  // saturates
    }
    return uValue;
}

void fnFormatUnsigned64(char *pszOut, size_t cchOut, unsigned long long uValue)
{
    char szDigits[24];
    size_t i = sizeof(szDigits) - 1;
    szDigits[i] = '\0';
    do {
        szDigits[--i] = (char)('0' + uValue % 10u);
        uValue /= 10u;
    } while (uValue);
    fnCopyText(pszOut, cchOut, szDigits + i);
}

void fnFormatSigned64(char *pszOut, size_t cchOut, unsigned long long uValue)
{
    if (!(uValue >> 63)) {
        fnFormatUnsigned64(pszOut, cchOut, uValue);
        return;
    }
    char szDigits[24] = "-";
    fnFormatUnsigned64(szDigits + 1, sizeof(szDigits) - 1, 0u - uValue);
    fnCopyText(pszOut, cchOut, szDigits);
}

int fnFunSum(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    unsigned long long uSum = 0;
    for (unsigned i = 1; i <= kuFunFields; i++)
        uSum += fnReadInt64(fnArg(pFields, i));
    fnFormatUnsigned64(pszResult, cchResult, uSum);
    return kFunDone;
}

int fnFunDif(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    unsigned long long uDif = fnReadInt64(fnArg(pFields, 1));
    for (unsigned i = 2; i <= kuFunFields; i++)
        uDif -= fnReadInt64(fnArg(pFields, i));
    fnFormatSigned64(pszResult, cchResult, uDif);
    return kFunDone;
}

int fnFunGetArg(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    const char *pszText = fnArg(pFields, 1);
    unsigned long uItem = fnReadCount(fnArg(pFields, 2));
    if (uItem == 0) {
        const char *pszEqual = strchr(pszText, '=');
        if (!pszEqual)
            return kFunFailed;
        char szKey[kcchFunField];
        fnCopyTextN(szKey, COUNTOF(szKey), pszText, (size_t)(pszEqual - pszText));
        return fnSetResult(pszResult, cchResult, fnTrimBlanks(szKey));
    }
    if (uItem > 0xFFFFu)
        return kFunFailed;
    int iRC = fnTakePiece(pszText, (size_t)-1, kszItemDelims, (unsigned)uItem, pszResult, cchResult);
    return iRC == kPieceMissing ? kFunFailed : fnResultOf(iRC == kPieceFound);
}

int fnFunStrBegin(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    unsigned long uCount = fnReadCount(fnArg(pFields, 2));
    return fnResultOf(fnCopyTextN(pszResult, cchResult, fnArg(pFields, 1), uCount));
}

int fnFunStrEnd(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    const char *pszText = fnArg(pFields, 1);
    unsigned long uCount = fnReadCount(fnArg(pFields, 2));
    size_t cchText = strlen(pszText);
    return fnSetResult(pszResult, cchResult, cchText <= uCount ? pszText : pszText + cchText - uCount);
}

int fnFunStrInStr(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    int bFound = fnFindTextI(fnArg(pFields, 1), fnArg(pFields, 2)) != NULL;
    return fnSetResult(pszResult, cchResult, bFound ? "TRUE" : "");
}

int fnFunStrStr(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    const char *pszFound = fnFindTextI(fnArg(pFields, 1), fnArg(pFields, 2));
    return fnSetResult(pszResult, cchResult, pszFound ? pszFound : "");
}

int fnFunStrCmp(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    return fnSetResult(pszResult, cchResult, fnTrueFalse(strcmp(fnArg(pFields, 1), fnArg(pFields, 2)) == 0));
}

int fnFunStrICmp(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    return fnSetResult(pszResult, cchResult, fnTrueFalse(fnTextEqualI(fnArg(pFields, 1), fnArg(pFields, 2))));
}

int fnFunCharRemove(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    char cRemove = fnArg(pFields, 2)[0];
    TextBuildStruct build;
    fnBuildStart(&build, pszResult, cchResult);
    for (const char *p = fnArg(pFields, 1); *p; p++) {
        if (*p != cRemove)
            fnBuildChar(&build, *p);
    }
    return fnResultOf(!build.bCut);
}

// An empty third argument removes the character: writing its NUL into the
// text would cut the text at the first occurrence instead.
int fnFunCharReplace(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    char cOld = fnArg(pFields, 2)[0];
    char cNew = fnArg(pFields, 3)[0];
    TextBuildStruct build;
    fnBuildStart(&build, pszResult, cchResult);
    for (const char *p = fnArg(pFields, 1); *p; p++) {
        if (cOld && *p == cOld) {
            if (cNew)
                fnBuildChar(&build, cNew);
        } else {
            fnBuildChar(&build, *p);
        }
    }
    return fnResultOf(!build.bCut);
}

int fnFunStrReplace(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    const char *pszText = fnArg(pFields, 1);
    const char *pszOld = fnArg(pFields, 2);
    const char *pszFound = pszOld[0] ? fnFindTextI(pszText, pszOld) : NULL;
    if (!pszFound)
        return fnSetResult(pszResult, cchResult, pszText);
    TextBuildStruct build;
    fnBuildStart(&build, pszResult, cchResult);
    for (const char *p = pszText; p < pszFound; p++)
        fnBuildChar(&build, *p);
    fnBuildText(&build, fnArg(pFields, 3));
    fnBuildText(&build, pszFound + strlen(pszOld));
    return fnResultOf(!build.bCut);
}

int fnFunStrLen(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    fnFormatUnsigned64(pszResult, cchResult, strlen(fnArg(pFields, 1)));
    return kFunDone;
}

int fnFunStrAdd(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    return fnAddItem(pFields, pszResult, cchResult, 1, 0, 1);
}

int fnFunStrAddList(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    return fnAddItem(pFields, pszResult, cchResult, 1, 1, 1);
}

int fnFunStrInsert(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    return fnAddItem(pFields, pszResult, cchResult, 0, 0, 0);
}

int fnFunStrInsertList(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    return fnAddItem(pFields, pszResult, cchResult, 0, 1, 0);
}

int fnUniBinText(const char *pszText, unsigned long uCount, char *pszResult, size_t cchResult, unsigned *puConverted)
{
    static const char kszHex[] = "0123456789abcdef";
    *puConverted = 0;
    if (cchResult)
        pszResult[0] = '\0';
    size_t cchText = strlen(pszText);
    if (uCount && uCount < cchText)
        pszText += cchText - uCount;
    if (!pszText[0])
        return kFunFailed;
    size_t cchUsed = 0;
    for (const char *p = pszText; *p; p++) {
        // Each character takes "xx 00" and, after the first, one space before it.
        size_t cchItem = (p == pszText) ? 5 : 6;
        if (cchUsed + cchItem + 1 > cchResult)
            return kFunCut;
        if (p != pszText)
            pszResult[cchUsed++] = ' ';
        unsigned char b = (unsigned char)*p;
        pszResult[cchUsed++] = kszHex[b >> 4];
        pszResult[cchUsed++] = kszHex[b & 15];
        memcpy(pszResult + cchUsed, " 00", 3);
        cchUsed += 3;
        pszResult[cchUsed] = '\0';
        ++*puConverted;
    }
    return kFunDone;
}

int fnVersionCodeMatches(int iCode, const char *pszOperator)
{
    if (fnTextEqualI(pszOperator, "GE"))
        return iCode == kVerEqual || iCode == kVerNewer;
    if (fnTextEqualI(pszOperator, "LE"))
        return iCode == kVerEqual || iCode == kVerOlder;
    if (fnTextEqualI(pszOperator, "LT"))
        return iCode == kVerOlder;
    if (fnTextEqualI(pszOperator, "GT"))
        return iCode == kVerNewer;
    if (fnTextEqualI(pszOperator, "EQ"))
        return iCode == kVerEqual;
    if (fnTextEqualI(pszOperator, "NE"))
        return iCode != kVerEqual;
    return 0;
}

const char *fnTrueFalse(int bTrue)
{
    return bTrue ? "TRUE" : "FALSE";
}
