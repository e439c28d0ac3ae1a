// The words and names of the account commands: qualification of account
// names, start-type words, what a status code means, and password masking.
#include <gtest/gtest.h>

#include <string.h>

#include "accounts/account_text.h"

namespace {

TEST(AccountText, QualifiesABareUserWithTheDomain)
{
    struct {
        const char *pszUser, *pszDomain;
        int bRename;
        const char *pszWant;
    } aCases[] = {
        {"admin", "corp", 0, "admin@corp"},                // join and leave: user@domain
        {"admin", "corp", 1, "corp\\admin"},               // rename, flat domain: domain\user
        {"admin", "corp.example.com", 1, "admin@corp.example.com"},
        {"admin@other", "corp", 0, "admin@other"},         // already qualified: as it is
        {"other\\admin", "corp", 1, "other\\admin"},
        {"admin", "", 0, "admin"},                         // no domain: as it is
        {"", "corp", 0, "@corp"},
    };
    for (const auto &c : aCases) {
        char szOut[64];
        EXPECT_EQ(1, fnQualifyUser(c.pszUser, c.pszDomain, c.bRename, szOut, sizeof(szOut))) << c.pszUser;
        EXPECT_STREQ(c.pszWant, szOut) << c.pszUser << " " << c.pszDomain;
    }
}

TEST(AccountText, ACutNameIsNoName)
{
    char szOut[8];
    EXPECT_EQ(0, fnQualifyUser("administrator", "corp", 0, szOut, sizeof(szOut)));
    EXPECT_STREQ("", szOut);
}

TEST(AccountText, StartTypeWordsAndStatusCodes)
{
    EXPECT_EQ(2, fnServiceStartType("auto"));
    EXPECT_EQ(3, fnServiceStartType("MANUAL"));
    EXPECT_EQ(4, fnServiceStartType("Disabled"));
    EXPECT_EQ(-1, fnServiceStartType("Boot"));  // not a start type the command sets
    EXPECT_EQ(-1, fnServiceStartType(""));
    for (unsigned long ul : {2224ul, 2245ul, 2220ul, 2691ul, 2692ul})
        EXPECT_STRNE("", fnNetStatusText(ul)) << ul;
    EXPECT_STREQ("", fnNetStatusText(5));
}

TEST(AccountText, PasswordsAreMaskedAndPasswordCommandsKnown)
{
    char szOut[32];
    fnMaskPassword("S3cret!", szOut, sizeof(szOut));
    EXPECT_EQ(nullptr, strstr(szOut, "S3cret"));
    EXPECT_STRNE("", szOut);
    fnMaskPassword("", szOut, sizeof(szOut));
    EXPECT_STREQ("", szOut);
    for (const char *psz : {"mapdrive", "CreateLocalUser", "ChangeLocalUser", "JoinDomain", "UnJoinDomain",
                            "RenameComputerInDomain"})
        EXPECT_EQ(1, fnCommandHasPassword(psz)) << psz;
    EXPECT_EQ(0, fnCommandHasPassword("DelLocalUser"));
}

TEST(AccountText, CheckOutcomeByActionAndResult)
{
    struct {
        int bMet;
        const char *pszAction;
        int bMembership, iWant;
    } aCases[] = {
        {1, "display", 0, kCheckShowMet},      {1, "Continue", 1, kCheckNothing},
        {1, "ExitWithMessage", 0, kCheckNothing}, {0, "Display", 0, kCheckNothing},
        {0, "CONTINUE", 0, kCheckShowNotMet},  {0, "Continue", 1, kCheckAskNotMet},
        {0, "ExitWithoutMessage", 1, kCheckExit}, {0, "exitwithmessage", 0, kCheckShowExit},
        {0, "Exit", 0, kCheckNothing},         {0, "", 1, kCheckNothing},
    };
    for (const auto &c : aCases)
        EXPECT_EQ(c.iWant, fnCheckOutcome(c.bMet, c.pszAction, c.bMembership)) << c.bMet << " " << c.pszAction;
}

}  // namespace
