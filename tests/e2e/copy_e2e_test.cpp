// Copy-files sections run as a user runs them: the real SETUP32.EXE under
// Wine, its windows answered by the robot, the files checked on disk.
#include <gtest/gtest.h>

#include <string>

#include "../support/test_files.h"
#include "e2e_support.h"

namespace {

const char kszClosing[] = "The software has been installed successfully.";

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
class CopyE2E : public E2ESrcDstCase {
protected:
    // One entry: disk id, source (relative to src), destination (in dst), flags.
    std::string fnEntry(const std::string &strDisk, const std::string &strFrom, const std::string &strTo,
                        const std::string &strFlags) const
    {
        return strDisk + ", " + m_strSrc + "\\" + strFrom + ", " + m_strDst + "\\" + strTo + ", " + strFlags + "\r\n";
    }
};

TEST_F(CopyE2E, PlainEntriesInstallIntoTheirDirectories)
{
    fnE2EWriteFile(m_strSrc + "\\A.TXT", "first");
    fnE2EWriteFile(m_strSrc + "\\B.TXT", "second");
    std::string strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + fnEntry("0", "A.TXT", "A.TXT", "N,N,N") +
                            fnEntry("0", "B.TXT", "sub\\B2.TXT", "N,N,N") + "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, std::string("text: ") + kszClosing)) << res;
    EXPECT_EQ("first", fnE2EReadFile(m_strDst + "\\A.TXT"));
    EXPECT_EQ("second", fnE2EReadFile(m_strDst + "\\sub\\B2.TXT"));
}

TEST_F(CopyE2E, IdenticalFileIsLeftAloneAndANewerOneInstalledWithoutAsking)
{
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_same.dll", m_strSrc + "\\SAME.DLL"));
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_new.dll", m_strSrc + "\\NEW.DLL"));
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_old.dll", m_strDst + "\\SAME.DLL"));
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_old.dll", m_strDst + "\\NEW.DLL"));
    // Marks the existing identical file: it must not be rewritten.
    FILETIME ftOld = {0x12345678, 0x01C00000};
    HANDLE h = CreateFileA((m_strDst + "\\SAME.DLL").c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    SetFileTime(h, NULL, NULL, &ftOld);
    CloseHandle(h);
    std::string strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + fnEntry("0", "SAME.DLL", "SAME.DLL", "V,N,N") +
                            fnEntry("0", "NEW.DLL", "NEW.DLL", "T,N,N") + "[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    WIN32_FILE_ATTRIBUTE_DATA fad;
    ASSERT_TRUE(GetFileAttributesExA((m_strDst + "\\SAME.DLL").c_str(), GetFileExInfoStandard, &fad));
    EXPECT_EQ(ftOld.dwLowDateTime, fad.ftLastWriteTime.dwLowDateTime);
    EXPECT_TRUE(fnE2EReadFile(fnProgramDir() + "\\ver_new.dll") == fnE2EReadFile(m_strDst + "\\NEW.DLL"));
}

TEST_F(CopyE2E, OlderFileAsksWithBothVersionListsAndForceInstallsWithoutAsking)
{
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_old.dll", m_strSrc + "\\LIB.DLL"));
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_new.dll", m_strDst + "\\ASK.DLL"));
    ASSERT_TRUE(fnCopy(fnProgramDir() + "\\ver_new.dll", m_strDst + "\\FORCE.DLL"));
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strTrace = std::string(szTemp) + "KRVloDbg.LOG";
    DeleteFileA(strTrace.c_str());
    std::string strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + fnEntry("0", "LIB.DLL", "ASK.DLL", "T,N,N") +
                            fnEntry("0", "LIB.DLL", "FORCE.DLL", "T,F,N") + "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q -v=3", {"Keep existing file"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: The new file is older than the existing file.")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: ASK.DLL")) << res;
    EXPECT_TRUE(fnE2EReadFile(fnProgramDir() + "\\ver_new.dll") == fnE2EReadFile(m_strDst + "\\ASK.DLL"));
    EXPECT_TRUE(fnE2EReadFile(fnProgramDir() + "\\ver_old.dll") == fnE2EReadFile(m_strDst + "\\FORCE.DLL"));
    // The two lists: the existing file's version data, then the new file's.
    std::string strLog = fnE2EReadFile(strTrace);
    size_t uExisting = strLog.find("Existing=" + m_strDst + "\\ASK.DLL");
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
    HANDLE hFind = FindFirstFileA((m_strDst + "\\_VS*").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind);
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
}

TEST_F(CopyE2E, BackupModesKeepTheOldFile)
{
    fnE2EWriteFile(m_strSrc + "\\README.TXT", "new text");
    fnE2EWriteFile(m_strDst + "\\README.TXT", "old text");
    fnE2EWriteFile(m_strDst + "\\NOTES.TXT", "old notes");
    fnE2EWriteFile(m_strDst + "\\NOTES.ORI", "older notes");
    fnE2EWriteFile(m_strDst + "\\KEEP.TXT", "keep me");
    std::string strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + fnEntry("0", "README.TXT", "README.TXT", "N,N,B") +
                            fnEntry("0", "README.TXT", "NOTES.TXT", "N,N,B") +
                            fnEntry("0", "README.TXT", "KEEP.TXT", "N,N,S") + "[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    EXPECT_EQ("new text", fnE2EReadFile(m_strDst + "\\README.TXT"));
    EXPECT_EQ("old text", fnE2EReadFile(m_strDst + "\\README.ORI"));
    EXPECT_EQ("new text", fnE2EReadFile(m_strDst + "\\NOTES.TXT"));
    EXPECT_EQ("older notes", fnE2EReadFile(m_strDst + "\\NOTES.ORI"));
    EXPECT_EQ("old notes", fnE2EReadFile(m_strDst + "\\NOTES.{00}.SAV.TXT"));
    EXPECT_EQ("keep me", fnE2EReadFile(m_strDst + "\\KEEP.TXT"));
}

TEST_F(CopyE2E, ExistingFileDialogChoosesUniqueName)
{
    fnE2EWriteFile(m_strSrc + "\\DATA.TXT", "new");
    fnE2EWriteFile(m_strDst + "\\DATA.TXT", "old");
    std::string strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" +
                            fnEntry("0", "DATA.TXT", "DATA.TXT", "N,N,P") + "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {"Install file with unique name"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: already exists in:")) << res;
    EXPECT_EQ("old", fnE2EReadFile(m_strDst + "\\DATA.TXT"));
    // The default backup method names the side-by-side copy NAME.ORI.
    EXPECT_EQ("new", fnE2EReadFile(m_strDst + "\\DATA.ORI"));
}

