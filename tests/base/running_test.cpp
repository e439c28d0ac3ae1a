// Finding a running program by name and by path, and closing it, against the
// helper program, on both process lists.
#include <gtest/gtest.h>

#include <windows.h>
#include <winperf.h>

#include <string>
#include <vector>

#include "base/running.h"
#include "run/run_state.h"
#include "support/prog_helper.h"

namespace {

// Performance data as Windows gives it, listing this test program and every
// process id in s_vecPids (Wine has no process counters of its own). Answers
// "more data" to a buffer too small, as the registry does.
std::vector<DWORD> s_vecPids;

std::string fnFakeCounterNames()
{
    std::string strNames;
    for (const char *psz : {"1", "1847", "230", "Process", "784", "ID Process"})
        strNames += std::string(psz) + '\0';
    return strNames + '\0';  // the pairs, then an empty text
}

std::string fnFakeProcessObject()
{
    const DWORD cbCounters = 16, dwPidOffset = 8;
    const DWORD cbInstance = sizeof(PERF_INSTANCE_DEFINITION) + 16;  // room for a short name
    std::vector<DWORD> vecPids = {GetCurrentProcessId()};
    for (DWORD dwPid : s_vecPids) {  // an ended process is no longer listed
        HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, dwPid);
        DWORD dwExit = 0;
        if (h && GetExitCodeProcess(h, &dwExit) && dwExit == STILL_ACTIVE)
            vecPids.push_back(dwPid);
        if (h)
            CloseHandle(h);
    }
    std::string strObject(sizeof(PERF_OBJECT_TYPE) + sizeof(PERF_COUNTER_DEFINITION), '\0');
    PERF_OBJECT_TYPE *pObject = (PERF_OBJECT_TYPE *)&strObject[0];
    pObject->HeaderLength = sizeof(PERF_OBJECT_TYPE);
    pObject->DefinitionLength = (DWORD)strObject.size();
    pObject->ObjectNameTitleIndex = 230;
    pObject->NumCounters = 1;
    pObject->NumInstances = (LONG)vecPids.size();
    PERF_COUNTER_DEFINITION *pDef = (PERF_COUNTER_DEFINITION *)&strObject[sizeof(PERF_OBJECT_TYPE)];
    pDef->ByteLength = sizeof(PERF_COUNTER_DEFINITION);
    pDef->CounterNameTitleIndex = 784;
    pDef->CounterSize = 4;
    pDef->CounterOffset = dwPidOffset;
    for (DWORD dwPid : vecPids) {
        std::string strInst(cbInstance + cbCounters, '\0');
        PERF_INSTANCE_DEFINITION *pInst = (PERF_INSTANCE_DEFINITION *)&strInst[0];
        pInst->ByteLength = cbInstance;
        pInst->NameOffset = sizeof(PERF_INSTANCE_DEFINITION);
        pInst->NameLength = 4;
        memcpy(&strInst[pInst->NameOffset], L"p", 4);
        PERF_COUNTER_BLOCK *pBlock = (PERF_COUNTER_BLOCK *)&strInst[cbInstance];
        pBlock->ByteLength = cbCounters;
        memcpy(&strInst[cbInstance + dwPidOffset], &dwPid, 4);
        strObject += strInst;
    }
    pObject = (PERF_OBJECT_TYPE *)&strObject[0];
    pObject->TotalByteLength = (DWORD)strObject.size();
    std::string strData(sizeof(PERF_DATA_BLOCK), '\0');
    PERF_DATA_BLOCK *pData = (PERF_DATA_BLOCK *)&strData[0];
    memcpy(pData->Signature, L"PERF", 8);
    pData->HeaderLength = sizeof(PERF_DATA_BLOCK);
    pData->NumObjectTypes = 1;
    pData->TotalByteLength = (DWORD)(strData.size() + strObject.size());
    return strData + strObject;
}

LONG fnFakePerfData(const char *pszValue, BYTE *pbData, DWORD *pcbData)
{
    std::string strData = std::string(pszValue) == "Counter 009" ? fnFakeCounterNames()
                          : std::string(pszValue) == "230"        ? fnFakeProcessObject()
                                                                  : std::string();
    if (strData.empty())
        return ERROR_FILE_NOT_FOUND;
    // A list longer than the first buffer, as a busy machine gives.
    strData.resize(strData.size() + 13000, '\0');
    if (*pcbData < strData.size()) {
        *pcbData = (DWORD)strData.size();
        return ERROR_MORE_DATA;
    }
    memcpy(pbData, strData.data(), strData.size());
    *pcbData = (DWORD)strData.size();
    return ERROR_SUCCESS;
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
        if (!GetParam())
            g_pfnQueryPerfData = fnFakePerfData;
        s_vecPids.clear();
    }
    void TearDown() override { fnClearRunState(); }
};

TEST_P(RunningProgram, FoundByNameAndPathThenClosedByItsWindow)
{
    CProgHelper helper("window \"Setup32 Running Probe\"");
    ASSERT_TRUE(helper.Started());
    s_vecPids.push_back(helper.Pid());
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
    s_vecPids.push_back(helper.Pid());
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
