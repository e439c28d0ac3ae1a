// The folder selector "@W0".."@W47" and the start-up read of the program
// and start-menu folders. A folder comes from the registry where Windows
// keeps it, else from a default built on the Windows directory.
#include <windows.h>

#include "expand/expand.h"
#include "expand/expand_selectors.h"
#include "expand/expand_text.h"
#include "base/registry.h"
#include "run/run_state.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"
#include "run/text.h"

namespace {

enum FolderKind {
    kFolderWinDir, kFolderSysDir, kFolderWinDrive, kFolderSysDrive, kFolderProgramFiles,
    kFolderUserPrograms, kFolderShortcut,
    kFolderUserShell,   // the user's shell folder pszName
    kFolderCommon,      // the common shell folder pszName
    kFolderMachine,     // the HKEY_LOCAL_MACHINE value pszName
    kFolderUserProfile,
};

// Base of a default, joined with its suffix.
enum { kBaseNone, kBaseWinDir, kBaseProgramFiles };

struct FolderRowStruct {
    unsigned char uKind;
    const char *pszName;
    unsigned char uBase;
    unsigned short uSuffixId;  // string id of the default's suffix, 0: pszSuffix
    const char *pszSuffix;
};

#define CURRENT_VERSION "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
#define PROFILES_DIRECTORY "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\ProfilesDirectory"
#define SESSION_ENVIRONMENT "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment\\"

const char kszUserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\";
const char kszShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
const char kszDefaultProfiles[] = "C:\\Documents and Settings";

const FolderRowStruct g_aFolders[] = {
    /* 0 */ {kFolderWinDir, NULL, kBaseNone, 0, NULL},
    /* 1 */ {kFolderWinDir, NULL, kBaseNone, 0, NULL},
    /* 2 */ {kFolderSysDir, NULL, kBaseNone, 0, NULL},
    /* 3 */ {kFolderWinDrive, NULL, kBaseNone, 0, NULL},
    /* 4 */ {kFolderSysDrive, NULL, kBaseNone, 0, NULL},
    /* 5 */ {kFolderProgramFiles, NULL, kBaseNone, 0, NULL},
    /* 6 */ {kFolderUserPrograms, NULL, kBaseNone, 0, NULL},
    /* 7 */ {kFolderMachine, CURRENT_VERSION "CommonFilesDir", kBaseProgramFiles, IDS_DEF_COMMON_FILES, NULL},
    /* 8 */ {kFolderUserShell, "Desktop", kBaseWinDir, IDS_DEF_DESKTOP, NULL},
    /* 9 */ {kFolderUserShell, "Start Menu", kBaseWinDir, IDS_DEF_START_MENU, NULL},
    /* 10 */ {kFolderUserShell, "Startup", kBaseWinDir, IDS_DEF_STARTUP, NULL},
    /* 11 */ {kFolderUserShell, "Fonts", kBaseWinDir, IDS_DEF_FONTS, NULL},
    /* 12 */ {kFolderUserShell, "SendTo", kBaseWinDir, IDS_DEF_SENDTO, NULL},
    /* 13 */ {kFolderUserShell, "Personal", kBaseWinDir, IDS_DEF_PERSONAL, NULL},
    /* 14 */ {kFolderUserShell, "Favorites", kBaseWinDir, IDS_DEF_FAVORITES, NULL},
    /* 15 */ {kFolderShortcut, NULL, kBaseNone, 0, NULL},
    /* 16 */ {kFolderUserShell, "Templates", kBaseWinDir, IDS_DEF_TEMPLATES, NULL},
    /* 17 */ {kFolderUserShell, "AppData", kBaseWinDir, IDS_DEF_APPDATA, NULL},
    /* 18 */ {kFolderUserShell, "Cache", kBaseWinDir, IDS_DEF_CACHE, NULL},
    /* 19 */ {kFolderUserShell, "Cookies", kBaseWinDir, IDS_DEF_COOKIES, NULL},
    /* 20 */ {kFolderUserShell, "History", kBaseWinDir, IDS_DEF_HISTORY, NULL},
    /* 21 */ {kFolderUserShell, "Recent", kBaseWinDir, IDS_DEF_RECENT, NULL},
    /* 22 */ {kFolderUserShell, "NetHood", kBaseWinDir, IDS_DEF_NETHOOD, NULL},
    /* 23 */ {kFolderUserShell, "PrintHood", kBaseWinDir, IDS_DEF_PRINTHOOD, NULL},
    /* 24 */ {kFolderCommon, "Common Desktop", kBaseWinDir, IDS_DEF_DESKTOP, NULL},
    /* 25 */ {kFolderCommon, "Common Start Menu", kBaseWinDir, IDS_DEF_START_MENU, NULL},
    /* 26 */ {kFolderCommon, "Common Programs", kBaseWinDir, IDS_DEF_PROGRAMS, NULL},
    /* 27 */ {kFolderCommon, "Common Startup", kBaseWinDir, IDS_DEF_STARTUP, NULL},
    /* 28 */ {kFolderMachine, CURRENT_VERSION "DevicePath", kBaseWinDir, IDS_DEF_INF, NULL},
    /* 29 */ {kFolderMachine, "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\DataBasePath", kBaseWinDir, 0, ""},
    /* 30 */ {kFolderMachine, CURRENT_VERSION "RegisteredOwner", kBaseNone, 0, "Unknown"},
    /* 31 */ {kFolderMachine, CURRENT_VERSION "RegisteredOrganization", kBaseNone, 0, "Unknown"},
    /* 32 */ {kFolderMachine, CURRENT_VERSION "Version", kBaseNone, 0, "Unknown"},
    /* 33 */ {kFolderMachine, CURRENT_VERSION "VersionNumber", kBaseNone, 0, "Unknown"},
    /* 34 */ {kFolderMachine, CURRENT_VERSION "SubVersionNumber", kBaseNone, 0, "Unknown"},
    /* 35 */ {kFolderMachine, CURRENT_VERSION "MediaPath", kBaseWinDir, 0, "\\Media"},
    /* 36 */ {kFolderMachine, CURRENT_VERSION "ConfigPath", kBaseWinDir, 0, "\\Config"},
    /* 37 */ {kFolderMachine, CURRENT_VERSION "Setup\\BootDir", kBaseNone, 0, "C:\\"},
    /* 38 */ {kFolderMachine, CURRENT_VERSION "Setup\\SharedDir", kBaseWinDir, 0, ""},
    /* 39 */ {kFolderMachine, CURRENT_VERSION "Setup\\SourcePath", kBaseWinDir, 0, ""},
    /* 40 */ {kFolderCommon, "Common AppData", kBaseProgramFiles, IDS_DEF_COMMON_FILES, NULL},
    /* 41 */ {kFolderCommon, "Common Documents", kBaseProgramFiles, IDS_DEF_COMMON_FILES, NULL},
    /* 42 */ {kFolderCommon, "Common Favorites", kBaseProgramFiles, IDS_DEF_COMMON_FILES, NULL},
    /* 43 */ {kFolderCommon, "Common Favorites", kBaseProgramFiles, IDS_DEF_COMMON_FILES, NULL},
    /* 44 */ {kFolderMachine, PROFILES_DIRECTORY, kBaseNone, 0, kszDefaultProfiles},
    /* 45 */ {kFolderMachine, SESSION_ENVIRONMENT "TEMP", kBaseWinDir, 0, "\\TEMP"},
    /* 46 */ {kFolderMachine, SESSION_ENVIRONMENT "TMP", kBaseWinDir, 0, "\\TEMP"},
    /* 47 */ {kFolderUserProfile, NULL, kBaseNone, 0, NULL},
};

// The default of a row: its base joined with its suffix.
void fnFolderDefault(const FolderRowStruct *pRow, char *pszOut, size_t cchOut)
{
    char szSuffix[kcchPath] = "";
    if (pRow->uSuffixId)
        fnLoadText(pRow->uSuffixId, szSuffix, COUNTOF(szSuffix));
    else if (pRow->pszSuffix)
        fnCopyText(szSuffix, COUNTOF(szSuffix), pRow->pszSuffix);
    const char *pszBase = pRow->uBase == kBaseWinDir ? g_szWinDir
                          : pRow->uBase == kBaseProgramFiles ? g_szProgramFilesDir
                                                             : "";
    fnJoinPathParts(pszOut, cchOut, pszBase, szSuffix);
}

// A value under a key path: 1 read and not empty.
int fnRegFolder(HKEY hRoot, const char *pszKey, const char *pszName, char *pszOut, size_t cchOut)
{
    char szPath[kcchLine];
    return fnFormatText(szPath, COUNTOF(szPath), "%s%s", pszKey, pszName) &&
           fnRegText(hRoot, szPath, pszOut, cchOut, kRegTextHex);
}

void fnDriveOf(const char *pszPath, char *pszOut, size_t cchOut)
{
    fnPathPart(pszPath, kPartDrive, pszOut, cchOut);
}

// "USERPROFILE", else the profiles directory joined with the user name.
void fnUserProfile(char *pszOut, size_t cchOut)
{
    DWORD cch = GetEnvironmentVariableA("USERPROFILE", pszOut, (DWORD)cchOut);
    if (cch > 0 && cch < cchOut)
        return;
    char szProfiles[kcchPath];
    if (!fnRegText(HKEY_LOCAL_MACHINE, PROFILES_DIRECTORY, szProfiles, COUNTOF(szProfiles), kRegTextHex))
        fnCopyText(szProfiles, COUNTOF(szProfiles), kszDefaultProfiles);
    fnJoinPathParts(pszOut, cchOut, szProfiles, g_szUserName);
}

void fnFolderValue(unsigned uFolder, char *pszOut, size_t cchOut)
{
    const FolderRowStruct *pRow = &g_aFolders[uFolder];
    switch (pRow->uKind) {
    case kFolderWinDir: fnCopyText(pszOut, cchOut, g_szWinDir); break;
    case kFolderSysDir: fnCopyText(pszOut, cchOut, g_szSysDir); break;
    case kFolderWinDrive: fnDriveOf(g_szWinDir, pszOut, cchOut); break;
    case kFolderSysDrive: fnDriveOf(g_szSysDir, pszOut, cchOut); break;
    case kFolderProgramFiles: fnCopyText(pszOut, cchOut, g_szProgramFilesDir); break;
    case kFolderUserPrograms: fnCopyText(pszOut, cchOut, g_szUserProgramsFolder); break;
    case kFolderShortcut: fnCopyText(pszOut, cchOut, g_szShortcutFolder); break;
    case kFolderUserShell: fnUserShellFolder(pRow->pszName, pRow->uSuffixId, pszOut, cchOut); break;
    case kFolderCommon:
        if (!fnRegFolder(HKEY_LOCAL_MACHINE, kszUserShellFolders, pRow->pszName, pszOut, cchOut) &&
            !fnRegFolder(HKEY_CURRENT_USER, kszShellFolders, pRow->pszName, pszOut, cchOut))
            fnFolderDefault(pRow, pszOut, cchOut);
        break;
    case kFolderMachine:
        if (!fnRegText(HKEY_LOCAL_MACHINE, pRow->pszName, pszOut, cchOut, kRegTextHex))
            fnFolderDefault(pRow, pszOut, cchOut);
        break;
    default: fnUserProfile(pszOut, cchOut); break;
    }
}

}  // namespace

