// [IniEdits], the INI reads and [SetEnvironment] against real files, Wine's
// profile functions and registry. Only paths that ask nothing are run here;
// the questions are covered end to end.
#include "config/iniedit.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "config/environment.h"
#include "config/readdefaults.h"
#include "base/registry.h"
#include "run/run_state.h"
#include "support/test_files.h"

namespace {

const char kSystemIni[] =
    "[boot]\r\nshell=explorer.exe\r\n\r\n[386Enh]\r\ndevice=*vpicd\r\n\r\n[drivers]\r\nwave=mmdrv.dll\r\n";

class IniEdits : public ::testing::Test {
protected:
    void SetUp() override { m_uMethod = g_uBackUpMethod; }
    void TearDown() override { g_uBackUpMethod = m_uMethod; }
    unsigned m_uMethod = 0;
};

}  // namespace

TEST_F(IniEdits, OneBackupForSeveralLinesOnTheSameFile)
{
    std::string strDir = fnTestDir("IniEdits_OneBackup");
    std::string strFile = strDir + "\\SYSTEM.INI";
    ASSERT_TRUE(fnWriteWholeFile(strFile, kSystemIni));
    g_uBackUpMethod = 501;
    std::string strBody = strFile + ", 386Enh, device, vnetbios.386, N, M\r\n" + strFile +
                          ", boot, shell, progman.exe, N, W\r\n" + strFile + ", drivers, wave, , D, W\r\n";
    EXPECT_EQ(fnIniFilesEdit(NULL, strBody.c_str()), 1);
    EXPECT_EQ(fnReadWholeFile(strDir + "\\SYSTEM.ORI"), kSystemIni);
    EXPECT_EQ(fnReadWholeFile(strFile),
              "[boot]\r\nshell=progman.exe\r\n\r\n[386Enh]\r\ndevice=*vpicd\r\ndevice=vnetbios.386\r\n\r\n[drivers]\r\n");
}

TEST_F(IniEdits, NoModLeavesTheFileAndEditsTheCopy)
{
    std::string strDir = fnTestDir("IniEdits_NoMod");
    std::string strFile = strDir + "\\SYSTEM.INI";
    ASSERT_TRUE(fnWriteWholeFile(strFile, kSystemIni));
    g_uBackUpMethod = 506;
    std::string strBody =
        strFile + ", boot, shell, progman.exe, N, W\r\n" + strFile + ", NewSection, a, 1, N, W\r\n";
    EXPECT_EQ(fnIniFilesEdit(NULL, strBody.c_str()), 1);
    EXPECT_EQ(fnReadWholeFile(strFile), kSystemIni);
    std::string strMod = fnReadWholeFile(strDir + "\\SYSTEM.MOD");
    EXPECT_NE(strMod.find("shell=progman.exe\r\n"), std::string::npos) << strMod;
    EXPECT_NE(strMod.find("\r\n[NewSection]\r\na=1\r\n"), std::string::npos) << strMod;
}

TEST_F(IniEdits, ProfileEditsOfTheSystemWinIni)
{
    // Wine's own win.ini, copied: real-world layout, edited through the profile functions.
    char szWinIni[MAX_PATH];
    GetWindowsDirectoryA(szWinIni, MAX_PATH);
    std::string strDir = fnTestDir("IniEdits_Profile");
    std::string strFile = strDir + "\\WIN.INI";
    std::string strOriginal = fnReadWholeFile(std::string(szWinIni) + "\\win.ini");
    if (strOriginal.empty())
        strOriginal = "[windows]\r\nload=\r\n";
    ASSERT_TRUE(fnWriteWholeFile(strFile, strOriginal + "\r\n[Colors]\r\nBackground=0 0 0\r\n"));
    g_uBackUpMethod = 500;
    std::string strBody = strFile + ", Colors, Background, 1 1 1, S, I\r\n" + strFile +
                          ", Colors, Window, 255 255 255, S, I\r\n" + strFile + ", setup32test, k, v, N\r\n" +
                          strFile + ", setup32test, , , D, I\r\n";
    EXPECT_EQ(fnIniFilesEdit(NULL, strBody.c_str()), 1);
    char sz[64];
    GetPrivateProfileStringA("Colors", "Background", "", sz, sizeof(sz), strFile.c_str());
    EXPECT_STREQ(sz, "0 0 0");
    GetPrivateProfileStringA("Colors", "Window", "", sz, sizeof(sz), strFile.c_str());
    EXPECT_STREQ(sz, "255 255 255");
    EXPECT_EQ(GetPrivateProfileSectionA("setup32test", sz, sizeof(sz), strFile.c_str()), 0u);
    EXPECT_FALSE(fnFileExists(strDir + "\\WIN.ORI"));  // "PROMPT" makes no backup
}

