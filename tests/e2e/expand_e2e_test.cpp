// Expanded values as a running SETUP32 sees them: a [WriteCmdFile] section
// writes folders, OS and machine facts, the date, environment variables and
// an inline function's result taken from the live system, and the harness
// checks them against what it reads from the same system itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

namespace {

std::string fnKeyOf(const std::string &strFile, const char *pszKey)
{
    char szValue[1024];
    GetPrivateProfileStringA("START", pszKey, "", szValue, sizeof(szValue), strFile.c_str());
    return szValue;
}

std::string fnEnvironment(const char *pszName)
{
    char szValue[32768];
    DWORD cch = GetEnvironmentVariableA(pszName, szValue, sizeof(szValue));
    return (cch > 0 && cch < sizeof(szValue)) ? std::string(szValue) : std::string();
}

std::string fnTrimmed(const std::string &str)
{
    size_t iStart = str.find_first_not_of(" \t");
    size_t iEnd = str.find_last_not_of(" \t");
    return iStart == std::string::npos ? std::string() : str.substr(iStart, iEnd - iStart + 1);
}

std::string fnCpuName()
{
    HKEY hKey;
    char szValue[1024] = "";
    DWORD cb = sizeof(szValue) - 1;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0, KEY_READ, &hKey) ==
        ERROR_SUCCESS) {
        if (RegQueryValueExA(hKey, "ProcessorNameString", NULL, NULL, (BYTE *)szValue, &cb) != ERROR_SUCCESS)
            szValue[0] = '\0';
        RegCloseKey(hKey);
    }
    return fnTrimmed(szValue);
}

const char *const kapszOSIds[] = {"W31",   "W95", "W98",    "WNT",     "W2K", "S2K",   "WME",  "WXPHOME", "WXP",
                                  "WXP64", "S2K3", "S2K364", "WVSHOME", "WVS", "WVS64", "S2K8", "S2K864"};

using Expand = E2ECase;

TEST_F(Expand, WriteCmdFileWritesLiveValues)
{
    std::string strScript = "[WriteCmdFile]\r\n"
                            "WriteFile=@H\\live.cmd\r\n"
                            "DestDir=@W2\r\n"
                            "SourceDir=@V\r\n"
                            "IniFile=@M4\r\n"
                            "CmdFile=@%PATH%\r\n"
                            "AskFor=@S1-@_fnSum(40,2)-@_0\r\n"
                            "StartupMsg=@|@%WINDIR%\r\n"
                            "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK"}, 0);

    std::string strFile = m_strDir + "\\live.cmd";
    ASSERT_NE("", fnE2EReadFile(strFile)) << "the file name expanded with @H lands in the work directory\n" << res;

    char szSys[MAX_PATH];
    GetSystemDirectoryA(szSys, MAX_PATH);
    EXPECT_STREQ(szSys, fnKeyOf(strFile, "DESTDIR").c_str());

    std::string strOS = fnKeyOf(strFile, "SOURCEDIR");
    bool bKnown = false;
    for (const char *pszId : kapszOSIds)
        bKnown = bKnown || strOS == pszId;
    EXPECT_TRUE(bKnown) << strOS;

    std::string strCpu = fnCpuName();
    if (!strCpu.empty())
        EXPECT_EQ(strCpu, fnKeyOf(strFile, "INIFILE"));
    else
        EXPECT_NE("", fnKeyOf(strFile, "INIFILE"));

    std::string strPath = fnEnvironment("PATH");
    EXPECT_EQ(strPath.substr(0, 259), fnKeyOf(strFile, "CMDFILE")) << "cut to the command file's 260 characters";

    SYSTEMTIME st;
    GetLocalTime(&st);
    std::string strAsk = fnKeyOf(strFile, "ASKFOR");
    ASSERT_EQ(14u, strAsk.size()) << strAsk;
    EXPECT_EQ(std::to_string(st.wYear), strAsk.substr(0, 4)) << strAsk;
    EXPECT_EQ("-42-42", strAsk.substr(8)) << "the function's result and its slot";

    std::string strWin = fnEnvironment("WINDIR");
    for (char &c : strWin)
        c = c == '\\' ? '|' : c;
    EXPECT_EQ(strWin, fnKeyOf(strFile, "STARTUPMSG"));
}

TEST_F(Expand, LongValuesAndBrokenVariablesLoseNothingElse)
{
    std::string strLong(4000, 'L');
    SetEnvironmentVariableA("SETUP32_E2E_LONG", strLong.c_str());
    std::string strScript = "[WriteCmdFile]\r\n"
                            "WriteFile=" + m_strDir + "\\long.cmd\r\n"
                            "DestDir=@%SETUP32_E2E_LONG%@%SETUP32_E2E_LONG%\r\n"
                            "SourceDir=@%SETUP32_E2E_NOSUCH%\\x\r\n"
                            "AskFor=@_fnStrEndToUniBin(@%SETUP32_E2E_LONG%,0)\r\n"
                            "StartupMsg=50@@ off@Zignored\r\n"
                            "[End]\r\n";
    fnRunCase(strScript, "", {"OK"}, 0);
    SetEnvironmentVariableA("SETUP32_E2E_LONG", NULL);

    std::string strFile = m_strDir + "\\long.cmd";
    EXPECT_EQ(std::string(259, 'L'), fnKeyOf(strFile, "DESTDIR"));
    EXPECT_EQ("@%SETUP32_E2E_NOSUCH%\\x", fnKeyOf(strFile, "SOURCEDIR")) << "an unset variable stays as written";
    std::string strAsk = fnKeyOf(strFile, "ASKFOR");
    EXPECT_EQ("4c 00 4c 00 ", strAsk.substr(0, 12)) << "the argument is cut to its field, then converted";
    EXPECT_EQ(127u, strAsk.size()) << "and the result cut to the command file's 128 characters";
    EXPECT_EQ("50@ off", fnKeyOf(strFile, "STARTUPMSG"));
}

}  // namespace
