// Line edits of configuration-file text, the PATH-line editor and list edits.
#include "config/iniedit_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/text.h"

namespace {

struct Capture {
    std::string strText;
    std::vector<std::string> vecLog;
};

int fnCaptureWrite(void *pContext, const char *pch, size_t cch)
{
    static_cast<Capture *>(pContext)->strText.append(pch, cch);
    return 1;
}

void fnCaptureLog(void *pContext, const char *pszLine)
{
    static_cast<Capture *>(pContext)->vecLog.push_back(pszLine);
}

Capture fnEdit(const std::string &strText, char cType, char cAction, const char *pszSection, const char *pszKey,
               const char *pszValue, const char *pszSub = "")
{
    IniEditStruct edit = {};
    fnCopyText(edit.szFile, COUNTOF(edit.szFile), "F.INI");
    fnCopyText(edit.szSection, COUNTOF(edit.szSection), pszSection);
    fnCopyText(edit.szKey, COUNTOF(edit.szKey), pszKey);
    fnCopyText(edit.szValue, COUNTOF(edit.szValue), pszValue);
    fnCopyText(edit.szSubValue, COUNTOF(edit.szSubValue), pszSub);
    edit.cType = cType;
    edit.cAction = cAction;
    fnIniPrepareEdit(&edit);
    Capture cap;
    IniSinkStruct sink = {&cap, fnCaptureWrite, fnCaptureLog};
    EXPECT_EQ(fnEditIniText(strText.data(), strText.size(), &edit, &sink), 1);
    return cap;
}

Capture fnPath(const std::string &strText, const char *pszItem, char cAction, char cPlace = 'E')
{
    Capture cap;
    IniSinkStruct sink = {&cap, fnCaptureWrite, fnCaptureLog};
    EXPECT_EQ(fnEditPathText(strText.data(), strText.size(), "C:\\AUTOEXEC.BAT", "PATH ", pszItem, pszItem, cAction,
                             cPlace, &sink),
              1);
    return cap;
}

const char kWinIni[] =
    "[windows]\r\nload=\r\nrun=\r\n\r\n[Desktop]\r\nWallpaper=(None)\r\nTileWallpaper=0\r\n\r\n[intl]\r\niCountry=1\r\n";

}  // namespace

TEST(IniLineKeyValue, ReplacesTheKeyOfItsSectionOnly)
{
    Capture cap = fnEdit(kWinIni, 'W', 'N', "Desktop", "Wallpaper", "C:\\X.BMP");
    EXPECT_EQ(cap.strText,
              "[windows]\r\nload=\r\nrun=\r\n\r\n[Desktop]\r\nWallpaper=C:\\X.BMP\r\nTileWallpaper=0\r\n\r\n[intl]\r\n"
              "iCountry=1\r\n");
    ASSERT_EQ(cap.vecLog.size(), 1u);
    EXPECT_EQ(cap.vecLog[0], "F.INI, \"[Desktop]\", \"Wallpaper\", \"Wallpaper=(None)\",\"Wallpaper=C:\\X.BMP\", W");
}

TEST(IniLineKeyValue, WholeKeyMustAgree)
{
    // "Tile" is the start of "TileWallpaper" but not that key: the line is added.
    Capture cap = fnEdit(kWinIni, 'W', 'N', "Desktop", "Tile", "1");
    EXPECT_NE(cap.strText.find("TileWallpaper=0\r\nTile=1\r\n\r\n[intl]"), std::string::npos) << cap.strText;
}

TEST(IniLineKeyValue, MissingKeyGoesBeforeTheBlankThatEndsTheSection)
{
    Capture cap = fnEdit(kWinIni, 'W', 'N', "windows", "device", "HP,winspool,LPT1:");
    EXPECT_EQ(cap.strText.substr(0, 55), "[windows]\r\nload=\r\nrun=\r\ndevice=HP,winspool,LPT1:\r\n\r\n[De");
}

