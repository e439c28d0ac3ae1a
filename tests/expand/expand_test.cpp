// The expansion of "@" variables against the run state, the environment, the
// registry and the machine: each selector family, the failure and resume
// rules, the modifiers, the cut mark, the result code and the bounds.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "expand/expand.h"
#include "expand/expand_selectors.h"
#include "expand/expand_text.h"
#include "run/run_state.h"
#include "base/scrambler.h"
#include "../support/expand_bounded.h"
#include "../support/test_files.h"
#include "resource.h"
#include "run/text.h"

namespace {

int fnCode(const std::string &strText)
{
    return fnExpandBounded(strText).iCode;
}

std::string fnWinDir()
{
    char sz[MAX_PATH];
    GetWindowsDirectoryA(sz, MAX_PATH);
    return sz;
}

std::string fnSysDir()
{
    char sz[MAX_PATH];
    GetSystemDirectoryA(sz, MAX_PATH);
    return sz;
}

class ExpandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        fnCopyText(g_szWinDir, COUNTOF(g_szWinDir), fnWinDir().c_str());
        fnCopyText(g_szSysDir, COUNTOF(g_szSysDir), fnSysDir().c_str());
        fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), "C:\\APP\\");
        fnCopyText(g_szDirs[0], COUNTOF(g_szDirs[0]), "C:\\A\\B\\C.TXT");
        fnCopyText(g_szAskForResponse[0], COUNTOF(g_szAskForResponse[0]), "alpha, beta");
    }
};

// ---- plain text, "@@", the lone "@" and unknown selectors ------------------

TEST_F(ExpandTest, TextWithoutVariablesIsUnchangedAndGivesZero)
{
    EXPECT_EQ("plain text, no variables", fnExpanded("plain text, no variables"));
    EXPECT_EQ(0, fnCode("plain text, no variables"));
    EXPECT_EQ(0, fnCode(""));
}

TEST_F(ExpandTest, AtSignsAndUnknownSelectors)
{
    EXPECT_EQ("100@", fnExpanded("100@@"));
    EXPECT_EQ("a@", fnExpanded("a@"));
    EXPECT_EQ(0, fnCode("a@")) << "a lone @ at the end is no variable";
    EXPECT_EQ("@J1", fnExpanded("@J1"));
    EXPECT_EQ(0, fnCode("@J1")) << "an unlisted selector leaves the code alone";
    EXPECT_EQ("@O @X @Y @1", fnExpanded("@O @X @Y @1"));
    EXPECT_EQ("@JC:\\APP", fnExpanded("@J@D")) << "scanning goes on after the @ of an unlisted selector";
}

TEST_F(ExpandTest, SimpleSelectorsAndEscapes)
{
    EXPECT_EQ("C:\\A\\B\\C.TXT2", fnExpanded("@D1@.2"));
    EXPECT_EQ("\"x\"", fnExpanded("@Qx@q"));
    EXPECT_EQ("a\r\nb\tc", fnExpanded("a@Rb@Tc"));
    EXPECT_EQ("><?\\,='\"", fnExpanded("@\\>@\\l@\\?@\\\\@\\c@\\e@\\s@\\q"));
    EXPECT_EQ("<", fnExpanded("@\\l"));
    EXPECT_EQ("?", fnExpanded("@\\?"));
    EXPECT_EQ(">", fnExpanded("@\\>"));
    EXPECT_EQ("ab", fnExpanded("a@\\zb"));
    EXPECT_EQ(1, fnCode("@\\>"));
    EXPECT_EQ("@\\X", fnExpanded("@\\X")) << "an unlisted escape stays";
    EXPECT_EQ(0, fnCode("@\\X"));
}

TEST_F(ExpandTest, SelectorsInAnyCase)
{
    EXPECT_EQ(fnExpanded("@D1"), fnExpanded("@d1"));
    EXPECT_EQ(fnExpanded("@A12"), fnExpanded("@a12"));
    EXPECT_EQ(fnWinDir(), fnExpanded("@w"));
}

// ---- run-state tables ------------------------------------------------------

