#include "files/dirs.h"
#include "base/path.h"
#include "base/path_text.h"

#include "expand/expand.h"
#include "files/copy_status.h"
#include "files/dirs_text.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/input.h"
#include "script/lines.h"
#include "resource.h"

// The directory counts as there when it can be made the current directory
// (CreateDirectoryA fails for an existing one, and for a drive root).
static int fnDirIsThere(const char *pszDir)
{
    char szCurrent[kcchPath];
    DWORD cch = GetCurrentDirectoryA(COUNTOF(szCurrent), szCurrent);
    if (!SetCurrentDirectoryA(pszDir))
        return 0;
    if (cch && cch < COUNTOF(szCurrent))
        SetCurrentDirectoryA(szCurrent);
    TRACE("fnCreateDir - GetCurrentDirectory", "lpszDir=%s, szCurrentDir=%s", pszDir, szCurrent);
    return 1;
}

int fnCreateDir(const char *pszDir, BOOL bLog)
{
    TRACE("fnCreateDir - Begin", "lpszDir=%s", pszDir);
    if (!pszDir || !pszDir[0])
        return 0;
    // Most directories asked for are there already; looking costs less than
    // a failed creation.
    DWORD dwAttrib = GetFileAttributesA(pszDir);
    if (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_DIRECTORY))
        return 1;
    if (!CreateDirectoryA(pszDir, NULL)) {
        TRACE("fnCreateDir - CreateDirectory error", "lpszDir=%s, dwError=%lu", pszDir, GetLastError());
        // A directory that was there already is not the run's change: it is
        // not logged, so nothing undoing the log removes what the user had.
        int bThere = fnDirIsThere(pszDir);
        TRACE("fnCreateDir - End", "lpszDir=%s, bExists=%d", pszDir, bThere);
        return bThere;
    }
    if (bLog)
        fnLogLine("%s,  D", 1, pszDir);
    TRACE("fnCreateDir - End", "lpszDir=%s, bExists=1", pszDir);
    return 1;
}

int fnCreateDirTree(const char *pszPath, BOOL bLog)
{
    char szPath[kcchPath];
    if (!pszPath || !pszPath[0] || !fnCopyText(szPath, COUNTOF(szPath), pszPath))
        return 0;
    fnTrimPathSeps(szPath);
    if (fnCreateDir(szPath, bLog))
        return 1;

    // Level by level. The server and share of a UNC path cannot be made:
    // the walk starts after them.
    size_t cchRoot = fnPathRootLength(szPath);
    if (cchRoot < 3 && szPath[0] && szPath[1] != ':')
        cchRoot = 0;
    for (size_t i = cchRoot > 0 ? cchRoot : 1; szPath[i]; i++) {
        if (!fnIsPathSep(szPath[i]))
            continue;
        char szLevel[kcchPath];
        fnCopyTextN(szLevel, COUNTOF(szLevel), szPath, i);
        if (strlen(szLevel) < 3 && szLevel[1] == ':')
            fnAppendText(szLevel, COUNTOF(szLevel), "\\");
        if (!fnCreateDir(szLevel, FALSE))
            return 0;
    }
    return fnCreateDir(szPath, bLog);
}

int fnIsDriveAvailable(HWND hwnd, const char *pszPath, BOOL bEnterAnother)
{
    char szRoot[kcchPath];
    if (!fnPathRoot(pszPath, szRoot, COUNTOF(szRoot))) {
        // A relative path lies on the drive of the current directory.
        char szCurrent[kcchPath];
        DWORD cch = GetCurrentDirectoryA(COUNTOF(szCurrent), szCurrent);
        if (cch == 0 || cch >= COUNTOF(szCurrent) || !fnPathRoot(szCurrent, szRoot, COUNTOF(szRoot)))
            return 1;
    }
    UINT uType = GetDriveTypeA(szRoot);
    if (uType != DRIVE_UNKNOWN && uType != DRIVE_NO_ROOT_DIR)
        return 1;
    (void)hwnd;
    fnMsgBox(bEnterAnother ? IDS_DRIVE_ENTER_ANOTHER : IDS_DRIVE_NOT_AVAILABLE, NULL, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL,
             szRoot);
    return 0;
}

