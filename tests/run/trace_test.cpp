// The trace file record format, the file append and the install log.
#include <gtest/gtest.h>

#include <string>

#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "base/install_log.h"
#include "../support/test_files.h"

namespace {

class TraceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        m_strDir = fnTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::string m_strDir;
};

TEST_F(TraceTest, RecordFormatAndSeparation)
{
    g_uTraceMode = 3;
    std::string strFile = m_strDir + "\\KRVloDbg.LOG";
    fnCopyText(g_szDebugFile, COUNTOF(g_szDebugFile), strFile.c_str());
    TRACE("fnLoadInf", "Begin");
    TRACE("fnOther", "a=%d,\nb=%s", 5, "x");
    EXPECT_EQ("~-Install and Setup: fnLoadInf-~\r\nBegin\r\n\r\n"
              "~-Install and Setup: fnOther-~\r\na=5,\nb=x\r\n\r\n",
              fnReadWholeFile(strFile));
}

TEST_F(TraceTest, ModeZeroAndUnknownModesWriteNothing)
{
    std::string strFile = m_strDir + "\\KRVloDbg.LOG";
    fnCopyText(g_szDebugFile, COUNTOF(g_szDebugFile), strFile.c_str());
    g_uTraceMode = 0;
    EXPECT_EQ(0, TRACE("fnX", "%s", "never"));
    EXPECT_EQ(0, fnTrace("fnX", 7, "%s", "never"));
    EXPECT_FALSE(fnFileExists(strFile));
}

TEST_F(TraceTest, LongTextIsCutToTheRecordSize)
{
    g_uTraceMode = 3;
    std::string strFile = m_strDir + "\\KRVloDbg.LOG";
    fnCopyText(g_szDebugFile, COUNTOF(g_szDebugFile), strFile.c_str());
    std::string strLong(5000, 'L');
    TRACE("fnLong", "%s", strLong.c_str());
    std::string strRecord = fnReadWholeFile(strFile);
    std::string strHead = "~-Install and Setup: fnLong-~\r\n";
    ASSERT_EQ(strHead.size() + 1024 + 4, strRecord.size());
    EXPECT_EQ(std::string(1024, 'L') + "\r\n\r\n", strRecord.substr(strHead.size()));
}

TEST_F(TraceTest, AppendAddsLineEndOnlyWhenAsked)
{
    std::string strFile = m_strDir + "\\append.txt";
    EXPECT_EQ(1, fnAppendTextToFile(strFile.c_str(), "one %d", 1, 1));
    EXPECT_EQ(1, fnAppendTextToFile(strFile.c_str(), "two", 0));
    EXPECT_EQ(1, fnAppendTextToFile(strFile.c_str(), "three", 1));
    EXPECT_EQ("one 1\r\ntwothree\r\n", fnReadWholeFile(strFile));
    EXPECT_EQ(0, fnAppendTextToFile((m_strDir + "\\no\\such\\dir.txt").c_str(), "x", 1));
}

TEST_F(TraceTest, InstallLogIsQuietUntilStarted)
{
    std::string strLog = m_strDir + "\\setup.log";
    fnCopyText(g_szLogFile, COUNTOF(g_szLogFile), strLog.c_str());
    EXPECT_EQ(1, fnLogLine("%s, N", 1, "C:\\X.DLL"));
    EXPECT_FALSE(fnFileExists(strLog));
    g_bLogOn = TRUE;
    EXPECT_EQ(1, fnLogLine("%s, N", 1, "C:\\X.DLL"));
    EXPECT_EQ("C:\\X.DLL, N\r\n", fnReadWholeFile(strLog));
}

TEST_F(TraceTest, InstallLogStartsInTheDestinationWithHeaderAndKeepsTheOldFile)
{
    fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), m_strDir.c_str());
    fnCopyText(g_szAppName, COUNTOF(g_szAppName), "Demo");
    ASSERT_TRUE(fnWriteWholeFile(m_strDir + "\\setup.log", "older run\r\n"));
    EXPECT_EQ(1, fnStartInstallLog("setup.log"));
    EXPECT_STREQ((m_strDir + "\\setup.log").c_str(), g_szLogFile);
    EXPECT_EQ("[Karvello Log]\r\nAppName=Demo\r\nInstallDir=" + m_strDir + "\r\n",
              fnReadWholeFile(m_strDir + "\\setup.log"));
    EXPECT_EQ("older run\r\n", fnReadWholeFile(m_strDir + "\\setup.ORI"));

    // A second start does not switch logs.
    EXPECT_EQ(1, fnStartInstallLog("other.log"));
    EXPECT_STREQ((m_strDir + "\\setup.log").c_str(), g_szLogFile);
    EXPECT_FALSE(fnFileExists(m_strDir + "\\other.log"));
}

TEST_F(TraceTest, WriteToFileWritesTextOnly)
{
    std::string strFile = m_strDir + "\\w.txt";
    HANDLE h = CreateFileA(strFile.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_EQ(1, fnWriteToFile(h, "abc"));
    EXPECT_EQ(1, fnWriteToFile(h, ""));
    EXPECT_EQ(1, fnWriteLineToFile(h, "line"));
    CloseHandle(h);
    EXPECT_EQ("abcline\r\n", fnReadWholeFile(strFile));
}

}  // namespace
