// Installing one file described by an IFStruct: where the current copy is,
// what to do with an existing file, the copy with its retries and questions,
// and the replacement of a file in use at the next restart.
#include "files/install.h"
#include "base/path.h"

#include <winver.h>

#include "files/copy_status.h"
#include "files/dirs.h"
#include "files/file_questions.h"
#include "files/insert_disk_dialog.h"
#include "files/install_copy.h"
#include "files/install_ops.h"
#include "files/version_dialog.h"
#include "base/unique.h"
#include "run/event_log.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

namespace {

// How the attempt loop of one entry ended; kGoOn lets a step continue.
enum { kAttemptDone, kAttemptPass, kAttemptStop, kAttemptMissing, kGoOn };

// What one entry remembers between its attempts.
struct EntryState {
    BOOL bInUseDone;                  // the in-use replacement ran once
    char szStaged[kcchPath];          // new file installed beside the file in use
    char szInUseTarget[kcchPath];     // the file in use it replaces at restart
};

int fnExists(const char *pszPath)
{
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}

// Directories compare without regard to case or a trailing backslash.
int fnSameDir(const char *pszA, const char *pszB)
{
    size_t cchA = strlen(pszA), cchB = strlen(pszB);
    if (cchA > 3 && pszA[cchA - 1] == '\\')
        cchA--;
    if (cchB > 3 && pszB[cchB - 1] == '\\')
        cchB--;
    return cchA == cchB && fnTextEqualNI(pszA, pszB, cchA);
}

void fnRemoveTempFile(char *pszTemp)
{
    if (pszTemp[0]) {
        SetFileAttributesA(pszTemp, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(pszTemp);
        pszTemp[0] = '\0';
    }
}

// The unique name for a file installed beside one in use: always the numbered
// form, never the name the backup method keeps for backups.
int fnStagingName(const char *pszDir, const char *pszName, char *pszOut, size_t cchOut)
{
    unsigned uSaved = g_uBackUpMethod;
    g_uBackUpMethod = 502;
    int iRC = fnUniqueFileName(pszDir, pszName, pszOut, cchOut);
    g_uBackUpMethod = uSaved;
    return iRC;
}

void fnTakeName(char *pszName, size_t cchName, const char *pszPath)
{
    char szDir[kcchPath];
    fnPathSplit(pszPath, szDir, COUNTOF(szDir), pszName, cchName);
}

UINT fnMessageOfBits(DWORD dwBits)
{
    static const struct {
        DWORD dwBit;
        UINT uId;
    } s_aMessages[] = {
        {VIF_WRITEPROT, IDS_WRITE_PROTECTED},        {VIF_CANNOTREADDST, IDS_CANNOT_READ_DEST},
        {VIF_OUTOFMEMORY, IDS_INSTALL_NO_MEMORY},    {VIF_FILEINUSE, IDS_FILE_IN_USE},
        {VIF_SHARINGVIOLATION, IDS_SHARING_VIOLATION}, {VIF_ACCESSVIOLATION, IDS_ACCESS_VIOLATION},
        {VIF_OUTOFSPACE, IDS_OUT_OF_SPACE},          {VIF_CANNOTRENAME, IDS_CANNOT_RENAME_FILE},
        {VIF_CANNOTDELETE, IDS_CANNOT_DELETE_FILE},  {VIF_CANNOTCREATE, IDS_CANNOT_CREATE_FILE},
    };
    for (const auto &msg : s_aMessages) {
        if (dwBits & msg.dwBit)
            return msg.uId;
    }
    return 0;
}

int fnSameWriteTime(const char *pszA, const char *pszB)
{
    FILETIME ftA, ftB;
    return fnGetFileTime(pszA, &ftA) && fnGetFileTime(pszB, &ftB) && CompareFileTime(&ftA, &ftB) == 0;
}

// Whether the current copy has to be looked for. A plain entry whose
// destination does not exist yet installs the same way wherever an older
// copy lives (such a copy is kept in any case), so the search is spared.
int fnNeedsCurrentCopy(const IFStruct *pIF, const char *pszTarget)
{
    if (pIF->uInstallMode == kInstallAsIs || pIF->uInstallMode == kInstallKeepAttrib || pIF->uCopyMode == kCopyJoin)
        return 0;
    int bPlainCopy = pIF->uCopyMode == kCopyNormal || pIF->uCopyMode == kCopyD || pIF->uCopyMode == kCopyR ||
                     pIF->uCopyMode == kCopyV || pIF->uCopyMode == kCopyQuery;
    if (pIF->uInstallMode == kInstallNormal && bPlainCopy && !fnExists(pszTarget))
        return 0;
    return 1;
}

// Install mode "R" joins parts straight onto the destination: its first part
// starts from an empty file.
int fnIsFirstRawJoin(const IFStruct *pIF)
{
    return pIF->uInstallMode == kInstallR && pIF->uJoinPart == kJoinFirst;
}

// The in-use replacement: the new file goes in under a free name beside the
// file in use, and replaces it at the next restart once it is there.
int fnPrepareInUse(IFStruct *pIF, EntryState *pState)
{
    TRACE("fnInstallFileVer (InstallAndRestart)", "szSuggestDstDir=%s,\nszDstFileName=%s", pIF->szSuggestDstDir,
          pIF->szDstFileName);
    char szTarget[kcchPath], szUnique[kcchPath];
    fnPathJoin(szTarget, COUNTOF(szTarget), pIF->szSuggestDstDir, pIF->szDstFileName);
    int iUnique = fnStagingName(pIF->szSuggestDstDir, pIF->szDstFileName, szUnique, COUNTOF(szUnique));
    if (iUnique == 0) {
        fnMsgBox(IDS_CANNOT_INSTALL, NULL, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL, szTarget);
        return kAttemptPass;
    }
    if (iUnique == 2) {
        fnCopyText(pState->szStaged, COUNTOF(pState->szStaged), szUnique);
        fnCopyText(pState->szInUseTarget, COUNTOF(pState->szInUseTarget), szTarget);
    }
    fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT3, IDS_COPY_INSTALL_FILE, pIF->szSrcFileName);
    fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT4, IDS_COPY_AS_FILE, szUnique);
    fnTakeName(pIF->szDstFileName, COUNTOF(pIF->szDstFileName), szUnique);
    if (pIF->uBackupMode == kBackupUnique)
        pIF->uBackupMode = kBackupOverwrite;
    return kGoOn;
}

