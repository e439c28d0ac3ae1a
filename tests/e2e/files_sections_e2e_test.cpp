// The file test and file change sections run by the real SETUP32.EXE:
// [VersionTest] against the OS version Wine reports, [FileCheck],
// [IsStringInFile] ending the run, [MakeDirs] trees, the move/copy/rename/
// delete matrix and [DeleteFiles] with its tree flags.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

namespace {

const char kszClosing[] = "text: The software has been installed successfully.";

bool fnContains(const std::string &s, const std::string &strPart)
{
    return s.find(strPart) != std::string::npos;
}

bool fnIsDir(const std::string &strPath)
{
    DWORD dw = GetFileAttributesA(strPath.c_str());
    return dw != INVALID_FILE_ATTRIBUTES && (dw & FILE_ATTRIBUTE_DIRECTORY);
}

bool fnExists(const std::string &strPath)
{
    return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(FilesSectionsE2E, VersionTestPassesOnThisWindows)
{
    std::string strDir = fnE2EWorkDir("Files_VersionPass");
    E2ERun run;
    run.strScript = "[VersionTest]\r\nWinVS=3,EQ,Needs the NT family\r\nMessage=Setup stops.\r\n"
                    "WinMajor=5,LE,Needs Windows 2000 or later\r\nMessage=Setup stops.\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST(FilesSectionsE2E, VersionTestLeftOpenAsksAndExitEndsTheRun)
{
    std::string strDir = fnE2EWorkDir("Files_VersionFail");
    E2ERun run;
    run.strScript = "[VersionTest]\r\nWinMajor=99,EQ,Needs Windows 99\r\n[WriteCmdFile]\r\nWriteFile=" + strDir +
                    "\\after.ini\r\nDestDir=X\r\n[End]\r\n";
    run.vecAnswers = {"Cancel"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "Needs Windows 99\\n\\nPress Continue to proceed anyway")) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, kszClosing)) << res;
    EXPECT_FALSE(fnExists(strDir + "\\after.ini"));
}

