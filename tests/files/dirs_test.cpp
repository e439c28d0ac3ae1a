// Directories and disk space: tree creation and its log, folder sizes, the
// directory list of [MakeDirs] and the destination check, on the real file
// system.
#include <gtest/gtest.h>

#include <string>

#include "files/dirs.h"
#include "run/run_state.h"
#include "script/input.h"
#include "../support/test_files.h"

namespace {

class DirsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        g_bQuiet = TRUE;
        m_strDir = fnTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_strLog = m_strDir + "\\install.log";
        DeleteFileA(m_strLog.c_str());
        fnCopyLogName(m_strLog);
    }
    void TearDown() override { g_bLogOn = FALSE; }
    static void fnCopyLogName(const std::string &strLog)
    {
        lstrcpynA(g_szLogFile, strLog.c_str(), MAX_PATH);
        g_bLogOn = TRUE;
    }
    std::string m_strDir;
    std::string m_strLog;
};

TEST_F(DirsTest, TreeCreatesEveryLevelAndLogsOnlyTheLast)
{
    std::string strDeep = m_strDir + "\\one\\two\\three";
    EXPECT_EQ(1, fnCreateDirTree(strDeep.c_str(), TRUE));
    EXPECT_TRUE(fnIsDir(m_strDir + "\\one"));
    EXPECT_TRUE(fnIsDir(m_strDir + "\\one\\two"));
    EXPECT_TRUE(fnIsDir(strDeep));
    EXPECT_EQ(strDeep + ",  D\r\n", fnReadWholeFile(m_strLog));
}

TEST_F(DirsTest, ExistingDirectoryCountsAsCreatedButIsNotLogged)
{
    std::string strSub = m_strDir + "\\there";
    ASSERT_TRUE(CreateDirectoryA(strSub.c_str(), NULL));
    EXPECT_EQ(1, fnCreateDir(strSub.c_str(), TRUE));
    EXPECT_EQ(1, fnCreateDirTree((strSub + "\\").c_str(), TRUE));
    EXPECT_EQ("", fnReadWholeFile(m_strLog));
}

TEST_F(DirsTest, FileInTheWayFailsTheTree)
{
    ASSERT_TRUE(fnWriteWholeFile(m_strDir + "\\blocker", "x"));
    EXPECT_EQ(0, fnCreateDir((m_strDir + "\\blocker").c_str(), TRUE));
    EXPECT_EQ(0, fnCreateDirTree((m_strDir + "\\blocker\\below").c_str(), TRUE));
    EXPECT_EQ("", fnReadWholeFile(m_strLog));
}

TEST_F(DirsTest, CurrentDirectoryIsRestoredAfterTheExistenceTest)
{
    char szBefore[MAX_PATH], szAfter[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, szBefore);
    fnCreateDir(m_strDir.c_str(), FALSE);
    GetCurrentDirectoryA(MAX_PATH, szAfter);
    EXPECT_STREQ(szBefore, szAfter);
}

TEST_F(DirsTest, FolderSizeAddsFilesInSubdirectories)
{
    std::string strTop = m_strDir + "\\sized";
    ASSERT_EQ(1, fnCreateDirTree((strTop + "\\sub\\deeper").c_str(), FALSE));
    ASSERT_TRUE(fnWriteWholeFile(strTop + "\\a.bin", std::string(1000, 'a')));
    ASSERT_TRUE(fnWriteWholeFile(strTop + "\\sub\\b.bin", std::string(234, 'b')));
    ASSERT_TRUE(fnWriteWholeFile(strTop + "\\sub\\deeper\\c.bin", std::string(5, 'c')));
    ULONGLONG ullSize = 99;
    fnGetFolderSize(strTop.c_str(), &ullSize);
    EXPECT_EQ(1239u, ullSize);
    fnGetFolderSize((m_strDir + "\\missing").c_str(), &ullSize);
    EXPECT_EQ(0u, ullSize);
}

TEST_F(DirsTest, BareDriveSizeIsItsUsedSpace)
{
    ULONGLONG ullTotal = 0, ullAvail = 0, ullUsed = 0, ullFree = 0;
    ASSERT_EQ(1, fnGetDiskSpaceInfo("C:\\", &ullFree, &ullAvail, &ullTotal, &ullUsed));
    EXPECT_GT(ullTotal, 0u);
    EXPECT_EQ(ullTotal - ullAvail, ullUsed);
    ULONGLONG ullSize = 0;
    fnGetFolderSize("C:", &ullSize);
    // The drive is in use by other processes meanwhile: same order of size.
    EXPECT_GT(ullSize, 0u);
    EXPECT_LE(ullSize, ullTotal);

    DWORD dwFree = fnGetDiskSpace((m_strDir + "\\not\\yet\\made").c_str());
    ULONGLONG ullExpected = ullAvail > 0xFFFFFFFFull ? 0xFFFFFFFFull : ullAvail;
    EXPECT_NEAR((double)ullExpected, (double)dwFree, 64.0 * 1024 * 1024);
}

