// The end of the run without restarting anything: the removal batch file and
// its marker, the exit codes of the closing paths that ask Windows nothing,
// and the process launch the exit program uses. (No case here lets the
// program ask Windows to restart: the end-to-end cases do that in a
// throw-away prefix.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "process/launch.h"
#include "app/exit.h"
#include "run/run_state.h"
#include "run/text.h"
#include "script/input.h"
#include "support/modal_probe.h"
#include "support/test_files.h"

namespace {

TEST(SelfDestructBatch, TextIsTheEightLinesWithQuotedNames)
{
    char szBatch[2048];
    ASSERT_EQ(1, fnFormatSelfDestructBatch(szBatch, COUNTOF(szBatch), "C:\\A B\\_KR1.tmp", "C:\\A B\\SETUP32.EXE",
                                           "C:\\T\\_KRDEL.BAT"));
    EXPECT_STREQ("@echo off\r\n"
                 "if not exist \"C:\\A B\\_KR1.tmp\" goto Exit\r\n"
                 ":Loop\r\n"
                 "del \"C:\\A B\\SETUP32.EXE\"\r\n"
                 "if exist \"C:\\A B\\SETUP32.EXE\" goto Loop\r\n"
                 "del \"C:\\A B\\_KR1.tmp\"\r\n"
                 ":Exit\r\n"
                 "del \"C:\\T\\_KRDEL.BAT\"\r\n",
                 szBatch);
    char szSmall[40];
    EXPECT_EQ(0, fnFormatSelfDestructBatch(szSmall, COUNTOF(szSmall), "m", "p", "b"));
}

// Runs the batch file with the command interpreter and waits for it.
void fnRunBatch(const std::string &strBatch)
{
    std::string strCommand = "cmd.exe /c \"" + strBatch + "\"";
    ASSERT_EQ(kLaunchOk, fnCreateProcess(strCommand.c_str(), SW_HIDE, kWaitBlocking, FALSE, TRUE, 0, TRUE));
}

TEST(SelfDestructBatch, WithTheMarkerItRemovesProgramMarkerAndItself)
{
    std::string strDir = fnTestDir("SelfDestructMarker");
    std::string strProgram = strDir + "\\PROG.EXE", strMarker = strDir + "\\_KR12.tmp";
    std::string strBatch = strDir + "\\_KRDEL.BAT";
    ASSERT_TRUE(fnWriteWholeFile(strProgram, "program"));
    ASSERT_EQ(1, fnWriteSelfDestructBatch(strBatch.c_str(), strMarker.c_str(), strProgram.c_str()));
    EXPECT_EQ("\r\n", fnReadWholeFile(strMarker));
    fnRunBatch(strBatch);
    EXPECT_FALSE(fnFileExists(strProgram));
    EXPECT_FALSE(fnFileExists(strMarker));
    EXPECT_FALSE(fnFileExists(strBatch));
}

TEST(SelfDestructBatch, WithoutTheMarkerItRemovesOnlyItself)
{
    std::string strDir = fnTestDir("SelfDestructNoMarker");
    std::string strProgram = strDir + "\\PROG.EXE", strMarker = strDir + "\\_KR13.tmp";
    std::string strBatch = strDir + "\\_KRDEL.BAT";
    ASSERT_TRUE(fnWriteWholeFile(strProgram, "program"));
    ASSERT_EQ(1, fnWriteSelfDestructBatch(strBatch.c_str(), strMarker.c_str(), strProgram.c_str()));
    DeleteFileA(strMarker.c_str());
    fnRunBatch(strBatch);
    EXPECT_EQ("program", fnReadWholeFile(strProgram));
    EXPECT_FALSE(fnFileExists(strBatch));
}

TEST(SelfDestructBatch, AFailedWriteLeavesNothingBehind)
{
    std::string strDir = fnTestDir("SelfDestructFails");
    std::string strMarker = strDir + "\\_KR14.tmp";
    ASSERT_TRUE(fnWriteWholeFile(strMarker, ""));
    std::string strBatch = strDir + "\\no such folder\\_KRDEL.BAT";
    EXPECT_EQ(0, fnWriteSelfDestructBatch(strBatch.c_str(), strMarker.c_str(), "C:\\PROG.EXE"));
    EXPECT_FALSE(fnFileExists(strMarker));
}

// The "_KR" marker files in strDir.
std::vector<std::string> fnMarkersIn(const std::string &strDir)
{
    std::vector<std::string> vecNames;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strDir + "\\_KR*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do vecNames.push_back(fd.cFileName); while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    return vecNames;
}

TEST(SelfDestructBatch, NothingToDoWhenNotAsked)
{
    // Where a removal would write: the batch file in the temporary folder,
    // the marker beside the program (here, this test program).
    char szTemp[MAX_PATH], szSelf[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(MAX_PATH, szTemp));
    ASSERT_NE(0u, GetModuleFileNameA(NULL, szSelf, MAX_PATH));
    std::string strBatch = std::string(szTemp) + "_KRDEL.BAT";
    std::string strSelfDir = szSelf;
    strSelfDir.erase(strSelfDir.rfind('\\'));
    DeleteFileA(strBatch.c_str());
    std::vector<std::string> vecBefore = fnMarkersIn(strSelfDir);

    EXPECT_EQ(1, fnSelfDestruct(FALSE));
    EXPECT_FALSE(fnFileExists(strBatch));
    EXPECT_EQ(vecBefore, fnMarkersIn(strSelfDir));
}

class UserExitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        memset(&m_input, 0, sizeof(m_input));
        // No closing text: nothing to answer.
        m_input.uQuiet = 0;
    }
    void TearDown() override { fnClearRunState(); }
    UserInputStruct m_input;
};

