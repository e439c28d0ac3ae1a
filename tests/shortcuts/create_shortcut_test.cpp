// fnCreateShortCut: a link with every property set, read back.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "run/com_guards.h"
#include "shortcuts/shortcuts.h"
#include "support/test_files.h"

namespace {

TEST(CreateShortCut, EveryPropertyIsSaved)
{
    CComInit com(COINIT_APARTMENTTHREADED);
    std::string strDir = fnTestDir("CreateShortCut");
    std::string strTarget = strDir + "\\APP.EXE";
    ASSERT_TRUE(fnWriteWholeFile(strTarget, "MZ"));
    std::string strLink = strDir + "\\App.lnk";
    ASSERT_EQ(S_OK, fnCreateShortCut(strLink.c_str(), "The app", strTarget.c_str(), "-x", strTarget.c_str(), 2,
                                     strDir.c_str(), 0x0641, SW_SHOWMAXIMIZED));
    CComPtr<IShellLinkA> link;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           link.OutVoid())));
    CComPtr<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.OutVoid())));
    WCHAR wsz[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, strLink.c_str(), -1, wsz, MAX_PATH);
    ASSERT_TRUE(SUCCEEDED(file->Load(wsz, STGM_READ)));
    char sz[MAX_PATH];
    int iIcon = -1, iShow = -1;
    WORD wHotkey = 0;
    link->GetArguments(sz, MAX_PATH);
    EXPECT_STREQ("-x", sz);
    link->GetIconLocation(sz, MAX_PATH, &iIcon);
    EXPECT_EQ(2, iIcon);
    link->GetHotkey(&wHotkey);
    EXPECT_EQ(0x0641, wHotkey);
    link->GetShowCmd(&iShow);
    std::string strBytes = fnReadWholeFile(strLink);
    ASSERT_GT(strBytes.size(), 0x40u);
    EXPECT_EQ(SW_SHOWMAXIMIZED, (int)(unsigned char)strBytes[0x3C]) << "GetShowCmd said " << iShow;
}

}  // namespace
