// Program sections end to end: launching with and without waiting, launch
// failures, the shell, launch-and-back, closing programs, the running check,
// the in-use close of a file entry and the run-as launch. Each case copies
// the helper program (tests/tools/proghelper.cpp) into its work dir under a
// name of its own, so that no case sees another's programs.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

namespace {

class ProgramsE2E : public E2ECase {
protected:
    // The helper copied into the work dir as strName; its full path.
    std::string fnHelper(const std::string &strName)
    {
        std::string strPath = m_strDir + "\\" + strName;
        EXPECT_TRUE(CopyFileA(fnE2EWinePath(SETUP32_E2E_HELPER).c_str(), strPath.c_str(), FALSE));
        return strPath;
    }
    bool fnExists(const std::string &strName) const
    {
        return GetFileAttributesA((m_strDir + "\\" + strName).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // Waits up to dwMs for a file a program started by the run writes.
    bool fnAppears(const std::string &strName, DWORD dwMs) const
    {
        for (DWORD dw = 0; dw < dwMs; dw += 100) {
            if (fnExists(strName))
                return true;
            Sleep(100);
        }
        return fnExists(strName);
    }
    // A [LaunchAndBack] that copies strFile to strCopy: the run fails when
    // strFile is not there yet.
    std::string fnCopyBack(const std::string &strFile, const std::string &strCopy) const
    {
        return "[LaunchAndBack]\r\nRefresh=" + m_strDir + "\\" + strFile + "," + m_strDir + "\\" + strCopy + "\r\n";
    }
};

TEST_F(ProgramsE2E, ExecWithWaitEndsBeforeTheNextSectionAndWithoutWaitDoesNot)
{
    std::string strHelper = fnHelper("MARKER1.EXE");
    fnRunCase("[Exec]\r\n" + strHelper + " marker " + m_strDir + "\\waited.txt 500,NORM,Y\r\n" +
                  fnCopyBack("waited.txt", "seen1.txt") + "[End]\r\n",
              "-q", {}, 0);
    EXPECT_TRUE(fnExists("seen1.txt"));
    // Not waited for: the file is not there when the next section looks.
    fnRunCase("[Exec]\r\n" + strHelper + " marker " + m_strDir + "\\late.txt 3000,MIN,N\r\n" +
                  fnCopyBack("late.txt", "seen2.txt") + "[End]\r\n",
              "-q", {}, 1603);
    EXPECT_FALSE(fnExists("seen2.txt"));
    EXPECT_TRUE(fnAppears("late.txt", 10000));
}

TEST_F(ProgramsE2E, MissingProgramIsReportedAndTheRunGoesOn)
{
    std::string strHelper = fnHelper("MARKER2.EXE");
    std::string strScript = "[Exec]\r\nsetup32_no_such_program.exe\r\n" + strHelper + " marker " + m_strDir +
                            "\\after.txt,NORM,Y\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK", "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "ERROR!  Could not execute setup32_no_such_program.exe.\\nFile not found."))
        << res;
    EXPECT_TRUE(fnExists("after.txt"));
}

TEST_F(ProgramsE2E, PleaseWaitNoticeStaysWhileAFailedStartIsReported)
{
    // Flags "YY": the notice, and a failed start stops the run.
    E2EResult res = fnRunCase("[Exec]\r\nsetup32_no_such_program.exe,NORM,N,YY\r\n[End]\r\n", "",
                              {fnE2EShot("exec_please_wait_notice"), "OK", "OK"}, 1603);
    EXPECT_TRUE(fnContains(res.strTranscript, "File not found.")) << res;
}

TEST_F(ProgramsE2E, MissingProgramFailsTheRunWithStopOnErrorOrExitOnExecError)
{
    // Flags "NN": nothing said, the run goes on.
    fnRunCase("[Exec]\r\nsetup32_no_such_program.exe,NORM,N,NN\r\n[End]\r\n", "-q", {}, 0);
    // Flags "NY": stop on error.
    fnRunCase("[Exec]\r\nsetup32_no_such_program.exe,NORM,N,NY\r\n[End]\r\n", "-q", {}, 1603);
    // ExitOnExecError, even with the flags "NN".
    fnRunCase("[Config]\r\nExitOnExecError=Y\r\n[Exec]\r\nsetup32_no_such_program.exe,NORM,N,NN\r\n[End]\r\n",
              "-q", {}, 1603);
}

TEST_F(ProgramsE2E, TooLongCommandIsRefusedNotCut)
{
    std::string strHelper = fnHelper("MARKER3.EXE");
    // A run-as command may hold 259 characters: the marker name would be cut.
    std::string strLong = strHelper + " marker " + m_strDir + "\\" + std::string(300, 'x') + ".txt";
    E2EResult res = fnRunCase("[ExecAs]\r\nsomeone,,pw," + strLong + ",NORM,Y,NY\r\n[End]\r\n", "", {"OK", "OK"}, 1603);
    EXPECT_TRUE(fnContains(res.strTranscript, "The command is longer than 259 characters.")) << res;
}

TEST_F(ProgramsE2E, ShellExecOpensADocument)
{
    ASSERT_TRUE(fnE2EWriteFile(m_strDir + "\\MAKE.BAT", "@echo shell> \"" + m_strDir + "\\shell.txt\"\r\n"));
    fnRunCase("[ShellExec]\r\n" + m_strDir + "\\MAKE.BAT,MIN,Y\r\n[End]\r\n", "-q", {}, 0);
    EXPECT_TRUE(fnAppears("shell.txt", 15000));
}

TEST_F(ProgramsE2E, LaunchAndBackWaitsForTheWindowToComeAndGo)
{
    std::string strHelper = fnHelper("LAUNCHED.EXE");
    // The window shows after 1 s and closes itself after 2 s more, writing closed.txt.
    std::string strScript = "[LaunchAndBack]\r\nExec=" + strHelper + " window LaunchBackProbe 1000 2000 " + m_strDir +
                            "\\closed.txt,NORM,N\r\nWhileWindow=LaunchBackProbe,N,Y\r\nKeepTrying=Y\r\n"
                            "Refresh=" + m_strDir + "\\closed.txt," + m_strDir + "\\seen.txt\r\n[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    EXPECT_TRUE(fnExists("seen.txt"));
}

TEST_F(ProgramsE2E, CloseProcessEndsARunningProgram)
{
    std::string strHelper = fnHelper("CLOSEME.EXE");
    // Started without waiting; the window watch makes sure it runs before it is closed.
    std::string strScript = "[Exec]\r\n" + strHelper + " window CloseMeProbe,NORM,N\r\n"
                            "[LaunchAndBack]\r\nWaitForWindow=CloseMeProbe,N,Y\r\n"
                            "[CloseProcess]\r\n" + strHelper + ",N\r\n"
                            "[CheckIfRunning]\r\nCheckFor=CLOSEME.EXE\r\nAction=ONFINDEXIT\r\n[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
}

TEST_F(ProgramsE2E, CheckIfRunningShowsItsListAndStopsOrGoesOn)
{
    std::string strHelper = fnHelper("MARKER4.EXE");
    // Nothing found: the message lists the missing programs and the run goes on.
    std::string strScript = "[CheckIfRunning]\r\nCheckFor=\"NOTHERE1.EXE, NOTHERE2.EXE\"\r\nAction=NOFINDCONT\r\n"
                            "Caption=Check\r\nMessage=Missing:\r\nShowFiles=Y\r\n"
                            "[Exec]\r\n" + strHelper + " marker " + m_strDir + "\\went-on.txt,NORM,Y\r\n"
                            // The robot answering this run is running: found, the run stops.
                            "[CheckIfRunning]\r\nCheckFor=robot.exe\r\nAction=ONFINDEXIT\r\nMessage=Close it\r\n"
                            "[Exec]\r\n" + strHelper + " marker " + m_strDir + "\\not-reached.txt,NORM,Y\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {"OK", "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "Missing:\\nNOTHERE1.EXE, NOTHERE2.EXE")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "Close it\\nrobot.exe")) << res;
    EXPECT_TRUE(fnExists("went-on.txt"));
    EXPECT_FALSE(fnExists("not-reached.txt"));
}

