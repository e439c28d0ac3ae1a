// One-file installation against the real file system, version library, LZ
// expansion library and registry: compressed sources, the copy steps and
// their result bits, appends, rename lines, and whole entries run quietly.
#include <gtest/gtest.h>

#include <windows.h>
#include <winver.h>

#include <string>

#include "files/copy_status.h"
#include "base/path.h"
#include "files/install.h"
#include "files/install_copy.h"
#include "files/install_ops.h"
#include "files/install_wild.h"
#include "files/lz.h"
#include "run/controls.h"
#include "resource.h"
#include "run/run_state.h"
#include "run/text.h"
#include "support/test_files.h"

namespace {

// The fixture files committed beside the tests, as Wine sees them.
std::string fnFixtureData(const char *pszName)
{
    std::string strPath = std::string("Z:") + SETUP32_SOURCE_DIR + "/tests/fixtures/data/" + pszName;
    for (char &c : strPath)
        if (c == '/')
            c = '\\';
    return strPath;
}

// The version test DLLs built beside this program.
std::string fnFixtureDll(const char *pszName)
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string str = szPath;
    return str.substr(0, str.rfind('\\') + 1) + pszName;
}

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        g_bQuiet = TRUE;
        g_bWinNT = TRUE;
        g_uBackUpMethod = 501;
        m_strDir = fnTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_strSrc = m_strDir + "\\src";
        m_strDst = m_strDir + "\\dst";
        CreateDirectoryA(m_strSrc.c_str(), NULL);
        CreateDirectoryA(m_strDst.c_str(), NULL);
    }
    void TearDown() override { fnClearRunState(); }

    // An entry as a copy section fills it: normal modes, no prompts.
    void fnEntry(IFStruct *pIF, const char *pszSrc, const char *pszDst)
    {
        memset(pIF, 0, sizeof(*pIF));
        pIF->uInstallMode = kInstallNormal;
        pIF->uInUseAction = kInUseAsk;
        pIF->uVerAction = kVerActAsk;
        pIF->uCopyMode = kCopyNormal;
        pIF->uJoinCopyMode = kCopyNormal;
        pIF->uBackupMode = kBackupOverwrite;
        pIF->uJoinPart = kJoinNone;
        fnCopyText(pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), m_strSrc.c_str());
        fnCopyText(pIF->szSrcFileName, COUNTOF(pIF->szSrcFileName), pszSrc);
        fnCopyText(pIF->szDstDir, COUNTOF(pIF->szDstDir), m_strDst.c_str());
        fnCopyText(pIF->szDstFileName, COUNTOF(pIF->szDstFileName), pszDst);
    }
    bool fnCopyIn(const std::string &strFrom, const std::string &strTo)
    {
        return CopyFileA(strFrom.c_str(), strTo.c_str(), FALSE) != 0;
    }
    std::string m_strDir, m_strSrc, m_strDst;
};

TEST_F(InstallTest, CompressedSourcesNameTheirTargets)
{
    ASSERT_TRUE(fnCopyIn(fnFixtureData("SZDDDATA.DL_"), m_strSrc + "\\SZDDDATA.DL_"));
    ASSERT_TRUE(fnCopyIn(fnFixtureData("CABDATA.TX_"), m_strSrc + "\\CABDATA.TX_"));
    fnWriteWholeFile(m_strSrc + "\\PLAIN.TX_", "not compressed");
    fnWriteWholeFile(m_strSrc + "\\EMPTY.TX_", "");
    char szName[MAX_PATH];
    EXPECT_EQ(1, fnExpandedFileName((m_strSrc + "\\SZDDDATA.DL_").c_str(), szName, sizeof(szName)));
    EXPECT_STREQ("SZDDDATA.DLL", szName);
    EXPECT_EQ(1, fnExpandedFileName((m_strSrc + "\\CABDATA.TX_").c_str(), szName, sizeof(szName)));
    EXPECT_STREQ("CABDATA.TXT", szName);
    EXPECT_EQ(1, fnExpandedFileName((m_strSrc + "\\PLAIN.TX_").c_str(), szName, sizeof(szName)));
    EXPECT_STREQ("PLAIN.TX_", szName);
    EXPECT_EQ(0, fnExpandedFileName((m_strSrc + "\\EMPTY.TX_").c_str(), szName, sizeof(szName)));
    EXPECT_EQ(0, fnExpandedFileName((m_strSrc + "\\MISSING.TX_").c_str(), szName, sizeof(szName)));
}

