// Copy-files sections in to-disks mode: the files are copied as they are
// onto a series of target disks, with a prompt for each new disk and a check
// of its free space.
#include "files/copy_section.h"
#include "base/path.h"

#include "expand/expand.h"
#include "files/copy_section_text.h"
#include "files/copy_status.h"
#include "files/dirs.h"
#include "files/dirs_text.h"
#include "files/install_ops.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "resource.h"

namespace {

struct DisksState {
    char szDescription[kcchShort];  // remembered from entry to entry
    int iDisk;                      // number of the next disk to ask for
    BOOL bSwitched;                 // a new disk went in since the last directory run
};

// The directories of the directories section on the target disk, without
// status window and without logging; a failure has been reported.
int fnMakeDiskDirs(HWND hwndMain, const char *pszDirsSection, const char *pszSection, const char *pszRest)
{
    if (!fnCreateDirTreeMsg(hwndMain, g_szDestDir, FALSE))
        return 0;
    const char *pszLines = fnFindScriptSection(pszDirsSection, pszSection, pszRest);
    if (!pszLines)
        return 1;
    unsigned uLines = fnInfCountLines(pszLines, NULL, kuMaxDirLines);
    return fnCreateDirectories(hwndMain, NULL, pszLines, pszDirsSection, uLines, 0, FALSE, FALSE) == 1;
}

// The next disk goes in; 0 when the user cancels.
int fnAskNextDisk(DisksState *pState)
{
    if (fnMsgBox(IDS_INSERT_DISK_N, NULL, MB_OKCANCEL | MB_ICONINFORMATION | MB_TASKMODAL, pState->iDisk) == IDCANCEL)
        return 0;
    pState->iDisk++;
    pState->bSwitched = TRUE;
    return 1;
}

// Free space on the target for one entry, asking for other disks; 0 cancelled.
int fnEnsureDiskSpace(DisksState *pState, DWORD dwNeeded)
{
    char szRoot[kcchPath];
    if (!fnPathRoot(g_szDestDir, szRoot, COUNTOF(szRoot)))
        fnCopyText(szRoot, COUNTOF(szRoot), g_szDestDir);
    DWORD dwFree = fnGetDiskSpace(g_szDestDir);
    while (dwFree < dwNeeded) {
        if (pState->bSwitched)
            pState->iDisk--;
        if (!fnAskNextDisk(pState))
            return 0;
        dwFree = fnGetDiskSpace(g_szDestDir);
        if (dwFree >= dwNeeded)
            break;
        if (fnMsgBox(IDS_DISK_SPACE_SWITCH, NULL, MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL, szRoot,
                     (unsigned long)dwFree, (unsigned long)dwNeeded) == IDCANCEL)
            return 0;
    }
    return 1;
}

int fnDisksLoop(HWND hwndMain, IFStruct *pIF, LineCursorStruct *pCursor, unsigned uMaxLines,
                const CopyHeaderStruct *pHeader, const char *pszSection, const char *pszHeader, const char *pszRest)
{
    DisksState state;
    memset(&state, 0, sizeof(state));
    state.iDisk = 2;
    for (unsigned uLineNum = 1; uLineNum <= uMaxLines; uLineNum++, pIF->uFileNum++) {
        fnPumpMessagesSometimes();
        if (fnCancelPressed(pIF->hStatusDlg))
            return 0;
        DWORD dwNeeded = 1;
        BOOL bSwitch = FALSE;
        unsigned uTest = IDTEST_NOTEST;
        int iRead = fnReadCopyFilesToDisks(hwndMain, pCursor, uLineNum, pIF, &dwNeeded, &bSwitch, &uTest);
        int iOutcome = fnEntryReadOutcome(iRead, uTest, uLineNum, pszHeader);
        if (iOutcome != kEntryGoOn)
            return iOutcome;
        if (pIF->szDiskId[0])
            fnLookUpDiskLabel(pIF, pHeader->szDisksSection, pszSection, pszRest);
        TRACE("fnInfCopyFilesToDisks",
              "fnReadCopyFilesToDisks returned,\nszScratch=%s,\nIFStruct.szSrcFileName=%s,\nIFStruct.szSrcFilePath=%s,"
              "\nIFStruct.szDstFileName=%s,\nIFStruct.szDstDir=%s,\ndwDiskSpaceNeeded=%lu,\nuSwitchDisk=%u,\nuTest=%u",
              pIF->szDiskId, pIF->szSrcFileName, pIF->szSrcFilePath, pIF->szDstFileName, pIF->szDstDir,
              (unsigned long)dwNeeded, (unsigned)bSwitch, uTest);
        if (uTest == IDTEST_FALSE || uTest == IDTEST_CONTINUE) {
            fnSetProgressPos(pIF->hStatusDlg, pIF->uFileNum);
            continue;
        }
        if (bSwitch && !fnAskNextDisk(&state))
            return 0;
        if (!fnEnsureDiskSpace(&state, dwNeeded))
            return 0;
        if (uLineNum == 1 || state.bSwitched) {
            if (!fnMakeDiskDirs(hwndMain, pHeader->szDirsSection, pszSection, pszRest))
                return 0;
            state.bSwitched = FALSE;
        }
        if (pIF->szDescription[0])
            fnCopyText(state.szDescription, COUNTOF(state.szDescription), pIF->szDescription);
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT2, 0, state.szDescription);
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT3, 0, "");
        fnSetStatusText(pIF->hStatusDlg, IDC_COPY_TEXT4, 0, "");
        if (!fnCreateDirTreeMsg(hwndMain, pIF->szDstDir, TRUE))
            return 0;
        fnCompleteSourceDir(pIF);
        TRACE("fnInfCopyFilesToDisks",
              "Install g_szSourceDir=%s,\nszScratch=%s,\nIFStruct.szSrcFileName=%s,\nIFStruct.szSrcFilePath=%s,\n"
              "IFStruct.szDstFileName=%s,\nIFStruct.szDstDir=%s",
              g_szSourceDir, pIF->szDiskId, pIF->szSrcFileName, pIF->szSrcFilePath, pIF->szDstFileName, pIF->szDstDir);
        if (fnCancelPressed(pIF->hStatusDlg))
            return 0;
        pIF->uJoinPart = kJoinNone;
        if (!fnInstallOneEntry(hwndMain, pIF))
            return 0;
        TRACE("fnInfCopyFilesToDisks", "Next \nuLineNum = %u, uMaxLines = %u, IFStruct.uFileNum = %u", uLineNum,
              uMaxLines, pIF->uFileNum);
        if (fnCancelPressed(pIF->hStatusDlg))
            return 0;
    }
    return 1;
}

}  // namespace

