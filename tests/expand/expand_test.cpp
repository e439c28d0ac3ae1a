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
#include "../support/test_files.h"
#include "resource.h"
#include "run/text.h"

namespace {

struct ExpandResult {
    std::string strText;
    int iCode;
};

ExpandResult fnExpand(const std::string &strText, size_t cchBuffer = 1024)
{
    std::string strBuffer(cchBuffer + 16, 'C');  // 16 canary bytes after the buffer
    fnCopyText(&strBuffer[0], cchBuffer, strText.c_str());
    int iCode = fnExpandOpts(&strBuffer[0], cchBuffer);
    EXPECT_EQ(std::string(16, 'C'), strBuffer.substr(cchBuffer)) << "wrote past the buffer for " << strText;
    return {std::string(strBuffer.c_str()), iCode};
}

std::string fnText(const std::string &strText)
{
    return fnExpand(strText).strText;
}

int fnCode(const std::string &strText)
{
    return fnExpand(strText).iCode;
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
    EXPECT_EQ("plain text, no variables", fnText("plain text, no variables"));
    EXPECT_EQ(0, fnCode("plain text, no variables"));
    EXPECT_EQ(0, fnCode(""));
}

TEST_F(ExpandTest, AtSignsAndUnknownSelectors)
{
    EXPECT_EQ("100@", fnText("100@@"));
    EXPECT_EQ("a@", fnText("a@"));
    EXPECT_EQ(0, fnCode("a@")) << "a lone @ at the end is no variable";
    EXPECT_EQ("@J1", fnText("@J1"));
    EXPECT_EQ(0, fnCode("@J1")) << "an unlisted selector leaves the code alone";
    EXPECT_EQ("@O @X @Y @1", fnText("@O @X @Y @1"));
    EXPECT_EQ("@JC:\\APP", fnText("@J@D")) << "scanning goes on after the @ of an unlisted selector";
}

TEST_F(ExpandTest, SimpleSelectorsAndEscapes)
{
    EXPECT_EQ("C:\\A\\B\\C.TXT2", fnText("@D1@.2"));
    EXPECT_EQ("\"x\"", fnText("@Qx@q"));
    EXPECT_EQ("a\r\nb\tc", fnText("a@Rb@Tc"));
    EXPECT_EQ("><?\\,='\"", fnText("@\\>@\\l@\\?@\\\\@\\c@\\e@\\s@\\q"));
    EXPECT_EQ("<", fnText("@\\l"));
    EXPECT_EQ("?", fnText("@\\?"));
    EXPECT_EQ(">", fnText("@\\>"));
    EXPECT_EQ("ab", fnText("a@\\zb"));
    EXPECT_EQ(1, fnCode("@\\>"));
    EXPECT_EQ("@\\X", fnText("@\\X")) << "an unlisted escape stays";
    EXPECT_EQ(0, fnCode("@\\X"));
}

TEST_F(ExpandTest, SelectorsInAnyCase)
{
    EXPECT_EQ(fnText("@D1"), fnText("@d1"));
    EXPECT_EQ(fnText("@A12"), fnText("@a12"));
    EXPECT_EQ(fnWinDir(), fnText("@w"));
}

// ---- run-state tables ------------------------------------------------------

TEST_F(ExpandTest, DestinationAndNumberedDirectories)
{
    EXPECT_EQ("C:\\APP", fnText("@D"));
    EXPECT_EQ("C:\\APP0", fnText("@D0")) << "0 is no index for D";
    EXPECT_EQ("C:\\A\\B\\C.TXT", fnText("@D1"));
    EXPECT_EQ("C:", fnText("@D10"));
    EXPECT_EQ("C:\\A\\B", fnText("@D11"));
    EXPECT_EQ("A\\B\\C.TXT", fnText("@D12"));
    EXPECT_EQ("C.TXT", fnText("@D13"));
    EXPECT_EQ("D14", fnText("@D14")) << "path-part digit out of range: the @ is dropped";
    EXPECT_EQ(-1, fnCode("@D14"));
    fnCopyText(g_szDirs[1], COUNTOF(g_szDirs[1]), "C:\\dir\\");
    EXPECT_EQ("23", fnText("@D23")) << "a part that cannot be formed: @ and letter dropped";
    EXPECT_EQ(-1, fnCode("@D23"));
    EXPECT_EQ("", fnText("@D4")) << "entries 4-9 do not exist: empty";
    EXPECT_EQ(-1, fnCode("@D4"));
}

TEST_F(ExpandTest, SourceAndRegistryEntryDirectories)
{
    fnCopyText(g_szSourceDir, COUNTOF(g_szSourceDir), "D:\\SRC\\");
    fnCopyText(g_szSourceDirs[1], COUNTOF(g_szSourceDirs[1]), "E:\\DISK2\\SETUP.EXE");
    EXPECT_EQ("D:\\SRC", fnText("@H"));
    EXPECT_EQ("D:\\SRC0", fnText("@H0"));
    EXPECT_EQ("E:\\DISK2\\SETUP.EXE", fnText("@H2"));
    EXPECT_EQ("SETUP.EXE", fnText("@H23"));
    EXPECT_EQ("H24", fnText("@H24"));

    fnCopyText(g_szRegEntry, COUNTOF(g_szRegEntry), "C:\\REG\\");
    fnCopyText(g_szRegEntries[0], COUNTOF(g_szRegEntries[0]), "\\\\srv\\share\\x.txt");
    EXPECT_EQ("C:\\REG", fnText("@E"));
    EXPECT_EQ("\\\\srv\\share\\x.txt", fnText("@E0"));
    EXPECT_EQ("\\\\srv\\share", fnText("@E00"));
    EXPECT_EQ("\\\\srv\\share\\", fnText("@E01"));
    EXPECT_EQ("x.txt", fnText("@E03"));
    EXPECT_EQ("90", fnText("@E90")) << "an empty entry has no drive: copying resumes at the index";
}

TEST_F(ExpandTest, AnswerFieldsAndTruncation)
{
    EXPECT_EQ("alpha, beta", fnText("@A1"));
    EXPECT_EQ("beta", fnText("@A12"));
    EXPECT_EQ("alp", fnText("@A113"));
    EXPECT_EQ("alpha0", fnText("@A110")) << "truncation digits are 1-9";
    EXPECT_EQ("@A0", fnText("@A0")) << "index out of range: the variable stays";
    EXPECT_EQ(-1, fnCode("@A0"));
    EXPECT_EQ("@Ax", fnText("@Ax"));
    EXPECT_EQ("", fnText("@A13")) << "a field beyond the last is empty";

    fnCopyText(g_szFromComboResponse[2], COUNTOF(g_szFromComboResponse[2]), "one=two");
    fnCopyText(g_szFromListResponse[8], COUNTOF(g_szFromListResponse[8]), "x,y");
    fnCopyText(g_szDefaultSetting[0], COUNTOF(g_szDefaultSetting[0]), "first");
    fnCopyText(g_szDefaultSetting[8], COUNTOF(g_szDefaultSetting[8]), "ninth");
    EXPECT_EQ("two", fnText("@C32"));
    EXPECT_EQ("two3", fnText("@C323")) << "combo answers take no truncation";
    EXPECT_EQ("y", fnText("@L92"));
    EXPECT_EQ("first", fnText("@P1"));
    EXPECT_EQ("ninth", fnText("@P9"));
    EXPECT_EQ("@P0", fnText("@P0"));

    fnCopyText(g_szSetValues[0], COUNTOF(g_szSetValues[0]), "zero");
    fnCopyText(g_szSetValues[9], COUNTOF(g_szSetValues[9]), "a;b,nine");
    EXPECT_EQ("zero", fnText("@$0"));
    EXPECT_EQ("ni", fnText("@$922"));

    fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), ";");
    EXPECT_EQ("b,nine", fnText("@$92")) << "the delimiters come from the run state";
}

