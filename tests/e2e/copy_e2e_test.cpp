// Copy-files sections run as a user runs them: the real SETUP32.EXE under
// Wine, its windows answered by the robot, the files checked on disk.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

namespace {

const char kszClosing[] = "The software has been installed successfully.";

bool fnContains(const std::string &s, const std::string &strPart)
{
    return s.find(strPart) != std::string::npos;
}

bool fnExists(const std::string &strPath)
{
    return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder of this test program, where the version test DLLs are built.
std::string fnProgramDir()
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string str = szPath;
    return str.substr(0, str.rfind('\\'));
}

std::string fnFixtureData(const char *pszName)
{
    return fnE2EWinePath(std::string(SETUP32_E2E_SOURCE_DIR) + "/tests/fixtures/data/") + pszName;
}

bool fnCopy(const std::string &strFrom, const std::string &strTo)
{
    return CopyFileA(strFrom.c_str(), strTo.c_str(), FALSE) != 0;
}

// A work dir with a "src" folder of source files and an empty "dst" folder.
struct CopyCase {
    std::string strDir, strSrc, strDst;
    explicit CopyCase(const char *pszName)
    {
        strDir = fnE2EWorkDir(pszName);
        strSrc = strDir + "\\src";
        strDst = strDir + "\\dst";
        CreateDirectoryA(strSrc.c_str(), NULL);
        CreateDirectoryA(strDst.c_str(), NULL);
    }
    // One entry: disk id, source (relative to src), destination (in dst), flags.
    std::string fnEntry(const std::string &strDisk, const std::string &strFrom, const std::string &strTo,
                        const std::string &strFlags) const
    {
        return strDisk + ", " + strSrc + "\\" + strFrom + ", " + strDst + "\\" + strTo + ", " + strFlags + "\r\n";
    }
};

TEST(CopyE2E, PlainEntriesInstallIntoTheirDirectories)
{
    CopyCase c("Copy_Plain");
    fnE2EWriteFile(c.strSrc + "\\A.TXT", "first");
    fnE2EWriteFile(c.strSrc + "\\B.TXT", "second");
    E2ERun run;
    run.strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + c.fnEntry("0", "A.TXT", "A.TXT", "N,N,N") +
                    c.fnEntry("0", "B.TXT", "sub\\B2.TXT", "N,N,N") + "[End]\r\n";
    run.vecAnswers = {"OK"};
    E2EResult res = fnE2ERun(c.strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, std::string("text: ") + kszClosing)) << res;
    EXPECT_EQ("first", fnE2EReadFile(c.strDst + "\\A.TXT"));
    EXPECT_EQ("second", fnE2EReadFile(c.strDst + "\\sub\\B2.TXT"));
}