// After the new file is in place under its free name: the replacement is
// scheduled, and the restart it needs becomes the exit action.
int fnScheduleInUse(IFStruct *pIF, EntryState *pState)
{
    if (!pState->szInUseTarget[0])
        return kGoOn;
    if (fnReplaceFileInUse(pState->szStaged, pState->szInUseTarget)) {
        fnEventLog("change", "kind", "file_replaced_at_restart", "target", pState->szInUseTarget, "staged",
                   pState->szStaged, NULL);
        if (g_uOnExit == 0)
            g_uOnExit = 4;
        return kGoOn;
    }
    int iAnswer = fnMsgBox(IDS_CANNOT_INSTALL, NULL, MB_YESNO | MB_ICONEXCLAMATION | MB_TASKMODAL,
                           pState->szInUseTarget);
    // The staged copy would never be used: it goes again.
    fnDeleteFile(pState->szStaged);
    (void)pIF;
    return iAnswer == IDYES ? kAttemptPass : kAttemptStop;
}

// Backup, unique name or skip around an existing destination file.
int fnHandleExisting(HWND hwndMain, IFStruct *pIF)
{
    if (pIF->uCopyMode == kCopyJoin && !fnIsFirstRawJoin(pIF))
        return kGoOn;
    char szTarget[kcchPath];
    fnPathJoin(szTarget, COUNTOF(szTarget), pIF->szSuggestDstDir, pIF->szDstFileName);
    if (pIF->uBackupMode == kBackupOverwrite || !fnExists(szTarget)) {
        if (fnIsFirstRawJoin(pIF) && fnExists(szTarget)) {
            SetFileAttributesA(szTarget, FILE_ATTRIBUTE_NORMAL);
            fnDeleteFile(szTarget);
        }
        return kGoOn;
    }
    if (pIF->uBackupMode == kBackupAsk) {
        switch (fnShowExistsDialog(hwndMain, pIF->szDstFileName, pIF->szSuggestDstDir)) {
        case IDC_EXISTS_BACKUP: pIF->uBackupMode = kBackupCopy; break;
        case IDC_EXISTS_UNIQUE: pIF->uBackupMode = kBackupUnique; break;
        case IDC_EXISTS_OVERWRITE: pIF->uBackupMode = kBackupOverwrite; break;
        case IDC_EXISTS_SKIP: return kAttemptPass;
        default: return kAttemptStop;
        }
    }
    char szOther[kcchPath];
    if (pIF->uBackupMode == kBackupCopy && !pIF->szBackupFile[0]) {
        if (fnUniqueFileName(pIF->szSuggestDstDir, pIF->szDstFileName, szOther, COUNTOF(szOther)) != 2) {
            fnMsgBox(IDS_CANNOT_BACKUP, NULL, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL, szTarget);
            return kAttemptPass;
        }
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT3, IDS_COPY_BACKING_UP, szTarget);
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT4, IDS_COPY_TO_FILE, szOther);
        char szDir[kcchPath], szName[kcchPath];
        fnPathSplit(szOther, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
        if (fnCopyFileAsIs(pIF->szSuggestDstDir, pIF->szDstFileName, szDir, szName, TRUE)) {
            fnMsgBox(IDS_CANNOT_BACKUP, NULL, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL, szTarget);
            return kAttemptPass;
        }
        fnCopyText(pIF->szBackupFile, COUNTOF(pIF->szBackupFile), szOther);
        // The install log has no record of its own for a backup: the event log has.
        fnEventLog("change", "kind", "file_backed_up", "target", szTarget, "backup", szOther, NULL);
    } else if (pIF->uBackupMode == kBackupUnique) {
        int iUnique = fnUniqueFileName(pIF->szSuggestDstDir, pIF->szDstFileName, szOther, COUNTOF(szOther));
        if (iUnique == 0) {
            fnMsgBox(IDS_CANNOT_INSTALL, NULL, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL, szTarget);
            return kAttemptPass;
        }
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT3, IDS_COPY_INSTALL_FILE, pIF->szSrcFileName);
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT4, IDS_COPY_AS_FILE, szOther);
        fnTakeName(pIF->szDstFileName, COUNTOF(pIF->szDstFileName), szOther);
    } else if (pIF->uBackupMode == kBackupSkip) {
        return kAttemptPass;
    }
    if (fnIsFirstRawJoin(pIF)) {
        SetFileAttributesA(szTarget, FILE_ATTRIBUTE_NORMAL);
        fnDeleteFile(szTarget);
    }
    return kGoOn;
}

