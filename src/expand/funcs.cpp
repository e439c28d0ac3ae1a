// Inline functions: finding the function of a call, splitting and expanding
// its arguments, and the functions that look at files. The text work of the
// others is in funcs_text.cpp.
#include <windows.h>

#include "expand/expand.h"
#include "base/attrib.h"
#include "expand/expand_text.h"
#include "expand/funcs_text.h"
#include "base/version.h"
#include "run/trace.h"
#include "run/text.h"

namespace {

// Extra traces some functions write after computing.
enum { kTraceNone, kTraceCompare, kTraceResult };

struct FunRowStruct {
    const char *pszName;   // matched at the start of the call, any case, with its "("
    unsigned uFields;      // arguments taken
    unsigned uExpandMask;  // bit n-1: argument n is expanded
    PFN_FUNTEXT pfnFun;
    unsigned uTrace;
};

int fnSetText(char *pszResult, size_t cchResult, const char *pszText)
{
    return fnCopyText(pszResult, cchResult, pszText) ? kFunDone : kFunCut;
}

// "fnGetArg(": the text is expanded once more before its item is taken.
int fnFunGetArgExpanded(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    FunFieldsStruct fields;
    fnCopyText(fields.szField[0], COUNTOF(fields.szField[0]), pFields->szField[0]);
    fnCopyText(fields.szField[1], COUNTOF(fields.szField[1]), pFields->szField[1]);
    fnExpandOpts(fields.szField[0], COUNTOF(fields.szField[0]));
    return fnFunGetArg(&fields, pszResult, cchResult);
}

int fnFunGetFileVer(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    char cWhich = fnUpperChar(pFields->szField[1][0]);
    if (cWhich != 'P' && cWhich != 'F')
        return kFunDone;
    char szFileVer[kcchVersionText];
    char szProductVer[kcchVersionText];
    fnGetFileVersion(pFields->szField[0], szFileVer, szProductVer, NULL);
    return fnSetText(pszResult, cchResult, cWhich == 'P' ? szProductVer : szFileVer);
}

int fnFunCmpFileVer(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    int iCode = fnCmpFileVersion(pFields->szField[0], pFields->szField[1]);
    return fnSetText(pszResult, cchResult, fnTrueFalse(fnVersionCodeMatches(iCode, pFields->szField[2])));
}

int fnFunFileExist(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    return fnSetText(pszResult, cchResult, fnTrueFalse(fnFileOrDirExists(pFields->szField[0])));
}

int fnFunStrEndToUniBin(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    unsigned long uCount = fnReadCount(pFields->szField[1]);
    unsigned uConverted = 0;
    int iRC = fnUniBinText(pFields->szField[0], uCount, pszResult, cchResult, &uConverted);
    TRACE("fnParseFun fnStrEndToUniBin", "lpszTmp=%s, szResult=%s, uInc=%u, uField=%u", pFields->szField[0], pszResult,
          uConverted, (unsigned)uCount);
    return iRC;
}

const FunRowStruct g_aFunRows[] = {
    {"fnSum(", 9, 0x1FF, fnFunSum, kTraceNone},
    {"fnDif(", 9, 0x1FF, fnFunDif, kTraceNone},
    {"fnGetArg(", 2, 0x1, fnFunGetArgExpanded, kTraceNone},
    {"fnGetFileVer(", 2, 0x1, fnFunGetFileVer, kTraceNone},
    {"fnStrBegin(", 2, 0x1, fnFunStrBegin, kTraceNone},
    {"fnStrEnd(", 2, 0x1, fnFunStrEnd, kTraceNone},
    {"fnStrInStr(", 2, 0x3, fnFunStrInStr, kTraceNone},
    {"fnStrStr(", 2, 0x3, fnFunStrStr, kTraceNone},
    {"fnStrCmp(", 2, 0x3, fnFunStrCmp, kTraceCompare},
    {"fnStrICmp(", 2, 0x3, fnFunStrICmp, kTraceCompare},
    {"fnCharRemove(", 2, 0x3, fnFunCharRemove, kTraceNone},
    {"fnCharReplace(", 3, 0x7, fnFunCharReplace, kTraceNone},
    {"fnCmpFileVer(", 3, 0x7, fnFunCmpFileVer, kTraceNone},
    {"fnStrReplace(", 3, 0x7, fnFunStrReplace, kTraceNone},
    {"fnStrLen(", 1, 0x1, fnFunStrLen, kTraceNone},
    {"fnFileExist(", 1, 0x1, fnFunFileExist, kTraceNone},
    {"fnStrAdd(", 2, 0x3, fnFunStrAdd, kTraceNone},
    {"fnStrAddList(", 2, 0x3, fnFunStrAddList, kTraceNone},
    {"fnStrInsert(", 2, 0x3, fnFunStrInsert, kTraceNone},
    {"fnStrInsertList(", 2, 0x3, fnFunStrInsertList, kTraceNone},
    {"fnStrEndToUniBin(", 2, 0x1, fnFunStrEndToUniBin, kTraceResult},
};

// Runs one function on the call text; kFun* result.
int fnRunFun(const FunRowStruct *pRow, const char *pszFun, FunFieldsStruct *pFields, char *pszResult, size_t cchResult)
{
    size_t cchName = strlen(pRow->pszName);
    char szTitle[kcchTraceCaption] = "fnParseFun";
    if (g_uTraceMode)  // formatting costs more than many a function
        fnFormatText(szTitle, COUNTOF(szTitle), "fnParseFun %.*s", (int)(cchName - 1), pRow->pszName);
    TRACE(szTitle, "szFun=%s", pszFun);
    if (!fnGetFunFields(pszFun, cchName, pFields, pRow->uFields))
        return kFunFailed;
    for (unsigned i = 0; i < pRow->uFields; i++) {
        if (pRow->uExpandMask & (1u << i))
            fnExpandOpts(pFields->szField[i], COUNTOF(pFields->szField[i]));
    }
    int iRC = pRow->pfnFun(pFields, pszResult, cchResult);
    if (pRow->uTrace == kTraceCompare)
        TRACE(szTitle, "szFun=%s, szField1=%s, szField2=%s", pszFun, pFields->szField[0], pFields->szField[1]);
    else if (pRow->uTrace == kTraceResult)
        TRACE(szTitle, "szFun=%s, szResult=%s", pszFun, pszResult);
    if (iRC == kFunCut)
        TRACE(szTitle, "The result was cut to %u characters:\n%s", (unsigned)(cchResult - 1), pszResult);
    return iRC;
}

}  // namespace

