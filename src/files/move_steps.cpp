// The steps of the move sections on one file: delete, rename, copy and
// move. A step that fails on a file in use retries, closes the program
// holding it or is scheduled for the restart, as the entry's mode says.
#include "files/move_steps.h"
#include "base/path.h"

#include <commdlg.h>

#include "base/unique.h"
#include "files/copy_status.h"
#include "files/dirs.h"
#include "files/dirs_text.h"
#include "files/install_ops.h"
#include "files/move_choice_dialog.h"
#include "files/move_paths.h"
#include "files/version_sections.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

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
