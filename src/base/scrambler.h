// The scrambled script form: a state-driven substitution over the bytes 1-127
// that leaves NUL, CR, LF and bytes of 128 and above untouched, so a scrambled
// text keeps its line ends and never gains a NUL, CR or LF. Pure, no Windows.
#ifndef SETUP32_BASE_SCRAMBLER_H
#define SETUP32_BASE_SCRAMBLER_H

#include <stddef.h>

enum { kuScrambleEntries = 127 };

extern const unsigned char g_abScrambleAlphabet[kuScrambleEntries];
extern const unsigned char g_abScrambleTable[kuScrambleEntries][kuScrambleEntries];

int fnShiftEnCrypt(unsigned char *pbText, unsigned uStart, size_t cbText);  // scrambles in place; 0 no text, length 0 or uStart > 126, else 1
int fnShiftDeCrypt(unsigned char *pbText, unsigned uStart, size_t cbText);  // unscrambles in place; 0 no text, length 0 or uStart > 126, else 1

unsigned fnPickStartState(unsigned uSeed);  // starting state 1-126 drawn from a generator seeded with uSeed
int fnEnCryptString(char *pszText, unsigned uSeed);  // scrambles a NUL-terminated text (buffer has room for one more byte) and appends the state; 0 failed
int fnDeCryptString(char *pszText);                  // takes the last byte as state, removes it and unscrambles; 0 empty text or state > 126 (text unchanged)

#endif
