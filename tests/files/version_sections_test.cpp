// The test sections: version-number tests against the OS facts, [FileCheck]
// with present, missing and old files, [IsStringInFile] with its result
// table, and the in-use classification. Prompts are left out here (they wait
// for a user); the end-to-end cases answer them.
#include <gtest/gtest.h>

#include <string>

#include "files/version_sections.h"
#include "run/run_state.h"
#include "../support/test_files.h"

namespace {

struct VersionCase {
    const char *pszNumber;
    const char *pszCondition;
    DWORD dwSystem;
    int iExpected;
};

TEST(TestVersion, NumberRelatesToTheSystemValue)
{
    const VersionCase aCases[] = {
        {"5", "LE", 6, 1}, {"5", "le", 5, 1}, {"5", "LE", 4, 2}, {"5", "GE", 4, 1}, {"5", "GE", 6, 2},
        {"5", "LT", 6, 1}, {"5", "LT", 5, 2}, {"5", "GT", 4, 1}, {"5", "GT", 5, 2}, {"5", "EQ", 5, 1},
        {"5", "EQ", 6, 2}, {"5", "NE", 6, 1}, {"5", "NE", 5, 2}, {"5", "XX", 5, 2}, {"", "EQ", 0, 1},
    };
    for (const VersionCase &c : aCases)
        EXPECT_EQ(c.iExpected, fnTestVersion(c.pszNumber, c.pszCondition, c.dwSystem))
            << c.pszNumber << " " << c.pszCondition << " " << c.dwSystem;
}

TEST(TestInUse, OnlyHoldingErrorsCountAsInUse)
{
    for (DWORD dwError : {5ul, 32ul, 33ul, 183ul})
        EXPECT_EQ(kInUseNotAsked, fnTestInUse(NULL, FALSE, dwError, "C:\\x")) << dwError;
    for (DWORD dwError : {0ul, 2ul, 3ul, 112ul})
        EXPECT_EQ(kNotInUse, fnTestInUse(NULL, TRUE, dwError, "C:\\x")) << dwError;
}

class SectionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        g_bQuiet = TRUE;
        g_dwWinMajor = 6;
        g_dwWinMinor = 1;
        g_uWinPlatform = 3;
        m_strDir = fnTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_strPresent = m_strDir + "\\present.txt";
        fnWriteWholeFile(m_strPresent, "The quick brown Fox jumps\r\nover the lazy dog\r\n");
        m_strMissing = m_strDir + "\\missing.txt";
        char szExe[MAX_PATH];
        GetModuleFileNameA(NULL, szExe, MAX_PATH);
        std::string strExe = szExe;
        m_strFixtures = strExe.substr(0, strExe.rfind('\\'));
    }
    std::string m_strDir, m_strPresent, m_strMissing, m_strFixtures;
};

TEST_F(SectionsTest, VersionTestPassesOrEndsAtAnUnlistedKeyword)
{
    EXPECT_EQ(1, fnReadVersionTest(NULL, "WinMajor=5,LE,Needs 2000 or later\r\nMessage=Setup stops\r\n"));
    EXPECT_EQ(1, fnReadVersionTest(NULL, "WinVS=3\r\nWinMinor=1,EQ,x\r\n"));  // a later test replaces an open one
    EXPECT_EQ(1, fnReadVersionTest(NULL, "Other=1\r\nWinMajor=99,EQ,never read\r\n"));
    EXPECT_EQ(0, fnReadVersionTest(NULL, "WinMajor=5,LE,x\r\nno keyword here\r\n"));
    // A guard that passes is passed over (the bad line after it is read); skip-section ends the tests.
    EXPECT_EQ(0, fnReadVersionTest(NULL, "SkipIfTrue:a=b\r\nno keyword here\r\n"));
    EXPECT_EQ(1, fnReadVersionTest(NULL, "SkipIfTrue:a=a\r\nno keyword here\r\n"));
}

TEST_F(SectionsTest, FileCheckExitAndGoWithPresentAndMissingFiles)
{
    auto fnCheck = [](const std::string &strFile, const char *pszMode) {
        std::string strLines = "File=" + strFile + "," + pszMode + ",,NOPROMPT\r\n";
        return fnReadFileChecks(NULL, strLines.c_str());
    };
    EXPECT_EQ(1, fnCheck(m_strPresent, "EXIT"));
    EXPECT_EQ(7, fnCheck(m_strMissing, "EXIT"));
    EXPECT_EQ(1, fnCheck(m_strMissing, "GO"));
    EXPECT_EQ(7, fnCheck(m_strPresent, "GO"));
    EXPECT_EQ(7, fnCheck(m_strMissing, ""));  // EXIT is the default
}

TEST_F(SectionsTest, FileCheckStopsAtTheFirstFailingLine)
{
    std::string strLines = "File=" + m_strMissing + ",EXIT,,NOPROMPT\r\nFile=" + m_strPresent + ",EXIT,,NOPROMPT\r\n";
    EXPECT_EQ(7, fnReadFileChecks(NULL, strLines.c_str()));
}

