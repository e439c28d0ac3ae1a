// What the fuzz targets share: reading the input as a few texts, and calling
// a function that writes into a buffer at several capacities, each buffer on
// the heap at exactly its size so that the address sanitizer sees a single
// byte written or read past it.
//
// Input layout of every target: byte 0 picks a variant (which function, a
// request number), byte 1 the third capacity tried, the rest are texts
// separated by the byte 0x1F (unit separator), which scripts never hold.
#ifndef SETUP32_TESTS_FUZZ_SUPPORT_H
#define SETUP32_TESTS_FUZZ_SUPPORT_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

// Stops the run with a message: libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(cond)                                                          \
    do {                                                                          \
        if (!(cond)) {                                                            \
            fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            abort();                                                              \
        }                                                                         \
    } while (0)

struct FuzzInput {
    unsigned uVariant = 0;
    size_t cchPick = 0;              // the third capacity: 2 .. cchFull
    std::vector<std::string> vecText;

    // The i-th text ("" when there are fewer).
    const char *Text(size_t i) const { return i < vecText.size() ? vecText[i].c_str() : ""; }
    // The i-th text with its bytes as given (NULs included).
    const std::string &Raw(size_t i) const
    {
        static const std::string strEmpty;
        return i < vecText.size() ? vecText[i] : strEmpty;
    }
};

// Cuts the input; cchFull is the largest capacity the target's callers use.
inline FuzzInput fnFuzzInput(const uint8_t *pb, size_t cb, size_t cchFull)
{
    FuzzInput in;
    in.uVariant = cb > 0 ? pb[0] : 0;
    unsigned uPick = cb > 1 ? pb[1] : 0;
    // Small capacities often, the full one now and then.
    static const size_t acchSmall[] = {2, 3, 4, 5, 8, 13, 16, 64};
    if (uPick < 200)
        in.cchPick = acchSmall[uPick % 8];
    else
        in.cchPick = cchFull;
    if (in.cchPick > cchFull)
        in.cchPick = cchFull;
    in.vecText.emplace_back();
    for (size_t i = 2; i < cb; i++) {
        if (pb[i] == 0x1F)
            in.vecText.emplace_back();
        else
            in.vecText.back().push_back((char)pb[i]);
    }
    return in;
}

// A heap buffer of exactly cch bytes filled with 0xAA. The sanitizer lets a
// program touch the one byte of a malloc(0), so a buffer of no bytes points
// just past a one-byte block: any access to it is reported.
struct FuzzBuffer {
    explicit FuzzBuffer(size_t cch)
    {
        pbBlock = (char *)malloc(cch ? cch : 1);
        FUZZ_CHECK(pbBlock != NULL);
        memset(pbBlock, 0xAA, cch ? cch : 1);
        psz = cch ? pbBlock : pbBlock + 1;
    }
    ~FuzzBuffer() { free(pbBlock); }
    FuzzBuffer(const FuzzBuffer &) = delete;
    FuzzBuffer &operator=(const FuzzBuffer &) = delete;
    char *pbBlock;
    char *psz;
};

// Calls fnWrite(pszOut, cchOut) with capacities 0, 1 and in.cchPick, each in
// a fresh FuzzBuffer of exactly that size. With
// bTerminates, a buffer with room must come back NUL-terminated. fnCheck
// (pszOut, cchOut, iResult) may check the function's contract.
template <typename Write, typename Check>
void fnAtCapacities(const FuzzInput &in, bool bTerminates, Write fnWrite, Check fnCheck)
{
    const size_t acch[] = {0, 1, in.cchPick};
    for (size_t cch : acch) {
        FuzzBuffer buffer(cch);
        int iResult = fnWrite(buffer.psz, cch);
        if (bTerminates && cch)
            FUZZ_CHECK(memchr(buffer.psz, '\0', cch) != NULL);
        fnCheck(buffer.psz, cch, iResult);
    }
}

template <typename Write>
void fnAtCapacities(const FuzzInput &in, bool bTerminates, Write fnWrite)
{
    fnAtCapacities(in, bTerminates, fnWrite, [](const char *, size_t, int) {});
}

// A writable heap copy of a text at exactly its size (for in-place edits).
struct FuzzCopy {
    explicit FuzzCopy(const std::string &str, size_t cchRoom = 0)
    {
        cch = (cchRoom > str.size() + 1) ? cchRoom : str.size() + 1;
        psz = (char *)malloc(cch);
        memset(psz, 0, cch);
        memcpy(psz, str.c_str(), str.size() + 1 <= cch ? str.size() + 1 : cch);
        psz[cch - 1] = '\0';
    }
    ~FuzzCopy() { free(psz); }
    FuzzCopy(const FuzzCopy &) = delete;
    FuzzCopy &operator=(const FuzzCopy &) = delete;
    char *psz;
    size_t cch;
};

#endif