TEST_F(ExpandTest, DestinationAndNumberedDirectories)
{
    EXPECT_EQ("C:\\APP", fnExpanded("@D"));
    EXPECT_EQ("C:\\APP0", fnExpanded("@D0")) << "0 is no index for D";
    EXPECT_EQ("C:\\A\\B\\C.TXT", fnExpanded("@D1"));
    EXPECT_EQ("C:", fnExpanded("@D10"));
    EXPECT_EQ("C:\\A\\B", fnExpanded("@D11"));
    EXPECT_EQ("A\\B\\C.TXT", fnExpanded("@D12"));
    EXPECT_EQ("C.TXT", fnExpanded("@D13"));
    EXPECT_EQ("D14", fnExpanded("@D14")) << "path-part digit out of range: the @ is dropped";
    EXPECT_EQ(-1, fnCode("@D14"));
    fnCopyText(g_szDirs[1], COUNTOF(g_szDirs[1]), "C:\\dir\\");
    EXPECT_EQ("23", fnExpanded("@D23")) << "a part that cannot be formed: @ and letter dropped";
    EXPECT_EQ(-1, fnCode("@D23"));
    EXPECT_EQ("", fnExpanded("@D4")) << "entries 4-9 do not exist: empty";
    EXPECT_EQ(-1, fnCode("@D4"));
}

TEST_F(ExpandTest, SourceAndRegistryEntryDirectories)
{
    fnCopyText(g_szSourceDir, COUNTOF(g_szSourceDir), "D:\\SRC\\");
    fnCopyText(g_szSourceDirs[1], COUNTOF(g_szSourceDirs[1]), "E:\\DISK2\\SETUP.EXE");
    EXPECT_EQ("D:\\SRC", fnExpanded("@H"));
    EXPECT_EQ("D:\\SRC0", fnExpanded("@H0"));
    EXPECT_EQ("E:\\DISK2\\SETUP.EXE", fnExpanded("@H2"));
    EXPECT_EQ("SETUP.EXE", fnExpanded("@H23"));
    EXPECT_EQ("H24", fnExpanded("@H24"));

    fnCopyText(g_szRegEntry, COUNTOF(g_szRegEntry), "C:\\REG\\");
    fnCopyText(g_szRegEntries[0], COUNTOF(g_szRegEntries[0]), "\\\\srv\\share\\x.txt");
    EXPECT_EQ("C:\\REG", fnExpanded("@E"));
    EXPECT_EQ("\\\\srv\\share\\x.txt", fnExpanded("@E0"));
    EXPECT_EQ("\\\\srv\\share", fnExpanded("@E00"));
    EXPECT_EQ("\\\\srv\\share\\", fnExpanded("@E01"));
    EXPECT_EQ("x.txt", fnExpanded("@E03"));
    EXPECT_EQ("90", fnExpanded("@E90")) << "an empty entry has no drive: copying resumes at the index";
}

TEST_F(ExpandTest, AnswerFieldsAndTruncation)
{
    EXPECT_EQ("alpha, beta", fnExpanded("@A1"));
    EXPECT_EQ("beta", fnExpanded("@A12"));
    EXPECT_EQ("alp", fnExpanded("@A113"));
    EXPECT_EQ("alpha0", fnExpanded("@A110")) << "truncation digits are 1-9";
    EXPECT_EQ("@A0", fnExpanded("@A0")) << "index out of range: the variable stays";
    EXPECT_EQ(-1, fnCode("@A0"));
    EXPECT_EQ("@Ax", fnExpanded("@Ax"));
    EXPECT_EQ("", fnExpanded("@A13")) << "a field beyond the last is empty";

    fnCopyText(g_szFromComboResponse[2], COUNTOF(g_szFromComboResponse[2]), "one=two");
    fnCopyText(g_szFromListResponse[8], COUNTOF(g_szFromListResponse[8]), "x,y");
    fnCopyText(g_szDefaultSetting[0], COUNTOF(g_szDefaultSetting[0]), "first");
    fnCopyText(g_szDefaultSetting[8], COUNTOF(g_szDefaultSetting[8]), "ninth");
    EXPECT_EQ("two", fnExpanded("@C32"));
    EXPECT_EQ("two3", fnExpanded("@C323")) << "combo answers take no truncation";
    EXPECT_EQ("y", fnExpanded("@L92"));
    EXPECT_EQ("first", fnExpanded("@P1"));
    EXPECT_EQ("ninth", fnExpanded("@P9"));
    EXPECT_EQ("@P0", fnExpanded("@P0"));

    fnCopyText(g_szSetValues[0], COUNTOF(g_szSetValues[0]), "zero");
    fnCopyText(g_szSetValues[9], COUNTOF(g_szSetValues[9]), "a;b,nine");
    EXPECT_EQ("zero", fnExpanded("@$0"));
    EXPECT_EQ("ni", fnExpanded("@$922"));

    fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), ";");
    EXPECT_EQ("b,nine", fnExpanded("@$92")) << "the delimiters come from the run state";
}