TEST(IniLineKeyValue, MissingSectionIsAppendedAfterABlankLine)
{
    Capture cap = fnEdit(kWinIni, 'W', 'N', "New", "a", "1");
    EXPECT_EQ(cap.strText, std::string(kWinIni) + "\r\n[New]\r\na=1\r\n");
    EXPECT_EQ(cap.vecLog.size(), 2u);
    // A last line without a line end is ended before anything is appended.
    EXPECT_EQ(fnEdit("[a]\nx=1", 'W', 'N', "b", "y", "2").strText, "[a]\nx=1\n\n[b]\ny=2\n");
}

TEST(IniLineKeyValue, SectionRunningToTheEndGetsTheLineAppended)
{
    EXPECT_EQ(fnEdit(kWinIni, 'W', 'N', "intl", "sDecimal", ".").strText, std::string(kWinIni) + "sDecimal=.\r\n");
}

TEST(IniLineKeyValue, ActionsOnTheMatchingLine)
{
    const std::string strIn = "[s]\r\na=1\r\nb=2\r\n";
    EXPECT_EQ(fnEdit(strIn, 'W', 'D', "s", "a", "").strText, "[s]\r\nb=2\r\n");
    EXPECT_EQ(fnEdit(strIn, 'W', 'A', "s", "a", "9").strText, "[s]\r\na=1\r\na=9\r\nb=2\r\n");
    EXPECT_EQ(fnEdit(strIn, 'W', 'I', "s", "a", "9").strText, "[s]\r\na=9\r\na=1\r\nb=2\r\n");
    EXPECT_EQ(fnEdit(strIn, 'W', 'S', "s", "a", "9").strText, strIn);
    EXPECT_EQ(fnEdit(strIn, 'W', 'S', "s", "c", "3").strText, "[s]\r\na=1\r\nb=2\r\nc=3\r\n");
    // Deleting or replacing-only a missing key changes nothing.
    EXPECT_EQ(fnEdit(strIn, 'W', 'D', "s", "c", "").strText, strIn);
    EXPECT_EQ(fnEdit(strIn, 'W', 'R', "s", "c", "3").strText, strIn);
}

TEST(IniLineKeyValue, SystemIniDeviceLinesAddedOncePerValue)
{
    const std::string strIn = "[386Enh]\r\ndevice=*vpicd\r\ndevice=vtdapi.386\r\n\r\n[drivers]\r\n";
    // Type M adds a further "device=" line unless one with that value exists.
    EXPECT_EQ(fnEdit(strIn, 'M', 'N', "386Enh", "device", "vtdapi.386").strText, strIn);
    EXPECT_EQ(fnEdit(strIn, 'M', 'N', "386Enh", "device", "x.386").strText,
              "[386Enh]\r\ndevice=*vpicd\r\ndevice=vtdapi.386\r\ndevice=x.386\r\n\r\n[drivers]\r\n");
    EXPECT_EQ(fnEdit(strIn, 'M', 'D', "386Enh", "device", "vtdapi.386").strText,
              "[386Enh]\r\ndevice=*vpicd\r\n\r\n[drivers]\r\n");
}

TEST(IniLineKeyValue, TypeSKeepsTheFoundKeyAsWritten)
{
    EXPECT_EQ(fnEdit("[s]\r\nDevice = old.drv\r\n", 'S', 'N', "[s]", "device", "new.drv", "old").strText,
              "[s]\r\nDevice=new.drv\r\n");
}

TEST(IniLineBatch, ConfigSysListLinesByLineStart)
{
    const std::string strIn = "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=20\r\nBUFFERS=30\r\n";
    EXPECT_EQ(fnEdit(strIn, 'K', 'N', "", "FILES=", "FILES=40").strText,
              "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=40\r\nBUFFERS=30\r\n");
    EXPECT_EQ(fnEdit(strIn, 'B', 'D', "", "HIMEM", "").strText, "FILES=20\r\nBUFFERS=30\r\n");
    EXPECT_EQ(fnEdit(strIn, 'C', 'N', "", "STACKS=", "STACKS=9,256", "T").strText, "STACKS=9,256\r\n" + strIn);
}

