// [SetEnvironment] end to end: the user environment in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

using SetEnvironmentE2E = E2ECase;

TEST_F(SetEnvironmentE2E, UserVariableAndListItem)
{
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Environment", "S32E2EVAR");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Environment", "S32E2ELIST");
    std::string strScript =
        "[SetEnvironment]\r\n"
        "S32E2EVAR, hello\r\n"
        "S32E2ELIST, C:\\A\r\n"
        "S32E2ELIST, C:\\B, B, Y\r\n"
        "S32E2ELIST, c:\\a, E, Y\r\n"
        "[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    char sz[256] = "";
    DWORD cb = sizeof(sz);
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Environment", "S32E2EVAR", RRF_RT_REG_SZ, NULL, sz, &cb), ERROR_SUCCESS);
    EXPECT_STREQ(sz, "hello");
    cb = sizeof(sz);
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Environment", "S32E2ELIST", RRF_RT_REG_SZ, NULL, sz, &cb),
              ERROR_SUCCESS);
    EXPECT_STREQ(sz, "C:\\B;c:\\a");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Environment", "S32E2EVAR");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Environment", "S32E2ELIST");
}
