// The whole-program script fuzzer's driver, and the scripts it found that
// once crashed or hung SETUP32, kept as regression cases.
//
// ScriptFuzzE2E.GeneratedScripts runs when SETUP32_SCRIPT_FUZZ_DIR names a
// folder of generated scripts (tests/fuzz/script_fuzz.sh makes them with
// tests/fuzz/script_gen.py): each runs quietly in a fresh work dir with the
// robot answering every window it shows. Every run must end by itself within
// the time limit with a documented exit code; crashes (an exception code as
// exit code) and hangs fail. One line per script goes to results.txt in
// that folder: "<name> <exit code> <robot exit>".
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

namespace {

const DWORD kdwScriptLimitMs = 20000;

bool fnIsDocumentedExit(DWORD dwExit)
{
    return dwExit == 0 || dwExit == 1602 || dwExit == 1603 || dwExit == 1619 || dwExit == 3010 || dwExit == 1641;
}

// Runs one script as the fuzzer does; the result for a check.
E2EResult fnRunFuzzScript(const std::string &strWorkDir, const std::string &strScript)
{
    E2ERun run;
    run.strScript = strScript;
    run.strArgs = "-q";
    run.dwTimeoutMs = kdwScriptLimitMs;
    // Every window answered as a person who wants the run over would: leave,
    // skip or go on rather than retry.
    run.vecAnswers = {"any:Exit|SkipFile|Skip|Ignore|Yes|Cancel|OK|Close|No"};
    return fnE2ERun(strWorkDir, run);
}

// A run that ended by itself, with a documented code (robot 1: a window was
// closed without an answer, which is how the fuzzer answers them).
bool fnEndedWell(const E2EResult &res)
{
    return fnIsDocumentedExit(res.dwExitCode) && (res.iRobotExit == 0 || res.iRobotExit == 1);
}

}  // namespace

TEST(ScriptFuzzE2E, GeneratedScripts)
{
    char szDir[MAX_PATH];
    DWORD cch = GetEnvironmentVariableA("SETUP32_SCRIPT_FUZZ_DIR", szDir, MAX_PATH);
    if (cch == 0 || cch >= MAX_PATH)
        GTEST_SKIP() << "SETUP32_SCRIPT_FUZZ_DIR names no folder of scripts";
    std::string strDir = szDir;
    std::string strResults;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strDir + "\\*.INF").c_str(), &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind) << "no scripts in " << strDir;
    do {
        std::string strName = fd.cFileName;
        E2EResult res = fnRunFuzzScript(fnE2EWorkDir("ScriptFuzz"), fnE2EReadFile(strDir + "\\" + strName));
        strResults += strName + " " + std::to_string(res.dwExitCode) + " " + std::to_string(res.iRobotExit) + "\r\n";
        EXPECT_TRUE(fnEndedWell(res)) << strName << ": " << res;
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    fnE2EWriteFile(strDir + "\\results.txt", strResults);
}

// Scripts the fuzzer found that once ran until the time limit.
using ScriptFuzzFoundE2E = E2ECase;

// A missing source on a numbered disk asks for the disk; leaving asks to
// confirm. Answered by closing both, the question came back for ever; Exit
// and Yes end the run as a person's stop.
TEST_F(ScriptFuzzFoundE2E, MissingSourceOnANumberedDiskEndsWhenTheQuestionIsLeft)
{
    E2ERun run;
    run.strScript = "[MakeDisks]\r\n1, @G, -1\r\n[End]\r\n";
    run.strArgs = "-q";
    run.vecAnswers = {"Exit", "Yes"};
    E2EResult res = fnRunCase(run, 1602);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: Insert disk or specify location:")) << res;
}
