// File check sections (a stop the script decides, a restart and a person's
// No, a check that passes) and shortcuts made under Wine and read back with
// IShellLinkA from the program-group folder, the desktop and the startup
// folder, in both line orders.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "e2e_support.h"

namespace {

const char kszOk[] = "The software has been installed successfully.";
const char kszAfter[] = "[WriteCmdFile]\r\nWriteFile=AFTER.CMD\r\nAskFor=went on\r\n[End]\r\n";

using CheckForE2E = E2ECase;

TEST_F(CheckForE2E, MissingFileStopsTheRunAsTheScriptDecides)
{
    E2EResult res = fnRunCase(std::string("[CheckFor]\r\nFile=NOT-THERE.TXT\r\n") + kszAfter, "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: File NOT-THERE.TXT does not exist.\\nSorry cannot continue.\n"))
        << res;
    EXPECT_FALSE(fnContains(res.strTranscript, kszOk)) << res;
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\AFTER.CMD"), "");
}

TEST_F(CheckForE2E, YesStartsTheScriptAgainAndNoIsAPersonsStop)
{
    E2EResult res = fnRunCase(std::string("[TestBefore]\r\nTestFor=NOT-THERE.TXT\r\n") + kszAfter, "",
                              {"Yes", "No"}, 1602);
    EXPECT_EQ(2u, [&] {
        size_t n = 0;
        for (size_t u = res.strTranscript.find("reselect"); u != std::string::npos;
             u = res.strTranscript.find("reselect", u + 1))
            n++;
        return n;
    }()) << res;
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\AFTER.CMD"), "");
}

TEST_F(CheckForE2E, ExitInTheMessageDialogIsAPersonsStop)
{
    E2EResult res = fnRunCase(std::string("[CheckBefore]\r\nFile=NOT-THERE.TXT,Still missing.,RETRYEXIT\r\n") +
                                  kszAfter,
                              "", {"Exit"}, 1602);
    EXPECT_TRUE(fnContains(res.strTranscript, "buttons: Retry|Exit\n")) << res;
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\AFTER.CMD"), "");
}

TEST_F(CheckForE2E, FileWrittenTodayPassesAndTheRunGoesOn)
{
    fnE2EWriteFile(m_strDir + "\\TODAY.TXT", "x");
    fnRunCase(std::string("[CheckAfter]\r\nFileEx=") + m_strDir + "\\TODAY.TXT,EQ\r\n" + kszAfter, "-q", {}, 0);
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\AFTER.CMD"), "ASKFOR=went on"));
}

// A shell link read back.
struct LinkFacts {
    bool fLoaded = false;
    std::string strTarget, strArgs, strWorkDir, strIcon, strDescription;
    int iIcon = -1, iShow = -1;
    WORD wHotkey = 0;
};

LinkFacts fnReadLink(const std::string &strLink)
{
    LinkFacts facts;
    IShellLinkA *pLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void **)&pLink)))
        return facts;
    IPersistFile *pFile = nullptr;
    if (SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, (void **)&pFile))) {
        WCHAR wsz[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, strLink.c_str(), -1, wsz, MAX_PATH);
        if (SUCCEEDED(pFile->Load(wsz, STGM_READ))) {
            char sz[MAX_PATH * 2];
            facts.fLoaded = true;
            if (SUCCEEDED(pLink->GetPath(sz, MAX_PATH, nullptr, SLGP_RAWPATH))) facts.strTarget = sz;
            if (SUCCEEDED(pLink->GetArguments(sz, sizeof sz))) facts.strArgs = sz;
            if (SUCCEEDED(pLink->GetWorkingDirectory(sz, MAX_PATH))) facts.strWorkDir = sz;
            if (SUCCEEDED(pLink->GetDescription(sz, MAX_PATH))) facts.strDescription = sz;
            if (SUCCEEDED(pLink->GetIconLocation(sz, MAX_PATH, &facts.iIcon))) facts.strIcon = sz;
            pLink->GetHotkey(&facts.wHotkey);
        }
        pFile->Release();
    }
    pLink->Release();
    // Wine's link reader gives every link "normal": the show command is read
    // from the saved header itself (offset 0x3C).
    std::string strBytes = fnE2EReadFile(strLink);
    if (strBytes.size() > 0x40)
        facts.iShow = (unsigned char)strBytes[0x3C];
    return facts;
}

