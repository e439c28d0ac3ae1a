// Version number texts and the comparison conditions. No Windows calls.
#include <gtest/gtest.h>

#include "base/version.h"

namespace {

struct ParseCase {
    const char *pszText;
    unsigned short aw[4];
};

TEST(VersionText, PartsSeparatedByDotsOrCommas)
{
    const ParseCase aCases[] = {
        {"5.1", {5, 1, 0, 0}},
        {"5,1,2600,0", {5, 1, 2600, 0}},
        {"5, 1, 2600, 1", {5, 1, 2600, 1}},
        {"1.2.3.4.5", {1, 2, 3, 4}},
        {"", {0, 0, 0, 0}},
        {"7", {7, 0, 0, 0}},
        {"1..3", {1, 0, 3, 0}},
        {"2.0 beta", {2, 0, 0, 0}},
        {"3.1a.4", {3, 1, 0, 0}},  // a foreign character ends the text
        {"65535.65536.99999.1", {65535, 65535, 65535, 1}},  // too large stays at the top, never wraps
    };
    for (const ParseCase &c : aCases) {
        unsigned short aw[4] = {9, 9, 9, 9};
        fnParseVersionText(c.pszText, aw);
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(c.aw[i], aw[i]) << "\"" << c.pszText << "\" part " << i;
    }
    unsigned short aw[4] = {9, 9, 9, 9};
    fnParseVersionText(nullptr, aw);
    EXPECT_EQ(0, aw[0] + aw[1] + aw[2] + aw[3]);
}

TEST(VersionText, ConditionsAgainstComparisonCodes)
{
    struct {
        const char *pszCondition;
        int bEqual, bOlder, bNewer, bNoFixed;
    } aCases[] = {
        {"EQ", 1, 0, 0, 0}, {"NE", 0, 1, 1, 1}, {"LT", 0, 1, 0, 0},
        {"le", 1, 1, 0, 0}, {"GT", 0, 0, 1, 0}, {"Ge", 1, 0, 1, 0},
        {"XX", 0, 0, 0, 0}, {"", 0, 0, 0, 0},
    };
    for (const auto &c : aCases) {
        EXPECT_EQ(c.bEqual, fnVersionCodeMeets(kVerEqual, c.pszCondition)) << c.pszCondition;
        EXPECT_EQ(c.bOlder, fnVersionCodeMeets(kVerOlder, c.pszCondition)) << c.pszCondition;
        EXPECT_EQ(c.bNewer, fnVersionCodeMeets(kVerNewer, c.pszCondition)) << c.pszCondition;
        EXPECT_EQ(c.bNoFixed, fnVersionCodeMeets(kVerNoFixedPart, c.pszCondition)) << c.pszCondition;
    }
    // read errors, missing resources and unreadable files are false for every condition
    for (int iCode : {kVerReadError, kVerNoResource, kVerUnreadable})
        for (const char *psz : {"EQ", "NE", "LT", "LE", "GT", "GE"})
            EXPECT_EQ(0, fnVersionCodeMeets(iCode, psz)) << iCode << " " << psz;
    EXPECT_EQ(0, fnVersionCodeMeets(kVerEqual, nullptr));
}

}  // namespace
