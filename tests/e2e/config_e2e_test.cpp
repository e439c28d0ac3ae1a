// The [Config] section as a script uses it: settings read before the walk,
// its message boxes, the trace and the install log it switches on, and the
// lines it reads from files for the expansion language.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

namespace {

const char kszClosing[] = "The software has been installed successfully.";

bool fnContains(const std::string &s, const std::string &strPart)
{
    return s.find(strPart) != std::string::npos;
}

bool fnExists(const std::string &strPath)
{
    return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A [WriteCmdFile] section whose file shows that the walk ran.
std::string fnWalkMark(const std::string &strDir)
{
    return "[WriteCmdFile]\r\nWriteFile=" + strDir + "\\walked.ini\r\nDestDir=C:\\X\r\n";
}

TEST(ConfigE2E, MessageBoxExitOnCancelEndsTheRunThere)
{
    std::string strDir = fnE2EWorkDir("Config_ExitOnCancel");
    E2ERun run;
    run.strScript = "[Config]\r\nMessageBoxEx=Go on?,Title,OKCANCEL,EXITONCANCEL\r\nCreateFile=" + strDir +
                    "\\after.txt\r\n" + fnWalkMark(strDir) + "[End]\r\n";
    run.vecAnswers = {"Cancel"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Title\ntext: Go on?\nbuttons: OK|Cancel\npressed: Cancel\n"))
        << res;
    // Neither the rest of [Config] nor the walk ran, and nothing claims an
    // installation.
    EXPECT_FALSE(fnExists(strDir + "\\after.txt"));
    EXPECT_FALSE(fnExists(strDir + "\\walked.ini"));
    EXPECT_FALSE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST(ConfigE2E, MessageBoxExWithTheOtherAnswerGoesOn)
{
    std::string strDir = fnE2EWorkDir("Config_ExitOnCancelOk");
    E2ERun run;
    run.strScript = "[Config]\r\nMessageBoxEx=Go on?,Title,OKCANCEL,EXITONCANCEL\r\nCreateFile=" + strDir +
                    "\\after.txt\r\n" + fnWalkMark(strDir) + "[End]\r\n";
    run.vecAnswers = {"OK", "OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnExists(strDir + "\\after.txt"));
    EXPECT_TRUE(fnExists(strDir + "\\walked.ini"));
    EXPECT_TRUE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST(ConfigE2E, ExitOnOkWithOwnButtonTextsEndsOnTheFirstButton)
{
    std::string strDir = fnE2EWorkDir("Config_ExitOnOk");
    E2ERun run;
    run.strScript = "[Config]\r\nMessageBoxEx=Already installed.,Title,OKCANCEL,EXITONOK,Quit,Reinstall\r\n" +
                    fnWalkMark(strDir) + "[End]\r\n";
    run.vecAnswers = {"Quit"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "buttons: Quit|Reinstall\npressed: Quit\n")) << res;
    EXPECT_FALSE(fnExists(strDir + "\\walked.ini"));
}

TEST(ConfigE2E, FirstUnknownKeywordEndsTheSection)
{
    std::string strDir = fnE2EWorkDir("Config_Unknown");
    E2ERun run;
    run.strScript = "[Config]\r\nCaption=First Caption\r\nFoo=1\r\nCaption=Second Caption\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, std::string("window: First Caption\ntext: ") + kszClosing)) << res;
}

TEST(ConfigE2E, DebugWritesTheTraceFileForTheRestOfTheRun)
{
    std::string strDir = fnE2EWorkDir("Config_Debug");
    E2ERun run;
    run.strScript = "[Config]\r\nDebug=3," + strDir + "\\trace.log\r\nCaption=Traced\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0, res.iRobotExit) << res;
    std::string strTrace = fnE2EReadFile(strDir + "\\trace.log");
    EXPECT_TRUE(fnContains(strTrace, "~-Traced: fnReadConfig-~\r\nDone\r\n")) << strTrace;
    EXPECT_TRUE(fnContains(strTrace, "~-Traced: fnUserExit-~\r\n")) << strTrace;
}

TEST(ConfigE2E, DebugZeroSwitchesTheTraceOff)
{
    std::string strDir = fnE2EWorkDir("Config_DebugOff");
    E2ERun run;
    run.strScript = "[Config]\r\nDebug=3," + strDir + "\\trace.log\r\nDebug=0\r\n[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    // Made empty by the first line, and nothing traced after the second.
    EXPECT_TRUE(fnExists(strDir + "\\trace.log"));
    EXPECT_EQ("", fnE2EReadFile(strDir + "\\trace.log"));
}

TEST(ConfigE2E, LogFileOpensTheInstallLogBeforeTheWalk)
{
    std::string strDir = fnE2EWorkDir("Config_LogFile");
    E2ERun run;
    run.strScript = "[Config]\r\nLogFile=" + strDir + "\\install.log\r\n" + fnWalkMark(strDir) + "[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    std::string strLog = fnE2EReadFile(strDir + "\\install.log");
    EXPECT_EQ(0u, strLog.find("[Karvello Log]\r\n")) << strLog;
    // The walk's section headers are logged.
    EXPECT_TRUE(fnContains(strLog, "\r\n[WriteCmdFile]")) << strLog;
}

TEST(ConfigE2E, ReadLineFromFileFillsTheAnswerSlotsInTurn)
{
    std::string strDir = fnE2EWorkDir("Config_ReadLine");
    fnE2EWriteFile(strDir + "\\first.txt", "alpha line\r\nsecond\r\n");
    fnE2EWriteFile(strDir + "\\keys.txt", "; settings\r\n   Server = files01  \r\nPort=8080\r\n");
    E2ERun run;
    run.strScript = "[Config]\r\nReadLineFromFile=" + strDir + "\\first.txt\r\nReadLineFromFile=" + strDir +
                    "\\keys.txt,server\r\nReadLineFromFile=" + strDir + "\\missing.txt\r\n"
                    "ExitMessage=\"[@$0][@$1]\"\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: [alpha line][files01]\n")) << res;
}

TEST(ConfigE2E, WriteLineToFileMakesTheFoldersAndAppends)
{
    std::string strDir = fnE2EWorkDir("Config_WriteLine");
    fnE2EWriteFile(strDir + "\\kept.txt", "old line\r\n");
    E2ERun run;
    run.strScript = "[Config]\r\nWriteLineToFile=" + strDir + "\\kept.txt,new line\r\nWriteLineToFile=" + strDir +
                    "\\a\\b\\made.txt,\"first, with a comma\"\r\n[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ("old line\r\nnew line\r\n", fnE2EReadFile(strDir + "\\kept.txt"));
    EXPECT_EQ("first, with a comma\r\n", fnE2EReadFile(strDir + "\\a\\b\\made.txt"));
}

TEST(ConfigE2E, BeQuietRunsWithoutTheClosingMessage)
{
    std::string strDir = fnE2EWorkDir("Config_BeQuiet");
    E2ERun run;
    run.strScript = "[Config]\r\nBeQuiet=yes\r\n" + fnWalkMark(strDir) + "[End]\r\n";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, "window: ")) << res;
    EXPECT_TRUE(fnExists(strDir + "\\walked.ini"));
}

TEST(ConfigE2E, RestartRequestLetsTheRunGoOn)
{
    std::string strDir = fnE2EWorkDir("Config_Restart");
    E2ERun run;
    run.strScript = "[Config]\r\nRestart=Y\r\n" + fnWalkMark(strDir) + "[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_TRUE(fnExists(strDir + "\\walked.ini"));
}

}  // namespace
