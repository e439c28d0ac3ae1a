// The [Set]/[Command] walk: the keep-going rule, the result of file commands
// and queries, stored answers, the settings that differ from [Config], the
// pop-up table, and the system commands' soft failures.
#include <gtest/gtest.h>

#include <string>

#include "commands/command.h"
#include "run/message.h"
#include "run/popup.h"
#include "run/run_state.h"
#include "run/text.h"
#include "support/test_files.h"

namespace {

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        m_strDir = fnTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override
    {
        for (unsigned u = 1; u <= kuPopups; u++)
            fnClosePopup(u);
        fnClearRunState();
    }
    static int fnCommand(const std::string &strBody) { return fnReadCommand(NULL, strBody.c_str()); }
    std::string m_strDir;
};

TEST_F(CommandTest, FirstUnknownCommandEndsTheSectionWithTheResultSoFar)
{
    EXPECT_EQ(1, fnCommand("Caption=First\r\nFoo=1\r\nCaption=Late\r\n"));
    EXPECT_STREQ("First", g_szTitle);
    EXPECT_EQ(0, fnCommand("CopyFile=" + m_strDir + "\\none.txt," + m_strDir + "\\b.txt\r\nFoo\r\nCaption=Late\r\n"));
    EXPECT_STREQ("First", g_szTitle);
}

