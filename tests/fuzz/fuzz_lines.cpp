// Script lines and fields: the line reader over a whole text, every field of
// every line, the section and header finders and the condition split.
#include "fuzz_support.h"

#include "run/text.h"
#include "script/lines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pb, size_t cb)
{
    FuzzInput in = fnFuzzInput(pb, cb, kcchInfLine);
    FuzzCopy text(in.Raw(0));
    const char *pszEnd = text.psz + strlen(text.psz);

    // Read every line as a section does, at the chosen line capacity too.
    const size_t acchLine[] = {0, 1, 2, in.cchPick, kcchInfLine};
    for (size_t cchLine : acchLine) {
        FuzzBuffer line(cchLine);
        char *pszLine = line.psz;
        const char *pszPos = text.psz;
        unsigned uLines = 0;
        while (pszPos && *pszPos && uLines++ < 4096) {
            if (cchLine)
                pszLine[0] = '\0';
            const char *pszNext = fnInfReadLine(pszPos, pszLine, cchLine);
            if (!pszNext) {
                const char *pszHeader = fnInfFindHeader(pszPos);
                pszNext = pszHeader ? strchr(pszHeader, '\n') : NULL;
                if (!pszNext)
                    break;
                pszNext++;
            } else {
                FUZZ_CHECK(pszNext > pszPos && pszNext <= pszEnd);
            }
            if (cchLine > 1 && pszLine[0])
                FUZZ_CHECK(strlen(pszLine) < cchLine);
            // Fields of the lines as a section reads them, up to the first missing one.
            if (cchLine == kcchInfLine && pszLine[0]) {
                fnInfIsGuardLine(pszLine);
                fnInfConditionRemainder(pszLine);
                int bMore = 1;
                for (unsigned uField = 0; uField < 12 && bMore; uField++) {
                    FuzzCopy copy(pszLine);
                    fnAtCapacities(in, false, [&](char *psz, size_t cch) {
                        return fnInfParseField(copy.psz, uField, psz, cch);
                    }, [&](const char *psz, size_t cch, int iFound) {
                        if (cch)
                            FUZZ_CHECK(memchr(psz, '\0', cch) != NULL);
                        if (!iFound && cch)
                            FUZZ_CHECK(psz[0] == '\0');
                        if (cch > 1 && !iFound && uField > 0)
                            bMore = 0;
                    });
                }
            }
            pszPos = pszNext;
        }
    }

    // Sections and headers named by the second text.
    const char *pszHeader = in.Text(1);
    const char *pszSection = fnInfFindSection(text.psz, pszHeader, (int)(in.uVariant & 1));
    if (pszSection)
        FUZZ_CHECK(pszSection >= text.psz && pszSection <= pszEnd);
    fnInfCountLines(text.psz, pszHeader[0] ? pszHeader : NULL, 1000);
    const char *pszFirst = fnInfFindHeader(text.psz);
    if (pszFirst) {
        FUZZ_CHECK(*pszFirst == '[');
        const char *pszBody = fnInfSectionBody(pszFirst);
        FUZZ_CHECK(pszBody >= pszFirst && pszBody <= pszEnd);
        fnAtCapacities(in, false, [&](char *psz, size_t cch) { return fnInfHeaderOf(pszFirst, psz, cch); });
    }
    fnInfLineAction((int)in.uVariant + 90);
    return 0;
}
