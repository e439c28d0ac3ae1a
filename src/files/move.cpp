#include "files/move.h"
#include "base/path.h"

#include <commdlg.h>

#include "expand/expand.h"
#include "files/copy_section.h"
#include "files/dirs.h"
#include "files/dirs_text.h"
#include "base/unique.h"
#include "files/version_sections.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/input.h"
#include "script/lines.h"
#include "resource.h"

enum { kuMaxMoveLines = 9000 };

// What the in-use handling decided about a failed step.
enum { kStepRetry = -1, kStepStop = 0, kStepDone = 1 };

int fnRename(const char *pszFrom, const char *pszTo)
{
    TRACE("fnRename", "lpszFrom=%s,\nlpszTo=%s", pszFrom, pszTo);
    if (g_bWinNT)
        return MoveFileExA(pszFrom, pszTo, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) ? 1 : 0;
    // Without replace-on-move the target goes first; it is kept when the
    // source cannot be moved at all.
    if (GetFileAttributesA(pszFrom) == INVALID_FILE_ATTRIBUTES)
        return 0;
    if (GetFileAttributesA(pszTo) != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesA(pszTo, FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(pszTo))
            return 0;
    }
    return MoveFileA(pszFrom, pszTo) ? 1 : 0;
}

static int fnFileThere(const char *pszPath)
{
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}

static int fnIsDirectoryPath(const char *pszPath)
{
    DWORD dwAttrib = GetFileAttributesA(pszPath);
    return dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_DIRECTORY);
}

static void fnWaitPumping(unsigned uMs)
{
    DWORD dwStart = GetTickCount();
    while (GetTickCount() - dwStart < uMs) {
        fnPumpMessages();
        Sleep(uMs - (GetTickCount() - dwStart) > 50 ? 50 : 10);
    }
}

// Schedules the failed step for the restart. A copy is first made beside the
// target under a free name, so the source stays where it is.
static int fnScheduleAtRestart(const char *pszFrom, const char *pszTo, BOOL bCopy)
{
    char szStaged[kcchPath];
    const char *pszNew = pszFrom;
    if (bCopy) {
        char szDir[kcchPath], szName[kcchPath];
        fnPathSplit(pszTo, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
        if (!fnUniqueFileName(szDir, szName, szStaged, COUNTOF(szStaged)) || !CopyFileA(pszFrom, szStaged, TRUE))
            return 0;
        SetFileAttributesA(szStaged, FILE_ATTRIBUTE_NORMAL);
        pszNew = szStaged;
    }
    if (!fnReplaceFileInUse(pszNew, pszTo)) {
        if (bCopy)
            DeleteFileA(szStaged);
        return 0;
    }
    g_uOnExit = 4;
    return 1;
}

// In-use handling after a failed step that moves pszFrom to pszTo ("NUL" for
// deletes); pszFile is the file shown to the user and closed.
static int fnMoveStepFailed(HWND hwndMain, IFStruct *pIF, DWORD dwErr, const char *pszFile, const char *pszFrom,
                            const char *pszTo, BOOL bCopy, BOOL *pbClosedOnce)
{
    int iInUse = fnTestInUse(hwndMain, pIF->uInUseAction == kMoveInUseAsk, dwErr, pszFile);
    switch (iInUse) {
    case kNotInUse:
        return kStepDone;
    case kInUseTryAgain:
        return kStepRetry;
    case kInUseSkipFile:
        return kStepDone;
    case kInUseExit:
        return kStepStop;
    case kInUseNotAsked:
        if (pIF->uInUseAction == kMoveInUseSkip)
            return kStepDone;
        if (pIF->uInUseAction == kMoveInUseClose && !*pbClosedOnce) {
            *pbClosedOnce = TRUE;
            if (fnCloseProgramUsing(hwndMain, pszFile))
                return kStepRetry;
        }
        break;
    default:
        break;
    }
    fnScheduleAtRestart(pszFrom, pszTo, bCopy);
    return kStepDone;
}

static void fnMoveStatus(IFStruct *pIF, const char *pszTitle, const char *pszAction, const char *pszLine3,
                         const char *pszLine4Format, const char *pszLine4Arg)
{
    if (!pIF->hStatusDlg || pIF->bSectionQuiet)
        return;
    fnSetStatusText(pIF->hStatusDlg, 103, 0, pszTitle);
    fnSetStatusText(pIF->hStatusDlg, 104, 0, pszAction);
    fnSetStatusText(pIF->hStatusDlg, 105, 0, pszLine3);
    char szLine4[kcchLine];
    fnFormatText(szLine4, COUNTOF(szLine4), pszLine4Format, pszLine4Arg);
    fnSetStatusText(pIF->hStatusDlg, 106, 0, szLine4);
}

// The standard file-open dialog for the destination: 1 replaced, 0 kept.
static int fnAskMoveDestination(HWND hwndMain, IFStruct *pIF)
{
    char szPrompt[kcchShort];
    if (pIF->uMoveMode == kMoveMove || pIF->uMoveMode == kMoveAsk) {
        if (strlen(pIF->szSrcFileSpec) > 118)
            fnCopyText(szPrompt, COUNTOF(szPrompt), "Move file to");
        else
            fnFormatText(szPrompt, COUNTOF(szPrompt), "Move %s to", pIF->szSrcFileSpec);
    } else if (pIF->uMoveMode == kMoveCopy || pIF->uMoveMode == kMoveCopyOver) {
        fnFormatText(szPrompt, COUNTOF(szPrompt), "Copy %s to", pIF->szSrcFileName);
    } else if (pIF->uMoveMode == kMoveRename) {
        fnFormatText(szPrompt, COUNTOF(szPrompt), "Rename %s to", pIF->szSrcFileName);
    } else {
        fnCopyText(szPrompt, COUNTOF(szPrompt), "Specify destination");
    }
    char szFile[kcchPath];
    fnCopyText(szFile, COUNTOF(szFile), pIF->szDstFileName);
    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof(ofn));
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hwndMain;
    ofn.lpstrFilter = "All Files\0*.*\0";
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = COUNTOF(szFile);
    ofn.lpstrInitialDir = pIF->szDstDir;
    ofn.lpstrTitle = szPrompt;
    ofn.Flags = OFN_LONGNAMES | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&ofn))
        return 0;
    fnCopyText(pIF->szDstFileSpec, COUNTOF(pIF->szDstFileSpec), szFile);
    fnPathSplit(szFile, pIF->szDstDir, COUNTOF(pIF->szDstDir), pIF->szDstFileName, COUNTOF(pIF->szDstFileName));
    return 1;
}

