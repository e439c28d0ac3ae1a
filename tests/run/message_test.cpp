// The message dialog: the buttons and focus of each button code, the answer
// each button gives, and a long text that must not be cut.
#include <gtest/gtest.h>

#include <string>

#include "run/message.h"
#include "run/run_state.h"
#include "run/text.h"
#include "support/modal_probe.h"
#include "resource.h"

namespace {

const int g_aiButtons[] = {IDC_MESSAGE_OK,    IDC_MESSAGE_YES,  IDC_MESSAGE_CANCEL,  IDC_MESSAGE_NO,
                           IDC_MESSAGE_RETRY, IDC_MESSAGE_EXIT, IDC_MESSAGE_CONTINUE};

struct LayoutCase {
    unsigned uCode;
    int iUpper;  // button in the upper place
    int iLower;  // button in the lower place, 0 none
    int iFocus;
};

// What one look at the dialog saw.
struct SeenStruct {
    int cVisible = 0;
    int iUpper = 0;
    int iLower = 0;
    int iFocus = 0;
    std::string strTitle;
};

int fnTopOf(HWND hDlg, int iId)
{
    RECT rc;
    GetWindowRect(GetDlgItem(hDlg, iId), &rc);
    return rc.top;
}

void fnLook(HWND hDlg, SeenStruct *pSeen)
{
    // OK never moves and No only ever stands in the lower place: their
    // positions are the two places.
    int yUpper = fnTopOf(hDlg, IDC_MESSAGE_OK);
    int yLower = fnTopOf(hDlg, IDC_MESSAGE_NO);
    for (int iId : g_aiButtons) {
        if (!IsWindowVisible(GetDlgItem(hDlg, iId)))
            continue;
        pSeen->cVisible++;
        int y = fnTopOf(hDlg, iId);
        if (y == yUpper)
            pSeen->iUpper = iId;
        else if (y == yLower)
            pSeen->iLower = iId;
    }
    pSeen->iFocus = GetDlgCtrlID(GetFocus());
    char szTitle[kcchShort];
    GetWindowTextA(hDlg, szTitle, COUNTOF(szTitle));
    pSeen->strTitle = szTitle;
}

TEST(MessageDialog, EachButtonCodeShowsItsButtonsAndFocus)
{
    const LayoutCase aCases[] = {
        {101, IDC_MESSAGE_OK, IDC_MESSAGE_CANCEL, IDC_MESSAGE_OK},
        {102, IDC_MESSAGE_YES, IDC_MESSAGE_NO, IDC_MESSAGE_YES},
        {103, IDC_MESSAGE_OK, IDC_MESSAGE_EXIT, IDC_MESSAGE_OK},
        {104, IDC_MESSAGE_OK, 0, IDC_MESSAGE_OK},
        {105, IDC_MESSAGE_CONTINUE, 0, IDC_MESSAGE_CONTINUE},
        {106, IDC_MESSAGE_EXIT, 0, IDC_MESSAGE_EXIT},
        {107, IDC_MESSAGE_EXIT, IDC_MESSAGE_CONTINUE, IDC_MESSAGE_EXIT},
        {108, IDC_MESSAGE_RETRY, IDC_MESSAGE_CONTINUE, IDC_MESSAGE_RETRY},
        {109, IDC_MESSAGE_RETRY, IDC_MESSAGE_CANCEL, IDC_MESSAGE_RETRY},
        {110, IDC_MESSAGE_RETRY, IDC_MESSAGE_EXIT, IDC_MESSAGE_RETRY},
        {111, IDC_MESSAGE_CANCEL, 0, IDC_MESSAGE_CANCEL},
        {112, IDC_MESSAGE_OK, IDC_MESSAGE_CANCEL, IDC_MESSAGE_OK},
        {113, IDC_MESSAGE_OK, IDC_MESSAGE_CANCEL, IDC_MESSAGE_OK},
        {0, IDC_MESSAGE_OK, IDC_MESSAGE_CANCEL, IDC_MESSAGE_OK},
    };
    for (const LayoutCase &c : aCases) {
        SCOPED_TRACE(c.uCode);
        MessageStruct msg;
        fnInitMessage(&msg, 0);
        msg.uButtons = c.uCode;
        fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), "Which one?");
        SeenStruct seen;
        // The button in the upper place ends the dialog: its id comes back.
        CModalProbe probe([&](HWND hDlg) {
            fnLook(hDlg, &seen);
            fnProbeClick(hDlg, seen.iUpper);
        });
        int iRC = fnShowMessageDialog(NULL, &msg);
        ASSERT_TRUE(probe.Seen());
        EXPECT_EQ(c.iLower ? 2 : 1, seen.cVisible);
        EXPECT_EQ(c.iUpper, seen.iUpper);
        EXPECT_EQ(c.iLower, seen.iLower);
        EXPECT_EQ(c.iFocus, seen.iFocus);
        EXPECT_EQ(c.iUpper, iRC);
    }
}

