// The text rules of copy-section entries: flag letters, disk ids, names a
// file may not have and destinations taken as written. Pure: also built
// natively.
#include <gtest/gtest.h>

#include "files/copy_section_text.h"

namespace {

struct FlagCase {
    const char *pszInstall, *pszCopy, *pszBackup;
    int bRecurse;
    unsigned uInstall, uInUse, uVer;
    int bKeep;
    unsigned uCopy, uJoinCopy, uJoinPart, uBackup;
};

TEST(CopyEntryText, FlagLettersSelectTheirModes)
{
    const FlagCase aCases[] = {
        {"N", "N", "N", 0, 100, 100, 100, 0, 100, 100, 100, 100},
        {"+ACIK", "F", "B", 1, 105, 101, 102, 1, 105, 100, 100, 101},
        {"urk", "w", "u", 0, 105, 102, 103, 0, 109, 100, 100, 102},
        {"KSC", "?", "S", 0, 109, 103, 101, 0, 108, 100, 100, 103},
        {"M", "C", "P", 0, 104, 100, 100, 0, 106, 100, 100, 104},
        {"T", "JF1", "K", 0, 103, 100, 100, 0, 110, 105, 102, 105},
        {"V", "JN0", "", 0, 102, 100, 100, 0, 110, 100, 103, 100},
        {"S", "JN2", "X", 0, 101, 100, 100, 0, 110, 100, 101, 100},
        {"R", "J", "", 0, 108, 100, 100, 0, 110, 100, 101, 100},
        {"", "DRSV", "", 0, 100, 100, 100, 0, 101, 100, 100, 100},
    };
    for (const FlagCase &c : aCases) {
        EntryFlagsStruct flags;
        ASSERT_EQ(1, fnParseEntryFlags(c.pszInstall, c.pszCopy, c.pszBackup, &flags)) << c.pszInstall;
        EXPECT_EQ(c.bRecurse, flags.bRecurse) << c.pszInstall;
        EXPECT_EQ(c.uInstall, flags.uInstallMode) << c.pszInstall;
        EXPECT_EQ(c.uInUse, flags.uInUseAction) << c.pszInstall;
        EXPECT_EQ(c.uVer, flags.uVerAction) << c.pszInstall;
        EXPECT_EQ(c.bKeep, flags.bKeepAttrib) << c.pszInstall;
        EXPECT_EQ(c.uCopy, flags.uCopyMode) << c.pszCopy;
        EXPECT_EQ(c.uJoinCopy, flags.uJoinCopyMode) << c.pszCopy;
        EXPECT_EQ(c.uJoinPart, flags.uJoinPart) << c.pszCopy;
        EXPECT_EQ(c.uBackup, flags.uBackupMode) << c.pszBackup;
    }
}

TEST(CopyEntryText, FlagFieldsLongerThanFourLettersAreRefused)
{
    EntryFlagsStruct flags;
    EXPECT_EQ(1, fnParseEntryFlags("+NNNN", "NNNN", "NNNN", &flags));  // the "+" does not count
    EXPECT_EQ(0, fnParseEntryFlags("NNNNN", "N", "N", &flags));
    EXPECT_EQ(0, fnParseEntryFlags("N", "JN123", "N", &flags));
    EXPECT_EQ(0, fnParseEntryFlags("N", "N", "BBBBB", &flags));
}

TEST(CopyEntryText, DiskIdsAndNames)
{
    char szId[8];
    EXPECT_EQ(1, fnDiskIdOf("1", szId, sizeof(szId)));
    EXPECT_STREQ("1", szId);
    EXPECT_EQ(1, fnDiskIdOf("123456789", szId, sizeof(szId)));
    EXPECT_STREQ("1234567", szId);  // seven characters kept
    EXPECT_EQ(0, fnDiskIdOf("0", szId, sizeof(szId)));
    EXPECT_STREQ("", szId);
    EXPECT_EQ(0, fnDiskIdOf("00", szId, sizeof(szId)));
    EXPECT_EQ(0, fnDiskIdOf("A", szId, sizeof(szId)));
    EXPECT_EQ(0, fnDiskIdOf("", szId, sizeof(szId)));

    for (const char *pszBad : {"a<b", "a>b", "a|b", "a,b"})
        EXPECT_EQ(1, fnHasBadFileChars(pszBad)) << pszBad;
    EXPECT_EQ(0, fnHasBadFileChars("C:\\Program Files\\a b.txt"));
}

TEST(CopyEntryText, DestinationDirectoriesTakenAsWritten)
{
    for (const char *pszDir : {"C:\\X", "c:", "\\\\server\\share", ".", ".\\sub", "..\\up", ".hidden"})
        EXPECT_EQ(1, fnIsDstDirAsWritten(pszDir)) << pszDir;
    for (const char *pszDir : {"sub", "sub\\deeper", "\\rooted"})
        EXPECT_EQ(0, fnIsDstDirAsWritten(pszDir)) << pszDir;
    // To-disks mode has its own rule for dots: ".hidden" is a plain name there.
    for (const char *pszDir : {"C:\\X", "//server/x", "\\\\server", ".", "..", ".\\a", "../a"})
        EXPECT_EQ(1, fnIsDiskDstDirAsWritten(pszDir)) << pszDir;
    for (const char *pszDir : {"sub", ".hidden", "\\rooted"})
        EXPECT_EQ(0, fnIsDiskDstDirAsWritten(pszDir)) << pszDir;
}

}  // namespace