// Appends a join part; a failed append is reported, never installed as whole.
int fnAppendPart(IFStruct *pIF)
{
    char szSrc[kcchPath], szTarget[kcchPath];
    fnPathJoin(szSrc, COUNTOF(szSrc), pIF->szSrcFilePath, pIF->szSrcFileName);
    fnPathJoin(szTarget, COUNTOF(szTarget), pIF->szSuggestDstDir, pIF->szDstFileName);
    if (!fnCreateDirTreeMsg(NULL, pIF->szSuggestDstDir, TRUE))
        return kIFStop;
    DWORD dwBits = fnAppendToFile(szSrc, szTarget);
    if (dwBits == 0)
        return kIFInstalled;
    TRACE("fnInstallFileVer", "fnAppendToFile failed, dwBits=%lu,\nszSrc=%s,\nszTarget=%s", dwBits, szSrc, szTarget);
    int iAnswer = fnMsgBox(IDS_CANNOT_INSTALL, NULL, MB_YESNO | MB_ICONEXCLAMATION | MB_TASKMODAL, szSrc);
    return iAnswer == IDYES ? kIFSkipped : kIFStop;
}

// Whether an entry installs a target that does not exist yet exactly as a
// plain copy would: no version comparison, no search for the current copy,
// no special destination, no join.
int fnIsPlainNewInstall(const IFStruct *pIF)
{
    int bMode = pIF->uInstallMode == kInstallNormal || pIF->uInstallMode == kInstallAsIs ||
                pIF->uInstallMode == kInstallKeepAttrib;
    int bPlainCopy = pIF->uCopyMode == kCopyNormal || pIF->uCopyMode == kCopyD || pIF->uCopyMode == kCopyR ||
                     pIF->uCopyMode == kCopyV || pIF->uCopyMode == kCopyQuery;
    return bMode && bPlainCopy && pIF->uJoinPart == kJoinNone;
}