int fnCreateDirTreeMsg(HWND hwnd, const char *pszPath, BOOL bLog)
{
    if (fnCreateDirTree(pszPath, bLog))
        return 1;
    if (fnIsDriveAvailable(hwnd, pszPath, FALSE))
        fnMsgBox(IDS_DIR_TREE_FAILED, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, pszPath);
    return 0;
}

// The root the space calls need: drive or UNC root, else the current drive.
static void fnSpaceRoot(const char *pszPath, char *pszRoot, size_t cchRoot)
{
    if (fnPathRoot(pszPath, pszRoot, cchRoot))
        return;
    char szCurrent[kcchPath];
    DWORD cch = GetCurrentDirectoryA(COUNTOF(szCurrent), szCurrent);
    if (cch == 0 || cch >= COUNTOF(szCurrent) || !fnPathRoot(szCurrent, pszRoot, cchRoot))
        fnCopyText(pszRoot, cchRoot, "\\");
}

DWORD fnGetDiskSpace(const char *pszPath)
{
    char szRoot[kcchPath];
    fnSpaceRoot(pszPath, szRoot, COUNTOF(szRoot));
    ULARGE_INTEGER ulAvail, ulTotal, ulFree;
    if (!GetDiskFreeSpaceExA(szRoot, &ulAvail, &ulTotal, &ulFree))
        return 0;
    DWORD dwResult = ulAvail.QuadPart > 0xFFFFFFFFull ? 0xFFFFFFFFul : (DWORD)ulAvail.QuadPart;
    TRACE("fnGetDiskSpace (Ex)", "szDrive=%s,\ndwResult=%lu,\nulFreeBytes=%llu", szRoot, dwResult,
          (unsigned long long)ulAvail.QuadPart);
    return dwResult;
}

int fnGetDiskSpaceInfo(const char *pszPath, ULONGLONG *pullFree, ULONGLONG *pullAvail, ULONGLONG *pullTotal,
                       ULONGLONG *pullUsed)
{
    char szRoot[kcchPath];
    fnSpaceRoot(pszPath, szRoot, COUNTOF(szRoot));
    ULARGE_INTEGER ulAvail, ulTotal, ulFree;
    if (!GetDiskFreeSpaceExA(szRoot, &ulAvail, &ulTotal, &ulFree))
        return 0;
    ULONGLONG ullFree = ulFree.QuadPart;
    ULONGLONG ullAvail = ulAvail.QuadPart;
    ULONGLONG ullTotal = ulTotal.QuadPart;
    TRACE("fnGetDiskSpaceInfo (Ex)", "szDrive=%s", szRoot);
    ULONGLONG ullUsed = ullTotal > ullAvail ? ullTotal - ullAvail : 0;
    TRACE("fnGetDiskSpaceInfo",
          "szDrive=%s, uint64FreeSpace=%llu, uint64AvailSpace=%llu, uint64TotalSpace=%llu, uint64UsedSpace=%llu", szRoot,
          (unsigned long long)ullFree, (unsigned long long)ullAvail, (unsigned long long)ullTotal,
          (unsigned long long)ullUsed);
    if (pullFree)
        *pullFree = ullFree;
    if (pullAvail)
        *pullAvail = ullAvail;
    if (pullTotal)
        *pullTotal = ullTotal;
    if (pullUsed)
        *pullUsed = ullUsed;
    return 1;
}