bool fnIEqualsPath(const std::string &a, const std::string &b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string fnFolder(int iCsidl)
{
    char sz[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, iCsidl, nullptr, SHGFP_TYPE_CURRENT, sz);
    return sz;
}

class ShortcutsE2E : public E2ECase {
protected:
    void SetUp() override
    {
        E2ECase::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(ShortcutsE2E, LinksInTheGroupOnTheDesktopAndInStartup)
{
    std::string strApp = m_strDir + "\\SAMPLEAPP.EXE";
    fnE2EWriteFile(strApp, "MZ");
    std::string strGroup = fnFolder(CSIDL_PROGRAMS) + "\\Setup32 Sample Group";
    CreateDirectoryA(strGroup.c_str(), nullptr);
    fnE2EWriteFile(strGroup + "\\Old Entry.lnk", "stale");
    std::string strScript =
        "[Shortcuts]\r\n"
        "Group=Setup32 Sample Group\r\n"
        "Desk=:DESKTOP:,,N\r\n"
        "Boot=:STARTUP:,,N\r\n"
        "[Group]\r\n"
        "Sample App, " + strApp + ", /config fast, , " + m_strDir + ", 0, MAX, CA65\r\n"
        "Quoted App, " + strApp + ", /x \"C:\\Some Dir, 2\" /y\r\n"
        "Doubled App, " + strApp + ", \"/x \"\"C:\\Some Dir\"\"\"\r\n"
        "Old Entry, -REMOVE-\r\n"
        "[Desk]\r\n"
        "Sample Desk, " + strApp + ", , C:\\windows\\system32\\shell32.dll, , 3, MIN\r\n"
        "[Boot]\r\n"
        "Sample Boot, " + strApp + "\r\n"
        "[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);

    LinkFacts group = fnReadLink(strGroup + "\\Sample App.lnk");
    ASSERT_TRUE(group.fLoaded);
    EXPECT_TRUE(fnIEqualsPath(group.strTarget, strApp)) << group.strTarget;
    EXPECT_EQ(group.strArgs, "/config fast");
    EXPECT_EQ(group.strWorkDir, m_strDir);
    EXPECT_EQ(group.strDescription, "Sample App");
    EXPECT_TRUE(fnIEqualsPath(group.strIcon, strApp)) << group.strIcon;  // an .exe without icon: its own
    EXPECT_EQ(group.iShow, SW_SHOWMAXIMIZED);
    EXPECT_EQ(group.wHotkey, (WORD)((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'A'));
    EXPECT_EQ(GetFileAttributesA((strGroup + "\\Old Entry.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
    // Quotes in the arguments stay, written plainly or doubled inside a quoted field.
    EXPECT_EQ(fnReadLink(strGroup + "\\Quoted App.lnk").strArgs, "/x \"C:\\Some Dir, 2\" /y");
    EXPECT_EQ(fnReadLink(strGroup + "\\Doubled App.lnk").strArgs, "/x \"C:\\Some Dir\"");

    LinkFacts desk = fnReadLink(fnFolder(CSIDL_DESKTOPDIRECTORY) + "\\Sample Desk.lnk");
    ASSERT_TRUE(desk.fLoaded);
    EXPECT_EQ(desk.iIcon, 3);
    EXPECT_EQ(desk.iShow, SW_SHOWMINIMIZED);
    LinkFacts boot = fnReadLink(fnFolder(CSIDL_STARTUP) + "\\Sample Boot.lnk");
    ASSERT_TRUE(boot.fLoaded);
    EXPECT_EQ(boot.iShow, SW_SHOWNORMAL);
}

// [PMGroups] lines in the older order: the command line carries the
// arguments after "@Z", and target and icon are taken in their short form.
TEST_F(ShortcutsE2E, ProgramGroupLinesInTheOldOrder)
{
    std::string strApp = m_strDir + "\\Old Program.exe";
    fnE2EWriteFile(strApp, "MZ");
    char szShort[MAX_PATH] = "";
    GetShortPathNameA(strApp.c_str(), szShort, MAX_PATH);
    std::string strGroup = fnFolder(CSIDL_PROGRAMS) + "\\Setup32 Old Group";
    std::string strScript = "[PMGroups]\r\nOldGroup=Setup32 Old Group,,N\r\n[OldGroup]\r\n"
                            "Old App, \"" + strApp + "\" @Z/x \"C:\\Some Dir\", , 2, , , " + m_strDir +
                            ", SC66, MIN\r\n[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    LinkFacts link = fnReadLink(strGroup + "\\Old App.lnk");
    ASSERT_TRUE(link.fLoaded);
    EXPECT_TRUE(fnIEqualsPath(link.strTarget, szShort)) << link.strTarget << " / " << szShort;
    EXPECT_EQ(link.strArgs, "/x \"C:\\Some Dir\"");
    EXPECT_TRUE(fnIEqualsPath(link.strIcon, szShort)) << link.strIcon;
    EXPECT_EQ(link.iIcon, 2);
    EXPECT_EQ(link.strWorkDir, m_strDir);
    EXPECT_EQ(link.wHotkey, (WORD)((HOTKEYF_SHIFT | HOTKEYF_CONTROL) << 8 | 'B'));
    EXPECT_EQ(link.iShow, SW_SHOWMINIMIZED);
}

TEST_F(ShortcutsE2E, MissingTargetIsReportedAndNotMade)
{
    std::string strGroup = fnFolder(CSIDL_PROGRAMS) + "\\Setup32 Broken Group";
    std::string strScript = "[Shortcuts]\r\nBroken=Setup32 Broken Group,,N\r\n[Broken]\r\n"
                            "Nothing, " + m_strDir + "\\NOT-THERE.EXE\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q", {"No"}, 1602);
    EXPECT_TRUE(fnContains(res.strTranscript, "Error creating shortcut:")) << res;
    EXPECT_EQ(GetFileAttributesA((strGroup + "\\Nothing.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
