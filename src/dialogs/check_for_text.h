// The rules of the file check sections ([CheckFor] and its sisters) that need
// no Windows call: button keywords, option letters, date operators and the
// section's result. Pure text logic.
#ifndef SETUP32_DIALOGS_CHECK_FOR_TEXT_H
#define SETUP32_DIALOGS_CHECK_FOR_TEXT_H

// How a check line asks.
enum CheckButtonsEnum {
    kCheckOk,            // message box, OK, information icon (OK is the failing answer)
    kCheckOkInfo,        // OK, information icon, no failing answer
    kCheckOkCancel,      // OK and Cancel
    kCheckYesNo,         // Yes and No
    kCheckYesNoCancel,   // Yes, No and Cancel
    kCheckRetryCancel,   // Retry and Cancel
    kCheckRetryContinue, // message dialog: Retry and Continue
    kCheckRetryExit,     // message dialog: Retry and Exit
    kCheckCancel,        // message dialog: Cancel alone
};

// The switches of one line; retry is kept across lines by the section.
struct CheckSwitchesStruct {
    int bShowMsg;
    int bDetailed;
    int bExpectExist;  // on: the file being there is what the message is about
    int bExitOnAnswer;
    int bRetry;
};

enum { kCheckRetryOff = 0, kCheckRetryOn = 1, kCheckRetryKeep = 2 };

CheckButtonsEnum fnCheckButtons(const char *pszKeyword, int *piRetry);  // kCheckOk for an unknown word; *piRetry kCheckRetry*
void fnCheckOptionLetters(const char *pszLetters, CheckSwitchesStruct *pSw);  // letters 1-5 each on unless "N"
int fnCheckDateHolds(int iTodayVsFile, const char *pszOp);  // iTodayVsFile <0, 0, >0; 1 the operator holds ("NC": 1)
int fnCheckAnswerResult(int bFound, const CheckSwitchesStruct *pSw);  // the failing answer was given: 7 or 1
int fnCheckEndResult(int bFound, int bPassed, const CheckSwitchesStruct *pSw);  // no failing answer: 1, 3 or 7

#endif