void fnCalcFolderSize(const char *pszDir, ULONGLONG *pullTotal)
{
    char szPattern[kcchPath];
    if (!fnPathJoin(szPattern, COUNTOF(szPattern), pszDir, "*.*"))
        return;
    WIN32_FIND_DATAA fd;
    CFindHandle hFind(FindFirstFileA(szPattern, &fd));
    if (!hFind.IsValid())
        return;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // Junctions and links lead elsewhere: their targets are not this folder's.
            TRACE("fnCalcFolderSize FILE_ATTRIBUTE_REPARSE_POINT", "lpszDir=%s, cFileName=%s", pszDir, fd.cFileName);
            continue;
        }
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!strcmp(fd.cFileName, ".") || !strcmp(fd.cFileName, ".."))
                continue;
            char szSub[kcchPath];
            if (!fnPathJoin(szSub, COUNTOF(szSub), pszDir, fd.cFileName))
                continue;
            TRACE("fnCalcFolderSize directory", "szSubDir=%s", szSub);
            fnCalcFolderSize(szSub, pullTotal);
            continue;
        }
        ULONGLONG ullSize = ((ULONGLONG)fd.nFileSizeHigh << 32) | fd.nFileSizeLow;
        *pullTotal += ullSize;
        TRACE("fnCalcFolderSize file", "cFileName=%s, uint64Size=%llu", fd.cFileName, (unsigned long long)ullSize);
    } while (FindNextFileA(hFind.Get(), &fd));
}

void fnGetFolderSize(const char *pszDir, ULONGLONG *pullSize)
{
    *pullSize = 0;
    if (fnIsBareDrive(pszDir)) {
        TRACE("fnGetFolderSize - use fnGetDiskSpaceInfo", "lpszDir=%s", pszDir);
        fnGetDiskSpaceInfo(pszDir, NULL, NULL, NULL, pullSize);
        return;
    }
    TRACE("fnGetFolderSize - use fnCalcFolderSize", "lpszDir=%s", pszDir);
    fnCalcFolderSize(pszDir, pullSize);
}

int fnInfGetDir(const char *pszLines, unsigned uLine, char *pszDir, size_t cchDir)
{
    if (cchDir)
        pszDir[0] = '\0';
    char szLine[kcchInfLine];
    const char *pszPos = pszLines;
    for (unsigned u = 1;; u++) {
        szLine[0] = '\0';
        pszPos = pszPos ? fnInfNextLine(pszPos, szLine, COUNTOF(szLine)) : NULL;
        if (!szLine[0])
            return kGetDirNone;
        if (u == uLine)
            break;
        if (!pszPos)
            return kGetDirNone;
    }
    char szKey[kcchInfLine];
    if (!fnInfParseField(szLine, 0, szKey, COUNTOF(szKey))) {
        fnInfParseField(szLine, 1, pszDir, cchDir);
        return kGetDirRead;
    }
    char szValue[kcchInfLine];
    if (fnTextEqualI(szKey, "ExpandDelims")) {
        if (fnInfParseField(szLine, 1, szValue, COUNTOF(szValue)))
            fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), szValue);
        return kGetDirPassed;
    }
    fnInfParseField(szLine, 1, szValue, COUNTOF(szValue));
    int iTest = fnInfTestField(szKey, szValue);
    if (iTest == IDTEST_SKIPSECTION)
        return kGetDirNone;
    if (iTest != IDTEST_TRUE)
        return kGetDirPassed;
    return fnInfParseField(szLine, 2, pszDir, cchDir) ? kGetDirRead : kGetDirPassed;
}

// The directory a list line names: full paths as written; otherwise
// expanded, and joined to the destination unless a variable made it.
static int fnResolveListDir(const char *pszLineDir, char *pszOut, size_t cchOut)
{
    if (fnIsRootedPath(pszLineDir))
        return fnCopyText(pszOut, cchOut, pszLineDir);
    char szExpanded[kcchLine];
    fnCopyText(szExpanded, COUNTOF(szExpanded), pszLineDir);
    if (fnExpandOpts(szExpanded, COUNTOF(szExpanded)) != 0)
        return fnCopyText(pszOut, cchOut, szExpanded);
    return fnPathJoin(pszOut, cchOut, g_szDestDir, pszLineDir);
}