TEST(CopyE2E, IdenticalFileIsLeftAloneAndANewerOneInstalledWithoutAsking)
{
    CopyCase c("Copy_VersionSame");
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_same.dll", c.strSrc + "\\SAME.DLL"));
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_new.dll", c.strSrc + "\\NEW.DLL"));
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_old.dll", c.strDst + "\\SAME.DLL"));
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_old.dll", c.strDst + "\\NEW.DLL"));
    // Marks the existing identical file: it must not be rewritten.
    FILETIME ftOld = {0x12345678, 0x01C00000};
    HANDLE h = CreateFileA((c.strDst + "\\SAME.DLL").c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    SetFileTime(h, NULL, NULL, &ftOld);
    CloseHandle(h);
    E2ERun run;
    run.strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + c.fnEntry("0", "SAME.DLL", "SAME.DLL", "V,N,N") +
                    c.fnEntry("0", "NEW.DLL", "NEW.DLL", "T,N,N") + "[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(c.strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    WIN32_FILE_ATTRIBUTE_DATA fad;
    ASSERT_TRUE(GetFileAttributesExA((c.strDst + "\\SAME.DLL").c_str(), GetFileExInfoStandard, &fad));
    EXPECT_EQ(ftOld.dwLowDateTime, fad.ftLastWriteTime.dwLowDateTime);
    EXPECT_TRUE(fnE2EReadFile(fnProgramDir() + "\\ver_new.dll") == fnE2EReadFile(c.strDst + "\\NEW.DLL"));
}

TEST(CopyE2E, OlderFileAsksWithBothVersionListsAndForceInstallsWithoutAsking)
{
    CopyCase c("Copy_VersionOlder");
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_old.dll", c.strSrc + "\\LIB.DLL"));
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_new.dll", c.strDst + "\\ASK.DLL"));
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_new.dll", c.strDst + "\\FORCE.DLL"));
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strTrace = std::string(szTemp) + "KRVloDbg.LOG";
    DeleteFileA(strTrace.c_str());
    E2ERun run;
    run.strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + c.fnEntry("0", "LIB.DLL", "ASK.DLL", "T,N,N") +
                    c.fnEntry("0", "LIB.DLL", "FORCE.DLL", "T,F,N") + "[End]\r\n";
    run.strArgs = "-q -v=3";
    run.vecAnswers = {"Keep existing file"};
    E2EResult res = fnE2ERun(c.strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: The new file is older than the existing file.")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: ASK.DLL")) << res;
    EXPECT_TRUE(fnE2EReadFile(fnProgramDir() + "\\ver_new.dll") == fnE2EReadFile(c.strDst + "\\ASK.DLL"));
    EXPECT_TRUE(fnE2EReadFile(fnProgramDir() + "\\ver_old.dll") == fnE2EReadFile(c.strDst + "\\FORCE.DLL"));
    // The two lists: the existing file's version data, then the new file's.
    std::string strLog = fnE2EReadFile(strTrace);
    size_t uExisting = strLog.find("Existing=" + c.strDst + "\\ASK.DLL");
    ASSERT_NE(std::string::npos, uExisting) << strLog.substr(0, 2000);
    size_t uNew = strLog.find("New=", uExisting);
    ASSERT_NE(std::string::npos, uNew);
    std::string strOldRows = strLog.substr(uExisting, uNew - uExisting);
    std::string strNewRows = strLog.substr(uNew, 1500);
    EXPECT_TRUE(fnContains(strOldRows, "File version\t5.1.2600.0")) << strOldRows;
    EXPECT_TRUE(fnContains(strOldRows, "Copyright\t(C) New Corp")) << strOldRows;
    EXPECT_TRUE(fnContains(strOldRows, "File type\tDynamic-link library")) << strOldRows;
    EXPECT_TRUE(fnContains(strNewRows, "File version\t1.0.0.0")) << strNewRows;
    EXPECT_TRUE(fnContains(strNewRows, "Copyright\t(C) Old Corp")) << strNewRows;
    // No "_VS" temporary file is left beside the destination.
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((c.strDst + "\\_VS*").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind);
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
}

TEST(CopyE2E, BackupModesKeepTheOldFile)
{
    CopyCase c("Copy_Backup");
    fnE2EWriteFile(c.strSrc + "\\README.TXT", "new text");
    fnE2EWriteFile(c.strDst + "\\README.TXT", "old text");
    fnE2EWriteFile(c.strDst + "\\NOTES.TXT", "old notes");
    fnE2EWriteFile(c.strDst + "\\NOTES.ORI", "older notes");
    fnE2EWriteFile(c.strDst + "\\KEEP.TXT", "keep me");
    E2ERun run;
    run.strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + c.fnEntry("0", "README.TXT", "README.TXT", "N,N,B") +
                    c.fnEntry("0", "README.TXT", "NOTES.TXT", "N,N,B") +
                    c.fnEntry("0", "README.TXT", "KEEP.TXT", "N,N,S") + "[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(c.strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ("new text", fnE2EReadFile(c.strDst + "\\README.TXT"));
    EXPECT_EQ("old text", fnE2EReadFile(c.strDst + "\\README.ORI"));
    EXPECT_EQ("new text", fnE2EReadFile(c.strDst + "\\NOTES.TXT"));
    EXPECT_EQ("older notes", fnE2EReadFile(c.strDst + "\\NOTES.ORI"));
    EXPECT_EQ("old notes", fnE2EReadFile(c.strDst + "\\NOTES.{00}.SAV.TXT"));
    EXPECT_EQ("keep me", fnE2EReadFile(c.strDst + "\\KEEP.TXT"));
}

