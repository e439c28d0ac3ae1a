// The settings reader of the input dialogs: every key, the defaults, a key
// that ends the reading, a malformed line and a line that skips the rest.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/option_dialog.h"
#include "dialogs/read_sect.h"
#include "dialogs/signon.h"
#include "run/run_state.h"
#include "run/text.h"

namespace {

class ReadSectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        m_pSect = new ReadSectStruct;
        fnInitReadSect(m_pSect);
    }
    void TearDown() override
    {
        delete m_pSect;
        fnClearRunState();
    }
    int fnRead(const std::string &strBody) { return fnReadSettings(NULL, strBody.c_str(), m_pSect); }
    ReadSectStruct *m_pSect = nullptr;
};

TEST_F(ReadSectTest, DefaultsBeforeAnyLine)
{
    EXPECT_EQ(1, fnRead(""));
    EXPECT_STREQ(g_szTitle, m_pSect->szCaption);
    EXPECT_STREQ("Select OK to continue", m_pSect->szPrompt);
    EXPECT_STREQ("", fnSectDefault(m_pSect));
    EXPECT_EQ(0u, m_pSect->uListLines);
    EXPECT_EQ((unsigned)kButtonsRadio, m_pSect->uButtonType);
    EXPECT_FALSE(m_pSect->bStop);
}

TEST_F(ReadSectTest, TextKeysGoToTheirSlotsAndAliasesShareThem)
{
    EXPECT_EQ(1, fnRead("Caption=Who\r\nMessage=Tell me\r\nAboveEdit=one\r\nPWPrompt=two\r\nButtonMsg3=three\r\n"
                        "CheckBoxMsg=four\r\nMsgBottom=five\r\nMsg6=six\r\nWarnMsg1=warn\r\nPrompt=Name:\r\n"));
    EXPECT_STREQ("Who", m_pSect->szCaption);
    EXPECT_STREQ("Tell me", m_pSect->szMessage);
    const char *apszSlots[7] = {"one", "two", "three", "four", "five", "six", "warn"};
    for (int i = 0; i < 7; i++)
        EXPECT_STREQ(apszSlots[i], m_pSect->szMsg[i]) << "slot " << i + 1;
    EXPECT_STREQ("Name:", m_pSect->szPrompt);
}

TEST_F(ReadSectTest, CaptionIsNotExpandedMessageIs)
{
    fnCopyText(g_szAskForResponse[0], COUNTOF(g_szAskForResponse[0]), "Ann");
    EXPECT_EQ(1, fnRead("Caption=@A1\r\nMsg1=Hello @A1\r\n"));
    EXPECT_STREQ("@A1", m_pSect->szCaption);
    EXPECT_STREQ("Hello Ann", m_pSect->szMsg[0]);
}

TEST_F(ReadSectTest, DefaultFallsBackToFieldTwoWhenTheExpansionFails)
{
    fnCopyText(g_szAskForResponse[0], COUNTOF(g_szAskForResponse[0]), "Ann");
    EXPECT_EQ(1, fnRead("Default=@A1\r\n"));
    EXPECT_STREQ("Ann", fnSectDefault(m_pSect));
    EXPECT_EQ(1, fnRead("Default=@A2,Nobody\r\n"));  // empty answer: the expansion fails
    EXPECT_STREQ("Nobody", fnSectDefault(m_pSect));
    EXPECT_EQ(1, fnRead("Default=plain\r\n"));  // no variable: field 1 as written
    EXPECT_STREQ("plain", fnSectDefault(m_pSect));
}

TEST_F(ReadSectTest, TextsAreCutToTheirFields)
{
    std::string strLong(600, 'x');
    EXPECT_EQ(1, fnRead("Caption=" + strLong + "\r\nMsg1=" + strLong + "\r\nDefault=" + strLong + "\r\n"));
    EXPECT_EQ(127u, strlen(m_pSect->szCaption));
    EXPECT_EQ(255u, strlen(m_pSect->szMsg[0]));
    EXPECT_EQ(255u, strlen(fnSectDefault(m_pSect)));
}

TEST_F(ReadSectTest, ListLinesAreKeptWithLineEndsUpTo600)
{
    std::string strBody;
    for (int i = 0; i < 605; i++)
        strBody += "List=item " + std::to_string(i) + "\r\n";
    EXPECT_EQ(1, fnRead(strBody));
    EXPECT_EQ(600u, m_pSect->uListLines);
    EXPECT_EQ(0, strncmp(m_pSect->szList, "item 0\r\nitem 1\r\n", 16));
    EXPECT_EQ(nullptr, strstr(m_pSect->szList, "item 600"));
}

TEST_F(ReadSectTest, SwitchesChecksSpacesAndButtonType)
{
    EXPECT_EQ(1, fnRead("CheckBox=Yes\r\nButtonCheck3=y\r\nButtonCheck4=No\r\nUsePath2=Y\r\nUseMoreInfo1=Y\r\n"
                        "ButtonType=Check\r\nWinSpaceNeeded=12\r\nSpaceNeeded=100\r\nSpaceNeeded3=5,7\r\n"));
    EXPECT_TRUE(m_pSect->abCheck[0]);
    EXPECT_FALSE(m_pSect->abCheck[1]);
    EXPECT_TRUE(m_pSect->abCheck[2]);
    EXPECT_FALSE(m_pSect->abCheck[3]);
    EXPECT_TRUE(m_pSect->bUsePath2);
    EXPECT_TRUE(m_pSect->bUseMoreInfo1);
    EXPECT_FALSE(m_pSect->bUseButton1);
    EXPECT_EQ((unsigned)kButtonsCheck, m_pSect->uButtonType);
    EXPECT_EQ(12u, m_pSect->dwWinSpaceNeeded);
    EXPECT_EQ(100u, m_pSect->adwSpace[0][0]);
    EXPECT_EQ(100u, m_pSect->adwSpace[0][1]);  // the second number defaults to the first
    EXPECT_EQ(5u, m_pSect->adwSpace[2][0]);
    EXPECT_EQ(7u, m_pSect->adwSpace[2][1]);
}

