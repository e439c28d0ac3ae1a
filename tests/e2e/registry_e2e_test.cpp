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

using RegistryE2E = E2ECase;

TEST_F(RegistryE2E, AbbreviatedRootAsksAndYesGoesOn)
{
    std::string strScript =
        "[Registry]\r\n"
        "Edit=SZ,HKLM\\Software\\setup32-e2e,a,1\r\n"
        "Edit=SZ,HKEY_CURRENT_USER\\Software\\setup32-e2e\\reg,after,done\r\n"
        "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {"Yes"}, 0);
    EXPECT_NE(res.strTranscript.find("text: Registry error.\\nContinue processing?"), std::string::npos) << res;
    EXPECT_EQ(fnReadUserValue("Software\\setup32-e2e\\reg", "after"), "done");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\setup32-e2e\\reg");
}

TEST_F(RegistryE2E, NoEndsTheRunFailed)
{
    std::string strScript =
        "[Registry]\r\n"
        "DeleteValue=,HKEY_CURENT_USER\\Software\\setup32-e2e,a\r\n"
        "Edit=SZ,HKEY_CURRENT_USER\\Software\\setup32-e2e\\regno,after,done\r\n"
        "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {"No"}, 1603);
    EXPECT_NE(res.strTranscript.find("text: Registry error.\\nContinue processing?"), std::string::npos) << res;
    EXPECT_EQ(fnReadUserValue("Software\\setup32-e2e\\regno", "after"), "<none>");
}

TEST_F(RegistryE2E, CheckPromptsWhenTheValueDiffers)
{
    std::string strScript =
        "[Registry]\r\n"
        "Edit=SZ,HKEY_CURRENT_USER\\Software\\setup32-e2e\\check,Version,1.0\r\n"
        "Check=,HKEY_CURRENT_USER\\Software\\setup32-e2e\\check,Version,2.0,PROMPT\r\n"
        "Check=,HKEY_CURRENT_USER\\Software\\setup32-e2e\\check,Missing,2.0,PROMPT\r\n"
        "Check=,HKEY_CURRENT_USER\\Software\\setup32-e2e\\check,Version,1.0,FATAL\r\n"
        "Check=,HKEY_CURRENT_USER\\Software\\setup32-e2e\\check,Version,3.0,FATAL\r\n"
        "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {"Yes", "Yes", "OK"}, 1603);
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