TEST_F(ExpandTest, UnfilledTablesAreEmpty)
{
    EXPECT_EQ("", fnExpanded("@F1"));
    EXPECT_EQ("", fnExpanded("@G0"));
    EXPECT_EQ(-1, fnCode("@G0"));
    EXPECT_EQ("@F0", fnExpanded("@F0"));
    EXPECT_EQ("F13", fnExpanded("@F13")) << "F has parts 0-2";
}

TEST_F(ExpandTest, CheckStates)
{
    g_cCheckStates[0][1] = 'Y';
    g_cCheckStates[8][5] = 'N';
    EXPECT_EQ("Y", fnExpanded("@B12"));
    EXPECT_EQ("N", fnExpanded("@B96"));
    EXPECT_EQ("B13", fnExpanded("@B13")) << "never set";
    EXPECT_EQ(-1, fnCode("@B13"));
    EXPECT_EQ("B17", fnExpanded("@B17")) << "a group holds six boxes";
    EXPECT_EQ("@B0", fnExpanded("@B0"));
}

TEST_F(ExpandTest, StringChecks)
{
    g_uStringChecks[0] = 1;
    g_uStringChecks[3] = 9;
    g_uStringChecks[15] = 4;
    EXPECT_EQ("1", fnExpanded("@I0"));
    EXPECT_EQ("9x", fnExpanded("@I3x"));
    EXPECT_EQ("4", fnExpanded("@I15"));
    EXPECT_EQ("@I16", fnExpanded("@I16")) << "beyond the table";
    EXPECT_EQ("@I", fnExpanded("@I"));
}

TEST_F(ExpandTest, RegistryValues)
{
    fnCopyText(g_szRegValues[0], COUNTOF(g_szRegValues[0]), "-NOTFOUND-");
    fnCopyText(g_szRegValues[2], COUNTOF(g_szRegValues[2]), "C:\\Prog\\x.exe");
    EXPECT_EQ("ab", fnExpanded("a@K0b"));
    EXPECT_EQ(1, fnCode("a@K0b")) << "not found is empty but not an empty variable";
    EXPECT_EQ(1, fnCode("@D@K0"));
    EXPECT_EQ("", fnExpanded("@K1"));
    EXPECT_EQ(-1, fnCode("@K1"));
    EXPECT_EQ("C:", fnExpanded("@K20"));
    EXPECT_EQ("C:\\Prog", fnExpanded("@K21"));
    EXPECT_EQ("x.exe", fnExpanded("@K22"));
    EXPECT_EQ("K23", fnExpanded("@K23")) << "K has parts 0-2";
    EXPECT_EQ("K10", fnExpanded("@K10")) << "a part that cannot be formed resumes at the letter";
    EXPECT_EQ("@K9", fnExpanded("@K9")) << "the table has nine entries";
}

TEST_F(ExpandTest, UserNameAndPassword)
{
    fnCopyText(g_szUserName, COUNTOF(g_szUserName), "jdoe");
    fnCopyText(g_szPassword, COUNTOF(g_szPassword) - 1, "s3cret");
    ASSERT_EQ(1, fnEnCryptString(g_szPassword, 7));
    std::string strScrambled = g_szPassword;
    EXPECT_EQ("jdoe", fnExpanded("@U0"));
    EXPECT_EQ("s3cret", fnExpanded("@U1"));
    EXPECT_EQ(strScrambled, g_szPassword) << "unscrambled on a copy";
    EXPECT_EQ("x", fnExpanded("@Ux"));
    EXPECT_EQ("@U2", fnExpanded("@U2"));
}

// ---- the environment -------------------------------------------------------

