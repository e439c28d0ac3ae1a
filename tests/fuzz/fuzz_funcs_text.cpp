// Inline functions: argument splitting of a call text, every function that
// needs only its arguments, and the 64-bit number texts.
#include "fuzz_support.h"

#include "expand/funcs_text.h"
#include "run/text.h"

static const PFN_FUNTEXT s_apfnFuns[] = {
    fnFunSum,       fnFunDif,        fnFunGetArg,     fnFunStrBegin,   fnFunStrEnd,   fnFunStrInStr,
    fnFunStrStr,    fnFunStrCmp,     fnFunStrICmp,    fnFunCharRemove, fnFunCharReplace, fnFunStrReplace,
    fnFunStrLen,    fnFunStrAdd,     fnFunStrAddList, fnFunStrInsert,  fnFunStrInsertList,
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pb, size_t cb)
{
    FuzzInput in = fnFuzzInput(pb, cb, kcchFunResult);
    const char *pszCall = in.Text(0);
    size_t cchPrefix = strcspn(pszCall, "(");
    if (pszCall[cchPrefix])
        cchPrefix++;

    FunFieldsStruct *pFields = new FunFieldsStruct;
    memset(pFields, 0xAA, sizeof *pFields);
    fnSplitFunArgs(pszCall, cchPrefix, pFields, in.uVariant % 10);
    for (unsigned u = 0; u < kuFunFields; u++)
        FUZZ_CHECK(memchr(pFields->szField[u], '\0', kcchFunField) != NULL);

    PFN_FUNTEXT pfnFun = s_apfnFuns[in.uVariant % (sizeof s_apfnFuns / sizeof s_apfnFuns[0])];
    fnAtCapacities(in, false, [&](char *psz, size_t cch) {
        return pfnFun(pFields, psz, cch);
    }, [](const char *psz, size_t cch, int iRC) {
        FUZZ_CHECK(iRC == kFunFailed || iRC == kFunDone || iRC == kFunCut);
        if (iRC != kFunFailed && cch)
            FUZZ_CHECK(memchr(psz, '\0', cch) != NULL);
    });

    fnAtCapacities(in, false, [&](char *psz, size_t cch) {
        unsigned uConverted = 0;
        int iRC = fnUniBinText(pFields->szField[0], fnReadCount(pFields->szField[1]), psz, cch, &uConverted);
        FUZZ_CHECK(uConverted <= strlen(pFields->szField[0]));
        return iRC;
    });
    unsigned long long ull = fnReadInt64(pFields->szField[0]);
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        fnFormatUnsigned64(psz, cch, ull);
        return 0;
    });
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        fnFormatSigned64(psz, cch, ull);
        return 0;
    });
    fnVersionCodeMatches((int)in.uVariant % 13, pFields->szField[1]);
    FUZZ_CHECK(fnTrueFalse(in.uVariant & 1)[0] != '\0');
    delete pFields;
    return 0;
}