// The common case first: a target that is not there yet is created and
// filled in one pass, without looking for it beforehand (on a large folder
// every look for a missing name is a search of the whole folder). Anything
// else, an existing target or any failure, leaves nothing behind and goes
// the full way, which asks and reports as it should. 1 installed.
int fnInstallNewTarget(IFStruct *pIF, const char *pszSrc, const char *pszTarget)
{
    if (!fnIsPlainNewInstall(pIF) || fnTextEqualI(pszSrc, pszTarget))
        return 0;
    BOOL bAsIs = pIF->uInstallMode == kInstallAsIs;
    BOOL bKeepAttrib = bAsIs || pIF->uInstallMode == kInstallKeepAttrib || pIF->bKeepAttrib;
    DWORD dwErr = fnCopyToNewFile(pszSrc, pszTarget, bKeepAttrib, !bAsIs);
    // The destination folder is made once the source is known to be there.
    if (dwErr == ERROR_PATH_NOT_FOUND && fnCreateDirTree(pIF->szSuggestDstDir, TRUE))
        dwErr = fnCopyToNewFile(pszSrc, pszTarget, bKeepAttrib, !bAsIs);
    if (dwErr != 0)
        return 0;
    if (!bAsIs && pIF->uVerAction == kVerActInstall)
        pIF->uCopyMode = kCopyForce;
    fnLogLine("%s, N", 1, pszTarget);
    TRACE("fnInstallFileVer (Done)", "szTarget=%s", pszTarget);
    fnSetProgressPos(pIF->hStatusDlg, pIF->uFileNum);
    return 1;
}

