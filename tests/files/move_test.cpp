// Move, copy, rename and delete sections on the real file system: each
// operation with its install-log line, wildcard walks, files held open by
// another handle, and [DeleteFiles] with its tree flags.
#include <gtest/gtest.h>

#include <string>

#include "files/delete_section.h"
#include "files/move_section.h"
#include "files/move_steps.h"
#include "run/run_state.h"
#include "script/input.h"
#include "resource.h"
#include "../support/modal_probe.h"
#include "../support/test_files.h"

namespace {

class MoveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        g_bQuiet = TRUE;
        g_bWinNT = TRUE;
        m_strDir = fnTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_strLog = m_strDir + "\\install.log";
        lstrcpynA(g_szLogFile, m_strLog.c_str(), MAX_PATH);
        g_bLogOn = TRUE;
        lstrcpynA(g_szSourceDir, m_strDir.c_str(), MAX_PATH);
        lstrcpynA(g_szDestDir, m_strDir.c_str(), MAX_PATH);
    }
    void TearDown() override { g_bLogOn = FALSE; }

    // One operation: source and destination relative to the test folder.
    int fnMove(const std::string &strSrc, const std::string &strDst, const char *pszModes)
    {
        memset(&m_if, 0, sizeof(m_if));
        m_if.bSectionQuiet = TRUE;
        lstrcpynA(m_if.szSrcFileSpec, (m_strDir + "\\" + strSrc).c_str(), kcchFileSpec);
        if (!strDst.empty())
            lstrcpynA(m_if.szDstFileSpec, (m_strDir + "\\" + strDst).c_str(), kcchFileSpec);
        MoveModeStruct modes;
        fnParseMoveModes(pszModes, &modes);
        m_if.uMoveMode = modes.uMoveMode;
        m_if.uInUseAction = modes.uInUseAction;
        m_if.uAttribMode = modes.uAttribMode;
        m_if.uBackupMode = modes.uSourceCheck;
        return fnProcessMoveFile(NULL, &m_if);
    }
    std::string fnPath(const std::string &strName) { return m_strDir + "\\" + strName; }
    std::string fnRead(const std::string &strName) { return fnReadWholeFile(fnPath(strName)); }
    bool fnWrite(const std::string &strName, const std::string &strData) { return fnWriteWholeFile(fnPath(strName), strData); }
    bool fnExists(const std::string &strName) { return fnFileExists(fnPath(strName)); }

    IFStruct m_if;
    std::string m_strDir, m_strLog;
};

TEST_F(MoveTest, MoveCopyRenameAndDeleteEachLogTheirLine)
{
    ASSERT_TRUE(fnWrite("m.txt", "move me"));
    EXPECT_EQ(1, fnMove("m.txt", "sub\\moved.txt", "M"));
    EXPECT_FALSE(fnExists("m.txt"));
    EXPECT_EQ("move me", fnRead("sub\\moved.txt"));

    ASSERT_TRUE(fnWrite("c.txt", "copy me"));
    EXPECT_EQ(1, fnMove("c.txt", "copied.txt", "C"));
    EXPECT_EQ("copy me", fnRead("c.txt"));
    EXPECT_EQ("copy me", fnRead("copied.txt"));

    ASSERT_TRUE(fnWrite("r.txt", "rename me"));
    EXPECT_EQ(1, fnMove("r.txt", "renamed.txt", "R"));
    EXPECT_FALSE(fnExists("r.txt"));
    EXPECT_EQ("rename me", fnRead("renamed.txt"));

    ASSERT_TRUE(fnWrite("d.txt", "delete me"));
    EXPECT_EQ(1, fnMove("d.txt", "", "D"));
    EXPECT_FALSE(fnExists("d.txt"));

    EXPECT_EQ(fnPath("m.txt") + ", " + fnPath("sub\\moved.txt") + ", M\r\n" + fnPath("c.txt") + ", " +
                  fnPath("copied.txt") + ", C\r\n" + fnPath("r.txt") + ", " + fnPath("renamed.txt") + ", R\r\n" +
                  fnPath("d.txt") + ",  D\r\n",
              fnReadWholeFile(m_strLog));
}

