// Finding a running program by name and by path, and closing it, against the
// helper program, on both process lists.
#include <gtest/gtest.h>

#include <string>

#include "base/running.h"
#include "base/running_text.h"
#include "run/run_state.h"
#include "support/prog_helper.h"

namespace {

TEST(ProcessNameMatch, NamePathAndFileNamePart)
{
    const char *pszFull = "C:\\Tools\\Helper.EXE";
    EXPECT_EQ(1, fnProcessNameMatches("helper.exe", "Helper.exe", pszFull, 0));
    EXPECT_EQ(1, fnProcessNameMatches("c:\\tools\\helper.exe", "Helper.exe", pszFull, 0));
    EXPECT_EQ(0, fnProcessNameMatches("helper.exe", "", pszFull, 0));  // exact: a bare name is not the path
    EXPECT_EQ(1, fnProcessNameMatches("helper.exe", "", pszFull, 1));
    EXPECT_EQ(0, fnProcessNameMatches("helper", "Helper.exe", pszFull, 1));
    EXPECT_EQ(0, fnProcessNameMatches("D:\\helper.exe", "Helper.exe", pszFull, 1));
    EXPECT_EQ(0, fnProcessNameMatches("", "", "", 1));
    char szPath[] = "\\??\\C:\\x.exe";
    fnStripNtPrefix(szPath);
    EXPECT_STREQ("C:\\x.exe", szPath);
}

// Runs the checks on the process list chosen: Toolhelp, or (forced) the
// performance data.
class RunningProgram : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        fnClearRunState();
        HMODULE hKernel = GetModuleHandleA("KERNEL32.DLL");
        const char *apszToolhelp[5] = {"CreateToolhelp32Snapshot", "Module32First", "Module32Next", "Process32First",
                                       "Process32Next"};
        for (int i = 0; i < 5; i++)
            g_pfnToolhelp[i] = GetParam() ? GetProcAddress(hKernel, apszToolhelp[i]) : NULL;
    }
};

TEST_P(RunningProgram, FoundByNameAndPathThenClosedByItsWindow)
{
    CProgHelper helper("window \"Setup32 Running Probe\"");
    ASSERT_TRUE(helper.Started());
    ASSERT_NE(nullptr, fnWaitForTitle("Setup32 Running Probe", 10000));
    std::string strPath = fnProgHelperPath();
    EXPECT_EQ(1, fnTestForRunningExec("PROGHELPER.EXE"));
    EXPECT_EQ(1, fnTestForRunningExecPath(strPath.c_str()));
    EXPECT_EQ(1, fnIsExecRunning(strPath.c_str()));
    EXPECT_EQ(helper.Pid(), fnFindRunningProcess(strPath.c_str(), FALSE, TRUE));
    EXPECT_EQ(0, fnTestForRunningExec("setup32-no-such-program.exe"));
    EXPECT_EQ(0, fnTestForRunningExecPath("C:\\no\\proghelper.exe"));

    EXPECT_EQ(1, fnCloseRunningExec(strPath.c_str(), FALSE));  // asks its window to close
    EXPECT_TRUE(helper.Ended(10000));
    EXPECT_EQ(1, fnWaitWhileRunning(strPath.c_str(), 5000));
    EXPECT_EQ(0, fnCloseRunningExec(strPath.c_str(), FALSE));  // not running: nothing to do
}

TEST_P(RunningProgram, TerminatedWhenAskedToEndItFirst)
{
    CProgHelper helper("exit 0 60000");
    ASSERT_TRUE(helper.Started());
    std::string strPath = fnProgHelperPath();
    for (int i = 0; i < 100 && !fnTestForRunningExecPath(strPath.c_str()); i++)
        Sleep(50);
    EXPECT_EQ(1, fnCloseRunningExec(strPath.c_str(), TRUE));
    EXPECT_TRUE(helper.Ended(10000));
}

INSTANTIATE_TEST_SUITE_P(ProcessLists, RunningProgram, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool> &param) {
                             return param.param ? std::string("Toolhelp") : std::string("PerformanceData");
                         });

}  // namespace