TEST(CopyE2E, ExistingFileDialogChoosesUniqueName)
{
    CopyCase c("Copy_AskExisting");
    fnE2EWriteFile(c.strSrc + "\\DATA.TXT", "new");
    fnE2EWriteFile(c.strDst + "\\DATA.TXT", "old");
    E2ERun run;
    run.strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" +
                    c.fnEntry("0", "DATA.TXT", "DATA.TXT", "N,N,P") + "[End]\r\n";
    run.strArgs = "-q";
    run.vecAnswers = {"Install file with unique name"};
    E2EResult res = fnE2ERun(c.strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: already exists in:")) << res;
    EXPECT_EQ("old", fnE2EReadFile(c.strDst + "\\DATA.TXT"));
    // The default backup method names the side-by-side copy NAME.ORI.
    EXPECT_EQ("new", fnE2EReadFile(c.strDst + "\\DATA.ORI"));
}

TEST(CopyE2E, FileInUseIsStagedAndScheduledForTheRestart)
{
    CopyCase c("Copy_InUse");
    fnE2EWriteFile(c.strSrc + "\\BUSY.DLL", "replacement");
    fnE2EWriteFile(c.strDst + "\\BUSY.DLL", "running");
    // This process holds the destination open without sharing, as a running
    // program holds its DLL.
    HANDLE hHold = CreateFileA((c.strDst + "\\BUSY.DLL").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    E2ERun run;
    run.strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + c.fnEntry("0", "BUSY.DLL", "BUSY.DLL", "NR,N,N") + "[End]\r\n";
    run.strArgs = "-q";
    run.vecAnswers = {"No"};
    E2EResult res = fnE2ERun(c.strDir, run);
    CloseHandle(hHold);
    // The restart is asked for at the end, and declining it leaves 3010.
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_EQ(3010u, res.dwExitCode) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "Windows must restart to complete installation.")) << res;
    EXPECT_EQ("running", fnE2EReadFile(c.strDst + "\\BUSY.DLL"));
    EXPECT_EQ("replacement", fnE2EReadFile(c.strDst + "\\BUSY.{00}.SAV.DLL"));
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                                           0, KEY_READ, &hKey));
    char abData[8192] = {};
    DWORD cbData = sizeof(abData) - 2, dwType = 0;
    LONG lRC = RegQueryValueExA(hKey, "PendingFileRenameOperations", NULL, &dwType, (BYTE *)abData, &cbData);
    RegCloseKey(hKey);
    ASSERT_EQ(ERROR_SUCCESS, lRC);
    std::string strPending(abData, cbData);
    EXPECT_TRUE(fnContains(strPending, "BUSY.{00}.SAV.DLL")) << strPending;
    EXPECT_TRUE(fnContains(strPending, "dst\\BUSY.DLL")) << strPending;
}