TEST(MessageDialog, EscapeGivesCancelAndAHiddenButtonGivesNothing)
{
    MessageStruct msg;
    fnInitMessage(&msg, 0);
    msg.uButtons = kButtonsYesNo;
    fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), "Yes or no?");
    // OK is hidden under Yes: a click from it is not an answer; Escape is.
    CModalProbe probe([](HWND hDlg) {
        fnProbeClick(hDlg, IDC_MESSAGE_OK);
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(IDC_MESSAGE_CANCEL, fnShowMessageDialog(NULL, &msg));
}

TEST(MessageDialog, TitleIsTheCaptionOrTheRunTitle)
{
    const char *apszCaptions[] = {"Own Caption", ""};
    for (const char *pszCaption : apszCaptions) {
        MessageStruct msg;
        fnInitMessage(&msg, 5);
        fnCopyText(msg.szCaption, COUNTOF(msg.szCaption), pszCaption);
        fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), "Text");
        SeenStruct seen;
        CModalProbe probe([&](HWND hDlg) {
            fnLook(hDlg, &seen);
            fnProbeClick(hDlg, IDC_MESSAGE_OK);
        });
        EXPECT_EQ(IDC_MESSAGE_OK, fnShowMessageDialog(NULL, &msg));
        EXPECT_EQ(pszCaption[0] ? std::string(pszCaption) : std::string(g_szTitle), seen.strTitle);
    }
}

// The height the text needs in its control, and the control's height.
void fnTextHeights(HWND hDlg, int *pcyNeed, int *pcyHave)
{
    HWND hwndText = GetDlgItem(hDlg, IDC_MESSAGE_TEXT);
    char szText[kcchMsgMessage];
    GetWindowTextA(hwndText, szText, COUNTOF(szText));
    RECT rc;
    fnMessageTextArea(hwndText, &rc);
    *pcyHave = rc.bottom;
    HDC hdc = GetDC(hwndText);
    HGDIOBJ hOld = SelectObject(hdc, (HFONT)SendMessageA(hwndText, WM_GETFONT, 0, 0));
    DrawTextA(hdc, szText, -1, &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(hdc, hOld);
    ReleaseDC(hwndText, hdc);
    *pcyNeed = rc.bottom;
}

TEST(MessageDialog, LongTextGrowsTheDialogInsteadOfBeingCut)
{
    MessageStruct msg;
    fnInitMessage(&msg, 5);
    std::string strText;
    for (int i = 1; i <= 20; i++)
        strText += "Line " + std::to_string(i) + " of a message that is longer than the box & keeps going\n";
    fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), strText.c_str());
    int cyNeed = 0, cyHave = 0;
    RECT rcDlg = {};
    CModalProbe probe([&](HWND hDlg) {
        fnTextHeights(hDlg, &cyNeed, &cyHave);
        GetWindowRect(hDlg, &rcDlg);
        fnProbeClick(hDlg, IDC_MESSAGE_OK);
    });
    fnShowMessageDialog(NULL, &msg);
    ASSERT_TRUE(probe.Seen());
    EXPECT_GE(cyHave, cyNeed);
    // Placed by code 5 and still on the screen.
    RECT rcArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    EXPECT_GE(rcDlg.top, rcArea.top);
    EXPECT_LE(rcDlg.bottom, rcArea.bottom);
}

}  // namespace
