#include "commands/keyword_words.h"

#include "run/text.h"
#include "resource.h"

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
