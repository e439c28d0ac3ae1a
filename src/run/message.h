// The message record and the message dialog (resource 1) with which section
// handlers ask their questions, and the text fitting shared by the message
// windows.
#ifndef SETUP32_RUN_MESSAGE_H
#define SETUP32_RUN_MESSAGE_H

#include <windows.h>

enum { kcchMsgCaption = 128, kcchMsgMessage = 1024, kcchMsgButton = 20 };

// Button codes of the message dialog.
enum {
    kButtonsOkCancel = 101,
    kButtonsYesNo = 102,
    kButtonsOkExit = 103,
    kButtonsOk = 104,
    kButtonsContinue = 105,
    kButtonsExit = 106,
    kButtonsExitContinue = 107,
    kButtonsRetryContinue = 108,
    kButtonsRetryCancel = 109,
    kButtonsRetryExit = 110,
    kButtonsCancel = 111,
    kButtonsYes = 112,
    kButtonsNo = 113,
};

// Parameters of a message window.
struct MessageStruct {
    char szCaption[kcchMsgCaption];
    char szMessage[kcchMsgMessage];
    char szButtonText[kcchMsgButton];  // at most 18 characters are kept
    unsigned uPosition;                // placement code 1-9; 0 leaves the window where it starts
    unsigned uWait;                    // floating window: modal flag; pop-ups: seconds (0 modeless)
    unsigned uButtons;                 // button code 101-113 of the message dialog
    BOOL bTopMost;                     // the window stays above others (the default)
};

void fnInitMessage(MessageStruct *pMsg, unsigned uPosition);  // clears the record and sets its placement
int fnShowMessageDialog(HWND hwndOwner, MessageStruct *pMsg);  // modal; the id of the button pressed (1, 2, 4, 6, 7, 115, 116), 0 when it could not be shown
int fnFitTextHeight(HWND hDlg, int iIdText);                   // grows the owner-drawn text control and the dialog (within the work area) so the text is not cut; pixels grown
void fnMessageTextArea(HWND hwndText, RECT *prcArea);          // where an owner-drawn message text is wrapped and drawn in its control
int fnDrawMessageText(const DRAWITEMSTRUCT *pDraw, UINT uAlign);  // draws the control's text (DT_LEFT, or DT_CENTER also centred vertically); TRUE

#endif
