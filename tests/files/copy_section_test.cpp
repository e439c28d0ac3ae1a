// Copy-files sections: the header lines, the entry reader and whole sections
// run quietly against real files.
#include <gtest/gtest.h>

#include <string>

#include "files/copy_section.h"
#include "run/run_state.h"
#include "run/text.h"
#include "script/lines.h"
#include "support/test_files.h"

namespace {

// ---- header lines and the entry reader ----

class CopySectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        g_bQuiet = TRUE;
        m_strDir = fnTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_strSrc = m_strDir + "\\src";
        m_strDst = m_strDir + "\\dst";
        CreateDirectoryA(m_strSrc.c_str(), NULL);
        CreateDirectoryA(m_strDst.c_str(), NULL);
        fnCopyText(g_szSourceDir, COUNTOF(g_szSourceDir), m_strSrc.c_str());
        fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), m_strDst.c_str());
    }
    void TearDown() override { fnClearRunState(); }
    int fnRun(const std::string &strSection)
    {
        std::string strText = "[CopyFiles]\r\n" + strSection;
        return fnCopyFiles(NULL, NULL, strText.c_str(), "[CopyFiles]", "");
    }
    std::string m_strDir, m_strSrc, m_strDst;
};

TEST_F(CopySectionTest, HeaderLinesAreReadUntilTheFirstEntry)
{
    const char *pszSection =
        "[CopyFiles]\r\nTotalFiles=7\r\nBeQuiet=n\r\n@X=Y,DisksSection=[Skipped]\r\nDirsSection=[MyDirs]\r\n"
        "DisksSection=[MyDisks]\r\n; comment\r\n0,A.TXT,A.TXT,N,N,N\r\n0,B.TXT,B.TXT,N,N,N\r\n";
    CopyHeaderStruct header;
    unsigned uMaxLines = 0;
    const char *pszEntries = fnReadCopyHeader(pszSection, &header, &uMaxLines);
    ASSERT_NE(nullptr, pszEntries);
    char szFirst[64] = "";
    fnInfReadLine(pszEntries, szFirst, sizeof(szFirst));
    EXPECT_STREQ("0,A.TXT,A.TXT,N,N,N", szFirst);
    EXPECT_EQ(2u, uMaxLines);
    EXPECT_EQ(7u, header.uTotalFiles);
    EXPECT_EQ(1, header.bTotalGiven);
    EXPECT_EQ(0, header.bQuiet);
    EXPECT_STREQ("[MyDirs]", header.szDirsSection);
    EXPECT_STREQ("[MyDisks]", header.szDisksSection);

    EXPECT_EQ(nullptr, fnReadCopyHeader("[CopyFiles]\r\nTotalFiles=3\r\n", &header, &uMaxLines));
    EXPECT_EQ(nullptr, fnReadCopyHeader("[CopyFiles]\r\n", &header, &uMaxLines));
}

TEST_F(CopySectionTest, CursorReadsEntriesInOrderAndAgainFromTheTop)
{
    const char *pszLines = "one\r\n;skip\r\ntwo\r\nthree\r\n[Next]\r\nfour\r\n";
    LineCursorStruct cursor = {pszLines, pszLines, 1};
    char szLine[64];
    ASSERT_EQ(1, fnCursorLine(&cursor, 1, szLine, sizeof(szLine)));
    EXPECT_STREQ("one", szLine);
    ASSERT_EQ(1, fnCursorLine(&cursor, 3, szLine, sizeof(szLine)));
    EXPECT_STREQ("three", szLine);
    ASSERT_EQ(1, fnCursorLine(&cursor, 2, szLine, sizeof(szLine)));
    EXPECT_STREQ("two", szLine);
    EXPECT_EQ(0, fnCursorLine(&cursor, 4, szLine, sizeof(szLine)));  // the next header ends the section
    EXPECT_EQ(0, fnCursorLine(&cursor, 0, szLine, sizeof(szLine)));
}

