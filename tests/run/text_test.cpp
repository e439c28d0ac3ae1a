#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "run/text.h"

namespace {

// ---- Bounded copies ----------------------------------------------------

TEST(CopyText, TerminatesAndReportsTruncation)
{
    struct {
        const char *pszSrc;
        size_t cchDst;
        int bWhole;
        const char *pszExpected;
    } aCases[] = {
        {"abc", 8, 1, "abc"},
        {"abc", 4, 1, "abc"},
        {"abcd", 4, 0, "abc"},
        {"abc", 1, 0, ""},
        {"", 1, 1, ""},
        {NULL, 4, 1, ""},
    };
    for (const auto &c : aCases) {
        char szBuf[8];
        memset(szBuf, 'Z', sizeof(szBuf));
        const char *pszName = c.pszSrc ? c.pszSrc : "(null)";
        EXPECT_EQ(fnCopyText(szBuf, c.cchDst, c.pszSrc), c.bWhole) << pszName << " in " << c.cchDst;
        EXPECT_STREQ(szBuf, c.pszExpected) << pszName;
        if (c.cchDst < sizeof(szBuf)) {
            EXPECT_EQ(szBuf[c.cchDst], 'Z') << pszName << ": wrote past the capacity";
        }
    }
}

TEST(CopyText, ZeroCapacityWritesNothing)
{
    char szBuf[2] = {'Q', 'Q'};
    EXPECT_EQ(fnCopyText(szBuf, 0, "x"), 0);
    EXPECT_EQ(fnCopyTextN(szBuf, 0, "x", 1), 0);
    EXPECT_EQ(fnAppendText(szBuf, 0, "x"), 0);
    EXPECT_EQ(fnFormatText(szBuf, 0, "%d", 1), 0);
    EXPECT_EQ(fnAppendFormat(szBuf, 0, "%d", 1), 0);
    EXPECT_EQ(szBuf[0], 'Q');
    EXPECT_EQ(szBuf[1], 'Q');
}

TEST(CopyTextN, CopiesAtMostCountChars)
{
    struct {
        const char *pszSrc;
        size_t cchSrc;
        size_t cchDst;
        int bWhole;
        const char *pszExpected;
    } aCases[] = {
        {"abcdef", 3, 8, 1, "abc"},
        {"ab", 5, 8, 1, "ab"},
        {"abcdef", 6, 4, 0, "abc"},
        {"abcdef", 3, 4, 1, "abc"},
        {"abcdef", 0, 4, 1, ""},
    };
    for (const auto &c : aCases) {
        char szBuf[8];
        EXPECT_EQ(fnCopyTextN(szBuf, c.cchDst, c.pszSrc, c.cchSrc), c.bWhole) << c.pszSrc << "/" << c.cchSrc;
        EXPECT_STREQ(szBuf, c.pszExpected);
    }
}

TEST(AppendText, AppendsWithinCapacity)
{
    char szBuf[8] = "ab";
    EXPECT_EQ(fnAppendText(szBuf, COUNTOF(szBuf), "cd"), 1);
    EXPECT_STREQ(szBuf, "abcd");
    EXPECT_EQ(fnAppendText(szBuf, COUNTOF(szBuf), "efgh"), 0);
    EXPECT_STREQ(szBuf, "abcdefg");
    EXPECT_EQ(fnAppendText(szBuf, COUNTOF(szBuf), ""), 1);
    // A destination without terminator inside its capacity is terminated, not overrun.
    char szFull[4] = {'w', 'x', 'y', 'z'};
    EXPECT_EQ(fnAppendText(szFull, COUNTOF(szFull), "q"), 0);
    EXPECT_STREQ(szFull, "wxy");
}

TEST(FormatText, FormatsAndReportsTruncation)
{
    char szBuf[8];
    EXPECT_EQ(fnFormatText(szBuf, COUNTOF(szBuf), "%s-%d", "ab", 42), 1);
    EXPECT_STREQ(szBuf, "ab-42");
    EXPECT_EQ(fnFormatText(szBuf, COUNTOF(szBuf), "%s", "0123456789"), 0);
    EXPECT_STREQ(szBuf, "0123456");
    EXPECT_EQ(fnAppendFormat(szBuf, COUNTOF(szBuf), "%d", 1), 0);
    EXPECT_STREQ(szBuf, "0123456");
    char szTwo[8] = "a";
    EXPECT_EQ(fnAppendFormat(szTwo, COUNTOF(szTwo), "%c%u", 'b', 7u), 1);
    EXPECT_STREQ(szTwo, "ab7");
}

// ---- Case and compare helpers ---------------------------------------

TEST(TextCompare, IgnoresAsciiCaseOnly)
{
    EXPECT_TRUE(fnTextEqualI("Setup.INF", "setup.inf"));
    EXPECT_FALSE(fnTextEqualI("setup", "setup.inf"));
    EXPECT_FALSE(fnTextEqualI("setup.inf", "setup"));
    EXPECT_FALSE(fnTextEqualI("\xE9", "\xC9"));
    EXPECT_TRUE(fnTextEqualNI("ABCx", "abcy", 3));
    EXPECT_TRUE(fnTextBeginsI("SkipIfTrue:x", "skipiftrue:"));
    EXPECT_FALSE(fnTextBeginsI("Skip", "SkipIfTrue:"));
    EXPECT_TRUE(fnTextBeginsI("", ""));
}

TEST(TextCompare, FindTextI)
{
    const char *pszText = "-u=Mode,FILE=x";
    EXPECT_EQ(fnFindTextI(pszText, "file="), pszText + 8);
    EXPECT_EQ(fnFindTextI(pszText, "none"), nullptr);
    EXPECT_EQ(fnFindTextI(pszText, ""), pszText);
    EXPECT_NE(fnFindTextI("", ""), nullptr);
    EXPECT_EQ(fnFindTextI("ab", "abc"), nullptr);
}

TEST(TextHelpers, TrimUpperAndTruth)
{
    char szText[] = " \t a b \t ";
    EXPECT_STREQ(fnTrimBlanks(szText), "a b");
    char szBlank[] = " \t ";
    EXPECT_STREQ(fnTrimBlanks(szBlank), "");
    char szUpper[] = "c:\\prog\xE9";
    fnUpperText(szUpper);
    EXPECT_STREQ(szUpper, "C:\\PROG\xE9");
    EXPECT_TRUE(fnIsTrue("true"));
    EXPECT_TRUE(fnIsTrue("1"));
    EXPECT_FALSE(fnIsTrue("yes"));
    EXPECT_FALSE(fnIsTrue("10"));
    EXPECT_TRUE(fnIsYes("y"));
    EXPECT_TRUE(fnIsYes("Yes"));
    EXPECT_FALSE(fnIsYes(""));
}

}  // namespace
