// Self-tests of the end-to-end harness and the dialog robot. They use only
// what SETUP32 does before any script runs: the "-?" help message box and
// the error for a script file that cannot be found (its exact wording is left
// to the start-up's own tests).
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

bool fnStartsWith(const std::string &s, const std::string &strPrefix) {
    return s.compare(0, strPrefix.size(), strPrefix) == 0;
}

bool fnContains(const std::string &s, const std::string &strPart) { return s.find(strPart) != std::string::npos; }

}  // namespace

TEST(Harness, HelpShowsMessageBoxAndExitsZero) {
    std::string strDir = fnE2EWorkDir("Harness_Help");
    E2ERun run;
    run.strArgs = "-?";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.dwExitCode, 0u) << res;
    EXPECT_EQ(res.iRobotExit, 0) << res;
    EXPECT_TRUE(fnStartsWith(res.strTranscript,
                             "window: Install and Setup\ntext: SETUP32\\n\\nCommand line:\\n\\nSETUP32 [-?acdeimnqstuv]"))
        << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "\nbuttons: OK\npressed: OK\n")) << res;
}

TEST(Harness, MissingScriptFileExits1619) {
    std::string strDir = fnE2EWorkDir("Harness_MissingScript");
    E2ERun run;
    run.strArgs = "-i=Z:\\nonexistent\\x.inf";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.dwExitCode, 1619u) << res;
    EXPECT_EQ(res.iRobotExit, 0) << res;
    EXPECT_TRUE(fnStartsWith(res.strTranscript, "window: ")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "\nbuttons: OK\npressed: OK\n")) << res;
}

TEST(Harness, RobotReportsWindowWithoutAnswer) {
    std::string strDir = fnE2EWorkDir("Harness_NoAnswer");
    E2ERun run;
    run.strArgs = "-?";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.iRobotExit, 1) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "\nbuttons: OK\nUNEXPECTED: no answer left\n")) << res;
    EXPECT_EQ(res.dwExitCode, 0u) << res;  // the robot closed the box with IDCANCEL: help still exits 0
}

TEST(Harness, RobotReportsWrongAndUnusedAnswers) {
    std::string strDir = fnE2EWorkDir("Harness_WrongAnswer");
    E2ERun run;
    run.strArgs = "-?";
    run.vecAnswers = {"Go", "Stop"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.iRobotExit, 1) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "UNEXPECTED: answer \"Go\" is not among the buttons\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "UNUSED ANSWERS: Go|Stop\n")) << res;
}

TEST(Harness, RobotTimeOutEndsTheProgram) {
    std::string strDir = fnE2EWorkDir("Harness_TimeOut");
    E2ERun run;
    run.strArgs = "-?";
    run.vecAnswers = {"wait:60000", "OK"};
    run.dwTimeoutMs = 3000;
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(res.iRobotExit, 2) << res;
    EXPECT_EQ(res.dwExitCode, (DWORD)ERROR_TIMEOUT) << res;
    // On a loaded machine the time-out may come before the box was taken up.
    EXPECT_TRUE(fnContains(res.strTranscript, "TIMEOUT\n")) << res;
}
