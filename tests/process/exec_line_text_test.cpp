// The fields of a program line: show keyword, wait letter and flags.
#include <gtest/gtest.h>

#include <string>

#include "process/exec_line_text.h"

namespace {

TEST(ExecLineText, ShowKeywordsByTheirBeginning)
{
    struct Case {
        const char *pszField;
        int nShow;
        int bNoWin;
    } aCases[] = {
        {"", kShowNormal, 0},       {"NORMAL", kShowNormal, 0}, {"min", kShowMinimized, 0},
        {" MAXIMIZED", kShowMaximized, 0}, {"Cmd", kShowNoActivate, 1}, {"HIDDEN", kShowNormal, 0},
    };
    for (const Case &c : aCases) {
        SCOPED_TRACE(c.pszField);
        int bNoWin = 0;
        EXPECT_EQ(c.nShow, fnExecShowValue(c.pszField, &bNoWin));
        EXPECT_EQ(c.bNoWin, bNoWin);
    }
}

TEST(ExecLineText, WaitLetterAndTheProgramWaitedForAfterIt)
{
    struct Case {
        const char *pszField;
        int bWait, bPrevent;
        const char *pszAlso;
    } aCases[] = {
        {"", 0, 0, ""}, {"N", 0, 0, ""}, {"Nsetup2.exe", 0, 0, ""}, {"Y", 1, 0, ""},
        {"Ysetup2.exe", 1, 0, "setup2.exe"}, {"p second.exe ", 1, 1, "second.exe"},
    };
    for (const Case &c : aCases) {
        SCOPED_TRACE(c.pszField);
        int bWait = -1, bPrevent = -1;
        char szAlso[16] = "x";
        fnExecWaitField(c.pszField, &bWait, &bPrevent, szAlso, sizeof(szAlso));
        EXPECT_EQ(c.bWait, bWait);
        EXPECT_EQ(c.bPrevent, bPrevent);
        EXPECT_STREQ(c.pszAlso, szAlso);
    }
    char szSmall[4];
    int bWait, bPrevent;
    fnExecWaitField("Ylongname.exe", &bWait, &bPrevent, szSmall, sizeof(szSmall));
    EXPECT_STREQ("lon", szSmall);  // cut to its buffer, terminated
}

TEST(ExecLineText, FlagsOneLetterTouchesOnlyTheNotice)
{
    struct Case {
        const char *pszField;
        int bNotice, bErrors, bStop;
    } aCases[] = {
        {"", 0, 1, 0},  // defaults untouched
        {"Y", 1, 1, 0}, {"N", 0, 1, 0}, {"YY", 1, 1, 1}, {"NN", 0, 0, 0}, {"NY", 0, 1, 1}, {"XN", 1, 0, 0},
    };
    for (const Case &c : aCases) {
        SCOPED_TRACE(c.pszField);
        int bNotice = 0, bErrors = 1, bStop = 0;
        fnExecFlagsField(c.pszField, &bNotice, &bErrors, &bStop);
        EXPECT_EQ(c.bNotice, bNotice);
        EXPECT_EQ(c.bErrors, bErrors);
        EXPECT_EQ(c.bStop, bStop);
    }
}

}  // namespace
