// The end of the run: closing and failure texts, exit programs, restart and
// shut-down questions, the exit codes that report them, and self-removal.
//
// A restart or shut-down that is accepted really asks Windows (here: the
// throw-away Wine prefix of this test entry) to end the session. A watcher
// window of this test process sees the request (WM_QUERYENDSESSION) and
// refuses it, so that the session, and the test run, go on.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

namespace {

const char kszClosing[] = "The software has been installed successfully.";
const char kszRestartAsk[] =
    "Windows must restart to complete installation.\\nPlease close all open applications now.\\n\\n"
    "Is it OK to restart Windows?";

bool fnContains(const std::string &s, const std::string &strPart)
{
    return s.find(strPart) != std::string::npos;
}

size_t fnCount(const std::string &s, const std::string &strPart)
{
    size_t uCount = 0;
    for (size_t u = s.find(strPart); u != std::string::npos; u = s.find(strPart, u + 1))
        uCount++;
    return uCount;
}

// A hidden top-level window on a thread of its own that counts the requests
// to end the session and refuses each of them.
class CEndSessionWatcher {
public:
    CEndSessionWatcher()
    {
        m_hReady = CreateEventA(NULL, TRUE, FALSE, NULL);
        m_hThread = CreateThread(NULL, 0, fnThread, this, 0, NULL);
        WaitForSingleObject(m_hReady, 10000);
    }
    ~CEndSessionWatcher()
    {
        if (m_hwnd)
            PostMessageA(m_hwnd, WM_CLOSE, 0, 0);
        WaitForSingleObject(m_hThread, 10000);
        CloseHandle(m_hThread);
        CloseHandle(m_hReady);
    }
    LONG Queries() const { return InterlockedCompareExchange(const_cast<LONG *>(&m_lQueries), 0, 0); }
    // Waits up to dwMs for a first request.
    LONG WaitForQuery(DWORD dwMs) const
    {
        for (DWORD dw = 0; dw < dwMs && Queries() == 0; dw += 50)
            Sleep(50);
        return Queries();
    }

private:
    static LRESULT CALLBACK fnWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
    {
        CEndSessionWatcher *pThis = (CEndSessionWatcher *)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        if (uMsg == WM_QUERYENDSESSION && pThis) {
            InterlockedIncrement(&pThis->m_lQueries);
            return FALSE;
        }
        if (uMsg == WM_ENDSESSION)
            return 0;
        if (uMsg == WM_CLOSE) {
            DestroyWindow(hwnd);
            return 0;
        }
        if (uMsg == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcA(hwnd, uMsg, wParam, lParam);
    }
    static DWORD WINAPI fnThread(LPVOID pParam)
    {
        CEndSessionWatcher *pThis = (CEndSessionWatcher *)pParam;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = fnWndProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "Setup32EndSessionWatcher";
        RegisterClassA(&wc);
        pThis->m_hwnd = CreateWindowExA(0, wc.lpszClassName, "watcher", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                        wc.hInstance, NULL);
        SetWindowLongPtrA(pThis->m_hwnd, GWLP_USERDATA, (LONG_PTR)pThis);
        SetEvent(pThis->m_hReady);
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0) > 0)
            DispatchMessageA(&msg);
        pThis->m_hwnd = NULL;
        return 0;
    }

    HANDLE m_hReady = NULL;
    HANDLE m_hThread = NULL;
    HWND m_hwnd = NULL;
    LONG m_lQueries = 0;
};