TEST_F(InstallTest, ExpandCopyExpandsSzddByteForByteAndCopiesOtherFiles)
{
    ASSERT_TRUE(fnCopyIn(fnFixtureData("SZDDDATA.DL_"), m_strSrc + "\\SZDDDATA.DL_"));
    fnWriteWholeFile(m_strSrc + "\\PLAIN.TXT", "plain text");
    EXPECT_EQ(0u, fnExpandCopyFile(m_strSrc.c_str(), "SZDDDATA.DL_", m_strDst.c_str(), "SZDDDATA.DLL", FALSE));
    EXPECT_TRUE(fnReadWholeFile(fnFixtureData("SZDDDATA.DLL")) == fnReadWholeFile(m_strDst + "\\SZDDDATA.DLL"));
    // A read-only target is replaced; the copy gets the source's time.
    fnWriteWholeFile(m_strDst + "\\PLAIN.TXT", "old and longer text");
    SetFileAttributesA((m_strDst + "\\PLAIN.TXT").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0u, fnExpandCopyFile(m_strSrc.c_str(), "PLAIN.TXT", m_strDst.c_str(), "PLAIN.TXT", FALSE));
    EXPECT_EQ("plain text", fnReadWholeFile(m_strDst + "\\PLAIN.TXT"));
    EXPECT_EQ(0u, GetFileAttributesA((m_strDst + "\\PLAIN.TXT").c_str()) & FILE_ATTRIBUTE_READONLY);
    FILETIME ftSrc, ftDst;
    ASSERT_TRUE(fnGetFileTime((m_strSrc + "\\PLAIN.TXT").c_str(), &ftSrc));
    ASSERT_TRUE(fnGetFileTime((m_strDst + "\\PLAIN.TXT").c_str(), &ftDst));
    EXPECT_EQ(0, CompareFileTime(&ftSrc, &ftDst));
    EXPECT_EQ((DWORD)VIF_CANNOTREADSRC,
              fnExpandCopyFile(m_strSrc.c_str(), "MISSING.TXT", m_strDst.c_str(), "M.TXT", FALSE));
}

