// Free backup names: the backup-method name first, then NAME.{NN}.SAV.EXT
// counting up from 00.
#include <gtest/gtest.h>

#include <string>

#include "base/unique.h"
#include "run/run_state.h"
#include "../support/test_files.h"

namespace {

std::string fnUnique(const std::string &strDir, const char *pszName, int *piRC)
{
    char szOut[MAX_PATH];
    *piRC = fnUniqueFileName(strDir.c_str(), pszName, szOut, sizeof(szOut));
    return szOut;
}

TEST(UniqueFileName, AbsentTargetIsItsOwnName)
{
    fnClearRunState();
    std::string strDir = fnTestDir("unique-absent");
    int iRC;
    EXPECT_EQ(strDir + "\\README.TXT", fnUnique(strDir, "README.TXT", &iRC));
    EXPECT_EQ(1, iRC);
}

TEST(UniqueFileName, NumberedNamesCountUpwards)
{
    fnClearRunState();
    g_uBackUpMethod = 502;
    std::string strDir = fnTestDir("unique-numbered");
    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\README.TXT", "x"));
    int iRC;
    EXPECT_EQ(strDir + "\\README.{00}.SAV.TXT", fnUnique(strDir, "README.TXT", &iRC));
    EXPECT_EQ(2, iRC);
    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\README.{00}.SAV.TXT", "x"));
    EXPECT_EQ(strDir + "\\README.{01}.SAV.TXT", fnUnique(strDir, "README.TXT", &iRC));
    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\README.{99}.SAV.TXT", "x"));
    fnUnique(strDir, "README.TXT", &iRC);
    EXPECT_EQ(0, iRC);
}

TEST(UniqueFileName, BackupMethodNamesComeFirst)
{
    fnClearRunState();
    std::string strDir = fnTestDir("unique-method");
    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\APP.INI", "x"));
    int iRC;
    g_uBackUpMethod = 501;
    EXPECT_EQ(strDir + "\\APP.ORI", fnUnique(strDir, "APP.INI", &iRC));
    g_uBackUpMethod = 506;
    EXPECT_EQ(strDir + "\\APP.MOD", fnUnique(strDir, "APP.INI", &iRC));
    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\APP.MOD", "x"));
    EXPECT_EQ(strDir + "\\APP.{00}.SAV.INI", fnUnique(strDir, "APP.INI", &iRC));
}

TEST(UniqueFileName, LongBaseIsCutAndNoExtensionKeepsTheDot)
{
    fnClearRunState();
    g_uBackUpMethod = 502;
    std::string strDir = fnTestDir("unique-long");
    std::string strName(40, 'N');
    ASSERT_TRUE(fnWriteWholeFile(strDir + "\\" + strName, "x"));
    int iRC;
    EXPECT_EQ(strDir + "\\" + std::string(24, 'N') + ".{00}.SAV.", fnUnique(strDir, strName.c_str(), &iRC));
}

}  // namespace
