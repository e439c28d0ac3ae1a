// The bounded text helpers and the keyword words: copies, appends and
// formats at every capacity, comparisons, trims and number reading.
#include "fuzz_support.h"

#include "commands/keyword_words.h"
#include "run/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pb, size_t cb)
{
    FuzzInput in = fnFuzzInput(pb, cb, 1024);
    const char *pszA = in.Text(0);
    const char *pszB = in.Text(1);
    size_t cchA = strlen(pszA);

    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        int bWhole = fnCopyText(psz, cch, pszA);
        FUZZ_CHECK(!cch || bWhole == (cchA < cch));
        return bWhole;
    });
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        return fnCopyTextN(psz, cch, pszA, in.uVariant % 16);
    });
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        fnCopyText(psz, cch, pszB);
        return fnAppendText(psz, cch, pszA);
    });
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        // An unterminated destination is terminated at its end.
        return fnAppendText(psz, cch, pszA);
    });
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        return fnFormatText(psz, cch, "%s=%u;%s", pszA, in.uVariant, pszB);
    });
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        fnCopyText(psz, cch, pszB);
        return fnAppendFormat(psz, cch, "[%s]", pszA);
    });

    fnTextEqualI(pszA, pszB);
    fnTextEqualNI(pszA, pszB, in.uVariant);
    fnTextBeginsI(pszA, pszB);
    const char *pszFound = fnFindTextI(pszA, pszB);
    FUZZ_CHECK(!pszFound || (pszFound >= pszA && pszFound <= pszA + cchA));
    {
        FuzzCopy text(in.Raw(0));
        fnUpperText(text.psz);
        FUZZ_CHECK(fnTrimBlanks(text.psz) == text.psz);
    }
    FUZZ_CHECK(fnSkipBlanks(pszA) <= pszA + cchA);
    fnIsTrue(pszA);
    int iYes = fnYesNoField(pszA);
    FUZZ_CHECK(iYes == kYesNoOther || iYes == kYesNoNo || iYes == kYesNoYes);
    FUZZ_CHECK(fnIsYes(pszA) == (iYes == kYesNoYes));
    fnDecimalValue(pszA);

    fnMessageDlgCode(pszA);
    fnBackUpMethodCode(pszA);
    fnOnExitCode(pszA);
    unsigned uSeconds = 77;
    fnPopupWait(pszA, &uSeconds);
    fnPopupDialogId(pszA, in.uVariant & 1);
    return 0;
}
