// Guard lines and headers in every section kind that reads its lines one by
// one: a guard that passes is passed over and the later lines take effect, a
// line whose condition fails is skipped, a "skip section" guard ends the
// section, and a header followed by a comment still starts its section.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

namespace {

const char kszKey[] = "Software\\setup32-e2e\\guards";

std::string fnRegText(const char *pszValue)
{
    char sz[256] = "";
    DWORD cb = sizeof(sz);
    if (RegGetValueA(HKEY_CURRENT_USER, kszKey, pszValue, RRF_RT_REG_SZ, NULL, sz, &cb) != ERROR_SUCCESS)
        return "(none)";
    return sz;
}

std::string fnEnvText(const char *pszName)
{
    char sz[256] = "";
    DWORD cb = sizeof(sz);
    if (RegGetValueA(HKEY_CURRENT_USER, "Environment", pszName, RRF_RT_REG_SZ, NULL, sz, &cb) != ERROR_SUCCESS)
        return "(none)";
    return sz;
}

}  // namespace

// Each script runs quietly and must ask nothing and end with 0.
class GuardLinesE2E : public E2ECase {
protected:
    void fnRunQuiet(const std::string &strScript)
    {
        E2EResult res = fnRunCase(strScript, "-q", {}, 0);
        EXPECT_FALSE(fnContains(res.strTranscript, "window: ")) << res;
    }
};

TEST_F(GuardLinesE2E, RegistryGoesOnAfterAPassingGuard)
{
    const std::string &strDir = m_strDir;
    RegDeleteTreeA(HKEY_CURRENT_USER, kszKey);
    std::string strRoot = std::string("HKEY_CURRENT_USER\\") + kszKey;
    fnRunQuiet("[Registry] ; user settings\r\n"
                       "ProcessIfFileExists=" + strDir + "\r\n"
                       "Edit=SZ," + strRoot + ",first,1\r\n"
                       "a=b, Edit=SZ," + strRoot + ",skipped,1\r\n"
                       "Edit=SZ," + strRoot + ",second,2\r\n"
                       "SkipIfFileExists=" + strDir + "\r\n"
                       "Edit=SZ," + strRoot + ",late,3\r\n"
                       "[End]\r\n");
    EXPECT_EQ("1", fnRegText("first"));
    EXPECT_EQ("(none)", fnRegText("skipped"));
    EXPECT_EQ("2", fnRegText("second"));
    EXPECT_EQ("(none)", fnRegText("late"));
    RegDeleteTreeA(HKEY_CURRENT_USER, kszKey);
}

TEST_F(GuardLinesE2E, IniEditsGoOnAfterAPassingGuard)
{
    const std::string &strDir = m_strDir;
    std::string strIni = strDir + "\\G.INI";
    fnRunQuiet("[IniEdits] ; settings\r\n"
                       "ProcessIfFileExists=" + strDir + "\r\n" +
                       strIni + ", App, First, 1, N, W\r\n"
                       "a=b, " + strIni + ", App, Skipped, 1, N, W\r\n" +
                       strIni + ", App, Second, 2, N, W\r\n"
                       "SkipIfFileExists=" + strDir + "\r\n" +
                       strIni + ", App, Late, 3, N, W\r\n"
                       "[End]\r\n");
    EXPECT_EQ("[App]\r\nFirst=1\r\nSecond=2\r\n", fnE2EReadFile(strIni));
}

TEST_F(GuardLinesE2E, SetEnvironmentGoesOnAfterAPassingGuard)
{
    const std::string &strDir = m_strDir;
    const char *apszNames[] = {"S32GUARD1", "S32GUARDSKIP", "S32GUARD2", "S32GUARDLATE"};
    for (const char *pszName : apszNames)
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Environment", pszName);
    fnRunQuiet("[SetEnvironment] ; variables\r\n"
                       "ProcessIfFileExists=" + strDir + "\r\n"
                       "S32GUARD1, one\r\n"
                       "a=b, S32GUARDSKIP, no\r\n"
                       "S32GUARD2, two\r\n"
                       "SkipIfFileExists=" + strDir + "\r\n"
                       "S32GUARDLATE, late\r\n"
                       "[End]\r\n");
    EXPECT_EQ("one", fnEnvText("S32GUARD1"));
    EXPECT_EQ("(none)", fnEnvText("S32GUARDSKIP"));
    EXPECT_EQ("two", fnEnvText("S32GUARD2"));
    EXPECT_EQ("(none)", fnEnvText("S32GUARDLATE"));
    for (const char *pszName : apszNames)
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Environment", pszName);
}

// A passing guard takes no value slot: the first value read is still @P1.
// A line whose condition fails keeps its (empty) slot, as without guards.
TEST_F(GuardLinesE2E, ReadDefaultsGoOnAfterAPassingGuardWithoutASlot)
{
    const std::string &strDir = m_strDir;
    std::string strIni = strDir + "\\APP.INI";
    fnE2EWriteFile(strIni, "[App]\r\nName=Demo\r\nDir=C:\\Demo\r\nLate=x\r\n");
    fnRunQuiet("[ReadDefaults] ; values\r\n"
                       "ProcessIfFileExists=" + strDir + "\r\n" +
                       strIni + ", App, Name\r\n"
                       "a=b, " + strIni + ", App, Name\r\n" +
                       strIni + ", App, Dir\r\n"
                       "SkipIfFileExists=" + strDir + "\r\n" +
                       strIni + ", App, Late\r\n"
                       "[WriteCmdFile] ; the values read\r\n"
                       "WriteFile=" + strDir + "\\OUT.CMD\r\n"
                       "DestDir=@P1|@P2|@P3|@P4\r\n"
                       "[End]\r\n");
    std::string strOut = fnE2EReadFile(strDir + "\\OUT.CMD");
    EXPECT_NE(std::string::npos, strOut.find("DESTDIR=Demo||C:\\Demo|\r\n")) << strOut;
}

// Every other section that reads lines: its header with a comment starts it.
TEST_F(GuardLinesE2E, HeadersWithACommentStartTheirSections)
{
    const std::string &strDir = m_strDir;
    fnE2EWriteFile(strDir + "\\OLD.TXT", "old");
    fnE2EWriteFile(strDir + "\\SRC.TXT", "source");
    fnRunQuiet("[Config] ; settings\r\n"
                       "BeQuiet=TRUE\r\n"
                       "[MakeDirs] ; folders\r\n" +
                       strDir + "\\MADE\r\n"
                       "[CopyFiles] ; one file\r\n"
                       "BeQuiet=Y\r\n"
                       "0, " + strDir + "\\SRC.TXT, " + strDir + "\\MADE\\COPY.TXT, N,N,N\r\n"
                       "[DeleteFiles] ; old files\r\n" +
                       strDir + "\\OLD.TXT\r\n"
                       "[WriteCmdFile] ; command file\r\n"
                       "WriteFile=" + strDir + "\\OUT.CMD\r\n"
                       "DestDir=C:\\X\r\n"
                       "[End]\r\n");
    EXPECT_EQ("source", fnE2EReadFile(strDir + "\\MADE\\COPY.TXT"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((strDir + "\\OLD.TXT").c_str()));
    EXPECT_NE(std::string::npos, fnE2EReadFile(strDir + "\\OUT.CMD").find("DESTDIR=C:\\X")) << strDir;
}
