#include <stdint.h>
#include <string.h>

#include <vector>

#include <gtest/gtest.h>

#include "base/scrambler.h"

namespace {

uint32_t fnNextRandom(uint32_t *puState)
{
    *puState ^= *puState << 13;
    *puState ^= *puState >> 17;
    *puState ^= *puState << 5;
    return *puState;
}

bool fnIsKeptByte(unsigned char b)
{
    return b == 0 || b == '\r' || b == '\n' || b >= 128;
}

// ---- Tables ----------------------------------------------------------

// The first-index entries (0-124) of a row hold each of the 125 values
// 1-127 except CR and LF exactly once; the last two entries repeat earlier ones.
void fnExpectRowIsBijection(const unsigned char *pbRow, const char *pszWhat, unsigned uRow)
{
    bool abSeen[128] = {};
    for (unsigned j = 0; j < 125; j++) {
        unsigned char b = pbRow[j];
        ASSERT_TRUE(b >= 1 && b < 128 && b != '\r' && b != '\n') << pszWhat << uRow << " [" << j << "]";
        ASSERT_FALSE(abSeen[b]) << pszWhat << uRow << " repeats " << (int)b;
        abSeen[b] = true;
    }
    for (unsigned j = 125; j < kuScrambleEntries; j++)
        ASSERT_TRUE(abSeen[pbRow[j]]) << pszWhat << uRow << " [" << j << "] is a new value";
}

TEST(ScrambleTables, AlphabetAndEveryRowAreBijections)
{
    fnExpectRowIsBijection(g_abScrambleAlphabet, "alphabet", 0);
    for (unsigned uRow = 0; uRow < kuScrambleEntries; uRow++)
        fnExpectRowIsBijection(g_abScrambleTable[uRow], "row ", uRow);
}

// Pins a known scrambling: the tables are a stored format and must never change.
TEST(ScrambleTables, StoredFormatIsFixed)
{
    unsigned char abText[] = "[Setup]\r\nTitle=Demo\r\n";
    const unsigned char abExpected[] = {32, 42, 44, 113, 44, 92, 49, 13, 10, 66, 64,
                                        7,  127, 67, 111, 43, 62, 3, 15, 13, 10};
    ASSERT_EQ(sizeof(abText) - 1, sizeof(abExpected));
    ASSERT_EQ(fnShiftEnCrypt(abText, 1, sizeof(abExpected)), 1);
    EXPECT_EQ(memcmp(abText, abExpected, sizeof(abExpected)), 0);
    EXPECT_EQ(g_abScrambleAlphabet[0], 72);
    EXPECT_EQ(g_abScrambleAlphabet[126], 90);
}

// ---- Scramble and unscramble ----------------------------------------

TEST(ShiftCrypt, RoundTripsRandomTextsOverAllBytes)
{
    uint32_t uRand = 0xC0FFEEu;
    for (int iRound = 0; iRound < 2000; iRound++) {
        size_t cb = 1 + fnNextRandom(&uRand) % 300;
        unsigned uStart = fnNextRandom(&uRand) % kuScrambleEntries;
        std::vector<unsigned char> vPlain(cb);
        for (unsigned char &b : vPlain)
            b = (unsigned char)fnNextRandom(&uRand);
        std::vector<unsigned char> vText = vPlain;

        ASSERT_EQ(fnShiftEnCrypt(vText.data(), uStart, cb), 1);
        for (size_t i = 0; i < cb; i++) {
            if (fnIsKeptByte(vPlain[i])) {
                ASSERT_EQ(vText[i], vPlain[i]) << "kept byte changed at " << i;
            } else {
                ASSERT_FALSE(fnIsKeptByte(vText[i])) << "scrambled to a kept byte at " << i;
            }
        }
        ASSERT_EQ(fnShiftDeCrypt(vText.data(), uStart, cb), 1);
        ASSERT_EQ(vText, vPlain) << "round " << iRound;
    }
}

TEST(ShiftCrypt, ScramblingDependsOnStateAndHistory)
{
    unsigned char abA[] = "AAAA";
    unsigned char abB[] = "AAAA";
    fnShiftEnCrypt(abA, 1, 4);
    fnShiftEnCrypt(abB, 2, 4);
    EXPECT_NE(memcmp(abA, "AAAA", 4), 0);
    EXPECT_NE(memcmp(abA, abB, 4), 0);
    // Kept bytes leave the state alone: "A\nA" scrambles its second A like "AA" does.
    unsigned char abPlain[] = "AA";
    unsigned char abBroken[] = "A\n\0\xC8" "A";
    fnShiftEnCrypt(abPlain, 7, 2);
    fnShiftEnCrypt(abBroken, 7, 5);
    EXPECT_EQ(abBroken[0], abPlain[0]);
    EXPECT_EQ(abBroken[4], abPlain[1]);
}

TEST(ShiftCrypt, RejectsMissingTextZeroLengthAndBadState)
{
    unsigned char abText[] = "abc";
    EXPECT_EQ(fnShiftEnCrypt(NULL, 1, 3), 0);
    EXPECT_EQ(fnShiftDeCrypt(NULL, 1, 3), 0);
    EXPECT_EQ(fnShiftEnCrypt(abText, 1, 0), 0);
    EXPECT_EQ(fnShiftDeCrypt(abText, 1, 0), 0);
    EXPECT_EQ(fnShiftEnCrypt(abText, kuScrambleEntries, 3), 0);
    EXPECT_EQ(fnShiftDeCrypt(abText, 200, 3), 0);
    EXPECT_STREQ((const char *)abText, "abc");
}

// ---- Start state and strings ----------------------------------------

TEST(PickStartState, MatchesRuntimeRandAndStaysInRange)
{
    // Seed 1: rand() gives 41, then 18467; 1 + 18467 * 126 / 32767 = 72.
    EXPECT_EQ(fnPickStartState(1), 72u);
    // Seed 0: rand() gives 38, then 7719; 1 + 7719 * 126 / 32767 = 30.
    EXPECT_EQ(fnPickStartState(0), 30u);
    uint32_t uRand = 99;
    for (int i = 0; i < 100000; i++) {
        unsigned uState = fnPickStartState(fnNextRandom(&uRand));
        ASSERT_GE(uState, 1u);
        ASSERT_LE(uState, 126u);
    }
}

TEST(CryptString, RoundTripsAndAppendsState)
{
    const char *apszTexts[] = {"x", "Password1", "C:\\Program Files\\App", "with\ttab and \xE9 accent"};
    for (unsigned uSeed = 0; uSeed < 50; uSeed++) {
        for (const char *pszText : apszTexts) {
            char szBuf[64];
            snprintf(szBuf, sizeof(szBuf), "%s", pszText);
            size_t cch = strlen(szBuf);
            ASSERT_EQ(fnEnCryptString(szBuf, uSeed), 1);
            ASSERT_EQ(strlen(szBuf), cch + 1) << pszText;
            EXPECT_EQ((unsigned char)szBuf[cch], fnPickStartState(uSeed));
            ASSERT_EQ(fnDeCryptString(szBuf), 1);
            EXPECT_STREQ(szBuf, pszText);
        }
    }
}

TEST(CryptString, RejectsEmptyAndBadInput)
{
    char szEmpty[4] = "";
    EXPECT_EQ(fnEnCryptString(szEmpty, 1), 0);
    EXPECT_STREQ(szEmpty, "");
    EXPECT_EQ(fnDeCryptString(szEmpty), 0);
    EXPECT_EQ(fnEnCryptString(NULL, 1), 0);
    EXPECT_EQ(fnDeCryptString(NULL), 0);
    char szBadState[] = "abc\xC8";
    EXPECT_EQ(fnDeCryptString(szBadState), 0);
    EXPECT_STREQ(szBadState, "abc\xC8");
}

}  // namespace
