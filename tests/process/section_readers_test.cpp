// The line readers of the program sections: every field of a program line,
// the [LaunchAndBack] keys and the [CheckIfRunning] keys.
#include <gtest/gtest.h>

#include <string>

#include "process/close_section.h"
#include "process/exec.h"
#include "process/launch_back.h"
#include "run/run_state.h"

namespace {

class SectionReaders : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        g_bQuiet = TRUE;  // a missing field is not shown
    }
};

TEST_F(SectionReaders, ProgramLineEveryFieldAndDefaults)
{
    ExecLineStruct line;
    fnInitExecLine(&line);
    char szLine[1024] = "tool.exe /s, MIN, Ysetup2.exe, YN, Go on?, OKCANCEL";
    ASSERT_EQ(kExecLineOk, fnReadExecFields(szLine, 1, kcchExec, &line));
    EXPECT_STREQ("tool.exe /s", line.szExec);
    EXPECT_EQ(2, line.nShowWin);
    EXPECT_TRUE(line.bWait);
    EXPECT_FALSE(line.bPreventExit);
    EXPECT_STREQ("setup2.exe", line.szAlsoCheckFor);
    EXPECT_TRUE(line.bShowNotice);
    EXPECT_FALSE(line.bErrorShow);
    EXPECT_FALSE(line.bStopOnError);
    EXPECT_STREQ("Go on?", line.szMessage);
    EXPECT_EQ((unsigned)kButtonsOkCancel, line.uButtons);

    fnInitExecLine(&line);
    char szBare[1024] = "tool.exe";
    ASSERT_EQ(kExecLineOk, fnReadExecFields(szBare, 1, kcchExec, &line));
    EXPECT_EQ(1, line.nShowWin);
    EXPECT_FALSE(line.bWait);
    EXPECT_TRUE(line.bErrorShow);
    EXPECT_FALSE(line.bStopOnError);
    EXPECT_EQ((unsigned)kButtonsYesNo, line.uButtons);
}

TEST_F(SectionReaders, ProgramLineMissingOrTooLongCommand)
{
    ExecLineStruct line;
    fnInitExecLine(&line);
    char szNone[1024] = " , NORM";
    EXPECT_EQ(kExecLineMissing, fnReadExecFields(szNone, 1, kcchExec, &line));
    std::string strLong = std::string(270, 'a') + ",NORM,N,NY";
    char szLong[1024];
    snprintf(szLong, sizeof(szLong), "%s", strLong.c_str());
    EXPECT_EQ(kExecLineTooLong, fnReadExecFields(szLong, 1, kcchExecShort, &line));
    EXPECT_TRUE(line.bStopOnError);  // the flags are read all the same
    EXPECT_STREQ("", line.szExec);
}

TEST_F(SectionReaders, LaunchAndBackKeys)
{
    std::string strBody = "Exec=setup.exe, MAX, XS, 30\r\nWhileWindow=Setup Wizard, N, N\r\n"
                          "ExitAtWindow=Error, Y\r\nWaitForExec=second.exe, N, N\r\n"
                          "ReadReg=REG_SZ, HKEY_CURRENT_USER\\Software\\X\\Path\r\nBeQuiet=Y\r\nPause=15\r\nKeepTrying=N\r\n";
    for (int i = 0; i < 11; i++)
        strBody += "Refresh=a" + std::to_string(i) + ".txt, b.txt\r\n";
    strBody += "Unknown=1\r\nPause=99\r\n";
    LaunchBackStruct rec;
    ASSERT_EQ(kLaunchBackRead, fnReadLaunchBackLines(strBody.c_str(), &rec));
    EXPECT_STREQ("setup.exe", rec.szExec);
    EXPECT_EQ(3, rec.nShowWin);
    EXPECT_EQ(2u, rec.uWaitMode);
    EXPECT_TRUE(rec.bPreventExit);
    EXPECT_STREQ("Setup Wizard", rec.szWaitForWin);
    EXPECT_TRUE(rec.bWhileWin);
    EXPECT_FALSE(rec.bWaitForWin);
    EXPECT_FALSE(rec.bWaitAllWin);
    EXPECT_EQ(12u, rec.uWaitForWinLen);  // match by beginning
    EXPECT_STREQ("Error", rec.szExitAtWin);
    EXPECT_TRUE(rec.bExitAllWin);
    EXPECT_EQ(0u, rec.uExitAtWinLen);
    EXPECT_STREQ("second.exe", rec.szWaitForExec);
    EXPECT_FALSE(rec.bExecByPath);
    EXPECT_FALSE(rec.bExecEnded);
    EXPECT_STREQ("HKEY_CURRENT_USER\\Software\\X\\Path", rec.szRegKey);
    EXPECT_TRUE(rec.bQuiet);
    EXPECT_EQ(15u, rec.uPause);  // the unknown key ended the reading
    EXPECT_FALSE(rec.bKeepTrying);
    EXPECT_EQ(10u, rec.uRefresh);  // an eleventh pair is ignored
    EXPECT_STREQ("a9.txt", rec.szRefreshSrc[9]);

    EXPECT_EQ(kLaunchBackFailed, fnReadLaunchBackLines("Exec=\r\nRefresh=only-one.txt\r\n", &rec));
    EXPECT_EQ(kLaunchBackSkipRest, fnReadLaunchBackLines("SkipIfTrue:1=1\r\nExec=setup.exe\r\n", &rec));
}

TEST_F(SectionReaders, CheckIfRunningKeys)
{
    CheckIfRunningStruct check;
    ASSERT_EQ(1, fnReadCheckIfRunningKeys("CheckFor=\"a.exe, b.exe\"\r\nAction=ONFINDEXIT-and-more\r\nCaption=C\r\n"
                                          "Message=M\r\nShowFiles=N\r\nCheckFor=ignored.exe\r\n",
                                          &check));
    EXPECT_STREQ("a.exe, b.exe", check.szCheckFor);
    EXPECT_STREQ("ONFINDEXIT", check.szAction);
    EXPECT_STREQ("C", check.szCaption);
    EXPECT_STREQ("M", check.szMessage);
    EXPECT_FALSE(check.bShowFiles);
    EXPECT_EQ(0, fnReadCheckIfRunningKeys("Action=ONFINDCONT\r\n", &check));   // no programs
    EXPECT_EQ(0, fnReadCheckIfRunningKeys("CheckFor=a.exe\r\nno key here\r\n", &check));
}

}  // namespace