int fnRegText(HKEY hRoot, const char *pszPath, char *pszOut, size_t cchOut, int iMode)
{
    DWORD dwType = 0;
    if (!fnGetRegistry(hRoot, &dwType, pszPath, pszOut, cchOut, iMode)) {
        pszOut[0] = '\0';
        return 0;
    }
    return pszOut[0] != '\0';
}

int fnUserShellFolder(const char *pszName, unsigned uDefaultId, char *pszOut, size_t cchOut)
{
    if (fnRegFolder(HKEY_CURRENT_USER, kszUserShellFolders, pszName, pszOut, cchOut) ||
        fnRegFolder(HKEY_CURRENT_USER, kszShellFolders, pszName, pszOut, cchOut))
        return 1;
    char szSuffix[kcchPath];
    fnLoadText(uDefaultId, szSuffix, COUNTOF(szSuffix));
    fnJoinPathParts(pszOut, cchOut, g_szWinDir, szSuffix);
    return 0;
}

int fnSelFolder(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    unsigned uFolder = 0;
    size_t cchDigits = fnReadSelectorNumber(pszArgs, &uFolder);
    if (cchDigits == 0) {
        fnCopyText(pszValue, cchValue, g_szWinDir);
        *pcchUsed = 0;
        return kSelOk;
    }
    if (uFolder >= COUNTOF(g_aFolders))
        return kSelFailAt;
    fnFolderValue(uFolder, pszValue, cchValue);
    *pcchUsed = cchDigits;
    return kSelOk;
}

void fnReadRegGlobals()
{
    if (!fnRegText(HKEY_LOCAL_MACHINE, CURRENT_VERSION "ProgramFilesDir", g_szProgramFilesDir,
                   COUNTOF(g_szProgramFilesDir), kRegTextHex) &&
        !fnLoadText(IDS_DEF_PROGRAM_FILES, g_szProgramFilesDir, COUNTOF(g_szProgramFilesDir)))
        fnCopyText(g_szProgramFilesDir, COUNTOF(g_szProgramFilesDir), "C:\\Program Files");
    fnUserShellFolder("Programs", IDS_DEF_PROGRAMS, g_szUserProgramsFolder, COUNTOF(g_szUserProgramsFolder));
    TRACE("fnReadRegGlobals", "g_szProgramFilesDir=%s,\ng_szUserProgramsFolder=%s", g_szProgramFilesDir,
          g_szUserProgramsFolder);
}
