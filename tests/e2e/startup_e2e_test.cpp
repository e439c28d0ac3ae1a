// Start-up, script loading and the walk, run as a user runs them: the real
// SETUP32.EXE under Wine, its windows answered by the robot.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "e2e_support.h"

namespace {

const char kszClosing[] = "The software has been installed successfully.";
const char kszMarker[] = "<-- KRVLO -- K00a00r00v00e00l00l00o00 I00N00F00H00d00r00 -- KRVLO -->";

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

using Startup = E2ECase;
using Walk = E2ECase;
using CommandFile = E2ECase;
using Conversion = E2ECase;
using Trace = E2ECase;

TEST_F(Startup, DefaultScriptBesideTheProgramRunsWithoutArguments)
{
    std::string strScript = "; a script\r\n" + fnMarkSection(m_strDir + "\\out.ini", "C:\\DEFAULT") + "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, std::string("text: ") + kszClosing)) << res;
    EXPECT_EQ("C:\\DEFAULT", fnDestOf(m_strDir + "\\out.ini"));
}

TEST_F(Startup, NamedScriptIsChosenOverTheDefault)
{
    fnE2EWriteFile(m_strDir + "\\KARVELLO.INF", fnMarkSection(m_strDir + "\\default.ini", "WRONG"));
    E2ERun run;
    run.strScriptName = "OTHER.INF";
    run.strScript = fnMarkSection(m_strDir + "\\other.ini", "C:\\OTHER");
    run.strArgs = "-q -i=other.inf";
    fnRunCase(run, 0);  // quiet: no closing message
    EXPECT_EQ("C:\\OTHER", fnDestOf(m_strDir + "\\other.ini"));
    EXPECT_EQ("", fnE2EReadFile(m_strDir + "\\default.ini"));
}

TEST_F(Startup, FallbackNameIsFoundWhenTheDefaultIsMissing)
{
    E2ERun run;
    run.strScriptName = "SETUP.INF";
    run.strScript = fnMarkSection(m_strDir + "\\fb.ini", "C:\\FALLBACK");
    run.strArgs = "-q";
    fnRunCase(run, 0);
    EXPECT_EQ("C:\\FALLBACK", fnDestOf(m_strDir + "\\fb.ini"));
}

TEST_F(Startup, NoScriptAnywhereExits1619)
{
    E2EResult res = fnRunCase("", "", {"OK"}, 1619);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: ERROR!\ntext: Cannot find information file.\n")) << res;
}

TEST_F(Startup, EmptyScriptSaysSoAndExits1619)
{
    fnE2EWriteFile(m_strDir + "\\KARVELLO.INF", "");
    E2EResult res = fnRunCase("", "", {"OK"}, 1619);
    EXPECT_TRUE(fnContains(res.strTranscript, "does not contain any information.")) << res;
}

TEST_F(Walk, EndStopsTheWalkAndLaterSectionsDoNotRun)
{
    std::string strScript =
        fnMarkSection(m_strDir + "\\a.ini", "A") + "[End]\r\n" + fnMarkSection(m_strDir + "\\b.ini", "B");
    fnRunCase(strScript, "-q", {}, 0);
    EXPECT_EQ("A", fnDestOf(m_strDir + "\\a.ini"));
    EXPECT_EQ("", fnE2EReadFile(m_strDir + "\\b.ini"));
}

TEST_F(Walk, FailedSectionShowsTheFailureMessageAndExits1603)
{
    std::string strScript = "[WriteCmdFile]\r\nthis line has no key\r\n" + fnMarkSection(m_strDir + "\\after.ini", "X");
    E2EResult res = fnRunCase(strScript, "", {"OK"}, 1603);
    EXPECT_TRUE(fnContains(res.strTranscript, "The software has not been successfully installed.")) << res;
    EXPECT_EQ("", fnE2EReadFile(m_strDir + "\\after.ini"));
}

TEST_F(Walk, LfOnlyScriptLosesNoLine)
{
    std::string strScript = "[WriteCmdFile]\nWriteFile=" + m_strDir + "\\lf1.ini\nDestDir=LAST1\n" +
                            "[WriteCmdFile]\nWriteFile=" + m_strDir + "\\lf2.ini\nDestDir=LAST2";
    fnRunCase(strScript, "-q", {}, 0);
    EXPECT_EQ("LAST1", fnDestOf(m_strDir + "\\lf1.ini"));
    EXPECT_EQ("LAST2", fnDestOf(m_strDir + "\\lf2.ini"));
}

TEST_F(Walk, StartLabelSkipsTheSectionsBeforeIt)
{
    std::string strScript = fnMarkSection(m_strDir + "\\first.ini", "FIRST") + "[Second]\r\n" +
                            fnMarkSection(m_strDir + "\\second.ini", "SECOND");
    fnRunCase(strScript, "-q -[Second]", {}, 0);
    EXPECT_EQ("", fnE2EReadFile(m_strDir + "\\first.ini"));
    EXPECT_EQ("SECOND", fnDestOf(m_strDir + "\\second.ini"));
}

TEST_F(CommandFile, WrittenByOneRunAndReadByTheNext)
{
    fnE2EWriteFile(m_strDir + "\\SECOND.INF", fnMarkSection(m_strDir + "\\second.ini", "FROM-SECOND"));
    fnRunCase("[WriteCmdFile]\r\nWriteFile=" + m_strDir + "\\RUN.CMD\r\nIniFile=" + m_strDir +
                  "\\SECOND.INF\r\nBeQuiet=TRUE\r\nAskFor=preset\r\n",
              "", {"OK"}, 0);
    ASSERT_FALSE(HasFailure());
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\RUN.CMD"), "BEQUIET=TRUE"));

    // Quiet from the command file: no closing message to answer.
    fnRunCase("", "-c=RUN.CMD", {}, 0);
    EXPECT_EQ("FROM-SECOND", fnDestOf(m_strDir + "\\second.ini"));
}

TEST_F(Conversion, ScrambleThenUnscrambleGivesBackTheBytes)
{
    std::string strPlain = "; conversion test \xe4\xf6\xfc\r\n" + fnMarkSection(m_strDir + "\\conv.ini", "CONVERTED") +
                           "[End]\r\n";
    fnE2EWriteFile(m_strDir + "\\CONV.INF", strPlain);

    fnRunCase("", "-e=CONV.INF", {}, 0);
    std::string strScrambled = fnE2EReadFile(m_strDir + "\\CONV.INF");
    ASSERT_EQ(strPlain.size() + 2, strScrambled.size());
    EXPECT_EQ('@', strScrambled[0]);
    EXPECT_NE(strPlain, strScrambled.substr(2));
    EXPECT_EQ(strPlain, fnE2EReadFile(m_strDir + "\\CONV.INF.^00"));
    EXPECT_EQ("", fnE2EReadFile(m_strDir + "\\conv.ini"));  // nothing ran

    fnRunCase("", "-e=CONV.INF", {}, 0);  // an already scrambled file is left alone
    EXPECT_EQ(strScrambled, fnE2EReadFile(m_strDir + "\\CONV.INF"));

    fnRunCase("", "-q -i=CONV.INF", {}, 0);  // a scrambled script runs as it is
    EXPECT_EQ("CONVERTED", fnDestOf(m_strDir + "\\conv.ini"));

    fnRunCase("", "-u=file=CONV.INF", {}, 0);
    EXPECT_EQ(strPlain, fnE2EReadFile(m_strDir + "\\CONV.INF"));
    EXPECT_EQ(strScrambled, fnE2EReadFile(m_strDir + "\\CONV.INF.^01"));
}

class InternalScript : public E2ECase {
protected:
    // Runs a copy of the program that carries strBlock after the marker line.
    // The program is started in strWorkDir (default m_strDir).
    void fnRunWithInternalScript(const std::string &strBlock, const char *pszArgs, std::string strWorkDir = "")
    {
        std::string strExe = fnE2EReadFile(fnE2ESetupExe());
        std::string strCarrier = m_strDir + ".carrier.exe";
        fnE2EWriteFile(strCarrier, strExe + kszMarker + "\r\n" + strBlock);
        _putenv(("SETUP32_E2E_EXE=" + strCarrier).c_str());
        E2ERun run;
        run.strArgs = pszArgs;
        E2EResult res = fnE2ERun(strWorkDir.empty() ? m_strDir : strWorkDir, run);
        EXPECT_EQ(0u, res.dwExitCode) << res;
        EXPECT_EQ(0, res.iRobotExit) << res;
        _putenv("SETUP32_E2E_EXE=");
    }
};

TEST_F(InternalScript, PlainBlockAppendedToTheProgramRuns)
{
    fnRunWithInternalScript(fnMarkSection(m_strDir + "\\int.ini", "INTERNAL"), "-q");
    EXPECT_EQ("INTERNAL", fnDestOf(m_strDir + "\\int.ini"));
}

TEST_F(InternalScript, ScrambledBlockRunsAndANamedScriptWins)
{
    // Let the program scramble the block, then append the scrambled bytes.
    fnE2EWriteFile(m_strDir + "\\BLOCK.INF", fnMarkSection(m_strDir + "\\int.ini", "SCRAMBLED"));
    fnRunCase("", "-e=BLOCK.INF", {}, 0);
    std::string strBlock = fnE2EReadFile(m_strDir + "\\BLOCK.INF");
    ASSERT_EQ('@', strBlock[0]);

    fnRunWithInternalScript(strBlock, "-q");
    EXPECT_EQ("SCRAMBLED", fnDestOf(m_strDir + "\\int.ini"));

    fnE2EWriteFile(m_strDir + "\\NAMED.INF", fnMarkSection(m_strDir + "\\named.ini", "NAMED"));
    fnRunWithInternalScript(strBlock, "-q -i=NAMED.INF");
    EXPECT_EQ("NAMED", fnDestOf(m_strDir + "\\named.ini"));
}

// Loader mode: the started program copies itself into the temporary folder,
// hands the run to the copy ("-t") and ends with 0; the copy runs the script.
TEST_F(InternalScript, ScriptNamedRnfIsRunByATemporaryCopy)
{
    fnE2EWriteFile(m_strDir + "\\RUN.CMD", "[START]\r\nINIFILE=SETUP.RNF\r\nBEQUIET=1\r\n");
    fnRunWithInternalScript(fnMarkSection(m_strDir + "\\copy.ini", "FROM THE COPY"), "-c=RUN.CMD");
    EXPECT_TRUE(fnE2EAwaitTempCopy(m_strDir + "\\copy.ini"));
    EXPECT_EQ("FROM THE COPY", fnDestOf(m_strDir + "\\copy.ini"));
}

TEST_F(InternalScript, StartFromARemovableDriveIsRunByATemporaryCopy)
{
    // R: is a floppy drive in the test prefix; an unattended loader shows no notice.
    ASSERT_EQ((UINT)DRIVE_REMOVABLE, GetDriveTypeA("R:\\"));
    std::string strDisk = "R:\\InternalScript";
    CreateDirectoryA(strDisk.c_str(), NULL);
    fnRunWithInternalScript(fnMarkSection(m_strDir + "\\copy.ini", "FROM THE DISK"), "-q=2", strDisk);
    EXPECT_TRUE(fnE2EAwaitTempCopy(m_strDir + "\\copy.ini"));
    EXPECT_EQ("FROM THE DISK", fnDestOf(m_strDir + "\\copy.ini"));
    DeleteFileA((strDisk + "\\SETUP32.EXE").c_str());
}

TEST_F(Trace, ModeThreeWritesRecordsSeparatedByOneEmptyLine)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strLog = std::string(szTemp) + "KRVloDbg.LOG";
    DeleteFileA(strLog.c_str());
    fnRunCase(fnMarkSection(m_strDir + "\\t.ini", "TRACED"), "-q -v=3", {}, 0);
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

TEST_F(Trace, ExistingTraceFileIsKeptWhenTheUserSaysNo)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strLog = std::string(szTemp) + "KRVloDbg.LOG";
    fnE2EWriteFile(strLog, "OLD RECORDS\r\n");
    E2EResult res = fnRunCase("[Comment]\r\n", "-q -v=3", {"No"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "already exists, overwrite?")) << res;
    std::string strTrace = fnE2EReadFile(strLog);
    EXPECT_EQ(0u, strTrace.find("OLD RECORDS\r\n~-Install and Setup: fnParseCmdLine-~"));
    DeleteFileA(strLog.c_str());
}

TEST_F(Trace, ModeOneCancelStopsAllFurtherBoxes)
{
    E2EResult res = fnRunCase("[Comment]\r\n", "-q -v", {"Cancel"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Install and Setup: fnParseCmdLine\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "buttons: OK|Cancel\npressed: Cancel\n")) << res;
}

TEST_F(Trace, SteppingDialogPausesAndStops)
{
    E2EResult res = fnRunCase("[Comment]\r\n", "-q -v=2", {"Pause", "Stop"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Install and Setup: fnParseCmdLine\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "buttons: Pause|Stop|+|-\npressed: Pause\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "buttons: Go|Stop|+|-\npressed: Stop\n")) << res;
}

}  // namespace