TEST(IniLineBatch, PlacementOfAMissingLine)
{
    const std::string strAuto = "@ECHO OFF\r\nPROMPT $P$G\r\nC:\\WINDOWS\\WIN.COM\r\n";
    EXPECT_EQ(fnEdit(strAuto, 'C', 'N', "", "set TEMP=", "set TEMP=C:\\TMP", "B").strText,
              "@ECHO OFF\r\nPROMPT $P$G\r\nset TEMP=C:\\TMP\r\nC:\\WINDOWS\\WIN.COM\r\n");
    EXPECT_EQ(fnEdit(strAuto, 'C', 'N', "", "set TEMP=", "set TEMP=C:\\TMP", "A").strText,
              "@ECHO OFF\r\nset TEMP=C:\\TMP\r\nPROMPT $P$G\r\nC:\\WINDOWS\\WIN.COM\r\n");
    EXPECT_EQ(fnEdit("@echo off\r\nwin\r\n", 'C', 'N', "", "set A=", "set A=1", "B").strText,
              "@echo off\r\nset A=1\r\nwin\r\n");
    // No line that starts Windows: at the end.
    EXPECT_EQ(fnEdit("@echo off\r\n", 'C', 'N', "", "set A=", "set A=1", "B").strText, "@echo off\r\nset A=1\r\n");
}

TEST(IniLineReplace, ReplacesEveryOccurrenceInTheSection)
{
    const std::string strIn = "[a]\r\nx=OLD;old\r\n[b]\r\ny=old\r\n";
    EXPECT_EQ(fnEdit(strIn, 'R', 'N', "[a]", "old", "new").strText, "[a]\r\nx=new;new\r\n[b]\r\ny=old\r\n");
    EXPECT_EQ(fnEdit(strIn, 'R', 'D', "[a]", "old;", "x").strText, "[a]\r\nx=old\r\n[b]\r\ny=old\r\n");
    EXPECT_EQ(fnEdit(strIn, 'R', 'S', "", "old", "new").strText, strIn);
}

TEST(IniLineText, LinesOutsideTheEditAreKeptByteForByte)
{
    // LF line ends, a long line and a missing final line end survive an edit elsewhere.
    std::string strLong(3000, 'z');
    std::string strIn = "[a]\nk=1\n" + strLong + "\n[b]\nj=2";
    EXPECT_EQ(fnEdit(strIn, 'W', 'N', "a", "k", "5").strText, "[a]\nk=5\n" + strLong + "\n[b]\nj=2");
}

TEST(IniLineText, DoubledBackslashes)
{
    char sz[16] = "C:\\A\\B";
    EXPECT_EQ(fnDoubleBackslashes(sz, COUNTOF(sz)), 1);
    EXPECT_STREQ(sz, "C:\\\\A\\\\B");
    char szSmall[6] = "a\\b\\c";
    EXPECT_EQ(fnDoubleBackslashes(szSmall, COUNTOF(szSmall)), 0);
    EXPECT_STREQ(szSmall, "a\\\\b");
}

TEST(IniPathLines, EveryPathLineIsEdited)
{
    Capture cap = fnPath("@ECHO OFF\r\nPATH C:\\DOS;C:\\WIN\r\nSET PATH=%PATH%;D:\\\r\n", "C:\\NEW", 'E');
    EXPECT_EQ(cap.strText, "@ECHO OFF\r\nPATH C:\\DOS;C:\\WIN;C:\\NEW\r\nPATH %PATH%;D:\\;C:\\NEW\r\n");
    EXPECT_EQ(cap.vecLog.size(), 2u);
}

TEST(IniPathLines, FoundItemsAndActions)
{
    const std::string strIn = "PATH=C:\\DOS;C:\\BIN;C:\\WIN\r\n";
    EXPECT_EQ(fnPath(strIn, "c:\\bin", 'D').strText, "PATH C:\\DOS;C:\\WIN\r\n");
    EXPECT_EQ(fnPath(strIn, "C:\\BIN", 'S').strText, strIn);
    EXPECT_EQ(fnPath(strIn, "C:\\X", 'R').strText, strIn);
    EXPECT_EQ(fnPath(strIn, "C:\\X", 'N').strText, "PATH C:\\X;C:\\DOS;C:\\BIN;C:\\WIN\r\n");
    // An item is found only as a whole item, not inside another one.
    EXPECT_EQ(fnPath("PATH D:\\C:\\BIN\r\n", "C:\\BIN", 'D').strText, "PATH D:\\C:\\BIN\r\n");
}

