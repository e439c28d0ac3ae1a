#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run/event_log_text.h"

namespace {

std::string fnRecord(std::initializer_list<const char *> pairs, size_t cchOut = kcchEventRecord, int *pbWhole = nullptr)
{
    std::vector<const char *> v(pairs);
    std::string s(cchOut, '\x7f');
    int bWhole = fnJsonRecord(&s[0], cchOut, v.data(), (unsigned)(v.size() / 2));
    if (pbWhole)
        *pbWhole = bWhole;
    return std::string(s.c_str());
}

}  // namespace

TEST(EventLogText, EscapesWhatJsonForbids)
{
    char sz[64];
    fnJsonEscape(sz, sizeof(sz), "C:\\a \"b\"\r\n\t\x01");
    EXPECT_STREQ(sz, "C:\\\\a \\\"b\\\"\\r\\n\\t\\u0001");
    fnJsonEscape(sz, sizeof(sz), "caf\xC3\xA9");  // UTF-8 passes as it is
    EXPECT_STREQ(sz, "caf\xC3\xA9");
    // Cut only between whole escapes and whole characters.
    EXPECT_EQ(fnJsonEscape(sz, 3, "a\"b"), 1u);
    EXPECT_STREQ(sz, "a");
    EXPECT_EQ(fnJsonEscape(sz, 4, "a\xC3\xA9\xC3\xA9"), 3u);
    EXPECT_STREQ(sz, "a\xC3\xA9");
}

TEST(EventLogText, RecordsWithLiteralsAndCutValues)
{
    EXPECT_EQ(fnRecord({"event", "run_end", "#exit_code", "3010", "#ok", "true"}),
              "{\"event\":\"run_end\",\"exit_code\":3010,\"ok\":true}");
    // A "#" value that is no number is quoted, so the line stays JSON.
    EXPECT_EQ(fnRecord({"#code", "12x", "#lead", "012"}), "{\"code\":\"12x\",\"lead\":\"012\"}");
    int bWhole = 1;
    std::string s = fnRecord({"event", "change", "record", "C:\\very\\long\\path\\name.txt"}, 40, &bWhole);
    EXPECT_EQ(bWhole, 0);
    EXPECT_EQ(s, "{\"event\":\"change\",\"record\":\"C:\\\\very\"}");
    EXPECT_LT(s.size(), 40u);
}

TEST(EventLogText, KindsOfInstallLogRecords)
{
    struct {
        const char *pszRecord;
        const char *pszKind;
    } aCases[] = {
        {"C:\\APP\\A.DLL, N", "file_installed"}, {"C:\\APP\\A.DLL, S", "file_shared"},
        {"C:\\APP\\SUB,  D", "directory"},       {"C:\\A, C:\\B, R", "file_renamed"},
        {"C:\\A.INI, \"S\", \"K\", \"1\", \"2\", I", "ini_edit"},
        {"Exec=notepad.exe, 0, 1, 0", "program"}, {"PATH, C:\\BIN, Append, 0, 1, 1, 0, 0", "environment"},
        {"a, b, c, d, e, f, g, h, i", "shortcut"}, {"something else", "change"},
        {"\r\n[CopyFiles]", nullptr}, {"[Karvello Log]", nullptr}, {"InstallDir=C:\\APP", nullptr}, {"", nullptr},
    };
    for (const auto &c : aCases) {
        const char *pszKind = fnChangeKind(c.pszRecord);
        EXPECT_STREQ(pszKind, c.pszKind) << c.pszRecord;
    }
}

TEST(EventLogText, FieldsOfARecord)
{
    const char *pszIni = "C:\\A.INI, \"Sect, ion\", \"Key\", \"old\", \"new\", I";
    char sz[64];
    const char *apszWant[] = {"C:\\A.INI", "Sect, ion", "Key", "old", "new", "I"};
    for (unsigned u = 0; u < 6; u++) {
        EXPECT_EQ(fnRecordField(pszIni, u, sz, sizeof(sz)), 1);
        EXPECT_STREQ(sz, apszWant[u]);
    }
    EXPECT_EQ(fnRecordField(pszIni, 6, sz, sizeof(sz)), 0);
    EXPECT_STREQ(sz, "");
}

TEST(EventLogText, PasswordsAreMasked)
{
    char sz[256];
    fnMaskCmdLine(sz, sizeof(sz), "SETUP32.EXE -q=2 -a=Secret1 \"-A=two words\" user=x password=hunter2 -d=C:\\X");
    EXPECT_STREQ(sz, "SETUP32.EXE -q=2 -a=*** \"-A=***\" user=x password=*** -d=C:\\X");
    EXPECT_EQ(fnIsSecretName("password"), 1);
    EXPECT_EQ(fnIsSecretName("AdminPwd"), 1);
    EXPECT_EQ(fnIsSecretName("text"), 0);
}
