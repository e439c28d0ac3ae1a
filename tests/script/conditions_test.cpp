// Line conditions and guards, keyword match, numbered-line lookup and the
// file line reader, against real files.
#include <gtest/gtest.h>

#include <string>

#include "run/run_state.h"
#include "run/text.h"
#include "script/conditions.h"
#include "../support/test_files.h"

namespace {

class ConditionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        g_bQuiet = TRUE;  // the field message would wait for a click
    }
};

struct TwoFieldCase {
    const char *pszLine;
    int iResult;
    const char *pszLineAfter;
};

TEST_F(ConditionTest, TwoFieldFormKeepsOrSkipsTheRest)
{
    const TwoFieldCase aCases[] = {
        {"WNT=WNT,Key=Value", IDTEST_TRUE, "Key=Value"},
        {"wnt=WNT,Key=Value", IDTEST_TRUE, "Key=Value"},          // any case
        {"W95=WNT,Key=Value", IDTEST_FALSE, "Key=Value"},
        {"X=~Y,Key=1", IDTEST_TRUE, "Key=1"},                     // "~" negates
        {"X=~X,Key=1", IDTEST_FALSE, "Key=1"},
        {"X=<X,Key=1", IDTEST_TRUE, "Key=1"},                     // "<" and ">" test equality too
        {"X=>Y,Key=1", IDTEST_FALSE, "Key=1"},
        {"Key=Value1,Value2", IDTEST_NOTEST, "Key=Value1,Value2"}, // no condition
        {"Key=Value", IDTEST_NOTEST, "Key=Value"},
        {"A=\"B=C\",D", IDTEST_NOTEST, "A=\"B=C\",D"},            // "=" inside quotes is no condition
    };
    for (const TwoFieldCase &c : aCases) {
        SCOPED_TRACE(c.pszLine);
        char szLine[kcchInfLine];
        fnCopyText(szLine, sizeof(szLine), c.pszLine);
        EXPECT_EQ(c.iResult, fnInfTestIfTwoFields(szLine, sizeof(szLine)));
        EXPECT_STREQ(c.pszLineAfter, szLine);
    }
}

TEST_F(ConditionTest, DoubleEqualsReadsAsQuestionMarkEquality)
{
    char szLine[kcchInfLine] = "Key==Value";
    char szField[kcchInfLine];
    ASSERT_EQ(1, fnInfParseField(szLine, 1, szField, sizeof(szField)));
    EXPECT_STREQ("?Value", szField);
    EXPECT_STREQ("Key=?Value", szLine);
    EXPECT_EQ(IDTEST_FALSE, fnInfTestField("Key", "?Value"));
    EXPECT_EQ(IDTEST_TRUE, fnInfTestField("Value", "?Value"));
}

TEST_F(ConditionTest, NullLineIsFalse)
{
    EXPECT_EQ(IDTEST_FALSE, fnInfTestIfTwoFields(NULL, 0));
}

TEST_F(ConditionTest, GuardsOnTextsAndTheirNegation)
{
    EXPECT_EQ(IDTEST_SKIPSECTION, fnInfTestField("SkipIfTrue:abc", "ABC"));
    EXPECT_EQ(IDTEST_CONTINUE, fnInfTestField("SkipIfTrue:abc", "xyz"));
    EXPECT_EQ(IDTEST_CONTINUE, fnInfTestField("SkipIfTrue:abc", "~ABC"));
    EXPECT_EQ(IDTEST_CONTINUE, fnInfTestField("ProcessIfTrue:abc", "abc"));
    EXPECT_EQ(IDTEST_SKIPSECTION, fnInfTestField("ProcessIfTrue:abc", "xyz"));
    EXPECT_EQ(IDTEST_SKIPSECTION, fnInfTestField("processiftrue:abc", "~abc"));
}

TEST_F(ConditionTest, GuardLineIsTestedWholeAndLeftAsItIs)
{
    char szLine[kcchInfLine] = "SkipIfTrue:X=X";
    EXPECT_EQ(IDTEST_SKIPSECTION, fnInfTestIfTwoFields(szLine, sizeof(szLine)));
    EXPECT_STREQ("SkipIfTrue:X=X", szLine);
    char szEmpty[kcchInfLine] = "ProcessIfTrue:X=";
    EXPECT_EQ(IDTEST_SKIPSECTION, fnInfTestIfTwoFields(szEmpty, sizeof(szEmpty)));  // X is not the empty text
}

