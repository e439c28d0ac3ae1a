// The [Config] section: the keep-going rule, the settings keywords, the file
// keywords and the answers they store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/config.h"
#include "commands/keywords.h"
#include "run/run_state.h"
#include "run/text.h"
#include "support/test_files.h"

namespace {

class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override { fnClearRunState(); }
    void TearDown() override { fnClearRunState(); }
    // Runs a [Config] body (lines joined with CR LF).
    static int fnConfig(const std::string &strBody) { return fnReadConfig(NULL, strBody.c_str()); }
};

TEST_F(ConfigTest, FirstUnknownKeywordEndsTheSection)
{
    EXPECT_EQ(kConfigGoOn, fnConfig("Caption=First\r\nExitMessage=Bye\r\nFoo=1\r\nErrorMessage=Late\r\n"));
    EXPECT_STREQ("First", g_szTitle);
    EXPECT_STREQ("Bye", g_szExitMsg);
    EXPECT_STREQ("", g_szErrorMsg);
    EXPECT_FALSE(g_bShowErrorMsg);
}

TEST_F(ConfigTest, SectionEndsAtTheNextHeaderAndEmptyBodyDoesNothing)
{
    EXPECT_EQ(kConfigGoOn, fnConfig(""));
    EXPECT_EQ(kConfigGoOn, fnConfig("Caption=In\r\n[Files]\r\nCaption=Out\r\n"));
    EXPECT_STREQ("In", g_szTitle);
}

TEST_F(ConfigTest, YesNoKeywordsLookAtTheFirstLetter)
{
    fnConfig("BeQuiet=yes\r\nExitOnExecError=Y\r\nExitOnCommandError=y\r\nShowErrorMessage=Yep\r\n"
             "ShowMustRestartMessage=No\r\nMustRestartAtExit=Y\r\n");
    EXPECT_TRUE(g_bQuiet);
    EXPECT_EQ(0u, g_uShowVSWin);
    EXPECT_TRUE(g_bExitOnExecError);
    EXPECT_TRUE(g_bExitOnCommandError);
    EXPECT_TRUE(g_bShowErrorMsg);
    EXPECT_FALSE(g_bShowMustRestartMsg);
    EXPECT_TRUE(g_bMustRestartAtExit);

    fnClearRunState();
    fnConfig("BeQuiet=x\r\nMustRestartAtExit=maybe\r\n");
    EXPECT_FALSE(g_bQuiet);
    EXPECT_EQ(1u, g_uShowVSWin);
    EXPECT_FALSE(g_bMustRestartAtExit);

    g_bQuiet = TRUE;
    g_uShowVSWin = 2;
    fnConfig("BeQuiet=N\r\n");
    EXPECT_FALSE(g_bQuiet);
    EXPECT_EQ(2u, g_uShowVSWin);  // "N" leaves the window setting
}

TEST_F(ConfigTest, SelfDestructIsClearedBeforeItsField)
{
    g_bSelfDestruct = TRUE;
    fnConfig("SelfDestruct=whatever\r\n");
    EXPECT_FALSE(g_bSelfDestruct);
    fnConfig("SelfDestruct=Y\r\n");
    EXPECT_TRUE(g_bSelfDestruct);
}

TEST_F(ConfigTest, NumbersAreReadAndWinPauseIsCapped)
{
    fnConfig("WinPause=5000\r\nShowVSWindow=3\r\n");
    EXPECT_EQ(1000u, g_uWinPause);
    EXPECT_EQ(3u, g_uShowVSWin);
    fnConfig("WinPause=250\r\n");
    EXPECT_EQ(250u, g_uWinPause);
    fnConfig("WinPause\r\n");  // no key, no field: the walk ends, the value stays
    EXPECT_EQ(250u, g_uWinPause);
}

TEST_F(ConfigTest, BackUpMethodByNameUnknownLeavesIt)
{
    fnConfig("BackUpMethod=DateTime\r\n");
    EXPECT_EQ(505u, g_uBackUpMethod);
    fnConfig("BackUpMethod=Somewhere\r\n");
    EXPECT_EQ(505u, g_uBackUpMethod);
}

