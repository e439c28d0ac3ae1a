// The registry section end to end: the questions it asks and what it writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

namespace {

std::string fnReadUserValue(const char *pszKey, const char *pszValue)
{
    char sz[512] = "";
    DWORD cb = sizeof(sz);
    if (RegGetValueA(HKEY_CURRENT_USER, pszKey, pszValue, RRF_RT_REG_SZ, NULL, sz, &cb) != ERROR_SUCCESS)
        return "<none>";
    return sz;
}

}  // namespace

TEST(RegistryE2E, AbbreviatedRootAsksAndYesGoesOn)
{
    std::string strDir = fnE2EWorkDir("RegistryE2E_AskYes");
    E2ERun run;
    run.strScript =
        "[Registry]\r\n"
        "Edit=SZ,HKLM\\Software\\setup32-e2e,a,1\r\n"
        "Edit=SZ,HKEY_CURRENT_USER\\Software\\setup32-e2e\\reg,after,done\r\n"
        "[End]\r\n";
    run.strArgs = "-q";
    run.vecAnswers = {"Yes"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.dwExitCode, 0u) << res;
    EXPECT_EQ(res.iRobotExit, 0) << res;
    EXPECT_NE(res.strTranscript.find("text: Registry error.\\nContinue processing?"), std::string::npos) << res;
    EXPECT_EQ(fnReadUserValue("Software\\setup32-e2e\\reg", "after"), "done");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\setup32-e2e\\reg");
}

TEST(RegistryE2E, NoEndsTheRunFailed)
{
    std::string strDir = fnE2EWorkDir("RegistryE2E_AskNo");
    E2ERun run;
    run.strScript =
        "[Registry]\r\n"
        "DeleteValue=,HKEY_CURENT_USER\\Software\\setup32-e2e,a\r\n"
        "Edit=SZ,HKEY_CURRENT_USER\\Software\\setup32-e2e\\regno,after,done\r\n"
        "[End]\r\n";
    run.strArgs = "-q";
    run.vecAnswers = {"No"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.dwExitCode, 1603u) << res;
    EXPECT_NE(res.strTranscript.find("text: Registry error.\\nContinue processing?"), std::string::npos) << res;
    EXPECT_EQ(fnReadUserValue("Software\\setup32-e2e\\regno", "after"), "<none>");
}

TEST(RegistryE2E, CheckPromptsWhenTheValueDiffers)
{
    std::string strDir = fnE2EWorkDir("RegistryE2E_Check");
    E2ERun run;
    run.strScript =
        "[Registry]\r\n"
        "Edit=SZ,HKEY_CURRENT_USER\\Software\\setup32-e2e\\check,Version,1.0\r\n"
        "Check=,HKEY_CURRENT_USER\\Software\\setup32-e2e\\check,Version,2.0,PROMPT\r\n"
        "Check=,HKEY_CURRENT_USER\\Software\\setup32-e2e\\check,Missing,2.0,PROMPT\r\n"
        "Check=,HKEY_CURRENT_USER\\Software\\setup32-e2e\\check,Version,1.0,FATAL\r\n"
        "Check=,HKEY_CURRENT_USER\\Software\\setup32-e2e\\check,Version,3.0,FATAL\r\n"
        "[End]\r\n";
    run.strArgs = "-q";
    run.vecAnswers = {"Yes", "Yes", "OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.dwExitCode, 1603u) << res;
    size_t uDiffers = res.strTranscript.find("Value does not match registry.\\nContinue processing?");
    size_t uMissing = res.strTranscript.find("Registry key not found.\\nContinue processing?");
    size_t uVital = res.strTranscript.find("Vital information has not been entered in the registry.  Cannot continue.");
    EXPECT_NE(uDiffers, std::string::npos) << res;
    EXPECT_NE(uMissing, std::string::npos) << res;
    EXPECT_NE(uVital, std::string::npos) << res;
    EXPECT_LT(uDiffers, uMissing);
    EXPECT_LT(uMissing, uVital);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\setup32-e2e\\check");
}