TEST_F(MoveTest, ModePAsksForEveryFileAndCancelTakesNoAction)
{
    ASSERT_TRUE(fnWrite("a.txt", "a"));
    std::string strShown;
    int iPress = IDCANCEL;
    auto fnAnswer = [&](HWND hDlg) {
        char szText[MAX_PATH] = "";
        GetDlgItemTextA(hDlg, IDC_MOVECHOICE_FILE, szText, MAX_PATH);
        strShown = szText;
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_MOVECHOICE_MOVE));
        if (iPress == IDOK)
            SendDlgItemMessageA(hDlg, IDC_MOVECHOICE_DELETE, BM_CLICK, 0, 0);
        fnProbeClick(hDlg, iPress);
    };
    {
        CModalProbe probe(fnAnswer);
        EXPECT_EQ(1, fnMove("a.txt", "b.txt", "P"));
        EXPECT_TRUE(probe.Seen());
    }
    EXPECT_EQ(fnPath("a.txt"), strShown);
    EXPECT_TRUE(fnExists("a.txt"));
    EXPECT_FALSE(fnExists("b.txt"));
    EXPECT_EQ((unsigned)kMoveAsk, m_if.uMoveMode);  // the next file is asked again

    iPress = IDOK;  // "Delete this file"
    {
        CModalProbe probe(fnAnswer);
        EXPECT_EQ(1, fnMove("a.txt", "", "P"));
        EXPECT_TRUE(probe.Seen());
    }
    EXPECT_FALSE(fnExists("a.txt"));
    EXPECT_EQ(fnPath("a.txt") + ",  D\r\n", fnReadWholeFile(m_strLog));
}

TEST_F(MoveTest, MissingSourceDoesNothingAndCountsAsDone)
{
    EXPECT_EQ(1, fnMove("absent.txt", "there.txt", "M"));
    EXPECT_FALSE(fnExists("there.txt"));
    EXPECT_EQ("", fnReadWholeFile(m_strLog));
}

