// [IniEdits] end to end: edits of real files, the questions on a file that
// cannot be written, and the original left as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

TEST(IniEditsE2E, EditsAConfigSysListAndAnAutoexec)
{
    std::string strDir = fnE2EWorkDir("IniEditsE2E_Batch");
    fnE2EWriteFile(strDir + "\\CONFIG.SYS", "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=20\r\n");
    fnE2EWriteFile(strDir + "\\AUTOEXEC.BAT", "@ECHO OFF\r\nPROMPT $P$G\r\nWIN\r\n");
    E2ERun run;
    run.strScript =
        "[IniEdits]\r\n"
        "CONFIG.SYS, , \"FILES=\", \"FILES=40\", N, K\r\n"
        "CONFIG.SYS, , \"BUFFERS=\", \"BUFFERS=30\", N, K\r\n"
        "AUTOEXEC.BAT, , \"SET TEMP=\", \"SET TEMP=C:\\TEMP\", N, C, B\r\n"
        "AUTOEXEC.BAT, , PATH, C:\\TOOLS, N, P, A\r\n"
        "[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.dwExitCode, 0u) << res;
    EXPECT_EQ(res.iRobotExit, 0) << res;
    EXPECT_EQ(fnE2EReadFile(strDir + "\\CONFIG.SYS"), "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=40\r\nBUFFERS=30\r\n");
    EXPECT_EQ(fnE2EReadFile(strDir + "\\CONFIG.ORI"), "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=20\r\n");
    EXPECT_EQ(fnE2EReadFile(strDir + "\\AUTOEXEC.BAT"),
              "@ECHO OFF\r\nPATH C:\\TOOLS\r\nPROMPT $P$G\r\nSET TEMP=C:\\TEMP\r\nWIN\r\n");
}

TEST(IniEditsE2E, ReadOnlyFileRefusedIsLeftAlone)
{
    std::string strDir = fnE2EWorkDir("IniEditsE2E_ReadOnly");
    const std::string strOriginal = "[App]\r\nName=Old\r\n";
    fnE2EWriteFile(strDir + "\\RO.INI", strOriginal);
    SetFileAttributesA((strDir + "\\RO.INI").c_str(), FILE_ATTRIBUTE_READONLY);
    E2ERun run;
    run.strScript =
        "[IniEdits]\r\n"
        "RO.INI, App, Name, New, N, W\r\n"
        "OTHER.INI, App, Name, New, N, W\r\n"
        "[End]\r\n";
    run.strArgs = "-q";
    run.vecAnswers = {"No", "Yes"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.dwExitCode, 0u) << res;
    EXPECT_EQ(res.iRobotExit, 0) << res;
    EXPECT_NE(res.strTranscript.find("is read-only.\\nDo you want to make it writable?"), std::string::npos) << res;
    EXPECT_NE(res.strTranscript.find("Continue processing files?"), std::string::npos) << res;
    SetFileAttributesA((strDir + "\\RO.INI").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(fnE2EReadFile(strDir + "\\RO.INI"), strOriginal);
    EXPECT_EQ(fnE2EReadFile(strDir + "\\OTHER.INI"), "[App]\r\nName=New\r\n");
}

TEST(IniEditsE2E, MissingFileNameAsksWhetherToGoOn)
{
    std::string strDir = fnE2EWorkDir("IniEditsE2E_NoFile");
    E2ERun run;
    run.strScript = "[IniEdits]\r\n, App, Name, New, N, W\r\nLATER.INI, App, k, v, N, W\r\n[End]\r\n";
    run.strArgs = "-q";
    run.vecAnswers = {"No"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.dwExitCode, 0u) << res;
    EXPECT_NE(res.strTranscript.find("Invalid value specified for configuration file."), std::string::npos) << res;
    EXPECT_EQ(fnE2EReadFile(strDir + "\\LATER.INI"), "");  // No ended the section
}
