// Deleting one file or a tree of them; a file held by a program is deleted
// at the restart.
#include "files/delete_tree.h"
#include "base/path.h"

#include "files/dirs_text.h"
#include "files/install_ops.h"
#include "files/install_record.h"
#include "files/version_sections.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

int fnDeleteAFile(const char *pszFileSpec)
{
    TRACE("fnDeleteAFile", "lpszFileSpec=%s", pszFileSpec);
    SetFileAttributesA(pszFileSpec, FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileA(pszFileSpec)) {
        fnLogLine("%s,  D", 1, pszFileSpec);
        return 1;
    }
    DWORD dwErr = GetLastError();
    if (!fnIsInUseError(dwErr))
        return 1;  // gone already, or nothing a restart would change
    if (fnCloseProgramUsing(g_hwndMain, pszFileSpec) && DeleteFileA(pszFileSpec)) {
        fnLogLine("%s,  D", 1, pszFileSpec);
        return 1;
    }
    fnReplaceFileInUse(pszFileSpec, "NUL");
    return 1;
}

void fnDeleteTree(const char *pszSpec, const char *pszKeepDir, BOOL bRecurse)
{
    char szPattern[kcchFileSpec], szDir[kcchPath], szName[kcchPath];
    if (fnHasWildcard(pszSpec))
        fnCopyText(szPattern, COUNTOF(szPattern), pszSpec);
    else
        fnPathJoin(szPattern, COUNTOF(szPattern), pszSpec, "*.*");
    fnPathSplit(szPattern, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
    TRACE("fnDeleteTree", "szSrcFileSpec=%s, szFilePath=%s", szPattern, szDir);
    WIN32_FIND_DATAA fd;
    {
        CFindHandle hFind(FindFirstFileA(szPattern, &fd));
        if (hFind.IsValid()) {
            do {
                char szPath[kcchPath];
                if (!fnPathJoin(szPath, COUNTOF(szPath), szDir, fd.cFileName))
                    continue;  // a cut name would be another file
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    fnDeleteAFile(szPath);
                } else if (bRecurse && strcmp(fd.cFileName, ".") && strcmp(fd.cFileName, "..")) {
                    TRACE("fndDeleteTree deleting directory", "szPath=%s", szPath);
                    fnDeleteTree(szPath, NULL, TRUE);
                }
            } while (FindNextFileA(hFind.Get(), &fd));
        }
    }
    if (pszKeepDir && fnTextEqualI(pszKeepDir, szDir))
        return;
    SetFileAttributesA(szDir, FILE_ATTRIBUTE_NORMAL);
    if (!RemoveDirectoryA(szDir))
        TRACE("fnDeleteTree fnRmdir error", "szFilePath=%s, dwError=%lu", szDir, GetLastError());
    else
        fnLogLine("%s,  D", 1, szDir);
}
