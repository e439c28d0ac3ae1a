// Window search by title and the window watch, against windows that a helper
// thread of the test makes and serves.
#include <gtest/gtest.h>

#include <string>

#include "process/window_wait.h"
#include "run/run_state.h"

namespace {

// A top-level window titled pszTitle (with a child titled pszChild when
// given), made by a thread of its own after dwDelayMs and kept until the
// object goes.
class CTitledWindow {
public:
    CTitledWindow(const char *pszTitle, const char *pszChild = "", DWORD dwDelayMs = 0)
        : m_strTitle(pszTitle), m_strChild(pszChild), m_dwDelayMs(dwDelayMs)
    {
        m_hReady = CreateEventA(NULL, TRUE, FALSE, NULL);
        m_hThread = CreateThread(NULL, 0, fnThread, this, 0, NULL);
        if (dwDelayMs == 0)
            WaitForSingleObject(m_hReady, 5000);
    }
    ~CTitledWindow()
    {
        WaitForSingleObject(m_hReady, 5000);
        PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0);
        WaitForSingleObject(m_hThread, 5000);
        CloseHandle(m_hThread);
        CloseHandle(m_hReady);
    }
    HWND Window() const { return m_hwnd; }

private:
    static DWORD WINAPI fnThread(LPVOID pParam)
    {
        CTitledWindow *pThis = (CTitledWindow *)pParam;
        pThis->m_dwThreadId = GetCurrentThreadId();
        Sleep(pThis->m_dwDelayMs);
        pThis->m_hwnd = CreateWindowExA(0, "STATIC", pThis->m_strTitle.c_str(), WS_OVERLAPPED, 0, 0, 100, 50, NULL,
                                        NULL, GetModuleHandleA(NULL), NULL);
        if (!pThis->m_strChild.empty())
            CreateWindowExA(0, "STATIC", pThis->m_strChild.c_str(), WS_CHILD, 0, 0, 50, 20, pThis->m_hwnd, NULL,
                            GetModuleHandleA(NULL), NULL);
        SetEvent(pThis->m_hReady);
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0) > 0)
            DispatchMessageA(&msg);
        DestroyWindow(pThis->m_hwnd);
        return 0;
    }

    std::string m_strTitle, m_strChild;
    DWORD m_dwDelayMs;
    HANDLE m_hReady = NULL, m_hThread = NULL;
    volatile DWORD m_dwThreadId = 0;
    HWND m_hwnd = NULL;
};

TEST(FindWindow, TitleMatching)
{
    fnClearRunState();
    CTitledWindow win("Setup32 Probe Window Alpha", "Probe Child Beta");
    ASSERT_NE(nullptr, win.Window());
    struct Case {
        const char *pszTitle;
        unsigned uPrefixLen;
        BOOL bAllWin;
        bool bFinds;
    } aCases[] = {
        {"Setup32 Probe Window Alpha", 0, FALSE, true},
        {"Setup32 Probe Window", 0, FALSE, false},        // top-level search is whole-title only
        {"setup32 probe window alpha", 0, TRUE, true},    // any case
        {"Setup32 Probe Window", 20, TRUE, true},         // by its beginning
        {"Setup32 Probe Window Alphabet", 29, TRUE, false},  // longer than the title
        {"Setup32 Probe Window", 0, TRUE, false},         // whole title asked: a beginning is not enough
        {"probe child beta", 0, TRUE, true},              // a child window
        {"", 0, TRUE, false},
    };
    for (const Case &c : aCases) {
        SCOPED_TRACE(std::string(c.pszTitle) + " len " + std::to_string(c.uPrefixLen));
        HWND hwnd = fnFindWindow(c.pszTitle, c.uPrefixLen, c.bAllWin);
        EXPECT_EQ(c.bFinds, hwnd != NULL);
    }
}

TEST(FindWindow, ProcessLivenessByPid)
{
    EXPECT_TRUE(fnFindPID(GetCurrentProcessId()));
    EXPECT_FALSE(fnFindPID(0xFFFFFFF0));
}

TEST(WaitForWindow, WaitsUntilALateWindowAppears)
{
    fnClearRunState();
    CTitledWindow win("Setup32 Late Window", "", 600);
    DWORD dwStart = GetTickCount();
    EXPECT_EQ(0, fnWaitForWindow("Setup32 Late Window", TRUE, FALSE, TRUE, FALSE, TRUE));
    EXPECT_GE(GetTickCount() - dwStart, 500u);
    EXPECT_NE(nullptr, fnFindWindow("Setup32 Late Window", 0, FALSE));
}

TEST(WaitForWindow, EndsAtOnceWhenThereIsNothingToWatch)
{
    fnClearRunState();
    DWORD dwStart = GetTickCount();
    // While-mode without keep-trying, an empty title, or no mode at all.
    EXPECT_EQ(0, fnWaitForWindow("Setup32 Window Never Made", FALSE, TRUE, TRUE, FALSE, FALSE));
    EXPECT_EQ(0, fnWaitForWindow("", TRUE, FALSE, TRUE, FALSE, TRUE));
    EXPECT_EQ(0, fnWaitForWindow("Setup32 Window Never Made", FALSE, FALSE, TRUE, FALSE, TRUE));
    EXPECT_LT(GetTickCount() - dwStart, 1000u);
}

TEST(WaitForWindow, WhileModeWaitsForAWindowThatIsThere)
{
    fnClearRunState();
    WindowWatchStruct watch;
    CTitledWindow win("Setup32 Staying Window");
    fnInitWindowWatch(&watch, "Setup32 Staying", FALSE, TRUE, TRUE, TRUE, FALSE);
    EXPECT_EQ(0, fnWatchWindowPass(&watch));
    EXPECT_EQ(win.Window(), watch.hwnd);
    EXPECT_EQ(GetCurrentProcessId(), watch.dwPid);
    EXPECT_EQ(0, fnWatchWindowPass(&watch));  // still there
}

}  // namespace
