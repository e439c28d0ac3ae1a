// Reading a keyed value out of a text file, as "ReadLineFromFile" does.
#include <gtest/gtest.h>

#include <string>

#include "support/test_files.h"

#include "config/read_line.h"
#include "run/text.h"

namespace {

TEST(ReadIniLine, FirstLineBeginningWithTheKeyGivesTheRest)
{
    std::string strDir = fnTestDir("ReadIniLine");
    std::string strFile = strDir + "\\settings.txt";
    ASSERT_TRUE(fnWriteWholeFile(strFile, "; Server=commented\r\n   server = first  \r\nSERVER=second\r\n"
                                          "Port 8080\r\nEmpty=\r\n"));
    struct KeyCase {
        const char *pszKey;
        int iFound;
        const char *pszValue;
    };
    const KeyCase aCases[] = {
        {"Server", 1, "first"},  // blanks before the key and around "=" go
        {"port", 1, "8080"},     // the "=" is optional
        {"Empty", 1, ""},
        {"Missing", 0, ""},
        {"; Server", 1, "commented"},
    };
    for (const KeyCase &c : aCases) {
        SCOPED_TRACE(c.pszKey);
        char szValue[260] = "junk";
        EXPECT_EQ(c.iFound, fnReadIniLine(strFile.c_str(), "", c.pszKey, 'C', szValue, COUNTOF(szValue)));
        EXPECT_STREQ(c.pszValue, szValue);
    }
}

TEST(ReadIniLine, MissingFileAndLongValues)
{
    std::string strDir = fnTestDir("ReadIniLineLong");
    char szValue[16] = "junk";
    EXPECT_EQ(0, fnReadIniLine((strDir + "\\none.txt").c_str(), "", "Key", 'C', szValue, COUNTOF(szValue)));
    EXPECT_STREQ("", szValue);
    std::string strFile = strDir + "\\long.txt";
    ASSERT_TRUE(fnWriteWholeFile(strFile, "Key=" + std::string(100, 'v') + "\r\n"));
    EXPECT_EQ(1, fnReadIniLine(strFile.c_str(), "", "Key", 'C', szValue, COUNTOF(szValue)));
    EXPECT_EQ(std::string(15, 'v'), szValue);  // cut to the buffer, terminated
}

}  // namespace
