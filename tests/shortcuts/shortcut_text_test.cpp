// Shortcut-line words: show keywords, hot keys and special folder names.
#include <gtest/gtest.h>

#include "shortcuts/shortcut_text.h"

namespace {

TEST(ShortcutText, ShowKeywordsComparedWhole)
{
    EXPECT_EQ(kShowNormal, fnShortcutShowCommand(""));
    EXPECT_EQ(kShowMinimized, fnShortcutShowCommand("min"));
    EXPECT_EQ(kShowMaximized, fnShortcutShowCommand("MAX"));
    EXPECT_EQ(kShowNormal, fnShortcutShowCommand("MAXIMUM"));
}

TEST(ShortcutText, HotKeyLettersThenTheKeyCode)
{
    EXPECT_EQ((2 | 4) << 8 | 65, fnShortcutHotKey("CA65"));  // Control+Alt+A
    EXPECT_EQ((1 | 8) << 8 | 0x70, fnShortcutHotKey("es112"));
    EXPECT_EQ(0x41, fnShortcutHotKey("65"));
    EXPECT_EQ(0x01 << 8 | 0x2C, fnShortcutHotKey("S300"));  // only the code's low byte
    EXPECT_EQ(0, fnShortcutHotKey(""));
    EXPECT_EQ(0, fnShortcutHotKey("CA"));
}

TEST(ShortcutText, SpecialFolders)
{
    EXPECT_EQ(kFolderDesktop, fnSpecialFolder(":desktop:"));
    EXPECT_EQ(kFolderDesktopAll, fnSpecialFolder(":DESKTOPALL:"));
    EXPECT_EQ(kFolderStartup, fnSpecialFolder(":STARTUP:"));
    EXPECT_EQ(kFolderStartupAll, fnSpecialFolder(":StartupAll:"));
    EXPECT_EQ(kFolderPlain, fnSpecialFolder("My Programs"));
}

}  // namespace
