// Start-up, script loading and the walk, run as a user runs them: the real
// SETUP32.EXE under Wine, its windows answered by the robot.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "e2e_support.h"

namespace {

const char kszClosing[] = "The software has been installed successfully.";
const char kszMarker[] = "<-- KRVLO -- K00a00r00v00e00l00l00o00 I00N00F00H00d00r00 -- KRVLO -->";

bool fnContains(const std::string &s, const std::string &strPart)
{
    return s.find(strPart) != std::string::npos;
}

// A [WriteCmdFile] section that leaves DESTDIR=strValue in strFile: a visible
// trace that the section ran.
std::string fnMarkSection(const std::string &strFile, const std::string &strValue)
{
    return "[WriteCmdFile]\r\nWriteFile=" + strFile + "\r\nDestDir=" + strValue + "\r\n";
}

std::string fnDestOf(const std::string &strFile)
{
    char szValue[260];
    GetPrivateProfileStringA("START", "DESTDIR", "", szValue, sizeof(szValue), strFile.c_str());
    return szValue;
}

TEST(Startup, DefaultScriptBesideTheProgramRunsWithoutArguments)
{
    std::string strDir = fnE2EWorkDir("Startup_Default");
    E2ERun run;
    run.strScript = "; a script\r\n" + fnMarkSection(strDir + "\\out.ini", "C:\\DEFAULT") + "[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, std::string("text: ") + kszClosing)) << res;
    EXPECT_EQ("C:\\DEFAULT", fnDestOf(strDir + "\\out.ini"));
}

TEST(Startup, NamedScriptIsChosenOverTheDefault)
{
    std::string strDir = fnE2EWorkDir("Startup_Named");
    fnE2EWriteFile(strDir + "\\KARVELLO.INF", fnMarkSection(strDir + "\\default.ini", "WRONG"));
    E2ERun run;
    run.strScriptName = "OTHER.INF";
    run.strScript = fnMarkSection(strDir + "\\other.ini", "C:\\OTHER");
    run.strArgs = "-q -i=other.inf";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;  // quiet: no closing message
    EXPECT_EQ("C:\\OTHER", fnDestOf(strDir + "\\other.ini"));
    EXPECT_EQ("", fnE2EReadFile(strDir + "\\default.ini"));
}

TEST(Startup, FallbackNameIsFoundWhenTheDefaultIsMissing)
{
    std::string strDir = fnE2EWorkDir("Startup_Fallback");
    E2ERun run;
    run.strScriptName = "SETUP.INF";
    run.strScript = fnMarkSection(strDir + "\\fb.ini", "C:\\FALLBACK");
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ("C:\\FALLBACK", fnDestOf(strDir + "\\fb.ini"));
}

TEST(Startup, NoScriptAnywhereExits1619)
{
    std::string strDir = fnE2EWorkDir("Startup_NoScript");
    E2ERun run;
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(1619u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "window: ERROR!\ntext: Cannot find information file.\n")) << res;
}

TEST(Startup, EmptyScriptSaysSoAndExits1619)
{
    std::string strDir = fnE2EWorkDir("Startup_Empty");
    fnE2EWriteFile(strDir + "\\KARVELLO.INF", "");
    E2ERun run;
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(1619u, res.dwExitCode) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "does not contain any information.")) << res;
}

TEST(Walk, EndStopsTheWalkAndLaterSectionsDoNotRun)
{
    std::string strDir = fnE2EWorkDir("Walk_End");
    E2ERun run;
    run.strScript = fnMarkSection(strDir + "\\a.ini", "A") + "[End]\r\n" + fnMarkSection(strDir + "\\b.ini", "B");
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ("A", fnDestOf(strDir + "\\a.ini"));
    EXPECT_EQ("", fnE2EReadFile(strDir + "\\b.ini"));
}

TEST(Walk, FailedSectionShowsTheFailureMessageAndExits1603)
{
    std::string strDir = fnE2EWorkDir("Walk_Failed");
    E2ERun run;
    run.strScript = "[WriteCmdFile]\r\nthis line has no key\r\n" + fnMarkSection(strDir + "\\after.ini", "X");
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(1603u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "The software has not been successfully installed.")) << res;
    EXPECT_EQ("", fnE2EReadFile(strDir + "\\after.ini"));
}

TEST(Walk, LfOnlyScriptLosesNoLine)
{
    std::string strDir = fnE2EWorkDir("Walk_LfOnly");
    E2ERun run;
    run.strScript = "[WriteCmdFile]\nWriteFile=" + strDir + "\\lf1.ini\nDestDir=LAST1\n[WriteCmdFile]\nWriteFile=" +
                    strDir + "\\lf2.ini\nDestDir=LAST2";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ("LAST1", fnDestOf(strDir + "\\lf1.ini"));
    EXPECT_EQ("LAST2", fnDestOf(strDir + "\\lf2.ini"));
}