TEST(CopyE2E, ThreePartsJoinIntoOneFile)
{
    CopyCase c("Copy_Join");
    fnE2EWriteFile(c.strSrc + "\\P1.BIN", "one-");
    fnE2EWriteFile(c.strSrc + "\\P2.BIN", "two-");
    fnE2EWriteFile(c.strSrc + "\\P3.BIN", "three");
    E2ERun run;
    run.strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + c.fnEntry("0", "P1.BIN", "WHOLE.BIN", "N,JN1,N") +
                    c.fnEntry("0", "P2.BIN", "WHOLE.BIN", "N,JN2,N") + c.fnEntry("0", "P3.BIN", "WHOLE.BIN", "N,JN0,N") +
                    c.fnEntry("0", "P1.BIN", "RAW.BIN", "R,JN1,N") + c.fnEntry("0", "P3.BIN", "RAW.BIN", "R,JN0,N") +
                    "[End]\r\n";
    run.strArgs = "-q";
    fnE2EWriteFile(c.strDst + "\\RAW.BIN", "stale");
    E2EResult res = fnE2ERun(c.strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ("one-two-three", fnE2EReadFile(c.strDst + "\\WHOLE.BIN"));
    EXPECT_EQ("one-three", fnE2EReadFile(c.strDst + "\\RAW.BIN"));
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((std::string(szTemp) + "_RJ*").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind);
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
}

TEST(CopyE2E, WildcardsWithAndWithoutSubdirectoriesExpandCompressedFiles)
{
    CopyCase c("Copy_Wild");
    fnE2EWriteFile(c.strSrc + "\\ONE.TXT", "1");
    CreateDirectoryA((c.strSrc + "\\deep").c_str(), NULL);
    fnE2EWriteFile(c.strSrc + "\\deep\\TWO.TXT", "2");
    ASSERT_TRUE(fnCopy(fnFixtureData("SZDDDATA.DL_"), c.strSrc + "\\SZDDDATA.DL_"));
    ASSERT_TRUE(fnCopy(fnFixtureData("CABDATA.TX_"), c.strSrc + "\\CABDATA.TX_"));
    E2ERun run;
    run.strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + c.fnEntry("0", "*.TXT", "flat\\X", "N,N,N") +
                    c.fnEntry("0", "*.TXT", "tree\\X", "+N,N,N") + c.fnEntry("0", "*.*_", "packed\\X", "N,N,N") +
                    "[End]\r\n";
    run.strArgs = "-q";
    E2EResult res = fnE2ERun(c.strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ("1", fnE2EReadFile(c.strDst + "\\flat\\ONE.TXT"));
    EXPECT_FALSE(fnExists(c.strDst + "\\flat\\deep"));
    EXPECT_EQ("1", fnE2EReadFile(c.strDst + "\\tree\\ONE.TXT"));
    EXPECT_EQ("2", fnE2EReadFile(c.strDst + "\\tree\\deep\\TWO.TXT"));
    EXPECT_EQ(fnE2EReadFile(fnFixtureData("SZDDDATA.DLL")), fnE2EReadFile(c.strDst + "\\packed\\SZDDDATA.DLL"));
    EXPECT_EQ(fnE2EReadFile(fnFixtureData("CABDATA.TX_")), fnE2EReadFile(c.strDst + "\\packed\\CABDATA.TXT"));
}

TEST(CopyE2E, MissingSourceIsSkippedSilentlyOnDiskZeroAndAskedForOnDiskOne)
{
    CopyCase c("Copy_Missing");
    fnE2EWriteFile(c.strSrc + "\\HERE.TXT", "here");
    E2ERun run;
    run.strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + c.fnEntry("0", "GONE0.TXT", "GONE0.TXT", "N,N,N") +
                    c.fnEntry("1", "GONE1.TXT", "GONE1.TXT", "N,N,N") + c.fnEntry("0", "HERE.TXT", "HERE.TXT", "N,N,N") +
                    "[Disks]\r\n1=Program disk one\r\n[End]\r\n";
    run.strArgs = "-q";
    run.vecAnswers = {"SkipFile"};
    E2EResult res = fnE2ERun(c.strDir, run);
    EXPECT_EQ(0u, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: Insert disk or specify location:")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: Program disk one")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: GONE1.TXT")) << res;
    EXPECT_EQ("here", fnE2EReadFile(c.strDst + "\\HERE.TXT"));
}

TEST(CopyE2E, BadEntryFailsTheSectionWithTheLineNumber)
{
    CopyCase c("Copy_BadLine");
    fnE2EWriteFile(c.strSrc + "\\A.TXT", "a");
    E2ERun run;
    run.strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + c.fnEntry("0", "A.TXT", "A.TXT", "N,N,N") +
                    c.fnEntry("0", "A.TXT", "B.TXT", "NNNNN,N,N") + "[End]\r\n";
    run.vecAnswers = {"OK", "OK", "OK"};
    E2EResult res = fnE2ERun(c.strDir, run);
    EXPECT_EQ(1603u, res.dwExitCode) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "Error reading line 2 in section [CopyFiles]")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "The software has not been successfully installed.")) << res;
    EXPECT_EQ("a", fnE2EReadFile(c.strDst + "\\A.TXT"));
    EXPECT_FALSE(fnExists(c.strDst + "\\B.TXT"));
}

}  // namespace