TEST_F(ExpandTest, EnvironmentVariables)
{
    EXPECT_EQ(fnWinDir() + "\\x", fnExpanded("@%WINDIR%\\x"));
    EXPECT_EQ(1, fnCode("@%WINDIR%\\x"));
    EXPECT_EQ("@%NOSUCHVAR%", fnExpanded("@%NOSUCHVAR%"));
    EXPECT_EQ(-1, fnCode("@%NOSUCHVAR%"));
    EXPECT_EQ("@%%", fnExpanded("@%%"));
    EXPECT_EQ("@%WIN DIR%", fnExpanded("@%WIN DIR%"));
    EXPECT_EQ("@%WINDIR", fnExpanded("@%WINDIR"));
    EXPECT_EQ(-1, fnCode("@%NOSUCHVAR%@D")) << "a later good variable does not undo a failure";
}

TEST_F(ExpandTest, ResultCode)
{
    EXPECT_EQ(1, fnCode("@D\\@A1"));
    g_szAskForResponse[1][0] = '\0';
    EXPECT_EQ(-1, fnCode("@A2"));
    EXPECT_EQ(-1, fnCode("@A2@D"));
    EXPECT_EQ(-1, fnCode("@D@A2"));
    EXPECT_EQ(1, fnCode("@@"));
    EXPECT_EQ(1, fnCode("@.")) << "the simple selectors skip the empty test";
    EXPECT_EQ(0, fnCode("@~")) << "a modifier alone appends nothing";
    EXPECT_EQ(-1, fnCode("@U"));
}

// ---- modifiers and the cut mark -------------------------------------------

TEST_F(ExpandTest, BarModifierAndModifierClearing)
{
    EXPECT_EQ("C:|APP", fnExpanded("@|@D"));
    EXPECT_EQ("C:|APP\\x", fnExpanded("@|@D\\x")) << "applies to the next value only";
    EXPECT_EQ("xC:\\APP", fnExpanded("@|x@D")) << "a copied character clears it";
    EXPECT_EQ("@J1C:\\APP", fnExpanded("@|@J1@D")) << "so does a failed variable";
}

TEST_F(ExpandTest, ShortAndLongPathModifiers)
{
    std::string strDir = fnTestDir("ExpandShortPath") + "\\A Rather Long Folder Name";
    CreateDirectoryA(strDir.c_str(), NULL);
    char szShort[MAX_PATH];
    DWORD cch = GetShortPathNameA(strDir.c_str(), szShort, MAX_PATH);
    ASSERT_GT(cch, 0u);
    fnCopyText(g_szDirs[2], COUNTOF(g_szDirs[2]), strDir.c_str());
    EXPECT_EQ(szShort, fnExpanded("@~@D3"));
    EXPECT_EQ(strDir, fnExpanded("@~x@D3").substr(1)) << "the x cleared the modifier";
    fnCopyText(g_szDirs[2], COUNTOF(g_szDirs[2]), szShort);
    EXPECT_EQ(strDir, fnExpanded("@#@D3"));
    fnCopyText(g_szDirs[2], COUNTOF(g_szDirs[2]), "C:\\no\\such\\path");
    EXPECT_EQ("C:\\no\\such\\path", fnExpanded("@~@D3")) << "a path that does not exist is kept";
}

TEST_F(ExpandTest, CutMark)
{
    EXPECT_EQ("ab", fnExpanded("ab@Zcd"));
    EXPECT_EQ("ab", fnExpanded("ab@zcd@Zef"));
    EXPECT_EQ("@Z", fnExpanded("@@Z")) << "an escaped @ is no cut mark";
    EXPECT_EQ(fnWinDir() + "8", fnExpanded("@W08"));
}

// ---- bounds ----------------------------------------------------------------

TEST_F(ExpandTest, ALongEnvironmentValueIsCutToTheBuffer)
{
    std::string strLong(5000, 'v');
    SetEnvironmentVariableA("SETUP32_LONG", strLong.c_str());
    ExpandResult res = fnExpandBounded("x@%SETUP32_LONG%y", 260);
    EXPECT_EQ("x" + std::string(258, 'v'), res.strText);
    EXPECT_EQ(1, res.iCode);
    res = fnExpandBounded("@%SETUP32_LONG%", 1024);
    EXPECT_EQ(std::string(1023, 'v'), res.strText);
    SetEnvironmentVariableA("SETUP32_LONG", NULL);
}