TEST_F(CopyE2E, FileInUseIsStagedAndScheduledForTheRestart)
{
    fnE2EWriteFile(m_strSrc + "\\BUSY.DLL", "replacement");
    fnE2EWriteFile(m_strDst + "\\BUSY.DLL", "running");
    // This process holds the destination open without sharing, as a running
    // program holds its DLL.
    HANDLE hHold = CreateFileA((m_strDst + "\\BUSY.DLL").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    E2EResult res =
        fnRunCase("[CopyFiles]\r\nBeQuiet=Y\r\n" + fnEntry("0", "BUSY.DLL", "BUSY.DLL", "NR,N,N") + "[End]\r\n", "-q",
                  {"No"}, 3010);
    CloseHandle(hHold);
    // The restart is asked for at the end, and declining it leaves 3010.
    EXPECT_TRUE(fnContains(res.strTranscript, "Windows must restart to complete installation.")) << res;
    EXPECT_EQ("running", fnE2EReadFile(m_strDst + "\\BUSY.DLL"));
    EXPECT_EQ("replacement", fnE2EReadFile(m_strDst + "\\BUSY.{00}.SAV.DLL"));
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

TEST_F(CopyE2E, ThreePartsJoinIntoOneFile)
{
    fnE2EWriteFile(m_strSrc + "\\P1.BIN", "one-");
    fnE2EWriteFile(m_strSrc + "\\P2.BIN", "two-");
    fnE2EWriteFile(m_strSrc + "\\P3.BIN", "three");
    fnE2EWriteFile(m_strDst + "\\RAW.BIN", "stale");
    std::string strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + fnEntry("0", "P1.BIN", "WHOLE.BIN", "N,JN1,N") +
                            fnEntry("0", "P2.BIN", "WHOLE.BIN", "N,JN2,N") +
                            fnEntry("0", "P3.BIN", "WHOLE.BIN", "N,JN0,N") +
                            fnEntry("0", "P1.BIN", "RAW.BIN", "R,JN1,N") +
                            fnEntry("0", "P3.BIN", "RAW.BIN", "R,JN0,N") + "[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    EXPECT_EQ("one-two-three", fnE2EReadFile(m_strDst + "\\WHOLE.BIN"));
    EXPECT_EQ("one-three", fnE2EReadFile(m_strDst + "\\RAW.BIN"));
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((std::string(szTemp) + "_RJ*").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind);
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
}

TEST_F(CopyE2E, WildcardsWithAndWithoutSubdirectoriesExpandCompressedFiles)
{
    fnE2EWriteFile(m_strSrc + "\\ONE.TXT", "1");
    CreateDirectoryA((m_strSrc + "\\deep").c_str(), NULL);
    fnE2EWriteFile(m_strSrc + "\\deep\\TWO.TXT", "2");
    ASSERT_TRUE(fnCopy(fnFixtureData("SZDDDATA.DL_"), m_strSrc + "\\SZDDDATA.DL_"));
    ASSERT_TRUE(fnCopy(fnFixtureData("CABDATA.TX_"), m_strSrc + "\\CABDATA.TX_"));
    std::string strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + fnEntry("0", "*.TXT", "flat\\X", "N,N,N") +
                            fnEntry("0", "*.TXT", "tree\\X", "+N,N,N") + fnEntry("0", "*.*_", "packed\\X", "N,N,N") +
                            "[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    EXPECT_EQ("1", fnE2EReadFile(m_strDst + "\\flat\\ONE.TXT"));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\flat\\deep"));
    EXPECT_EQ("1", fnE2EReadFile(m_strDst + "\\tree\\ONE.TXT"));
    EXPECT_EQ("2", fnE2EReadFile(m_strDst + "\\tree\\deep\\TWO.TXT"));
    EXPECT_EQ(fnE2EReadFile(fnFixtureData("SZDDDATA.DLL")), fnE2EReadFile(m_strDst + "\\packed\\SZDDDATA.DLL"));
    EXPECT_EQ(fnE2EReadFile(fnFixtureData("CABDATA.TX_")), fnE2EReadFile(m_strDst + "\\packed\\CABDATA.TXT"));
}

