// Wildcard entries: every matching file of the source directory, and with
// recursion every subdirectory, installed one by one.
#include "files/install_wild.h"
#include "base/path.h"

#include "files/copy_status.h"
#include "files/dirs.h"
#include "files/install.h"
#include "files/install_ops.h"
#include "files/lz.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

namespace {

// The names a directory search gives, taken before anything is installed, so
// that files and folders the installation itself makes are never walked.
class CNameList {
public:
    CNameList() : m_psz(NULL), m_cch(0), m_cchUsed(0) {}
    ~CNameList()
    {
        if (m_psz)
            HeapFree(GetProcessHeap(), 0, m_psz);
    }
    CNameList(const CNameList &) = delete;
    CNameList &operator=(const CNameList &) = delete;

    // Fills the list: bDirs 0 files, 1 subdirectories (without "." and "..").
    // 1 searched (the list may be empty), 0 nothing matched or no memory.
    int fnFill(const char *pszPattern, int bDirs)
    {
        WIN32_FIND_DATAA fd;
        CFindHandle hFind(FindFirstFileA(pszPattern, &fd));
        if (!hFind.IsValid())
            return 0;
        do {
            int bDir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (bDir != bDirs || !strcmp(fd.cFileName, ".") || !strcmp(fd.cFileName, ".."))
                continue;
            if (!fnAdd(fd.cFileName))
                return 0;
        } while (FindNextFileA(hFind.Get(), &fd));
        return 1;
    }
    const char *fnFirst() const { return m_cchUsed ? m_psz : NULL; }
    const char *fnNext(const char *psz) const
    {
        psz += strlen(psz) + 1;
        return psz < m_psz + m_cchUsed ? psz : NULL;
    }

private:
    int fnAdd(const char *pszName)
    {
        size_t cchName = strlen(pszName) + 1;
        if (m_cchUsed + cchName > m_cch) {
            size_t cchNew = (m_cch + cchName) * 2;
            char *pszNew = (char *)(m_psz ? HeapReAlloc(GetProcessHeap(), 0, m_psz, cchNew)
                                          : HeapAlloc(GetProcessHeap(), 0, cchNew));
            if (!pszNew)
                return 0;
            m_psz = pszNew;
            m_cch = cchNew;
        }
        memcpy(m_psz + m_cchUsed, pszName, cchName);
        m_cchUsed += cchName;
        return 1;
    }

    char *m_psz;
    size_t m_cch;
    size_t m_cchUsed;
};

struct SavedPaths {
    char szSrcFilePath[kcchPath];
    char szDstDir[kcchPath];
};

void fnRestorePaths(IFStruct *pIF, const SavedPaths *pSaved)
{
    fnCopyText(pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), pSaved->szSrcFilePath);
    fnCopyText(pIF->szDstDir, COUNTOF(pIF->szDstDir), pSaved->szDstDir);
}

}  // namespace

int fnWildInstallFiles(HWND hwndMain, IFStruct *pIF)
{
    SavedPaths saved;
    fnCopyText(saved.szSrcFilePath, COUNTOF(saved.szSrcFilePath), pIF->szSrcFilePath);
    fnCopyText(saved.szDstDir, COUNTOF(saved.szDstDir), pIF->szDstDir);
    char szPattern[kcchPath];
    fnPathJoin(szPattern, COUNTOF(szPattern), saved.szSrcFilePath, pIF->szWildFileName);
    TRACE("fnWildInstallFiles - Begin", "szPattern=%s,\nszDstDir=%s,\nbRecurse=%d", szPattern, saved.szDstDir,
          pIF->bRecurse);
    if (fnCancelPressed(pIF->hStatusDlg))
        return 0;

    CNameList files;
    files.fnFill(szPattern, 0);
    for (const char *pszName = files.fnFirst(); pszName; pszName = files.fnNext(pszName)) {
        if (fnCancelPressed(pIF->hStatusDlg))
            return 0;
        fnRestorePaths(pIF, &saved);
        fnCopyText(pIF->szSrcFileName, COUNTOF(pIF->szSrcFileName), pszName);
        fnCopyText(pIF->szDstFileName, COUNTOF(pIF->szDstFileName), pszName);
        if (pIF->uInstallMode != kInstallAsIs) {
            char szSrc[kcchPath];
            fnPathJoin(szSrc, COUNTOF(szSrc), saved.szSrcFilePath, pszName);
            fnExpandedFileName(szSrc, pIF->szDstFileName, COUNTOF(pIF->szDstFileName));
        }
        pIF->uFileNum++;
        pIF->uJoinPart = kJoinNone;
        if (fnInstallFileVer(hwndMain, pIF) == kIFVStop)
            return 0;
    }
    fnRestorePaths(pIF, &saved);
    if (!pIF->bRecurse)
        return 1;

    char szAll[kcchPath];
    fnPathJoin(szAll, COUNTOF(szAll), saved.szSrcFilePath, "*.*");
    CNameList dirs;
    if (!dirs.fnFill(szAll, 1))
        return 2;
    for (const char *pszName = dirs.fnFirst(); pszName; pszName = dirs.fnNext(pszName)) {
        // A destination inside the source is not walked into itself.
        char szSubDir[kcchPath];
        fnPathJoin(szSubDir, COUNTOF(szSubDir), saved.szSrcFilePath, pszName);
        if (fnTextEqualI(szSubDir, saved.szDstDir))
            continue;
        fnRestorePaths(pIF, &saved);
        fnCopyText(pIF->szSrcFileName, COUNTOF(pIF->szSrcFileName), pszName);
        fnCopyText(pIF->szDstFileName, COUNTOF(pIF->szDstFileName), pszName);
        if (!fnWildInstallDirectory(hwndMain, pIF))
            return 0;
    }
    fnRestorePaths(pIF, &saved);
    return 1;
}

int fnWildInstallDirectory(HWND hwndMain, IFStruct *pIF)
{
    char szNewDir[kcchPath], szSrcDir[kcchPath];
    if (!fnPathJoin(szNewDir, COUNTOF(szNewDir), pIF->szDstDir, pIF->szDstFileName) ||
        !fnPathJoin(szSrcDir, COUNTOF(szSrcDir), pIF->szSrcFilePath, pIF->szSrcFileName))
        return 0;
    if (!fnCreateDirTree(szNewDir, TRUE))
        return 0;
    fnCopyText(pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), szSrcDir);
    fnCopyText(pIF->szDstDir, COUNTOF(pIF->szDstDir), szNewDir);
    fnCopyText(pIF->szSrcFileName, COUNTOF(pIF->szSrcFileName), pIF->szWildFileName);
    fnCopyText(pIF->szDstFileName, COUNTOF(pIF->szDstFileName), pIF->szWildFileName);
    return fnWildInstallFiles(hwndMain, pIF) != 0;
}