static int fnDeleteStep(HWND hwndMain, IFStruct *pIF)
{
    TRACE("fnProcessMoveFile - DELETE", "lpIFStruct->szSrcFileSpec=%s", pIF->szSrcFileSpec);
    BOOL bClosed = FALSE;
    for (;;) {
        SetFileAttributesA(pIF->szSrcFileSpec, FILE_ATTRIBUTE_NORMAL);
        BOOL bDir = fnIsDirectoryPath(pIF->szSrcFileSpec);
        if (bDir ? RemoveDirectoryA(pIF->szSrcFileSpec) : DeleteFileA(pIF->szSrcFileSpec)) {
            fnLogLine("%s,  D", 1, pIF->szSrcFileSpec);
            return 1;
        }
        int iStep = fnMoveStepFailed(hwndMain, pIF, GetLastError(), pIF->szSrcFileSpec, pIF->szSrcFileSpec, "NUL", FALSE,
                                     &bClosed);
        if (iStep != kStepRetry)
            return iStep;
    }
}

// Gives the target the kept attributes, or normal ones: 1 done.
static int fnSetMovedAttributes(const char *pszTarget, unsigned uAttribMode, DWORD dwSourceAttrib)
{
    DWORD dwAttrib = uAttribMode == kAttribKeep ? dwSourceAttrib : FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesA(pszTarget, dwAttrib ? dwAttrib : FILE_ATTRIBUTE_NORMAL) ? 1 : 0;
}

