// Words and numbers of the configuration keywords.
#include <gtest/gtest.h>

#include <limits.h>

#include "commands/keyword_words.h"
#include "resource.h"

namespace {

TEST(KeywordWords, YesNoByTheFirstLetterOnly)
{
    EXPECT_EQ(kYesNoYes, fnYesNoField("yes"));
    EXPECT_EQ(kYesNoYes, fnYesNoField("Yikes"));
    EXPECT_EQ(kYesNoNo, fnYesNoField("n"));
    EXPECT_EQ(kYesNoOther, fnYesNoField("x"));
    EXPECT_EQ(kYesNoOther, fnYesNoField(""));
    EXPECT_EQ(kYesNoOther, fnYesNoField(NULL));
}

TEST(KeywordWords, DecimalValueStopsAtTheFirstOtherCharacterAndAtTheLargestValue)
{
    EXPECT_EQ(5000u, fnDecimalValue("5000"));
    EXPECT_EQ(12u, fnDecimalValue("  12ms"));
    EXPECT_EQ(0u, fnDecimalValue("-3"));
    EXPECT_EQ(0u, fnDecimalValue(""));
    EXPECT_EQ(UINT_MAX, fnDecimalValue("99999999999999999999"));
}

TEST(KeywordWords, MessageDialogButtonWords)
{
    EXPECT_EQ(101u, fnMessageDlgCode("okcancel"));
    EXPECT_EQ(102u, fnMessageDlgCode("YESNO"));
    // The Retry and Continue form, not Retry and Exit.
    EXPECT_EQ(108u, fnMessageDlgCode("RETRYEXIT"));
    EXPECT_EQ(111u, fnMessageDlgCode("Cancel"));
    EXPECT_EQ(113u, fnMessageDlgCode("NO"));
    EXPECT_EQ(104u, fnMessageDlgCode("MAYBE"));
    EXPECT_EQ(104u, fnMessageDlgCode(""));
}

TEST(KeywordWords, BackUpMethodsAndExitActions)
{
    EXPECT_EQ(500u, fnBackUpMethodCode("prompt"));
    EXPECT_EQ(506u, fnBackUpMethodCode("NOMOD"));
    EXPECT_EQ(0u, fnBackUpMethodCode("COPY"));
    EXPECT_EQ(1u, fnOnExitCode("exitwin"));
    EXPECT_EQ(7u, fnOnExitCode("ExecTop"));
    EXPECT_EQ(6u, fnOnExitCode("RESTARTWITHMSG"));
    // 4 is no word: only an installed file in use asks for it.
    EXPECT_EQ(0u, fnOnExitCode("MustRestart"));
}

TEST(KeywordWords, PopupWaitField)
{
    unsigned uWait = 77;
    EXPECT_EQ(1, fnPopupWait("Y5", &uWait));
    EXPECT_EQ(5u, uWait);
    EXPECT_EQ(1, fnPopupWait("y12", &uWait));
    EXPECT_EQ(12u, uWait);
    EXPECT_EQ(1, fnPopupWait("N", &uWait));
    EXPECT_EQ(0u, uWait);
    uWait = 77;
    EXPECT_EQ(1, fnPopupWait("Y", &uWait));  // no number: modeless
    EXPECT_EQ(0u, uWait);
    uWait = 77;
    EXPECT_EQ(0, fnPopupWait("5", &uWait));
    EXPECT_EQ(77u, uWait);
}

TEST(KeywordWords, PopupTemplatesBySize)
{
    EXPECT_EQ((unsigned)IDD_POPUP_LARGE, fnPopupDialogId("Large", 0));
    EXPECT_EQ((unsigned)IDD_POPUP_PLAIN, fnPopupDialogId("Huge", 0));
    EXPECT_EQ((unsigned)IDD_POPUP_PLAIN, fnPopupDialogId("", 0));
    EXPECT_EQ((unsigned)IDD_POPUP_STATIC_XLARGE, fnPopupDialogId("xlarge", 1));
    EXPECT_EQ((unsigned)IDD_POPUP_STATIC_SMALL, fnPopupDialogId("", 1));
}

}  // namespace
