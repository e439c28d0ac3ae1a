// Registry and version text: root names, key joining, type keywords, number
// and hex data texts, version numbers and their conditions.
#include "fuzz_support.h"

#include "base/registry_text.h"
#include "base/version.h"
#include "run/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pb, size_t cb)
{
    FuzzInput in = fnFuzzInput(pb, cb, 1024);
    const std::string &strText = in.Raw(0);
    const char *pszText = in.Text(0);

    {
        FuzzCopy key(strText);
        std::string strBefore = key.psz;
        int iRoot = fnFindRegRoot(key.psz);
        FUZZ_CHECK(iRoot >= -1 && iRoot < kRegRootCount);
        if (iRoot < 0)
            FUZZ_CHECK(strBefore == key.psz);
        FUZZ_CHECK(fnRegRootName(iRoot) != NULL);
    }
    fnRegTypeOf(pszText);
    fnRegParseNumber(pszText);

    // Joining a key: on failure the path is left as it was. The path is
    // read and written in place, so it needs room for its own NUL.
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        if (!cch)
            return 0;
        fnCopyText(psz, cch, in.Text(1));
        std::string strBefore = psz;
        int iRC = fnRegJoinKey(psz, cch, pszText);
        if (!iRC)
            FUZZ_CHECK(strBefore == psz);
        return iRC;
    });
    FuzzBuffer hex(in.cchPick);
    unsigned char *pbHex = (unsigned char *)hex.psz;
    size_t cbHex = 0;
    if (fnRegParseHex(pszText, pbHex, in.cchPick, &cbHex))
        FUZZ_CHECK(cbHex <= in.cchPick);
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        return fnRegHexText((const unsigned char *)strText.data(), strText.size(), psz, cch);
    });
    {
        FuzzCopy number(strText, in.cchPick);
        fnRegNextNumber(number.psz, number.cch);
        FUZZ_CHECK(strlen(number.psz) < number.cch);
    }

    unsigned short awVer[4];
    fnParseVersionText(pszText, awVer);
    static const int aiCodes[] = {0, 1, 2, 3, 5, 7, 11};
    fnVersionCodeMeets(aiCodes[in.uVariant % 7], in.Text(1));
    return 0;
}
