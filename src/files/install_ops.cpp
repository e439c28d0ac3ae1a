// Small file operations shared by the file sections: paths, times, deletes,
// the plain copy, directory trees and replacement of files in use.
#include "files/install_ops.h"

#include "base/path.h"
#include "base/running.h"
#include "files/dirs.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

enum { kdwCloseWaitMs = 10000 };  // how long a program asked to close is given to go

int fnDeleteFile(const char *pszFile)
{
    if (GetFileAttributesA(pszFile) == INVALID_FILE_ATTRIBUTES) {
        TRACE("fnDeleteFile", "File Not Found lpszFile=%s", pszFile);
        return 0;
    }
    if (DeleteFileA(pszFile))
        return 1;
    DWORD dwErr = GetLastError();
    TRACE("fnDeleteFile", "DeleteFile failed, dwError=%lu,\nlpszFile=%s", dwErr, pszFile);
    return 0;
}

int fnGetFileTime(const char *pszFile, FILETIME *pft)
{
    WIN32_FILE_ATTRIBUTE_DATA fad;
    if (!GetFileAttributesExA(pszFile, GetFileExInfoStandard, &fad))
        return 0;
    *pft = fad.ftLastWriteTime;
    return 1;
}

int fnSetFileTime(const char *pszFile, const FILETIME *pft)
{
    CFileHandle hFile(CreateFileA(pszFile, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
    DWORD dwAttrib = INVALID_FILE_ATTRIBUTES;
    if (!hFile.IsValid()) {
        // A read-only file is opened after clearing its attributes, which
        // are put back afterwards.
        dwAttrib = GetFileAttributesA(pszFile);
        if (dwAttrib == INVALID_FILE_ATTRIBUTES || !SetFileAttributesA(pszFile, FILE_ATTRIBUTE_NORMAL))
            return 0;
        hFile.Attach(CreateFileA(pszFile, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
    }
    int bOk = hFile.IsValid() && SetFileTime(hFile.Get(), NULL, NULL, pft);
    hFile.fnClose();
    if (dwAttrib != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(pszFile, dwAttrib);
    return bOk;
}

static int fnIsDirectory(const char *pszPath)
{
    DWORD dwAttrib = GetFileAttributesA(pszPath);
    return dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_DIRECTORY);
}

int fnCopyFile(const char *pszFrom, const char *pszTo, BOOL bFailIfExists, BOOL bKeepTime)
{
    TRACE("fnCopyFile", "lpszReadFile=%s,\nlpszWriteFile=%s", pszFrom, pszTo);
    FILETIME ft;
    if (bKeepTime && !fnGetFileTime(pszFrom, &ft))
        return 0;
    char szDir[kcchPath], szName[kcchPath];
    fnPathSplit(pszTo, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
    if (szDir[0] && !fnIsDirectory(szDir)) {
        TRACE("fnCopyFile", "Destination directory %s does not exist.\nlpszReadFile=%s,\nlpszWriteFile=%s", szDir,
              pszFrom, pszTo);
        if (!fnCreateDirTree(szDir, TRUE)) {
            DWORD dwErr = GetLastError();
            TRACE("fnCopyFile",
                  "Could not create destination directory %s!\nlpszReadFile=%s,\nlpszWriteFile=%s,\ndwError=%lu",
                  szDir, pszFrom, pszTo, dwErr);
            return 0;
        }
    }
    if (!CopyFileA(pszFrom, pszTo, bFailIfExists)) {
        DWORD dwErr = GetLastError();
        if (bFailIfExists && GetFileAttributesA(pszTo) != INVALID_FILE_ATTRIBUTES)
            TRACE("fnCopyFile", "Destination file already exists!\nlpszReadFile=%s,\nlpszWriteFile=%s,\ndwError=%lu",
                  pszFrom, pszTo, dwErr);
        else
            TRACE("fnCopyFile ERROR", "lpszReadFile=%s,\nlpszWriteFile=%s,\ndwError=%lu", pszFrom, pszTo, dwErr);
        SetLastError(dwErr);
        return 0;
    }
    SetFileAttributesA(pszTo, FILE_ATTRIBUTE_NORMAL);
    if (bKeepTime)
        fnSetFileTime(pszTo, &ft);
    return 1;
}

// The program whose executable is the file is asked to close (its window
// gets WM_CLOSE) and given a few seconds to go; it is never ended by force.
int fnCloseProgramUsing(HWND hwndMain, const char *pszFile)
{
    (void)hwndMain;
    TRACE("fnCloseProgramUsing", "lpszFile=%s", pszFile);
    if (!fnCloseRunningExec(pszFile, FALSE))
        return 0;
    return fnWaitWhileRunning(pszFile, kdwCloseWaitMs);
}

// Creates an empty file when none exists, so that it has a short name.
static int fnTouchFile(const char *pszFile)
{
    if (GetFileAttributesA(pszFile) != INVALID_FILE_ATTRIBUTES)
        return 1;
    CFileHandle hFile(CreateFileA(pszFile, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL));
    return hFile.IsValid() ? 1 : 0;
}

static int fnShortPath(const char *pszPath, char *pszOut, size_t cchOut)
{
    DWORD cch = GetShortPathNameA(pszPath, pszOut, (DWORD)cchOut);
    return cch != 0 && cch < cchOut;
}

int fnAddWininitRename(const char *pszWininit, const char *pszNewFile, const char *pszTarget)
{
    int bDelete = fnTextEqualI(pszTarget, "NUL");
    char szShortNew[kcchPath], szShortTarget[kcchPath];
    if (!fnTouchFile(pszNewFile) || !fnShortPath(pszNewFile, szShortNew, COUNTOF(szShortNew)))
        return 0;
    if (bDelete)
        fnCopyText(szShortTarget, COUNTOF(szShortTarget), "NUL");
    else if (!fnTouchFile(pszTarget) || !fnShortPath(pszTarget, szShortTarget, COUNTOF(szShortTarget)))
        return 0;

    CFileHandle hFile(CreateFileA(pszWininit, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid())
        return 0;
    int bNew = GetLastError() != ERROR_ALREADY_EXISTS;
    if (bNew && !fnWriteLineToFile(hFile.Get(), "[rename]"))
        return 0;
    if (SetFilePointer(hFile.Get(), 0, NULL, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return 0;
    char szLine[2 * kcchPath + 4];
    fnFormatText(szLine, COUNTOF(szLine), "%s=%s", szShortTarget, szShortNew);
    if (!fnWriteLineToFile(hFile.Get(), szLine))
        return 0;
    return hFile.fnClose() ? 1 : 0;
}

static int fnScheduleReplacement(const char *pszNewFile, const char *pszTarget)
{
    if (g_bWinNT) {
        const char *pszTo = fnTextEqualI(pszTarget, "NUL") ? NULL : pszTarget;
        DWORD dwFlags = MOVEFILE_DELAY_UNTIL_REBOOT | (pszTo ? MOVEFILE_REPLACE_EXISTING : 0);
        BOOL bOk = MoveFileExA(pszNewFile, pszTo, dwFlags);
        DWORD dwErr = bOk ? 0 : GetLastError();
        TRACE("fnReplaceFileInUse - NT - Result", "bResult=%d, dwError=%lu", bOk, dwErr);
        return bOk ? 1 : 0;
    }
    char szWininit[kcchPath];
    if (!fnPathJoin(szWininit, COUNTOF(szWininit), g_szWinDir, "WININIT.INI"))
        return 0;
    return fnAddWininitRename(szWininit, pszNewFile, pszTarget);
}

// Schedules the replacement; a scheduled one leaves work for the next restart,
// which the run's exit code reports whatever exit action the script chose.
int fnReplaceFileInUse(const char *pszNewFile, const char *pszTarget)
{
    TRACE("fnReplaceFileInUse - Begin", "lpszNewFile=%s,\nlpszTarget=%s", pszNewFile, pszTarget);
    int bScheduled = fnScheduleReplacement(pszNewFile, pszTarget);
    if (bScheduled)
        g_bRestartPending = TRUE;
    return bScheduled;
}