TEST_F(IniEdits, WholeSectionEntriesAddedOnce)
{
    std::string strDir = fnTestDir("IniEdits_Group");
    std::string strFile = strDir + "\\GROUP.INI";
    ASSERT_TRUE(fnWriteWholeFile(strFile, "[list]\r\nx=0\r\n"));
    g_uBackUpMethod = 500;
    std::string strBody = strFile + ", list, a, 1, N, I, G\r\n" + strFile + ", list, a, 3, N, I, G\r\n" + strFile +
                          ", other, b, 2, N, I, G\r\n";
    EXPECT_EQ(fnIniFilesEdit(NULL, strBody.c_str()), 1);
    EXPECT_EQ(fnReadWholeFile(strFile), "[list]\r\nx=0\r\na=1\r\n[other]\r\nb=2\r\n");
}

TEST_F(IniEdits, FailedReplacementLeavesTheOriginal)
{
    std::string strDir = fnTestDir("IniEdits_Failures");
    std::string strFile = strDir + "\\LOCKED.INI";
    ASSERT_TRUE(fnWriteWholeFile(strFile, kSystemIni));
    std::string strTemp = strDir + "\\edited.tmp";
    ASSERT_TRUE(fnWriteWholeFile(strTemp, "[boot]\r\n"));

    // Held open by another program without sharing: nothing is replaced.
    HANDLE hHeld = CreateFileA(strFile.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    EXPECT_EQ(fnReplaceEditedFile(strFile.c_str(), strTemp.c_str(), FILE_ATTRIBUTE_NORMAL, FALSE), kReplaceFailed);
    CloseHandle(hHeld);
    EXPECT_EQ(fnReadWholeFile(strFile), kSystemIni);

    // An edit whose temporary file cannot be written fails without touching the file.
    IniEditStruct edit = {};
    strcpy_s(edit.szSection, sizeof(edit.szSection), "boot");
    strcpy_s(edit.szKey, sizeof(edit.szKey), "shell");
    strcpy_s(edit.szValue, sizeof(edit.szValue), "x");
    edit.cType = 'W';
    edit.cAction = 'N';
    fnIniPrepareEdit(&edit);
    EXPECT_EQ(fnEditIniLine(strFile.c_str(), (strDir + "\\no\\such\\dir\\t.tmp").c_str(), &edit), 0);
    EXPECT_EQ(fnReadWholeFile(strFile), kSystemIni);

    // No usable temporary directory: no temporary file, so no edit.
    char szTmp[MAX_PATH];
    GetEnvironmentVariableA("TMP", szTmp, MAX_PATH);
    SetEnvironmentVariableA("TMP", (strDir + "\\missing").c_str());
    char szOut[MAX_PATH];
    int bMade = fnMakeEditTempFile(szOut, MAX_PATH);
    SetEnvironmentVariableA("TMP", szTmp);
    EXPECT_EQ(bMade, 0);

    // A successful replacement keeps the attributes the file had.
    SetFileAttributesA(strFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(fnReplaceEditedFile(strFile.c_str(), strTemp.c_str(), FILE_ATTRIBUTE_READONLY, FALSE), kReplaceDone);
    EXPECT_EQ(fnReadWholeFile(strFile), "[boot]\r\n");
    EXPECT_TRUE(GetFileAttributesA(strFile.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(strFile.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(IniEdits, ReadDefaultsFillTheSlotsInLineOrder)
{
    std::string strDir = fnTestDir("IniEdits_Read");
    std::string strIni = strDir + "\\APP.INI", strBat = strDir + "\\AUTOEXEC.BAT";
    ASSERT_TRUE(fnWriteWholeFile(strIni, "[App]\r\nName=Demo\r\n"));
    ASSERT_TRUE(fnWriteWholeFile(strBat, "@ECHO OFF\r\nPATH C:\\DOS;C:\\WIN\r\nSET TEMP=C:\\TMP\r\n"));
    std::string strBody = strIni + ", App, Name\r\n" + strIni + ", App, Missing, I, , fallback\r\n" + strBat +
                          ", , PATH, P\r\n" + strBat + ", , SET TEMP, C\r\n" + ", App, Name\r\n";
    EXPECT_EQ(fnReadIniFiles(NULL, strBody.c_str()), 1);
    EXPECT_STREQ(g_szDefaultSetting[0], "Demo");
    EXPECT_STREQ(g_szDefaultSetting[1], "fallback");
    EXPECT_STREQ(g_szDefaultSetting[2], "C:\\DOS;C:\\WIN");
    EXPECT_STREQ(g_szDefaultSetting[3], "C:\\TMP");
    EXPECT_STREQ(g_szDefaultSetting[4], "");  // no file: the slot stays empty
}

TEST(SetEnvironment, ListItemsInTheUserEnvironment)
{
    const char *pszName = "S32UNITLIST";
    fnRegDelValue(HKEY_CURRENT_USER, "Environment", pszName);
    EXPECT_EQ(fnSetRegEnvironment(pszName, "X;Y", "N", FALSE, TRUE), 1);
    EXPECT_EQ(fnSetRegEnvironment(pszName, "Y", "B", TRUE, TRUE), 1);
    char sz[256];
    DWORD dwType = 0;
    ASSERT_TRUE(fnGetRegistryByValue(HKEY_CURRENT_USER, &dwType, "Environment", pszName, sz, sizeof(sz), 0));
    EXPECT_STREQ(sz, "Y;X");
    EXPECT_EQ(fnSetRegEnvironment(pszName, "Z", "E", TRUE, TRUE), 1);
    ASSERT_TRUE(fnGetRegistryByValue(HKEY_CURRENT_USER, &dwType, "Environment", pszName, sz, sizeof(sz), 0));
    EXPECT_STREQ(sz, "Y;X;Z");
    // This program's own environment follows, so programs it starts see the change.
    GetEnvironmentVariableA(pszName, sz, sizeof(sz));
    EXPECT_STREQ(sz, "Y;X;Z");
    std::string strOut = fnTestDir("SetEnvironment_Child") + "\\out.txt";
    std::string strCmd = "cmd.exe /c echo %S32UNITLIST%>\"" + strOut + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(NULL, &strCmd[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi));
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(fnReadWholeFile(strOut), "Y;X;Z\r\n");
    for (const char *pszItem : {"X", "Y", "Z"})
        EXPECT_EQ(fnSetRegEnvironment(pszName, pszItem, "D", TRUE, TRUE), 1);
    // Emptied: the variable is gone from the registry and from the environment.
    EXPECT_FALSE(fnGetRegistryByValue(HKEY_CURRENT_USER, &dwType, "Environment", pszName, sz, sizeof(sz), 0));
    EXPECT_EQ(GetEnvironmentVariableA(pszName, sz, sizeof(sz)), 0u);
}

TEST(SetEnvironment, ExpandableValuesKeepTheirReferences)
{
    const char *pszName = "S32UNITEXP";
    fnRegOpenAndSet(HKEY_CURRENT_USER, "Environment", pszName, "%SystemRoot%\\a", REG_EXPAND_SZ, 0);
    EXPECT_EQ(fnSetRegEnvironment(pszName, "C:\\b", "E", TRUE, TRUE), 1);
    char sz[256];
    DWORD dwType = 0;
    ASSERT_TRUE(fnGetRegistryByValue(HKEY_CURRENT_USER, &dwType, "Environment", pszName, sz, sizeof(sz), 0));
    EXPECT_STREQ(sz, "%SystemRoot%\\a;C:\\b");
    EXPECT_EQ(dwType, (DWORD)REG_EXPAND_SZ);
    fnRegDelValue(HKEY_CURRENT_USER, "Environment", pszName);
}

TEST(SetEnvironment, AutoExecLinesArePlacedAndPathLinesEdited)
{
    const std::string strAuto = "C:\\AUTOEXEC.BAT";
    ASSERT_TRUE(fnWriteWholeFile(strAuto, "@ECHO OFF\r\nPATH C:\\DOS\r\nSET PATH=%PATH%;C:\\UTIL\r\nWIN\r\n"));
    unsigned uMethod = g_uBackUpMethod;
    g_uBackUpMethod = 501;
    IniBackupStruct backup = {};
    EXPECT_EQ(fnSetAutoExecEnvironment(NULL, &backup, "TEMP", "C:\\TMP", "NB", TRUE), 1);
    EXPECT_EQ(fnSetAutoExecEnvironment(NULL, &backup, "PATH", "C:\\NEW", "E", TRUE), 1);
    g_uBackUpMethod = uMethod;
    EXPECT_EQ(fnReadWholeFile(strAuto),
              "@ECHO OFF\r\nPATH C:\\DOS;C:\\NEW\r\nPATH %PATH%;C:\\UTIL;C:\\NEW\r\nset TEMP=C:\\TMP\r\nWIN\r\n");
    EXPECT_EQ(fnReadWholeFile("C:\\AUTOEXEC.ORI"), "@ECHO OFF\r\nPATH C:\\DOS\r\nSET PATH=%PATH%;C:\\UTIL\r\nWIN\r\n");
    DeleteFileA("C:\\AUTOEXEC.ORI");
    DeleteFileA(strAuto.c_str());
}
