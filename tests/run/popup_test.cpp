// Pop-up message windows and their table, and the message box whose buttons
// carry the script's texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/message.h"
#include "run/popup.h"
#include "run/run_state.h"
#include "run/text.h"
#include "support/modal_probe.h"
#include "support/window_shot.h"
#include "resource.h"

namespace {

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override { fnForgetAll(); }
    void TearDown() override { fnForgetAll(); }
    // Closes every pop-up of this thread, remembered or not, and empties the table.
    static void fnForgetAll()
    {
        EnumThreadWindows(GetCurrentThreadId(), fnDestroyPopup, 0);
        for (unsigned u = 0; u < kuPopups; u++)
            g_ahwndPopups[u] = NULL;
        g_uPopups = 0;
    }
    static BOOL CALLBACK fnDestroyPopup(HWND hwnd, LPARAM)
    {
        if (GetDlgItem(hwnd, IDC_POPUP_TEXT))
            DestroyWindow(hwnd);
        return TRUE;
    }
    static MessageStruct fnMessage(const char *pszText, unsigned uWait = 0)
    {
        MessageStruct msg;
        fnInitMessage(&msg, 5);
        fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), pszText);
        msg.uWait = uWait;
        return msg;
    }
};

std::string fnTextOf(HWND hwnd)
{
    char sz[kcchMsgMessage];
    GetWindowTextA(hwnd, sz, COUNTOF(sz));
    return sz;
}