TEST(IniPathLines, MissingPathLineIsPlaced)
{
    EXPECT_EQ(fnPath("@ECHO OFF\r\nWIN\r\n", "C:\\NEW", 'N', 'A').strText, "@ECHO OFF\r\nPATH C:\\NEW\r\nWIN\r\n");
    EXPECT_EQ(fnPath("@ECHO OFF\r\nWIN\r\n", "C:\\NEW", 'N', 'B').strText, "PATH C:\\NEW\r\n@ECHO OFF\r\nWIN\r\n");
    EXPECT_EQ(fnPath("@ECHO OFF\r\n", "C:\\NEW", 'N', 'E').strText, "@ECHO OFF\r\nPATH C:\\NEW\r\n");
    EXPECT_EQ(fnPath("@ECHO OFF\r\n", "C:\\NEW", 'D', 'E').strText, "@ECHO OFF\r\n");
}

TEST(IniListItems, EnvironmentListEdits)
{
    struct Case {
        const char *pszList, *pszItem;
        char cAction;
        const char *pszWant;
    } aCases[] = {
        {"X;Y", "Y", 'B', "Y;X"},      {"X;Y", "Z", 'E', "X;Y;Z"}, {"X;Y;Z", "y", 'D', "X;Z"},
        {"X;Y", "X", 'E', "Y;X"},      {"X;Y", "Z", 'D', "X;Y"},   {"X;Y", "Z", 'S', "Z;X;Y"},
        {"X;Y", "y", 'N', "X;y"},      {"Y", "Y", 'D', ""},        {"X;Y", "Y", 'S', "X;Y"},
        {"AX;X", "X", 'B', "X;AX"},
    };
    for (const Case &c : aCases) {
        char sz[64];
        fnCopyText(sz, COUNTOF(sz), c.pszList);
        EXPECT_EQ(fnEditListItem(sz, COUNTOF(sz), c.pszItem, c.cAction), 1);
        EXPECT_STREQ(sz, c.pszWant) << c.pszList << " " << c.pszItem << " " << c.cAction;
    }
    char szSmall[5] = "X;Y";
    EXPECT_EQ(fnEditListItem(szSmall, COUNTOF(szSmall), "LONG", 'E'), 0);
    EXPECT_STREQ(szSmall, "X;Y");
}

TEST(IniReads, FindsValuesByType)
{
    char sz[64];
    const std::string strIni = "[a]\r\nk = v1\r\n[b]\r\nk=v2\r\ndevice=x.386 /y\r\n";
    EXPECT_EQ(fnFindIniText(strIni.data(), strIni.size(), "[b]", "k", 'I', "", sz, COUNTOF(sz)), 1);
    EXPECT_STREQ(sz, "v2");
    EXPECT_EQ(fnFindIniText(strIni.data(), strIni.size(), "[b]", "device", 'M', "/z", sz, COUNTOF(sz)), 0);
    EXPECT_STREQ(sz, "");
    EXPECT_EQ(fnFindIniText(strIni.data(), strIni.size(), "[b]", "device", 'F', "", sz, COUNTOF(sz)), 1);
    EXPECT_STREQ(sz, "x.386 /y");
    const std::string strBat = "@ECHO OFF\r\nSET TEMP = C:\\TMP\r\nPATH C:\\DOS;C:\\WIN\r\n";
    EXPECT_EQ(fnFindIniText(strBat.data(), strBat.size(), "", "SET TEMP", 'C', "", sz, COUNTOF(sz)), 1);
    EXPECT_STREQ(sz, "C:\\TMP");
    EXPECT_EQ(fnFindIniText(strBat.data(), strBat.size(), "", "", 'P', "", sz, COUNTOF(sz)), 1);
    EXPECT_STREQ(sz, "C:\\DOS;C:\\WIN");
}
