// The section walk and dispatch: header matching, result codes, the section
// cut and its restoration, and the [WriteCmdFile] handler on real files.
#include <gtest/gtest.h>

#include <string>

#include "run/run_state.h"
#include "run/text.h"
#include "script/input.h"
#include "app/load.h"
#include "app/walk.h"
#include "../support/test_files.h"

namespace {

TEST(SectionMatch, HeaderAgainstACommaList)
{
    char szOut[64];
    EXPECT_EQ(1, fnIsInfSection("[files]\r\nA=1", "[Files],[CopyFiles]", szOut, sizeof(szOut)));
    EXPECT_STREQ("[Files]", szOut);
    EXPECT_EQ(1, fnIsInfSection("[CopyFiles] ; comment", "[Files],[CopyFiles]", szOut, sizeof(szOut)));
    EXPECT_STREQ("[CopyFiles]", szOut);
    EXPECT_EQ(0, fnIsInfSection("[File]", "[Files],[CopyFiles]", szOut, sizeof(szOut)));
    EXPECT_EQ(0, fnIsInfSection("[Files]", "[Files] ,[CopyFiles]", szOut, sizeof(szOut)));  // entries as written
    EXPECT_EQ(0, fnIsInfSection("no header", "[Files]", szOut, sizeof(szOut)));
}

class WalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        g_bQuiet = TRUE;
        g_uWinPause = 0;
        m_strDir = fnTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    // A [WriteCmdFile] section writing DESTDIR=strDest into cmd<strTag>.ini.
    std::string fnCmdSection(const std::string &strTag, const std::string &strDest, const char *pszEol = "\r\n")
    {
        return "[WriteCmdFile]" + std::string(pszEol) + "WriteFile=" + fnCmdFile(strTag) + pszEol +
               "DestDir=" + strDest + pszEol;
    }
    std::string fnCmdFile(const std::string &strTag) { return m_strDir + "\\cmd" + strTag + ".ini"; }
    std::string fnDestOf(const std::string &strTag)
    {
        char szValue[260];
        GetPrivateProfileStringA("START", "DESTDIR", "<none>", szValue, sizeof(szValue), fnCmdFile(strTag).c_str());
        return szValue;
    }
    std::string fnWalk(const std::string &strScript)
    {
        std::string strText = strScript;
        fnReadInf(NULL, &strText[0]);
        return strText;
    }
    std::string m_strDir;
};

TEST_F(WalkTest, SectionsRunInOrderUntilEnd)
{
    std::string strScript = "; leading comment\r\n" + fnCmdSection("1", "C:\\ONE") + "[Comment]\r\nnothing=here\r\n" +
                            fnCmdSection("2", "C:\\TWO") + "[End]\r\n" + fnCmdSection("3", "C:\\THREE");
    std::string strAfter = fnWalk(strScript);
    EXPECT_EQ("C:\\ONE", fnDestOf("1"));
    EXPECT_EQ("C:\\TWO", fnDestOf("2"));
    EXPECT_FALSE(fnFileExists(fnCmdFile("3")));
    EXPECT_EQ(strScript, strAfter);  // every cut was restored
    EXPECT_EQ((unsigned)kExitOk, g_uExitCode);
}

TEST_F(WalkTest, EndAsFirstLineStopsBeforeAnySection)
{
    fnWalk("[End]\r\n" + fnCmdSection("1", "C:\\ONE"));
    EXPECT_FALSE(fnFileExists(fnCmdFile("1")));
}

TEST_F(WalkTest, LastLineOfAnLfOnlySectionIsRead)
{
    fnWalk(fnCmdSection("1", "C:\\LF1", "\n") + fnCmdSection("2", "C:\\LF2", "\n"));
    EXPECT_EQ("C:\\LF1", fnDestOf("1"));
    EXPECT_EQ("C:\\LF2", fnDestOf("2"));
    std::string strNoEnd = fnCmdSection("3", "C:\\LAST");
    strNoEnd.resize(strNoEnd.size() - 2);  // the text ends without a line end
    fnWalk(strNoEnd);
    EXPECT_EQ("C:\\LAST", fnDestOf("3"));
}

TEST_F(WalkTest, FailedSectionStopsTheWalkAndFailsTheRun)
{
    fnWalk(fnCmdSection("1", "C:\\ONE") + "[WriteCmdFile]\r\nno key on this line\r\n" + fnCmdSection("2", "C:\\TWO"));
    EXPECT_EQ("C:\\ONE", fnDestOf("1"));
    EXPECT_FALSE(fnFileExists(fnCmdFile("2")));
    EXPECT_EQ((unsigned)kExitFailed, g_uExitCode);
}