TEST_F(DirsTest, ListLinesPlainConditionalAndPassedOver)
{
    const char *pszLines =
        "sub1\r\n"
        "ExpandDelims=#\r\n"
        "a=a,cond\r\n"
        "a=b,never\r\n"
        "C:\\full\r\n";
    char szDir[MAX_PATH];
    EXPECT_EQ(kGetDirRead, fnInfGetDir(pszLines, 1, szDir, sizeof(szDir)));
    EXPECT_STREQ("sub1", szDir);
    EXPECT_EQ(kGetDirPassed, fnInfGetDir(pszLines, 2, szDir, sizeof(szDir)));
    EXPECT_STREQ("#", g_szExpandDelims);
    EXPECT_EQ(kGetDirRead, fnInfGetDir(pszLines, 3, szDir, sizeof(szDir)));
    EXPECT_STREQ("cond", szDir);
    EXPECT_EQ(kGetDirPassed, fnInfGetDir(pszLines, 4, szDir, sizeof(szDir)));
    EXPECT_EQ(kGetDirRead, fnInfGetDir(pszLines, 5, szDir, sizeof(szDir)));
    EXPECT_STREQ("C:\\full", szDir);
    EXPECT_EQ(kGetDirNone, fnInfGetDir(pszLines, 6, szDir, sizeof(szDir)));
}

TEST_F(DirsTest, MakeDirsJoinsRelativeNamesToTheDestination)
{
    std::string strDest = m_strDir + "\\dest";
    lstrcpynA(g_szDestDir, strDest.c_str(), MAX_PATH);
    std::string strFull = m_strDir + "\\elsewhere\\deep";
    std::string strScript = "[MakeDirs]\r\nbin\r\nlib\\x86\r\n" + strFull + "\r\n";
    EXPECT_EQ(1, fnInfMakeDirs(NULL, strScript.c_str(), NULL, "[MakeDirs]"));
    EXPECT_TRUE(fnIsDir(strDest + "\\bin"));
    EXPECT_TRUE(fnIsDir(strDest + "\\lib\\x86"));
    EXPECT_TRUE(fnIsDir(strFull));
    EXPECT_EQ(strDest + "\\bin,  D\r\n" + strDest + "\\lib\\x86,  D\r\n" + strFull + ",  D\r\n",
              fnReadWholeFile(m_strLog));
}

TEST_F(DirsTest, MakeDirsFindsTheSectionInTheSecondScriptOrDoesNothing)
{
    std::string strDest = m_strDir + "\\dest2";
    lstrcpynA(g_szDestDir, strDest.c_str(), MAX_PATH);
    EXPECT_EQ(1, fnInfMakeDirs(NULL, "[Other]\r\nx\r\n", "[DestSubDirs]\r\nsecond\r\n", "[DestSubDirs]"));
    EXPECT_TRUE(fnIsDir(strDest + "\\second"));
    EXPECT_EQ(1, fnInfMakeDirs(NULL, "[Other]\r\nx\r\n", NULL, "[MakeDirs]"));
    EXPECT_FALSE(fnIsDir(strDest + "\\x"));
}

TEST_F(DirsTest, DestinationCheckMakesTheDirectoriesAndEntersTheDestination)
{
    UserInputStruct input;
    memset(&input, 0, sizeof(input));
    std::string strDest = m_strDir + "\\chosen";
    lstrcpynA(input.szDestPath, strDest.c_str(), MAX_PATH);
    lstrcpynA(input.szDirSection, "[MakeDirs]", 128);
    input.dwDiskSpaceNeeded = 1;
    EXPECT_EQ(1, fnTestDestDir(NULL, &input, "[MakeDirs]\r\ndata\r\n"));
    EXPECT_TRUE(fnIsDir(strDest + "\\data"));
    EXPECT_STREQ(strDest.c_str(), g_szDestDir);
    char szCurrent[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, szCurrent);
    EXPECT_STREQ(strDest.c_str(), szCurrent);
    SetCurrentDirectoryA(m_strDir.c_str());
}

TEST_F(DirsTest, DestinationCheckWithoutPathPassesAtOnce)
{
    UserInputStruct input;
    memset(&input, 0, sizeof(input));
    EXPECT_EQ(1, fnTestDestDir(NULL, &input, ""));  // nothing chosen: nothing to check
}

}  // namespace
