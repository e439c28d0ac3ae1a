// Inline functions as scripts write them: found by name, arguments split and
// expanded, the results table, failures, and the functions that look at files
// and version resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "expand/expand.h"
#include "run/run_state.h"
#include "../support/expand_bounded.h"
#include "../support/test_files.h"
#include "run/text.h"

namespace {

std::string fnSelf()
{
    char sz[MAX_PATH];
    GetModuleFileNameA(NULL, sz, MAX_PATH);
    return sz;
}

// The file version of this test program, "a.b.c.d".
std::string fnSelfVersion(int iAdd)
{
    std::string strSelf = fnSelf();
    DWORD dwHandle = 0;
    DWORD cb = GetFileVersionInfoSizeA(strSelf.c_str(), &dwHandle);
    std::string strInfo(cb, '\0');
    VS_FIXEDFILEINFO *pFixed = NULL;
    UINT cbFixed = 0;
    if (!cb || !GetFileVersionInfoA(strSelf.c_str(), 0, cb, &strInfo[0]) ||
        !VerQueryValueA(&strInfo[0], "\\", (void **)&pFixed, &cbFixed))
        return "";
    return std::to_string(HIWORD(pFixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(pFixed->dwFileVersionMS)) +
           "." + std::to_string(HIWORD(pFixed->dwFileVersionLS)) + "." +
           std::to_string(LOWORD(pFixed->dwFileVersionLS) + iAdd);
}

class FuncsTest : public ::testing::Test {
protected:
    void SetUp() override { fnClearRunState(); }
};

TEST_F(FuncsTest, ArithmeticAndTheResultsTable)
{
    ExpandResult res = fnExpandBounded("@_fnSum(1,2)");
    EXPECT_EQ("3", res.strText);
    EXPECT_EQ(1, res.iCode);
    EXPECT_STREQ("3", g_szFunResults[0]);
    EXPECT_EQ(1u, g_uFunResult);
    EXPECT_EQ("6", fnExpanded("@_fnSum(1,2,3)"));
    EXPECT_EQ("18446744073709551614", fnExpanded("@_fnSum(5,-7)"));
    EXPECT_EQ("-2", fnExpanded("@_fnDif(5,7)"));
    EXPECT_EQ("3", fnExpanded("@_fnsum(1;2)"));
    EXPECT_EQ("3|6|18446744073709551614", fnExpanded("@_0|@_1|@_2"));
    EXPECT_EQ("x=3!", fnExpanded("x=@_FNSUM(1,2)!")) << "any case; scanning goes on after the )";
}

TEST_F(FuncsTest, ResultsTableKeepsTheLatestInSlotNine)
{
    for (int i = 1; i <= 12; i++)
        fnExpanded("@_fnSum(" + std::to_string(i) + ")");
    EXPECT_EQ(9u, g_uFunResult);
    EXPECT_STREQ("1", g_szFunResults[0]);
    EXPECT_STREQ("9", g_szFunResults[8]);
    EXPECT_STREQ("12", g_szFunResults[9]);
    EXPECT_EQ("12", fnExpanded("@_9"));
    fnCopyText(g_szFunResults[4], COUNTOF(g_szFunResults[4]), "left, right");
    EXPECT_EQ("ri", fnExpanded("@_422")) << "field and truncation digits";
}

TEST_F(FuncsTest, ArgumentsAreExpanded)
{
    fnCopyText(g_szAskForResponse[0], COUNTOF(g_szAskForResponse[0]), "abcdef");
    fnCopyText(g_szAskForResponse[1], COUNTOF(g_szAskForResponse[1]), "2");
    EXPECT_EQ("abc", fnExpanded("@_fnStrBegin(@A1,3)"));
    ExpandResult res = fnExpandBounded("@_fnStrBegin(abc,@A2)");
    EXPECT_EQ("", res.strText) << "counts are taken as written: @A2 reads as 0";
    EXPECT_EQ(-1, res.iCode);
    EXPECT_EQ("8", fnExpanded("@_fnSum(@A2,@A2,4)"));
    EXPECT_EQ("TRUE", fnExpanded("@_fnStrInStr(Hello,LL)"));
    res = fnExpandBounded("@_fnStrInStr(Hello,x)");
    EXPECT_EQ("", res.strText);
    EXPECT_EQ(-1, res.iCode) << "an empty result is an empty variable";
    EXPECT_EQ("a,b", fnExpanded("@_fnStrAddList(a,b)"));
    EXPECT_EQ("b", fnExpanded("@_fnStrAddList(,b)"));
    EXPECT_EQ("b,c", fnExpanded("@_fnStrAddList(\"a,b,c\",b)"));
    EXPECT_EQ("ef", fnExpanded("@_fnStrEnd(abcdef,2)"));
    EXPECT_EQ("ab", fnExpanded("@_fnStrEnd(ab,5)"));
    EXPECT_EQ("41 00 42 00", fnExpanded("@_fnStrEndToUniBin(AB,0)"));
}

TEST_F(FuncsTest, GetArgExpandsItsTextTwice)
{
    fnCopyText(g_szAskForResponse[0], COUNTOF(g_szAskForResponse[0]), "@A2");
    fnCopyText(g_szAskForResponse[1], COUNTOF(g_szAskForResponse[1]), "x y z");
    EXPECT_EQ("y", fnExpanded("@_fnGetArg(@A1,2)"));
    EXPECT_EQ("b", fnExpanded("@_fnGetArg(a b c,2)"));
    EXPECT_EQ("key", fnExpanded("@_fnGetArg(key=value,0)"));
    ExpandResult res = fnExpandBounded("@_fnGetArg(a b c,4)");
    EXPECT_EQ("@_fnGetArg(a b c,4)", res.strText) << "an item that cannot be taken fails the call";
    EXPECT_EQ(-1, res.iCode);
}

TEST_F(FuncsTest, UnknownAndFailingCalls)
{
    ExpandResult res = fnExpandBounded("@_fnNoSuch(1)");
    EXPECT_EQ("", res.strText);
    EXPECT_EQ(-1, res.iCode);
    res = fnExpandBounded("a@_fnSum(1,2");
    EXPECT_EQ("a@_fnSum(1,2", res.strText) << "no ): the call stays as written";
    EXPECT_EQ(-1, res.iCode);
    EXPECT_EQ("@_x", fnExpanded("@_x"));
    EXPECT_EQ("@_fnStrEndToUniBin(,0)", fnExpanded("@_fnStrEndToUniBin(,0)"));
    // The first ")" ends a call, so a call cannot hold another one: the inner
    // "@_fnSum(1" stays unexpanded (reading as 0) and ",3)" is plain text.
    EXPECT_EQ("2,3)", fnExpanded("@_fnSum(@_fnSum(1,2),3)"));
}

TEST_F(FuncsTest, ParseFunDirectly)
{
    char sz[kcchFunResult] = "junk";
    EXPECT_EQ(1, fnParseFun("fnNoSuch(1", sz, sizeof(sz)));
    EXPECT_STREQ("", sz);
    EXPECT_EQ(1, fnParseFun("fnStrLen(hello", sz, sizeof(sz)));
    EXPECT_STREQ("5", sz);
    char szSmall[3];
    EXPECT_EQ(1, fnParseFun("fnStrLen(0123456789012", szSmall, sizeof(szSmall)));
    EXPECT_STREQ("13", szSmall);
    EXPECT_EQ(1, fnParseFun("fnSum(99999", szSmall, sizeof(szSmall)));
    EXPECT_STREQ("99", szSmall) << "cut to the caller's buffer";
    std::string strLong = "fnStrLen(" + std::string(300, 'a');
    EXPECT_EQ(0, fnParseFun(strLong.c_str(), sz, sizeof(sz))) << "an argument longer than its field";
}

TEST_F(FuncsTest, GetFunFieldsTakesOnlyWhatIsAsked)
{
    FunFieldsStruct fields;
    EXPECT_EQ(1, fnGetFunFields("fnX(a,b,c", 4, &fields, 2));
    EXPECT_STREQ("a", fields.szField[0]);
    EXPECT_STREQ("b", fields.szField[1]);
    EXPECT_STREQ("", fields.szField[2]);
}

TEST_F(FuncsTest, LongTextsStayWithinTheirBuffers)
{
    std::string strText(200, 'x');
    ExpandResult res = fnExpandBounded("@_fnStrEndToUniBin(" + strText + ",0)");
    EXPECT_EQ(43u * 6u - 1u, res.strText.size());
    res = fnExpandBounded("@_fnStrAdd(" + strText + "," + strText + ")");
    EXPECT_EQ(strText, res.strText) << "present: from the occurrence on";
    res = fnExpandBounded("@_fnStrAdd(" + strText + ",y" + strText + ")", 1024);
    EXPECT_EQ((size_t)kcchFunResult - 1, res.strText.size());
    res = fnExpandBounded("ab@_fnStrAdd(" + strText + ",y" + strText + ")", 100);
    EXPECT_EQ(99u, res.strText.size());
}

TEST_F(FuncsTest, FileExistence)
{
    std::string strDir = fnTestDir("FuncsFileExist");
    fnWriteWholeFile(strDir + "\\a.txt", "x");
    EXPECT_EQ("TRUE", fnExpanded("@_fnFileExist(" + strDir + "\\a.txt)"));
    EXPECT_EQ("TRUE", fnExpanded("@_fnFileExist(" + strDir + ")"));
    EXPECT_EQ("FALSE", fnExpanded("@_fnFileExist(" + strDir + "\\b.txt)"));
}

TEST_F(FuncsTest, FileVersionsOfThisProgram)
{
    std::string strSelf = fnSelf();
    std::string strVersion = fnSelfVersion(0);
    ASSERT_FALSE(strVersion.empty());
    EXPECT_EQ(strVersion, fnExpanded("@_fnGetFileVer(" + strSelf + ",F)"));
    EXPECT_EQ(strVersion, fnExpanded("@_fnGetFileVer(" + strSelf + ",product)"));
    EXPECT_EQ("", fnExpanded("@_fnGetFileVer(" + strSelf + ",X)"));

    struct Case {
        std::string strVersion;
        const char *pszOperator;
        const char *pszResult;
    } aCases[] = {
        {strVersion, "GE", "TRUE"},        {strVersion, "eq", "TRUE"},        {strVersion, "NE", "FALSE"},
        {fnSelfVersion(1), "LT", "TRUE"},  {fnSelfVersion(1), "GE", "FALSE"}, {fnSelfVersion(1), "LE", "TRUE"},
        {"0.0.0.0", "GT", "TRUE"},         {"0.0.0.0", "LT", "FALSE"},        {"0.0.0.0", "XX", "FALSE"},
    };
    for (const Case &c : aCases) {
        EXPECT_EQ(c.pszResult, fnExpanded("@_fnCmpFileVer(" + strSelf + "," + c.strVersion + "," + c.pszOperator + ")"))
            << c.strVersion << " " << c.pszOperator;
    }
}

TEST_F(FuncsTest, FileVersionsOfFilesWithoutAResource)
{
    std::string strFile = fnTestDir("FuncsNoVersion") + "\\plain.txt";
    fnWriteWholeFile(strFile, "no version here");
    EXPECT_EQ("TRUE", fnExpanded("@_fnCmpFileVer(" + strFile + ",1.0.0.0,NE)"));
    EXPECT_EQ("FALSE", fnExpanded("@_fnCmpFileVer(" + strFile + ",1.0.0.0,GE)"));
    EXPECT_EQ("NA", fnExpanded("@_fnGetFileVer(" + strFile + ",F)"));
    EXPECT_EQ("NF", fnExpanded("@_fnGetFileVer(" + strFile + ".missing,F)"));
}

}  // namespace