int fnCreateDirectories(HWND hwndMain, HWND hwndStatus, const char *pszLines, const char *pszHeader, unsigned uLines,
                        unsigned uOffset, BOOL bStatus, BOOL bLog)
{
    for (unsigned u = 1; u <= uLines; u++) {
        if (hwndStatus && fnCancelPressed(hwndStatus))
            return 2;
        TRACE("fnCreateDirectories call fnInfGetDir", "nDirNum=%u, lpszInf=%s", u, pszHeader ? pszHeader : "");
        char szLineDir[kcchLine];
        int iGet = fnInfGetDir(pszLines, u, szLineDir, COUNTOF(szLineDir));
        if (iGet == kGetDirNone)
            return 1;
        if (iGet == kGetDirPassed || !szLineDir[0])
            continue;
        char szDir[kcchPath];
        if (!fnResolveListDir(szLineDir, szDir, COUNTOF(szDir))) {
            // A path cut to the buffer would make the wrong directory.
            fnMsgBox(IDS_DIR_TREE_FAILED, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, szLineDir);
            return 2;
        }
        if (bStatus && hwndStatus) {
            fnSetStatusText(hwndStatus, 104, 0, szDir);
            fnSetStatusText(hwndStatus, 105, 0, "");
            fnSetStatusText(hwndStatus, 106, 0, "");
        }
        TRACE("fnCreateDirectories call fnCreateDirTreeLog", "szTmpBuffer=%s, bLog=%d", szDir, bLog);
        if (!fnCreateDirTreeMsg(hwndMain, szDir, bLog))
            return 2;
        SetCurrentDirectoryA(szDir);
        if (bStatus && hwndStatus)
            fnSetProgressPos(hwndStatus, u + uOffset + 1);
    }
    return 1;
}

int fnInfMakeDirs(HWND hwndMain, const char *pszScript, const char *pszScript2, const char *pszHeader)
{
    const char *pszLines = pszScript ? fnInfFindSection(pszScript, pszHeader, 0) : NULL;
    if (!pszLines && pszScript2)
        pszLines = fnInfFindSection(pszScript2, pszHeader, 0);
    if (!pszLines)
        return 1;
    unsigned uMaxDirs = fnInfCountLines(pszLines, NULL, kuMaxDirLines);
    TRACE("fnInfMakeDirs", "nMaxDirs=%u, lpszSection=%s, lpszTmp=%s", uMaxDirs, pszHeader, pszLines);
    if (uMaxDirs == 0)
        return 1;

    HWND hwndStatus = NULL;
    if (!g_bQuiet) {
        hwndStatus = fnCreateCopyStatus(hwndMain);
        if (hwndStatus) {
            fnSetProgressRange(hwndStatus, uMaxDirs + 1);
            fnSetStatusText(hwndStatus, 103, 0, "Creating directories...");
            fnSetStatusText(hwndStatus, 104, 0, g_szDestDir);
            fnSetStatusText(hwndStatus, 105, 0, "");
            fnSetStatusText(hwndStatus, 106, 0, "");
        }
    }
    int iRC = 1;
    if (!fnCreateDirTreeMsg(hwndMain, g_szDestDir, FALSE) || !SetCurrentDirectoryA(g_szDestDir)) {
        iRC = 0;
    } else {
        if (hwndStatus)
            fnSetProgressPos(hwndStatus, 1);
        iRC = fnCreateDirectories(hwndMain, hwndStatus, pszLines, pszHeader, uMaxDirs, 0, TRUE, TRUE) == 2 ? 0 : 1;
    }
    if (hwndStatus && IsWindow(hwndStatus))
        DestroyWindow(hwndStatus);
    return iRC;
}

int fnMakeDirsSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *, const char *)
{
    return fnInfMakeDirs(hwndMain, pszSection, NULL, pszHeader);
}