TEST(FilesSectionsE2E, VersionTestLineWithoutKeywordFailsTheSection)
{
    std::string strDir = fnE2EWorkDir("Files_VersionBad");
    E2ERun run;
    run.strScript = "[VersionTest]\r\nno keyword\r\n[End]\r\n";
    run.vecAnswers = {"OK", "OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(1603u, res.dwExitCode) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "Error is in section: [VersionTest]")) << res;
}

TEST(FilesSectionsE2E, FileCheckMissingFileStopsPresentFileGoesOn)
{
    std::string strDir = fnE2EWorkDir("Files_FileCheck");
    fnE2EWriteFile(strDir + "\\present.txt", "x");
    E2ERun run;
    run.strScript = "[FileCheck]\r\nFile=" + strDir + "\\present.txt,EXIT,,OK\r\nFile=" + strDir +
                    "\\missing.txt,GO,,OK\r\n[FileCheck]\r\nFile=" + strDir + "\\missing.txt,EXIT,,OK,Install it first.\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "missing.txt not found.\\nInstall it first.")) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST(FilesSectionsE2E, IsStringInFileExitMatchEndsWithoutClosingMessage)
{
    std::string strDir = fnE2EWorkDir("Files_StringExit");
    fnE2EWriteFile(strDir + "\\config.txt", "mode=already installed\r\n");
    E2ERun run;
    run.strScript = "[IsStringInFile]\r\n" + strDir + "\\config.txt,ALREADY INSTALLED,Y,EXITMATCH\r\n[WriteCmdFile]\r\nWriteFile=" +
                    strDir + "\\after.ini\r\nDestDir=X\r\n[End]\r\n";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;  // no window at all
    EXPECT_FALSE(fnExists(strDir + "\\after.ini"));
}

TEST(FilesSectionsE2E, IsStringInFileNoMatchGoesOn)
{
    std::string strDir = fnE2EWorkDir("Files_StringGoOn");
    fnE2EWriteFile(strDir + "\\config.txt", "mode=fresh\r\n");
    E2ERun run;
    run.strScript = "[IsStringInFile]\r\n" + strDir + "\\config.txt,installed,N,EXITMATCH\r\n[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, kszClosing)) << res;
}

TEST(FilesSectionsE2E, MakeDirsCreatesTrees)
{
    std::string strDir = fnE2EWorkDir("Files_MakeDirs");
    E2ERun run;
    run.strScript = "[MakeDirs]\r\n" + strDir + "\\app\\bin\\x86\r\n" + strDir + "\\app\\data\r\n[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_TRUE(fnIsDir(strDir + "\\app\\bin\\x86"));
    EXPECT_TRUE(fnIsDir(strDir + "\\app\\data"));
}

TEST(FilesSectionsE2E, MoveCopyRenameDeleteMatrix)
{
    std::string strDir = fnE2EWorkDir("Files_MoveMatrix");
    for (const char *pszName : {"m.txt", "c.txt", "o.txt", "r.txt", "d.txt", "keep.txt"})
        fnE2EWriteFile(strDir + "\\" + pszName, std::string("data of ") + pszName);
    fnE2EWriteFile(strDir + "\\o-old.txt", "old");
    fnE2EWriteFile(strDir + "\\keep-old.txt", "old");
    SetFileAttributesA((strDir + "\\o-old.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    E2ERun run;
    run.strScript = "[MoveFiles]\r\n" +
                    strDir + "\\m.txt," + strDir + "\\out\\m.txt,M\r\n" +
                    strDir + "\\c.txt," + strDir + "\\out\\c.txt,C\r\n" +
                    strDir + "\\o.txt," + strDir + "\\o-old.txt,O\r\n" +
                    strDir + "\\keep.txt," + strDir + "\\keep-old.txt,C\r\n" +
                    strDir + "\\r.txt," + strDir + "\\r2.txt,R\r\n" +
                    strDir + "\\d.txt,,D\r\n" +
                    strDir + "\\absent.txt," + strDir + "\\never.txt,M\r\n[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_FALSE(fnExists(strDir + "\\m.txt"));
    EXPECT_EQ("data of m.txt", fnE2EReadFile(strDir + "\\out\\m.txt"));
    EXPECT_EQ("data of c.txt", fnE2EReadFile(strDir + "\\c.txt"));
    EXPECT_EQ("data of c.txt", fnE2EReadFile(strDir + "\\out\\c.txt"));
    EXPECT_EQ("data of o.txt", fnE2EReadFile(strDir + "\\o-old.txt"));
    EXPECT_EQ("old", fnE2EReadFile(strDir + "\\keep-old.txt"));
    EXPECT_FALSE(fnExists(strDir + "\\r.txt"));
    EXPECT_EQ("data of r.txt", fnE2EReadFile(strDir + "\\r2.txt"));
    EXPECT_FALSE(fnExists(strDir + "\\d.txt"));
    EXPECT_FALSE(fnExists(strDir + "\\never.txt"));
}

TEST(FilesSectionsE2E, MoveModePAsksWhatToDoWithEachFile)
{
    std::string strDir = fnE2EWorkDir("Files_MoveAsk");
    for (const char *pszName : {"p1.txt", "p2.txt", "p3.txt"})
        fnE2EWriteFile(strDir + "\\" + pszName, std::string("data of ") + pszName);
    E2ERun run;
    run.strScript = "[MoveFiles]\r\n" +
                    strDir + "\\p1.txt," + strDir + "\\out\\p1.txt,P\r\n" +
                    strDir + "\\p2.txt," + strDir + "\\out\\p2.txt,P\r\n" +
                    strDir + "\\p3.txt,,P\r\n[End]\r\n";
    run.strArgs = "-q";
    // p1: moved (the default), its destination kept when the file chooser
    // is cancelled; p2: Cancel takes no action; p3: deleted.
    run.vecAnswers = {"OK", "Cancel", "Cancel", "Delete this file", "OK"};
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "The above file may conflict with the installation")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "Move " + strDir)) << res;  // the chooser's title
    EXPECT_FALSE(fnExists(strDir + "\\p1.txt"));
    EXPECT_EQ("data of p1.txt", fnE2EReadFile(strDir + "\\out\\p1.txt"));
    EXPECT_EQ("data of p2.txt", fnE2EReadFile(strDir + "\\p2.txt"));
    EXPECT_FALSE(fnExists(strDir + "\\out\\p2.txt"));
    EXPECT_FALSE(fnExists(strDir + "\\p3.txt"));
}

TEST(FilesSectionsE2E, DeleteFilesTreeAndTreeKeep)
{
    std::string strDir = fnE2EWorkDir("Files_DeleteTree");
    for (const char *pszTop : {"\\gone", "\\kept"}) {
        std::string strTop = strDir + pszTop;
        CreateDirectoryA(strTop.c_str(), NULL);
        CreateDirectoryA((strTop + "\\sub").c_str(), NULL);
        fnE2EWriteFile(strTop + "\\a.txt", "a");
        fnE2EWriteFile(strTop + "\\sub\\b.txt", "b");
    }
    E2ERun run;
    run.strScript = "[DeleteFiles]\r\n" + strDir + "\\gone\\*.*,TREE\r\n" + strDir + "\\kept\\*.*,TREEKEEP\r\n[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_FALSE(fnExists(strDir + "\\gone"));
    EXPECT_TRUE(fnIsDir(strDir + "\\kept"));
    EXPECT_FALSE(fnExists(strDir + "\\kept\\sub"));
    EXPECT_FALSE(fnExists(strDir + "\\kept\\a.txt"));
}

}  // namespace
