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

}  // namespace

using Harness = E2ECase;

TEST_F(Harness, HelpShowsMessageBoxAndExitsZero) {
    E2EResult res = fnRunCase("", "-?", {"OK"}, 0);
    EXPECT_TRUE(fnStartsWith(res.strTranscript,
                             "window: Install and Setup\ntext: SETUP32\\n\\nCommand line:\\n\\nSETUP32 [-?acdeimnqstuv]"))
        << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "\nbuttons: OK\npressed: OK\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "The manual, docs\\README.md")) << res;
}

TEST_F(Harness, MissingScriptFileExits1619) {
    E2EResult res = fnRunCase("", "-i=Z:\\nonexistent\\x.inf", {"OK"}, 1619);
    EXPECT_TRUE(fnStartsWith(res.strTranscript, "window: ")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "\nbuttons: OK\npressed: OK\n")) << res;
}

TEST_F(Harness, RobotReportsWindowWithoutAnswer) {
    E2ERun run;
    run.strArgs = "-?";
    E2EResult res = fnE2ERun(m_strDir, run);
    EXPECT_EQ(res.iRobotExit, 1) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "\nbuttons: OK\nUNEXPECTED: no answer left\n")) << res;
    EXPECT_EQ(res.dwExitCode, 0u) << res;  // the robot closed the box with IDCANCEL: help still exits 0
}

TEST_F(Harness, RobotReportsWrongAndUnusedAnswers) {
    E2ERun run;
    run.strArgs = "-?";
    run.vecAnswers = {"Go", "Stop"};
    E2EResult res = fnE2ERun(m_strDir, run);
    EXPECT_EQ(res.iRobotExit, 1) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "UNEXPECTED: answer \"Go\" is not among the buttons\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "UNUSED ANSWERS: Go|Stop\n")) << res;
}

TEST_F(Harness, RobotTimeOutEndsTheProgram) {
    E2ERun run;
    run.strArgs = "-?";
    run.vecAnswers = {"wait:60000", "OK"};
    run.dwTimeoutMs = 3000;
    E2EResult res = fnE2ERun(m_strDir, run);
    EXPECT_EQ(res.iRobotExit, 2) << res;
    EXPECT_EQ(res.dwExitCode, (DWORD)ERROR_TIMEOUT) << res;
    // On a loaded machine the time-out may come before the box was taken up.
    EXPECT_TRUE(fnContains(res.strTranscript, "TIMEOUT\n")) << res;
}
