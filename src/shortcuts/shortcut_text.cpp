// Shortcut-line words and numbers.
#include "shortcuts/shortcut_text.h"

#include "run/text.h"

int fnShortcutShowCommand(const char *pszWord)
{
    if (fnTextEqualI(pszWord, "MIN"))
        return kShowMinimized;
    if (fnTextEqualI(pszWord, "MAX"))
        return kShowMaximized;
    return kShowNormal;
}

unsigned short fnShortcutHotKey(const char *pszField)
{
    unsigned uModifiers = 0;
    const char *p = fnSkipBlanks(pszField);
    for (;; p++) {
        char c = fnUpperChar(*p);
        if (c == 'S')
            uModifiers |= 1;
        else if (c == 'C')
            uModifiers |= 2;
        else if (c == 'A')
            uModifiers |= 4;
        else if (c == 'E')
            uModifiers |= 8;
        else
            break;
    }
    unsigned uKey = fnDecimalValue(p);
    if (!uKey)
        return 0;
    return (unsigned short)((uModifiers << 8) | (uKey & 0xFF));
}

SpecialFolderEnum fnSpecialFolder(const char *pszName)
{
    if (fnTextEqualI(pszName, ":DESKTOP:"))
        return kFolderDesktop;
    if (fnTextEqualI(pszName, ":DESKTOPALL:"))
        return kFolderDesktopAll;
    if (fnTextEqualI(pszName, ":STARTUP:"))
        return kFolderStartup;
    if (fnTextEqualI(pszName, ":STARTUPALL:"))
        return kFolderStartupAll;
    return kFolderPlain;
}
