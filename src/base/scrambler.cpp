// The scrambled script form. A state s (a table row) walks along the text:
// each byte found in the alphabet at first index j becomes entry j of row s,
// and j becomes the next state. Unscrambling walks the same way, looking the
// byte up in row s. Because every row holds each alphabet value exactly once
// among its first-index entries, the walk is exactly reversible. NUL, CR, LF
// and bytes of 128 and above are not in the alphabet: they pass unchanged and
// leave the state as it is, so line ends survive scrambling.
#include <stddef.h>
#include <string.h>

#include "base/scrambler.h"
#include "run/text.h"

namespace {

// First index at which the row holds b, or kuScrambleEntries when it does not.
unsigned fnFirstIndexOf(const unsigned char *pbRow, unsigned char b)
{
    unsigned j = 0;
    while (j < kuScrambleEntries && pbRow[j] != b)
        j++;
    return j;
}

int fnIsScrambleByte(unsigned char b)
{
    return b != 0 && b < 128;
}

}  // namespace

int fnShiftEnCrypt(unsigned char *pbText, unsigned uStart, size_t cbText)
{
    if (!pbText || cbText == 0 || uStart >= kuScrambleEntries)
        return 0;
    unsigned uState = uStart;
    for (size_t i = 0; i < cbText; i++) {
        if (!fnIsScrambleByte(pbText[i]))
            continue;
        unsigned j = fnFirstIndexOf(g_abScrambleAlphabet, pbText[i]);
        if (j == kuScrambleEntries)
            continue;
        pbText[i] = g_abScrambleTable[uState][j];
        uState = j;
    }
    return 1;
}

int fnShiftDeCrypt(unsigned char *pbText, unsigned uStart, size_t cbText)
{
    if (!pbText || cbText == 0 || uStart >= kuScrambleEntries)
        return 0;
    unsigned uState = uStart;
    for (size_t i = 0; i < cbText; i++) {
        if (!fnIsScrambleByte(pbText[i]))
            continue;
        unsigned j = fnFirstIndexOf(g_abScrambleTable[uState], pbText[i]);
        if (j == kuScrambleEntries)
            continue;
        pbText[i] = g_abScrambleAlphabet[j];
        uState = j;
    }
    return 1;
}

// The C runtime's classic rand() (multiplier 214013, increment 2531011, bits
// 16-30 of the state), so a given seed picks the same state on every build.
unsigned fnPickStartState(unsigned uSeed)
{
    unsigned long uRand = uSeed & 0xFFFFFFFFul;
    unsigned uDraw = 0;
    for (int i = 0; i < 2; i++) {  // the first draw is discarded
        uRand = (uRand * 214013ul + 2531011ul) & 0xFFFFFFFFul;
        uDraw = (unsigned)((uRand >> 16) & 0x7FFF);
    }
    unsigned uState = 1 + uDraw * 126u / 32767u;
    return uState > 126 ? 126 : uState;
}

int fnEnCryptString(char *pszText, unsigned uSeed)
{
    if (!pszText)
        return 0;
    size_t cch = strlen(pszText);
    unsigned uState = fnPickStartState(uSeed);
    if (!fnShiftEnCrypt((unsigned char *)pszText, uState, cch))
        return 0;
    pszText[cch] = (char)uState;  // the caller's buffer has room for this byte
    pszText[cch + 1] = '\0';
    return 1;
}

int fnDeCryptString(char *pszText)
{
    if (!pszText)
        return 0;
    size_t cch = strlen(pszText);
    if (cch == 0)
        return 0;
    unsigned uState = (unsigned char)pszText[cch - 1];
    if (uState >= kuScrambleEntries)
        return 0;
    pszText[cch - 1] = '\0';
    if (cch == 1)
        return 1;  // only the state byte: the text was empty
    return fnShiftDeCrypt((unsigned char *)pszText, uState, cch - 1);
}
