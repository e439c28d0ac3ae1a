#include "commands/keyword_words.h"

#include <limits.h>

#include "run/text.h"
#include "resource.h"

int fnYesNoField(const char *pszField)
{
    char c = pszField ? fnUpperChar(pszField[0]) : '\0';
    return c == 'Y' ? kYesNoYes : c == 'N' ? kYesNoNo : kYesNoOther;
}

unsigned fnDecimalValue(const char *pszText)
{
    if (!pszText)
        return 0;
    while (fnIsBlank(*pszText))
        pszText++;
    unsigned uValue = 0;
    for (; *pszText >= '0' && *pszText <= '9'; pszText++) {
        unsigned uDigit = (unsigned)(*pszText - '0');
        if (uValue > (UINT_MAX - uDigit) / 10)
            return UINT_MAX;
        uValue = uValue * 10 + uDigit;
    }
    return uValue;
}

struct WordCodeStruct {
    const char *pszWord;
    unsigned uCode;
};

static unsigned fnLookUp(const WordCodeStruct *pTable, size_t cEntries, const char *pszWord, unsigned uDefault)
{
    if (!pszWord)
        return uDefault;
    for (size_t i = 0; i < cEntries; i++) {
        if (fnTextEqualI(pszWord, pTable[i].pszWord))
            return pTable[i].uCode;
    }
    return uDefault;
}

unsigned fnMessageDlgCode(const char *pszWord)
{
    // "RETRYEXIT" gives the Retry and Continue form of the dialog.
    static const WordCodeStruct s_aCodes[] = {
        {"OK", 104},       {"OKCANCEL", 101}, {"YESNO", 102}, {"OKEXIT", 103}, {"RETRYEXIT", 108},
        {"CANCEL", 111},   {"CONTINUE", 105}, {"EXIT", 106},  {"YES", 112},    {"NO", 113},
    };
    return fnLookUp(s_aCodes, COUNTOF(s_aCodes), pszWord, 104);
}

unsigned fnBackUpMethodCode(const char *pszWord)
{
    static const WordCodeStruct s_aCodes[] = {
        {"PROMPT", 500}, {"ORIEXT", 501},   {"UNIQUE", 502}, {"TIME", 503},
        {"DATE", 504},   {"DATETIME", 505}, {"NOMOD", 506},
    };
    return fnLookUp(s_aCodes, COUNTOF(s_aCodes), pszWord, 0);
}

unsigned fnOnExitCode(const char *pszWord)
{
    static const WordCodeStruct s_aCodes[] = {
        {"ExitWin", 1}, {"Exec", 2}, {"RestartWin", 3}, {"Reboot", 5}, {"RestartWithMsg", 6}, {"ExecTop", 7},
    };
    return fnLookUp(s_aCodes, COUNTOF(s_aCodes), pszWord, 0);
}

int fnPopupWait(const char *pszField, unsigned *puSeconds)
{
    int iYesNo = fnYesNoField(pszField);
    if (iYesNo == kYesNoOther)
        return 0;
    *puSeconds = iYesNo == kYesNoYes ? fnDecimalValue(pszField + 1) : 0;
    return 1;
}

unsigned fnPopupDialogId(const char *pszSize, int bStatic)
{
    static const WordCodeStruct s_aStatic[] = {
        {"Small", IDD_POPUP_STATIC_SMALL}, {"Medium", IDD_POPUP_STATIC_MEDIUM},
        {"Large", IDD_POPUP_STATIC_LARGE}, {"XLarge", IDD_POPUP_STATIC_XLARGE},
    };
    static const WordCodeStruct s_aPlain[] = {
        {"Small", IDD_POPUP_SMALL}, {"Medium", IDD_POPUP_MEDIUM},
        {"Large", IDD_POPUP_LARGE}, {"XLarge", IDD_POPUP_XLARGE},
    };
    if (bStatic)
        return fnLookUp(s_aStatic, COUNTOF(s_aStatic), pszSize, IDD_POPUP_STATIC_SMALL);
    return fnLookUp(s_aPlain, COUNTOF(s_aPlain), pszSize, IDD_POPUP_PLAIN);
}
