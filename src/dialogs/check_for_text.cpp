// The rules of the file check sections.
#include "dialogs/check_for_text.h"

#include "run/text.h"

CheckButtonsEnum fnCheckButtons(const char *pszKeyword, int *piRetry)
{
    struct ButtonsWord {
        const char *pszWord;
        CheckButtonsEnum eButtons;
        int iRetry;
    };
    static const ButtonsWord s_aWords[] = {
        {"OKINFO", kCheckOkInfo, kCheckRetryOff},
        {"OKCANCEL", kCheckOkCancel, kCheckRetryKeep},
        {"YESNO", kCheckYesNo, kCheckRetryKeep},
        {"YESNOCANCEL", kCheckYesNoCancel, kCheckRetryKeep},
        {"RETRYCANCEL", kCheckRetryCancel, kCheckRetryOn},
        {"RETRYCONTINUE", kCheckRetryContinue, kCheckRetryOn},
        {"RETRYEXIT", kCheckRetryExit, kCheckRetryOn},
        {"CANCEL", kCheckCancel, kCheckRetryOff},
    };
    for (const ButtonsWord &word : s_aWords) {
        if (fnTextEqualI(pszKeyword, word.pszWord)) {
            *piRetry = word.iRetry;
            return word.eButtons;
        }
    }
    *piRetry = kCheckRetryKeep;
    return kCheckOk;
}

void fnCheckOptionLetters(const char *pszLetters, CheckSwitchesStruct *pSw)
{
    int *apb[5] = {&pSw->bShowMsg, &pSw->bDetailed, &pSw->bExpectExist, &pSw->bExitOnAnswer, &pSw->bRetry};
    size_t cch = strlen(pszLetters);
    for (size_t u = 0; u < 5; u++)
        *apb[u] = !(u < cch && fnUpperChar(pszLetters[u]) == 'N');
}

int fnCheckDateHolds(int iTodayVsFile, const char *pszOp)
{
    if (fnTextEqualI(pszOp, "LT"))
        return iTodayVsFile < 0;
    if (fnTextEqualI(pszOp, "GT"))
        return iTodayVsFile > 0;
    if (fnTextEqualI(pszOp, "EQ"))
        return iTodayVsFile == 0;
    if (fnTextEqualI(pszOp, "NE"))
        return iTodayVsFile != 0;
    if (fnTextEqualI(pszOp, "LE"))
        return iTodayVsFile <= 0;
    if (fnTextEqualI(pszOp, "GE"))
        return iTodayVsFile >= 0;
    return 1;  // "NC": no date test
}

int fnCheckAnswerResult(int bFound, const CheckSwitchesStruct *pSw)
{
    if (bFound)
        return pSw->bExitOnAnswer && pSw->bExpectExist ? 7 : 1;
    return pSw->bExitOnAnswer && !pSw->bExpectExist ? 7 : 1;
}

int fnCheckEndResult(int bFound, int bPassed, const CheckSwitchesStruct *pSw)
{
    if (!bPassed && pSw->bRetry)
        return 3;
    if (bFound && bPassed) {
        if (pSw->bRetry && pSw->bExpectExist)
            return 3;
        return pSw->bExitOnAnswer && pSw->bExpectExist ? 7 : 1;
    }
    if (pSw->bRetry && !pSw->bExpectExist)
        return 3;
    return pSw->bExitOnAnswer && !pSw->bExpectExist ? 7 : 1;
}