// One pass's space test of the destination: 1 enough, 0 stop, 3 another pass.
static int fnTestDestSpace(UserInputStruct *pInput, DWORD *pdwNeeded)
{
    for (;;) {
        DWORD dwFree = fnGetDiskSpace(pInput->szDestPath);
        if (dwFree >= *pdwNeeded)
            return 1;
        TRACE("fnTestDestDir", "Not enough space\ndwFreeDiskSpace=%lu,\nlpUserInputStruct->dwDiskSpaceNeeded=%lu", dwFree,
              *pdwNeeded);
        char szRoot[kcchPath];
        fnSpaceRoot(pInput->szDestPath, szRoot, COUNTOF(szRoot));
        if (*pdwNeeded == pInput->dwDiskSpaceMinimum || !pInput->uDirPrompt) {
            if (pInput->uDirPrompt && *pdwNeeded == pInput->dwDiskSpaceMinimum) {
                fnMsgBox(IDS_SPACE_SELECT_OTHER, NULL, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL, szRoot, dwFree,
                         *pdwNeeded);
                return 3;
            }
            fnMsgBox(IDS_SPACE_EXIT, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, szRoot, dwFree, *pdwNeeded);
            return 0;
        }
        int iAnswer = fnMsgBox(IDS_SPACE_ABORT_RETRY, NULL, MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION | MB_TASKMODAL,
                               szRoot, dwFree, *pdwNeeded);
        if (iAnswer == IDABORT)
            return 0;
        if (iAnswer == IDRETRY)
            return 3;
        *pdwNeeded = pInput->dwDiskSpaceMinimum;  // Ignore: the minimum will do
    }
}

int fnCheckWinDriveSpace(DWORD dwNeeded)
{
    DWORD dwWinFree = dwNeeded ? fnGetDiskSpace(g_szWinDir) : 0;
    if (dwWinFree >= dwNeeded)
        return 1;
    char szRoot[kcchPath];
    fnSpaceRoot(g_szWinDir, szRoot, COUNTOF(szRoot));
    return fnMsgBox(IDS_WINDRIVE_SPACE, NULL, MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL, szRoot, dwWinFree,
                    dwNeeded) == IDOK;
}

int fnTestDestDir(HWND hwndMain, UserInputStruct *pInput, const char *pszScript)
{
    if (!pInput->szDestPath[0])
        return 1;
    TRACE("fnTestDestDir", "g_szDestDir=%s,\nlpUserInputStruct->szDestPath=%s", g_szDestDir, pInput->szDestPath);
    DWORD dwNeeded = pInput->dwDiskSpaceNeeded;
    for (BOOL bAgain = FALSE;; bAgain = TRUE) {
        if (bAgain) {
            // A failed pass: the user may pick another place, or the check stops.
            if (!pInput->uDirPrompt)
                return 0;
            int iRC = fnShowDestDirDialog(hwndMain, pInput);
            TRACE("fnTestDestDir", "g_szDestDir=%s,\nlpUserInputStruct->szDestPath=%s,\nReadSectStruct.szPathError=%s,\nuRC=%u",
                  g_szDestDir, pInput->szDestPath, "", (unsigned)iRC);
            if (iRC != IDOK)
                return kSectionCancelled;
        }
        if (!fnCheckWinDriveSpace(pInput->dwWinDriveSpaceNeeded))
            return 0;
        if (!fnIsDriveAvailable(hwndMain, pInput->szDestPath, TRUE))
            continue;
        int iSpace = fnTestDestSpace(pInput, &dwNeeded);
        if (iSpace == 0)
            return 0;
        if (iSpace == 3)
            continue;
        fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), pInput->szDestPath);
        if (!fnInfMakeDirs(hwndMain, pszScript, NULL, pInput->szDirSection)) {
            TRACE("fnTestDestDir", "fnInfMakeDirs ERROR!\nlpszDirSection=%s", pInput->szDirSection);
            continue;
        }
        break;
    }
    fnPumpMessages();
    if (!g_bStayHome)
        SetCurrentDirectoryA(g_szDestDir);
    return 1;
}