TEST_F(ProgramsE2E, InUseLetterCClosesTheProgramHoldingTheFile)
{
    std::string strHolder = fnHelper("HOLDER.EXE");
    ASSERT_TRUE(fnE2EWriteFile(m_strDir + "\\NEW.EXE", "new contents"));
    // The move overwrites HOLDER.EXE ("O"), which its running program holds
    // open: "C" asks that program to close, then moves again.
    std::string strScript = "[Exec]\r\n" + strHolder + " hold " + strHolder + ",NORM,N\r\n"
                            "[LaunchAndBack]\r\nWaitForWindow=Holding HOLDER.EXE,N,Y\r\n"
                            "[MoveFiles]\r\n" + m_strDir + "\\NEW.EXE," + strHolder + ",OC\r\n[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    EXPECT_TRUE(fnE2EReadFile(strHolder) == "new contents");
}

TEST_F(ProgramsE2E, RunAsFailureIsReportedNotTakenForSuccess)
{
    std::string strHelper = fnHelper("RUNAS.EXE");
    std::string strScript = "[ExecAs]\r\nsetup32user,,Secret-Pw-1," + strHelper + " marker " + m_strDir +
                            "\\ranas.txt,NORM,Y,NY\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {}, 1603);
    EXPECT_FALSE(fnExists("ranas.txt"));
    EXPECT_FALSE(fnContains(res.strTranscript, "Secret-Pw-1")) << res;
}

}  // namespace