int fnReadCopyFilesToDisks(HWND hwndMain, LineCursorStruct *pCursor, unsigned uLineNum, IFStruct *pIF,
                           DWORD *pdwDiskSpaceNeeded, BOOL *pbSwitchDisk, unsigned *puTest)
{
    (void)hwndMain;
    char szLine[kcchInfLine];
    *puTest = IDTEST_NOTEST;
    *pdwDiskSpaceNeeded = 1;
    *pbSwitchDisk = FALSE;
    if (!fnCursorLine(pCursor, uLineNum, szLine, COUNTOF(szLine)))
        return 2;
    HWND hStatus = pIF->hStatusDlg;
    unsigned uFileNum = pIF->uFileNum;
    memset(pIF, 0, sizeof(*pIF));
    pIF->hStatusDlg = hStatus;
    pIF->uFileNum = uFileNum;
    char szKey[kcchInfLine], szValue[kcchInfLine];
    unsigned uBase = 0;
    if (fnInfParseField(szLine, 0, szKey, COUNTOF(szKey))) {
        fnInfParseField(szLine, 1, szValue, COUNTOF(szValue));
        *puTest = (unsigned)fnInfTestField(szKey, szValue);
        uBase = 1;
        if (*puTest != IDTEST_TRUE && *puTest != IDTEST_NOTEST)
            return 1;
    }
    char szDisk[kcchInfLine], szSource[kcchInfLine], szDest[kcchInfLine], szField[kcchInfLine];
    if (!fnInfParseField(szLine, 1 + uBase, szDisk, COUNTOF(szDisk)) || !szDisk[0] ||
        !fnInfParseField(szLine, 2 + uBase, szSource, COUNTOF(szSource)) || !szSource[0] ||
        !fnInfParseField(szLine, 3 + uBase, szDest, COUNTOF(szDest)) || !szDest[0])
        return 0;
    fnExpandOpts(szSource, COUNTOF(szSource));
    fnExpandOpts(szDest, COUNTOF(szDest));
    if (!fnTakeNames(pIF, szSource, szDest, fnIsDiskDstDirAsWritten))
        return 0;
    pIF->bDiskPrompt = fnDiskIdOf(szDisk, pIF->szDiskId, COUNTOF(pIF->szDiskId));
    if (fnInfParseField(szLine, 4 + uBase, szField, COUNTOF(szField))) {
        const char *pszDesc = szField;
        if (*pszDesc == '+') {
            pIF->bRecurse = TRUE;
            pszDesc++;
        }
        fnCopyText(pIF->szDescription, COUNTOF(pIF->szDescription), pszDesc);
    }
    if (fnInfParseField(szLine, 5 + uBase, szField, COUNTOF(szField)))
        *pbSwitchDisk = fnIsYes(szField);
    if (fnInfParseField(szLine, 6 + uBase, szField, COUNTOF(szField)) && szField[0]) {
        unsigned long ul = 0;
        for (const char *p = szField; *p >= '0' && *p <= '9'; p++)
            ul = ul < 0xFFFFFFFFUL / 10 ? ul * 10 + (unsigned long)(*p - '0') : 0xFFFFFFFFUL;
        *pdwDiskSpaceNeeded = (DWORD)ul;
    }
    pIF->uInstallMode = kInstallAsIs;
    pIF->uInUseAction = kInUseAsk;
    pIF->uVerAction = kVerActAsk;
    pIF->uCopyMode = kCopyNormal;
    pIF->uBackupMode = kBackupOverwrite;
    pIF->uJoinCopyMode = kCopyNormal;
    pIF->uJoinPart = kJoinNone;
    return 1;
}

int fnInfCopyFilesToDisks(HWND hwndMain, HWND hwndStatus, const char *pszSection, const char *pszHeader,
                          const char *pszRest)
{
    IFStruct ifs;  // the section's install record, filled entry by entry
    CopyHeaderStruct header;
    unsigned uMaxLines = 0;
    const char *pszEntries = fnBeginCopySection(&ifs, hwndStatus, pszSection, &header, &uMaxLines);
    if (!pszEntries)
        return 1;
    LineCursorStruct cursor = {pszEntries, pszEntries, 1};
    unsigned uMaxFiles = header.bTotalGiven ? header.uTotalFiles : fnCountEntries(&cursor, uMaxLines);
    if (uMaxFiles == 0)
        return 1;
    fnSetUpCopyMeter(&ifs, &header, uMaxFiles);
    TRACE("fnInfCopyFilesToDisk", "lpszSection=%s, uMaxLines=%u, uMaxFiles=%u\nlpszInf=%s", pszHeader, uMaxLines,
          uMaxFiles, g_szSetupInf);
    ifs.uFileNum = 1;
    return fnDisksLoop(hwndMain, &ifs, &cursor, uMaxLines, &header, pszSection, pszHeader, pszRest);
}
