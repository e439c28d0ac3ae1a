// Text rules of the expansion language: pieces and fields, selector numbers,
// path parts, escapes, the cut mark, path joining and the family code. Pure:
// no Windows headers.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "expand/expand_text.h"

namespace {

std::string fnPiece(const char *pszText, const char *pszDelims, unsigned uIndex, int *piRC = nullptr,
                    size_t cchOut = 64)
{
    char sz[64];
    int iRC = fnTakePiece(pszText, (size_t)-1, pszDelims, uIndex, sz, cchOut);
    if (piRC)
        *piRC = iRC;
    return sz;
}

std::string fnField(const char *pszValue, unsigned uField, const char *pszDelims = ",=")
{
    char sz[kcchExpanded];
    snprintf(sz, sizeof(sz), "%s", pszValue);
    fnSelectField(sz, sizeof(sz), uField, pszDelims);
    return sz;
}

std::string fnPart(const char *pszPath, PathPart ePart, int *pbRC = nullptr)
{
    char sz[64] = "unchanged";
    int bRC = fnPathPart(pszPath, ePart, sz, sizeof(sz));
    if (pbRC)
        *pbRC = bRC;
    return sz;
}

TEST(ExpandText, PiecesSplitOutsideQuotesAndAreTrimmed)
{
    EXPECT_EQ("alpha", fnPiece("alpha, beta", ",=", 1));
    EXPECT_EQ("beta", fnPiece("alpha, beta", ",=", 2));
    EXPECT_EQ("b", fnPiece("a=b", ",=", 2));
    EXPECT_EQ("a,b", fnPiece("\"a,b\", c", ",", 1)) << "enclosing quotes dropped, comma inside kept";
    EXPECT_EQ("c", fnPiece("\"a,b\", c", ",", 2));
    EXPECT_EQ("x y", fnPiece(" \t x y\r\n ,z", ",", 1)) << "blanks, tabs and line ends trimmed";
    EXPECT_EQ("", fnPiece("a,,b", ",", 2)) << "an empty piece between two delimiters";
    EXPECT_EQ("\"a", fnPiece("\"a", ",", 1)) << "a lone quote is no enclosing pair";

    int iRC = 0;
    EXPECT_EQ("", fnPiece("a,b", ",", 3, &iRC));
    EXPECT_EQ(kPieceMissing, iRC);
    fnPiece("", ",", 1, &iRC);
    EXPECT_EQ(kPieceFound, iRC) << "an empty text is one empty piece";
    EXPECT_EQ("abc", fnPiece("abcdef", ",", 1, &iRC, 4));
    EXPECT_EQ(kPieceCut, iRC);
}

TEST(ExpandText, PieceOfALengthLimitedText)
{
    char sz[16];
    EXPECT_EQ(kPieceFound, fnTakePiece("a,b)c,d", 3, ",", 2, sz, sizeof(sz)));
    EXPECT_STREQ("b", sz);
    EXPECT_EQ(kPieceMissing, fnTakePiece("a,b)c,d", 3, ",", 3, sz, sizeof(sz)));
}

TEST(ExpandText, FieldSelection)
{
    EXPECT_EQ("alpha", fnField("alpha, beta", 0)) << "field 0 is the first field";
    EXPECT_EQ("alpha", fnField("alpha, beta", 1));
    EXPECT_EQ("beta", fnField("alpha, beta", 2));
    EXPECT_EQ("", fnField("alpha, beta", 3)) << "beyond the last field";
    EXPECT_EQ("v", fnField("k=v", 2));
    EXPECT_EQ("a=b", fnField("\"a=b\";c", 1, ";")) << "the delimiter set is the caller's";
    EXPECT_EQ("c", fnField("\"a=b\";c", 2, ";"));
}

TEST(ExpandText, SelectorNumberConsumesOneDigitUpToNineElseTwo)
{
    struct Case {
        const char *pszText;
        unsigned uConsumed;
        unsigned uValue;
    } aCases[] = {
        {"8", 1, 8}, {"08", 1, 0}, {"007", 1, 0}, {"15x", 2, 15}, {"47", 2, 47}, {"470", 2, 470}, {"9a", 1, 9},
    };
    for (const Case &c : aCases) {
        unsigned uValue = 99999;
        EXPECT_EQ(c.uConsumed, fnReadSelectorNumber(c.pszText, &uValue)) << c.pszText;
        EXPECT_EQ(c.uValue, uValue) << c.pszText;
    }
    unsigned uValue = 5;
    EXPECT_EQ(0u, fnReadSelectorNumber("x1", &uValue));
    EXPECT_EQ(0u, fnReadSelectorNumber("", &uValue));
    EXPECT_EQ(5u, uValue) << "unchanged without digits";
    EXPECT_EQ(2u, fnReadSelectorNumber("99999999999999999999", &uValue)) << "a long run of digits does not overflow";
    EXPECT_GT(uValue, 47u);
}

TEST(ExpandText, PathPartsOfADrivePath)
{
    EXPECT_EQ("C:", fnPart("C:\\A\\B\\C.TXT", kPartDrive));
    EXPECT_EQ("C:\\A\\B", fnPart("C:\\A\\B\\C.TXT", kPartDirectory));
    EXPECT_EQ("A\\B\\C.TXT", fnPart("C:\\A\\B\\C.TXT", kPartNoDrive));
    EXPECT_EQ("C.TXT", fnPart("C:\\A\\B\\C.TXT", kPartLast));
    EXPECT_EQ("C:\\", fnPart("C:\\x", kPartDirectory)) << "the root keeps its separator";
    EXPECT_EQ("C:", fnPart("C:x", kPartDirectory));
    EXPECT_EQ("x", fnPart("C:x", kPartLast));
    EXPECT_EQ("C:/a", fnPart("C:/a/b.txt", kPartDirectory));
    EXPECT_EQ("b.txt", fnPart("C:/a/b.txt", kPartLast)) << "forward slashes separate too";
    EXPECT_EQ("rel\\f", fnPart("rel\\f", kPartNoDrive)) << "a path without a drive is kept whole";
}

TEST(ExpandText, PathPartsOfAUncPath)
{
    EXPECT_EQ("\\\\srv\\share", fnPart("\\\\srv\\share\\d\\f.txt", kPartDrive));
    EXPECT_EQ("\\\\srv\\share", fnPart("\\\\srv\\share", kPartDrive));
    EXPECT_EQ("\\\\srv\\share\\", fnPart("\\\\srv\\share", kPartDirectory));
    EXPECT_EQ("\\\\srv\\share\\", fnPart("\\\\srv\\share\\f.txt", kPartDirectory));
    EXPECT_EQ("\\\\srv\\share\\d", fnPart("\\\\srv\\share\\d\\f.txt", kPartDirectory));
    EXPECT_EQ("f.txt", fnPart("\\\\srv\\share\\d\\f.txt", kPartLast));
}

TEST(ExpandText, PathPartsThatCannotBeFormed)
{
    struct Case {
        const char *pszPath;
        PathPart ePart;
    } aCases[] = {
        {"name.txt", kPartDrive}, {"name.txt", kPartDirectory}, {"name.txt", kPartLast}, {"C:\\dir\\", kPartLast},
        {"C:\\", kPartNoDrive},   {"", kPartDrive},             {"", kPartNoDrive},      {"\\\\", kPartDrive},
    };
    for (const Case &c : aCases) {
        int bRC = 1;
        EXPECT_EQ("", fnPart(c.pszPath, c.ePart, &bRC)) << c.pszPath << " part " << c.ePart;
        EXPECT_EQ(0, bRC) << c.pszPath << " part " << c.ePart;
    }
}

TEST(ExpandText, PathPartLongerThanItsBufferFails)
{
    char sz[4];
    EXPECT_EQ(0, fnPathPart("C:\\long\\name", kPartDirectory, sz, sizeof(sz)));
    EXPECT_STREQ("", sz);
}

TEST(ExpandText, Escapes)
{
    const char *pszFrom = "\"q's,c=e<l>g?\\abfnrtvz";
    const char acTo[] = {'"', '"', '\'', '\'', ',', ',', '=', '=', '<', '<', '>', '>', '?', '\\', 7, 8, 12, 10, 13, 9, 11, 0};
    for (size_t i = 0; pszFrom[i]; i++) {
        char c = 'X';
        EXPECT_EQ(1, fnEscapeChar(pszFrom[i], &c)) << pszFrom[i];
        EXPECT_EQ(acTo[i], c) << pszFrom[i];
    }
    char c = 'X';
    for (char cBad : {'x', 'Q', 'N', '\0', '@'}) {
        EXPECT_EQ(0, fnEscapeChar(cBad, &c)) << (int)cBad;
    }
    EXPECT_EQ('X', c);
}

TEST(ExpandText, CutMarkAndBar)
{
    char sz[32] = "ab@Zcd@zef";
    EXPECT_EQ(1, fnCutAtMark(sz));
    EXPECT_STREQ("ab", sz);
    char szLower[32] = "x@zy";
    EXPECT_EQ(1, fnCutAtMark(szLower));
    EXPECT_STREQ("x", szLower);
    char szNone[32] = "a@Yb";
    EXPECT_EQ(0, fnCutAtMark(szNone));
    EXPECT_STREQ("a@Yb", szNone);

    char szPath[32] = "C:\\a\\b";
    fnBarPath(szPath);
    EXPECT_STREQ("C:|a|b", szPath);

    char szDir[32] = "C:\\APP\\";
    fnStripTrailingBackslash(szDir);
    EXPECT_STREQ("C:\\APP", szDir);
    fnStripTrailingBackslash(szDir);
    EXPECT_STREQ("C:\\APP", szDir);
}

TEST(ExpandText, JoinPathPutsExactlyOneBackslash)
{
    char sz[64];
    EXPECT_EQ(1, fnJoinPathParts(sz, sizeof(sz), "C:\\WIN", "\\INF"));
    EXPECT_STREQ("C:\\WIN\\INF", sz);
    fnJoinPathParts(sz, sizeof(sz), "C:\\WIN\\\\", "INF");
    EXPECT_STREQ("C:\\WIN\\INF", sz);
    fnJoinPathParts(sz, sizeof(sz), "\"C:\\Program Files\"", "\\Common Files");
    EXPECT_STREQ("C:\\Program Files\\Common Files", sz) << "quotes stripped";
    fnJoinPathParts(sz, sizeof(sz), "", "\\Desktop");
    EXPECT_STREQ("\\Desktop", sz) << "an empty first part gives the second alone";
    fnJoinPathParts(sz, sizeof(sz), "C:\\WIN", "");
    EXPECT_STREQ("C:\\WIN", sz);
    fnJoinPathParts(sz, sizeof(sz), "", "Unknown");
    EXPECT_STREQ("Unknown", sz);
    EXPECT_EQ(0, fnJoinPathParts(sz, 8, "C:\\WINDOWS", "INF"));
    EXPECT_STREQ("C:\\WIND", sz) << "cut, terminated";
}

TEST(ExpandText, FirstLineTrimmed)
{
    char sz[64] = " \t Intel(R) CPU  \r\nsecond line";
    fnFirstLineTrimmed(sz);
    EXPECT_STREQ("Intel(R) CPU", sz);
}

TEST(ExpandText, BuilderStopsAtItsCapacity)
{
    char sz[8];
    sz[7] = 'C';  // the last byte may hold only the terminator
    TextBuildStruct build;
    fnBuildStart(&build, sz, 7);
    fnBuildText(&build, "abc");
    fnBuildChar(&build, 'd');
    EXPECT_EQ(0, build.bCut);
    fnBuildText(&build, "efgh");
    EXPECT_EQ(1, build.bCut);
    EXPECT_STREQ("abcdef", sz);
    EXPECT_EQ(6u, build.cchUsed);
    fnBuildChar(&build, 'x');
    EXPECT_STREQ("abcdef", sz);
    EXPECT_EQ('C', sz[7]);
}

TEST(ExpandText, FamilyCodes)
{
    struct Case {
        unsigned uPlatform;
        unsigned long dwMajor, dwMinor;
        unsigned uWinOS;
        const char *pszCode;
    } aCases[] = {
        {1, 3, 10, 0, "W31"},  {2, 4, 0, 1, "W95"},   {2, 4, 10, 2, "W98"},  {2, 4, 90, 6, "WME"},
        {3, 4, 0, 3, "WNT"},   {3, 5, 0, 4, "W2K"},   {3, 5, 1, 8, "WXP"},   {3, 5, 1, 7, "WXP"},
        {3, 5, 2, 9, "WXP"},   {3, 5, 2, 10, "W2K"},  {3, 6, 0, 13, "WVS"},  {3, 10, 0, 13, "WVS"},
    };
    for (const Case &c : aCases)
        EXPECT_STREQ(c.pszCode, fnOSFamilyCode(c.uPlatform, c.dwMajor, c.dwMinor, c.uWinOS)) << c.uWinOS;
}

}  // namespace