TEST_F(ExpandTest, UnfilledTablesAreEmpty)
{
    EXPECT_EQ("", fnText("@F1"));
    EXPECT_EQ("", fnText("@G0"));
    EXPECT_EQ(-1, fnCode("@G0"));
    EXPECT_EQ("@F0", fnText("@F0"));
    EXPECT_EQ("F13", fnText("@F13")) << "F has parts 0-2";
}

TEST_F(ExpandTest, CheckStates)
{
    g_cCheckStates[0][1] = 'Y';
    g_cCheckStates[8][5] = 'N';
    EXPECT_EQ("Y", fnText("@B12"));
    EXPECT_EQ("N", fnText("@B96"));
    EXPECT_EQ("B13", fnText("@B13")) << "never set";
    EXPECT_EQ(-1, fnCode("@B13"));
    EXPECT_EQ("B17", fnText("@B17")) << "a group holds six boxes";
    EXPECT_EQ("@B0", fnText("@B0"));
}

TEST_F(ExpandTest, StringChecks)
{
    g_uStringChecks[0] = 1;
    g_uStringChecks[3] = 9;
    g_uStringChecks[15] = 4;
    EXPECT_EQ("1", fnText("@I0"));
    EXPECT_EQ("9x", fnText("@I3x"));
    EXPECT_EQ("4", fnText("@I15"));
    EXPECT_EQ("@I16", fnText("@I16")) << "beyond the table";
    EXPECT_EQ("@I", fnText("@I"));
}

