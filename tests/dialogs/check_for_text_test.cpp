// The rules of the file check sections: button words, option letters, date
// operators and the result of the section.
#include <gtest/gtest.h>

#include "dialogs/check_for_text.h"

namespace {

TEST(CheckForText, ButtonWordsAndWhatTheyDoToRetry)
{
    int iRetry = -1;
    EXPECT_EQ(kCheckYesNo, fnCheckButtons("yesno", &iRetry));
    EXPECT_EQ(kCheckRetryKeep, iRetry);
    EXPECT_EQ(kCheckRetryExit, fnCheckButtons("RETRYEXIT", &iRetry));
    EXPECT_EQ(kCheckRetryOn, iRetry);
    EXPECT_EQ(kCheckOkInfo, fnCheckButtons("OKINFO", &iRetry));
    EXPECT_EQ(kCheckRetryOff, iRetry);
    EXPECT_EQ(kCheckOk, fnCheckButtons("WHATEVER", &iRetry));
    EXPECT_EQ(kCheckRetryKeep, iRetry);
}

TEST(CheckForText, OptionLettersAreOnUnlessN)
{
    CheckSwitchesStruct sw = {0, 0, 0, 0, 0};
    fnCheckOptionLetters("YnY", &sw);
    EXPECT_EQ(1, sw.bShowMsg);
    EXPECT_EQ(0, sw.bDetailed);
    EXPECT_EQ(1, sw.bExpectExist);
    EXPECT_EQ(1, sw.bExitOnAnswer);  // missing letters count as on
    EXPECT_EQ(1, sw.bRetry);
    fnCheckOptionLetters("NNNNN", &sw);
    EXPECT_EQ(0, sw.bShowMsg + sw.bDetailed + sw.bExpectExist + sw.bExitOnAnswer + sw.bRetry);
}

TEST(CheckForText, DateOperatorsCompareTodayWithTheFile)
{
    EXPECT_TRUE(fnCheckDateHolds(0, "EQ"));
    EXPECT_FALSE(fnCheckDateHolds(1, "EQ"));
    EXPECT_TRUE(fnCheckDateHolds(-1, "LT"));
    EXPECT_TRUE(fnCheckDateHolds(1, "GT"));
    EXPECT_TRUE(fnCheckDateHolds(0, "LE"));
    EXPECT_FALSE(fnCheckDateHolds(1, "LE"));
    EXPECT_TRUE(fnCheckDateHolds(0, "GE"));
    EXPECT_TRUE(fnCheckDateHolds(-1, "ne"));
    EXPECT_TRUE(fnCheckDateHolds(5, "NC"));
}

TEST(CheckForText, FailingAnswerStopsOnlyWhenExitOnAnswerMatchesTheCase)
{
    CheckSwitchesStruct sw = {1, 1, 0, 1, 0};
    EXPECT_EQ(7, fnCheckAnswerResult(0, &sw));  // missing file, existence not expected
    EXPECT_EQ(1, fnCheckAnswerResult(1, &sw));
    sw.bExpectExist = 1;
    EXPECT_EQ(7, fnCheckAnswerResult(1, &sw));
    sw.bExitOnAnswer = 0;
    EXPECT_EQ(1, fnCheckAnswerResult(1, &sw));
}

TEST(CheckForText, EndResultRetryExitOrGoOn)
{
    CheckSwitchesStruct sw = {1, 1, 0, 1, 1};
    EXPECT_EQ(3, fnCheckEndResult(0, 0, &sw));  // failed with retry: start again
    sw.bRetry = 0;
    EXPECT_EQ(7, fnCheckEndResult(0, 0, &sw));  // failed, exit on answer: stop
    EXPECT_EQ(1, fnCheckEndResult(1, 1, &sw));  // found and passed: go on
    sw.bExpectExist = 1;
    EXPECT_EQ(7, fnCheckEndResult(1, 1, &sw));
    sw.bRetry = 1;
    EXPECT_EQ(3, fnCheckEndResult(1, 1, &sw));
    sw = {1, 1, 0, 0, 0};
    EXPECT_EQ(1, fnCheckEndResult(0, 0, &sw));
}

}  // namespace
