// Directories, drives and disk space: directories and whole trees, the drive
// test, free space and folder sizes, the directory-list sections
// ([MakeDirs], [DestSubDirs]) and the destination check.
#ifndef SETUP32_FILES_DIRS_H
#define SETUP32_FILES_DIRS_H

#include <windows.h>

#include <stddef.h>

struct UserInputStruct;

enum { kuMaxDirLines = 64 };  // lines of a directories section that are read

// fnInfGetDir results
enum { kGetDirNone = 0, kGetDirRead = 1, kGetDirPassed = 4 };

int fnCreateDir(const char *pszDir, BOOL bLog);      // 1 the directory exists afterwards (logged "%s,  D" only when made here)
int fnCreateDirTree(const char *pszPath, BOOL bLog); // 1 every level exists afterwards; only the whole path is logged
int fnIsDriveAvailable(HWND hwnd, const char *pszPath, BOOL bEnterAnother);  // 1 available; 0 after message 1071 (bEnterAnother) or 1072
int fnCreateDirTreeMsg(HWND hwnd, const char *pszPath, BOOL bLog);  // tree creation; failure reported (1054 or the drive message); 1 made
DWORD fnGetDiskSpace(const char *pszPath);           // free bytes for the caller on the path's drive, capped at 4294967295
int fnGetDiskSpaceInfo(const char *pszPath, ULONGLONG *pullFree, ULONGLONG *pullAvail, ULONGLONG *pullTotal,
                       ULONGLONG *pullUsed);         // 1 measured (any out may be NULL), 0 the drive did not answer
void fnGetFolderSize(const char *pszDir, ULONGLONG *pullSize);  // used bytes of a bare drive, else the files below the directory
void fnCalcFolderSize(const char *pszDir, ULONGLONG *pullTotal);  // adds the files below pszDir (reparse points left out)

// Directory list of a section: 1 done, 2 failed or cancelled (Cancel of hwndStatus disabled).
int fnCreateDirectories(HWND hwndMain, HWND hwndStatus, const char *pszLines, const char *pszHeader, unsigned uLines,
                        unsigned uOffset, BOOL bStatus, BOOL bLog);
int fnInfGetDir(const char *pszLines, unsigned uLine, char *pszDir, size_t cchDir);  // kGetDir*: line uLine (from 1) of the list
int fnInfMakeDirs(HWND hwndMain, const char *pszScript, const char *pszScript2, const char *pszHeader);  // 1 made (or no section), 0 failed
int fnMakeDirsSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                      const char *pszRest);          // [MakeDirs], [DestSubDirs] handler: 1 or 0

int fnCheckWinDriveSpace(DWORD dwNeeded);  // 1 the Windows drive has dwNeeded free bytes (or OK to message 1052), 0 Cancel
// Destination check after the user chose pInput->szDestPath: space on the
// destination and the Windows drive, then the directories section
// (pInput->szDirSection, looked up in pszScript). 1 go on, 0 stop, 5 cancelled.
int fnTestDestDir(HWND hwndMain, UserInputStruct *pInput, const char *pszScript);
int fnShowDestDirDialog(HWND hwndParent, UserInputStruct *pInput);  // dialog 3: IDOK (szDestPath replaced) or IDCANCEL

#endif