TEST_F(CopySectionTest, EntryFieldsMoveUpBehindAConditionalPrefix)
{
    const char *pszLines = "Same=Same,2,sub\\A.TXT,C:\\Abs\\B.TXT,+V,F,B,Some file\r\n"
                           "1,A.TXT,rel\\C.TXT,N,N,N\r\n"
                           "Z=Y,0,A.TXT,D.TXT,N,N,N\r\n"
                           "0,A.TXT,D.TXT,NNNNN,N,N\r\n"
                           "0,A.TXT\r\n"
                           "0,A<B.TXT,D.TXT,N,N,N\r\n";
    LineCursorStruct cursor = {pszLines, pszLines, 1};
    IFStruct ifs;
    memset(&ifs, 0, sizeof(ifs));
    unsigned uTest = 0;
    ASSERT_EQ(1, fnReadCopyFiles(NULL, &cursor, 1, &ifs, &uTest));
    EXPECT_EQ((unsigned)IDTEST_TRUE, uTest);
    EXPECT_STREQ("2", ifs.szDiskId);
    EXPECT_TRUE(ifs.bDiskPrompt);
    EXPECT_STREQ("sub", ifs.szSrcFilePath);
    EXPECT_STREQ("A.TXT", ifs.szSrcFileName);
    EXPECT_STREQ("C:\\Abs", ifs.szDstDir);
    EXPECT_STREQ("B.TXT", ifs.szDstFileName);
    EXPECT_TRUE(ifs.bRecurse);
    EXPECT_EQ((unsigned)kInstallV, ifs.uInstallMode);
    EXPECT_EQ((unsigned)kCopyForce, ifs.uCopyMode);
    EXPECT_EQ((unsigned)kBackupCopy, ifs.uBackupMode);
    EXPECT_STREQ("Some file", ifs.szDescription);

    ASSERT_EQ(1, fnReadCopyFiles(NULL, &cursor, 2, &ifs, &uTest));
    EXPECT_EQ((unsigned)IDTEST_NOTEST, uTest);
    EXPECT_STREQ(".", ifs.szSrcFilePath);
    EXPECT_EQ(m_strDst + "\\rel", ifs.szDstDir);
    EXPECT_STREQ("", ifs.szDescription);

    ASSERT_EQ(1, fnReadCopyFiles(NULL, &cursor, 3, &ifs, &uTest));
    EXPECT_EQ((unsigned)IDTEST_FALSE, uTest);
    EXPECT_EQ(0, fnReadCopyFiles(NULL, &cursor, 4, &ifs, &uTest));  // five flag letters
    EXPECT_EQ(0, fnReadCopyFiles(NULL, &cursor, 5, &ifs, &uTest));  // fields missing
    EXPECT_EQ(0, fnReadCopyFiles(NULL, &cursor, 6, &ifs, &uTest));  // "<" in a name
    EXPECT_EQ(2, fnReadCopyFiles(NULL, &cursor, 7, &ifs, &uTest));
}

TEST_F(CopySectionTest, BareDestinationLandsInTheDestinationDirectory)
{
    const char *pszLines = "0,A.TXT,B.TXT,N,N,N\r\n";
    LineCursorStruct cursor = {pszLines, pszLines, 1};
    IFStruct ifs;
    memset(&ifs, 0, sizeof(ifs));
    unsigned uTest = 0;
    ASSERT_EQ(1, fnReadCopyFiles(NULL, &cursor, 1, &ifs, &uTest));
    EXPECT_EQ(m_strDst, ifs.szDstDir);
    EXPECT_FALSE(ifs.bDiskPrompt);
    EXPECT_STREQ("", ifs.szDiskId);
}

TEST_F(CopySectionTest, EmptyAndHeaderOnlySectionsSucceed)
{
    EXPECT_EQ(1, fnCopyFiles(NULL, NULL, "", "[CopyFiles]", ""));
    EXPECT_EQ(1, fnRun("TotalFiles=4\r\nBeQuiet=Y\r\n"));
}

TEST_F(CopySectionTest, TotalFilesZeroInstallsNothing)
{
    fnWriteWholeFile(m_strSrc + "\\A.TXT", "a");
    EXPECT_EQ(1, fnRun("TotalFiles=0\r\n0,A.TXT,A.TXT,N,N,N\r\n"));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\A.TXT"));
}

