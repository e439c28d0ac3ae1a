// The floating message window of [FloatInfo]: its section lines, its two
// layouts and its modal and modeless forms.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "run/float_window.h"
#include "commands/floatinfo.h"
#include "run/message.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/window.h"
#include "support/modal_probe.h"
#include "resource.h"

namespace {

BOOL CALLBACK fnFindFloat(HWND hwnd, LPARAM lParam)
{
    char szClass[16];
    if (GetClassNameA(hwnd, szClass, sizeof(szClass)) && std::string(szClass) == "#32770" &&
        GetDlgItem(hwnd, IDC_FLOAT_TEXT) && GetDlgItem(hwnd, IDC_FLOAT_BUTTON)) {
        *(HWND *)lParam = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The modeless floating window of this thread, or NULL.
HWND fnFloatWindow()
{
    HWND hwnd = NULL;
    EnumThreadWindows(GetCurrentThreadId(), fnFindFloat, (LPARAM)&hwnd);
    return hwnd;
}

void fnCloseFloats()
{
    for (HWND hwnd = fnFloatWindow(); hwnd; hwnd = fnFloatWindow())
        DestroyWindow(hwnd);
}

RECT fnRectOf(HWND hDlg, int iId)
{
    RECT rc;
    GetWindowRect(GetDlgItem(hDlg, iId), &rc);
    return rc;
}

std::string fnTextOf(HWND hwnd)
{
    char sz[kcchMsgMessage];
    GetWindowTextA(hwnd, sz, COUNTOF(sz));
    return sz;
}

int fnRead(const char *pszSection)
{
    std::string str = pszSection;
    std::vector<char> vec(str.begin(), str.end());
    vec.push_back('\0');
    return fnReadFloatWindow(NULL, vec.data());
}

class FloatWindowTest : public ::testing::Test {
protected:
    void SetUp() override { fnCloseFloats(); }
    void TearDown() override { fnCloseFloats(); }
};

TEST_F(FloatWindowTest, WithoutButtonTextTheTextBoxTakesTheButtonsPlace)
{
    MessageStruct msg;
    fnInitMessage(&msg, kPlaceBottomCenter);
    fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), "No button");
    ASSERT_EQ(1, fnShowFloatWindow(NULL, &msg, FALSE));
    HWND hwnd = fnFloatWindow();
    ASSERT_NE((HWND)NULL, hwnd);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(hwnd, IDC_FLOAT_BUTTON)));
    EXPECT_EQ(fnRectOf(hwnd, IDC_FLOAT_BUTTON).right, fnRectOf(hwnd, IDC_FLOAT_TEXT).right);
}

TEST_F(FloatWindowTest, LongButtonTextWidensTheButtonBesideTheText)
{
    MessageStruct msg;
    fnInitMessage(&msg, kPlaceBottomCenter);
    fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), "With a button");
    fnCopyText(msg.szButtonText, COUNTOF(msg.szButtonText), "Continue the setup");
    ASSERT_EQ(1, fnShowFloatWindow(NULL, &msg, FALSE));
    HWND hwnd = fnFloatWindow();
    ASSERT_NE((HWND)NULL, hwnd);
    HWND hwndButton = GetDlgItem(hwnd, IDC_FLOAT_BUTTON);
    EXPECT_TRUE(IsWindowVisible(hwndButton));
    EXPECT_EQ("Continue the setup", fnTextOf(hwndButton));
    RECT rcButton = fnRectOf(hwnd, IDC_FLOAT_BUTTON);
    HDC hdc = GetDC(hwndButton);
    HGDIOBJ hOld = SelectObject(hdc, (HFONT)SendMessageA(hwndButton, WM_GETFONT, 0, 0));
    SIZE size;
    GetTextExtentPoint32A(hdc, "Continue the setup", 18, &size);
    SelectObject(hdc, hOld);
    ReleaseDC(hwndButton, hdc);
    EXPECT_LT(size.cx, rcButton.right - rcButton.left);
    EXPECT_LT(fnRectOf(hwnd, IDC_FLOAT_TEXT).right, rcButton.left);
}

TEST_F(FloatWindowTest, SectionShowsAModelessWindowAtTheBottomCentre)
{
    EXPECT_EQ(1, fnRead("[FloatInfo]\r\nMessage=Copying\r\nButtonText=A button text that is far too long\r\n"));
    HWND hwnd = fnFloatWindow();
    ASSERT_NE((HWND)NULL, hwnd);
    EXPECT_EQ(std::string(g_szTitle), fnTextOf(hwnd));
    EXPECT_EQ("Copying", fnTextOf(GetDlgItem(hwnd, IDC_FLOAT_TEXT)));
    EXPECT_EQ("A button text that", fnTextOf(GetDlgItem(hwnd, IDC_FLOAT_BUTTON)));  // 18 characters kept
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rcArea, rc;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rcArea.bottom, rc.bottom);
    EXPECT_LE(abs((rc.left - rcArea.left) - (rcArea.right - rc.right)), 1);
}

TEST_F(FloatWindowTest, SectionLinesThatFailOrPassOver)
{
    struct SectionCase {
        const char *pszSection;
        int iResult;
        bool bWindow;
    };
    const SectionCase aCases[] = {
        {"[FloatInfo]\r\n", 1, false},                                           // nothing to do
        {"[FloatInfo]\r\nCaption=Only a caption\r\n", 0, false},                   // no message
        {"[FloatInfo]\r\nMessage=Hi\r\nNoKeyHere\r\n", 0, false},                  // a line without a key
        {"[FloatInfo]\r\nMessage=Hi\r\nSkipIfTrue:a=a\r\n", 1, false},             // skip-the-rest skips the window
        {"[FloatInfo]\r\nMessage=Hi\r\nSkipIfTrue:a=b\r\nColour=red\r\n", 1, true},  // guard passes, unknown key
        {"[FloatInfo]\r\nMessage=Hi\r\n\"a\"=\"b\",Message=\r\n", 1, true},        // false condition passes over
    };
    for (const SectionCase &c : aCases) {
        SCOPED_TRACE(c.pszSection);
        EXPECT_EQ(c.iResult, fnRead(c.pszSection));
        EXPECT_EQ(c.bWindow, fnFloatWindow() != NULL);
        fnCloseFloats();
    }
}

TEST_F(FloatWindowTest, WaitMakesItModalUntilItsButton)
{
    std::string strButton;
    CModalProbe probe([&](HWND hDlg) {
        strButton = fnTextOf(GetDlgItem(hDlg, IDC_FLOAT_BUTTON));
        fnProbeClick(hDlg, IDC_FLOAT_BUTTON);
    });
    EXPECT_EQ(1, fnRead("[FloatInfo]\r\nMessage=Wait for me\r\nWait=yes\r\nButtonText=Done\r\nWinPosition=TopLeft\r\n"));
    EXPECT_TRUE(probe.Seen());
    EXPECT_EQ("Done", strButton);
    EXPECT_EQ((HWND)NULL, fnFloatWindow());
}

}  // namespace
