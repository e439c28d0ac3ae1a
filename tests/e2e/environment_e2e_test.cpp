// [SetEnvironment] end to end: the user environment in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

TEST(SetEnvironmentE2E, UserVariableAndListItem)
{
    std::string strDir = fnE2EWorkDir("SetEnvironmentE2E_User");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Environment", "S32E2EVAR");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Environment", "S32E2ELIST");
    E2ERun run;
    run.strScript =
        "[SetEnvironment]\r\n"
        "S32E2EVAR, hello\r\n"
        "S32E2ELIST, C:\\A\r\n"
        "S32E2ELIST, C:\\B, B, Y\r\n"
        "S32E2ELIST, c:\\a, E, Y\r\n"
        "[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.dwExitCode, 0u) << res;
    EXPECT_EQ(res.iRobotExit, 0) << res;
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
