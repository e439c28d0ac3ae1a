// The scrambled script form: scrambling then unscrambling gives back every
// byte, and a scrambled text never gains a NUL, CR or LF nor changes a byte
// of 128 and above. Any difference stops the run.
#include "fuzz_support.h"

#include "base/scrambler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pb, size_t cb)
{
    if (cb < 1)
        return 0;
    unsigned uStart = pb[0] % kuScrambleEntries;
    std::string strOrig((const char *)pb + 1, cb - 1);
    std::string strWork = strOrig;
    unsigned char *pbWork = (unsigned char *)&strWork[0];
    if (strWork.empty())
        return 0;

    FUZZ_CHECK(fnShiftEnCrypt(pbWork, uStart, strWork.size()) == 1);
    for (size_t i = 0; i < strOrig.size(); i++) {
        unsigned char bOld = (unsigned char)strOrig[i], bNew = pbWork[i];
        if (bOld == 0 || bOld == '\r' || bOld == '\n' || bOld >= 128)
            FUZZ_CHECK(bNew == bOld);
        else
            FUZZ_CHECK(bNew != 0 && bNew != '\r' && bNew != '\n' && bNew < 128);
    }
    FUZZ_CHECK(fnShiftDeCrypt(pbWork, uStart, strWork.size()) == 1);
    FUZZ_CHECK(strWork == strOrig);

    // The string form: the state byte goes on the end and comes off again.
    std::string strText(strOrig.c_str());
    FuzzCopy text(strText, strText.size() + 2);
    if (fnEnCryptString(text.psz, (unsigned)cb * 2654435761u)) {
        FUZZ_CHECK(strlen(text.psz) == strText.size() + 1);
        FUZZ_CHECK(fnDeCryptString(text.psz) == 1);
        FUZZ_CHECK(strText == text.psz);
    } else {
        FUZZ_CHECK(strText.empty());
    }
    // Unscrambling any text stays inside it.
    FuzzCopy any(strText);
    fnDeCryptString(any.psz);
    return 0;
}
