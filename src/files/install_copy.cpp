// The copy steps of one-file installation. Each reports VIF_* result bits.
//
// No target is ever written in place: the new content goes to a temporary
// file in the target's directory first and takes the target's name only when
// complete (a rename within one directory), so a full disk, a read error or
// the process being ended at any moment leaves the user's file as it was,
// and a new target either whole or absent. A temporary left by a run that
// was ended has a unique "_EX" name that no later run takes.
#include "files/install_copy.h"
#include "base/path.h"
#include "base/path_text.h"

#include <lzexpand.h>
#include <winver.h>

#include "files/install_ops.h"
#include "files/install_record.h"
#include "base/version.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

namespace {

const DWORD kcbAppendBlock = 32760;

struct SourceFacts {
    FILETIME ftWrite;
    DWORD dwAttrib;
    ULONGLONG cbSize;      // bytes the target needs (expanded size for SZDD)
    BOOL bSzdd;
};

int fnDriveRoot(const char *pszPath, char *pszRoot, size_t cchRoot)
{
    if (pszPath[0] && pszPath[1] == ':')
        return fnFormatText(pszRoot, cchRoot, "%c:\\", pszPath[0]);
    if (pszPath[0] == '\\' && pszPath[1] == '\\') {
        // \\server\share\ : up to the fourth backslash.
        const char *p = pszPath + 2;
        int iSlashes = 0;
        for (; *p; p = fnCharNext(p)) {
            if (*p == '\\' && ++iSlashes == 2)
                break;
        }
        fnCopyTextN(pszRoot, cchRoot, pszPath, (size_t)(p - pszPath));
        return fnAppendText(pszRoot, cchRoot, "\\");
    }
    pszRoot[0] = '\0';
    return 0;
}

// The type of a lettered drive does not change while the program runs, and
// asking for it costs more than copying a small file: it is asked once.
int fnIsRemovable(const char *pszPath)
{
    char szRoot[kcchPath];
    if (!fnDriveRoot(pszPath, szRoot, COUNTOF(szRoot)))
        return 0;
    char cDrive = fnUpperChar(szRoot[0]);
    if (szRoot[1] != ':' || cDrive < 'A' || cDrive > 'Z')
        return GetDriveTypeA(szRoot) == DRIVE_REMOVABLE;
    UINT &uType = g_auDriveTypes[cDrive - 'A'];
    if (uType == 0)
        uType = GetDriveTypeA(szRoot) + 1;
    return uType == DRIVE_REMOVABLE + 1;
}

// Free space of the drive of a path. The last answer is reused for a second
// while the copies made since are taken off it; a drive that seems too full
// is always asked again.
struct FreeSpaceCache {
    char szRoot[kcchPath];
    ULONGLONG cbFree;
    DWORD dwTick;
};
FreeSpaceCache g_freeCache;

ULONGLONG fnFreeBytes(const char *pszPath, ULONGLONG cbNeeded)
{
    char szRoot[kcchPath];
    int bRoot = fnDriveRoot(pszPath, szRoot, COUNTOF(szRoot));
    DWORD dwNow = GetTickCount();
    if (bRoot && fnTextEqualI(szRoot, g_freeCache.szRoot) && dwNow - g_freeCache.dwTick < 1000 &&
        g_freeCache.cbFree > cbNeeded) {
        g_freeCache.cbFree -= cbNeeded;
        return g_freeCache.cbFree + cbNeeded;
    }
    ULARGE_INTEGER uliAvail, uliTotal, uliFree;
    if (!GetDiskFreeSpaceExA(bRoot ? szRoot : NULL, &uliAvail, &uliTotal, &uliFree)) {
        g_freeCache.szRoot[0] = '\0';
        return (ULONGLONG)-1;  // unknown: let the copy itself find out
    }
    fnCopyText(g_freeCache.szRoot, COUNTOF(g_freeCache.szRoot), bRoot ? szRoot : "");
    g_freeCache.cbFree = uliAvail.QuadPart > cbNeeded ? uliAvail.QuadPart - cbNeeded : 0;
    g_freeCache.dwTick = dwNow;
    return uliAvail.QuadPart;
}

// Reads what the copy needs to know of the source; 0 when it cannot be read.
int fnReadSourceFacts(const char *pszSrc, SourceFacts *pFacts)
{
    WIN32_FILE_ATTRIBUTE_DATA fad;
    if (!GetFileAttributesExA(pszSrc, GetFileExInfoStandard, &fad))
        return 0;
    pFacts->ftWrite = fad.ftLastWriteTime;
    pFacts->dwAttrib = fad.dwFileAttributes;
    pFacts->cbSize = ((ULONGLONG)fad.nFileSizeHigh << 32) | fad.nFileSizeLow;
    pFacts->bSzdd = FALSE;
    CFileHandle hFile(CreateFileA(pszSrc, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid())
        return 0;
    unsigned char abHead[14];
    DWORD cbRead = 0;
    if (ReadFile(hFile.Get(), abHead, sizeof(abHead), &cbRead, NULL) && cbRead == sizeof(abHead) &&
        memcmp(abHead, "SZDD\x88\xF0\x27\x33", 8) == 0) {
        pFacts->bSzdd = TRUE;
        ULONGLONG cbExpanded = abHead[10] | (abHead[11] << 8) | (abHead[12] << 16) | ((ULONGLONG)abHead[13] << 24);
        if (cbExpanded > pFacts->cbSize)
            pFacts->cbSize = cbExpanded;
    }
    return 1;
}

// The prompts for removable disks, shared by the two copies.
DWORD fnDiskPrompts(const char *pszSrc, const char *pszDst)
{
    if (fnIsRemovable(pszSrc) && fnUpperChar(pszSrc[0]) == fnUpperChar(pszDst[0]) && pszSrc[1] == ':' &&
        pszDst[1] == ':') {
        if (fnMsgBox(IDS_INSERT_SOURCE, NULL, MB_OKCANCEL | MB_ICONINFORMATION | MB_TASKMODAL) == IDCANCEL)
            return VIF_CANNOTREADSRC;
    }
    if (fnIsRemovable(pszDst)) {
        char szRoot[kcchPath], szCurrent[kcchPath];
        fnDriveRoot(pszDst, szRoot, COUNTOF(szRoot));
        DWORD cchCur = GetCurrentDirectoryA(COUNTOF(szCurrent), szCurrent);
        UINT uOldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
        DWORD dwRC = 0;
        while (!SetCurrentDirectoryA(szRoot)) {
            if (fnMsgBox(IDS_INSERT_DISK_IN, NULL, MB_OKCANCEL | MB_ICONINFORMATION | MB_TASKMODAL, szRoot) ==
                IDCANCEL) {
                dwRC = VIF_CANNOTREADDST;
                break;
            }
        }
        SetErrorMode(uOldMode);
        if (cchCur > 0 && cchCur < COUNTOF(szCurrent))
            SetCurrentDirectoryA(szCurrent);
        return dwRC;
    }
    return 0;
}

DWORD fnBitsOfCopyError(DWORD dwErr)
{
    switch (dwErr) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return VIF_OUTOFSPACE;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return VIF_OUTOFMEMORY;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return VIF_CANNOTREADSRC;
    default:
        return VIF_ACCESSVIOLATION;
    }
}

// Expands an SZDD source into pszTarget (created or emptied).
DWORD fnLZCopyInto(const char *pszSrc, const char *pszTarget)
{
    OFSTRUCT ofsSrc, ofsDst;
    HFILE hSrc = LZOpenFileA((LPSTR)pszSrc, &ofsSrc, OF_READ | OF_SHARE_DENY_WRITE);
    if (hSrc < 0)
        return VIF_CANNOTREADSRC;
    HFILE hDst = LZOpenFileA((LPSTR)pszTarget, &ofsDst, OF_CREATE | OF_WRITE);
    if (hDst < 0) {
        LZClose(hSrc);
        return VIF_ACCESSVIOLATION;
    }
    LONG lRC = LZCopy(hSrc, hDst);
    LZClose(hSrc);
    LZClose(hDst);
    if (lRC >= 0)
        return 0;
    TRACE("fnExpandCopyFile", "LZCopy error %ld,\nlpszSource=%s,\nlpszTarget=%s", lRC, pszSrc, pszTarget);
    return lRC == LZERROR_WRITE ? VIF_OUTOFSPACE : lRC == LZERROR_GLOBALLOC ? VIF_OUTOFMEMORY : VIF_CANNOTREADSRC;
}

// Copies (expanding SZDD) into a target that holds nothing of the user's.
DWORD fnCopyInto(const char *pszSrc, const char *pszTarget, const SourceFacts *pFacts)
{
    DWORD dwBits;
    if (pFacts->bSzdd) {
        dwBits = fnLZCopyInto(pszSrc, pszTarget);
    } else {
        dwBits = CopyFileA(pszSrc, pszTarget, FALSE) ? 0 : fnBitsOfCopyError(GetLastError());
    }
    if (dwBits)
        DeleteFileA(pszTarget);
    return dwBits;
}

// Target time and attributes after a copy. A plain copy already has the
// source's time and attributes, so only what differs is set.
DWORD fnFinishTarget(const char *pszTarget, const SourceFacts *pFacts, BOOL bKeepAttrib)
{
    const DWORD dwSpecial = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    DWORD dwAttrib = bKeepAttrib ? (pFacts->dwAttrib & ~FILE_ATTRIBUTE_DIRECTORY) : FILE_ATTRIBUTE_NORMAL;
    int bCopiedAsIs = !pFacts->bSzdd;
    if (bCopiedAsIs && (bKeepAttrib || !(pFacts->dwAttrib & dwSpecial)))
        return 0;
    if (!SetFileAttributesA(pszTarget, FILE_ATTRIBUTE_NORMAL))
        return VIF_ACCESSVIOLATION;
    if (!bCopiedAsIs && !fnSetFileTime(pszTarget, &pFacts->ftWrite))
        return VIF_ACCESSVIOLATION;
    if (dwAttrib != FILE_ATTRIBUTE_NORMAL && !SetFileAttributesA(pszTarget, dwAttrib ? dwAttrib : FILE_ATTRIBUTE_NORMAL))
        return VIF_ACCESSVIOLATION;
    return 0;
}

// Copies the source over an existing target through a temporary file in the
// target's directory.
DWORD fnCopyOver(const char *pszSrc, const char *pszTarget, const char *pszTargetDir, const SourceFacts *pFacts)
{
    char szTemp[kcchPath];
    if (!GetTempFileNameA(pszTargetDir, "_EX", 0, szTemp))
        return VIF_ACCESSVIOLATION;
    DWORD dwBits = fnCopyInto(pszSrc, szTemp, pFacts);
    if (dwBits)
        return dwBits;
    SetFileAttributesA(szTemp, FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExA(szTemp, pszTarget, MOVEFILE_REPLACE_EXISTING)) {
        DWORD dwErr = GetLastError();
        TRACE("fnExpandCopyFile", "MoveFileEx dwError=%lu,\nszTempFile=%s,\nlpszTarget=%s", dwErr, szTemp, pszTarget);
        DeleteFileA(szTemp);
        return dwErr == ERROR_SHARING_VIOLATION ? VIF_SHARINGVIOLATION : VIF_ACCESSVIOLATION;
    }
    return 0;
}

int fnFileSize(const char *pszFile, ULONGLONG *pcb)
{
    WIN32_FILE_ATTRIBUTE_DATA fad;
    if (!GetFileAttributesExA(pszFile, GetFileExInfoStandard, &fad))
        return 0;
    *pcb = ((ULONGLONG)fad.nFileSizeHigh << 32) | fad.nFileSizeLow;
    return 1;
}

// The attributes a copied target ends with: the source's when they are kept
// or plain, else normal (a read-only, hidden or system source does not make
// its installed copy so).
DWORD fnTargetAttributes(DWORD dwSrcAttrib, BOOL bKeepAttrib)
{
    const DWORD dwSpecial = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    // Only what a new file can be given: compression, encryption, sparse and
    // reparse data are properties of the source's storage, not attributes
    // to pass to the creation.
    const DWORD dwSettable = dwSpecial | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    DWORD dwAttrib = dwSrcAttrib & dwSettable;
    if (!bKeepAttrib && (dwAttrib & dwSpecial))
        dwAttrib = FILE_ATTRIBUTE_NORMAL;
    return dwAttrib ? dwAttrib : FILE_ATTRIBUTE_NORMAL;
}

// The last Win32 error, or dwDefault when a failed call set none.
DWORD fnLastErrorOr(DWORD dwDefault)
{
    DWORD dwErr = GetLastError();
    return dwErr ? dwErr : dwDefault;
}

// Whether the drive of pszPath has room for cbNeeded more bytes.
int fnHasRoomFor(const char *pszPath, ULONGLONG cbNeeded)
{
    ULONGLONG cbFree = fnFreeBytes(pszPath, cbNeeded);
    return cbFree != 0 && cbFree >= cbNeeded;
}

// One buffer for every stream copy, made on first use and kept.
const DWORD kcbCopyBlock = 1024 * 1024;

char *fnCopyBuffer()
{
    if (!g_pbCopyBuffer)
        g_pbCopyBuffer = (char *)HeapAlloc(GetProcessHeap(), 0, kcbCopyBlock);
    return g_pbCopyBuffer;
}

// Writes the rest of hSrc after the first block already read.
DWORD fnStreamRest(HANDLE hSrc, HANDLE hDst, char *pbBuffer, DWORD cbFirst)
{
    DWORD cbRead = cbFirst;
    while (cbRead) {
        DWORD cbWritten = 0;
        if (!WriteFile(hDst, pbBuffer, cbRead, &cbWritten, NULL) || cbWritten != cbRead)
            return fnLastErrorOr(ERROR_DISK_FULL);
        if (!ReadFile(hSrc, pbBuffer, kcbCopyBlock, &cbRead, NULL))
            return GetLastError();
    }
    return 0;
}

// A new, empty file in pszDir under a name no file has ("_EXnnnn.tmp", as
// the full copy's temporaries), open for writing and for the rename that
// completes it. Made in one call, where asking the system for a free name
// first would make the file, close it and open it again.
// INVALID_HANDLE_VALUE with the last error set.
HANDLE fnCreateTempIn(const char *pszDir, char *pszTemp, size_t cchTemp)
{
    static unsigned s_uNext = 0;
    if (!s_uNext)
        s_uNext = GetCurrentProcessId() ^ GetTickCount();
    for (int iTry = 0; iTry < 64; iTry++) {
        unsigned uUnique = s_uNext++ & 0xFFFF;
        char szName[16];
        fnFormatText(szName, COUNTOF(szName), "_EX%X.tmp", uUnique ? uUnique : 1u);
        if (!fnPathJoin(pszTemp, cchTemp, pszDir[0] ? pszDir : ".", szName)) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return INVALID_HANDLE_VALUE;
        }
        HANDLE hFile = CreateFileA(pszTemp, GENERIC_WRITE | DELETE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD dwErr = GetLastError();
        if (hFile != INVALID_HANDLE_VALUE || (dwErr != ERROR_FILE_EXISTS && dwErr != ERROR_ALREADY_EXISTS))
            return hFile;
    }
    SetLastError(ERROR_CANNOT_MAKE);
    return INVALID_HANDLE_VALUE;
}

// Gives an open file (opened with DELETE access) the name pszNtTarget, in
// the system's own form (fnNtPathOf), never over an existing file.
// 0, ERROR_FILE_EXISTS or another Win32 error.
DWORD fnRenameOpenFile(HANDLE hFile, const char *pszNtTarget)
{
    union {
        FILE_RENAME_INFO info;
        BYTE ab[sizeof(FILE_RENAME_INFO) + (kcchPath + 8) * sizeof(WCHAR)];
    } rename;
    memset(&rename.info, 0, sizeof(rename.info));
    int cchRoom = (int)((sizeof(rename) - offsetof(FILE_RENAME_INFO, FileName)) / sizeof(WCHAR));
    int cch = MultiByteToWideChar(CP_ACP, 0, pszNtTarget, -1, rename.info.FileName, cchRoom);
    if (cch <= 1)
        return ERROR_FILENAME_EXCED_RANGE;
    rename.info.ReplaceIfExists = FALSE;
    rename.info.FileNameLength = (DWORD)(cch - 1) * sizeof(WCHAR);
    if (SetFileInformationByHandle(hFile, FileRenameInfo, &rename, sizeof(rename)))
        return 0;
    DWORD dwErr = fnLastErrorOr(ERROR_CANNOT_MAKE);
    return dwErr == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : dwErr;
}

// What both copies do first: the two paths (kcchPath each), the disk
// prompts, the source's facts and the free space they need. 0 or VIF_* bits.
DWORD fnPrepareCopy(const char *pszSrcDir, const char *pszSrcName, const char *pszDstDir, const char *pszDstName,
                    BOOL bAsIs, char *pszSrc, char *pszDst, SourceFacts *pFacts)
{
    if (!fnPathJoin(pszSrc, kcchPath, pszSrcDir, pszSrcName))
        return VIF_CANNOTREADSRC;
    if (!fnPathJoin(pszDst, kcchPath, pszDstDir, pszDstName))
        return VIF_CANNOTCREATE;
    DWORD dwBits = fnDiskPrompts(pszSrc, pszDst);
    if (dwBits)
        return dwBits;
    if (!fnReadSourceFacts(pszSrc, pFacts))
        return VIF_CANNOTREADSRC;
    if (bAsIs) {
        pFacts->bSzdd = FALSE;  // as is: never expanded
        fnFileSize(pszSrc, &pFacts->cbSize);
    }
    return fnHasRoomFor(pszDst, pFacts->cbSize) ? 0 : VIF_OUTOFSPACE;
}

}  // namespace