TEST_F(ExpandTest, RegistryValues)
{
    fnCopyText(g_szRegValues[0], COUNTOF(g_szRegValues[0]), "-NOTFOUND-");
    fnCopyText(g_szRegValues[2], COUNTOF(g_szRegValues[2]), "C:\\Prog\\x.exe");
    EXPECT_EQ("ab", fnText("a@K0b"));
    EXPECT_EQ(1, fnCode("a@K0b")) << "not found is empty but not an empty variable";
    EXPECT_EQ(1, fnCode("@D@K0"));
    EXPECT_EQ("", fnText("@K1"));
    EXPECT_EQ(-1, fnCode("@K1"));
    EXPECT_EQ("C:", fnText("@K20"));
    EXPECT_EQ("C:\\Prog", fnText("@K21"));
    EXPECT_EQ("x.exe", fnText("@K22"));
    EXPECT_EQ("K23", fnText("@K23")) << "K has parts 0-2";
    EXPECT_EQ("K10", fnText("@K10")) << "a part that cannot be formed resumes at the letter";
    EXPECT_EQ("@K9", fnText("@K9")) << "the table has nine entries";
}

TEST_F(ExpandTest, UserNameAndPassword)
{
    fnCopyText(g_szUserName, COUNTOF(g_szUserName), "jdoe");
    fnCopyText(g_szPassword, COUNTOF(g_szPassword) - 1, "s3cret");
    ASSERT_EQ(1, fnEnCryptString(g_szPassword, 7));
    std::string strScrambled = g_szPassword;
    EXPECT_EQ("jdoe", fnText("@U0"));
    EXPECT_EQ("s3cret", fnText("@U1"));
    EXPECT_EQ(strScrambled, g_szPassword) << "unscrambled on a copy";
    EXPECT_EQ("x", fnText("@Ux"));
    EXPECT_EQ("@U2", fnText("@U2"));
}

// ---- the environment -------------------------------------------------------

TEST_F(ExpandTest, EnvironmentVariables)
{
    EXPECT_EQ(fnWinDir() + "\\x", fnText("@%WINDIR%\\x"));
    EXPECT_EQ(1, fnCode("@%WINDIR%\\x"));
    EXPECT_EQ("@%NOSUCHVAR%", fnText("@%NOSUCHVAR%"));
    EXPECT_EQ(-1, fnCode("@%NOSUCHVAR%"));
    EXPECT_EQ("@%%", fnText("@%%"));
    EXPECT_EQ("@%WIN DIR%", fnText("@%WIN DIR%"));
    EXPECT_EQ("@%WINDIR", fnText("@%WINDIR"));
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
    EXPECT_EQ("C:|APP", fnText("@|@D"));
    EXPECT_EQ("C:|APP\\x", fnText("@|@D\\x")) << "applies to the next value only";
    EXPECT_EQ("xC:\\APP", fnText("@|x@D")) << "a copied character clears it";
    EXPECT_EQ("@J1C:\\APP", fnText("@|@J1@D")) << "so does a failed variable";
}