static int fnRenameStep(HWND hwndMain, IFStruct *pIF, BOOL bAsked, DWORD dwSourceAttrib)
{
    TRACE("fnProcessMoveFile - RENAME", "lpIFStruct->szSrcFileSpec=%s,\nlpIFStruct->szDstFileSpec=%s",
          pIF->szSrcFileSpec, pIF->szDstFileSpec);
    BOOL bClosed = FALSE;
    for (;;) {
        SetFileAttributesA(pIF->szSrcFileSpec, FILE_ATTRIBUTE_NORMAL);
        if (bAsked && fnFileThere(pIF->szDstFileSpec)) {
            if (fnMsgBox(IDS_MOVE_EXISTS_AGAIN, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL, pIF->szDstFileSpec) ==
                    IDYES &&
                fnAskMoveDestination(hwndMain, pIF))
                continue;
        }
        if (fnRename(pIF->szSrcFileSpec, pIF->szDstFileSpec)) {
            if (!fnSetMovedAttributes(pIF->szDstFileSpec, pIF->uAttribMode, dwSourceAttrib))
                return 0;
            fnLogLine("%s, %s, R", 1, pIF->szSrcFileSpec, pIF->szDstFileSpec);
            return 1;
        }
        int iStep = fnMoveStepFailed(hwndMain, pIF, GetLastError(), pIF->szSrcFileSpec, pIF->szSrcFileSpec,
                                     pIF->szDstFileSpec, FALSE, &bClosed);
        if (iStep != kStepRetry)
            return iStep;
    }
}

static int fnCopyStep(HWND hwndMain, IFStruct *pIF, DWORD dwSourceAttrib)
{
    TRACE("fnProcessMoveFile - COPY",
          "lpIFStruct->szSrcFileSpec=%s,\nlpIFStruct->szDstFileSpec=%s,\nlpIFStruct->uMoveMode=%u", pIF->szSrcFileSpec,
          pIF->szDstFileSpec, pIF->uMoveMode);
    BOOL bMove = pIF->uMoveMode == kMoveMove || pIF->uMoveMode == kMoveAsk;
    if (pIF->uMoveMode == kMoveCopy && fnFileThere(pIF->szDstFileSpec))
        return 1;
    if (pIF->uMoveMode == kMoveCopyOver && fnFileThere(pIF->szDstFileSpec))
        SetFileAttributesA(pIF->szDstFileSpec, FILE_ATTRIBUTE_NORMAL);
    BOOL bClosed = FALSE;
    for (;;) {
        if (fnCopyFile(pIF->szSrcFileSpec, pIF->szDstFileSpec, FALSE, FALSE))
            break;
        DWORD dwErr = GetLastError();
        if (!fnIsInUseError(dwErr)) {
            // The copy is not there: a move must not take the source away.
            TRACE("fnProcessMoveFile - COPY failed", "dwError=%lu", dwErr);
            return 1;
        }
        int iStep = fnMoveStepFailed(hwndMain, pIF, dwErr, pIF->szDstFileSpec, pIF->szSrcFileSpec, pIF->szDstFileSpec,
                                     TRUE, &bClosed);
        if (iStep == kStepRetry)
            continue;
        if (iStep == kStepStop)
            return 0;
        // Skipped or scheduled for the restart: the source stays for now.
        return 1;
    }
    if (!fnSetMovedAttributes(pIF->szDstFileSpec, pIF->uAttribMode, dwSourceAttrib))
        return 0;
    if (!bMove) {
        fnLogLine("%s, %s, C", 1, pIF->szSrcFileSpec, pIF->szDstFileSpec);
        return 1;
    }
    TRACE("fnProcessMoveFile - MOVE", "lpIFStruct->szSrcFileSpec=%s", pIF->szSrcFileSpec);
    bClosed = FALSE;
    for (;;) {
        SetFileAttributesA(pIF->szSrcFileSpec, FILE_ATTRIBUTE_NORMAL);
        if (DeleteFileA(pIF->szSrcFileSpec))
            break;
        int iStep = fnMoveStepFailed(hwndMain, pIF, GetLastError(), pIF->szSrcFileSpec, pIF->szSrcFileSpec, "NUL", FALSE,
                                     &bClosed);
        if (iStep == kStepRetry)
            continue;
        if (iStep == kStepStop)
            return 0;
        break;
    }
    fnLogLine("%s, %s, M", 1, pIF->szSrcFileSpec, pIF->szDstFileSpec);
    return 1;
}

