// Copy-files sections: "[Files]"/"[CopyFiles]" install the files they list,
// "[MakeDisks]"/"[CopyFilesToDisks]" copy them onto a series of target disks.
#ifndef SETUP32_FILES_COPY_SECTION_H
#define SETUP32_FILES_COPY_SECTION_H

#include <windows.h>

#include "files/install_record.h"

struct UserInputStruct;

// Where the entry reader stands: reading entry N after entry N - 1 reads one
// line, so walking a section costs one pass.
struct LineCursorStruct {
    const char *pszFirst;  // first entry line
    const char *pszPos;    // after entry uLine - 1
    unsigned uLine;        // next entry number (from 1)
};

// Header lines of a copy section, read before its entries.
struct CopyHeaderStruct {
    unsigned uTotalFiles;
    int bTotalGiven;
    int bQuiet;
    char szDirsSection[kcchShort];
    char szDisksSection[kcchShort];
};

int fnCopyFilesSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                       const char *pszRest);  // section handler of all four headers: 1 done, 0 failed (message shown)
int fnCopyFiles(HWND hwndMain, HWND hwndStatus, const char *pszSection, const char *pszHeader, const char *pszRest);  // install mode: 1 done, 0 stopped
int fnInfCopyFilesToDisks(HWND hwndMain, HWND hwndStatus, const char *pszSection, const char *pszHeader,
                          const char *pszRest);  // to-disks mode: 1 done, 0 stopped
int fnReadCopyFiles(HWND hwndMain, LineCursorStruct *pCursor, unsigned uLineNum, IFStruct *pIF, unsigned *puTest);  // 1 read, 2 no such line, 0 line error
int fnReadCopyFilesToDisks(HWND hwndMain, LineCursorStruct *pCursor, unsigned uLineNum, IFStruct *pIF,
                           DWORD *pdwDiskSpaceNeeded, BOOL *pbSwitchDisk, unsigned *puTest);  // 1 read, 2 no such line, 0 line error

// Shared by both modes.
const char *fnBeginCopySection(IFStruct *pIF, HWND hwndStatus, const char *pszSection, CopyHeaderStruct *pHeader,
                               unsigned *puMaxLines);  // clears the record, reads the header: first entry line or NULL
enum { kEntryFailed = 0, kEntryEndSection = 1, kEntryGoOn = 2 };
int fnEntryReadOutcome(int iRead, unsigned uTest, unsigned uLineNum, const char *pszHeader);  // kEntry*; a line error is reported
void fnSetUpCopyMeter(IFStruct *pIF, const CopyHeaderStruct *pHeader, unsigned uMaxFiles);  // meter range, or no status window when quiet
const char *fnReadCopyHeader(const char *pszSection, CopyHeaderStruct *pHeader, unsigned *puMaxLines);  // first entry line, NULL when the section holds none
int fnCursorLine(LineCursorStruct *pCursor, unsigned uLine, char *pszLine, size_t cchLine);  // 1 line uLine copied, 0 none
const char *fnFindScriptSection(const char *pszHeader, const char *pszSection, const char *pszRest);  // body of a section anywhere in the script, or NULL
void fnLookUpDiskLabel(IFStruct *pIF, const char *pszDisksSection, const char *pszSection, const char *pszRest);  // szDiskLabel from the disks section
int fnTakeNames(IFStruct *pIF, const char *pszSource, const char *pszDest, int (*pfnAsWritten)(const char *));  // source and target fields of an entry, the same in both modes; 0 after a message for a name no file can have
void fnSplitSource(IFStruct *pIF, const char *pszSource);  // szSrcFilePath ("." without one) and szSrcFileName
void fnCompleteSourceDir(IFStruct *pIF);  // "." and relative source directories are taken from g_szSourceDir
unsigned fnCountEntries(const LineCursorStruct *pCursor, unsigned uMaxLines);  // files the entries name, wildcards counted on disk
int fnInstallOneEntry(HWND hwndMain, IFStruct *pIF);  // wildcard or single entry; 1 go on, 0 stop the section

#endif