TEST_F(ExpandTest, LongAnswersAreCutToTheCallersCapacity)
{
    std::string strAnswer(kcchShort - 1, 'a');
    for (unsigned i = 0; i < kuAnswers; i++)
        fnCopyText(g_szAskForResponse[i], COUNTOF(g_szAskForResponse[i]), strAnswer.c_str());
    std::string strAll = "@A1@A2@A3@A4@A5@A6@A7@A8@A9";
    EXPECT_EQ(std::string(259, 'a'), fnExpandBounded(strAll, 260).strText);
    EXPECT_EQ(std::string(1023, 'a'), fnExpandBounded(strAll, 1024).strText);
    EXPECT_EQ(std::string(15, 'a'), fnExpandBounded("@A1", 16).strText);
    EXPECT_EQ(std::string(1023, 'a'), fnExpandBounded(strAll, 4096).strText) << "at most a script line";
}

TEST_F(ExpandTest, TheCutIsReportedInTheTrace)
{
    std::string strFile = fnTestDir("ExpandCutTrace") + "\\KRVloDbg.LOG";
    fnCopyText(g_szDebugFile, COUNTOF(g_szDebugFile), strFile.c_str());
    g_uTraceMode = 3;
    fnExpandBounded("@A1@A1@A1", 20);
    g_uTraceMode = 0;
    EXPECT_NE(std::string::npos, fnReadWholeFile(strFile).find("The result was cut to 19 characters")) << strFile;
}

TEST_F(ExpandTest, AnUnterminatedBufferIsTerminatedAtItsEnd)
{
    char sz[8];
    memset(sz, 'x', sizeof(sz));
    sz[0] = '@';
    sz[1] = '@';
    EXPECT_EQ(1, fnExpandOpts(sz, sizeof(sz)));
    EXPECT_STREQ("@xxxxx", sz);
}

// ---- machine, user and OS selectors ---------------------------------------

TEST_F(ExpandTest, VersionSelectors)
{
    g_uWinPlatform = 3;
    g_dwWinMajor = 5;
    g_dwWinMinor = 1;
    g_dwWinBuild = 2600;
    g_dwWinPlatformID = 2;
    g_uWinOS = 8;
    g_uWinSR = 2;
    g_uWinBits = 32;
    fnCopyText(g_szWinShortName, COUNTOF(g_szWinShortName), "XP");
    fnCopyText(g_szWinVersion, COUNTOF(g_szWinVersion), "XP, Vs. 5.1, build 2600, Service Pack 2");
    fnCopyText(g_szWinName, COUNTOF(g_szWinName), "WinXP-Service Pack 2");
    EXPECT_EQ("WXP", fnExpanded("@V"));
    EXPECT_EQ("XP", fnExpanded("@V0"));
    EXPECT_EQ("XP5", fnExpanded("@V05")) << "V0 takes a second digit 0-2 only";
    EXPECT_EQ("WXP", fnExpanded("@V00"));
    EXPECT_EQ("XP, Vs. 5.1, build 2600, Service Pack 2", fnExpanded("@V01"));
    EXPECT_EQ("WinXP-Service Pack 2", fnExpanded("@V02"));
    EXPECT_EQ("3|5|1|2|2600|2|8|XP, Vs. 5.1, build 2600, Service Pack 2|32",
              fnExpanded("@V1|@V2|@V3|@V4|@V5|@V6|@V7|@V8|@V9"));
    EXPECT_EQ("WinXP-Service Pack 2", fnExpanded("@M0"));

    struct Family {
        unsigned uPlatform;
        unsigned long dwMinor;
        const char *pszCode;
    } aFamilies[] = {{2, 0, "W95"}, {2, 10, "W98"}, {2, 90, "WME"}};
    for (const Family &f : aFamilies) {
        g_uWinPlatform = f.uPlatform;
        g_dwWinMajor = 4;
        g_dwWinMinor = f.dwMinor;
        EXPECT_EQ(f.pszCode, fnExpanded("@V00")) << f.dwMinor;
    }
    g_uWinOS = 16;
    EXPECT_EQ("S2K864", fnExpanded("@V"));
}

