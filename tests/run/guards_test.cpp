// The handle, key, module and memory owners release what they hold.
#include <gtest/gtest.h>

#include "run/guards.h"
#include "../support/test_files.h"

namespace {

TEST(Guards, FileHandleClosesAndDetaches)
{
    std::string strFile = fnTestDir("guards-file") + "\\f.txt";
    {
        CFileHandle hFile(CreateFileA(strFile.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
        ASSERT_TRUE(hFile.IsValid());
        // Not shared: a second open fails while the guard holds the file.
        HANDLE h2 = CreateFileA(strFile.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
        EXPECT_EQ(INVALID_HANDLE_VALUE, h2);
    }
    HANDLE h3 = CreateFileA(strFile.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_NE(INVALID_HANDLE_VALUE, h3);
    CFileHandle hKept(h3);
    HANDLE hRaw = hKept.Detach();
    EXPECT_FALSE(hKept.IsValid());
    EXPECT_TRUE(hKept.fnClose());  // nothing held: closing is a no-op
    EXPECT_TRUE(CloseHandle(hRaw));  // still open after Detach
    CFileHandle hNone;
    EXPECT_FALSE(hNone.IsValid());
}

TEST(Guards, RegistryKeyAndModule)
{
    CRegKey key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, key.Out()));
    EXPECT_NE((HKEY)NULL, key.Get());
    EXPECT_EQ(ERROR_SUCCESS, key.fnClose());
    EXPECT_EQ((HKEY)NULL, key.Get());

    CModule mod(LoadLibraryA("version.dll"));
    EXPECT_NE((HMODULE)NULL, mod.Get());
    EXPECT_TRUE(mod.fnClose());
    EXPECT_EQ((HMODULE)NULL, mod.Get());
}

TEST(Guards, ServiceHandleClosesAndDetaches)
{
    SC_HANDLE hManager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    ASSERT_NE((SC_HANDLE)NULL, hManager);
    {
        CServiceHandle guard(hManager);
        EXPECT_EQ(hManager, guard.Get());
        EXPECT_EQ(hManager, guard.Detach());
        EXPECT_EQ((SC_HANDLE)NULL, guard.Get());
    }
    // Detached: still open, so closing it here succeeds.
    EXPECT_TRUE(CloseServiceHandle(hManager));
}

TEST(Guards, GlobalBlockIsZeroedAndFreed)
{
    CGlobalBlock block;
    char *p = block.fnAlloc(262140);
    ASSERT_NE((char *)NULL, p);
    EXPECT_EQ(0, p[0]);
    EXPECT_EQ(0, p[262139]);
    block.fnFree();
    EXPECT_EQ((char *)NULL, block.Get());
}

}  // namespace