int fnAttemptLoop(HWND hwndMain, IFStruct *pIF, int iDecision, EntryState *pState)
{
    char szTemp[kcchPath] = "";
    for (;;) {
        if (iDecision == kDecInUse) {
            if (pState->bInUseDone)
                return kAttemptPass;
            pState->bInUseDone = TRUE;
            int iRC = fnPrepareInUse(pIF, pState);
            if (iRC != kGoOn)
                return iRC;
        }
        DWORD dwFlags = iDecision == kDecKeepOld ? VIFF_DONTDELETEOLD : 0;
        if (iDecision == kDecReplaceInPlace)
            fnCopyText(pIF->szSuggestDstDir, COUNTOF(pIF->szSuggestDstDir), pIF->szCurDir);
        if (pIF->uCopyMode == kCopyForce || iDecision == kDecInstallDst) {
            fnCopyText(pIF->szSuggestDstDir, COUNTOF(pIF->szSuggestDstDir), pIF->szDstDir);
            dwFlags |= VIFF_DONTDELETEOLD;
        }
        if (pIF->uCopyMode == kCopyWinDir) {
            fnCopyText(pIF->szSuggestDstDir, COUNTOF(pIF->szSuggestDstDir), g_szWinDir);
            dwFlags |= VIFF_DONTDELETEOLD;
        }
        if (pIF->uCopyMode == kCopyClean) {
            fnCopyText(pIF->szSuggestDstDir, COUNTOF(pIF->szSuggestDstDir), pIF->szDstDir);
            if (pIF->uBackupMode == kBackupOverwrite) {
                // Copies of the same name in the Windows and System folders
                // go, unless one of them is the destination itself.
                const char *apszDirs[] = {g_szWinDir, g_szSysDir};
                for (const char *pszDir : apszDirs) {
                    char szOld[kcchPath];
                    if (pszDir[0] && !fnSameDir(pszDir, pIF->szSuggestDstDir) &&
                        fnPathJoin(szOld, COUNTOF(szOld), pszDir, pIF->szDstFileName) && fnExists(szOld))
                        fnDeleteFile(szOld);
                }
            }
        }
        int iRC = fnHandleExisting(hwndMain, pIF);
        if (iRC != kGoOn)
            return iRC;
        char szTarget[kcchPath];
        fnPathJoin(szTarget, COUNTOF(szTarget), pIF->szSuggestDstDir, pIF->szDstFileName);
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT4, IDS_COPY_INSTALL_AS, szTarget);
        if (pIF->uCopyMode == kCopyJoin)
            iRC = fnAppendPart(pIF);
        else
            iRC = fnInstallFile(hwndMain, dwFlags, pIF, szTemp, COUNTOF(szTemp));
        TRACE("fnInstallFileVer (After)", "iRC=%d,\nszTarget=%s", iRC, szTarget);
        switch (iRC) {
        case kIFInUse:
            iDecision = kDecInUse;
            continue;
        case kIFStop:
            return kAttemptStop;
        case kIFSkipped:
            return kAttemptPass;
        case kIFNoSource:
            return kAttemptMissing;
        default:
            break;
        }
        iRC = fnScheduleInUse(pIF, pState);
        if (iRC != kGoOn)
            return iRC;
        fnLogLine(pIF->uInstallMode == kInstallS ? "%s, S" : "%s, N", 1, szTarget);
        TRACE("fnInstallFileVer (Done)", "szTarget=%s", szTarget);
        fnSetProgressPos(pIF->hStatusDlg, pIF->uFileNum);
        return kAttemptDone;
    }
}

}  // namespace

void fnDropBackup(IFStruct *pIF)
{
    if (pIF->uBackupMode == kBackupCopy && pIF->szBackupFile[0]) {
        SetFileAttributesA(pIF->szBackupFile, FILE_ATTRIBUTE_NORMAL);
        fnDeleteFile(pIF->szBackupFile);
        pIF->szBackupFile[0] = '\0';
    }
}