TEST_F(ReadSectTest, DefaultDirSetsTheDestinationPath2DoesNot)
{
    EXPECT_EQ(1, fnRead("DefaultDir=@A5,,C:\\Third\r\nPath2=D:\\Two\r\n"));
    EXPECT_STREQ("C:\\Third", m_pSect->szPath);
    EXPECT_STREQ("C:\\Third", g_szDestDir);
    EXPECT_STREQ("C:\\Third", g_szDirs[0]);
    EXPECT_STREQ("D:\\Two", m_pSect->szPath2);
    EXPECT_STREQ("C:\\Third", g_szDestDir);
}

TEST_F(ReadSectTest, RunStateKeys)
{
    EXPECT_EQ(1, fnRead("OnExit=RestartWin\r\nBackUpMethod=UNIQUE\r\nExpandOpt=#\r\n"));
    EXPECT_EQ(3u, g_uOnExit);
    EXPECT_EQ(502u, g_uBackUpMethod);
}

TEST_F(ReadSectTest, UnknownKeyEndsTheReading)
{
    EXPECT_EQ(1, fnRead("Caption=First\r\nCaptoin=typo\r\nMessage=never\r\n"));
    EXPECT_STREQ("First", m_pSect->szCaption);
    EXPECT_STREQ("", m_pSect->szMessage);
}

TEST_F(ReadSectTest, LineWithoutEqualsFails)
{
    EXPECT_EQ(0, fnRead("Caption=First\r\nJust words\r\n"));
}

TEST_F(ReadSectTest, SkipTheRestSetsTheStopFlag)
{
    EXPECT_EQ(1, fnRead("Caption=First\r\nSkipIfTrue:1=1\r\nMessage=never\r\n"));
    EXPECT_TRUE(m_pSect->bStop);
    EXPECT_STREQ("", m_pSect->szMessage);
}

TEST_F(ReadSectTest, HelpLinesAreJoinedAndMakeHelpText)
{
    EXPECT_EQ(1, fnRead("Help=first\r\nHelp=second\r\n"));
    EXPECT_STREQ("first\r\nsecond\r\n", m_pSect->szHelp);
    EXPECT_EQ((unsigned)kHelpText, m_pSect->uHelpKind);
}

TEST_F(ReadSectTest, HelpFileOfTheHelpEngineKeepsItsTopicAndOtherFilesGiveText)
{
    fnCopyText(g_szSourceDir, COUNTOF(g_szSourceDir), "C:\\SRC");
    EXPECT_EQ(1, fnRead("HelpFile=GUIDE.HLP, Installing\r\n"));
    EXPECT_STREQ("C:\\SRC\\GUIDE.HLP", m_pSect->szHelpFile);
    EXPECT_STREQ("Installing", m_pSect->szHelpKey);
    EXPECT_EQ((unsigned)kHelpFile, m_pSect->uHelpKind);

    fnInitReadSect(m_pSect);
    EXPECT_EQ(1, fnRead("Help=typed first\r\nHelpFile=D:\\NOTES.TXT\r\n"));
    EXPECT_STREQ("D:\\NOTES.TXT", m_pSect->szHelpFile);
    EXPECT_STREQ("typed first\r\n", m_pSect->szHelp);
    EXPECT_EQ((unsigned)kHelpText, m_pSect->uHelpKind);
}

TEST(OptionCountTest, FirstEmptyButtonTextDecides)
{
    ReadSectStruct *pSect = new ReadSectStruct;
    fnInitReadSect(pSect);
    EXPECT_EQ(1u, fnOptionCount(pSect));
    fnCopyText(pSect->szMsg[1], COUNTOF(pSect->szMsg[1]), "two");
    EXPECT_EQ(2u, fnOptionCount(pSect));
    fnCopyText(pSect->szMsg[3], COUNTOF(pSect->szMsg[3]), "four");
    EXPECT_EQ(2u, fnOptionCount(pSect));  // slot 3 empty: two buttons
    fnCopyText(pSect->szMsg[2], COUNTOF(pSect->szMsg[2]), "three");
    EXPECT_EQ(4u, fnOptionCount(pSect));
    delete pSect;
}

TEST(OptionCountTest, InstallOptionsCountRule)
{
    EXPECT_EQ(1u, fnInstallOptionCount(FALSE, TRUE, TRUE));  // no option 2: one option whatever follows
    EXPECT_EQ(2u, fnInstallOptionCount(TRUE, FALSE, FALSE));
    EXPECT_EQ(3u, fnInstallOptionCount(TRUE, TRUE, FALSE));
    EXPECT_EQ(4u, fnInstallOptionCount(TRUE, TRUE, TRUE));
    EXPECT_EQ(1u, fnInstallOptionCount(TRUE, FALSE, TRUE));  // option 4 without option 3
}

}  // namespace