TEST_F(ExpandTest, ShortAndLongPathModifiers)
{
    std::string strDir = fnTestDir("ExpandShortPath") + "\\A Rather Long Folder Name";
    CreateDirectoryA(strDir.c_str(), NULL);
    char szShort[MAX_PATH];
    DWORD cch = GetShortPathNameA(strDir.c_str(), szShort, MAX_PATH);
    ASSERT_GT(cch, 0u);
    fnCopyText(g_szDirs[2], COUNTOF(g_szDirs[2]), strDir.c_str());
    EXPECT_EQ(szShort, fnText("@~@D3"));
    EXPECT_EQ(strDir, fnText("@~x@D3").substr(1)) << "the x cleared the modifier";
    fnCopyText(g_szDirs[2], COUNTOF(g_szDirs[2]), szShort);
    EXPECT_EQ(strDir, fnText("@#@D3"));
    fnCopyText(g_szDirs[2], COUNTOF(g_szDirs[2]), "C:\\no\\such\\path");
    EXPECT_EQ("C:\\no\\such\\path", fnText("@~@D3")) << "a path that does not exist is kept";
}

TEST_F(ExpandTest, CutMark)
{
    EXPECT_EQ("ab", fnText("ab@Zcd"));
    EXPECT_EQ("ab", fnText("ab@zcd@Zef"));
    EXPECT_EQ("@Z", fnText("@@Z")) << "an escaped @ is no cut mark";
    EXPECT_EQ(fnWinDir() + "8", fnText("@W08"));
}

// ---- bounds ----------------------------------------------------------------

TEST_F(ExpandTest, ALongEnvironmentValueIsCutToTheBuffer)
{
    std::string strLong(5000, 'v');
    SetEnvironmentVariableA("SETUP32_LONG", strLong.c_str());
    ExpandResult res = fnExpand("x@%SETUP32_LONG%y", 260);
    EXPECT_EQ("x" + std::string(258, 'v'), res.strText);
    EXPECT_EQ(1, res.iCode);
    res = fnExpand("@%SETUP32_LONG%", 1024);
    EXPECT_EQ(std::string(1023, 'v'), res.strText);
    SetEnvironmentVariableA("SETUP32_LONG", NULL);
}

TEST_F(ExpandTest, LongAnswersAreCutToTheCallersCapacity)
{
    std::string strAnswer(kcchShort - 1, 'a');
    for (unsigned i = 0; i < kuAnswers; i++)
        fnCopyText(g_szAskForResponse[i], COUNTOF(g_szAskForResponse[i]), strAnswer.c_str());
    std::string strAll = "@A1@A2@A3@A4@A5@A6@A7@A8@A9";
    EXPECT_EQ(std::string(259, 'a'), fnExpand(strAll, 260).strText);
    EXPECT_EQ(std::string(1023, 'a'), fnExpand(strAll, 1024).strText);
    EXPECT_EQ(std::string(15, 'a'), fnExpand("@A1", 16).strText);
    EXPECT_EQ(std::string(1023, 'a'), fnExpand(strAll, 4096).strText) << "at most a script line";
}