static int fnProcessOneMove(HWND hwndMain, IFStruct *pIF)
{
    pIF->szSrcFilePath[0] = pIF->szSrcFileName[0] = pIF->szDstDir[0] = pIF->szDstFileName[0] = '\0';
    fnPathSplit(pIF->szSrcFileSpec, pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), pIF->szSrcFileName,
                    COUNTOF(pIF->szSrcFileName));
    if (!pIF->szSrcFilePath[0]) {
        fnCopyText(pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), g_szDestDir);
        fnPathJoin(pIF->szSrcFileSpec, COUNTOF(pIF->szSrcFileSpec), g_szDestDir, pIF->szSrcFileName);
    }
    TRACE("fnProcessMoveFile", "lpIFStruct->szSrcFileSpec=%s,\nlpIFStruct->szDstFileSpec=%s,\nlpIFStruct->uMoveMode=%u",
          pIF->szSrcFileSpec, pIF->szDstFileSpec, pIF->uMoveMode);
    if (!fnFileThere(pIF->szSrcFileSpec))
        return 1;
    BOOL bAsk = pIF->uMoveMode == kMoveAsk;
    if (bAsk) {
        int iChoice = fnShowMoveChoiceDialog(hwndMain, pIF->szSrcFileSpec);
        if (iChoice == kMoveChoiceCancel || iChoice == kMoveChoiceExit)
            return iChoice == kMoveChoiceCancel;
        pIF->uMoveMode = (unsigned)iChoice;
    }
    BOOL bDelete = pIF->uMoveMode == kMoveDelete;

    // A destination equal to the source would copy a file onto itself and
    // then delete it: it is treated as no destination (a free name beside it).
    if (fnTextEqualI(pIF->szDstFileSpec, pIF->szSrcFileSpec))
        pIF->szDstFileSpec[0] = '\0';
    if (!pIF->szDstFileSpec[0] && !bDelete) {
        char szUnique[kcchPath];
        if (!fnUniqueFileName(pIF->szSrcFilePath, pIF->szSrcFileName, szUnique, COUNTOF(szUnique)))
            return fnMsgBox(IDS_MOVE_CANNOT, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL, fnMoveVerb(pIF->uMoveMode),
                            pIF->szSrcFileSpec, pIF->szSrcFileName) == IDYES;
        fnCopyText(pIF->szDstFileSpec, COUNTOF(pIF->szDstFileSpec), szUnique);
    }
    if (!bDelete) {
        // A destination that is a directory receives the file under its own name.
        if (fnIsDirectoryPath(pIF->szDstFileSpec) && !fnIsDirectoryPath(pIF->szSrcFileSpec)) {
            char szDst[kcchFileSpec];
            fnPathJoin(szDst, COUNTOF(szDst), pIF->szDstFileSpec, pIF->szSrcFileName);
            fnCopyText(pIF->szDstFileSpec, COUNTOF(pIF->szDstFileSpec), szDst);
        }
        fnPathSplit(pIF->szDstFileSpec, pIF->szDstDir, COUNTOF(pIF->szDstDir), pIF->szDstFileName,
                        COUNTOF(pIF->szDstFileName));
        if (!pIF->szDstDir[0]) {
            fnCopyText(pIF->szDstDir, COUNTOF(pIF->szDstDir), g_szDestDir);
            fnPathJoin(pIF->szDstFileSpec, COUNTOF(pIF->szDstFileSpec), g_szDestDir, pIF->szDstFileName);
        }
        if (bAsk)
            fnAskMoveDestination(hwndMain, pIF);
        if (!fnCreateDirTree(pIF->szDstDir, FALSE))
            return fnMsgBox(IDS_MOVE_DIR_FAILED, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL, pIF->szDstDir) == IDYES;
    }
    DWORD dwSourceAttrib = FILE_ATTRIBUTE_NORMAL;
    if (pIF->uAttribMode == kAttribKeep) {
        dwSourceAttrib = GetFileAttributesA(pIF->szSrcFileSpec);
        if (dwSourceAttrib == INVALID_FILE_ATTRIBUTES)
            return 0;
    }
    switch (pIF->uMoveMode) {
    case kMoveDelete:
        fnMoveStatus(pIF, "Deleting files ...", "Deleting file:", pIF->szSrcFileSpec, "%s", "");
        return fnDeleteStep(hwndMain, pIF);
    case kMoveMove:
    case kMoveAsk:
        fnMoveStatus(pIF, "Moving files ...", "Moving file:", pIF->szSrcFileSpec, "to: %s", pIF->szDstFileSpec);
        return fnCopyStep(hwndMain, pIF, dwSourceAttrib);
    case kMoveCopy:
    case kMoveCopyOver:
        fnMoveStatus(pIF, "Copying files ...", "Saving file:", pIF->szSrcFileSpec, "as: %s", pIF->szDstFileSpec);
        return fnCopyStep(hwndMain, pIF, dwSourceAttrib);
    default:
        fnMoveStatus(pIF, "Renaming files ...", "Renaming file:", pIF->szSrcFileSpec, "to: %s", pIF->szDstFileSpec);
        return fnRenameStep(hwndMain, pIF, bAsk, dwSourceAttrib);
    }
}

