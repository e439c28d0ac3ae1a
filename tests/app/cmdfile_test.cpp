// Reading the command file: every key replaces its command-line value, a
// missing key clears it, and flags read both numbers and "TRUE".
#include <gtest/gtest.h>

#include <string>

#include "app/cmdfile.h"
#include "run/cmdline.h"
#include "run/run_state.h"
#include "run/text.h"
#include "../support/test_files.h"

namespace {

TEST(CommandFileRead, KeysReplaceAndMissingKeysClear)
{
    fnClearRunState();
    std::string strDir = fnTestDir("cmdfile-read");
    std::string strFile = strDir + "\\RUN.CMD";
    ASSERT_TRUE(fnWriteWholeFile(strFile, "[START]\r\nBEQUIET=TRUE\r\nTEMPEXEC=1\r\nINIFILE=C:\\A.INF\r\n"
                                          "STARTUPMSG=Wait\r\n"));
    CmdLineStruct cmd = {};
    fnCopyText(cmd.szCmdFile, COUNTOF(cmd.szCmdFile), strFile.c_str());
    fnCopyText(cmd.szDestDir, COUNTOF(cmd.szDestDir), "C:\\FROM-COMMAND-LINE");
    fnReadCmdFile(&cmd);
    EXPECT_EQ(1, cmd.bQuiet);
    EXPECT_EQ(1, cmd.bTempExec);
    EXPECT_STREQ("C:\\A.INF", cmd.szIniFile);
    EXPECT_STREQ("", cmd.szDestDir);  // no DESTDIR: the -d= value is gone
    EXPECT_STREQ("Wait", cmd.szMessage);
    EXPECT_EQ(1, cmd.bMessage);
    EXPECT_STREQ("", cmd.szCmdFile);
}

TEST(CommandFileRead, LookedForInTheSourceThenTheHomeDirectory)
{
    fnClearRunState();
    std::string strSource = fnTestDir("cmdfile-source");
    std::string strHome = fnTestDir("cmdfile-home");
    fnCopyText(g_szSourceDir, COUNTOF(g_szSourceDir), strSource.c_str());
    fnCopyText(g_szHomeDir, COUNTOF(g_szHomeDir), strHome.c_str());
    char szFound[MAX_PATH];
    ASSERT_TRUE(fnWriteWholeFile(strHome + "\\HOME.CMD", "[START]\r\n"));
    EXPECT_EQ(1, fnFindCmdFile("X:\\ELSEWHERE\\HOME.CMD", szFound, sizeof(szFound)));
    EXPECT_EQ(strHome + "\\HOME.CMD", std::string(szFound));
    ASSERT_TRUE(fnWriteWholeFile(strSource + "\\SRC.CMD", "[START]\r\n"));
    EXPECT_EQ(1, fnFindCmdFile("SRC.CMD", szFound, sizeof(szFound)));
    EXPECT_EQ(strSource + "\\SRC.CMD", std::string(szFound));
    EXPECT_EQ(0, fnFindCmdFile("NONE.CMD", szFound, sizeof(szFound)));
    EXPECT_EQ(strHome + "\\NONE.CMD", std::string(szFound));  // the last try is kept
}

}  // namespace