TEST_F(MoveTest, CopyNeverOverwritesAndOverwriteBeatsReadOnly)
{
    ASSERT_TRUE(fnWrite("src.txt", "new"));
    ASSERT_TRUE(fnWrite("dst.txt", "old"));
    SetFileAttributesA(fnPath("dst.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, fnMove("src.txt", "dst.txt", "C"));
    EXPECT_EQ("old", fnRead("dst.txt"));
    EXPECT_EQ(1, fnMove("src.txt", "dst.txt", "O"));
    EXPECT_EQ("new", fnRead("dst.txt"));
    EXPECT_FALSE(GetFileAttributesA(fnPath("dst.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(MoveTest, RenameWithoutDestinationTakesTheNextBackupName)
{
    ASSERT_TRUE(fnWrite("README.TXT", "text"));
    EXPECT_EQ(1, fnMove("README.TXT", "", "R"));
    EXPECT_FALSE(fnExists("README.TXT"));
    EXPECT_EQ("text", fnRead("README.ORI"));

    ASSERT_TRUE(fnWrite("README.TXT", "second"));
    EXPECT_EQ(1, fnMove("README.TXT", "", "R"));
    EXPECT_EQ("second", fnRead("README.{00}.SAV.TXT"));
    EXPECT_EQ("text", fnRead("README.ORI"));
}

TEST_F(MoveTest, DestinationEqualToSourceNeverLosesTheFile)
{
    ASSERT_TRUE(fnWrite("same.txt", "precious"));
    EXPECT_EQ(1, fnMove("same.txt", "same.txt", "M"));
    EXPECT_EQ("precious", fnRead("same.ORI"));
    EXPECT_FALSE(fnExists("same.txt"));
}

TEST_F(MoveTest, DestinationDirectoryReceivesTheFileUnderItsName)
{
    ASSERT_TRUE(fnWrite("f.txt", "x"));
    ASSERT_TRUE(CreateDirectoryA(fnPath("into").c_str(), NULL));
    EXPECT_EQ(1, fnMove("f.txt", "into", "C"));
    EXPECT_EQ("x", fnRead("into\\f.txt"));
}

TEST_F(MoveTest, RenameKeepsTheSourceAttributes)
{
    ASSERT_TRUE(fnWrite("ro.txt", "x"));
    SetFileAttributesA(fnPath("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(1, fnMove("ro.txt", "ro2.txt", "R"));
    DWORD dwAttrib = GetFileAttributesA(fnPath("ro2.txt").c_str());
    EXPECT_TRUE(dwAttrib & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(dwAttrib & FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(fnPath("ro2.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(MoveTest, FileInUseIsSkippedOrScheduledForTheRestart)
{
    ASSERT_TRUE(fnWrite("held.txt", "held"));
    HANDLE hHeld = CreateFileA(fnPath("held.txt").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    EXPECT_EQ(1, fnMove("held.txt", "", "DS"));
    EXPECT_EQ(0u, g_uOnExit);
    EXPECT_EQ(1, fnMove("held.txt", "", "DR"));
    EXPECT_EQ(4u, g_uOnExit);  // the delete waits for the restart
    CloseHandle(hHeld);
    EXPECT_TRUE(fnExists("held.txt"));
}

TEST_F(MoveTest, FailedCopyOfAMoveKeepsTheSource)
{
    ASSERT_TRUE(fnWrite("keep.txt", "keep"));
    HANDLE hHeld = CreateFileA(fnPath("keep.txt").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    EXPECT_EQ(1, fnMove("keep.txt", "kept.txt", "M"));
    CloseHandle(hHeld);
    EXPECT_EQ("keep", fnRead("keep.txt"));
    EXPECT_FALSE(fnExists("kept.txt"));
    EXPECT_EQ(0u, g_uOnExit);  // nothing could be staged: nothing waits for a restart
}

TEST_F(MoveTest, CopyOntoAHeldFileIsStagedBesideItForTheRestart)
{
    ASSERT_TRUE(fnWrite("new.txt", "new"));
    ASSERT_TRUE(fnWrite("target.txt", "old"));
    HANDLE hHeld = CreateFileA(fnPath("target.txt").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    EXPECT_EQ(1, fnMove("new.txt", "target.txt", "OR"));
    CloseHandle(hHeld);
    EXPECT_EQ("new", fnRead("new.txt"));     // a copy leaves its source
    EXPECT_EQ("old", fnRead("target.txt"));  // replaced only at the restart
    EXPECT_EQ("new", fnRead("target.ORI"));  // the staged copy
    EXPECT_EQ(4u, g_uOnExit);
}

TEST_F(MoveTest, SectionCopiesAWildcardTreeAndSkipsByCondition)
{
    ASSERT_TRUE(CreateDirectoryA(fnPath("tree").c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA(fnPath("tree\\inner").c_str(), NULL));
    ASSERT_TRUE(fnWrite("tree\\a.dat", "a"));
    ASSERT_TRUE(fnWrite("tree\\b.txt", "b"));
    ASSERT_TRUE(fnWrite("tree\\inner\\c.dat", "c"));
    ASSERT_TRUE(fnWrite("lone.txt", "lone"));
    std::string strSection = "[MoveFiles]\r\n"
                             "tree\\*.dat," + fnPath("out") + "\\,+C,0\r\n"
                             "a=b,F=lone.txt,gone.txt,M\r\n"
                             "lone.txt,lone2.txt,C\r\n";
    EXPECT_EQ(1, fnMoveFiles(NULL, NULL, strSection.c_str(), "[MoveFiles]"));
    EXPECT_EQ("a", fnRead("out\\a.dat"));
    EXPECT_FALSE(fnExists("out\\b.txt"));
    EXPECT_EQ("c", fnRead("out\\inner\\c.dat"));
    EXPECT_EQ("a", fnRead("tree\\a.dat"));  // copied, not moved
    EXPECT_TRUE(fnExists("lone.txt"));
    EXPECT_FALSE(fnExists("gone.txt"));
    EXPECT_EQ("lone", fnRead("lone2.txt"));
}

TEST_F(MoveTest, SectionWithoutFilesOrWithZeroTotalDoesNothing)
{
    ASSERT_TRUE(fnWrite("z.txt", "z"));
    EXPECT_EQ(1, fnMoveFiles(NULL, NULL, "[MoveFiles]\r\nTotalFiles=0\r\nz.txt,z2.txt,C\r\n", "[MoveFiles]"));
    EXPECT_FALSE(fnExists("z2.txt"));
    EXPECT_EQ(1, fnMoveFiles(NULL, NULL, "[MoveFiles]\r\n", "[MoveFiles]"));
}

TEST_F(MoveTest, DeleteFilesTreeFlags)
{
    for (const char *pszTop : {"t1", "t2", "t3"}) {
        std::string strTop = pszTop;
        ASSERT_TRUE(CreateDirectoryA(fnPath(strTop).c_str(), NULL));
        ASSERT_TRUE(CreateDirectoryA(fnPath(strTop + "\\sub").c_str(), NULL));
        ASSERT_TRUE(fnWrite(strTop + "\\x.txt", "x"));
        ASSERT_TRUE(fnWrite(strTop + "\\sub\\y.txt", "y"));
    }
    SetFileAttributesA(fnPath("t1\\x.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string strSection = "[DeleteFiles]\r\n"
                             "t1\\*.*,TREE\r\n"
                             "t2\\*.*,TREEKEEP\r\n"
                             "t3\\*.txt\r\n";
    EXPECT_EQ(1, fnDeleteFilesSection(NULL, &strSection[0], "[DeleteFiles]", NULL, NULL));
    EXPECT_FALSE(fnExists("t1"));
    EXPECT_TRUE(fnExists("t2"));
    EXPECT_FALSE(fnExists("t2\\sub"));
    EXPECT_FALSE(fnExists("t2\\x.txt"));
    EXPECT_FALSE(fnExists("t3\\x.txt"));
    EXPECT_TRUE(fnExists("t3\\sub\\y.txt"));  // no walk without a tree flag
    EXPECT_TRUE(fnExists("t3"));              // not empty: kept
}

TEST_F(MoveTest, DeleteFilesWildcardRemovesTheEmptiedDirectory)
{
    ASSERT_TRUE(CreateDirectoryA(fnPath("w").c_str(), NULL));
    ASSERT_TRUE(fnWrite("w\\a.tmp", "a"));
    std::string strSection = "[DeleteFiles]\r\n" + fnPath("w") + "\\*.tmp\r\n";
    EXPECT_EQ(1, fnDeleteFilesSection(NULL, &strSection[0], "[DeleteFiles]", NULL, NULL));
    EXPECT_FALSE(fnExists("w"));
}

TEST_F(MoveTest, DeleteFilesSingleFilesAndAMissingPath)
{
    ASSERT_TRUE(fnWrite("one.txt", "1"));
    ASSERT_TRUE(CreateDirectoryA(fnPath("full").c_str(), NULL));
    ASSERT_TRUE(fnWrite("full\\f.txt", "f"));
    std::string strSection = "[DeleteFiles]\r\none.txt\r\nfull\r\n";
    EXPECT_EQ(1, fnDeleteFilesSection(NULL, &strSection[0], "[DeleteFiles]", NULL, NULL));
    EXPECT_FALSE(fnExists("one.txt"));
    EXPECT_TRUE(fnExists("full\\f.txt"));  // a directory without a tree flag goes only when empty

    std::string strBad = "[DeleteFiles]\r\n,TREE\r\n";
    EXPECT_EQ(0, fnDeleteFilesSection(NULL, &strBad[0], "[DeleteFiles]", NULL, NULL));
}

}  // namespace
