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

using ExitE2E = E2ECase;

TEST_F(ExitE2E, FailedWalkShowsTheErrorMessageTwiceAndExits1603)
{
    // A [FloatInfo] without a message fails the walk.
    std::string strScript = "[Config]\r\nErrorMessage=Nothing was installed.\r\n[FloatInfo]\r\nCaption=x\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK", "OK"}, 1603);
    EXPECT_EQ(2u, fnCount(res.strTranscript, "text: Nothing was installed.\n")) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, "not been successfully installed")) << res;
}

TEST_F(ExitE2E, ExitMessageReplacesTheClosingText)
{
    E2EResult res = fnRunCase("[Config]\r\nExitMessage=All done.\r\n[End]\r\n", "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: All done.\nbuttons: OK\n")) << res;
}

TEST_F(ExitE2E, FileInUseWithoutRestartMessageAsksNothingAndExits3010)
{
    CreateDirectoryA((m_strDir + "\\src").c_str(), NULL);
    CreateDirectoryA((m_strDir + "\\dst").c_str(), NULL);
    fnE2EWriteFile(m_strDir + "\\src\\BUSY.DLL", "replacement");
    fnE2EWriteFile(m_strDir + "\\dst\\BUSY.DLL", "running");
    HANDLE hHold = CreateFileA((m_strDir + "\\dst\\BUSY.DLL").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    CEndSessionWatcher watcher;
    std::string strScript = "[Config]\r\nShowMustRestartMessage=N\r\n[CopyFiles]\r\nBeQuiet=Y\r\n0, " + m_strDir +
                            "\\src\\BUSY.DLL, " + m_strDir + "\\dst\\BUSY.DLL, NR,N,N\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {}, 3010);
    CloseHandle(hHold);
    EXPECT_FALSE(fnContains(res.strTranscript, "window: ")) << res;
    EXPECT_EQ(0, watcher.Queries());
}

TEST_F(ExitE2E, RestartDeclinedExits3010WithoutAskingWindows)
{
    CEndSessionWatcher watcher;
    E2EResult res = fnRunCase("[Config]\r\nOnExit=RestartWin\r\n[End]\r\n", "", {"OK", "No"}, 3010);
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

TEST_F(ExitE2E, AcceptedRestartOrShutDownAsksWindowsAndExits1641)
{
    static const AcceptedCase s_aCases[] = {
        {"Reboot", "Windows must be restarted to complete installation."},
        {"RestartWin", "Windows must restart to complete installation."},
        {"RestartWithMsg,Restart now for the new drivers?", "Restart now for the new drivers?"},
        {"ExitWin", "Windows must be exited to complete installation."},
    };
    for (const AcceptedCase &c : s_aCases) {
        SCOPED_TRACE(c.pszAction);
        CEndSessionWatcher watcher;
        E2EResult res =
            fnRunCase(std::string("[Config]\r\nOnExit=") + c.pszAction + "\r\n[End]\r\n", "", {"OK", "Yes"}, 1641);
        EXPECT_TRUE(fnContains(res.strTranscript, std::string("text: ") + c.pszQuestion)) << c.pszAction << res;
        EXPECT_GE(watcher.WaitForQuery(5000), 1) << c.pszAction;
    }
}

TEST_F(ExitE2E, MustRestartAtExitAsksWindowsWithoutAQuestion)
{
    CEndSessionWatcher watcher;
    E2EResult res = fnRunCase("[Config]\r\nMustRestartAtExit=Y\r\n[End]\r\n", "", {"OK"}, 1641);
    EXPECT_FALSE(fnContains(res.strTranscript, "Is it OK")) << res;
    EXPECT_GE(watcher.WaitForQuery(5000), 1);
}

TEST_F(ExitE2E, InputSectionRestartActionsRestartWithoutAQuestion)
{
    for (const char *pszAction : {"RestartNoAsk", "RestartAtOnce"}) {
        SCOPED_TRACE(pszAction);
        CEndSessionWatcher watcher;
        std::string strScript =
            std::string("[AskFor]\r\nName\r\n[Name]\r\nDefault=Guest\r\nOnExit=") + pszAction + "\r\n[End]\r\n";
        E2EResult res = fnRunCase(strScript, "-q", {}, 1641);
        EXPECT_FALSE(fnContains(res.strTranscript, "Is it OK")) << res;
        EXPECT_GE(watcher.WaitForQuery(5000), 1);
    }
}

TEST_F(ExitE2E, MustRestartAtExitRestartsBeforeTheActionsQuestion)
{
    CEndSessionWatcher watcher;
    std::string strScript =
        "[Config]\r\nMustRestartAtExit=Y\r\nOnExit=RestartWin\r\nDebug=3," + m_strDir + "\\trace.log\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK", "No"}, 1641);
    // The restart was asked for (and stands) though the question was declined.
    EXPECT_GE(watcher.WaitForQuery(5000), 1);
    EXPECT_TRUE(fnContains(res.strTranscript, std::string("text: ") + kszRestartAsk + "\nbuttons: Yes|No\npressed: No"))
        << res;
    std::string strTrace = fnE2EReadFile(m_strDir + "\\trace.log");
    size_t uRequest = strTrace.find("fnExitWindowsPrivileged-~\r\nuFlags=2,\nbOk=1");
    EXPECT_NE(std::string::npos, uRequest) << strTrace;
    // One request only: the declined question asked for no second one.
    EXPECT_EQ(std::string::npos, strTrace.find("fnExitWindowsPrivileged", uRequest + 1)) << strTrace;
}

TEST_F(ExitE2E, ExitProgramRunsAfterTheWalk)
{
    fnRunCase("[Config]\r\nOnExit=Exec,cmd.exe /c echo done> exitprog.txt\r\n[End]\r\n", "", {"OK"}, 0);
    std::string strOut;
    for (int i = 0; i < 100 && strOut.empty(); i++) {
        Sleep(100);
        strOut = fnE2EReadFile(m_strDir + "\\exitprog.txt");
    }
    EXPECT_EQ("done\r\n", strOut);
}

TEST_F(ExitE2E, MissingExitProgramIsReportedInsteadOfTheClosingText)
{
    E2EResult res = fnRunCase("[Config]\r\nOnExit=ExecTop,Z:\\no\\such\\program.exe\r\n[End]\r\n", "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: ERROR!  Cannot load Z:\\no\\such\\program.exe.\n")) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST_F(ExitE2E, SelfDestructRemovesTheProgramAfterTheRun)
{
    fnRunCase("[Config]\r\nSelfDestruct=Y\r\n[End]\r\n", "", {"OK"}, 0);
    std::string strExe = m_strDir + "\\SETUP32.EXE";
    for (int i = 0; i < 200 && GetFileAttributesA(strExe.c_str()) != INVALID_FILE_ATTRIBUTES; i++)
        Sleep(100);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strExe.c_str()));
    // The script stays, and the marker went with the program.
    EXPECT_NE("", fnE2EReadFile(m_strDir + "\\KARVELLO.INF"));
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((m_strDir + "\\_KR*").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind) << fd.cFileName;
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
}

TEST_F(ExitE2E, SelfDestructNoLeavesTheProgram)
{
    fnRunCase("[Config]\r\nSelfDestruct=N\r\n[End]\r\n", "-q", {}, 0);
    Sleep(1000);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_strDir + "\\SETUP32.EXE").c_str()));
}

}  // namespace
