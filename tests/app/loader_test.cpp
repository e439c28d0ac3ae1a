// Loader mode: when a start hands the run to a temporary copy, and the
// "One moment please . . ." window shown meanwhile.
#include <gtest/gtest.h>

#include <string>

#include "app/loader.h"
#include "run/run_state.h"
#include "run/text.h"
#include "support/window_shot.h"

namespace {

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        g_bInternalInf = TRUE;
        fnCopyText(g_szHomeDir, COUNTOF(g_szHomeDir), "C:\\setup");
        fnCopyText(g_szIniFile, COUNTOF(g_szIniFile), "C:\\setup\\KARVELLO.INF");
    }
    void TearDown() override { fnClearRunState(); }
};

TEST_F(LoaderTest, OnlyAnInternalScriptNamedRnfOrStartedFromARemovableDriveNeedsTheLoader)
{
    EXPECT_EQ(0, fnNeedsLoader());  // a fixed drive, a plain name
    fnCopyText(g_szIniFile, COUNTOF(g_szIniFile), "C:\\setup\\SETUP.rnf");
    EXPECT_EQ(1, fnNeedsLoader());
    g_bTempExec = TRUE;  // the copy never hands on again
    EXPECT_EQ(0, fnNeedsLoader());
    g_bTempExec = FALSE;
    g_bInternalInf = FALSE;  // a script from a file may be read from the disk at any time
    EXPECT_EQ(0, fnNeedsLoader());
    g_bInternalInf = TRUE;
    fnCopyText(g_szIniFile, COUNTOF(g_szIniFile), "C:\\setup\\SETUP.RNF.INF");
    EXPECT_EQ(0, fnNeedsLoader());

    // The test prefix has R: as a floppy drive.
    ASSERT_EQ((UINT)DRIVE_REMOVABLE, GetDriveTypeA("R:\\"));
    fnCopyText(g_szHomeDir, COUNTOF(g_szHomeDir), "R:\\");
    EXPECT_EQ(1, fnNeedsLoader());
    fnCopyText(g_szHomeDir, COUNTOF(g_szHomeDir), "\\\\server\\share");
    EXPECT_EQ(0, fnNeedsLoader());
}

TEST_F(LoaderTest, NoticeWindowIsCentredAndSizedAsTheMainWindow)
{
    fnCopyText(g_szTitle, COUNTOF(g_szTitle), "Install and Setup");
    HWND hwnd = fnMakeLoaderWindow(GetModuleHandleA(NULL), SW_SHOWNORMAL);
    ASSERT_NE((HWND)NULL, hwnd);
    char szClass[32];
    GetClassNameA(hwnd, szClass, COUNTOF(szClass));
    EXPECT_STREQ("KRVLOLDR", szClass);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    RECT rc;
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(399, rc.right - rc.left);
    EXPECT_EQ(80, rc.bottom - rc.top);
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_NEAR(cxScreen / 2, (rc.left + rc.right) / 2, 2);
    fnSaveWindowShot(hwnd, "loader_one_moment");
    DestroyWindow(hwnd);
    // Its end posts the quit message for the loader's loop: not for this one.
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    UnregisterClassA("KRVLOLDR", GetModuleHandleA(NULL));
}

}  // namespace