TEST(ExitE2E, FailedWalkShowsTheErrorMessageTwiceAndExits1603)
{
    std::string strDir = fnE2EWorkDir("Exit_ErrorMessage");
    E2ERun run;
    // A [FloatInfo] without a message fails the walk.
    run.strScript = "[Config]\r\nErrorMessage=Nothing was installed.\r\n[FloatInfo]\r\nCaption=x\r\n[End]\r\n";
    run.vecAnswers = {"OK", "OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(1603u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_EQ(2u, fnCount(res.strTranscript, "text: Nothing was installed.\n")) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, "not been successfully installed")) << res;
}

TEST(ExitE2E, ExitMessageReplacesTheClosingText)
{
    std::string strDir = fnE2EWorkDir("Exit_ExitMessage");
    E2ERun run;
    run.strScript = "[Config]\r\nExitMessage=All done.\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: All done.\nbuttons: OK\n")) << res;
}

TEST(ExitE2E, FileInUseWithoutRestartMessageAsksNothingAndExits3010)
{
    std::string strDir = fnE2EWorkDir("Exit_MustRestartSilent");
    CreateDirectoryA((strDir + "\\src").c_str(), NULL);
    CreateDirectoryA((strDir + "\\dst").c_str(), NULL);
    fnE2EWriteFile(strDir + "\\src\\BUSY.DLL", "replacement");
    fnE2EWriteFile(strDir + "\\dst\\BUSY.DLL", "running");
    HANDLE hHold = CreateFileA((strDir + "\\dst\\BUSY.DLL").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    CEndSessionWatcher watcher;
    E2ERun run;
    run.strScript = "[Config]\r\nShowMustRestartMessage=N\r\n[CopyFiles]\r\nBeQuiet=Y\r\n0, " + strDir +
                    "\\src\\BUSY.DLL, " + strDir + "\\dst\\BUSY.DLL, NR,N,N\r\n[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    CloseHandle(hHold);
    EXPECT_EQ(3010u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, "window: ")) << res;
    EXPECT_EQ(0, watcher.Queries());
}

TEST(ExitE2E, RestartDeclinedExits3010WithoutAskingWindows)
{
    std::string strDir = fnE2EWorkDir("Exit_RestartDeclined");
    CEndSessionWatcher watcher;
    E2ERun run;
    run.strScript = "[Config]\r\nOnExit=RestartWin\r\n[End]\r\n";
    run.vecAnswers = {"OK", "No"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(3010u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    // The closing message first, then the question.
    size_t uClosing = res.strTranscript.find(std::string("text: ") + kszClosing);
    size_t uAsk = res.strTranscript.find(std::string("text: ") + kszRestartAsk);
    EXPECT_NE(std::string::npos, uClosing) << res;
    EXPECT_NE(std::string::npos, uAsk) << res;
    EXPECT_LT(uClosing, uAsk) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "buttons: Yes|No\npressed: No\n")) << res;
    EXPECT_EQ(0, watcher.Queries());
}

struct AcceptedCase {
    const char *pszAction;
    const char *pszQuestion;  // its first words
};

TEST(ExitE2E, AcceptedRestartOrShutDownAsksWindowsAndExits1641)
{
    static const AcceptedCase s_aCases[] = {
        {"Reboot", "Windows must be restarted to complete installation."},
        {"RestartWin", "Windows must restart to complete installation."},
        {"RestartWithMsg,Restart now for the new drivers?", "Restart now for the new drivers?"},
        {"ExitWin", "Windows must be exited to complete installation."},
    };
    for (const AcceptedCase &c : s_aCases) {
        std::string strDir = fnE2EWorkDir("Exit_Accepted");
        CEndSessionWatcher watcher;
        E2ERun run;
        run.strScript = std::string("[Config]\r\nOnExit=") + c.pszAction + "\r\n[End]\r\n";
        run.vecAnswers = {"OK", "Yes"};
        E2EResult res = fnE2ERun(strDir, run);
        EXPECT_EQ(1641u, res.dwExitCode) << c.pszAction << res;
        EXPECT_EQ(0, res.iRobotExit) << c.pszAction << res;
        EXPECT_TRUE(fnContains(res.strTranscript, std::string("text: ") + c.pszQuestion)) << c.pszAction << res;
        EXPECT_GE(watcher.WaitForQuery(5000), 1) << c.pszAction;
    }
}