DWORD fnExpandCopyFile(const char *pszSrcDir, const char *pszSrcName, const char *pszDstDir, const char *pszDstName,
                       BOOL bKeepAttrib)
{
    char szSrc[kcchPath], szDst[kcchPath];
    SourceFacts facts;
    DWORD dwBits = fnPrepareCopy(pszSrcDir, pszSrcName, pszDstDir, pszDstName, FALSE, szSrc, szDst, &facts);
    if (dwBits)
        return dwBits;

    DWORD dwOldAttrib = GetFileAttributesA(szDst);
    if ((dwOldAttrib != INVALID_FILE_ATTRIBUTES) && (dwOldAttrib & FILE_ATTRIBUTE_READONLY) &&
        !SetFileAttributesA(szDst, FILE_ATTRIBUTE_NORMAL))
        return VIF_ACCESSVIOLATION;
    dwBits = fnCopyOver(szSrc, szDst, pszDstDir, &facts);
    if (dwBits) {
        if (dwOldAttrib != INVALID_FILE_ATTRIBUTES && GetFileAttributesA(szDst) != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesA(szDst, dwOldAttrib);
        return dwBits;
    }
    return fnFinishTarget(szDst, &facts, bKeepAttrib);
}

DWORD fnCopyFileAsIs(const char *pszSrcDir, const char *pszSrcName, const char *pszDstDir, const char *pszDstName,
                     BOOL bKeepAttrib)
{
    char szSrc[kcchPath], szDst[kcchPath];
    SourceFacts facts;
    DWORD dwBits = fnPrepareCopy(pszSrcDir, pszSrcName, pszDstDir, pszDstName, TRUE, szSrc, szDst, &facts);
    if (dwBits)
        return dwBits;

    DWORD dwOldAttrib = GetFileAttributesA(szDst);
    if (dwOldAttrib != INVALID_FILE_ATTRIBUTES) {
        // Write protection is told apart from a file another program holds;
        // the attribute is read as such, since a privileged user may open a
        // read-only file for writing.
        if (dwOldAttrib & FILE_ATTRIBUTE_READONLY)
            return VIF_WRITEPROT;
        CFileHandle hTest(CreateFileA(szDst, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, NULL));
        if (!hTest.IsValid()) {
            DWORD dwErr = GetLastError();
            return dwErr == ERROR_SHARING_VIOLATION || dwErr == ERROR_LOCK_VIOLATION ? VIF_SHARINGVIOLATION
                                                                                       : VIF_WRITEPROT;
        }
        hTest.fnClose();
    }
    dwBits = fnCopyOver(szSrc, szDst, pszDstDir, &facts);
    if (dwBits) {
        TRACE("fnCopyFileAsIs Error", "lpszSource=%s,\nlpszTarget=%s,\ndwBits=%lu", szSrc, szDst, dwBits);
        return dwBits == VIF_OUTOFSPACE || dwBits == VIF_SHARINGVIOLATION ? dwBits : VIF_ACCESSVIOLATION;
    }
    return fnFinishTarget(szDst, &facts, bKeepAttrib);
}

DWORD fnAppendToFile(const char *pszReadFile, const char *pszAppendFile)
{
    CGlobalBlock block;
    char *pbBuffer = block.fnAlloc(kcbAppendBlock);
    if (!pbBuffer)
        return VIF_OUTOFMEMORY;
    FILETIME ft;
    CFileHandle hRead(CreateFileA(pszReadFile, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hRead.IsValid() || !GetFileTime(hRead.Get(), NULL, NULL, &ft))
        return VIF_CANNOTREADSRC;
    CFileHandle hWrite(CreateFileA(pszAppendFile, GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hWrite.IsValid())
        return VIF_ACCESSVIOLATION;
    LARGE_INTEGER liZero = {};
    if (!SetFilePointerEx(hWrite.Get(), liZero, NULL, FILE_END))
        return VIF_ACCESSVIOLATION;
    for (;;) {
        DWORD cbRead = 0;
        if (!ReadFile(hRead.Get(), pbBuffer, kcbAppendBlock, &cbRead, NULL))
            return VIF_CANNOTREADSRC;
        if (cbRead == 0)
            break;
        DWORD cbWritten = 0;
        if (!WriteFile(hWrite.Get(), pbBuffer, cbRead, &cbWritten, NULL) || cbWritten != cbRead)
            return VIF_ACCESSVIOLATION;
    }
    SetFileTime(hWrite.Get(), NULL, NULL, &ft);
    return hWrite.fnClose() ? 0 : VIF_ACCESSVIOLATION;
}

// Deletes a temporary file; 1 gone.
static int fnRemoveTemp(const char *pszTemp)
{
    SetFileAttributesA(pszTemp, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(pszTemp) || GetFileAttributesA(pszTemp) == INVALID_FILE_ATTRIBUTES;
}

// Result bits of a version comparison that stops the copy; 0 goes on.
static DWORD fnBitsOfComparison(int iCmp)
{
    switch (iCmp) {
    case 3: return VIF_TEMPFILE | VIF_CANNOTREADSRC;
    case 4: return VIF_TEMPFILE | VIF_CANNOTREADDST;
    case 5:
    case 6: return VIF_TEMPFILE | VIF_MISMATCH;
    case 7: return VIF_TEMPFILE | VIF_MISMATCH | VIF_SRCOLD;
    case 8:
    case 9: return VIF_TEMPFILE | VIF_MISMATCH | VIF_DIFFTYPE;
    case 10: return VIF_TEMPFILE | VIF_MISMATCH | VIF_DIFFLANG;
    default: return 0;
    }
}

DWORD fnVerInstallFile(DWORD dwFlags, const char *pszSrcName, const char *pszDstName, const char *pszSrcDir,
                       const char *pszDstDir, const char *pszCurDir, char *pszTempFile, size_t cchTempFile,
                       unsigned uInstallMode, BOOL bKeepAttrib)
{
    if (cchTempFile)
        pszTempFile[0] = '\0';
    char szSrc[kcchPath], szDst[kcchPath], szOld[kcchPath] = "";
    if (!fnPathJoin(szSrc, COUNTOF(szSrc), pszSrcDir, pszSrcName) || GetFileAttributesA(szSrc) == INVALID_FILE_ATTRIBUTES)
        return VIF_CANNOTREADSRC;
    if (!fnPathJoin(szDst, COUNTOF(szDst), pszDstDir, pszDstName))
        return VIF_CANNOTCREATE;
    if (pszCurDir && pszCurDir[0] && !fnTextEqualI(pszCurDir, pszDstDir))
        fnPathJoin(szOld, COUNTOF(szOld), pszCurDir, pszDstName);
    FILETIME ftSrc;
    if (!fnGetFileTime(szSrc, &ftSrc))
        return VIF_CANNOTREADSRC;
    DWORD dwSrcAttrib = GetFileAttributesA(szSrc);

    int bDstExists = GetFileAttributesA(szDst) != INVALID_FILE_ATTRIBUTES;
    int bCompare = uInstallMode >= kInstallS && uInstallMode <= kInstallM && bDstExists;
    if ((dwFlags & VIFF_FORCEINSTALL) || !bCompare) {
        if ((dwFlags & VIFF_FORCEINSTALL) && bDstExists && !SetFileAttributesA(szDst, FILE_ATTRIBUTE_NORMAL))
            return VIF_FILEINUSE;
        return fnExpandCopyFile(pszSrcDir, pszSrcName, pszDstDir, pszDstName, bKeepAttrib);
    }

    if ((uInstallMode == kInstallV || uInstallMode == kInstallT) && fnCmpFileVersionInfo(szSrc, szDst) == 0)
        return 0;
    char szTemp[kcchPath];
    if (!GetTempFileNameA(pszDstDir, "_VS", 0, szTemp))
        return VIF_CANNOTCREATE;
    fnCopyText(pszTempFile, cchTempFile, szTemp);
    char szTempDir[kcchPath], szTempName[kcchPath];
    fnPathSplit(szTemp, szTempDir, COUNTOF(szTempDir), szTempName, COUNTOF(szTempName));
    DWORD dwBits = fnExpandCopyFile(pszSrcDir, pszSrcName, szTempDir, szTempName, FALSE);
    if (dwBits) {
        fnRemoveTemp(szTemp);
        pszTempFile[0] = '\0';
        return dwBits | VIF_CANNOTCREATE;
    }

    int iCmp = fnCmpFileVersionInfo(szTemp, szDst);
    TRACE("fnVerInstallFile", "fnCmpFileVersion\nszTempFile=%s,\nszDestFile=%s,\niResult=%d", szTemp, szDst, iCmp);
    if ((uInstallMode == kInstallT || uInstallMode == kInstallM) && iCmp == 1) {
        FILETIME ftDst;
        if (fnGetFileTime(szDst, &ftDst) && CompareFileTime(&ftSrc, &ftDst) < 0)
            return VIF_TEMPFILE | VIF_MISMATCH | VIF_SRCOLD;
    } else if (iCmp == 0) {
        if (!fnRemoveTemp(szTemp))
            return VIF_TEMPFILE | VIF_CANNOTDELETE;
        pszTempFile[0] = '\0';
        return 0;
    } else if (DWORD dwStop = fnBitsOfComparison(iCmp)) {
        return dwStop;
    }

    // The complete new file replaces the destination in one rename.
    SetFileAttributesA(szDst, FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExA(szTemp, szDst, MOVEFILE_REPLACE_EXISTING)) {
        DWORD dwErr = GetLastError();
        TRACE("fnCopyFile", "fnCopyFile dwError=%lu,\nszTempFile=%s,\nszDestFile=%s", dwErr, szTemp, szDst);
        switch (dwErr) {
        case ERROR_ACCESS_DENIED: return VIF_TEMPFILE | VIF_ACCESSVIOLATION;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return VIF_TEMPFILE | VIF_OUTOFMEMORY;
        case ERROR_WRITE_PROTECT: return VIF_TEMPFILE | VIF_WRITEPROT;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return VIF_TEMPFILE | VIF_SHARINGVIOLATION;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return VIF_TEMPFILE | VIF_OUTOFSPACE;
        default: return VIF_TEMPFILE | VIF_CANNOTCREATE;
        }
    }
    pszTempFile[0] = '\0';
    fnSetFileTime(szDst, &ftSrc);
    if (bKeepAttrib && dwSrcAttrib != INVALID_FILE_ATTRIBUTES &&
        !SetFileAttributesA(szDst, (dwSrcAttrib & ~FILE_ATTRIBUTE_DIRECTORY) ? dwSrcAttrib & ~FILE_ATTRIBUTE_DIRECTORY
                                                                            : FILE_ATTRIBUTE_NORMAL))
        return VIF_ACCESSVIOLATION;
    if (!(dwFlags & VIFF_DONTDELETEOLD) && szOld[0] && GetFileAttributesA(szOld) != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesA(szOld, FILE_ATTRIBUTE_NORMAL);
        fnDeleteFile(szOld);
    }
    return 0;
}

DWORD fnCopyToNewFile(const char *pszSrc, const char *pszTarget, BOOL bKeepAttrib, BOOL bExpand)
{
    char *pbBuffer = fnCopyBuffer();
    if (!pbBuffer)
        return ERROR_NOT_ENOUGH_MEMORY;
    if (fnIsRemovable(pszSrc) || fnIsRemovable(pszTarget))
        return ERROR_NOT_SUPPORTED;  // the disk prompts belong to the full copy
    char szNtTarget[kcchPath + 8];
    if (!fnNtPathOf(pszTarget, szNtTarget, COUNTOF(szNtTarget), fnCharNext))
        return ERROR_NOT_SUPPORTED;  // a name the rename by handle cannot take as written
    // The open source answers its attributes, time and size itself.
    CFileHandle hSrc(CreateFileA(pszSrc, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, NULL));
    FILE_BASIC_INFO basic;
    LARGE_INTEGER liSize;
    if (!hSrc.IsValid() || !GetFileInformationByHandleEx(hSrc.Get(), FileBasicInfo, &basic, sizeof(basic)) ||
        !GetFileSizeEx(hSrc.Get(), &liSize)) {
        DWORD dwErr = GetLastError();  // ERROR_PATH_NOT_FOUND is kept for the target's missing folder
        return dwErr && dwErr != ERROR_PATH_NOT_FOUND ? dwErr : ERROR_FILE_NOT_FOUND;
    }
    if (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return ERROR_NOT_SUPPORTED;
    DWORD cbFirst = 0;
    if (!ReadFile(hSrc.Get(), pbBuffer, kcbCopyBlock, &cbFirst, NULL))
        return GetLastError();
    if (bExpand && cbFirst >= 8 && memcmp(pbBuffer, "SZDD\x88\xF0\x27\x33", 8) == 0)
        return ERROR_NOT_SUPPORTED;  // compressed: expanded by the full copy
    if (!fnHasRoomFor(pszTarget, (ULONGLONG)liSize.QuadPart))
        return ERROR_DISK_FULL;
    // An existing target is found by the rename, which never replaces it; a
    // file larger than the first read is looked for first, so that an update
    // does not copy it twice. A look for a missing name is a search of the
    // whole folder, as long as copying a small file.
    if ((ULONGLONG)liSize.QuadPart > cbFirst && GetFileAttributesA(pszTarget) != INVALID_FILE_ATTRIBUTES)
        return ERROR_FILE_EXISTS;
    // The content is completed in a temporary beside the target, which then
    // takes the target's name (never over a file that appeared meanwhile).
    char szDir[kcchPath], szName[kcchPath], szTemp[kcchPath];
    fnPathSplit(pszTarget, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
    CFileHandle hDst(fnCreateTempIn(szDir, szTemp, COUNTOF(szTemp)));
    if (!hDst.IsValid()) {
        DWORD dwErr = fnLastErrorOr(ERROR_PATH_NOT_FOUND);
        return dwErr == ERROR_DIRECTORY ? ERROR_PATH_NOT_FOUND : dwErr;  // the folder is missing
    }
    DWORD dwErr = fnStreamRest(hSrc.Get(), hDst.Get(), pbBuffer, cbFirst);
    // The time, then read-only and the rest, once the content is in.
    DWORD dwAttrib = fnTargetAttributes(basic.FileAttributes, bKeepAttrib);
    if (!dwErr) {
        FILE_BASIC_INFO set;
        memset(&set, 0, sizeof(set));
        set.LastWriteTime = basic.LastWriteTime;
        set.FileAttributes = dwAttrib == FILE_ATTRIBUTE_NORMAL ? 0 : dwAttrib;  // 0: as created
        if (!SetFileInformationByHandle(hDst.Get(), FileBasicInfo, &set, sizeof(set)))
            dwErr = fnLastErrorOr(ERROR_ACCESS_DENIED);
    }
    if (!dwErr)
        dwErr = fnRenameOpenFile(hDst.Get(), szNtTarget);
    if (!hDst.fnClose() && !dwErr)
        dwErr = fnLastErrorOr(ERROR_WRITE_FAULT);  // the target may stand: the full copy then finds it
    if (dwErr) {
        // The temporary was made here and holds nothing of the user's.
        SetFileAttributesA(szTemp, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(szTemp);
        TRACE("fnCopyToNewFile", "dwError=%lu,\nlpszSource=%s,\nlpszTarget=%s", dwErr, pszSrc, pszTarget);
    }
    return dwErr;
}