TEST_F(CopySectionTest, SkippedLinesAndMissingSourcesGoOn)
{
    fnWriteWholeFile(m_strSrc + "\\A.TXT", "a");
    fnWriteWholeFile(m_strSrc + "\\B.TXT", "b");
    EXPECT_EQ(1, fnRun("X=Y,0,A.TXT,SKIPPED.TXT,N,N,N\r\n0,MISSING.TXT,M.TXT,N,N,N\r\n"
                       "0,A.TXT,deep\\er\\A.TXT,N,N,N\r\n0,B.TXT,B.TXT,N,N,N\r\n"));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\SKIPPED.TXT"));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\M.TXT"));
    EXPECT_EQ("a", fnReadWholeFile(m_strDst + "\\deep\\er\\A.TXT"));
    EXPECT_EQ("b", fnReadWholeFile(m_strDst + "\\B.TXT"));
}

TEST_F(CopySectionTest, ALineErrorStopsTheSectionAfterTheFilesBeforeIt)
{
    fnWriteWholeFile(m_strSrc + "\\A.TXT", "a");
    EXPECT_EQ(0, fnRun("0,A.TXT,A.TXT,N,N,N\r\n0,A.TXT,B.TXT,N,NNNNN,N\r\n0,A.TXT,C.TXT,N,N,N\r\n"));
    EXPECT_EQ("a", fnReadWholeFile(m_strDst + "\\A.TXT"));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\C.TXT"));
}

TEST_F(CopySectionTest, JoinedPartsMakeOneFileAndLeaveNoTemporaryFile)
{
    fnWriteWholeFile(m_strSrc + "\\P1", "aa");
    fnWriteWholeFile(m_strSrc + "\\P2", "bb");
    fnWriteWholeFile(m_strSrc + "\\P3", "cc");
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strTempPattern = std::string(szTemp) + "_RJ*";
    WIN32_FIND_DATAA fd;
    HANDLE hBefore = FindFirstFileA(strTempPattern.c_str(), &fd);
    int cBefore = 0;
    if (hBefore != INVALID_HANDLE_VALUE) {
        do cBefore++; while (FindNextFileA(hBefore, &fd));
        FindClose(hBefore);
    }
    EXPECT_EQ(1, fnRun("0,P1,J.BIN,N,JN1,N\r\n0,P2,J.BIN,N,JN2,N\r\n0,P3,J.BIN,N,JN0,N\r\n"));
    EXPECT_EQ("aabbcc", fnReadWholeFile(m_strDst + "\\J.BIN"));
    HANDLE hAfter = FindFirstFileA(strTempPattern.c_str(), &fd);
    int cAfter = 0;
    if (hAfter != INVALID_HANDLE_VALUE) {
        do cAfter++; while (FindNextFileA(hAfter, &fd));
        FindClose(hAfter);
    }
    EXPECT_EQ(cBefore, cAfter);
}

TEST_F(CopySectionTest, AJoinWithAMissingPartInstallsNothing)
{
    fnWriteWholeFile(m_strSrc + "\\P1", "aa");
    fnWriteWholeFile(m_strSrc + "\\P3", "cc");
    EXPECT_EQ(1, fnRun("0,P1,J.BIN,N,JN1,N\r\n0,P2,J.BIN,N,JN2,N\r\n0,P3,J.BIN,N,JN0,N\r\n"));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\J.BIN"));
}

TEST_F(CopySectionTest, CopyConfigSetsTheCountAndTheRunsQuietFlag)
{
    fnWriteWholeFile(m_strSrc + "\\A.TXT", "a");
    std::string strText = "[CopyFiles]\r\n0,A.TXT,A.TXT,N,N,N\r\n";
    EXPECT_EQ(1, fnCopyFiles(NULL, NULL, strText.c_str(), "[CopyFiles]", "[CopyConfig]\r\nBeQuiet=N\r\nFilesToCopy=1\r\n"));
    EXPECT_FALSE(g_bQuiet);
    EXPECT_EQ("a", fnReadWholeFile(m_strDst + "\\A.TXT"));
}

