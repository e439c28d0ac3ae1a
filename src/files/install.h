// Installing one file: finding the current copy, backups, the copy through a
// "_VS" temporary file with version checks and SZDD expansion, replacement of
// files in use at the next restart, wildcard and directory walks, and the
// small file operations the other file sections share.
#ifndef SETUP32_FILES_INSTALL_H
#define SETUP32_FILES_INSTALL_H

#include <windows.h>

#include "run/run_state.h"

// uInstallMode
enum {
    kInstallNormal = 100, kInstallS = 101, kInstallV = 102, kInstallT = 103, kInstallM = 104,
    kInstallAsIs = 105, kInstallR = 108, kInstallKeepAttrib = 109,
};
// uInUseAction
enum { kInUseAsk = 100, kInUseClose = 101, kInUseRestart = 102, kInUseSkip = 103 };
// uVerAction
enum { kVerActAsk = 100, kVerActStop = 101, kVerActInstall = 102, kVerActKeep = 103 };
// uCopyMode
enum {
    kCopyNormal = 100, kCopyD = 101, kCopyR = 102, kCopySkipMismatch = 103, kCopyV = 104, kCopyForce = 105,
    kCopyClean = 106, kCopyPrompt = 107, kCopyQuery = 108, kCopyWinDir = 109, kCopyJoin = 110,
};
// uBackupMode
enum {
    kBackupOverwrite = 100, kBackupCopy = 101, kBackupUnique = 102, kBackupSkip = 103, kBackupAsk = 104,
    kBackupKeep = 105,
};
// uJoinPart
enum { kJoinNone = 100, kJoinMiddle = 101, kJoinFirst = 102, kJoinLast = 103 };

// Decision codes of fnFindFileInfoVer.
enum {
    kDecInstall = 0,          // install into szSuggestDstDir, delete an old copy elsewhere
    kDecStop = 11,
    kDecSkip = 12,
    kDecReplaceInPlace = 13,  // replace the copy where it is
    kDecKeepOld = 14,         // install, keep the old copy
    kDecBufTooSmall = 15,
    kDecWinDir = 16,
    kDecInstallDst = 17,      // install into szDstDir, keep the old copy
    kDecInUse = 18,           // replace at restart
};

// Results of fnInstallFile.
enum { kIFInstalled = 0, kIFStop = 11, kIFSkipped = 12, kIFNoSource = 13, kIFInUse = 14 };

// Results of fnInstallFileVer.
enum { kIFVInstalled = 0, kIFVPassed = 1, kIFVStop = 2 };

// Results of fnAskForSourceDisk.
enum { kAskSkip = 1, kAskStop = 2, kAskRetry = 3 };

enum { kcchDiskId = 8, kcchFileSpec = 520 };

struct IFStruct {
    HWND hStatusDlg;          // status window; NULL when quiet
    unsigned uFileNum;        // progress position
    unsigned uInstallMode;
    unsigned uInUseAction;
    unsigned uVerAction;
    unsigned uCopyMode;
    unsigned uJoinCopyMode;   // copy mode of the joined file
    unsigned uMoveMode;
    unsigned uAttribMode;
    unsigned uBackupMode;
    BOOL bKeepAttrib;
    BOOL bDiskPrompt;         // a missing source may be asked for
    unsigned uJoinPart;
    unsigned uWaitTime;
    BOOL bRecurse;
    BOOL bSectionQuiet;
    char szDiskId[kcchDiskId];
    char szCurDir[kcchPath];
    char szDstDir[kcchPath];
    char szDstFileName[kcchPath];
    char szSrcFilePath[kcchPath];
    char szSrcFileName[kcchPath];
    char szSrcFileSpec[kcchFileSpec];
    char szDstFileSpec[kcchFileSpec];
    char szBackupFile[kcchPath];
    char szWildFileName[kcchPath];
    char szSuggestDstDir[kcchPath];
    char szDescription[kcchShort];
    char szDiskLabel[kcchShort];
};