TEST_F(ExpandTest, SystemSelectors)
{
    fnCopyText(g_szDate, COUNTOF(g_szDate), "20240131");
    fnCopyText(g_szTime, COUNTOF(g_szTime), "235959");
    EXPECT_EQ(fnSysDir(), fnExpanded("@S"));
    EXPECT_EQ("20240131-235959", fnExpanded("@S1-@S2"));
    EXPECT_EQ("@S9", fnExpanded("@S9"));

    char szUser[257];
    DWORD cchUser = sizeof(szUser);
    ASSERT_TRUE(GetUserNameA(szUser, &cchUser));
    char szComputer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD cchComputer = sizeof(szComputer);
    ASSERT_TRUE(GetComputerNameA(szComputer, &cchComputer));
    EXPECT_EQ(szUser, fnExpanded("@S3"));
    EXPECT_EQ(szComputer, fnExpanded("@S4"));
    EXPECT_EQ(szUser, fnExpanded("@N0"));
    EXPECT_EQ(szComputer, fnExpanded("@N1"));
    EXPECT_EQ(szUser, fnExpanded("@S0")) << "no NetID value: the user name";
    EXPECT_EQ("@N5", fnExpanded("@N5"));
    EXPECT_EQ("@N", fnExpanded("@N"));

    std::string strSid = fnExpanded("@S7");
    EXPECT_TRUE(strSid == "NA" || strSid.compare(0, 4, "S-1-") == 0) << strSid;
    std::string strProfile = fnExpanded("@S8");
    EXPECT_FALSE(strProfile.empty());
}

TEST_F(ExpandTest, NetIdFromTheRegistry)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\TarnwickCollege\\Network", 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &hKey, NULL));
    RegSetValueExA(hKey, "NetID", 0, REG_SZ, (const BYTE *)"net-7", 6);
    EXPECT_EQ("net-7", fnExpanded("@S0"));
    RegDeleteValueA(hKey, "NetID");
    RegCloseKey(hKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\TarnwickCollege\\Network");
    RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\TarnwickCollege");
}

TEST_F(ExpandTest, MachineSelectors)
{
    std::string strMemory = fnExpanded("@M1");
    ASSERT_GE(strMemory.size(), 3u);
    EXPECT_EQ("MB", strMemory.substr(strMemory.size() - 2));
    unsigned long uMB = strtoul(strMemory.c_str(), NULL, 10);
    EXPECT_TRUE(uMB == 1 || uMB % 8 == 0) << strMemory;

    std::string strProduct = fnExpanded("@M2");
    EXPECT_FALSE(strProduct.empty());
    std::string strSpeed = fnExpanded("@M3");
    EXPECT_TRUE(strSpeed == "NA" || (strSpeed.size() > 3 && strSpeed.substr(strSpeed.size() - 3) == "MHz"))
        << strSpeed;
    std::string strCpu = fnExpanded("@M4");
    ASSERT_FALSE(strCpu.empty());
    EXPECT_NE(' ', strCpu.front());
    EXPECT_NE(' ', strCpu.back());
    EXPECT_EQ(std::string::npos, strCpu.find('\n'));
    EXPECT_EQ("@M5", fnExpanded("@M5"));
    EXPECT_EQ(fnExpanded("@M0") + "8", fnExpanded("@M08"));
}

TEST_F(ExpandTest, SerialAndNetworkAddresses)
{
    fnCopyText(g_szTime, COUNTOF(g_szTime), "101010");
    EXPECT_FALSE(fnExpanded("@S5").empty());
    std::string strList = fnExpanded("@S6");
    ASSERT_FALSE(strList.empty());
    if (strList == "NA-0.0.0.0")
        return;
    std::string strFirst = strList.substr(0, strList.find(';'));
    EXPECT_EQ(strFirst, fnExpanded("@S61"));
    std::string strMac = fnExpanded("@S611");
    std::string strIp = fnExpanded("@S612");
    EXPECT_EQ(strFirst, strMac + "-" + strIp);
    std::string strPrefix = fnExpanded("@S613");
    std::string strDashed = strIp;
    for (char &c : strDashed)
        c = c == '.' ? '-' : c;
    EXPECT_EQ(0u, strDashed.find(strPrefix)) << strPrefix << " from " << strIp;
    EXPECT_EQ("", fnExpanded("@S616"));
    EXPECT_EQ("", fnExpanded("@S69")) << "no ninth adapter";
}