TEST_F(CopySectionTest, DiskLabelsAreFoundAfterTheSection)
{
    IFStruct ifs;
    memset(&ifs, 0, sizeof(ifs));
    fnCopyText(ifs.szDiskId, COUNTOF(ifs.szDiskId), "2");
    fnLookUpDiskLabel(&ifs, "[Disks]", "[CopyFiles]\r\n", "[Other]\r\n2=x\r\n[Disks]\r\n1=First\r\n2=Second disk\r\n");
    EXPECT_STREQ("Second disk", ifs.szDiskLabel);
}

TEST_F(CopySectionTest, CountingSeesWildcardMatchesAndStopsAtAnIncompleteLine)
{
    fnWriteWholeFile(m_strSrc + "\\A.TXT", "a");
    fnWriteWholeFile(m_strSrc + "\\B.TXT", "b");
    CreateDirectoryA((m_strSrc + "\\sub").c_str(), NULL);
    fnWriteWholeFile(m_strSrc + "\\sub\\C.TXT", "c");
    const char *pszLines = "0,*.TXT,X,N,N,N\r\n0,*.TXT,X,+N,N,N\r\nQ=Z,0,ONE,ONE,N,N,N\r\n0,TWO\r\n0,THREE,THREE,N,N,N\r\n";
    LineCursorStruct cursor = {pszLines, pszLines, 1};
    EXPECT_EQ(2u + 3u + 1u, fnCountEntries(&cursor, 5));
}

}  // namespace

namespace {

TEST_F(CopySectionTest, ToDisksModeCopiesAsIsAndMakesTheDirectoriesOnTheTarget)
{
    fnWriteWholeFile(m_strSrc + "\\A.TXT", "a");
    fnWriteWholeFile(m_strSrc + "\\B.TXT", "b");
    SetFileAttributesA((m_strSrc + "\\B.TXT").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string strText = "[MakeDisks]\r\nDirsSection=[DiskDirs]\r\n1,A.TXT,A.TXT,First file\r\n"
                          "X=Y,1,A.TXT,SKIPPED.TXT\r\n0,B.TXT,sub\\B.TXT,,N,1\r\n";
    EXPECT_EQ(1, fnInfCopyFilesToDisks(NULL, NULL, strText.c_str(), "[MakeDisks]", "[DiskDirs]\r\nmade\r\nmade\\deeper\r\n"));
    EXPECT_EQ("a", fnReadWholeFile(m_strDst + "\\A.TXT"));
    EXPECT_EQ("b", fnReadWholeFile(m_strDst + "\\sub\\B.TXT"));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\SKIPPED.TXT"));
    EXPECT_TRUE(fnFileExists(m_strDst + "\\made\\deeper"));
    // Copied as is: the source's attributes come along.
    EXPECT_NE(0u, GetFileAttributesA((m_strDst + "\\sub\\B.TXT").c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((m_strSrc + "\\B.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((m_strDst + "\\sub\\B.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CopySectionTest, ToDisksEntriesReadTheirOwnFields)
{
    const char *pszLines = "3,A.TXT,..\\up\\A.TXT,+Tree copy,y,5000\r\n,A.TXT,B.TXT\r\n";
    LineCursorStruct cursor = {pszLines, pszLines, 1};
    IFStruct ifs;
    memset(&ifs, 0, sizeof(ifs));
    DWORD dwNeeded = 0;
    BOOL bSwitch = FALSE;
    unsigned uTest = 0;
    ASSERT_EQ(1, fnReadCopyFilesToDisks(NULL, &cursor, 1, &ifs, &dwNeeded, &bSwitch, &uTest));
    EXPECT_STREQ("3", ifs.szDiskId);
    EXPECT_STREQ("..\\up", ifs.szDstDir);
    EXPECT_TRUE(ifs.bRecurse);
    EXPECT_STREQ("Tree copy", ifs.szDescription);
    EXPECT_TRUE(bSwitch);
    EXPECT_EQ(5000u, dwNeeded);
    EXPECT_EQ((unsigned)kInstallAsIs, ifs.uInstallMode);
    EXPECT_EQ(0, fnReadCopyFilesToDisks(NULL, &cursor, 2, &ifs, &dwNeeded, &bSwitch, &uTest));  // no disk number
}

}  // namespace
