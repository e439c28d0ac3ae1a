// The walks of the move sections: every file of a directory that matches a
// wildcard and, with recursion, every subdirectory below it.
#include "files/move_walk.h"
#include "base/path.h"

#include "files/copy_status.h"
#include "files/dirs.h"
#include "files/dirs_text.h"
#include "files/move_paths.h"
#include "files/move_steps.h"
#include "run/guards.h"
#include "run/window.h"
#include "run/text.h"
#include "run/trace.h"

// The destination directory of a walk: the named path itself when it is a
// directory, else its directory part, else the source directory.
static void fnWalkDestDir(const IFStruct *pIF, const char *pszSrcDir, char *pszOut, size_t cchOut)
{
    if (pIF->szDstFileSpec[0] && fnIsDirectoryPath(pIF->szDstFileSpec)) {
        fnCopyText(pszOut, cchOut, pIF->szDstFileSpec);
        return;
    }
    char szName[kcchPath];
    fnPathSplit(pIF->szDstFileSpec, pszOut, cchOut, szName, COUNTOF(szName));
    if (!pszOut[0])
        fnCopyText(pszOut, cchOut, pszSrcDir);
}

int fnWildMove(HWND hwndMain, IFStruct *pIF)
{
    char szSrcDir[kcchPath], szDstDir[kcchPath], szName[kcchPath], szPattern[kcchFileSpec];
    fnPathSplit(pIF->szSrcFileSpec, szSrcDir, COUNTOF(szSrcDir), szName, COUNTOF(szName));
    fnWalkDestDir(pIF, szSrcDir, szDstDir, COUNTOF(szDstDir));
    fnPathJoin(szPattern, COUNTOF(szPattern), szSrcDir, pIF->szWildFileName);
    TRACE("fnWildMove", "szSrcDir=%s,\nszDstDir=%s,\nszPattern=%s", szSrcDir, szDstDir, szPattern);

    WIN32_FIND_DATAA fd;
    {
        CFindHandle hFind(FindFirstFileA(szPattern, &fd));
        if (hFind.IsValid()) {
            do {
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    continue;
                if (fnCancelPressed(pIF->hStatusDlg))
                    return 0;
                fnPathJoin(pIF->szSrcFileSpec, COUNTOF(pIF->szSrcFileSpec), szSrcDir, fd.cFileName);
                fnPathJoin(pIF->szDstFileSpec, COUNTOF(pIF->szDstFileSpec), szDstDir, fd.cFileName);
                pIF->uFileNum++;
                if (!fnMoveAFile(hwndMain, pIF)) {
                    TRACE("fnWildMove Error moving file", "szSrcFileSpec=%s", pIF->szSrcFileSpec);
                    return 0;
                }
                if (pIF->uWaitTime)
                    fnWaitPumping(pIF->uWaitTime);
            } while (FindNextFileA(hFind.Get(), &fd));
        }
    }
    if (!pIF->bRecurse)
        return 1;

    char szAll[kcchFileSpec];
    fnPathJoin(szAll, COUNTOF(szAll), szSrcDir, "*.*");
    CFindHandle hFind(FindFirstFileA(szAll, &fd));
    if (!hFind.IsValid())
        return 2;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !strcmp(fd.cFileName, ".") ||
            !strcmp(fd.cFileName, ".."))
            continue;
        fnPathJoin(pIF->szSrcFileSpec, COUNTOF(pIF->szSrcFileSpec), szSrcDir, fd.cFileName);
        fnPathJoin(pIF->szDstFileSpec, COUNTOF(pIF->szDstFileSpec), szDstDir, fd.cFileName);
        if (!fnMoveADirectory(hwndMain, pIF)) {
            TRACE("fnWildMove Error moving directory", "szSrcFileSpec=%s", pIF->szSrcFileSpec);
            return 0;
        }
    } while (FindNextFileA(hFind.Get(), &fd));
    return 1;
}

int fnMoveADirectory(HWND hwndMain, IFStruct *pIF)
{
    char szSrcDir[kcchFileSpec], szDstDir[kcchFileSpec];
    fnCopyText(szSrcDir, COUNTOF(szSrcDir), pIF->szSrcFileSpec);
    fnCopyText(szDstDir, COUNTOF(szDstDir), pIF->szDstFileSpec);
    BOOL bDelete = pIF->uMoveMode == kMoveDelete;
    BOOL bToNul = fnTextEqualI(szDstDir, "nul");
    if (!bDelete && !bToNul) {
        if (!fnCreateDirTree(szDstDir, FALSE))
            return 0;
        if (pIF->uAttribMode == kAttribKeep) {
            DWORD dwAttrib = GetFileAttributesA(szSrcDir);
            if (dwAttrib != INVALID_FILE_ATTRIBUTES)
                SetFileAttributesA(szDstDir, dwAttrib);
        }
    } else {
        SetFileAttributesA(szSrcDir, FILE_ATTRIBUTE_NORMAL);
    }
    fnPathJoin(pIF->szSrcFileSpec, COUNTOF(pIF->szSrcFileSpec), szSrcDir, pIF->szWildFileName);
    fnPathJoin(pIF->szDstFileSpec, COUNTOF(pIF->szDstFileSpec), szDstDir, pIF->szWildFileName);
    TRACE("fnMoveADirectory", "szSrcFileSpec=%s,\nszDstFileSpec=%s", pIF->szSrcFileSpec, pIF->szDstFileSpec);
    int iRC = fnWildMove(hwndMain, pIF);
    if (iRC && (bDelete || bToNul)) {
        if (!RemoveDirectoryA(szSrcDir))
            TRACE("fnMoveADirectory fnRmdir", "szSrcDir=%s, dwError=%lu", szSrcDir, GetLastError());
        else
            fnLogLine("%s,  D", 1, szSrcDir);
    }
    return iRC ? 1 : 0;
}
