// Window placement, placement keywords, the progress meter and the status
// window, with real windows on the test display.
#include <gtest/gtest.h>

#include "run/controls.h"
#include "run/run_state.h"
#include "run/window.h"

namespace {

struct PlaceCase {
    unsigned uCode;
    int x, y;
};

TEST(WindowPlacement, NineCodesOverAWorkArea)
{
    RECT rcArea = {100, 50, 1100, 850};  // 1000 by 800
    const PlaceCase aCases[] = {
        {1, 100, 50},  {2, 900, 50},  {3, 500, 50},  {4, 100, 350}, {5, 500, 350},
        {6, 900, 350}, {7, 100, 650}, {8, 500, 650}, {9, 900, 650}, {0, 100, 50},
    };
    for (const PlaceCase &c : aCases) {
        SCOPED_TRACE(c.uCode);
        int x, y;
        fnPlacePos(&rcArea, 200, 200, c.uCode, &x, &y);
        EXPECT_EQ(c.x, x);
        EXPECT_EQ(c.y, y);
    }
}

TEST(WindowPlacement, WindowLargerThanTheAreaStaysAtItsStart)
{
    RECT rcArea = {0, 0, 300, 200};
    int x, y;
    fnPlacePos(&rcArea, 500, 400, 9, &x, &y);
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);
    fnPlacePos(&rcArea, 500, 400, 5, &x, &y);
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);
}

TEST(WindowPlacement, KeywordsInAnyCase)
{
    EXPECT_EQ(1, fnPlacementCode("TopLeft"));
    EXPECT_EQ(5, fnPlacementCode("center"));
    EXPECT_EQ(8, fnPlacementCode("BOTTOMCENTER"));
    EXPECT_EQ(9, fnPlacementCode("BottomRight"));
    EXPECT_EQ(0, fnPlacementCode("Middle"));
}

class WindowClassTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        fnClearRunState();
        g_hInstance = GetModuleHandleA(NULL);
        static int bRegistered = fnRegisterStatusClasses(g_hInstance);
        ASSERT_EQ(1, bRegistered);
    }
};

TEST_F(WindowClassTest, ProgressMeterKeepsRangeAndPosition)
{
    HWND hwnd = CreateWindowExA(0, "ProgressMeterKRVLO", "", WS_POPUP, 0, 0, 200, 20, NULL, NULL, g_hInstance, NULL);
    ASSERT_NE((HWND)NULL, hwnd);
    EXPECT_EQ(10000, SendMessageA(hwnd, PM_GETRANGE, 0, 0));
    EXPECT_EQ(5000, SendMessageA(hwnd, PM_GETPOS, 0, 0));
    SendMessageA(hwnd, PM_SETRANGE, 400, 0);
    SendMessageA(hwnd, PM_SETPOS, 100, 0);
    EXPECT_EQ(400, SendMessageA(hwnd, PM_GETRANGE, 0, 0));
    EXPECT_EQ(100, SendMessageA(hwnd, PM_GETPOS, 0, 0));
    HFONT hfont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(hwnd, WM_SETFONT, (WPARAM)hfont, TRUE);
    EXPECT_EQ((LRESULT)hfont, SendMessageA(hwnd, WM_GETFONT, 0, 0));
    EXPECT_EQ(DLGC_STATIC, SendMessageA(hwnd, WM_GETDLGCODE, 0, 0));
    DestroyWindow(hwnd);
}

// Counts the meter's paints through a subclass.
int g_cMeterPaints;
WNDPROC g_pfnMeterProc;
LRESULT CALLBACK fnCountPaints(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PAINT)
        g_cMeterPaints++;
    return CallWindowProcA(g_pfnMeterProc, hwnd, uMsg, wParam, lParam);
}

TEST_F(WindowClassTest, ProgressMeterRedrawsOnlyWhenItsLookChanges)
{
    HWND hwnd = CreateWindowExA(0, "ProgressMeterKRVLO", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 20, NULL, NULL,
                                g_hInstance, NULL);
    ASSERT_NE((HWND)NULL, hwnd);
    g_pfnMeterProc = (WNDPROC)SetWindowLongPtrA(hwnd, GWLP_WNDPROC, (LONG_PTR)fnCountPaints);
    UpdateWindow(hwnd);
    g_cMeterPaints = 0;
    SendMessageA(hwnd, PM_SETPOS, 5001, 0);  // still 50% and 100 pixels of 200
    EXPECT_EQ(0, g_cMeterPaints);
    EXPECT_EQ(5001, SendMessageA(hwnd, PM_GETPOS, 0, 0));
    SendMessageA(hwnd, PM_SETPOS, 5100, 0);  // 51%
    EXPECT_EQ(1, g_cMeterPaints);
    SendMessageA(hwnd, PM_SETPOS, 20000, 0);  // past the end: drawn full once
    SendMessageA(hwnd, PM_SETPOS, 30000, 0);
    EXPECT_EQ(2, g_cMeterPaints);
    DestroyWindow(hwnd);
}

TEST_F(WindowClassTest, MeterPercent)
{
    EXPECT_EQ(0, fnMeterPercent(0, 0));  // a range of 0 paints 0%
    EXPECT_EQ(0, fnMeterPercent(5, 0));
    EXPECT_EQ(50, fnMeterPercent(5000, 10000));
    EXPECT_EQ(100, fnMeterPercent(400, 400));
}

TEST_F(WindowClassTest, StatusWindowShowsItsFormattedText)
{
    HWND hwnd = fnStatusWindow(NULL, 1154, 1, 7, 0, "Processing registry");
    ASSERT_NE((HWND)NULL, hwnd);
    char szText[512];
    GetWindowTextA(hwnd, szText, sizeof(szText));
    EXPECT_STREQ("\nProcessing registry ...\nPlease wait ...", szText);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(393, rc.right - rc.left);
    EXPECT_EQ(40, rc.bottom - rc.top);
    DestroyWindow(hwnd);
    EXPECT_EQ((HWND)NULL, fnStatusWindow(NULL, 1154, 2, 5, 50, "Timed"));  // a timed window is gone afterwards
}

TEST_F(WindowClassTest, LoadTextCutsToTheBuffer)
{
    char szShort[8];
    EXPECT_EQ(1, fnLoadText(1013, szShort, sizeof(szShort)));
    EXPECT_STREQ("Install", szShort);
    char szNone[16] = "junk";
    EXPECT_EQ(0, fnLoadText(9999, szNone, sizeof(szNone)));
    EXPECT_STREQ("", szNone);
    // Read from the table without user32, yet the same text LoadStringA gives:
    // first and last of a block, a long text, and one cut to a buffer.
    for (UINT uId : {1013u, 1016u, 1027u, 1104u, 1119u}) {
        for (int cch : {512, 5}) {
            char szOurs[512] = "", szUser32[512] = "";
            int bOurs = fnLoadText(uId, szOurs, cch);
            LoadStringA(GetModuleHandleA(NULL), uId, szUser32, cch);
            EXPECT_EQ(szUser32[0] != '\0', bOurs) << uId;
            EXPECT_STREQ(szUser32, szOurs) << uId << " in " << cch;
        }
    }
}

}  // namespace