int fnFindFileInfoVer(HWND hwndMain, IFStruct *pIF)
{
    for (;;) {
        char szCur[kcchPath] = "", szDest[kcchPath] = "";
        UINT cchCur = COUNTOF(szCur), cchDest = COUNTOF(szDest);
        DWORD dwRC = VerFindFileA(0, pIF->szDstFileName, NULL, pIF->szDstDir, szCur, &cchCur, szDest, &cchDest);
        szCur[COUNTOF(szCur) - 1] = '\0';
        fnCopyText(pIF->szCurDir, COUNTOF(pIF->szCurDir), szCur);
        char szSrc[kcchPath], szExists[kcchPath], szDst[kcchPath];
        fnPathJoin(szSrc, COUNTOF(szSrc), pIF->szSrcFilePath, pIF->szSrcFileName);
        fnPathJoin(szExists, COUNTOF(szExists), pIF->szCurDir, pIF->szDstFileName);
        fnPathJoin(szDst, COUNTOF(szDst), pIF->szSuggestDstDir, pIF->szDstFileName);
        TRACE("VerFindFile - Paths", "szSrcPath=%s,\nszExistsPath=%s\nszDestPath=%s\nuVFFResult=%u", szSrc, szExists,
              szDst, (unsigned)dwRC);
        if (fnTextEqualI(szSrc, szDst))
            return kDecSkip;
        if (dwRC & VFF_BUFFTOOSMALL)
            return kDecBufTooSmall;
        if (pIF->szCurDir[0] && fnTextEqualI(szSrc, szExists))
            return kDecKeepOld;
        if (dwRC & VFF_FILEINUSE) {
            if (pIF->uCopyMode == kCopySkipMismatch || pIF->uInUseAction == kInUseSkip)
                return kDecSkip;
            if ((pIF->uInstallMode < kInstallS || pIF->uInstallMode > kInstallM) &&
                fnSameDir(pIF->szDstDir, pIF->szCurDir))
                return kDecInstallDst;
            if (pIF->uCopyMode != kCopyForce && fnSameWriteTime(szSrc, szExists))
                return kDecInstall;
            if (pIF->uInUseAction == kInUseClose) {
                pIF->uInUseAction = kInUseAsk;
                if (fnCloseProgramUsing(hwndMain, szExists))
                    continue;
            }
            if (pIF->uInUseAction == kInUseAsk) {
                switch (fnShowInUseDialog(hwndMain, szExists)) {
                case IDC_INUSE_RETRY: continue;
                case IDC_INUSE_RESTART: return kDecInstall;
                case IDC_INUSE_SKIP: return kDecSkip;
                default: return kDecStop;
                }
            }
            return kDecInstall;
        }
        if (!(dwRC & VFF_CURNEDEST) || !pIF->szCurDir[0])
            return kDecInstall;
        if (pIF->uCopyMode == kCopyPrompt) {
            switch (fnShowElsewhereDialog(hwndMain, pIF->szDstFileName, pIF->szSuggestDstDir, pIF->szCurDir)) {
            case IDC_ELSEWHERE_KEEP: return kDecKeepOld;
            case IDC_ELSEWHERE_DELETE: return kDecInstall;
            case IDC_ELSEWHERE_REPLACE: return kDecReplaceInPlace;
            case IDC_ELSEWHERE_SKIP: return kDecSkip;
            default: return kDecStop;
            }
        }
        if (pIF->uCopyMode == kCopyForce)
            return kDecInstallDst;
        if (pIF->uCopyMode == kCopyWinDir)
            return kDecWinDir;
        if (fnSameDir(pIF->szCurDir, g_szSourceDir))
            return kDecKeepOld;
        if (pIF->uCopyMode == kCopyClean)
            return kDecInstall;
        return kDecKeepOld;
    }
}