TEST_F(SectionsTest, FileCheckSkipsLinesByConditionAndFailsOnOtherKeywords)
{
    std::string strLines = "a=b,File=" + m_strMissing + ",EXIT,,NOPROMPT\r\nFile=" + m_strPresent + "\r\n";
    EXPECT_EQ(1, fnReadFileChecks(NULL, strLines.c_str()));
    EXPECT_EQ(1, fnReadFileChecks(NULL, "SkipIfTrue:a=a\r\nOther=x,EXIT,,NOPROMPT\r\n"));
    EXPECT_EQ(7, fnReadFileChecks(NULL, "Other=x,EXIT,,NOPROMPT\r\n"));
    EXPECT_EQ(1, fnReadFileChecks(NULL, ""));
}

TEST_F(SectionsTest, FileCheckCompareVersionsOfTheFixtures)
{
    std::string strNew = m_strFixtures + "\\ver_new.dll";
    std::string strOld = m_strFixtures + "\\ver_old.dll";
    ASSERT_TRUE(fnFileExists(strNew));
    auto fnCheck = [](const std::string &strFile, const char *pszVersion) {
        std::string strLines = "File=" + strFile + ",EXIT," + pszVersion + ",NOPROMPT\r\n";
        return fnReadFileChecks(NULL, strLines.c_str());
    };
    EXPECT_EQ(1, fnCheck(strNew, "5.1"));          // 5.1.2600.0 is newer than 5.1.0.0
    EXPECT_EQ(1, fnCheck(strNew, "5,1,2600,0"));   // equal
    EXPECT_EQ(7, fnCheck(strOld, "5.1"));          // too old
    EXPECT_EQ(7, fnCheck(m_strPresent, "1.0"));    // no version resource: not acceptable
}

TEST_F(SectionsTest, StringChecksFillTheResultTable)
{
    std::string strLines = m_strPresent + ",quick\r\n" + m_strPresent + ",FOX,N\r\n" + m_strPresent + ",FOX,Y\r\n" +
                           m_strMissing + ",x1\r\n" + m_strPresent + ",x\r\n";
    EXPECT_EQ(1, fnReadStringChecks(NULL, strLines.c_str()));
    EXPECT_EQ(0u, g_uStringChecks[0]);  // a text was found
    EXPECT_EQ(0u, g_uStringChecks[1]);
    EXPECT_EQ(1u, g_uStringChecks[2]);
    EXPECT_EQ(0u, g_uStringChecks[3]);
    EXPECT_EQ(2u, g_uStringChecks[4]);
    EXPECT_EQ(3u, g_uStringChecks[5]);  // a single character is out of range
    EXPECT_EQ(9u, g_uStringChecks[6]);  // the entry after the last result
}

TEST_F(SectionsTest, StringChecksSkippedLineLeavesItsEntryNine)
{
    // The condition needs an "=" in the rest of the line: a keyed file field.
    std::string strLines = m_strPresent + ",nothing here\r\na=b,File=" + m_strPresent + ",quick\r\n";
    EXPECT_EQ(1, fnReadStringChecks(NULL, strLines.c_str()));
    EXPECT_EQ(1u, g_uStringChecks[0]);  // nothing found
    EXPECT_EQ(1u, g_uStringChecks[1]);
    EXPECT_EQ(9u, g_uStringChecks[2]);

    strLines += "a=a,File=" + m_strPresent + ",quick\r\n";
    EXPECT_EQ(1, fnReadStringChecks(NULL, strLines.c_str()));
    EXPECT_EQ(0u, g_uStringChecks[0]);
    EXPECT_EQ(0u, g_uStringChecks[2]);  // the skipped line's entry went to the next one
    EXPECT_EQ(9u, g_uStringChecks[3]);
}

TEST_F(SectionsTest, StringChecksStopUnderTheirActionWords)
{
    struct {
        std::string strLine;
        int iExpected;
    } aCases[] = {
        {m_strPresent + ",lazy,N,EXITMATCH", 7},    {m_strPresent + ",absent,N,EXITMATCH", 1},
        {m_strPresent + ",absent,N,EXITNOMATCH", 7}, {m_strMissing + ",lazy,N,EXITNOMATCH", 1},
        {m_strMissing + ",lazy,N,EXITNOFILE", 7},    {m_strPresent + ",x,N,EXITERROR", 7},
        {m_strPresent + ",x,N,EXITNOFILE", 7},       {m_strPresent + ",lazy,N,CONTINUE", 1},
        {m_strMissing, 0},
    };
    for (auto &c : aCases)
        EXPECT_EQ(c.iExpected, fnReadStringChecks(NULL, (c.strLine + "\r\n").c_str())) << c.strLine;
}

}  // namespace
