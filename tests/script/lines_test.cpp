#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "script/lines.h"

namespace {

struct ReadResult {
    std::vector<std::string> vLines;
    bool bHeader;  // stopped at a header line
};

// Reads lines the way the walker does: clear the buffer, call, stop on NULL or
// an empty buffer.
ReadResult fnReadAll(const char *pszText, size_t cchLine = kcchInfLine)
{
    ReadResult result = {{}, false};
    std::vector<char> vBuf(cchLine);
    const char *pszPos = pszText;
    for (int i = 0; i < 10000; i++) {
        vBuf[0] = '\0';
        pszPos = fnInfReadLine(pszPos, vBuf.data(), cchLine);
        if (!pszPos) {
            result.bHeader = true;
            EXPECT_EQ(vBuf[0], '\0');
            break;
        }
        if (vBuf[0] == '\0')
            break;
        result.vLines.push_back(vBuf.data());
    }
    return result;
}

std::string fnField(const char *pszLine, unsigned uField, int *pbFound = nullptr, bool bQuoted = false)
{
    char szLine[kcchInfLine];
    snprintf(szLine, sizeof(szLine), "%s", pszLine);
    char szOut[kcchInfLine];
    int bFound = bQuoted ? fnInfParseFieldQuoted(szLine, uField, szOut, sizeof(szOut))
                         : fnInfParseField(szLine, uField, szOut, sizeof(szOut));
    if (pbFound)
        *pbFound = bFound;
    return szOut;
}

// ---- Line reader -----------------------------------------------------

struct ReadCase {
    const char *pszName;
    const char *pszText;
    std::vector<std::string> vExpected;
    bool bHeader;
};

TEST(InfReadLine, ReturnsContentLinesOnly)
{
    const ReadCase aCases[] = {
        {"crlf", "a=1\r\nb=2\r\n", {"a=1", "b=2"}, false},
        {"lf only", "a=1\nb=2\n", {"a=1", "b=2"}, false},
        {"cr only", "a=1\rb=2\r", {"a=1", "b=2"}, false},
        {"last line without line end", "a=1\nb=2", {"a=1", "b=2"}, false},
        {"single line without line end", "only", {"only"}, false},
        {"blank lines vanish", "\r\n\r\na\r\n\n\r\r\nb\n\n", {"a", "b"}, false},
        {"blank-only lines skipped", "  \t \na\n \t\n", {"a"}, false},
        {"trimmed both ends", " \t a = 1 \t\r\n", {"a = 1"}, false},
        {"comments skipped", "; top\n  ;indented\na\n;last", {"a"}, false},
        {"semicolon later is text", "Key=a;b\n", {"Key=a;b"}, false},
        {"header ends section", "a\n[Next]\nb\n", {"a"}, true},
        {"indented header ends section", "a\n  [Next]\nb\n", {"a"}, true},
        {"header first", "[Next]\nb\n", {}, true},
        {"empty text", "", {}, false},
        {"only comments", ";x\n;y", {}, false},
        {"text ends at first NUL", "a\n\0b\n", {"a"}, false},
    };
    for (const ReadCase &c : aCases) {
        ReadResult result = fnReadAll(c.pszText);
        EXPECT_EQ(result.vLines, c.vExpected) << c.pszName;
        EXPECT_EQ(result.bHeader, c.bHeader) << c.pszName;
    }
}

TEST(InfReadLine, LastLineWithoutLineEndReturnsPositionOfNul)
{
    const char szText[] = "a\nlast";
    char szLine[kcchInfLine] = "";
    const char *pszPos = fnInfReadLine(szText, szLine, sizeof(szLine));
    pszPos = fnInfReadLine(pszPos, szLine, sizeof(szLine));
    EXPECT_STREQ(szLine, "last");
    EXPECT_EQ(pszPos, szText + strlen(szText));
    // The next call ends and leaves the buffer as it was.
    memcpy(szLine, "keep", 5);
    EXPECT_EQ(fnInfReadLine(pszPos, szLine, sizeof(szLine)), pszPos);
    EXPECT_STREQ(szLine, "keep");
}

TEST(InfReadLine, SectionCutByNulBeforeNextHeaderKeepsItsLastLine)
{
    // The walker cuts a section by overwriting the LF before the next header.
    char szText[] = "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n";
    char *pszCut = strstr(szText, "\n[B]");
    *pszCut = '\0';
    ReadResult result = fnReadAll(strchr(szText, '\n') + 1);
    EXPECT_EQ(result.vLines, (std::vector<std::string>{"x=1", "y=2"}));
}

TEST(InfReadLine, PositionIsAfterWholeLineEndRun)
{
    const char szText[] = "a\r\n\r\n\nb";
    char szLine[kcchInfLine] = "";
    const char *pszPos = fnInfReadLine(szText, szLine, sizeof(szLine));
    EXPECT_EQ(pszPos, szText + 6);
}

TEST(InfReadLine, OverlongLineSplitsAtBufferCapacity)
{
    std::string sLong(2000, 'x');
    sLong[0] = 'A';
    sLong[1023] = 'B';
    std::string sText = sLong + "\r\nnext\r\n";
    ReadResult result = fnReadAll(sText.c_str());
    ASSERT_EQ(result.vLines.size(), 3u);
    EXPECT_EQ(result.vLines[0], sLong.substr(0, 1023));
    EXPECT_EQ(result.vLines[1], sLong.substr(1023));
    EXPECT_EQ(result.vLines[1][0], 'B');
    EXPECT_EQ(result.vLines[2], "next");

    ReadResult small = fnReadAll("abcdefgh\n", 4);
    EXPECT_EQ(small.vLines, (std::vector<std::string>{"abc", "def", "gh"}));
}

// ---- Field parser ----------------------------------------------------

struct FieldCase {
    const char *pszLine;
    unsigned uField;
    int bFound;
    const char *pszValue;
};

TEST(InfParseField, SplitsFields)
{
    const FieldCase aCases[] = {
        // key and plain fields
        {"Key=a,b,c", 0, 1, "Key"},
        {"Key=a,b,c", 1, 1, "a"},
        {"Key=a,b,c", 3, 1, "c"},
        {"Key=a,b,c", 4, 0, ""},
        {" Key \t= \t a \t, b ", 0, 1, "Key"},
        {" Key \t= \t a \t, b ", 1, 1, "a"},
        {" Key \t= \t a \t, b ", 2, 1, "b"},
        {"Key=", 1, 1, ""},
        {"Key=a,,c", 2, 1, ""},
        // quotes
        {"Key=a,\"b,c\",d", 1, 1, "a"},
        {"Key=a,\"b,c\",d", 2, 1, "b,c"},
        {"Key=a,\"b,c\",d", 3, 1, "d"},
        {"Key=\"a=b\"", 1, 1, "a=b"},
        {"Key=\" padded \"", 1, 1, " padded "},
        {"Key=x\"y\"z", 1, 1, "xy\"z"},
        {"Key=\"a\"\"\"", 1, 1, "a"},
        {"\"My Key\"=v", 0, 1, "My Key"},
        // parentheses
        {"Key=fnXxx(a,b),c", 1, 1, "fnXxx(a,b)"},
        {"Key=fnXxx(a,b),c", 2, 1, "c"},
        {"Key=f(\"a,b\"),c", 1, 1, "f(\"a,b\")"},
        {"Key=f(a(b,c),d", 1, 1, "f(a(b"},
        {"Key=f(a)b,c", 2, 1, "c"},
        {"Key=\"a(b\",c", 2, 1, "c"},
        // no key
        {"a,b,c", 0, 0, ""},
        {"a,b,c", 1, 1, "a"},
        {"a,b,c", 3, 1, "c"},
        {"a,b,c", 4, 0, ""},
        {"plain", 0, 0, ""},
        {"plain", 1, 1, "plain"},
        {"plain", 2, 0, ""},
        {"a,Key=b", 2, 1, "Key"},
        {"a,Key=b", 3, 1, "b"},
        // "==" reads as "=?"; "=" later in the value is a separator
        {"Key==Value", 1, 1, "?Value"},
        {"Key==Value", 0, 1, "Key"},
        {"Key=a=b", 2, 1, "b"},
        // a ";" is ordinary text
        {"Key=a;b", 1, 1, "a;b"},
    };
    for (const FieldCase &c : aCases) {
        int bFound = -1;
        std::string sValue = fnField(c.pszLine, c.uField, &bFound);
        EXPECT_EQ(bFound, c.bFound) << c.pszLine << " field " << c.uField;
        EXPECT_EQ(sValue, c.pszValue) << c.pszLine << " field " << c.uField;
    }
}

// A program's arguments keep their quotes; a pair around the whole value is
// quoting only, as for every other field.
TEST(InfParseFieldQuoted, KeepsQuotesUnlessTheyWrapTheValue)
{
    const FieldCase aCases[] = {
        {"n, t, /x \"C:\\Some Dir\" /y, 4", 3, 1, "/x \"C:\\Some Dir\" /y"},
        {"n, t, \"/x \"\"C:\\Some Dir\"\"\", 4", 3, 1, "/x \"C:\\Some Dir\""},
        {"n, t, \"/x \"\"C:\\Some Dir\"\"\", 4", 4, 1, "4"},
        {"n, t, /x \"a, b\" /y, 4", 3, 1, "/x \"a, b\" /y"},
        {"n, t, \"C:\\a b\" \"C:\\c d\", 4", 3, 1, "\"C:\\a b\" \"C:\\c d\""},
        {"n, t, \"/config, fast\", 4", 3, 1, "/config, fast"},
        {"n, t, \"\", 4", 3, 1, ""},
        {"n, t,  plain  , 4", 3, 1, "plain"},
        {"n, t, f(\"a,b\"), 4", 3, 1, "f(\"a,b\")"},
        {"Key=\"\"\"", 1, 1, "\"\"\""},
        {"n, t", 3, 0, ""},
    };
    for (const FieldCase &c : aCases) {
        int bFound = -1;
        EXPECT_EQ(fnField(c.pszLine, c.uField, &bFound, true), c.pszValue) << c.pszLine << " field " << c.uField;
        EXPECT_EQ(bFound, c.bFound) << c.pszLine;
    }
    char szLine[] = "n, t, \"/x \"\"C:\\D\"\"\"";
    char szCut[6];
    EXPECT_EQ(fnInfParseFieldQuoted(szLine, 3, szCut, sizeof(szCut)), 1);
    EXPECT_STREQ(szCut, "/x \"C");
}

TEST(InfParseField, DoubleEqualsRewritesLineInPlace)
{
    char szLine[] = "Key==Value";
    char szOut[64];
    ASSERT_EQ(fnInfParseField(szLine, 1, szOut, sizeof(szOut)), 1);
    EXPECT_STREQ(szLine, "Key=?Value");
    EXPECT_STREQ(szOut, "?Value");

    char szKeyOnly[] = "Key==Value";
    fnInfParseField(szKeyOnly, 0, szOut, sizeof(szOut));
    EXPECT_STREQ(szKeyOnly, "Key==Value");
}

TEST(InfParseField, BoundedOutput)
{
    char szLine[] = "Key=abcdefgh,\"xyz  \"";
    char szOut[5];
    memset(szOut, 'Z', sizeof(szOut));
    EXPECT_EQ(fnInfParseField(szLine, 1, szOut, sizeof(szOut)), 1);
    EXPECT_STREQ(szOut, "abcd");
    EXPECT_EQ(fnInfParseField(szLine, 2, szOut, 1), 1);
    EXPECT_STREQ(szOut, "");
    EXPECT_EQ(fnInfParseField(szLine, 1, szOut, 0), 0);
    // Cut first, then trimmed: "xyz  " cut to 4 gives "xyz ".
    EXPECT_EQ(fnInfParseField(szLine, 2, szOut, sizeof(szOut)), 1);
    EXPECT_STREQ(szOut, "xyz");
}

// ---- Section finder and line counter --------------------------------

const char s_szScript[] =
    "; setup script\r\n"
    "[Setup]\r\n"
    "Title=Demo\r\n"
    "  [Files]  \r\n"
    "a.txt\r\n"
    "; comment\r\n"
    "b.txt\r\n"
    ":Label1\r\n"
    "c.txt\r\n"
    "[End]\r\n"
    "[After]\r\n"
    "x=1\r\n"
    "[Last]";

TEST(InfFindSection, FindsHeadersAndLabels)
{
    struct {
        const char *pszHeader;
        int bStopAtEnd;
        const char *pszExpectedNext;  // text at the returned position, NULL for no result
    } aCases[] = {
        {"[Setup]", 1, "Title=Demo"},
        {"[setup]", 1, "Title=Demo"},
        {"[FILES]", 1, "a.txt"},
        {"  [Files]\t", 1, "a.txt"},
        {":Label1", 0, "c.txt"},
        {"; comment", 0, "b.txt"},
        {"[After]", 1, NULL},
        {"[After]", 0, "x=1"},
        {"[End]", 1, "[After]"},
        {"[Missing]", 0, NULL},
        {"[Setup", 0, NULL},
    };
    for (const auto &c : aCases) {
        const char *pszPos = fnInfFindSection(s_szScript, c.pszHeader, c.bStopAtEnd);
        if (!c.pszExpectedNext) {
            EXPECT_EQ(pszPos, nullptr) << c.pszHeader;
            continue;
        }
        ASSERT_NE(pszPos, nullptr) << c.pszHeader;
        EXPECT_EQ(strncmp(pszPos, c.pszExpectedNext, strlen(c.pszExpectedNext)), 0) << c.pszHeader;
    }
    const char *pszLast = fnInfFindSection(s_szScript, "[Last]", 0);
    EXPECT_EQ(pszLast, s_szScript + strlen(s_szScript));

    // A header followed by a comment is still the header; other text after it is not.
    static const char s_szCommented[] = "[Registry] ; user settings\r\nA=1\r\n[Other]x\r\nB=2\r\n[End];\r\n[Late]\r\n";
    const char *pszBody = fnInfFindSection(s_szCommented, "[Registry]", 1);
    ASSERT_NE(pszBody, nullptr);
    EXPECT_EQ(strncmp(pszBody, "A=1", 3), 0);
    EXPECT_EQ(fnInfFindSection(s_szCommented, "[Other]", 1), nullptr);
    EXPECT_EQ(fnInfFindSection(s_szCommented, "[Late]", 1), nullptr);  // "[End];" ends the search
}

TEST(InfSectionBody, StartsAfterTheHeaderLine)
{
    EXPECT_STREQ(fnInfSectionBody("[Registry] ; note\r\n\r\nA=1\r\n"), "A=1\r\n");
    EXPECT_STREQ(fnInfSectionBody("[Only]"), "");
}

TEST(InfLineAction, PassesFailedTestsAndGuardsOverAndEndsOnSkip)
{
    EXPECT_EQ(fnInfLineAction(IDTEST_NOTEST), kLineProcess);
    EXPECT_EQ(fnInfLineAction(IDTEST_TRUE), kLineProcess);
    EXPECT_EQ(fnInfLineAction(IDTEST_FALSE), kLinePass);
    EXPECT_EQ(fnInfLineAction(IDTEST_CONTINUE), kLinePass);
    EXPECT_EQ(fnInfLineAction(IDTEST_SKIPSECTION), kLineEndSection);
}

TEST(InfCountLines, CountsWhatTheReaderReturns)
{
    EXPECT_EQ(fnInfCountLines(s_szScript, "[Files]", 100), 4u);  // the label line counts
    EXPECT_EQ(fnInfCountLines(s_szScript, "[Files]", 2), 2u);
    EXPECT_EQ(fnInfCountLines(s_szScript, "[Setup]", 100), 1u);
    EXPECT_EQ(fnInfCountLines(s_szScript, "[Missing]", 100), 0u);
    EXPECT_EQ(fnInfCountLines(s_szScript, NULL, 100), 0u);  // a header stops at once
    EXPECT_EQ(fnInfCountLines("a\n;c\n\nb\nc", NULL, 100), 3u);
    EXPECT_EQ(fnInfCountLines("", NULL, 100), 0u);
}

// ---- Headers ---------------------------------------------------------

TEST(InfFindHeader, FindsFirstHeaderLine)
{
    struct {
        const char *pszText;
        long lOffset;  // -1 for none
    } aCases[] = {
        {"[A]\nx", 0},
        {"x=1\n[A]", 4},
        {"x=1\r\n \t[A]", 7},
        {"x=[A]\ny", -1},
        {"x\n\n\ny", -1},
        {"", -1},
    };
    for (const auto &c : aCases) {
        const char *pszHit = fnInfFindHeader(c.pszText);
        long lOffset = pszHit ? (long)(pszHit - c.pszText) : -1;
        EXPECT_EQ(lOffset, c.lOffset) << c.pszText;
    }
}

TEST(InfHeaderOf, CopiesHeaderText)
{
    struct {
        const char *pszSection;
        size_t cchOut;
        int bResult;
        const char *pszHeader;
    } aCases[] = {
        {"[Files]\r\na", 64, 1, "[Files]"},
        {"[Files] ; note\r\n", 64, 1, "[Files]"},
        {"[Open\r\n]", 64, 1, "[Open"},
        {"  [A]", 64, 1, "[A]"},
        {"[LongHeader]", 5, 1, "[Lon"},
        {"Files]", 64, 0, ""},
    };
    for (const auto &c : aCases) {
        char szOut[64] = "junk";
        EXPECT_EQ(fnInfHeaderOf(c.pszSection, szOut, c.cchOut), c.bResult) << c.pszSection;
        EXPECT_STREQ(szOut, c.pszHeader) << c.pszSection;
    }
}

// ---- Conditions and guards -------------------------------------------

TEST(InfConditionRemainder, SplitsTwoFieldConditions)
{
    struct {
        const char *pszLine;
        const char *pszRemainder;  // NULL: no condition
    } aCases[] = {
        {"@V=WNT,Key=Value", "Key=Value"},
        {"@A1=~X,Key=1", "Key=1"},
        {"Key=Value1,Value2", NULL},
        {"Key==Value", "=Value"},
        {"A=B", NULL},
        {"NoEquals,At=All", NULL},
        {"@V=WNT,Key=a,b", "Key=a,b"},
        {"@V=WNT,Key,x=1", NULL},
        {"@V=\"a,b\",K=1", "K=1"},
        {"\"@V=x\",K=1", NULL},
        {"@V=WNT,\"K=1\"", NULL},
        {"", NULL},
    };
    for (const auto &c : aCases) {
        const char *pszRest = fnInfConditionRemainder(c.pszLine);
        if (!c.pszRemainder) {
            EXPECT_EQ(pszRest, nullptr) << c.pszLine;
            continue;
        }
        ASSERT_NE(pszRest, nullptr) << c.pszLine;
        EXPECT_STREQ(pszRest, c.pszRemainder) << c.pszLine;
        EXPECT_TRUE(pszRest > c.pszLine && pszRest < c.pszLine + strlen(c.pszLine)) << c.pszLine;
    }
}

TEST(InfIsGuardLine, RecognisesPrefixesInAnyCase)
{
    struct {
        const char *pszLine;
        int bGuard;
    } aCases[] = {
        {"SkipIfTrue:@V=WNT", 1},
        {"skipiftrue:x", 1},
        {"PROCESSIFTRUE:x", 1},
        {"SkipIfFileExists=c:\\a", 1},
        {"ProcessIfFileExists c:\\a", 1},
        {"ProcessIfFileNotFound=x", 1},
        {"SkipIfTrue=x", 0},
        {"SkipIf", 0},
        {"Key=SkipIfTrue:", 0},
        {"", 0},
    };
    for (const auto &c : aCases)
        EXPECT_EQ(fnInfIsGuardLine(c.pszLine), c.bGuard) << c.pszLine;
}

// ---- Random inputs ---------------------------------------------------

uint32_t fnNextRandom(uint32_t *puState)
{
    *puState = *puState * 1664525u + 1013904223u;
    return *puState >> 8;
}

// Random lines over the characters that matter to the parsers; under the
// sanitizers this catches any read or write outside the buffers.
TEST(InfLinesFuzz, RandomTextStaysInBounds)
{
    static const char s_achAlphabet[] = "ab =,\"()[];\r\n\t";
    uint32_t uRand = 12345;
    for (int iRound = 0; iRound < 3000; iRound++) {
        size_t cch = fnNextRandom(&uRand) % 120;
        std::vector<char> vText(cch + 1);
        for (size_t i = 0; i < cch; i++)
            vText[i] = s_achAlphabet[fnNextRandom(&uRand) % (sizeof(s_achAlphabet) - 1)];
        vText[cch] = '\0';

        size_t cchLine = 2 + fnNextRandom(&uRand) % 40;
        std::vector<char> vLine(cchLine);
        const char *pszPos = vText.data();
        for (int i = 0; i < 200 && pszPos; i++) {
            vLine[0] = '\0';
            const char *pszNext = fnInfReadLine(pszPos, vLine.data(), cchLine);
            if (!pszNext || vLine[0] == '\0')
                break;
            ASSERT_GT(pszNext, pszPos);
            ASSERT_LT(strlen(vLine.data()), cchLine);
            for (unsigned uField = 0; uField < 5; uField++) {
                char szOut[8];
                fnInfParseField(vLine.data(), uField, szOut, sizeof(szOut));
                ASSERT_LT(strlen(szOut), sizeof(szOut));
            }
            const char *pszRest = fnInfConditionRemainder(vLine.data());
            if (pszRest) {
                ASSERT_TRUE(pszRest >= vLine.data() && pszRest <= vLine.data() + strlen(vLine.data()));
            }
            pszPos = pszNext;
        }
        fnInfFindSection(vText.data(), "[a]", 1);
        fnInfFindHeader(vText.data());
        fnInfCountLines(vText.data(), NULL, 1000);
    }
}

}  // namespace