int fnInstallFile(HWND hwndMain, DWORD dwFlags, IFStruct *pIF, char *pszTempFile, size_t cchTempFile)
{
    for (;;) {
        fnPumpMessages();
        if (!g_bQuiet)
            SetCursor(LoadCursor(NULL, IDC_WAIT));
        if (!fnCreateDirTreeMsg(hwndMain, pIF->szSuggestDstDir, TRUE))
            return kIFStop;
        char szSrc[kcchPath], szTarget[kcchPath];
        fnPathJoin(szSrc, COUNTOF(szSrc), pIF->szSrcFilePath, pIF->szSrcFileName);
        fnPathJoin(szTarget, COUNTOF(szTarget), pIF->szSuggestDstDir, pIF->szDstFileName);
        if (!fnExists(szSrc))
            return kIFNoSource;
        DWORD dwBits;
        if (pIF->uInstallMode == kInstallAsIs) {
            dwBits = fnCopyFileAsIs(pIF->szSrcFilePath, pIF->szSrcFileName, pIF->szSuggestDstDir, pIF->szDstFileName,
                                    TRUE);
        } else {
            if (pIF->uVerAction == kVerActInstall) {
                pIF->uCopyMode = kCopyForce;
                dwFlags |= VIFF_FORCEINSTALL;
            }
            dwBits = fnVerInstallFile(dwFlags, pIF->szSrcFileName, pIF->szDstFileName, pIF->szSrcFilePath,
                                      pIF->szSuggestDstDir, pIF->szCurDir, pszTempFile, cchTempFile,
                                      pIF->uInstallMode, pIF->uInstallMode == kInstallKeepAttrib || pIF->bKeepAttrib);
        }
        char szMsgPath[kcchPath];
        if ((pIF->uInstallMode == kInstallS || pIF->uInstallMode == kInstallR) && pIF->szCurDir[0])
            fnPathJoin(szMsgPath, COUNTOF(szMsgPath), pIF->szCurDir, pIF->szDstFileName);
        else
            fnCopyText(szMsgPath, COUNTOF(szMsgPath), szTarget);
        if (UINT uMsg = fnMessageOfBits(dwBits)) {
            char szRoot[4] = {szMsgPath[0], ':', '\\', '\0'};
            int bRemovable = szMsgPath[1] == ':' && GetDriveTypeA(szRoot) == DRIVE_REMOVABLE;
            if (dwBits & VIF_TEMPFILE)
                fnRemoveTempFile(pszTempFile);
            if (uMsg == IDS_FILE_IN_USE || uMsg == IDS_ACCESS_VIOLATION || uMsg == IDS_SHARING_VIOLATION)
                return kIFInUse;
            int iAnswer;
            if (uMsg == IDS_OUT_OF_SPACE && bRemovable)
                iAnswer = fnMsgBox(IDS_CREATE_ERROR_ARI, NULL, MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION | MB_TASKMODAL,
                                   szMsgPath);
            else if (uMsg == IDS_OUT_OF_SPACE || uMsg == IDS_CANNOT_READ_DEST)
                iAnswer = fnMsgBox(IDS_CREATE_ERROR_OK, NULL, MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL,
                                   szMsgPath);
            else
                iAnswer = fnMsgBox(uMsg, NULL, MB_ABORTRETRYIGNORE | MB_ICONQUESTION | MB_TASKMODAL, szMsgPath);
            if (iAnswer == IDRETRY) {
                if (dwBits & VIF_WRITEPROT)
                    SetFileAttributesA(szTarget, FILE_ATTRIBUTE_NORMAL);
                continue;
            }
            fnDropBackup(pIF);
            return iAnswer == IDIGNORE || iAnswer == IDOK ? kIFSkipped : kIFStop;
        }
        if (dwBits & VIF_CANNOTREADSRC) {
            fnRemoveTempFile(pszTempFile);
            return kIFNoSource;
        }
        if (dwBits & (VIF_MISMATCH | VIF_SRCOLD | VIF_DIFFLANG | VIF_DIFFCODEPG | VIF_DIFFTYPE)) {
            TRACE("fnInstallFile - Version mismatch", "dwBits=%lu,\nszTarget=%s", dwBits, szTarget);
            if (pIF->uCopyMode == kCopySkipMismatch) {
                fnDropBackup(pIF);
                fnRemoveTempFile(pszTempFile);
                return kIFSkipped;
            }
            if (pIF->uCopyMode == kCopyForce ||
                (pIF->uInstallMode == kInstallT && pIF->uCopyMode == kCopyNormal && !(dwBits & VIF_SRCOLD))) {
                fnRemoveTempFile(pszTempFile);
                TRACE("fnInstallFile - Version mismatch but force install", "szTarget=%s", szTarget);
                dwFlags |= VIFF_FORCEINSTALL;
                continue;
            }
            TRACE("fnInstallFile Version prompt", "szTarget=%s", szTarget);
            if (pIF->uVerAction == kVerActKeep || pIF->uVerAction == kVerActStop) {
                fnDropBackup(pIF);
                fnRemoveTempFile(pszTempFile);
                return pIF->uVerAction == kVerActKeep ? kIFSkipped : kIFStop;
            }
            int iChoice = fnShowVersionDialog(hwndMain, dwBits, szTarget, pszTempFile);
            fnRemoveTempFile(pszTempFile);
            if (iChoice == IDC_CONFLICT_INSTALL) {
                dwFlags |= VIFF_FORCEINSTALL;
                continue;
            }
            fnDropBackup(pIF);
            return iChoice == IDC_CONFLICT_KEEP ? kIFSkipped : kIFStop;
        }
        if (dwBits & VIF_TEMPFILE)
            fnRemoveTempFile(pszTempFile);
        TRACE("fnInstallFile (Done)", "szTarget=%s", szTarget);
        return kIFInstalled;
    }
}