TEST_F(PopupTest, EveryTemplateShowsItsWholeText)
{
    struct TemplateCase {
        UINT uId;
        const char *pszTitle;
    };
    const TemplateCase aCases[] = {
        {IDD_POPUP_MESSAGE, "From the record"},
        {IDD_POPUP_STATIC_SMALL, "Attention please ..."}, {IDD_POPUP_STATIC_MEDIUM, "Attention please ..."},
        {IDD_POPUP_STATIC_LARGE, "Attention please ..."}, {IDD_POPUP_STATIC_XLARGE, "Attention please ..."},
        {IDD_POPUP_PLAIN, ""}, {IDD_POPUP_SMALL, ""}, {IDD_POPUP_MEDIUM, ""}, {IDD_POPUP_LARGE, ""},
        {IDD_POPUP_XLARGE, ""},
    };
    std::string strText;
    for (int i = 0; i < 12; i++)
        strText += "Setup is copying the files of the product, this can take a while. ";
    for (const TemplateCase &c : aCases) {
        SCOPED_TRACE(c.uId);
        MessageStruct msg = fnMessage(strText.c_str());
        if (c.uId == IDD_POPUP_MESSAGE)
            fnCopyText(msg.szCaption, COUNTOF(msg.szCaption), c.pszTitle);
        ASSERT_EQ(1, fnShowPopup(NULL, c.uId, &msg));
        HWND hwnd = fnPopupWindow(g_uPopups);
        ASSERT_NE((HWND)NULL, hwnd);
        EXPECT_EQ(c.pszTitle, fnTextOf(hwnd));
        HWND hwndText = GetDlgItem(hwnd, IDC_POPUP_TEXT);
        EXPECT_EQ(strText, fnTextOf(hwndText));
        RECT rc;
        fnMessageTextArea(hwndText, &rc);
        int cyHave = rc.bottom;
        HDC hdc = GetDC(hwndText);
        HGDIOBJ hOld = SelectObject(hdc, (HFONT)SendMessageA(hwndText, WM_GETFONT, 0, 0));
        DrawTextA(hdc, strText.c_str(), -1, &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(hdc, hOld);
        ReleaseDC(hwndText, hdc);
        EXPECT_GE(cyHave, rc.bottom);
        fnSaveWindowShot(hwnd, "dialog" + std::to_string(c.uId) + "_popup");
        ShowWindow(hwnd, SW_HIDE);  // the next one is pictured alone
    }
    EXPECT_EQ(10u, g_uPopups);
}

TEST_F(PopupTest, TableRemembersTenAndClosesByNumber)
{
    MessageStruct msg = fnMessage("one of many");
    for (int i = 0; i < 11; i++)
        ASSERT_EQ(1, fnShowPopup(NULL, IDD_POPUP_PLAIN, &msg));
    EXPECT_EQ(10u, g_uPopups);
    HWND hwndFirst = fnPopupWindow(1);
    ASSERT_NE((HWND)NULL, hwndFirst);
    EXPECT_EQ((HWND)NULL, fnPopupWindow(11));
    EXPECT_EQ(1, fnClosePopup(1));
    EXPECT_FALSE(IsWindow(hwndFirst));
    EXPECT_EQ(0, fnClosePopup(1));  // already closed
    EXPECT_EQ(0, fnClosePopup(0));
    EXPECT_EQ(0, fnClosePopup(11));
}

TEST_F(PopupTest, ClosingNumberBeyondTheOpenOnesDoesNothing)
{
    MessageStruct msg = fnMessage("two open");
    fnShowPopup(NULL, IDD_POPUP_MESSAGE, &msg);
    fnShowPopup(NULL, IDD_POPUP_MESSAGE, &msg);
    EXPECT_EQ(0, fnClosePopup(5));
    EXPECT_NE((HWND)NULL, fnPopupWindow(1));
    EXPECT_NE((HWND)NULL, fnPopupWindow(2));
}

TEST_F(PopupTest, PopupClosedByTheUserLeavesTheTable)
{
    MessageStruct msg = fnMessage("close me");
    fnShowPopup(NULL, IDD_POPUP_MESSAGE, &msg);
    HWND hwnd = fnPopupWindow(1);
    ASSERT_NE((HWND)NULL, hwnd);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    MSG msgQueued;
    while (PeekMessageA(&msgQueued, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msgQueued);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ((HWND)NULL, fnPopupWindow(1));
    EXPECT_EQ(0, fnClosePopup(1));
}

TEST_F(PopupTest, PlacementAndTopMostFollowTheRecord)
{
    MessageStruct msg = fnMessage("corner");
    msg.uPosition = 9;
    msg.bTopMost = TRUE;
    fnShowPopup(NULL, IDD_POPUP_SMALL, &msg);
    msg.uPosition = 1;
    msg.bTopMost = FALSE;
    fnShowPopup(NULL, IDD_POPUP_SMALL, &msg);
    RECT rcArea, rcFirst, rcSecond;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    GetWindowRect(fnPopupWindow(1), &rcFirst);
    GetWindowRect(fnPopupWindow(2), &rcSecond);
    EXPECT_EQ(rcArea.right, rcFirst.right);
    EXPECT_EQ(rcArea.bottom, rcFirst.bottom);
    EXPECT_EQ(rcArea.left, rcSecond.left);
    EXPECT_EQ(rcArea.top, rcSecond.top);
    EXPECT_TRUE(GetWindowLongA(fnPopupWindow(1), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(fnPopupWindow(2), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(PopupTest, WaitingPopupIsModalClosesItselfAndIsNotRemembered)
{
    MessageStruct msg = fnMessage("one second", 1);
    EXPECT_EQ(1, fnShowPopup(NULL, IDD_POPUP_MESSAGE, &msg));
    EXPECT_EQ(0u, g_uPopups);
}

// Texts and widths of the OK and Cancel buttons of a message box.
struct BoxButtonsStruct {
    std::string strFirst, strSecond;
    bool bFirstFits = false, bSecondFits = false, bSecondShown = false;
};

bool fnButtonFits(HWND hwndButton)
{
    char sz[kcchShort];
    GetWindowTextA(hwndButton, sz, COUNTOF(sz));
    RECT rc;
    GetClientRect(hwndButton, &rc);
    HDC hdc = GetDC(hwndButton);
    HGDIOBJ hOld = SelectObject(hdc, (HFONT)SendMessageA(hwndButton, WM_GETFONT, 0, 0));
    SIZE size;
    GetTextExtentPoint32A(hdc, sz, (int)strlen(sz), &size);
    SelectObject(hdc, hOld);
    ReleaseDC(hwndButton, hdc);
    return size.cx < rc.right;
}

void fnLookAtBox(HWND hBox, BoxButtonsStruct *pSeen)
{
    HWND hwndOk = GetDlgItem(hBox, IDOK);
    HWND hwndCancel = GetDlgItem(hBox, IDCANCEL);
    pSeen->strFirst = fnTextOf(hwndOk);
    pSeen->bFirstFits = fnButtonFits(hwndOk);
    pSeen->bSecondShown = hwndCancel && IsWindowVisible(hwndCancel);
    if (pSeen->bSecondShown) {
        pSeen->strSecond = fnTextOf(hwndCancel);
        pSeen->bSecondFits = fnButtonFits(hwndCancel);
    }
}

TEST(ButtonCaptionBox, TwoButtonsCarryTheTextsAndFitThem)
{
    BoxButtonsStruct seen;
    CModalProbe probe([&](HWND hBox) {
        fnLookAtBox(hBox, &seen);
        PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    int iRC = fnButtonCaptionBox(NULL, "Install the optional components as well?", "Extras", MB_OKCANCEL,
                                 "Install all of the optional components", "Skip");
    ASSERT_TRUE(probe.Seen());
    EXPECT_EQ(IDCANCEL, iRC);
    EXPECT_EQ("Install all of the optional components", seen.strFirst);
    EXPECT_EQ("Skip", seen.strSecond);
    EXPECT_TRUE(seen.bFirstFits);
    EXPECT_TRUE(seen.bSecondFits);
}

TEST(ButtonCaptionBox, OneButtonFormAndDefaultTexts)
{
    BoxButtonsStruct seen;
    CModalProbe probe([&](HWND hBox) {
        fnLookAtBox(hBox, &seen);
        PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(IDOK, fnButtonCaptionBox(NULL, "Done", "", MB_OK, "Close", NULL));
    EXPECT_EQ("Close", seen.strFirst);
    EXPECT_FALSE(seen.bSecondShown);

    BoxButtonsStruct seenDefaults;
    CModalProbe probeDefaults([&](HWND hBox) {
        fnLookAtBox(hBox, &seenDefaults);
        PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(IDOK, fnButtonCaptionBox(NULL, "Go on?", NULL, MB_OKCANCEL, "", ""));
    EXPECT_EQ("OK", seenDefaults.strFirst);
    EXPECT_EQ("Cancel", seenDefaults.strSecond);
}

}  // namespace