TEST(Walk, StartLabelSkipsTheSectionsBeforeIt)
{
    std::string strDir = fnE2EWorkDir("Walk_Label");
    E2ERun run;
    run.strScript = fnMarkSection(strDir + "\\first.ini", "FIRST") + "[Second]\r\n" +
                    fnMarkSection(strDir + "\\second.ini", "SECOND");
    run.strArgs = "-q -[Second]";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ("", fnE2EReadFile(strDir + "\\first.ini"));
    EXPECT_EQ("SECOND", fnDestOf(strDir + "\\second.ini"));
}

TEST(CommandFile, WrittenByOneRunAndReadByTheNext)
{
    std::string strDir = fnE2EWorkDir("CmdFile_RoundTrip");
    fnE2EWriteFile(strDir + "\\SECOND.INF", fnMarkSection(strDir + "\\second.ini", "FROM-SECOND"));
    E2ERun first;
    first.strScript = "[WriteCmdFile]\r\nWriteFile=" + strDir + "\\RUN.CMD\r\nIniFile=" + strDir +
                      "\\SECOND.INF\r\nBeQuiet=TRUE\r\nAskFor=preset\r\n";
    first.vecAnswers = {"OK"};
    E2EResult res1 = fnE2ERun(strDir, first);
    ASSERT_EQ(0u, res1.dwExitCode) << res1;
    EXPECT_TRUE(fnContains(fnE2EReadFile(strDir + "\\RUN.CMD"), "BEQUIET=TRUE"));

    E2ERun second;  // quiet from the command file: no closing message to answer
    second.strArgs = "-c=RUN.CMD";
    E2EResult res2 = fnE2ERun(strDir, second);
    EXPECT_EQ(0u, res2.dwExitCode) << res2;
    EXPECT_EQ(0, res2.iRobotExit) << res2;
    EXPECT_EQ("FROM-SECOND", fnDestOf(strDir + "\\second.ini"));
}

TEST(Conversion, ScrambleThenUnscrambleGivesBackTheBytes)
{
    std::string strDir = fnE2EWorkDir("Conversion_RoundTrip");
    std::string strPlain = "; conversion test \xe4\xf6\xfc\r\n" + fnMarkSection(strDir + "\\conv.ini", "CONVERTED") +
                           "[End]\r\n";
    fnE2EWriteFile(strDir + "\\CONV.INF", strPlain);

    E2ERun scramble;
    scramble.strArgs = "-e=CONV.INF";
    E2EResult res1 = fnE2ERun(strDir, scramble);
    EXPECT_EQ(0u, res1.dwExitCode) << res1;
    EXPECT_EQ(0, res1.iRobotExit) << res1;
    std::string strScrambled = fnE2EReadFile(strDir + "\\CONV.INF");
    ASSERT_EQ(strPlain.size() + 2, strScrambled.size());
    EXPECT_EQ('@', strScrambled[0]);
    EXPECT_NE(strPlain, strScrambled.substr(2));
    EXPECT_EQ(strPlain, fnE2EReadFile(strDir + "\\CONV.INF.^00"));
    EXPECT_EQ("", fnE2EReadFile(strDir + "\\conv.ini"));  // nothing ran

    E2ERun again;  // an already scrambled file is left alone
    again.strArgs = "-e=CONV.INF";
    fnE2ERun(strDir, again);
    EXPECT_EQ(strScrambled, fnE2EReadFile(strDir + "\\CONV.INF"));

    E2ERun runScrambled;  // a scrambled script runs as it is
    runScrambled.strArgs = "-q -i=CONV.INF";
    E2EResult res2 = fnE2ERun(strDir, runScrambled);
    EXPECT_EQ(0u, res2.dwExitCode) << res2;
    EXPECT_EQ("CONVERTED", fnDestOf(strDir + "\\conv.ini"));

    E2ERun unscramble;
    unscramble.strArgs = "-u=file=CONV.INF";
    E2EResult res3 = fnE2ERun(strDir, unscramble);
    EXPECT_EQ(0u, res3.dwExitCode) << res3;
    EXPECT_EQ(strPlain, fnE2EReadFile(strDir + "\\CONV.INF"));
    EXPECT_EQ(strScrambled, fnE2EReadFile(strDir + "\\CONV.INF.^01"));
}

// Runs a copy of the program that carries strBlock after the marker line.
E2EResult fnRunWithInternalScript(const std::string &strDir, const std::string &strBlock, const char *pszArgs)
{
    std::string strExe = fnE2EReadFile(fnE2ESetupExe());
    std::string strCarrier = strDir + ".carrier.exe";
    fnE2EWriteFile(strCarrier, strExe + kszMarker + "\r\n" + strBlock);
    _putenv(("SETUP32_E2E_EXE=" + strCarrier).c_str());
    E2ERun run;
    run.strArgs = pszArgs;
    E2EResult res = fnE2ERun(strDir, run);
    _putenv("SETUP32_E2E_EXE=");
    return res;
}

