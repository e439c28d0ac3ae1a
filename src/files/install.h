// Installing one file: finding the current copy, backups, the copy through a
// "_VS" temporary file with version checks and SZDD expansion, replacement of
// files in use at the next restart and the question for a missing source.
#ifndef SETUP32_FILES_INSTALL_H
#define SETUP32_FILES_INSTALL_H

#include <windows.h>

#include "files/install_record.h"

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

int fnInstallFileVer(HWND hwndMain, IFStruct *pIF);  // kIFV*: 0 installed, 1 passed over, 2 stop the section
int fnFindFileInfoVer(HWND hwndMain, IFStruct *pIF);  // decision code kDec*
int fnInstallFile(HWND hwndMain, DWORD dwFlags, IFStruct *pIF, char *pszTempFile, size_t cchTempFile);  // kIF*
void fnDropBackup(IFStruct *pIF);  // deletes the backup of a file that was not replaced
int fnAskForSourceDisk(HWND hwndMain, IFStruct *pIF);  // kAsk*; on retry szSrcFilePath/szSrcFileName hold the new place

#endif