TEST(ExitE2E, MustRestartAtExitAsksWindowsWithoutAQuestion)
{
    std::string strDir = fnE2EWorkDir("Exit_MustRestartAtExit");
    CEndSessionWatcher watcher;
    E2ERun run;
    run.strScript = "[Config]\r\nMustRestartAtExit=Y\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(1641u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, "Is it OK")) << res;
    EXPECT_GE(watcher.WaitForQuery(5000), 1);
}

TEST(ExitE2E, MustRestartAtExitRestartsBeforeTheActionsQuestion)
{
    std::string strDir = fnE2EWorkDir("Exit_MustRestartThenAsk");
    CEndSessionWatcher watcher;
    E2ERun run;
    run.strScript = "[Config]\r\nMustRestartAtExit=Y\r\nOnExit=RestartWin\r\nDebug=3," + strDir + "\\trace.log\r\n[End]\r\n";
    run.vecAnswers = {"OK", "No"};
    E2EResult res = fnE2ERun(strDir, run);
    // The restart was asked for (and stands) though the question was declined.
    EXPECT_EQ(1641u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_GE(watcher.WaitForQuery(5000), 1);
    EXPECT_TRUE(fnContains(res.strTranscript, std::string("text: ") + kszRestartAsk + "\nbuttons: Yes|No\npressed: No"))
        << res;
    std::string strTrace = fnE2EReadFile(strDir + "\\trace.log");
    size_t uRequest = strTrace.find("fnExitWindowsPrivileged-~\r\nuFlags=2,\nbOk=1");
    EXPECT_NE(std::string::npos, uRequest) << strTrace;
    // One request only: the declined question asked for no second one.
    EXPECT_EQ(std::string::npos, strTrace.find("fnExitWindowsPrivileged", uRequest + 1)) << strTrace;
}

TEST(ExitE2E, ExitProgramRunsAfterTheWalk)
{
    std::string strDir = fnE2EWorkDir("Exit_Program");
    E2ERun run;
    run.strScript = "[Config]\r\nOnExit=Exec,cmd.exe /c echo done> exitprog.txt\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    std::string strOut;
    for (int i = 0; i < 100 && strOut.empty(); i++) {
        Sleep(100);
        strOut = fnE2EReadFile(strDir + "\\exitprog.txt");
    }
    EXPECT_EQ("done\r\n", strOut);
}

TEST(ExitE2E, MissingExitProgramIsReportedInsteadOfTheClosingText)
{
    std::string strDir = fnE2EWorkDir("Exit_ProgramMissing");
    E2ERun run;
    run.strScript = "[Config]\r\nOnExit=ExecTop,Z:\\no\\such\\program.exe\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: ERROR!  Cannot load Z:\\no\\such\\program.exe.\n")) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST(ExitE2E, SelfDestructRemovesTheProgramAfterTheRun)
{
    std::string strDir = fnE2EWorkDir("Exit_SelfDestruct");
    E2ERun run;
    run.strScript = "[Config]\r\nSelfDestruct=Y\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    std::string strExe = strDir + "\\SETUP32.EXE";
    for (int i = 0; i < 200 && GetFileAttributesA(strExe.c_str()) != INVALID_FILE_ATTRIBUTES; i++)
        Sleep(100);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strExe.c_str()));
    // The script stays, and the marker went with the program.
    EXPECT_NE("", fnE2EReadFile(strDir + "\\KARVELLO.INF"));
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strDir + "\\_KR*").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind) << fd.cFileName;
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
}

TEST(ExitE2E, SelfDestructNoLeavesTheProgram)
{
    std::string strDir = fnE2EWorkDir("Exit_SelfDestructNo");
    E2ERun run;
    run.strScript = "[Config]\r\nSelfDestruct=N\r\n[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    Sleep(1000);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((strDir + "\\SETUP32.EXE").c_str()));
}

}  // namespace