TEST_F(InstallTest, TargetHeldOpenKeepsItsContentAndReportsTheSharingViolation)
{
    fnWriteWholeFile(m_strSrc + "\\NEW.TXT", "new");
    fnWriteWholeFile(m_strDst + "\\HELD.TXT", "held");
    HANDLE hHold = CreateFileA((m_strDst + "\\HELD.TXT").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    DWORD dwAsIs = fnCopyFileAsIs(m_strSrc.c_str(), "NEW.TXT", m_strDst.c_str(), "HELD.TXT", FALSE);
    DWORD dwExpand = fnExpandCopyFile(m_strSrc.c_str(), "NEW.TXT", m_strDst.c_str(), "HELD.TXT", FALSE);
    CloseHandle(hHold);
    EXPECT_EQ((DWORD)VIF_SHARINGVIOLATION, dwAsIs);
    EXPECT_TRUE(dwExpand & (VIF_SHARINGVIOLATION | VIF_ACCESSVIOLATION)) << dwExpand;
    EXPECT_EQ("held", fnReadWholeFile(m_strDst + "\\HELD.TXT"));
}

TEST_F(InstallTest, CopyAsIsReportsAWriteProtectedTarget)
{
    fnWriteWholeFile(m_strSrc + "\\NEW.TXT", "new");
    fnWriteWholeFile(m_strDst + "\\RO.TXT", "read-only");
    SetFileAttributesA((m_strDst + "\\RO.TXT").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ((DWORD)VIF_WRITEPROT, fnCopyFileAsIs(m_strSrc.c_str(), "NEW.TXT", m_strDst.c_str(), "RO.TXT", FALSE));
    EXPECT_EQ("read-only", fnReadWholeFile(m_strDst + "\\RO.TXT"));
    SetFileAttributesA((m_strDst + "\\RO.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(0u, fnCopyFileAsIs(m_strSrc.c_str(), "NEW.TXT", m_strDst.c_str(), "RO.TXT", FALSE));
    EXPECT_EQ("new", fnReadWholeFile(m_strDst + "\\RO.TXT"));
}

struct VersionCase {
    const char *pszNew, *pszOld;
    unsigned uMode;
    DWORD dwFlags;
    DWORD dwExpected;
    const char *pszResult;  // which file the destination holds afterwards
};

TEST_F(InstallTest, VersionComparisonGivesTheMismatchBits)
{
    const VersionCase aCases[] = {
        {"ver_same.dll", "ver_old.dll", kInstallV, 0, 0, "ver_old.dll"},
        {"ver_old.dll", "ver_new.dll", kInstallT, 0, VIF_TEMPFILE | VIF_MISMATCH | VIF_SRCOLD, "ver_new.dll"},
        {"ver_otherlang.dll", "ver_old.dll", kInstallS, 0, VIF_TEMPFILE | VIF_MISMATCH | VIF_DIFFLANG, "ver_old.dll"},
        {"ver_debug.dll", "ver_old.dll", kInstallM, 0, VIF_TEMPFILE | VIF_MISMATCH | VIF_DIFFTYPE, "ver_old.dll"},
        {"ver_old.dll", "ver_new.dll", kInstallT, VIFF_FORCEINSTALL, 0, "ver_old.dll"},
        {"ver_old.dll", "ver_new.dll", kInstallNormal, 0, 0, "ver_old.dll"},
    };
    for (const VersionCase &c : aCases) {
        SCOPED_TRACE(std::string(c.pszNew) + " over " + c.pszOld);
        std::string strDst = m_strDst + "\\TARGET.DLL";
        SetFileAttributesA(strDst.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(fnCopyIn(fnFixtureDll(c.pszNew), m_strSrc + "\\NEW.DLL"));
        ASSERT_TRUE(fnCopyIn(fnFixtureDll(c.pszOld), strDst));
        char szTemp[MAX_PATH] = "x";
        DWORD dwBits = fnVerInstallFile(c.dwFlags, "NEW.DLL", "TARGET.DLL", m_strSrc.c_str(), m_strDst.c_str(), "",
                                        szTemp, sizeof(szTemp), c.uMode, FALSE);
        EXPECT_EQ(c.dwExpected, dwBits);
        EXPECT_TRUE(fnReadWholeFile(fnFixtureDll(c.pszResult)) == fnReadWholeFile(strDst));
        if (dwBits & VIF_TEMPFILE) {
            // The new file waits in a "_VS" file beside the destination.
            EXPECT_TRUE(fnFileExists(szTemp)) << szTemp;
            EXPECT_NE(nullptr, strstr(szTemp, "_VS"));
            DeleteFileA(szTemp);
        } else {
            EXPECT_STREQ("", szTemp);
        }
    }
}

TEST_F(InstallTest, AppendAddsAWholeFileAndReportsAMissingOne)
{
    std::string strBig(100000, 'x');
    fnWriteWholeFile(m_strSrc + "\\BIG", strBig);
    EXPECT_EQ(0u, fnAppendToFile((m_strSrc + "\\BIG").c_str(), (m_strDst + "\\OUT").c_str()));
    EXPECT_EQ(0u, fnAppendToFile((m_strSrc + "\\BIG").c_str(), (m_strDst + "\\OUT").c_str()));
    EXPECT_EQ(strBig + strBig, fnReadWholeFile(m_strDst + "\\OUT"));
    EXPECT_EQ((DWORD)VIF_CANNOTREADSRC, fnAppendToFile((m_strSrc + "\\NONE").c_str(), (m_strDst + "\\OUT").c_str()));
}

TEST_F(InstallTest, WininitRenameLinesUseShortNames)
{
    std::string strIni = m_strDir + "\\WININIT.INI";
    fnWriteWholeFile(m_strDst + "\\LONG NAME FILE.DLL", "old");
    fnWriteWholeFile(m_strDst + "\\NEWCOPY.DLL", "new");
    ASSERT_EQ(1, fnAddWininitRename(strIni.c_str(), (m_strDst + "\\NEWCOPY.DLL").c_str(),
                                    (m_strDst + "\\LONG NAME FILE.DLL").c_str()));
    ASSERT_EQ(1, fnAddWininitRename(strIni.c_str(), (m_strDst + "\\NEWCOPY.DLL").c_str(), "nul"));
    char szShortTarget[MAX_PATH], szShortNew[MAX_PATH];
    GetShortPathNameA((m_strDst + "\\LONG NAME FILE.DLL").c_str(), szShortTarget, MAX_PATH);
    GetShortPathNameA((m_strDst + "\\NEWCOPY.DLL").c_str(), szShortNew, MAX_PATH);
    EXPECT_EQ(std::string("[rename]\r\n") + szShortTarget + "=" + szShortNew + "\r\nNUL=" + szShortNew + "\r\n",
              fnReadWholeFile(strIni));
}

TEST_F(InstallTest, NewTargetIsCreatedNewNeverOverAFile)
{
    std::string strBig(2 * 1024 * 1024 + 517, '\0');
    for (size_t i = 0; i < strBig.size(); i++)
        strBig[i] = (char)(i * 7 + i / 4096);
    fnWriteWholeFile(m_strSrc + "\\BIG.BIN", strBig);
    std::string strTarget = m_strDst + "\\BIG.BIN";
    EXPECT_EQ(0u, fnCopyToNewFile((m_strSrc + "\\BIG.BIN").c_str(), strTarget.c_str(), FALSE, TRUE));
    EXPECT_TRUE(strBig == fnReadWholeFile(strTarget));
    FILETIME ftSrc, ftDst;
    ASSERT_TRUE(fnGetFileTime((m_strSrc + "\\BIG.BIN").c_str(), &ftSrc));
    ASSERT_TRUE(fnGetFileTime(strTarget.c_str(), &ftDst));
    EXPECT_EQ(0, CompareFileTime(&ftSrc, &ftDst));

    // An existing target is left as it is and told apart.
    fnWriteWholeFile(m_strSrc + "\\NEW.TXT", "new");
    fnWriteWholeFile(m_strDst + "\\OLD.TXT", "old");
    EXPECT_EQ((DWORD)ERROR_FILE_EXISTS,
              fnCopyToNewFile((m_strSrc + "\\NEW.TXT").c_str(), (m_strDst + "\\OLD.TXT").c_str(), FALSE, TRUE));
    EXPECT_EQ("old", fnReadWholeFile(m_strDst + "\\OLD.TXT"));
    // Nothing of the copy is left beside the target.
    EXPECT_EQ(0, fnCountMatches(m_strDst + "\\_EX*.tmp"));

    // A missing folder is the target's only; a missing source is not found.
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, fnCopyToNewFile((m_strSrc + "\\NEW.TXT").c_str(),
                                                           (m_strDst + "\\NO\\NEW.TXT").c_str(), FALSE, TRUE));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, fnCopyToNewFile((m_strSrc + "\\NO\\NEW.TXT").c_str(),
                                                           (m_strDst + "\\NEW.TXT").c_str(), FALSE, TRUE));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\NEW.TXT"));

    // A compressed source is left to the expanding copy, or copied as is.
    ASSERT_TRUE(fnCopyIn(fnFixtureData("SZDDDATA.DL_"), m_strSrc + "\\SZDDDATA.DL_"));
    std::string strPacked = m_strSrc + "\\SZDDDATA.DL_";
    EXPECT_EQ((DWORD)ERROR_NOT_SUPPORTED,
              fnCopyToNewFile(strPacked.c_str(), (m_strDst + "\\SZDDDATA.DLL").c_str(), FALSE, TRUE));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\SZDDDATA.DLL"));
    EXPECT_EQ(0u, fnCopyToNewFile(strPacked.c_str(), (m_strDst + "\\SZDDDATA.DL_").c_str(), FALSE, FALSE));
    EXPECT_TRUE(fnReadWholeFile(strPacked) == fnReadWholeFile(m_strDst + "\\SZDDDATA.DL_"));
}

TEST_F(InstallTest, NewTargetAttributesFollowTheKeepRule)
{
    const DWORD dwSpecial = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    fnWriteWholeFile(m_strSrc + "\\RO.TXT", "read-only source");
    SetFileAttributesA((m_strSrc + "\\RO.TXT").c_str(), dwSpecial);
    std::string strPlain = m_strDst + "\\PLAIN.TXT", strKept = m_strDst + "\\KEPT.TXT";
    EXPECT_EQ(0u, fnCopyToNewFile((m_strSrc + "\\RO.TXT").c_str(), strPlain.c_str(), FALSE, TRUE));
    EXPECT_EQ(0u, fnCopyToNewFile((m_strSrc + "\\RO.TXT").c_str(), strKept.c_str(), TRUE, TRUE));
    EXPECT_EQ(0u, GetFileAttributesA(strPlain.c_str()) & dwSpecial);
    EXPECT_EQ(dwSpecial, GetFileAttributesA(strKept.c_str()) & dwSpecial);
    EXPECT_EQ("read-only source", fnReadWholeFile(strKept));
    SetFileAttributesA(strKept.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((m_strSrc + "\\RO.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(InstallTest, EntryMakesTheTargetFolderOnlyWhenTheSourceIsThere)
{
    IFStruct ifs;
    fnEntry(&ifs, "GONE.TXT", "GONE.TXT");
    fnCopyText(ifs.szDstDir, COUNTOF(ifs.szDstDir), (m_strDst + "\\A\\B").c_str());
    EXPECT_EQ(kIFVPassed, fnInstallFileVer(NULL, &ifs));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_strDst + "\\A").c_str()));

    fnWriteWholeFile(m_strSrc + "\\HERE.TXT", "here");
    fnEntry(&ifs, "HERE.TXT", "HERE.TXT");
    fnCopyText(ifs.szDstDir, COUNTOF(ifs.szDstDir), (m_strDst + "\\A\\B").c_str());
    EXPECT_EQ(kIFVInstalled, fnInstallFileVer(NULL, &ifs));
    EXPECT_EQ("here", fnReadWholeFile(m_strDst + "\\A\\B\\HERE.TXT"));

    // A compressed source installs expanded by the same entry.
    ASSERT_TRUE(fnCopyIn(fnFixtureData("SZDDDATA.DL_"), m_strSrc + "\\SZDDDATA.DL_"));
    fnEntry(&ifs, "SZDDDATA.DL_", "SZDDDATA.DLL");
    EXPECT_EQ(kIFVInstalled, fnInstallFileVer(NULL, &ifs));
    EXPECT_TRUE(fnReadWholeFile(fnFixtureData("SZDDDATA.DLL")) == fnReadWholeFile(m_strDst + "\\SZDDDATA.DLL"));
}

TEST_F(InstallTest, BackupAndUniqueModesKeepTheOldFile)
{
    fnWriteWholeFile(m_strSrc + "\\R.TXT", "new");
    fnWriteWholeFile(m_strDst + "\\R.TXT", "old");
    IFStruct ifs;
    fnEntry(&ifs, "R.TXT", "R.TXT");
    ifs.uBackupMode = kBackupCopy;
    EXPECT_EQ(kIFVInstalled, fnInstallFileVer(NULL, &ifs));
    EXPECT_EQ("new", fnReadWholeFile(m_strDst + "\\R.TXT"));
    EXPECT_EQ("old", fnReadWholeFile(m_strDst + "\\R.ORI"));

    fnWriteWholeFile(m_strSrc + "\\R.TXT", "newer");
    fnEntry(&ifs, "R.TXT", "R.TXT");
    ifs.uBackupMode = kBackupCopy;
    EXPECT_EQ(kIFVInstalled, fnInstallFileVer(NULL, &ifs));
    EXPECT_EQ("new", fnReadWholeFile(m_strDst + "\\R.{00}.SAV.TXT"));
    EXPECT_EQ("newer", fnReadWholeFile(m_strDst + "\\R.TXT"));

    fnEntry(&ifs, "R.TXT", "R.TXT");
    ifs.uBackupMode = kBackupSkip;
    fnWriteWholeFile(m_strSrc + "\\R.TXT", "skipped");
    EXPECT_EQ(kIFVPassed, fnInstallFileVer(NULL, &ifs));
    EXPECT_EQ("newer", fnReadWholeFile(m_strDst + "\\R.TXT"));
}

TEST_F(InstallTest, MissingSourceOnDiskZeroIsPassedOver)
{
    IFStruct ifs;
    fnEntry(&ifs, "NOWHERE.TXT", "NOWHERE.TXT");
    EXPECT_EQ(kIFVPassed, fnInstallFileVer(NULL, &ifs));
    EXPECT_FALSE(fnFileExists(m_strDst + "\\NOWHERE.TXT"));
}

TEST_F(InstallTest, FileInUseIsInstalledBesideItAndScheduled)
{
    fnWriteWholeFile(m_strSrc + "\\LIB.DLL", "replacement");
    fnWriteWholeFile(m_strDst + "\\LIB.DLL", "running");
    HANDLE hHold = CreateFileA((m_strDst + "\\LIB.DLL").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    IFStruct ifs;
    fnEntry(&ifs, "LIB.DLL", "LIB.DLL");
    ifs.uInUseAction = kInUseRestart;
    int iRC = fnInstallFileVer(NULL, &ifs);
    CloseHandle(hHold);
    EXPECT_EQ(kIFVInstalled, iRC);
    EXPECT_EQ("running", fnReadWholeFile(m_strDst + "\\LIB.DLL"));
    EXPECT_EQ("replacement", fnReadWholeFile(m_strDst + "\\LIB.{00}.SAV.DLL"));
    EXPECT_EQ(4u, g_uOnExit);
    // Windows keeps the pending move as pairs of NT paths.
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                                           0, KEY_READ, &hKey));
    char abData[16384] = {};
    DWORD cbData = sizeof(abData) - 2;
    LONG lRC = RegQueryValueExA(hKey, "PendingFileRenameOperations", NULL, NULL, (BYTE *)abData, &cbData);
    RegCloseKey(hKey);
    ASSERT_EQ(ERROR_SUCCESS, lRC);
    EXPECT_NE(std::string::npos, std::string(abData, cbData).find("LIB.{00}.SAV.DLL"));
}

TEST_F(InstallTest, WildcardsExpandCompressedNamesAndWalkSubdirectories)
{
    ASSERT_TRUE(fnCopyIn(fnFixtureData("SZDDDATA.DL_"), m_strSrc + "\\SZDDDATA.DL_"));
    CreateDirectoryA((m_strSrc + "\\sub").c_str(), NULL);
    fnWriteWholeFile(m_strSrc + "\\sub\\S.DL_", "plain, not compressed");
    IFStruct ifs;
    fnEntry(&ifs, "*.DL_", "");
    fnCopyText(ifs.szWildFileName, COUNTOF(ifs.szWildFileName), "*.DL_");
    ifs.bRecurse = TRUE;
    EXPECT_EQ(1, fnWildInstallFiles(NULL, &ifs));
    EXPECT_TRUE(fnReadWholeFile(fnFixtureData("SZDDDATA.DLL")) == fnReadWholeFile(m_strDst + "\\SZDDDATA.DLL"));
    EXPECT_EQ("plain, not compressed", fnReadWholeFile(m_strDst + "\\sub\\S.DL_"));
    EXPECT_EQ(2u, ifs.uFileNum);
    EXPECT_EQ(m_strSrc, ifs.szSrcFilePath);  // the walk restores the entry's paths
    EXPECT_EQ(m_strDst, ifs.szDstDir);
}

TEST_F(InstallTest, DestinationInsideTheSourceIsNotWalkedIntoItself)
{
    fnWriteWholeFile(m_strSrc + "\\F.TXT", "f");
    IFStruct ifs;
    fnEntry(&ifs, "*.TXT", "");
    fnCopyText(ifs.szDstDir, COUNTOF(ifs.szDstDir), (m_strSrc + "\\out").c_str());
    fnCopyText(ifs.szWildFileName, COUNTOF(ifs.szWildFileName), "*.TXT");
    ifs.bRecurse = TRUE;
    EXPECT_EQ(1, fnWildInstallFiles(NULL, &ifs));
    EXPECT_EQ("f", fnReadWholeFile(m_strSrc + "\\out\\F.TXT"));
    EXPECT_FALSE(fnFileExists(m_strSrc + "\\out\\out"));
}

}  // namespace

namespace {

TEST(CopyStatusWindow, StartsClearedAndTellsWhenCancelWasConfirmed)
{
    fnRegisterProgressMeter(GetModuleHandleA(NULL));
    HWND hStatus = fnCreateCopyStatus(NULL);
    ASSERT_NE(nullptr, hStatus);
    char szText[128];
    GetDlgItemTextA(hStatus, IDC_COPY_TEXT3, szText, sizeof(szText));
    EXPECT_STREQ("", szText);
    fnSetStatusText(hStatus, IDC_COPY_TEXT3, IDS_COPY_SOURCE, "A.DLL");
    GetDlgItemTextA(hStatus, IDC_COPY_TEXT3, szText, sizeof(szText));
    EXPECT_STREQ("Source file: A.DLL", szText);
    fnSetProgressRange(hStatus, 10);
    fnSetProgressPos(hStatus, 4);
    EXPECT_EQ(10, (int)SendDlgItemMessageA(hStatus, IDC_COPY_METER, PM_GETRANGE, 0, 0));
    EXPECT_EQ(4, (int)SendDlgItemMessageA(hStatus, IDC_COPY_METER, PM_GETPOS, 0, 0));
    EXPECT_EQ(0, fnCancelPressed(hStatus));
    EnableWindow(GetDlgItem(hStatus, IDCANCEL), FALSE);  // what a confirmed Cancel leaves
    EXPECT_EQ(1, fnCancelPressed(hStatus));
    DestroyWindow(hStatus);
    EXPECT_EQ(0, fnCancelPressed(hStatus));  // a closed window is not a Cancel
    EXPECT_EQ(0, fnCancelPressed(NULL));
}

}  // namespace