TEST_F(ConditionTest, FileGuardsLookAtTheFileSystem)
{
    std::string strDir = fnTestDir("guards");
    std::string strFile = strDir + "\\present.dll";
    ASSERT_TRUE(fnWriteWholeFile(strFile, "x"));
    std::string strMissing = strDir + "\\missing.dll";
    std::string strWild = strDir + "\\pres*.dll";

    EXPECT_EQ(IDTEST_SKIPSECTION, fnInfTestField("SkipIfFileExists", strFile.c_str()));
    EXPECT_EQ(IDTEST_CONTINUE, fnInfTestField("SkipIfFileExists", strMissing.c_str()));
    EXPECT_EQ(IDTEST_CONTINUE, fnInfTestField("ProcessIfFileExists", strWild.c_str()));
    EXPECT_EQ(IDTEST_SKIPSECTION, fnInfTestField("ProcessIfFileExists", strMissing.c_str()));
    EXPECT_EQ(IDTEST_CONTINUE, fnInfTestField("ProcessIfFileNotFound", strMissing.c_str()));
    EXPECT_EQ(IDTEST_SKIPSECTION, fnInfTestField("ProcessIfFileNotFound", strDir.c_str()));  // a directory counts
    // The operator does not change a file guard.
    EXPECT_EQ(IDTEST_SKIPSECTION, fnInfTestField("SkipIfFileExists", ("~" + strFile).c_str()));

    std::string strLine = "ProcessIfFileNotFound=" + strMissing;
    char szLine[kcchInfLine];
    fnCopyText(szLine, sizeof(szLine), strLine.c_str());
    EXPECT_EQ(IDTEST_CONTINUE, fnInfTestIfTwoFields(szLine, sizeof(szLine)));
}

TEST_F(ConditionTest, KeywordMatchTakesFieldOneAndClearsTheKey)
{
    char szLine[kcchInfLine] = "Caption=\"Hello, World\",2";
    char szKey[kcchInfLine] = "Caption";
    char szDest[6];
    EXPECT_EQ(0, fnInfKeyMatch(szLine, szKey, "Message", szDest, sizeof(szDest)));
    EXPECT_STREQ("Caption", szKey);
    EXPECT_EQ(1, fnInfKeyMatch(szLine, szKey, "CAPTION", szDest, sizeof(szDest)));
    EXPECT_STREQ("", szKey);
    EXPECT_STREQ("Hello", szDest);  // cut to the destination
}

TEST_F(ConditionTest, FieldWithMessageIsQuietWhenQuiet)
{
    char szLine[kcchInfLine] = "Key=a";
    char szField[kcchInfLine];
    EXPECT_EQ(1, fnInfParseFieldMsg(szLine, 1, szField, sizeof(szField)));
    EXPECT_EQ(0, fnInfParseFieldMsg(szLine, 2, szField, sizeof(szField)));
    EXPECT_STREQ("", szField);
}

TEST_F(ConditionTest, LoadSectionReturnsFieldOneOfTheNthLine)
{
    const char *pszText =
        "[A]\r\nX=1\r\n[Disks]\r\n; comment\r\n1=Disk one,label\r\n2=\"Disk two\"\r\n[End]\r\n[Late]\r\nY=2\r\n";
    char szOut[kcchInfLine];
    EXPECT_EQ(1, fnInfLoadSection(pszText, 1, "[Disks]", szOut, sizeof(szOut)));
    EXPECT_STREQ("Disk one", szOut);
    EXPECT_EQ(1, fnInfLoadSection(pszText, 2, "[disks]", szOut, sizeof(szOut)));
    EXPECT_STREQ("Disk two", szOut);
    EXPECT_EQ(0, fnInfLoadSection(pszText, 3, "[Disks]", szOut, sizeof(szOut)));
    EXPECT_EQ(0, fnInfLoadSection(pszText, 1, "[Late]", szOut, sizeof(szOut)));  // after [End]
    EXPECT_EQ(0, fnInfLoadSection(pszText, 0, "[Disks]", szOut, sizeof(szOut)));
}

// Reads every line of a file through fnReadLineFromFile.
std::string fnReadLines(const std::string &strPath, unsigned uSize, int *piLastRC)
{
    HANDLE h = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    std::string strOut;
    char szBuffer[300];
    int iRC = 0;
    for (int i = 0; i < 20 && iRC == 0; i++) {
        iRC = fnReadLineFromFile(h, szBuffer, uSize);
        if (iRC >= 0)
            strOut += std::string("<") + szBuffer + ">";
    }
    CloseHandle(h);
    *piLastRC = iRC;
    return strOut;
}

TEST_F(ConditionTest, FileLineReaderKeepsLineEndsAndStopsAtCtrlZ)
{
    std::string strDir = fnTestDir("readline");
    int iRC;
    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\a.txt", "one\r\ntwo\nthree"));
    EXPECT_EQ("<one\r\n><two\n><three>", fnReadLines(strDir + "\\a.txt", 256, &iRC));
    EXPECT_EQ(1, iRC);

    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\z.txt", "one\r\nfin\x1a more"));
    EXPECT_EQ("<one\r\n><fin\x1a>", fnReadLines(strDir + "\\z.txt", 256, &iRC));
    EXPECT_EQ(1, iRC);

    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\e.txt", ""));
    EXPECT_EQ("<>", fnReadLines(strDir + "\\e.txt", 256, &iRC));
    EXPECT_EQ(1, iRC);

    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\n.txt", std::string("a\0b\r\n", 5)));
    EXPECT_EQ("<a><b\r\n>", fnReadLines(strDir + "\\n.txt", 256, &iRC));
}

TEST_F(ConditionTest, FileLineReaderRefusesALineLongerThanTheBuffer)
{
    std::string strDir = fnTestDir("readlong");
    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\l.txt", std::string(100, 'x') + "\r\nshort\r\n"));
    int iRC;
    fnReadLines(strDir + "\\l.txt", 50, &iRC);
    EXPECT_EQ(-1, iRC);
}

}  // namespace