TEST_F(UserExitTest, ExitCodesWithoutARestart)
{
    EXPECT_EQ(1, fnUserExit(NULL, &m_input));
    EXPECT_EQ((unsigned)kExitOk, g_uExitCode);
    m_input.bFailed = TRUE;
    fnUserExit(NULL, &m_input);
    EXPECT_EQ((unsigned)kExitFailed, g_uExitCode);
}

TEST_F(UserExitTest, MustRestartActionWithoutItsMessageAsksNothingAndNeedsARestart)
{
    g_uOnExit = 4;
    g_bShowMustRestartMsg = FALSE;
    EXPECT_EQ(1, fnUserExit(NULL, &m_input));
    EXPECT_EQ((unsigned)kExitRestartNeeded, g_uExitCode);
    // A failed run keeps its code.
    m_input.bFailed = TRUE;
    fnUserExit(NULL, &m_input);
    EXPECT_EQ((unsigned)kExitFailed, g_uExitCode);
}

TEST_F(UserExitTest, ActionOfTheInputRecordCountsWhenTheRunStateHasNone)
{
    m_input.uOnExit = 4;
    g_bShowMustRestartMsg = FALSE;
    fnUserExit(NULL, &m_input);
    EXPECT_EQ((unsigned)kExitRestartNeeded, g_uExitCode);
}

TEST_F(UserExitTest, ClosingTextIsShownOnceOrTwiceForAFailure)
{
    fnCopyText(g_szErrorMsg, COUNTOF(g_szErrorMsg), "Own failure text");
    g_bShowErrorMsg = TRUE;
    m_input.bFailed = TRUE;
    m_input.uQuiet = 1;
    int cShown = 0;
    std::string strText;
    // Each box is answered as it comes; a second probe waits for the second.
    CModalProbe *pProbe = nullptr;
    CModalProbe first([&](HWND hBox) {
        cShown++;
        char sz[256];
        GetDlgItemTextA(hBox, 0xFFFF, sz, sizeof(sz));
        strText = sz;
        pProbe = new CModalProbe([&](HWND hBox2) {
            cShown++;
            PostMessageA(hBox2, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    fnUserExit(NULL, &m_input);
    delete pProbe;
    EXPECT_EQ(2, cShown);
    EXPECT_EQ("Own failure text", strText);
}

TEST_F(UserExitTest, ExitProgramRunsAndAMissingOneIsReported)
{
    std::string strDir = fnTestDir("ExitProgram");
    std::string strOut = strDir + "\\ran.txt";
    g_uOnExit = 2;
    fnFormatText(m_input.szExitExec, COUNTOF(m_input.szExitExec), "cmd.exe /c echo ran> \"%s\"", strOut.c_str());
    fnUserExit(NULL, &m_input);
    for (int i = 0; i < 100 && fnReadWholeFile(strOut).empty(); i++)
        Sleep(50);
    EXPECT_EQ("ran\r\n", fnReadWholeFile(strOut));

    std::string strText;
    CModalProbe probe([&](HWND hBox) {
        char sz[512];
        GetDlgItemTextA(hBox, 0xFFFF, sz, sizeof(sz));
        strText = sz;
        PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    m_input.uQuiet = 1;
    fnCopyText(m_input.szExitExec, COUNTOF(m_input.szExitExec), "Z:\\no\\such\\tool.exe");
    fnUserExit(NULL, &m_input);
    EXPECT_EQ("ERROR!  Cannot load Z:\\no\\such\\tool.exe.", strText);
    EXPECT_EQ(0u, m_input.uQuiet);  // so no closing text followed
}

TEST(Launch, WaitsForTheProgramAndServesMessagesMeanwhile)
{
    std::string strDir = fnTestDir("LaunchWait");
    std::string strOut = strDir + "\\out.txt";
    std::string strCommand = "cmd.exe /c echo waited> \"" + strOut + "\"";
    EXPECT_EQ(kLaunchOk, fnCreateProcess(strCommand.c_str(), SW_HIDE, kWaitServing, FALSE, TRUE, 0, TRUE));
    EXPECT_EQ("waited\r\n", fnReadWholeFile(strOut));
    EXPECT_FALSE(g_bPreventExit);
}

TEST(Launch, MissingProgramIsNotStarted)
{
    EXPECT_EQ(kLaunchFailed, fnCreateProcess("Z:\\no\\such\\program.exe", SW_SHOW, kWaitNone, FALSE, FALSE, 0, TRUE));
    EXPECT_EQ(kLaunchFailed, fnCreateProcess("no_such_program_anywhere.exe", SW_SHOW, kWaitNone, FALSE, FALSE, 0, TRUE));
}

TEST(Launch, QuitMessageEndsTheWaitWithSeven)
{
    // The quit comes before the wait starts serving: the wait ends at once.
    PostQuitMessage(3);
    EXPECT_EQ(kLaunchStopRequest,
              fnCreateProcess("cmd.exe /c exit 0", SW_HIDE, kWaitServing, FALSE, TRUE, 0, TRUE));
    MSG msg;
    // The quit is kept for the main loop.
    EXPECT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
