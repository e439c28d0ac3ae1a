// [IniEdits] end to end: edits of real files, the questions on a file that
// cannot be written, and the original left as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

using IniEditsE2E = E2ECase;

TEST_F(IniEditsE2E, EditsAConfigSysListAndAnAutoexec)
{
    fnE2EWriteFile(m_strDir + "\\CONFIG.SYS", "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=20\r\n");
    fnE2EWriteFile(m_strDir + "\\AUTOEXEC.BAT", "@ECHO OFF\r\nPROMPT $P$G\r\nWIN\r\n");
    std::string strScript =
        "[IniEdits]\r\n"
        "CONFIG.SYS, , \"FILES=\", \"FILES=40\", N, K\r\n"
        "CONFIG.SYS, , \"BUFFERS=\", \"BUFFERS=30\", N, K\r\n"
        "AUTOEXEC.BAT, , \"SET TEMP=\", \"SET TEMP=C:\\TEMP\", N, C, B\r\n"
        "AUTOEXEC.BAT, , PATH, C:\\TOOLS, N, P, A\r\n"
        "[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\CONFIG.SYS"), "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=40\r\nBUFFERS=30\r\n");
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\CONFIG.ORI"), "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=20\r\n");
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\AUTOEXEC.BAT"),
              "@ECHO OFF\r\nPATH C:\\TOOLS\r\nPROMPT $P$G\r\nSET TEMP=C:\\TEMP\r\nWIN\r\n");
}

TEST_F(IniEditsE2E, ReadOnlyFileRefusedIsLeftAlone)
{
    const std::string strOriginal = "[App]\r\nName=Old\r\n";
    fnE2EWriteFile(m_strDir + "\\RO.INI", strOriginal);
    SetFileAttributesA((m_strDir + "\\RO.INI").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string strScript =
        "[IniEdits]\r\n"
        "RO.INI, App, Name, New, N, W\r\n"
        "OTHER.INI, App, Name, New, N, W\r\n"
        "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {"No", "Yes"}, 0);
    EXPECT_NE(res.strTranscript.find("is read-only.\\nDo you want to make it writable?"), std::string::npos) << res;
    EXPECT_NE(res.strTranscript.find("Continue processing files?"), std::string::npos) << res;
    SetFileAttributesA((m_strDir + "\\RO.INI").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\RO.INI"), strOriginal);
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\OTHER.INI"), "[App]\r\nName=New\r\n");
}

TEST_F(IniEditsE2E, MissingFileNameAsksWhetherToGoOn)
{
    std::string strScript = "[IniEdits]\r\n, App, Name, New, N, W\r\nLATER.INI, App, k, v, N, W\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {"No"}, 0);
    EXPECT_NE(res.strTranscript.find("Invalid value specified for configuration file."), std::string::npos) << res;
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\LATER.INI"), "");  // No ended the section
}