TEST_F(WalkTest, WriteCmdFileKeysConditionsAndFlags)
{
    std::string strScript = "[WriteCmdFile]\r\n"
                            "WriteFile=" + fnCmdFile("k") + "\r\n"
                            "X=Y,DestDir=C:\\SKIPPED\r\n"
                            "SourceDir=D:\\SRC\r\n"
                            "AskFor=answer\r\n"
                            "BeQuiet=1\r\n"
                            "TempExec=false\r\n"
                            "NoPrompts=TRUE\r\n"
                            "StartupMsg=Hello there\r\n"
                            "Unknown=stops reading\r\n"
                            "IniFile=C:\\NOT.INF\r\n";
    fnWalk(strScript);
    std::string strIni = fnReadWholeFile(fnCmdFile("k"));
    EXPECT_NE(std::string::npos, strIni.find("BEQUIET=TRUE"));
    EXPECT_NE(std::string::npos, strIni.find("SOURCEDIR=D:\\SRC"));
    EXPECT_NE(std::string::npos, strIni.find("ASKFOR=answer"));
    EXPECT_NE(std::string::npos, strIni.find("STARTUPMSG=Hello there"));
    EXPECT_EQ(std::string::npos, strIni.find("TEMPEXEC"));
    EXPECT_EQ(std::string::npos, strIni.find("DESTDIR"));
    EXPECT_EQ(std::string::npos, strIni.find("INIFILE"));
    EXPECT_EQ(std::string::npos, strIni.find("NoPrompts"));
}

TEST_F(WalkTest, WriteCmdFileDeletesTheOldFileUnlessAskedNotTo)
{
    ASSERT_TRUE(fnWriteWholeFile(fnCmdFile("d"), "[START]\r\nCMDFILE=old\r\n"));
    fnWalk(fnCmdSection("d", "C:\\NEW"));
    EXPECT_EQ(std::string::npos, fnReadWholeFile(fnCmdFile("d")).find("CMDFILE"));

    ASSERT_TRUE(fnWriteWholeFile(fnCmdFile("k"), "[START]\r\nCMDFILE=old\r\n"));
    fnWalk(fnCmdSection("k", "C:\\NEW") + "DontDelete=TRUE\r\n");
    EXPECT_NE(std::string::npos, fnReadWholeFile(fnCmdFile("k")).find("CMDFILE=old"));
}

TEST_F(WalkTest, CommandSectionFailsTheWalkOnlyUnderExitOnCommandError)
{
    std::string strFail = "[Set]\r\nCopyFile=" + m_strDir + "\\none.txt," + m_strDir + "\\x.txt\r\n";
    fnWalk(strFail + fnCmdSection("A", "C:\\A") + "[End]\r\n");
    EXPECT_EQ("C:\\A", fnDestOf("A"));
    fnWalk("[Command]\r\nExitOnCommandError=Y\r\n" + strFail + fnCmdSection("B", "C:\\B") + "[End]\r\n");
    EXPECT_EQ("<none>", fnDestOf("B"));
}

TEST_F(WalkTest, WalkResetsTheDestinationToTheTemporaryDirectory)
{
    fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), "C:\\FROM\\COMMAND\\LINE");
    fnWalk("[Comment]\r\n");
    char szTmp[260];
    GetEnvironmentVariableA("TMP", szTmp, sizeof(szTmp));
    EXPECT_STREQ(szTmp, g_szDestDir);
}

TEST(ScriptLoad, BackupNameIsOneAboveTheHighest)
{
    std::string strDir = fnTestDir("backup-name");
    std::string strFile = strDir + "\\SETUP.INF";
    char szName[260];
    ASSERT_EQ(1, fnBackupScriptName(strFile.c_str(), szName, sizeof(szName)));
    EXPECT_EQ(strFile + ".^00", std::string(szName));
    ASSERT_TRUE(fnWriteWholeFile(strFile + ".^00", "x"));
    ASSERT_TRUE(fnWriteWholeFile(strFile + ".^04", "x"));
    fnBackupScriptName(strFile.c_str(), szName, sizeof(szName));
    EXPECT_EQ(strFile + ".^05", std::string(szName));
    ASSERT_TRUE(fnWriteWholeFile(strFile + ".^99", "x"));
    EXPECT_EQ(0, fnBackupScriptName(strFile.c_str(), szName, sizeof(szName)));
}

TEST(ScriptLoad, StartLabelFoundAnywhereOrLeftAlone)
{
    std::string strText = "[First]\r\nA=1\r\n  [second]  \r\n[Third]\r\nB=2\r\n";
    char *pszText = &strText[0];
    char *pszBegin = fnFindStartLabel(pszText, "[Second]");
    ASSERT_NE((char *)NULL, pszBegin);
    EXPECT_EQ(0, strncmp(pszBegin, "[Third]", 7));
    EXPECT_EQ((char *)NULL, fnFindStartLabel(pszText, "[Missing]"));
    std::string strLast = "[A]\r\n[Label]";
    EXPECT_EQ((char *)NULL, fnFindStartLabel(&strLast[0], "[Label]"));  // nothing follows it
}

}  // namespace
