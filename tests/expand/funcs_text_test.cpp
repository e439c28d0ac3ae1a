// The inline functions' text work: argument splitting, 64-bit arithmetic and
// the string functions on arguments as the caller has expanded them. Pure:
// no Windows headers.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "expand/funcs_text.h"
#include "base/version.h"

namespace {

FunFieldsStruct fnFields(std::initializer_list<const char *> args)
{
    FunFieldsStruct fields;
    for (unsigned i = 0; i < kuFunFields; i++)
        fields.szField[i][0] = '\0';
    unsigned i = 0;
    for (const char *psz : args)
        snprintf(fields.szField[i++], kcchFunField, "%s", psz);
    return fields;
}

std::string fnCall(PFN_FUNTEXT pfn, std::initializer_list<const char *> args, int *piRC = nullptr)
{
    FunFieldsStruct fields = fnFields(args);
    char szResult[kcchFunResult] = "junk";
    int iRC = pfn(&fields, szResult, sizeof(szResult));
    if (piRC)
        *piRC = iRC;
    return szResult;
}

TEST(FunArgs, SplitAtCommasAndSemicolonsOutsideQuotes)
{
    FunFieldsStruct fields = fnFields({"stale", "stale", "stale"});
    EXPECT_EQ(1, fnSplitFunArgs("fnX( a ;\"b,c\", d", 4, &fields, 2));
    EXPECT_STREQ("a", fields.szField[0]);
    EXPECT_STREQ("b,c", fields.szField[1]);
    EXPECT_STREQ("", fields.szField[2]) << "fields not asked for are cleared";

    EXPECT_EQ(1, fnSplitFunArgs("fnX(,b", 4, &fields, 3));
    EXPECT_STREQ("", fields.szField[0]);
    EXPECT_STREQ("b", fields.szField[1]);
    EXPECT_STREQ("", fields.szField[2]) << "a piece beyond the last is empty";
}

TEST(FunArgs, ListEndsAtAClosingParenthesisAfterAnEvenNumberOfOpening)
{
    FunFieldsStruct fields;
    EXPECT_EQ(1, fnSplitFunArgs("fnX(1,2),3", 4, &fields, 3));
    EXPECT_STREQ("2", fields.szField[1]);
    EXPECT_STREQ("", fields.szField[2]);
    EXPECT_EQ(1, fnSplitFunArgs("fnX(f(1),2", 4, &fields, 2));
    EXPECT_STREQ("f(1)", fields.szField[0]) << "a ')' after one '(' does not end the list";
    EXPECT_STREQ("2", fields.szField[1]);
}

TEST(FunArgs, AnArgumentLongerThanItsFieldFails)
{
    std::string strCall = "fnX(" + std::string(kcchFunField, 'a') + ",b";
    FunFieldsStruct fields;
    EXPECT_EQ(0, fnSplitFunArgs(strCall.c_str(), 4, &fields, 2));
    EXPECT_EQ(std::string(kcchFunField - 1, 'a'), fields.szField[0]) << "cut and terminated";
    std::string strFits = "fnX(" + std::string(kcchFunField - 1, 'a');
    EXPECT_EQ(1, fnSplitFunArgs(strFits.c_str(), 4, &fields, 1));
}

TEST(FunArgs, PrefixLongerThanTheCallIsHarmless)
{
    FunFieldsStruct fields;
    EXPECT_EQ(1, fnSplitFunArgs("fn", 40, &fields, 2));
    EXPECT_STREQ("", fields.szField[0]);
}

TEST(FunNumbers, ReadingIntegersAndCounts)
{
    EXPECT_EQ(0u, fnReadInt64(""));
    EXPECT_EQ(42u, fnReadInt64("  42abc"));
    EXPECT_EQ(0ull - 7ull, fnReadInt64("\t-7"));
    EXPECT_EQ(5u, fnReadInt64("+5"));
    EXPECT_EQ(0u, fnReadInt64("x5"));
    EXPECT_EQ(0u, fnReadInt64("@A2")) << "an unexpanded variable reads as 0";
    EXPECT_EQ(9223372036854775808ull, fnReadInt64("9223372036854775808"));
    EXPECT_EQ(0u, fnReadInt64("18446744073709551616")) << "2^64 wraps to 0";

    EXPECT_EQ(3u, fnReadCount(" 3"));
    EXPECT_EQ(0u, fnReadCount("-3"));
    EXPECT_EQ(0u, fnReadCount("@A2"));
    EXPECT_EQ((unsigned long)-1, fnReadCount("999999999999999999999999")) << "saturates";
}

TEST(FunNumbers, Formatting)
{
    char sz[32];
    fnFormatUnsigned64(sz, sizeof(sz), 0);
    EXPECT_STREQ("0", sz);
    fnFormatUnsigned64(sz, sizeof(sz), 18446744073709551615ull);
    EXPECT_STREQ("18446744073709551615", sz);
    fnFormatSigned64(sz, sizeof(sz), 0ull - 2ull);
    EXPECT_STREQ("-2", sz);
    fnFormatSigned64(sz, sizeof(sz), 9223372036854775808ull);
    EXPECT_STREQ("-9223372036854775808", sz);
    fnFormatUnsigned64(sz, 3, 12345);
    EXPECT_STREQ("12", sz) << "cut to the buffer";
}

TEST(FunArithmetic, SumAndDifferenceWrapAt64Bits)
{
    EXPECT_EQ("6", fnCall(fnFunSum, {"1", "2", "3"}));
    EXPECT_EQ("18446744073709551614", fnCall(fnFunSum, {"5", "-7"}));
    EXPECT_EQ("45", fnCall(fnFunSum, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ("0", fnCall(fnFunSum, {}));
    EXPECT_EQ("0", fnCall(fnFunSum, {"18446744073709551615", "1"}));
    EXPECT_EQ("-2", fnCall(fnFunDif, {"5", "7"}));
    EXPECT_EQ("-36", fnCall(fnFunDif, {"0", "1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ("9223372036854775807", fnCall(fnFunDif, {"-9223372036854775808", "1"})) << "wraps";
}

TEST(FunStrings, GetArg)
{
    int iRC = 0;
    EXPECT_EQ("b", fnCall(fnFunGetArg, {"a b c", "2"}));
    EXPECT_EQ("c", fnCall(fnFunGetArg, {"a;b,c", "3"}));
    EXPECT_EQ("b,c", fnCall(fnFunGetArg, {"a \"b,c\"", "2"}));
    EXPECT_EQ("key", fnCall(fnFunGetArg, {"key=value", "0"}));
    EXPECT_EQ("key", fnCall(fnFunGetArg, {" key =value", ""})) << "an empty count is 0";
    fnCall(fnFunGetArg, {"novalue", "0"}, &iRC);
    EXPECT_EQ(kFunFailed, iRC);
    fnCall(fnFunGetArg, {"a b", "3"}, &iRC);
    EXPECT_EQ(kFunFailed, iRC);
    fnCall(fnFunGetArg, {"a b", "99999999999"}, &iRC);
    EXPECT_EQ(kFunFailed, iRC);
}

TEST(FunStrings, BeginAndEnd)
{
    EXPECT_EQ("abc", fnCall(fnFunStrBegin, {"abcdef", "3"}));
    EXPECT_EQ("ab", fnCall(fnFunStrBegin, {"ab", "5"}));
    EXPECT_EQ("", fnCall(fnFunStrBegin, {"abc", "@A2"})) << "the count is not expanded: it reads as 0";
    EXPECT_EQ("ef", fnCall(fnFunStrEnd, {"abcdef", "2"}));
    EXPECT_EQ("ab", fnCall(fnFunStrEnd, {"ab", "5"}));
    EXPECT_EQ("", fnCall(fnFunStrEnd, {"ab", "0"}));
}

TEST(FunStrings, SearchAndCompare)
{
    EXPECT_EQ("TRUE", fnCall(fnFunStrInStr, {"Hello", "LL"}));
    EXPECT_EQ("", fnCall(fnFunStrInStr, {"Hello", "x"}));
    EXPECT_EQ("llo", fnCall(fnFunStrStr, {"Hello", "LL"}));
    EXPECT_EQ("", fnCall(fnFunStrStr, {"Hello", "x"}));
    EXPECT_EQ("TRUE", fnCall(fnFunStrCmp, {"abc", "abc"}));
    EXPECT_EQ("FALSE", fnCall(fnFunStrCmp, {"abc", "ABC"}));
    EXPECT_EQ("TRUE", fnCall(fnFunStrICmp, {"abc", "ABC"}));
    EXPECT_EQ("FALSE", fnCall(fnFunStrICmp, {"abc", "abd"}));
    EXPECT_EQ("5", fnCall(fnFunStrLen, {"Hello"}));
    EXPECT_EQ("0", fnCall(fnFunStrLen, {""}));
}

TEST(FunStrings, CharacterRemoveAndReplace)
{
    EXPECT_EQ("C:WINDOWS", fnCall(fnFunCharRemove, {"C:\\WINDOWS\\", "\\"}));
    EXPECT_EQ("abc", fnCall(fnFunCharRemove, {"abc", ""})) << "no character: unchanged";
    EXPECT_EQ("C:/a/b", fnCall(fnFunCharReplace, {"C:\\a\\b", "\\x", "/y"})) << "first characters only";
    EXPECT_EQ("ab", fnCall(fnFunCharReplace, {"a-b", "-", ""})) << "an empty new character removes";
    EXPECT_EQ("a-b", fnCall(fnFunCharReplace, {"a-b", "", "x"}));
}

TEST(FunStrings, ReplaceTheFirstOccurrenceInAnyCase)
{
    EXPECT_EQ("C:\\Programs\\x\\OLD", fnCall(fnFunStrReplace, {"C:\\OLD\\x\\OLD", "old", "Programs"}));
    EXPECT_EQ("abc", fnCall(fnFunStrReplace, {"abc", "x", "y"}));
    EXPECT_EQ("abc", fnCall(fnFunStrReplace, {"abc", "", "y"})) << "nothing to find: unchanged";
    EXPECT_EQ("ac", fnCall(fnFunStrReplace, {"abc", "B", ""}));
}

TEST(FunStrings, AddAndInsertItems)
{
    EXPECT_EQ("a,b", fnCall(fnFunStrAddList, {"a", "b"}));
    EXPECT_EQ("b", fnCall(fnFunStrAddList, {"", "b"}));
    EXPECT_EQ("b,c", fnCall(fnFunStrAddList, {"a,b,c", "B"})) << "present: the list from the item on";
    EXPECT_EQ("ab", fnCall(fnFunStrAdd, {"a", "b"}));
    EXPECT_EQ("Bc", fnCall(fnFunStrAdd, {"aBc", "b"}));
    EXPECT_EQ("b,a", fnCall(fnFunStrInsertList, {"a", "b"}));
    EXPECT_EQ("b", fnCall(fnFunStrInsertList, {"", "b"}));
    EXPECT_EQ("ba", fnCall(fnFunStrInsert, {"a", "b"}));
    EXPECT_EQ("b,c", fnCall(fnFunStrInsertList, {"a,b,c", "b"}));
    EXPECT_EQ("b,a,B", fnCall(fnFunStrInsertList, {"a,B", "b"})) << "insert compares case";
}

TEST(FunStrings, LongResultsAreCutNotSpilled)
{
    std::string strText(kcchFunField - 1, 'x');
    int iRC = 0;
    std::string strResult = fnCall(fnFunStrAdd, {strText.c_str(), "yyyy"}, &iRC);
    EXPECT_EQ(kFunCut, iRC);
    EXPECT_EQ((size_t)kcchFunResult - 1, strResult.size());
    strResult = fnCall(fnFunStrReplace, {strText.c_str(), "x", "zzzz"}, &iRC);
    EXPECT_EQ(kFunCut, iRC);
    EXPECT_EQ("zzzz", strResult.substr(0, 4));
    EXPECT_EQ((size_t)kcchFunResult - 1, strResult.size());
}

TEST(FunUniBin, CharactersAsLittleEndianUnits)
{
    char sz[kcchFunResult];
    unsigned uConverted = 0;
    EXPECT_EQ(kFunDone, fnUniBinText("AB", 0, sz, sizeof(sz), &uConverted));
    EXPECT_STREQ("41 00 42 00", sz);
    EXPECT_EQ(2u, uConverted);
    EXPECT_EQ(kFunDone, fnUniBinText("ABC", 1, sz, sizeof(sz), &uConverted));
    EXPECT_STREQ("43 00", sz);
    EXPECT_EQ(kFunDone, fnUniBinText("AB", 9, sz, sizeof(sz), &uConverted));
    EXPECT_STREQ("41 00 42 00", sz);
    EXPECT_EQ(kFunDone, fnUniBinText("\xe9", 0, sz, sizeof(sz), &uConverted));
    EXPECT_STREQ("e9 00", sz) << "codes above 127 stay positive";
    EXPECT_EQ(kFunFailed, fnUniBinText("", 0, sz, sizeof(sz), &uConverted));
    EXPECT_STREQ("", sz);
}

TEST(FunUniBin, ALongTextKeepsWholeItemsOnly)
{
    char sz[kcchFunResult + 8];
    memset(sz, 'C', sizeof(sz));
    unsigned uConverted = 0;
    std::string strText(100, 'a');
    EXPECT_EQ(kFunCut, fnUniBinText(strText.c_str(), 0, sz, kcchFunResult, &uConverted));
    EXPECT_EQ(43u, uConverted) << "43 items of 6 characters fit in 259";
    EXPECT_EQ(43u * 6u - 1u, strlen(sz));
    EXPECT_EQ(" 00", std::string(sz).substr(strlen(sz) - 3));
    for (size_t i = kcchFunResult; i < sizeof(sz); i++)
        EXPECT_EQ('C', sz[i]);
}

TEST(FunVersions, OperatorsOnComparisonCodes)
{
    struct Case {
        const char *pszOperator;
        int bEqual, bOlder, bNewer, bError;
    } aCases[] = {
        {"GE", 1, 0, 1, 0}, {"LE", 1, 1, 0, 0}, {"LT", 0, 1, 0, 0}, {"GT", 0, 0, 1, 0},
        {"EQ", 1, 0, 0, 0}, {"NE", 0, 1, 1, 1}, {"ne", 0, 1, 1, 1}, {"XX", 0, 0, 0, 0},
    };
    for (const Case &c : aCases) {
        EXPECT_EQ(c.bEqual, fnVersionCodeMatches(kVerEqual, c.pszOperator)) << c.pszOperator;
        EXPECT_EQ(c.bOlder, fnVersionCodeMatches(kVerOlder, c.pszOperator)) << c.pszOperator;
        EXPECT_EQ(c.bNewer, fnVersionCodeMatches(kVerNewer, c.pszOperator)) << c.pszOperator;
        EXPECT_EQ(c.bError, fnVersionCodeMatches(kVerNoResource, c.pszOperator)) << c.pszOperator;
    }
}

}  // namespace
