// The command line of the temporary copy that goes on with the run.
#include <gtest/gtest.h>

#include <string>

#include "process/relaunch.h"
#include "run/run_state.h"
#include "run/text.h"

namespace {

TEST(Relaunch, CopyCommandCarriesScriptFoldersQuietAndTheCopySwitch)
{
    fnClearRunState();
    fnCopyText(g_szIniFile, COUNTOF(g_szIniFile), "D:\\My Disk\\SETUP.INF");
    fnCopyText(g_szHomeDir, COUNTOF(g_szHomeDir), "D:\\My Disk");
    fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), "C:\\Apps");
    char szCmd[kcchCopyCommand];
    ASSERT_EQ(1, fnBuildCopyCommand("C:\\TEMP\\_KRVLO_.EXE", szCmd, COUNTOF(szCmd)));
    EXPECT_STREQ("\"C:\\TEMP\\_KRVLO_.EXE\" \"-i=D:\\My Disk\\SETUP.INF\" \"-s=D:\\My Disk\" \"-d=C:\\Apps\" -t", szCmd);

    // Its own internal script needs no name; a quiet run stays quiet.
    g_bInternalInf = TRUE;
    g_bQuiet = TRUE;
    ASSERT_EQ(1, fnBuildCopyCommand("C:\\TEMP\\_KRVLO_.EXE", szCmd, COUNTOF(szCmd)));
    EXPECT_STREQ("\"C:\\TEMP\\_KRVLO_.EXE\" \"-s=D:\\My Disk\" \"-d=C:\\Apps\" -q -t", szCmd);
    // An unattended run stays unattended.
    g_bUnattended = TRUE;
    ASSERT_EQ(1, fnBuildCopyCommand("C:\\TEMP\\_KRVLO_.EXE", szCmd, COUNTOF(szCmd)));
    EXPECT_STREQ("\"C:\\TEMP\\_KRVLO_.EXE\" \"-s=D:\\My Disk\" \"-d=C:\\Apps\" -q=2 -t", szCmd);
    // The copy writes to the same event log.
    fnCopyText(g_szEventLog, COUNTOF(g_szEventLog), "C:\\Logs\\run one.json");
    ASSERT_EQ(1, fnBuildCopyCommand("C:\\TEMP\\_KRVLO_.EXE", szCmd, COUNTOF(szCmd)));
    EXPECT_STREQ("\"C:\\TEMP\\_KRVLO_.EXE\" \"-s=D:\\My Disk\" \"-d=C:\\Apps\" \"-l=C:\\Logs\\run one.json\" -q=2 -t",
                 szCmd);

    // Five paths of the longest length still fit the copy's command line.
    std::string strLong = "C:\\" + std::string(256, 'x');
    for (char *psz : {g_szIniFile, g_szHomeDir, g_szDestDir, g_szEventLog})
        fnCopyText(psz, kcchPath, strLong.c_str());
    g_bInternalInf = FALSE;
    EXPECT_EQ(1, fnBuildCopyCommand(strLong.c_str(), szCmd, COUNTOF(szCmd)));

    char szSmall[20];
    EXPECT_EQ(0, fnBuildCopyCommand("C:\\TEMP\\_KRVLO_.EXE", szSmall, COUNTOF(szSmall)));  // cut: reported
    fnClearRunState();
}

}  // namespace