TEST_F(ExpandTest, ConnectionsAndPrintersStayWithinTheValue)
{
    // Usually empty under test; what matters is the form and the bound.
    std::string strConnections = fnExpanded("@N2");
    EXPECT_LT(strConnections.size(), (size_t)kcchExpanded);
    std::string strPrinters = fnExpanded("@N3");
    EXPECT_TRUE(strPrinters.empty() || strPrinters.back() == ';') << strPrinters;
    std::string strUser = fnExpanded("@N4");
    EXPECT_TRUE(strUser.empty() || strUser.find('\\') != std::string::npos) << strUser;
}

// ---- folders ---------------------------------------------------------------

TEST_F(ExpandTest, FoldersFromTheRunState)
{
    fnCopyText(g_szProgramFilesDir, COUNTOF(g_szProgramFilesDir), "C:\\PF");
    fnCopyText(g_szUserProgramsFolder, COUNTOF(g_szUserProgramsFolder), "C:\\UP");
    fnCopyText(g_szShortcutFolder, COUNTOF(g_szShortcutFolder), "C:\\SC");
    EXPECT_EQ(fnWinDir(), fnExpanded("@W"));
    EXPECT_EQ(fnWinDir(), fnExpanded("@W0"));
    EXPECT_EQ(fnWinDir(), fnExpanded("@W1"));
    EXPECT_EQ(fnSysDir(), fnExpanded("@W2"));
    EXPECT_EQ(fnWinDir().substr(0, 2), fnExpanded("@W3"));
    EXPECT_EQ(fnSysDir().substr(0, 2), fnExpanded("@W4"));
    EXPECT_EQ("C:\\PF|C:\\UP|C:\\SC", fnExpanded("@W5|@W6|@W15"));
    EXPECT_EQ("@W48", fnExpanded("@W48"));
    EXPECT_EQ(-1, fnCode("@W48"));
    EXPECT_EQ("@W470", fnExpanded("@W470")) << "all digits count";
}

TEST_F(ExpandTest, FoldersFromTheRegistryOrTheirDefaults)
{
    for (int i = 7; i <= 47; i++) {
        if (i == 15)
            continue;  // the shortcut folder of the run state
        std::string strVar = "@W" + std::to_string(i);
        ExpandResult res = fnExpandBounded(strVar);
        EXPECT_FALSE(res.strText.empty()) << strVar;
        EXPECT_EQ(1, res.iCode) << strVar;
        EXPECT_EQ(std::string::npos, res.strText.find('%')) << strVar << " is expanded: " << res.strText;
    }
    char szTemp[MAX_PATH];
    ASSERT_GT(GetEnvironmentVariableA("USERPROFILE", szTemp, MAX_PATH), 0u);
    EXPECT_EQ(szTemp, fnExpanded("@W47"));
}

TEST_F(ExpandTest, UserShellFolderLookup)
{
    char sz[MAX_PATH];
    EXPECT_EQ(0, fnUserShellFolder("Setup32NoSuchFolder", IDS_DEF_DESKTOP, sz, sizeof(sz)));
    EXPECT_EQ(fnWinDir() + "\\Desktop", sz);

    const char *pszKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, pszKey, 0, KEY_ALL_ACCESS, &hKey));
    const char szValue[] = "%WINDIR%\\Setup32Folder";
    RegSetValueExA(hKey, "Setup32TestFolder", 0, REG_EXPAND_SZ, (const BYTE *)szValue, sizeof(szValue));
    EXPECT_EQ(1, fnUserShellFolder("Setup32TestFolder", IDS_DEF_DESKTOP, sz, sizeof(sz)));
    EXPECT_EQ(fnWinDir() + "\\Setup32Folder", sz);
    RegDeleteValueA(hKey, "Setup32TestFolder");
    RegCloseKey(hKey);
}

TEST_F(ExpandTest, RegistryGlobalsAtStartUp)
{
    fnReadRegGlobals();
    HKEY hKey;
    char szValue[MAX_PATH] = "";
    DWORD cb = sizeof(szValue);
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, &hKey));
    RegQueryValueExA(hKey, "ProgramFilesDir", NULL, NULL, (BYTE *)szValue, &cb);
    RegCloseKey(hKey);
    EXPECT_STREQ(szValue, g_szProgramFilesDir);
    EXPECT_NE('\0', g_szUserProgramsFolder[0]);
    EXPECT_EQ(nullptr, strchr(g_szUserProgramsFolder, '%'));
}

}  // namespace