TEST_F(ConfigTest, OnExitActions)
{
    struct OnExitCase {
        const char *pszLine;
        unsigned uOnExit;
        const char *pszExec;
    };
    const OnExitCase aCases[] = {
        {"OnExit=ExitWin", 1, ""},
        {"OnExit=RestartWin", 3, ""},
        {"OnExit=Reboot", 5, ""},
        {"OnExit=Exec", 0, ""},  // no program: no action
        {"OnExit=Exec,C:\\Tools\\After.exe /s", 2, "C:\\Tools\\After.exe /s"},
        {"OnExit=ExecTop,notepad.exe", 7, "notepad.exe"},
        {"OnExit=ExecTop,", 0, ""},
    };
    for (const OnExitCase &c : aCases) {
        SCOPED_TRACE(c.pszLine);
        fnClearRunState();
        fnConfig(c.pszLine);
        EXPECT_EQ(c.uOnExit, g_uOnExit);
        EXPECT_STREQ(c.pszExec, g_szExitExec);
    }
    fnClearRunState();
    fnConfig("OnExit=Reboot\r\nOnExit=Sometime\r\n");
    EXPECT_EQ(5u, g_uOnExit);  // an unknown action leaves it
}

TEST_F(ConfigTest, RestartWithMessageHasADefaultQuestion)
{
    fnConfig("OnExit=RestartWithMsg\r\n");
    EXPECT_EQ(6u, g_uOnExit);
    EXPECT_STREQ("Windows must restart to complete installation.\nPlease close all open applications now.\n\n"
                 "Is it OK to restart Windows?",
                 g_szRestartMsg);
    fnConfig("OnExit=RestartWithMsg,Restart for the drivers?\r\n");
    EXPECT_STREQ("Restart for the drivers?", g_szRestartMsg);
}

TEST_F(ConfigTest, ErrorMessageAlsoSwitchesItsDisplayOn)
{
    fnConfig("ErrorMessage=It went wrong\r\n");
    EXPECT_STREQ("It went wrong", g_szErrorMsg);
    EXPECT_TRUE(g_bShowErrorMsg);
}

TEST_F(ConfigTest, StayHomeIsClearedAtTheStartAndSetByTheBareWord)
{
    g_bStayHome = TRUE;
    fnConfig("Caption=X\r\n");
    EXPECT_FALSE(g_bStayHome);
    // The bare word has no key: it sets the flag and ends the walk.
    fnConfig("StayHome\r\nCaption=After\r\n");
    EXPECT_TRUE(g_bStayHome);
    EXPECT_STREQ("X", g_szTitle);
    fnConfig("StayHome=Y\r\nCaption=After\r\n");
    EXPECT_TRUE(g_bStayHome);
    EXPECT_STREQ("After", g_szTitle);
}

TEST_F(ConfigTest, ConditionsPassLinesOverOrEndTheSection)
{
    fnConfig("\"a\"=\"b\",Caption=Skipped\r\nCaption=Kept\r\n");
    EXPECT_STREQ("Kept", g_szTitle);
    fnConfig("\"a\"=\"a\",Caption=Taken\r\n");
    EXPECT_STREQ("Taken", g_szTitle);
}

TEST_F(ConfigTest, SkipTheRestEndsBeforeTheLogIsOpened)
{
    std::string strDir = fnTestDir("ConfigSkipRest");
    std::string strLog = strDir + "\\install.log";
    EXPECT_EQ(kConfigGoOn, fnConfig("LogFile=" + strLog + "\r\nSkipIfTrue:a=a\r\nCaption=Never\r\n"));
    EXPECT_FALSE(g_bLogOn);
    EXPECT_FALSE(fnFileExists(strLog));
    EXPECT_STRNE("Never", g_szTitle);
}

TEST_F(ConfigTest, LogFileOpensTheLogAfterTheSection)
{
    std::string strDir = fnTestDir("ConfigLogFile");
    std::string strLog = strDir + "\\install.log";
    EXPECT_EQ(kConfigGoOn, fnConfig("LogFile=" + strLog + "\r\n"));
    EXPECT_TRUE(g_bLogOn);
    EXPECT_EQ(0u, fnReadWholeFile(strLog).find("[Karvello Log]\r\n"));
    // Without a name the log name is emptied.
    fnConfig("LogFile\r\n");
    fnConfig("LogFile=\r\n");
    EXPECT_STREQ("", g_szLogFile);
}

TEST_F(ConfigTest, RestartInTheTemporaryCopyGoesOn)
{
    // The relaunch itself (outside the copy) is run end to end: here it
    // would start a copy of the test program.
    g_bTempExec = TRUE;
    EXPECT_EQ(kConfigGoOn, fnConfig("Restart=Y\r\n"));
    EXPECT_EQ(kConfigGoOn, fnConfig("Restart\r\n"));
    g_bTempExec = FALSE;
}

