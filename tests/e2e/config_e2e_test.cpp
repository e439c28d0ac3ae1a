// The [Config] section as a script uses it: settings read before the walk,
// its message boxes, the trace and the install log it switches on, and the
// lines it reads from files for the expansion language.
#include <gtest/gtest.h>

#include <string>

#include "../support/test_files.h"
#include "e2e_support.h"

namespace {

const char kszClosing[] = "The software has been installed successfully.";

using ConfigE2E = E2ECase;

// A [WriteCmdFile] section whose file shows that the walk ran.
std::string fnWalkMark(const std::string &strDir)
{
    return "[WriteCmdFile]\r\nWriteFile=" + strDir + "\\walked.ini\r\nDestDir=C:\\X\r\n";
}

TEST_F(ConfigE2E, MessageBoxExitOnCancelEndsTheRunThere)
{
    E2EResult res = fnRunCase("[Config]\r\nMessageBoxEx=Go on?,Title,OKCANCEL,EXITONCANCEL\r\nCreateFile=" + m_strDir +
                                  "\\after.txt\r\n" + fnWalkMark(m_strDir) + "[End]\r\n",
                              "", {"Cancel"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Title\ntext: Go on?\nbuttons: OK|Cancel\npressed: Cancel\n"))
        << res;
    // Neither the rest of [Config] nor the walk ran, and nothing claims an
    // installation.
    EXPECT_FALSE(fnFileExists(m_strDir + "\\after.txt"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\walked.ini"));
    EXPECT_FALSE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST_F(ConfigE2E, MessageBoxExWithTheOtherAnswerGoesOn)
{
    E2EResult res = fnRunCase("[Config]\r\nMessageBoxEx=Go on?,Title,OKCANCEL,EXITONCANCEL\r\nCreateFile=" + m_strDir +
                                  "\\after.txt\r\n" + fnWalkMark(m_strDir) + "[End]\r\n",
                              "", {"OK", "OK"}, 0);
    EXPECT_TRUE(fnFileExists(m_strDir + "\\after.txt"));
    EXPECT_TRUE(fnFileExists(m_strDir + "\\walked.ini"));
    EXPECT_TRUE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST_F(ConfigE2E, ExitOnOkWithOwnButtonTextsEndsOnTheFirstButton)
{
    E2EResult res = fnRunCase("[Config]\r\nMessageBoxEx=Already installed.,Title,OKCANCEL,EXITONOK,Quit,Reinstall\r\n" +
                                  fnWalkMark(m_strDir) + "[End]\r\n",
                              "", {"Quit"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "buttons: Quit|Reinstall\npressed: Quit\n")) << res;
    EXPECT_FALSE(fnFileExists(m_strDir + "\\walked.ini"));
}

TEST_F(ConfigE2E, FirstUnknownKeywordEndsTheSection)
{
    E2EResult res =
        fnRunCase("[Config]\r\nCaption=First Caption\r\nFoo=1\r\nCaption=Second Caption\r\n[End]\r\n", "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, std::string("window: First Caption\ntext: ") + kszClosing)) << res;
}

TEST_F(ConfigE2E, DebugWritesTheTraceFileForTheRestOfTheRun)
{
    fnRunCase("[Config]\r\nDebug=3," + m_strDir + "\\trace.log\r\nCaption=Traced\r\n[End]\r\n", "", {"OK"}, 0);
    std::string strTrace = fnE2EReadFile(m_strDir + "\\trace.log");
    EXPECT_TRUE(fnContains(strTrace, "~-Traced: fnReadConfig-~\r\nDone\r\n")) << strTrace;
    EXPECT_TRUE(fnContains(strTrace, "~-Traced: fnUserExit-~\r\n")) << strTrace;
}

TEST_F(ConfigE2E, DebugWithoutAFileTracesIntoTheDefaultTraceFile)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strDefault = std::string(szTemp) + "KRVloDbg.LOG";
    DeleteFileA(strDefault.c_str());
    fnRunCase("[Config]\r\nDebug=3\r\nCaption=Default Trace\r\n[End]\r\n", "-q", {}, 0);
    std::string strTrace = fnE2EReadFile(strDefault);
    EXPECT_TRUE(fnContains(strTrace, "~-Default Trace: fnReadConfig-~")) << strTrace;
    DeleteFileA(strDefault.c_str());
}

TEST_F(ConfigE2E, DebugZeroSwitchesTheTraceOff)
{
    fnRunCase("[Config]\r\nDebug=3," + m_strDir + "\\trace.log\r\nDebug=0\r\n[End]\r\n", "-q", {}, 0);
    // Made empty by the first line, and nothing traced after the second.
    EXPECT_TRUE(fnFileExists(m_strDir + "\\trace.log"));
    EXPECT_EQ("", fnE2EReadFile(m_strDir + "\\trace.log"));
}

TEST_F(ConfigE2E, LogFileOpensTheInstallLogBeforeTheWalk)
{
    fnRunCase("[Config]\r\nLogFile=" + m_strDir + "\\install.log\r\n" + fnWalkMark(m_strDir) + "[End]\r\n", "-q", {},
              0);
    std::string strLog = fnE2EReadFile(m_strDir + "\\install.log");
    EXPECT_EQ(0u, strLog.find("[Karvello Log]\r\n")) << strLog;
    // The walk's section headers are logged.
    EXPECT_TRUE(fnContains(strLog, "\r\n[WriteCmdFile]")) << strLog;
}

TEST_F(ConfigE2E, ReadLineFromFileFillsTheAnswerSlotsInTurn)
{
    fnE2EWriteFile(m_strDir + "\\first.txt", "alpha line\r\nsecond\r\n");
    fnE2EWriteFile(m_strDir + "\\keys.txt", "; settings\r\n   Server = files01  \r\nPort=8080\r\n");
    E2EResult res = fnRunCase("[Config]\r\nReadLineFromFile=" + m_strDir + "\\first.txt\r\nReadLineFromFile=" +
                                  m_strDir + "\\keys.txt,server\r\nReadLineFromFile=" + m_strDir +
                                  "\\missing.txt\r\nExitMessage=\"[@$0][@$1]\"\r\n[End]\r\n",
                              "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: [alpha line][files01]\n")) << res;
}

TEST_F(ConfigE2E, WriteLineToFileMakesTheFoldersAndAppends)
{
    fnE2EWriteFile(m_strDir + "\\kept.txt", "old line\r\n");
    fnRunCase("[Config]\r\nWriteLineToFile=" + m_strDir + "\\kept.txt,new line\r\nWriteLineToFile=" + m_strDir +
                  "\\a\\b\\made.txt,\"first, with a comma\"\r\n[End]\r\n",
              "-q", {}, 0);
    EXPECT_EQ("old line\r\nnew line\r\n", fnE2EReadFile(m_strDir + "\\kept.txt"));
    EXPECT_EQ("first, with a comma\r\n", fnE2EReadFile(m_strDir + "\\a\\b\\made.txt"));
}

TEST_F(ConfigE2E, BeQuietRunsWithoutTheClosingMessage)
{
    E2EResult res = fnRunCase("[Config]\r\nBeQuiet=yes\r\n" + fnWalkMark(m_strDir) + "[End]\r\n", "", {}, 0);
    EXPECT_FALSE(fnContains(res.strTranscript, "window: ")) << res;
    EXPECT_TRUE(fnFileExists(m_strDir + "\\walked.ini"));
}

TEST_F(ConfigE2E, RestartHandsTheRunToATemporaryCopy)
{
    // This run ends quietly; the copy ("-t") does not relaunch again and walks on.
    fnRunCase("[Config]\r\nRestart=Y\r\n" + fnWalkMark(m_strDir) + "[End]\r\n", "-q", {}, 0);
    EXPECT_FALSE(fnFileExists(m_strDir + "\\walked.ini"));
    for (int i = 0; i < 200 && !fnFileExists(m_strDir + "\\walked.ini"); i++)
        Sleep(100);
    EXPECT_TRUE(fnFileExists(m_strDir + "\\walked.ini"));
    EXPECT_TRUE(fnFileExists(fnE2ETempCopy()));
    EXPECT_TRUE(fnE2EDeleteTempCopy());
}

}  // namespace
