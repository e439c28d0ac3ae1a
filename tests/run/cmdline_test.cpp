#include <stddef.h>
#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run/cmdline.h"

namespace {

std::vector<std::string> fnSplit(const char *pszCmdLine)
{
    static CmdArgsStruct s_args;  // large: keep it off the stack
    fnSplitCmdLine(pszCmdLine, &s_args);
    std::vector<std::string> vArgs;
    for (unsigned u = 0; u < s_args.uCount; u++)
        vArgs.push_back(s_args.szArg[u]);
    return vArgs;
}

struct Parsed {
    int iResult;
    CmdLineStruct cmd;
    CmdRunStruct run;
};

// Parses "SETUP32.EXE " + pszArgs with the run state starting at uShowVSWin 5.
Parsed fnParse(const char *pszArgs)
{
    static CmdArgsStruct s_args;
    std::string sLine = std::string("SETUP32.EXE ") + pszArgs;
    fnSplitCmdLine(sLine.c_str(), &s_args);
    Parsed parsed;
    memset(&parsed.cmd, 0x5A, sizeof(parsed.cmd));  // must be cleared by the parser
    memset(&parsed.run, 0, sizeof(parsed.run));
    parsed.run.uShowVSWin = 5;
    parsed.iResult = fnParseCmdArgs(&s_args, &parsed.cmd, &parsed.run);
    return parsed;
}

// ---- Splitting -------------------------------------------------------

TEST(SplitCmdLine, SplitsAtBlanksAndGroupsQuotes)
{
    struct {
        const char *pszLine;
        std::vector<std::string> vArgs;
    } aCases[] = {
        {"a b  c", {"a", "b", "c"}},
        {" \t a\tb \t", {"a", "b"}},
        {"\"C:\\Program Files\\x.exe\" -i=a", {"C:\\Program Files\\x.exe", "-i=a"}},
        {"-m=\"Hello world\" x", {"-m=Hello world", "x"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"\" x", {"", "x"}},
        {"\"open to end", {"open to end"}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto &c : aCases)
        EXPECT_EQ(fnSplit(c.pszLine), c.vArgs) << c.pszLine;
}

TEST(SplitCmdLine, BoundsCountAndLength)
{
    std::string sLine;
    for (int i = 0; i < kuMaxCmdArgs + 10; i++)
        sLine += "x" + std::to_string(i) + " ";
    std::vector<std::string> vArgs = fnSplit(sLine.c_str());
    ASSERT_EQ(vArgs.size(), (size_t)kuMaxCmdArgs);
    EXPECT_EQ(vArgs.back(), "x" + std::to_string(kuMaxCmdArgs - 1));

    std::string sLong(3000, 'L');
    vArgs = fnSplit((sLong + " tail").c_str());
    ASSERT_EQ(vArgs.size(), 2u);
    EXPECT_EQ(vArgs[0], std::string(kcchCmdArg - 1, 'L'));
    EXPECT_EQ(vArgs[1], "tail");
}

// ---- Switches ----------------------------------------------------------

TEST(ParseCmdArgs, NoArgumentsReturnsZeroAndClears)
{
    Parsed parsed = fnParse("");
    EXPECT_EQ(parsed.iResult, 0);
    EXPECT_STREQ(parsed.cmd.szIniFile, "");
    EXPECT_EQ(parsed.cmd.bQuiet, 0);
    EXPECT_EQ(parsed.run.uShowVSWin, 5u);
}

TEST(ParseCmdArgs, HelpReturnsThreeAtOnce)
{
    EXPECT_EQ(fnParse("-?").iResult, 3);
    Parsed parsed = fnParse("-q -? -t");
    EXPECT_EQ(parsed.iResult, 3);
    EXPECT_EQ(parsed.cmd.bTempExec, 0);
}

TEST(ParseCmdArgs, TextSwitches)
{
    struct {
        const char *pszArgs;
        size_t uOffset;  // field of CmdLineStruct
        const char *pszValue;
    } aCases[] = {
        {"-a=yes", offsetof(CmdLineStruct, szAskFor), "YES"},
        {"-C=cmds.txt", offsetof(CmdLineStruct, szCmdFile), "CMDS.TXT"},
        {"-d=c:\\app", offsetof(CmdLineStruct, szDestDir), "C:\\APP"},
        {"-s=a:\\", offsetof(CmdLineStruct, szSourceDir), "A:\\"},
        {"-S=a:\\", offsetof(CmdLineStruct, szSourceDir), "A:\\"},
        {"-d=c:\\x=y", offsetof(CmdLineStruct, szDestDir), "C:\\X=Y"},
        {"-d=", offsetof(CmdLineStruct, szDestDir), ""},
        {"-d", offsetof(CmdLineStruct, szDestDir), ""},
        {"-m=Hello", offsetof(CmdLineStruct, szMessage), "Hello"},
        {"\"-M=Hello World\"", offsetof(CmdLineStruct, szMessage), "Hello World"},
        {"-I=setup.inf", offsetof(CmdLineStruct, szIniFile), "SETUP.INF"},
    };
    for (const auto &c : aCases) {
        Parsed parsed = fnParse(c.pszArgs);
        EXPECT_EQ(parsed.iResult, 1) << c.pszArgs;
        EXPECT_STREQ((const char *)&parsed.cmd + c.uOffset, c.pszValue) << c.pszArgs;
    }
    EXPECT_EQ(fnParse("-m=Hi").cmd.bMessage, 1);
    EXPECT_EQ(fnParse("-m=").cmd.bMessage, 0);
}

TEST(ParseCmdArgs, LongValuesAreCut)
{
    std::string sArgs = "-m=" + std::string(500, 'm') + " -d=" + std::string(500, 'd');
    Parsed parsed = fnParse(sArgs.c_str());
    EXPECT_EQ(std::string(parsed.cmd.szMessage), std::string(sizeof(parsed.cmd.szMessage) - 1, 'm'));
    EXPECT_EQ(std::string(parsed.cmd.szDestDir), std::string(sizeof(parsed.cmd.szDestDir) - 1, 'D'));
}

TEST(ParseCmdArgs, FlagSwitches)
{
    Parsed parsed = fnParse("-n -T -x -zzz");
    EXPECT_EQ(parsed.iResult, 1);
    EXPECT_EQ(parsed.cmd.bNoDirPrompt, 1);
    EXPECT_EQ(parsed.cmd.bTempExec, 1);
    EXPECT_EQ(parsed.cmd.bQuiet, 0);

    parsed = fnParse("-[Second]");
    EXPECT_STREQ(parsed.run.szStartHere, "[Second]");
    EXPECT_STREQ(parsed.cmd.szIniFile, "");
}

TEST(ParseCmdArgs, NumberSwitchesAndQuietOrder)
{
    struct {
        const char *pszArgs;
        unsigned uTraceMode;
        unsigned uShowVSWin;
        int bQuiet;
    } aCases[] = {
        {"-v", 1, 5, 0},
        {"-V=3", 3, 5, 0},
        {"-v=12", 12, 5, 0},
        {"-w=2", 0, 2, 0},
        {"-w=", 0, 5, 0},
        {"-q", 0, 0, 1},
        {"-q -w=1", 0, 1, 1},
        {"-w=1 -q", 0, 0, 1},
    };
    for (const auto &c : aCases) {
        Parsed parsed = fnParse(c.pszArgs);
        EXPECT_EQ(parsed.run.uTraceMode, c.uTraceMode) << c.pszArgs;
        EXPECT_EQ(parsed.run.uShowVSWin, c.uShowVSWin) << c.pszArgs;
        EXPECT_EQ(parsed.cmd.bQuiet, c.bQuiet) << c.pszArgs;
    }
}

TEST(ParseCmdArgs, ScriptNaming)
{
    struct {
        const char *pszArgs;
        const char *pszIniFile;
        unsigned uInfConvert;
        int bExternalInf;
    } aCases[] = {
        {"a.inf", "A.INF", 0, 1},
        {"a.inf b.inf", "B.INF", 0, 1},
        {"-i=a.inf b.inf", "A.INF", 0, 1},
        {"b.inf -i=a.inf", "A.INF", 0, 1},
        {"-e=old.ini", "OLD.INI", 1, 1},
        {"-e=old.ini new.inf", "NEW.INF", 1, 1},
        {"-u=file=x.inf", "X.INF", 2, 1},
        {"-u=Mode,FILE=x.inf", "X.INF", 2, 1},
        {"-u=x.inf", "", 0, 0},
        {"-u=file=", "", 0, 0},
        {"-i=", "", 0, 0},
        {"-t", "", 0, 0},
    };
    for (const auto &c : aCases) {
        Parsed parsed = fnParse(c.pszArgs);
        EXPECT_STREQ(parsed.cmd.szIniFile, c.pszIniFile) << c.pszArgs;
        EXPECT_EQ(parsed.run.uInfConvert, c.uInfConvert) << c.pszArgs;
        EXPECT_EQ(parsed.run.bExternalInf, c.bExternalInf) << c.pszArgs;
    }
}

}  // namespace

TEST(ParseCmdArgs, UnattendedLevelAndEventLog)
{
    struct {
        const char *pszArgs;
        int bQuiet;
        int bUnattended;
    } aCases[] = {
        {"-q", 1, 0}, {"-q=2", 1, 1}, {"-Q=2", 1, 1}, {"-q=1", 1, 0}, {"-q=", 1, 0}, {"-q=2 -q", 1, 1},
    };
    for (const auto &c : aCases) {
        Parsed parsed = fnParse(c.pszArgs);
        EXPECT_EQ(parsed.cmd.bQuiet, c.bQuiet) << c.pszArgs;
        EXPECT_EQ(parsed.cmd.bUnattended, c.bUnattended) << c.pszArgs;
        EXPECT_EQ(parsed.run.uShowVSWin, 0u) << c.pszArgs;
    }
    // The event log keeps its case (it is a file the tool reads back).
    EXPECT_STREQ(fnParse("-l=C:\\Logs\\Run.json").cmd.szEventLog, "C:\\Logs\\Run.json");
    EXPECT_STREQ(fnParse("-l=").cmd.szEventLog, "");
}