TEST(InternalScript, PlainBlockAppendedToTheProgramRuns)
{
    std::string strDir = fnE2EWorkDir("Internal_Plain");
    E2EResult res = fnRunWithInternalScript(strDir, fnMarkSection(strDir + "\\int.ini", "INTERNAL"), "-q");
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ("INTERNAL", fnDestOf(strDir + "\\int.ini"));
}

TEST(InternalScript, ScrambledBlockRunsAndANamedScriptWins)
{
    std::string strDir = fnE2EWorkDir("Internal_Scrambled");
    // Let the program scramble the block, then append the scrambled bytes.
    fnE2EWriteFile(strDir + "\\BLOCK.INF", fnMarkSection(strDir + "\\int.ini", "SCRAMBLED"));
    E2ERun scramble;
    scramble.strArgs = "-e=BLOCK.INF";
    ASSERT_EQ(0u, fnE2ERun(strDir, scramble).dwExitCode);
    std::string strBlock = fnE2EReadFile(strDir + "\\BLOCK.INF");
    ASSERT_EQ('@', strBlock[0]);

    E2EResult res = fnRunWithInternalScript(strDir, strBlock, "-q");
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ("SCRAMBLED", fnDestOf(strDir + "\\int.ini"));

    fnE2EWriteFile(strDir + "\\NAMED.INF", fnMarkSection(strDir + "\\named.ini", "NAMED"));
    E2EResult resNamed = fnRunWithInternalScript(strDir, strBlock, "-q -i=NAMED.INF");
    EXPECT_EQ(0u, resNamed.dwExitCode) << resNamed;
    EXPECT_EQ("NAMED", fnDestOf(strDir + "\\named.ini"));
}

TEST(Trace, ModeThreeWritesRecordsSeparatedByOneEmptyLine)
{
    std::string strDir = fnE2EWorkDir("Trace_File");
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strLog = std::string(szTemp) + "KRVloDbg.LOG";
    DeleteFileA(strLog.c_str());
    E2ERun run;
    run.strScript = fnMarkSection(strDir + "\\t.ini", "TRACED");
    run.strArgs = "-q -v=3";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    std::string strTrace = fnE2EReadFile(strLog);
    EXPECT_EQ(0u, strTrace.find("~-Install and Setup: fnParseCmdLine-~\r\n")) << strTrace.substr(0, 200);
    EXPECT_TRUE(fnContains(strTrace, "-~\r\nBegin\r\n\r\n~-Install and Setup: ")) << strTrace.substr(0, 2000);
    EXPECT_TRUE(fnContains(strTrace, "~-Install and Setup: fnUserExit-~\r\n"));
    // Every record after the first follows the previous one's empty line.
    size_t uRecords = 0;
    for (size_t i = strTrace.find("~-Install and Setup: ", 1); i != std::string::npos;
         i = strTrace.find("~-Install and Setup: ", i + 1), uRecords++)
        EXPECT_EQ("\r\n\r\n", strTrace.substr(i - 4, 4)) << "record at " << i;
    EXPECT_GT(uRecords, 5u);
    DeleteFileA(strLog.c_str());
}

TEST(Trace, ExistingTraceFileIsKeptWhenTheUserSaysNo)
{
    std::string strDir = fnE2EWorkDir("Trace_Keep");
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strLog = std::string(szTemp) + "KRVloDbg.LOG";
    fnE2EWriteFile(strLog, "OLD RECORDS\r\n");
    E2ERun run;
    run.strScript = "[Comment]\r\n";
    run.strArgs = "-q -v=3";
    run.vecAnswers = {"No"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "already exists, overwrite?")) << res;
    std::string strTrace = fnE2EReadFile(strLog);
    EXPECT_EQ(0u, strTrace.find("OLD RECORDS\r\n~-Install and Setup: fnParseCmdLine-~"));
    DeleteFileA(strLog.c_str());
}

TEST(Trace, ModeOneCancelStopsAllFurtherBoxes)
{
    std::string strDir = fnE2EWorkDir("Trace_Box");
    E2ERun run;
    run.strScript = "[Comment]\r\n";
    run.strArgs = "-q -v";
    run.vecAnswers = {"Cancel"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Install and Setup: fnParseCmdLine\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "buttons: OK|Cancel\npressed: Cancel\n")) << res;
}

TEST(Trace, SteppingDialogPausesAndStops)
{
    std::string strDir = fnE2EWorkDir("Trace_Dialog");
    E2ERun run;
    run.strScript = "[Comment]\r\n";
    run.strArgs = "-q -v=2";
    run.vecAnswers = {"Pause", "Stop"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Install and Setup: fnParseCmdLine\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "buttons: Pause|Stop|+|-\npressed: Pause\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "buttons: Go|Stop|+|-\npressed: Stop\n")) << res;
}

}  // namespace