TEST_F(ConfigTest, DebugCreatesTheTraceFileOrKeepsAnExistingOne)
{
    std::string strDir = fnTestDir("ConfigDebug");
    std::string strFile = strDir + "\\trace.log";
    fnConfig("Debug=3," + strFile + "\r\nDebug=0\r\n");
    EXPECT_EQ(0u, g_uTraceMode);
    EXPECT_EQ(0u, g_uWMITraceMode);
    EXPECT_STREQ(strFile.c_str(), g_szDebugFile);
    EXPECT_TRUE(fnFileExists(strFile));
    ASSERT_TRUE(fnWriteWholeFile(strFile, "earlier records\r\n"));
    fnConfig("Debug=3," + strFile + "\r\nDebug=0\r\n");
    EXPECT_EQ(0u, fnReadWholeFile(strFile).find("earlier records\r\n"));
    // A bare name is taken in the source folder.
    fnCopyText(g_szSourceDir, COUNTOF(g_szSourceDir), strDir.c_str());
    fnConfig("Debug=4,other.log\r\nDebug=0\r\n");
    EXPECT_EQ(strDir + "\\other.log", std::string(g_szDebugFile));
    EXPECT_TRUE(fnFileExists(strDir + "\\other.log"));
}

TEST_F(ConfigTest, FileKeywordsCreateEmptyDeleteAndAppend)
{
    std::string strDir = fnTestDir("ConfigFiles");
    std::string strFile = strDir + "\\data.txt";
    ASSERT_TRUE(fnWriteWholeFile(strFile, "old"));
    fnConfig("CreateFile=" + strFile + "\r\n");
    EXPECT_TRUE(fnFileExists(strFile));
    EXPECT_EQ("", fnReadWholeFile(strFile));
    fnConfig("WriteLineToFile=" + strFile + ",one\r\nWriteLineToFile=" + strFile + ",two\r\n");
    EXPECT_EQ("one\r\ntwo\r\n", fnReadWholeFile(strFile));
    fnConfig("DeleteFile=" + strFile + "\r\n");
    EXPECT_FALSE(fnFileExists(strFile));
    fnConfig("WriteLineToFile=" + strDir + "\\new\\deeper\\made.txt,line\r\n");
    EXPECT_EQ("line\r\n", fnReadWholeFile(strDir + "\\new\\deeper\\made.txt"));
}

TEST(FileKeywords, WriteLineToALockedFileFailsAndLeavesItAlone)
{
    std::string strDir = fnTestDir("ConfigLocked");
    std::string strFile = strDir + "\\locked.txt";
    ASSERT_TRUE(fnWriteWholeFile(strFile, "kept\r\n"));
    HANDLE hHold = CreateFileA(strFile.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    std::string strLine = "WriteLineToFile=" + strFile + ",more";
    std::vector<char> vec(strLine.begin(), strLine.end());
    vec.push_back('\0');
    EXPECT_EQ(0, fnKeyWriteLineToFile(vec.data()));
    CloseHandle(hHold);
    EXPECT_EQ("kept\r\n", fnReadWholeFile(strFile));
}

TEST_F(ConfigTest, ReadLineFromFileStoresInTurnAndStopsAtTheLastSlot)
{
    std::string strDir = fnTestDir("ConfigReadLine");
    std::string strFile = strDir + "\\lines.txt";
    ASSERT_TRUE(fnWriteWholeFile(strFile, "first line\r\nsecond\r\n"));
    std::string strKeys = strDir + "\\keys.ini";
    ASSERT_TRUE(fnWriteWholeFile(strKeys, "[Section]\r\n\tPath = C:\\Apps\\Tool \r\nPathExt=.exe\r\n"));
    fnConfig("ReadLineFromFile=" + strFile + "\r\nReadLineFromFile=" + strFile + "\r\nReadLineFromFile=" + strKeys +
             ",path\r\nReadLineFromFile=" + strKeys + ",Missing\r\nReadLineFromFile=" + strDir + "\\none.txt\r\n");
    EXPECT_STREQ("first line", g_szSetValues[0]);
    EXPECT_STREQ("first line", g_szSetValues[1]);
    EXPECT_STREQ("C:\\Apps\\Tool", g_szSetValues[2]);
    EXPECT_STREQ("", g_szSetValues[3]);  // nothing found, nothing stored
    EXPECT_EQ(3u, g_uSetValue);

    std::string strBody;
    for (int i = 0; i < 12; i++)
        strBody += "ReadLineFromFile=" + strFile + "\r\n";
    fnConfig(strBody);
    EXPECT_EQ(9u, g_uSetValue);
    EXPECT_STREQ("first line", g_szSetValues[9]);
}

TEST_F(ConfigTest, SleepWithAnEmptyValueWaitsASecond)
{
    DWORD dwStart = GetTickCount();
    fnConfig("Sleep=\r\n");
    EXPECT_GE(GetTickCount() - dwStart, 950u);
}

}  // namespace
