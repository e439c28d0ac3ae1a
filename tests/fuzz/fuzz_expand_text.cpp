// Expansion scanning: the bounded result builder, piece and field
// selection, path parts, escapes, the cut mark and path joining.
#include "fuzz_support.h"

#include "expand/expand_text.h"
#include "run/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pb, size_t cb)
{
    FuzzInput in = fnFuzzInput(pb, cb, kcchExpandTarget);
    const std::string &strText = in.Raw(0);
    const char *pszText = in.Text(0);
    const char *pszDelims = in.Text(1)[0] ? in.Text(1) : ",";
    unsigned uIndex = in.uVariant % 12;

    // The builder never writes past its buffer and counts what it holds.
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        TextBuildStruct build;
        fnBuildStart(&build, psz, cch);
        for (size_t i = 0; i < strText.size() && i < 64; i++)
            fnBuildChar(&build, strText[i]);
        fnBuildText(&build, pszText);
        fnBuildText(&build, in.Text(2));
        FUZZ_CHECK(cch == 0 || build.cchUsed < cch);
        FUZZ_CHECK(cch == 0 || strlen(psz) <= build.cchUsed);  // a built NUL ends the text early
        return 0;
    });
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        return fnTakePiece(pszText, strText.size(), pszDelims, uIndex, psz, cch);
    }, [](const char *psz, size_t cch, int iRC) {
        FUZZ_CHECK(iRC == kPieceMissing || iRC == kPieceFound || iRC == kPieceCut);
        if (iRC == kPieceMissing && cch)
            FUZZ_CHECK(psz[0] == '\0');
    });
    for (int iPart = kPartDrive; iPart <= kPartLast; iPart++) {
        fnAtCapacities(in, false, [&](char *psz, size_t cch) {
            return fnPathPart(pszText, (PathPart)iPart, psz, cch);
        }, [](const char *psz, size_t cch, int iRC) {
            if (cch)
                FUZZ_CHECK(memchr(psz, '\0', cch) != NULL && (iRC == 1) == (psz[0] != '\0'));
        });
    }
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        return fnJoinPathParts(psz, cch, pszText, in.Text(2));
    });

    // In-place edits of a value at its own capacity.
    {
        FuzzCopy value(strText, in.cchPick);
        fnSelectField(value.psz, value.cch, uIndex, pszDelims);
        FUZZ_CHECK(strlen(value.psz) < value.cch);
    }
    {
        FuzzCopy value(strText);
        fnTruncateText(value.psz, in.uVariant);
        fnBarPath(value.psz);
        fnCutAtMark(value.psz);
        fnStripTrailingBackslash(value.psz);
        fnFirstLineTrimmed(value.psz);
    }
    unsigned uValue = 0;
    unsigned cchDigits = fnReadSelectorNumber(pszText, &uValue);
    FUZZ_CHECK(cchDigits <= 2);
    char c;
    for (size_t i = 0; i < strText.size() && i < 8; i++)
        fnEscapeChar(strText[i], &c);
    FUZZ_CHECK(fnOSFamilyCode(in.uVariant % 5, in.cchPick % 12, in.uVariant, in.uVariant % 20)[0] == 'W');
    return 0;
}