TEST_F(ExpandTest, TheCutIsReportedInTheTrace)
{
    std::string strFile = fnTestDir("ExpandCutTrace") + "\\KRVloDbg.LOG";
    fnCopyText(g_szDebugFile, COUNTOF(g_szDebugFile), strFile.c_str());
    g_uTraceMode = 3;
    fnExpand("@A1@A1@A1", 20);
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
    EXPECT_EQ("WXP", fnText("@V"));
    EXPECT_EQ("XP", fnText("@V0"));
    EXPECT_EQ("XP5", fnText("@V05")) << "V0 takes a second digit 0-2 only";
    EXPECT_EQ("WXP", fnText("@V00"));
    EXPECT_EQ("XP, Vs. 5.1, build 2600, Service Pack 2", fnText("@V01"));
    EXPECT_EQ("WinXP-Service Pack 2", fnText("@V02"));
    EXPECT_EQ("3|5|1|2|2600|2|8|XP, Vs. 5.1, build 2600, Service Pack 2|32",
              fnText("@V1|@V2|@V3|@V4|@V5|@V6|@V7|@V8|@V9"));
    EXPECT_EQ("WinXP-Service Pack 2", fnText("@M0"));

    struct Family {
        unsigned uPlatform;
        unsigned long dwMinor;
        const char *pszCode;
    } aFamilies[] = {{2, 0, "W95"}, {2, 10, "W98"}, {2, 90, "WME"}};
    for (const Family &f : aFamilies) {
        g_uWinPlatform = f.uPlatform;
        g_dwWinMajor = 4;
        g_dwWinMinor = f.dwMinor;
        EXPECT_EQ(f.pszCode, fnText("@V00")) << f.dwMinor;
    }
    g_uWinOS = 16;
    EXPECT_EQ("S2K864", fnText("@V"));
}

TEST_F(ExpandTest, SystemSelectors)
{
    fnCopyText(g_szDate, COUNTOF(g_szDate), "20240131");
    fnCopyText(g_szTime, COUNTOF(g_szTime), "235959");
    EXPECT_EQ(fnSysDir(), fnText("@S"));
    EXPECT_EQ("20240131-235959", fnText("@S1-@S2"));
    EXPECT_EQ("@S9", fnText("@S9"));

    char szUser[257];
    DWORD cchUser = sizeof(szUser);
    ASSERT_TRUE(GetUserNameA(szUser, &cchUser));
    char szComputer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD cchComputer = sizeof(szComputer);
    ASSERT_TRUE(GetComputerNameA(szComputer, &cchComputer));
    EXPECT_EQ(szUser, fnText("@S3"));
    EXPECT_EQ(szComputer, fnText("@S4"));
    EXPECT_EQ(szUser, fnText("@N0"));
    EXPECT_EQ(szComputer, fnText("@N1"));
    EXPECT_EQ(szUser, fnText("@S0")) << "no NetID value: the user name";
    EXPECT_EQ("@N5", fnText("@N5"));
    EXPECT_EQ("@N", fnText("@N"));

    std::string strSid = fnText("@S7");
    EXPECT_TRUE(strSid == "NA" || strSid.compare(0, 4, "S-1-") == 0) << strSid;
    std::string strProfile = fnText("@S8");
    EXPECT_FALSE(strProfile.empty());
}

TEST_F(ExpandTest, NetIdFromTheRegistry)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\TarnwickCollege\\Network", 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &hKey, NULL));
    RegSetValueExA(hKey, "NetID", 0, REG_SZ, (const BYTE *)"net-7", 6);
    EXPECT_EQ("net-7", fnText("@S0"));
    RegDeleteValueA(hKey, "NetID");
    RegCloseKey(hKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\TarnwickCollege\\Network");
    RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\TarnwickCollege");
}

TEST_F(ExpandTest, MachineSelectors)
{
    std::string strMemory = fnText("@M1");
    ASSERT_GE(strMemory.size(), 3u);
    EXPECT_EQ("MB", strMemory.substr(strMemory.size() - 2));
    unsigned long uMB = strtoul(strMemory.c_str(), NULL, 10);
    EXPECT_TRUE(uMB == 1 || uMB % 8 == 0) << strMemory;

    std::string strProduct = fnText("@M2");
    EXPECT_FALSE(strProduct.empty());
    std::string strSpeed = fnText("@M3");
    EXPECT_TRUE(strSpeed == "NA" || (strSpeed.size() > 3 && strSpeed.substr(strSpeed.size() - 3) == "MHz"))
        << strSpeed;
    std::string strCpu = fnText("@M4");
    ASSERT_FALSE(strCpu.empty());
    EXPECT_NE(' ', strCpu.front());
    EXPECT_NE(' ', strCpu.back());
    EXPECT_EQ(std::string::npos, strCpu.find('\n'));
    EXPECT_EQ("@M5", fnText("@M5"));
    EXPECT_EQ(fnText("@M0") + "8", fnText("@M08"));
}