TEST_F(CommandTest, TheLastFileCommandDecidesTheResult)
{
    std::string strA = m_strDir + "\\a.txt";
    EXPECT_EQ(0, fnCommand("CopyFile=" + m_strDir + "\\missing.txt," + m_strDir + "\\b.txt\r\n"));
    EXPECT_EQ(1, fnCommand("DeleteFile=" + m_strDir + "\\missing.txt\r\nCreateFile=" + strA + "\r\n"));
    EXPECT_EQ(0, fnCommand("CreateFile=" + strA + "\r\nDeleteFile=" + m_strDir + "\\missing.txt\r\n"));
    ASSERT_TRUE(fnWriteWholeFile(strA, "payload"));
    EXPECT_EQ(1, fnCommand("CopyFile=" + strA + "," + m_strDir + "\\b.txt\r\nRenameFile=" + m_strDir + "\\b.txt," +
                           m_strDir + "\\c.txt\r\n"));
    EXPECT_EQ("payload", fnReadWholeFile(m_strDir + "\\c.txt"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\b.txt"));
    // A command without a file leaves the result as it was; settings never change it.
    EXPECT_EQ(0, fnCommand("DeleteFile=" + m_strDir + "\\missing.txt\r\nCreateFile=\r\nCaption=X\r\n"));
}

TEST_F(CommandTest, ExitNowEndsTheRunAndSkipsTheRest)
{
    EXPECT_EQ(1, fnCommand("CopyFile=" + m_strDir + "\\none.txt,x\r\nexitnow\r\nCaption=Late\r\n"));
    EXPECT_TRUE(g_bLoaderDone);
    EXPECT_STRNE("Late", g_szTitle);
}

TEST_F(CommandTest, AnswersGoToTheNextSlotAndStayInTheLast)
{
    std::string strFile = m_strDir + "\\line.txt";
    ASSERT_TRUE(fnWriteWholeFile(strFile, "hello\r\n"));
    EXPECT_EQ(1, fnCommand("GetFileVersion=" + m_strDir + "\\missing.dll\r\nReadLineFromFile=" + strFile + "\r\n"));
    EXPECT_STREQ("NF", g_szSetValues[0]);  // the file was not found: not a version
    EXPECT_STREQ("hello", g_szSetValues[1]);
    std::string strBody;
    for (int i = 0; i < 10; i++)
        strBody += "ReadLineFromFile=" + strFile + "\r\n";
    fnCommand(strBody + "GetFileVersion=" + m_strDir + "\\missing.dll\r\n");
    EXPECT_EQ(9u, g_uSetValue);
    EXPECT_STREQ("NF", g_szSetValues[9]);
    EXPECT_STREQ("hello", g_szSetValues[8]);
}

TEST_F(CommandTest, DiskAndFolderSizesAreTheSystemsFigures)
{
    ASSERT_TRUE(fnWriteWholeFile(m_strDir + "\\a.bin", std::string(1000, 'a')));
    CreateDirectoryA((m_strDir + "\\sub").c_str(), NULL);
    ASSERT_TRUE(fnWriteWholeFile(m_strDir + "\\sub\\b.bin", std::string(234, 'b')));
    EXPECT_EQ(1, fnCommand("GetFolderSize=" + m_strDir + "\r\nGetTotalSpace=" + m_strDir + "\r\nGetFreeSpace=" +
                           m_strDir + "\r\nGetUsedSpace=" + m_strDir + "\\no\\such\\dir\r\n"));
    EXPECT_STREQ("1234", g_szSetValues[0]);
    ULARGE_INTEGER ulAvail, ulTotal, ulFree;
    ASSERT_TRUE(GetDiskFreeSpaceExA(m_strDir.c_str(), &ulAvail, &ulTotal, &ulFree));
    EXPECT_EQ(std::to_string(ulTotal.QuadPart), g_szSetValues[1]);
    EXPECT_FALSE(std::string(g_szSetValues[2]).empty());
    EXPECT_EQ(4u, g_uSetValue);
}

TEST_F(CommandTest, DebugTakesTheNamedFileAsItStandsAndLogFileOnlyRecords)
{
    std::string strTrace = m_strDir + "\\trace.log";
    ASSERT_TRUE(fnWriteWholeFile(strTrace, "kept\r\n"));
    fnCommand("Debug=3," + strTrace + "\r\nLogFile=" + m_strDir + "\\install.log\r\n");
    EXPECT_EQ(3u, g_uTraceMode);
    EXPECT_EQ(3u, g_uWMITraceMode);
    EXPECT_STREQ(strTrace.c_str(), g_szDebugFile);
    EXPECT_EQ(0u, fnReadWholeFile(strTrace).find("kept"));  // an existing trace file is appended to
    EXPECT_STREQ((m_strDir + "\\install.log").c_str(), g_szLogFile);
    EXPECT_FALSE(fnFileExists(m_strDir + "\\install.log"));
    g_uTraceMode = 0;
}

TEST_F(CommandTest, PasswordsNeverReachTheTrace)
{
    std::string strTrace = m_strDir + "\\trace.log";
    fnCommand("Debug=3," + strTrace + "\r\nCreateLocalUser=setup32probe,Pa55-Clear,N\r\nMapDrive=Q:,\\\\nohost\\share,"
              "bob,Pa55-Clear\r\nUnJoinDomain=corp.invalid,admin,Pa55-Clear\r\nDebug=0\r\n");
    std::string strText = fnReadWholeFile(strTrace);
    EXPECT_NE(std::string::npos, strText.find("CreateLocalUser")) << strText;
    EXPECT_EQ(std::string::npos, strText.find("Pa55-Clear")) << strText;
}

TEST_F(CommandTest, ClosePopupClosesTheNumberedModelessPopup)
{
    fnCommand("Message=One,N\r\nPopup=Two,N,Center,Large\r\n");
    ASSERT_EQ(2u, g_uPopups);
    HWND hwndFirst = fnPopupWindow(1);
    ASSERT_NE(nullptr, hwndFirst);
    fnCommand("ClosePopup=5\r\nClosePopup=1\r\n");
    EXPECT_FALSE(IsWindow(hwndFirst));
    EXPECT_NE(nullptr, fnPopupWindow(2));
}

TEST_F(CommandTest, ServiceAndWmiFailuresAreReportedNotStored)
{
    // A query without an answer stores "NA", never an empty answer.
    fnCommand("WMIQuery=No_Such_Class,Name\r\n");
    EXPECT_STREQ("NA", g_szSetValues[0]);
    // A service that does not exist changes nothing and the walk goes on.
    EXPECT_EQ(1, fnCommand("StartService=setup32-no-such-service\r\nChangeServiceStart=setup32-no-such-service,AUTO\r\n"
                           "Caption=After\r\n"));
    EXPECT_STREQ("After", g_szTitle);
}

TEST_F(CommandTest, WindowCommandsFindAWindowByTheBeginningOfItsTitle)
{
    HWND hwnd = CreateWindowExA(0, "STATIC", "Setup32 Probe Window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hwnd);
    // The window is there and none named "Nothing Like It": both watches end at once.
    fnCommand("WaitForWindow=Setup32 Probe Window\r\nWhileWindow=Nothing Like It,Y,N,N\r\n"
              "SetTopMostWindow=setup32 probe\r\n");
    EXPECT_NE(0, GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    fnCommand("SetNotTopMostWindow=SETUP32 PROBE\r\n");
    EXPECT_EQ(0, GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    fnCommand("CloseWindow=Probe Window\r\n");  // not the beginning: left alone
    EXPECT_TRUE(IsWindow(hwnd));
    fnCommand("CloseWindow=setup32 probe\r\n");
    EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