// Dialogs of one-file installation; each returns the id of the button pressed.
struct InsertDiskStruct {
    char szLabel[kcchShort];   // disk label shown
    char szFile[kcchPath];     // in/out: source file name
    char szPath[kcchPath];     // in/out: source directory
};
HWND fnCreateCopyStatus(HWND hwndOwner);  // modeless status window with meter and Cancel, shown and cleared; NULL on failure
int fnShowInsertDiskDialog(HWND hwndOwner, InsertDiskStruct *pDisk);  // IDOK (pDisk filled), IDC_DISK_SKIP or IDC_DISK_EXIT (confirmed)
int fnShowInUseDialog(HWND hwndOwner, const char *pszFile);  // IDC_INUSE_RETRY, _RESTART, _SKIP or _EXIT
int fnShowExistsDialog(HWND hwndOwner, const char *pszName, const char *pszDir);  // IDC_EXISTS_*
int fnShowElsewhereDialog(HWND hwndOwner, const char *pszName, const char *pszDir, const char *pszCurDir);  // IDC_ELSEWHERE_*
int fnShowVersionDialog(HWND hwndOwner, DWORD dwBits, const char *pszExisting, const char *pszNew);  // IDC_CONFLICT_INSTALL, _KEEP or _EXIT (confirmed)
int fnVersionRows(const char *pszFile, char *pszRows, size_t cchRows);  // the version list rows, "label\tvalue" lines joined by "\n"; count

// Status window (dialog 4) texts and meter; every call is a no-op for a NULL window.
void fnSetStatusText(HWND hStatusDlg, int iId, UINT uFormatId, const char *pszArg);  // text iId = string uFormatId filled with pszArg (0: pszArg as it is)
void fnSetProgressPos(HWND hStatusDlg, unsigned uPos);
void fnSetProgressRange(HWND hStatusDlg, unsigned uRange);
int fnCancelPressed(HWND hStatusDlg);  // 1 the user confirmed Cancel (the button is disabled)

int fnInstallFileVer(HWND hwndMain, IFStruct *pIF);  // kIFV*: 0 installed, 1 passed over, 2 stop the section
int fnFindFileInfoVer(HWND hwndMain, IFStruct *pIF);  // decision code kDec*
int fnInstallFile(HWND hwndMain, DWORD dwFlags, IFStruct *pIF, char *pszTempFile, size_t cchTempFile);  // kIF*
void fnDropBackup(IFStruct *pIF);  // deletes the backup of a file that was not replaced
int fnAskForSourceDisk(HWND hwndMain, IFStruct *pIF);  // kAsk*; on retry szSrcFilePath/szSrcFileName hold the new place
int fnWildInstallFiles(HWND hwndMain, IFStruct *pIF);  // 0 stopped, 1 done, 2 no subdirectory to walk
int fnWildInstallDirectory(HWND hwndMain, IFStruct *pIF);  // nonzero on success

// Copy steps: VIF_* result bits, 0 on success.
DWORD fnVerInstallFile(DWORD dwFlags, const char *pszSrcName, const char *pszDstName, const char *pszSrcDir,
                       const char *pszDstDir, const char *pszCurDir, char *pszTempFile, size_t cchTempFile,
                       unsigned uInstallMode, BOOL bKeepAttrib);
DWORD fnCopyFileAsIs(const char *pszSrcDir, const char *pszSrcName, const char *pszDstDir, const char *pszDstName,
                     BOOL bKeepAttrib);
DWORD fnExpandCopyFile(const char *pszSrcDir, const char *pszSrcName, const char *pszDstDir, const char *pszDstName,
                       BOOL bKeepAttrib);
DWORD fnAppendToFile(const char *pszReadFile, const char *pszAppendFile);  // appends a whole file to another; VIF_* bits
// Copies into a target that does not exist yet, creating it new (never over
// an existing file), with the source's write time and the attributes a copy
// gets; a failed copy leaves no target. 0 copied, else the Win32 error:
// ERROR_FILE_EXISTS when the target is there, ERROR_PATH_NOT_FOUND when its
// folder is missing, ERROR_NOT_SUPPORTED for what
// only the full copy handles (an SZDD source with bExpand, removable disks).
DWORD fnCopyToNewFile(const char *pszSrc, const char *pszTarget, BOOL bKeepAttrib, BOOL bExpand);

int fnReplaceFileInUse(const char *pszNewFile, const char *pszTarget);  // nonzero: the move (or delete for "NUL") is scheduled for the restart
int fnCopyFile(const char *pszFrom, const char *pszTo, BOOL bFailIfExists, BOOL bKeepTime);  // nonzero on success
int fnDeleteFile(const char *pszFile);  // 1 deleted (a read-only file too), 0 absent or refused
int fnGetFileTime(const char *pszFile, FILETIME *pft);  // 1 with the last-write time
int fnSetFileTime(const char *pszFile, const FILETIME *pft);  // 1 set (a read-only file is opened after clearing it)
int fnCloseProgramUsing(HWND hwndMain, const char *pszFile);  // 1 the program holding the file was closed; 0 could not close
int fnAddWininitRename(const char *pszWininit, const char *pszNewFile, const char *pszTarget);  // appends "target=new" (short names) under "[rename]"; 1 written

#endif