TEST_F(ExpandTest, SerialAndNetworkAddresses)
{
    fnCopyText(g_szTime, COUNTOF(g_szTime), "101010");
    EXPECT_FALSE(fnText("@S5").empty());
    std::string strList = fnText("@S6");
    ASSERT_FALSE(strList.empty());
    if (strList == "NA-0.0.0.0")
        return;
    std::string strFirst = strList.substr(0, strList.find(';'));
    EXPECT_EQ(strFirst, fnText("@S61"));
    std::string strMac = fnText("@S611");
    std::string strIp = fnText("@S612");
    EXPECT_EQ(strFirst, strMac + "-" + strIp);
    std::string strPrefix = fnText("@S613");
    std::string strDashed = strIp;
    for (char &c : strDashed)
        c = c == '.' ? '-' : c;
    EXPECT_EQ(0u, strDashed.find(strPrefix)) << strPrefix << " from " << strIp;
    EXPECT_EQ("", fnText("@S616"));
    EXPECT_EQ("", fnText("@S69")) << "no ninth adapter";
}

TEST_F(ExpandTest, ConnectionsAndPrintersStayWithinTheValue)
{
    // Usually empty under test; what matters is the form and the bound.
    std::string strConnections = fnText("@N2");
    EXPECT_LT(strConnections.size(), (size_t)kcchExpanded);
    std::string strPrinters = fnText("@N3");
    EXPECT_TRUE(strPrinters.empty() || strPrinters.back() == ';') << strPrinters;
    std::string strUser = fnText("@N4");
    EXPECT_TRUE(strUser.empty() || strUser.find('\\') != std::string::npos) << strUser;
}

// ---- folders ---------------------------------------------------------------

TEST_F(ExpandTest, FoldersFromTheRunState)
{
    fnCopyText(g_szProgramFilesDir, COUNTOF(g_szProgramFilesDir), "C:\\PF");
    fnCopyText(g_szUserProgramsFolder, COUNTOF(g_szUserProgramsFolder), "C:\\UP");
    fnCopyText(g_szShortcutFolder, COUNTOF(g_szShortcutFolder), "C:\\SC");
    EXPECT_EQ(fnWinDir(), fnText("@W"));
    EXPECT_EQ(fnWinDir(), fnText("@W0"));
    EXPECT_EQ(fnWinDir(), fnText("@W1"));
    EXPECT_EQ(fnSysDir(), fnText("@W2"));
    EXPECT_EQ(fnWinDir().substr(0, 2), fnText("@W3"));
    EXPECT_EQ(fnSysDir().substr(0, 2), fnText("@W4"));
    EXPECT_EQ("C:\\PF|C:\\UP|C:\\SC", fnText("@W5|@W6|@W15"));
    EXPECT_EQ("@W48", fnText("@W48"));
    EXPECT_EQ(-1, fnCode("@W48"));
    EXPECT_EQ("@W470", fnText("@W470")) << "all digits count";
}

TEST_F(ExpandTest, FoldersFromTheRegistryOrTheirDefaults)
{
    for (int i = 7; i <= 47; i++) {
        if (i == 15)
            continue;  // the shortcut folder of the run state
        std::string strVar = "@W" + std::to_string(i);
        ExpandResult res = fnExpand(strVar);
        EXPECT_FALSE(res.strText.empty()) << strVar;
        EXPECT_EQ(1, res.iCode) << strVar;
        EXPECT_EQ(std::string::npos, res.strText.find('%')) << strVar << " is expanded: " << res.strText;
    }
    char szTemp[MAX_PATH];
    ASSERT_GT(GetEnvironmentVariableA("USERPROFILE", szTemp, MAX_PATH), 0u);
    EXPECT_EQ(szTemp, fnText("@W47"));
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
