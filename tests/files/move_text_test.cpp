// The fields of move-section entries: mode letters and the wait. Pure: also
// built natively.
#include <gtest/gtest.h>

#include "files/move_text.h"

namespace {

struct ModeCase {
    const char *pszLetters;
    unsigned uMoveMode, uInUseAction, uAttribMode, uSourceCheck;
    int bRecurse;
};

TEST(MoveModes, LettersSetModeInUseAttributesAndSourceCheck)
{
    const ModeCase aCases[] = {
        {"", 121, 131, 140, 146, 0},     {"M", 121, 131, 140, 146, 0},   {"a", 122, 131, 140, 145, 0},
        {"T", 122, 131, 140, 145, 0},    {"C", 122, 131, 141, 146, 0},   {"O", 123, 131, 141, 146, 0},
        {"D", 124, 131, 141, 146, 0},    {"R", 125, 131, 140, 146, 0},   {"P", 132, 131, 141, 146, 0},
        {"X", 125, 131, 141, 146, 0},    {"+C", 122, 131, 141, 146, 1},  {"MCNC", 121, 120, 141, 145, 0},
        {"CPKE", 122, 132, 140, 146, 0}, {"DS", 124, 130, 141, 146, 0},  {"OR", 123, 131, 141, 146, 0},
    };
    for (const ModeCase &c : aCases) {
        MoveModeStruct modes;
        fnParseMoveModes(c.pszLetters, &modes);
        EXPECT_EQ(c.uMoveMode, modes.uMoveMode) << c.pszLetters;
        EXPECT_EQ(c.uInUseAction, modes.uInUseAction) << c.pszLetters;
        EXPECT_EQ(c.uAttribMode, modes.uAttribMode) << c.pszLetters;
        EXPECT_EQ(c.uSourceCheck, modes.uSourceCheck) << c.pszLetters;
        EXPECT_EQ(c.bRecurse, modes.bRecurse) << c.pszLetters;
    }
}

TEST(MoveModes, WaitIsHalfSecondsAfterAnOptionalYesOrNo)
{
    EXPECT_EQ(2000u, fnParseMoveWait("4"));
    EXPECT_EQ(1500u, fnParseMoveWait("Y3"));
    EXPECT_EQ(0u, fnParseMoveWait("N"));
    EXPECT_EQ(0u, fnParseMoveWait(""));
    EXPECT_EQ(0xFFFFFFFFu / 500u * 500u, fnParseMoveWait("99999999999"));  // no wrap-around
}
}  // namespace