int fnProcessMoveFile(HWND hwndMain, IFStruct *pIF)
{
    // Mode "P" asks for every file: the choice made for one file of a
    // wildcard set is not taken for the next.
    unsigned uMoveMode = pIF->uMoveMode;
    int iRC = fnProcessOneMove(hwndMain, pIF);
    if (uMoveMode == kMoveAsk)
        pIF->uMoveMode = kMoveAsk;
    return iRC;
}

int fnMoveAFile(HWND hwndMain, IFStruct *pIF)
{
    int iRC = fnProcessMoveFile(hwndMain, pIF);
    if (iRC && !pIF->bSectionQuiet)
        fnSetProgressPos(pIF->hStatusDlg, pIF->uFileNum);
    return iRC;
}

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

// A full path as written; otherwise joined to the source directory.
static void fnRootAtSource(char *pszPath, size_t cchPath)
{
    if (fnIsRootedPath(pszPath))
        return;
    char szJoined[kcchFileSpec];
    fnPathJoin(szJoined, COUNTOF(szJoined), g_szSourceDir, pszPath);
    fnCopyText(pszPath, cchPath, szJoined);
}

int fnReadMoveEntry(char *pszLine, size_t cchLine, IFStruct *pIF, unsigned *puTest)
{
    *puTest = (unsigned)fnInfTestIfTwoFields(pszLine, cchLine);
    if (*puTest == IDTEST_FALSE || *puTest == IDTEST_CONTINUE || *puTest == IDTEST_SKIPSECTION)
        return 1;
    char szField[kcchInfLine];
    if (!fnInfParseField(pszLine, 1, szField, COUNTOF(szField)) || !szField[0])
        return 0;
    fnExpandOpts(szField, COUNTOF(szField));
    fnRootAtSource(szField, COUNTOF(szField));
    if (!fnCopyText(pIF->szSrcFileSpec, COUNTOF(pIF->szSrcFileSpec), szField))
        return 0;
    if (fnInfParseField(pszLine, 2, szField, COUNTOF(szField))) {
        fnExpandOpts(szField, COUNTOF(szField));
        if (!fnCopyText(pIF->szDstFileSpec, COUNTOF(pIF->szDstFileSpec), szField))
            return 0;
    } else {
        fnCopyText(pIF->szDstFileSpec, COUNTOF(pIF->szDstFileSpec), pIF->szSrcFileSpec);
    }
    char szModes[kcchInfLine] = "";
    fnInfParseField(pszLine, 3, szModes, COUNTOF(szModes));
    MoveModeStruct modes;
    fnParseMoveModes(szModes, &modes);
    pIF->uMoveMode = modes.uMoveMode;
    pIF->uInUseAction = modes.uInUseAction;
    pIF->uAttribMode = modes.uAttribMode;
    pIF->uBackupMode = modes.uSourceCheck;
    pIF->bRecurse = modes.bRecurse;
    if (fnInfParseField(pszLine, 4, szField, COUNTOF(szField)))
        pIF->uWaitTime = fnParseMoveWait(szField);
    return 1;
}

// Header lines of a move section; returns the first entry line's position.
static const char *fnReadMoveHeader(const char *pszLines, unsigned *puTotal, BOOL *pbTotalGiven, BOOL *pbQuiet)
{
    char szLine[kcchInfLine];
    const char *pszPos = pszLines;
    while (pszPos) {
        szLine[0] = '\0';
        const char *pszNext = fnInfNextLine(pszPos, szLine, COUNTOF(szLine));
        if (!szLine[0])
            break;
        char szTest[kcchInfLine];
        fnCopyText(szTest, COUNTOF(szTest), szLine);
        int iTest = fnInfTestIfTwoFields(szTest, COUNTOF(szTest));
        if (iTest == IDTEST_SKIPSECTION)
            return NULL;
        char szKey[kcchInfLine], szValue[kcchInfLine];
        if (!fnInfParseField(szTest, 0, szKey, COUNTOF(szKey)))
            break;
        BOOL bSkip = iTest == IDTEST_FALSE || iTest == IDTEST_CONTINUE;
        fnInfParseField(szTest, 1, szValue, COUNTOF(szValue));
        if (fnTextEqualI(szKey, "TotalFiles")) {
            if (!bSkip) {
                *puTotal = (unsigned)strtoul(szValue, NULL, 10);
                *pbTotalGiven = TRUE;
            }
        } else if (fnTextEqualI(szKey, "BeQuiet")) {
            if (!bSkip)
                *pbQuiet = fnIsYes(szValue);
        } else if (fnTextEqualI(szKey, "ExpandDelims")) {
            if (!bSkip)
                fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), szValue);
        } else if (!fnTextEqualI(szKey, "DisksSection") && !fnTextEqualI(szKey, "DirsSection")) {
            break;
        }
        pszPos = pszNext;
    }
    return pszPos;
}