int fnAskForSourceDisk(HWND hwndMain, IFStruct *pIF)
{
    if (!pIF->bDiskPrompt) {
        fnSetProgressPos(pIF->hStatusDlg, pIF->uFileNum);
        return kAskSkip;
    }
    SetCurrentDirectoryA(g_szDestDir);
    InsertDiskStruct disk;
    fnCopyText(disk.szLabel, COUNTOF(disk.szLabel), pIF->szDiskLabel);
    fnCopyText(disk.szFile, COUNTOF(disk.szFile), pIF->szSrcFileName);
    fnCopyText(disk.szPath, COUNTOF(disk.szPath), pIF->szSrcFilePath);
    switch (fnShowInsertDiskDialog(hwndMain, &disk)) {
    case IDOK:
        fnCopyText(pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), disk.szPath);
        fnCopyText(pIF->szSrcFileName, COUNTOF(pIF->szSrcFileName), disk.szFile);
        return kAskRetry;
    case IDC_DISK_SKIP:
        return kAskSkip;
    default:
        return kAskStop;
    }
}

int fnInstallFileVer(HWND hwndMain, IFStruct *pIF)
{
    TRACE("fnInstallFile",
          "lpIFStruct->uInstallMode=%u,\nuInUseAction=%u,\nuVerAction=%u,\nuCopyMode=%u,\nuBackupMode=%u,\n"
          "szSrcFilePath=%s,\nszSrcFileName=%s,\nszDstDir=%s,\nszDstFileName=%s",
          pIF->uInstallMode, pIF->uInUseAction, pIF->uVerAction, pIF->uCopyMode, pIF->uBackupMode,
          pIF->szSrcFilePath, pIF->szSrcFileName, pIF->szDstDir, pIF->szDstFileName);
    pIF->szBackupFile[0] = '\0';
    pIF->szCurDir[0] = '\0';
    fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT1, IDS_COPY_INSTALLING, NULL);
    if (pIF->szDescription[0])
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT2, IDS_COPY_DESCRIPTION, pIF->szDescription);
    else
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT2, 0, "");
    fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT3, IDS_COPY_SOURCE, pIF->szSrcFileName);

    EntryState state;
    memset(&state, 0, sizeof(state));
    for (;;) {
        fnCopyText(pIF->szSuggestDstDir, COUNTOF(pIF->szSuggestDstDir),
                   pIF->uCopyMode == kCopyWinDir ? g_szWinDir : pIF->szDstDir);
        char szSrc[kcchPath], szTarget[kcchPath];
        fnPathJoin(szTarget, COUNTOF(szTarget), pIF->szSuggestDstDir, pIF->szDstFileName);
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT4, IDS_COPY_INSTALL_AS, szTarget);
        fnPathJoin(szSrc, COUNTOF(szSrc), pIF->szSrcFilePath, pIF->szSrcFileName);
        if (fnInstallNewTarget(pIF, szSrc, szTarget))
            return kIFVInstalled;
        if (fnExists(szSrc)) {
            TRACE("fnInstallFileVer- fnFindFileInfoVer (before)", "szSrc=%s", szSrc);
            int iDecision = kDecInstall;
            if (fnNeedsCurrentCopy(pIF, szTarget))
                iDecision = fnFindFileInfoVer(hwndMain, pIF);
            else if (fnTextEqualI(szSrc, szTarget))
                iDecision = kDecSkip;
            TRACE("fnInstallFileVer - fnFindFileInfoVer (after)", "iDecision=%d,\nszCurDir=%s", iDecision,
                  pIF->szCurDir);
            if (iDecision == kDecStop || iDecision == kDecBufTooSmall)
                return kIFVStop;
            if (iDecision == kDecSkip)
                break;
            int iAttempt = fnAttemptLoop(hwndMain, pIF, iDecision, &state);
            if (iAttempt == kAttemptDone)
                return kIFVInstalled;
            if (iAttempt == kAttemptPass)
                break;
            if (iAttempt == kAttemptStop)
                return kIFVStop;
        }
        int iAsk = fnAskForSourceDisk(hwndMain, pIF);
        if (iAsk == kAskRetry)
            continue;
        if (iAsk == kAskStop)
            return kIFVStop;
        break;
    }
    fnSetProgressPos(pIF->hStatusDlg, pIF->uFileNum);
    return kIFVPassed;
}
