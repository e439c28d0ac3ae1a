// The record of one file entry (IFStruct) and the modes it carries, shared
// by the copy, move and version sections and the one-file installation.
#ifndef SETUP32_FILES_INSTALL_RECORD_H
#define SETUP32_FILES_INSTALL_RECORD_H

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

#endif