int fnGetFunFields(const char *pszFun, size_t cchPrefix, FunFieldsStruct *pFields, unsigned uCount)
{
    int bRC = fnSplitFunArgs(pszFun, cchPrefix, pFields, uCount);
    if (g_uTraceMode) {
        for (unsigned i = 0; i < uCount && i < kuFunFields; i++) {
            if (i == 0)
                TRACE("fnGetFunFields", "lpszFun=%s,\nlpszField1=%s", pszFun, pFields->szField[0]);
            else
                TRACE("fnGetFunFields", "lpszFun=%s,\nlpszField%u=%s", pszFun, i + 1, pFields->szField[i]);
        }
        if (!bRC)
            TRACE("fnGetFunFields", "lpszFun=%s,\nAn argument is longer than %u characters.", pszFun,
                  (unsigned)(kcchFunField - 1));
    }
    return bRC;
}

int fnParseFun(const char *pszFun, char *pszResult, size_t cchResult)
{
    char szFun[kcchExpandTarget];
    fnCopyText(szFun, COUNTOF(szFun), pszFun);
    FunFieldsStruct fields;
    for (unsigned i = 0; i < kuFunFields; i++)
        fields.szField[i][0] = '\0';
    char szResult[kcchFunResult] = "";
    int bRC = 1;
    for (const FunRowStruct &row : g_aFunRows) {
        if (fnTextBeginsI(szFun, row.pszName)) {
            bRC = fnRunFun(&row, szFun, &fields, szResult, COUNTOF(szResult)) != kFunFailed;
            break;
        }
    }
    if (!bRC)
        szResult[0] = '\0';
    TRACE("fnParseFun Return",
          "szFun=%s,\nszField1=%s,\nszField2=%s,\nszField3=%s,\nszField4=%s,\nszField5=%s,\nszField6=%s,\n"
          "szField7=%s,\nszField8=%s,\nszField9=%s,\nszResult=%s,\nlpszResult=%s",
          szFun, fields.szField[0], fields.szField[1], fields.szField[2], fields.szField[3], fields.szField[4],
          fields.szField[5], fields.szField[6], fields.szField[7], fields.szField[8], szResult, szResult);
    if (!fnCopyText(pszResult, cchResult, szResult))
        TRACE("fnParseFun Return", "The result was cut to %u characters.", (unsigned)(cchResult - 1));
    return bRC;
}
