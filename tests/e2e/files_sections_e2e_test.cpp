// The file test and file change sections run by the real SETUP32.EXE:
// [VersionTest] against the OS version Wine reports, [FileCheck],
// [IsStringInFile] ending the run, [MakeDirs] trees, the move/copy/rename/
// delete matrix and [DeleteFiles] with its tree flags.
#include <gtest/gtest.h>

#include <string>

#include "../support/test_files.h"
#include "e2e_support.h"

namespace {

const char kszClosing[] = "text: The software has been installed successfully.";

using FilesSectionsE2E = E2ECase;

TEST_F(FilesSectionsE2E, VersionTestPassesOnThisWindows)
{
    std::string strScript = "[VersionTest]\r\nWinVS=3,EQ,Needs the NT family\r\nMessage=Setup stops.\r\n"
                            "WinMajor=5,LE,Needs Windows 2000 or later\r\nMessage=Setup stops.\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST_F(FilesSectionsE2E, VersionTestLeftOpenAsksAndExitEndsTheRun)
{
    std::string strScript = "[VersionTest]\r\nWinMajor=99,EQ,Needs Windows 99\r\n[WriteCmdFile]\r\nWriteFile=" +
                            m_strDir + "\\after.ini\r\nDestDir=X\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"Cancel"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "Needs Windows 99\\n\\nPress Continue to proceed anyway")) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, kszClosing)) << res;
    EXPECT_FALSE(fnFileExists(m_strDir + "\\after.ini"));
}

TEST_F(FilesSectionsE2E, VersionTestLineWithoutKeywordFailsTheSection)
{
    E2EResult res = fnRunCase("[VersionTest]\r\nno keyword\r\n[End]\r\n", "", {"OK", "OK"}, 1603);
    EXPECT_TRUE(fnContains(res.strTranscript, "Error is in section: [VersionTest]")) << res;
}

TEST_F(FilesSectionsE2E, FileCheckMissingFileStopsPresentFileGoesOn)
{
    fnE2EWriteFile(m_strDir + "\\present.txt", "x");
    std::string strScript = "[FileCheck]\r\nFile=" + m_strDir + "\\present.txt,EXIT,,OK\r\nFile=" + m_strDir +
                            "\\missing.txt,GO,,OK\r\n[FileCheck]\r\nFile=" + m_strDir +
                            "\\missing.txt,EXIT,,OK,Install it first.\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "missing.txt not found.\\nInstall it first.")) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST_F(FilesSectionsE2E, IsStringInFileExitMatchEndsWithoutClosingMessage)
{
    fnE2EWriteFile(m_strDir + "\\config.txt", "mode=already installed\r\n");
    std::string strScript = "[IsStringInFile]\r\n" + m_strDir +
                            "\\config.txt,ALREADY INSTALLED,Y,EXITMATCH\r\n[WriteCmdFile]\r\nWriteFile=" + m_strDir +
                            "\\after.ini\r\nDestDir=X\r\n[End]\r\n";
    fnRunCase(strScript, "", {}, 0);
    EXPECT_FALSE(fnFileExists(m_strDir + "\\after.ini"));
}

TEST_F(FilesSectionsE2E, IsStringInFileNoMatchGoesOn)
{
    fnE2EWriteFile(m_strDir + "\\config.txt", "mode=fresh\r\n");
    std::string strScript = "[IsStringInFile]\r\n" + m_strDir + "\\config.txt,installed,N,EXITMATCH\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST_F(FilesSectionsE2E, MakeDirsCreatesTrees)
{
    fnRunCase("[MakeDirs]\r\n" + m_strDir + "\\app\\bin\\x86\r\n" + m_strDir + "\\app\\data\r\n[End]\r\n", "-q", {}, 0);
    EXPECT_TRUE(fnIsDir(m_strDir + "\\app\\bin\\x86"));
    EXPECT_TRUE(fnIsDir(m_strDir + "\\app\\data"));
}

TEST_F(FilesSectionsE2E, MoveCopyRenameDeleteMatrix)
{
    for (const char *pszName : {"m.txt", "c.txt", "o.txt", "r.txt", "d.txt", "keep.txt"})
        fnE2EWriteFile(m_strDir + "\\" + pszName, std::string("data of ") + pszName);
    fnE2EWriteFile(m_strDir + "\\o-old.txt", "old");
    fnE2EWriteFile(m_strDir + "\\keep-old.txt", "old");
    SetFileAttributesA((m_strDir + "\\o-old.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string strScript = "[MoveFiles]\r\n" +
                            m_strDir + "\\m.txt," + m_strDir + "\\out\\m.txt,M\r\n" +
                            m_strDir + "\\c.txt," + m_strDir + "\\out\\c.txt,C\r\n" +
                            m_strDir + "\\o.txt," + m_strDir + "\\o-old.txt,O\r\n" +
                            m_strDir + "\\keep.txt," + m_strDir + "\\keep-old.txt,C\r\n" +
                            m_strDir + "\\r.txt," + m_strDir + "\\r2.txt,R\r\n" +
                            m_strDir + "\\d.txt,,D\r\n" +
                            m_strDir + "\\absent.txt," + m_strDir + "\\never.txt,M\r\n[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    EXPECT_FALSE(fnFileExists(m_strDir + "\\m.txt"));
    EXPECT_EQ("data of m.txt", fnE2EReadFile(m_strDir + "\\out\\m.txt"));
    EXPECT_EQ("data of c.txt", fnE2EReadFile(m_strDir + "\\c.txt"));
    EXPECT_EQ("data of c.txt", fnE2EReadFile(m_strDir + "\\out\\c.txt"));
    EXPECT_EQ("data of o.txt", fnE2EReadFile(m_strDir + "\\o-old.txt"));
    EXPECT_EQ("old", fnE2EReadFile(m_strDir + "\\keep-old.txt"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\r.txt"));
    EXPECT_EQ("data of r.txt", fnE2EReadFile(m_strDir + "\\r2.txt"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\d.txt"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\never.txt"));
}

TEST_F(FilesSectionsE2E, MoveModePAsksWhatToDoWithEachFile)
{
    for (const char *pszName : {"p1.txt", "p2.txt", "p3.txt"})
        fnE2EWriteFile(m_strDir + "\\" + pszName, std::string("data of ") + pszName);
    // p1: moved (the default), its destination kept when the file chooser
    // is cancelled; p2: Cancel takes no action; p3: deleted.
    std::string strScript = "[MoveFiles]\r\n" +
                            m_strDir + "\\p1.txt," + m_strDir + "\\out\\p1.txt,P\r\n" +
                            m_strDir + "\\p2.txt," + m_strDir + "\\out\\p2.txt,P\r\n" +
                            m_strDir + "\\p3.txt,,P\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {"OK", "Cancel", "Cancel", "Delete this file", "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "The above file may conflict with the installation")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "Move " + m_strDir)) << res;  // the chooser's title
    EXPECT_FALSE(fnFileExists(m_strDir + "\\p1.txt"));
    EXPECT_EQ("data of p1.txt", fnE2EReadFile(m_strDir + "\\out\\p1.txt"));
    EXPECT_EQ("data of p2.txt", fnE2EReadFile(m_strDir + "\\p2.txt"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\out\\p2.txt"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\p3.txt"));
}

TEST_F(FilesSectionsE2E, DeleteFilesTreeAndTreeKeep)
{
    for (const char *pszTop : {"\\gone", "\\kept"}) {
        std::string strTop = m_strDir + pszTop;
        CreateDirectoryA(strTop.c_str(), NULL);
        CreateDirectoryA((strTop + "\\sub").c_str(), NULL);
        fnE2EWriteFile(strTop + "\\a.txt", "a");
        fnE2EWriteFile(strTop + "\\sub\\b.txt", "b");
    }
    fnRunCase("[DeleteFiles]\r\n" + m_strDir + "\\gone\\*.*,TREE\r\n" + m_strDir + "\\kept\\*.*,TREEKEEP\r\n[End]\r\n",
              "-q", {}, 0);
    EXPECT_FALSE(fnFileExists(m_strDir + "\\gone"));
    EXPECT_TRUE(fnIsDir(m_strDir + "\\kept"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\kept\\sub"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\kept\\a.txt"));
}

}  // namespace
