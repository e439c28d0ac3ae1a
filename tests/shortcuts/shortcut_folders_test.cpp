// The folder entries of [Shortcuts] and [PMGroups]: five at most, the desktop
// and startup flags, the old layout and its fixed base folder.
#include <gtest/gtest.h>

#include <string>

#include "run/run_state.h"
#include "run/text.h"
#include "script/input.h"
#include "shortcuts/shortcuts.h"
#include "support/test_files.h"

namespace {

class ShortcutFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        m_strBase = fnTestDir("ShortcutFolders");
        fnCopyText(g_szUserProgramsFolder, COUNTOF(g_szUserProgramsFolder), m_strBase.c_str());
        memset(&m_input, 0, sizeof(m_input));
    }
    void TearDown() override { fnClearRunState(); }
    int fnRun(const char *pszHeader, const std::string &strBody)
    {
        std::string strSection = std::string(pszHeader) + "\r\n" + strBody;
        return fnShortcutsSection(NULL, &strSection[0], pszHeader, &m_input, "");
    }
    std::string m_strBase;
    UserInputStruct m_input;
};

TEST_F(ShortcutFoldersTest, FiveEntriesAtMostAndEachFolderMade)
{
    std::string strBody;
    for (int i = 1; i <= 6; i++)
        strBody += "Group" + std::to_string(i) + "=Folder " + std::to_string(i) + "," + m_strBase + ",N\r\n";
    EXPECT_EQ(1, fnRun("[Shortcuts]", strBody));
    ASSERT_EQ(5u, m_input.uShortcutSections);
    EXPECT_STREQ("[Group1]", m_input.aShortcuts[0].szSection);
    EXPECT_EQ(m_strBase + "\\Folder 5", m_input.aShortcuts[4].szFolder);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_strBase + "\\Folder 1").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_strBase + "\\Folder 6").c_str()));
    EXPECT_STREQ(m_input.aShortcuts[0].szFolder, g_szShortcutFolder);  // the first folder
    EXPECT_NE(nullptr, fnFindShortcutEntry(&m_input, "[group3]"));
    EXPECT_EQ(nullptr, fnFindShortcutEntry(&m_input, "[Group6]"));
}

TEST_F(ShortcutFoldersTest, DesktopAndStartupFlagsWithoutAsking)
{
    EXPECT_EQ(1, fnRun("[Shortcuts]", "Desk=:DESKTOP:,,N\r\nBoot=:STARTUP:,,N\r\n"));
    ASSERT_EQ(2u, m_input.uShortcutSections);
    EXPECT_TRUE(m_input.aShortcuts[0].bDesktop);
    EXPECT_FALSE(m_input.aShortcuts[0].bStartup);
    EXPECT_TRUE(m_input.aShortcuts[1].bStartup);
    EXPECT_NE('\0', m_input.aShortcuts[0].szFolder[0]);
    EXPECT_STREQ("[Desk]", m_input.aShortcuts[0].szSection);
    EXPECT_FALSE(m_input.aShortcuts[0].bOldLayout);
}

TEST_F(ShortcutFoldersTest, OldLayoutAlwaysBelowTheProgramsFolder)
{
    EXPECT_EQ(1, fnRun("[PMGroups]", "Old=Legacy,C:\\Elsewhere,N\r\n"));
    ASSERT_EQ(1u, m_input.uShortcutSections);
    EXPECT_TRUE(m_input.aShortcuts[0].bOldLayout);
    EXPECT_EQ(m_strBase + "\\Legacy", m_input.aShortcuts[0].szFolder);
}

TEST_F(ShortcutFoldersTest, ConditionFalseSkipsTheLine)
{
    EXPECT_EQ(1, fnRun("[Shortcuts]", "1=2, Skipped=Never,,N\r\nKept=Kept,,N\r\n"));
    ASSERT_EQ(1u, m_input.uShortcutSections);
    EXPECT_STREQ("[Kept]", m_input.aShortcuts[0].szSection);
}

}  // namespace