// Files the entries will touch, for the progress meter.
static unsigned fnCountMoveFiles(const char *pszEntries, unsigned uMaxLines)
{
    unsigned uCount = 0;
    char szLine[kcchInfLine];
    const char *pszPos = pszEntries;
    for (unsigned u = 0; pszPos && u < uMaxLines; u++) {
        fnPumpMessagesSometimes();
        szLine[0] = '\0';
        pszPos = fnInfReadLine(pszPos, szLine, COUNTOF(szLine));
        if (!szLine[0])
            break;
        fnInfTestIfTwoFields(szLine, COUNTOF(szLine));
        char szSource[kcchInfLine];
        if (!fnInfParseField(szLine, 1, szSource, COUNTOF(szSource)) || !szSource[0])
            break;
        if (!fnHasWildcard(szSource)) {
            uCount++;
            continue;
        }
        fnExpandOpts(szSource, COUNTOF(szSource));
        fnRootAtSource(szSource, COUNTOF(szSource));
        WIN32_FIND_DATAA fd;
        CFindHandle hFind(FindFirstFileA(szSource, &fd));
        if (hFind.IsValid()) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    uCount++;
            } while (FindNextFileA(hFind.Get(), &fd));
        }
    }
    return uCount;
}

// The entry line number uLine (from 1) after the header, or 0 at the end.
int fnMoveFiles(HWND hwndMain, HWND hwndStatus, const char *pszSection, const char *pszHeader)
{
    const char *pszLines = fnInfFindSection(pszSection, pszHeader, 0);
    if (!pszLines)
        return 1;
    static IFStruct s_if;  // large: kept out of the stack
    memset(&s_if, 0, sizeof(s_if));
    s_if.hStatusDlg = hwndStatus;
    s_if.uWaitTime = 100;
    unsigned uTotal = 0;
    BOOL bTotalGiven = FALSE;
    BOOL bQuiet = g_bQuiet;
    const char *pszEntries = fnReadMoveHeader(pszLines, &uTotal, &bTotalGiven, &bQuiet);
    if (!pszEntries)
        return 1;
    unsigned uMaxLines = fnInfCountLines(pszEntries, NULL, kuMaxMoveLines);
    unsigned uMaxFiles = bTotalGiven ? uTotal : fnCountMoveFiles(pszEntries, uMaxLines);
    TRACE("fnMoveFiles", "Begin IFStruct.szSrcFileSpec=%s,\nIFStruct.szDstFileSpec=%s\nuMaxFiles=%u, uMaxLines=%u",
          s_if.szSrcFileSpec, s_if.szDstFileSpec, uMaxFiles, uMaxLines);
    if (uMaxFiles == 0)
        return 1;
    s_if.bSectionQuiet = bQuiet;
    if (!bQuiet) {
        fnSetProgressPos(hwndStatus, 0);
        fnSetProgressRange(hwndStatus, uMaxFiles);
    }
    s_if.uFileNum = 1;
    // Each entry is read where the last one ended: one pass over the section.
    LineCursorStruct cursor = {pszEntries, pszEntries, 1};
    for (unsigned uLineNum = 1; uLineNum <= uMaxLines; uLineNum++, s_if.uFileNum++) {
        fnPumpMessagesSometimes();
        if (fnCancelPressed(hwndStatus))
            return 0;
        char szLine[kcchInfLine];
        if (!fnCursorLine(&cursor, uLineNum, szLine, COUNTOF(szLine)))
            break;
        char szKey[kcchInfLine];
        if (fnInfParseField(szLine, 0, szKey, COUNTOF(szKey)) && fnTextEqualI(szKey, "ExpandDelims")) {
            fnInfParseField(szLine, 1, g_szExpandDelims, COUNTOF(g_szExpandDelims));
            continue;
        }
        unsigned uTest = IDTEST_NOTEST;
        if (!fnReadMoveEntry(szLine, COUNTOF(szLine), &s_if, &uTest)) {
            fnMsgBox(IDS_LINE_ERROR, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, uLineNum, pszHeader);
            return 0;
        }
        if (uTest == IDTEST_SKIPSECTION)
            break;
        if (uTest == IDTEST_FALSE || uTest == IDTEST_CONTINUE) {
            if (!bQuiet)
                fnSetProgressPos(hwndStatus, s_if.uFileNum);
            continue;
        }
        fnPathSplit(s_if.szSrcFileSpec, s_if.szSrcFilePath, COUNTOF(s_if.szSrcFilePath), s_if.szSrcFileName,
                        COUNTOF(s_if.szSrcFileName));
        if (s_if.uBackupMode == kSourceCheck && !fnIsBareDrive(s_if.szSrcFilePath) &&
            !fnIsDirectoryPath(s_if.szSrcFilePath))
            continue;
        TRACE("fnMoveFiles", "IFStruct.szSrcFileSpec=%s,\nIFStruct.szDstFileSpec=%s", s_if.szSrcFileSpec,
              s_if.szDstFileSpec);
        if (fnHasWildcard(s_if.szSrcFileName)) {
            fnCopyText(s_if.szWildFileName, COUNTOF(s_if.szWildFileName), s_if.szSrcFileName);
            s_if.uFileNum--;
            if (!fnWildMove(hwndMain, &s_if))
                return 0;
        } else {
            if (!fnMoveAFile(hwndMain, &s_if))
                return 0;
            if (s_if.uWaitTime)
                fnWaitPumping(s_if.uWaitTime);
        }
    }
    if (s_if.uWaitTime)
        fnWaitPumping(s_if.uWaitTime);
    return 1;
}

int fnMoveFilesSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *, const char *)
{
    HWND hwndStatus = g_bQuiet ? NULL : fnCreateCopyStatus(hwndMain);
    int iRC = fnMoveFiles(hwndMain, hwndStatus, pszSection, pszHeader);
    if (hwndStatus && IsWindow(hwndStatus))
        DestroyWindow(hwndStatus);
    if (!iRC)
        fnMsgBox(IDS_INSTALL_FAILED, NULL, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL | MB_SETFOREGROUND);
    return iRC;
}

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

int fnDeleteFilesSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *, const char *)
{
    (void)hwndMain;
    const char *pszLines = fnInfFindSection(pszSection, pszHeader, 0);
    char szLine[kcchInfLine];
    for (const char *pszPos = pszLines; fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine));) {
        int iTest = fnInfTestIfTwoFields(szLine, COUNTOF(szLine));
        if (iTest == IDTEST_SKIPSECTION)
            break;
        if (iTest == IDTEST_FALSE || iTest == IDTEST_CONTINUE)
            continue;
        char szPath[kcchInfLine], szTree[kcchInfLine] = "";
        if (!fnInfParseField(szLine, 1, szPath, COUNTOF(szPath)) || !szPath[0])
            return 0;
        fnExpandOpts(szPath, COUNTOF(szPath));
        fnRootAtSource(szPath, COUNTOF(szPath));
        fnInfParseField(szLine, 2, szTree, COUNTOF(szTree));
        BOOL bKeepTop = fnTextEqualI(szTree, "TREEKEEP");
        BOOL bRecurse = szTree[0] == '+' || fnTextEqualI(szTree, "TREE") || bKeepTop;
        char szDir[kcchPath], szName[kcchPath];
        fnPathSplit(szPath, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
        TRACE("fnDeleteFiles", "szPath=%s, szTree=%s", szPath, szTree);
        if (fnHasWildcard(szPath)) {
            fnDeleteTree(szPath, bKeepTop || !szDir[0] ? szDir : NULL, bRecurse);
        } else if (fnIsDirectoryPath(szPath)) {
            // A directory named outright: with a tree flag its contents, then
            // itself unless kept; without one only when it is empty.
            if (bRecurse)
                fnDeleteTree(szPath, bKeepTop ? szPath : NULL, TRUE);
            else if (RemoveDirectoryA(szPath))
                fnLogLine("%s,  D", 1, szPath);
        } else {
            fnDeleteAFile(szPath);
        }
    }
    return 1;
}