TEST_F(CopyE2E, MissingSourceIsSkippedSilentlyOnDiskZeroAndAskedForOnDiskOne)
{
    fnE2EWriteFile(m_strSrc + "\\HERE.TXT", "here");
    std::string strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + fnEntry("0", "GONE0.TXT", "GONE0.TXT", "N,N,N") +
                            fnEntry("1", "GONE1.TXT", "GONE1.TXT", "N,N,N") +
                            fnEntry("0", "HERE.TXT", "HERE.TXT", "N,N,N") + "[Disks]\r\n1=Program disk one\r\n" +
                            "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {"SkipFile"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: Insert disk or specify location:")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: Program disk one")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: GONE1.TXT")) << res;
    EXPECT_EQ("here", fnE2EReadFile(m_strDst + "\\HERE.TXT"));
}

TEST_F(CopyE2E, BadEntryFailsTheSectionWithTheLineNumber)
{
    fnE2EWriteFile(m_strSrc + "\\A.TXT", "a");
    std::string strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n" + fnEntry("0", "A.TXT", "A.TXT", "N,N,N") +
                            fnEntry("0", "A.TXT", "B.TXT", "NNNNN,N,N") + "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK", "OK", "OK"}, 1603);
    EXPECT_TRUE(fnContains(res.strTranscript, "Error reading line 2 in section [CopyFiles]")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "The software has not been successfully installed.")) << res;
    EXPECT_EQ("a", fnE2EReadFile(m_strDst + "\\A.TXT"));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\B.TXT"));
}

}  // namespace
