// Copy-files sections in install mode, and what both modes share: header
// lines, the entry reader, counting, disk labels and source directories.
#include "files/copy_section.h"
#include "base/path.h"

#include "expand/expand.h"
#include "files/copy_section_text.h"
#include "files/copy_status.h"
#include "files/dirs.h"
#include "files/install.h"
#include "files/install_ops.h"
#include "files/install_wild.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/input.h"
#include "resource.h"

namespace {

// A yes/no setting: "Y" or "N" sets the flag, anything else leaves it.
void fnTakeYesNo(const char *pszValue, BOOL *pbFlag)
{
    int iYesNo = fnYesNoField(pszValue);
    if (iYesNo != kYesNoOther)
        *pbFlag = iYesNo == kYesNoYes;
}

// Applies one header line; 0 when the key is not a header keyword.
int fnTakeHeaderKey(CopyHeaderStruct *pHeader, const char *pszKey, char *pszLine)
{
    char szValue[kcchInfLine];
    fnInfParseField(pszLine, 1, szValue, COUNTOF(szValue));
    if (fnTextEqualI(pszKey, "TotalFiles")) {
        pHeader->uTotalFiles = fnDecimalValue(szValue);
        pHeader->bTotalGiven = 1;
    } else if (fnTextEqualI(pszKey, "BeQuiet")) {
        fnTakeYesNo(szValue, &pHeader->bQuiet);
    } else if (fnTextEqualI(pszKey, "ExpandDelims")) {
        fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), szValue);
    } else if (fnTextEqualI(pszKey, "DisksSection")) {
        fnExpandOpts(szValue, COUNTOF(szValue));
        fnCopyText(pHeader->szDisksSection, COUNTOF(pHeader->szDisksSection), szValue);
    } else if (fnTextEqualI(pszKey, "DirsSection")) {
        fnExpandOpts(szValue, COUNTOF(szValue));
        fnCopyText(pHeader->szDirsSection, COUNTOF(pHeader->szDirsSection), szValue);
    } else {
        return 0;
    }
    return 1;
}

// "[CopyConfig]": the file count for the meter and the run's quiet flag.
void fnReadCopyConfig(const char *pszSection, const char *pszRest, unsigned *puMaxFiles)
{
    const char *pszPos = fnFindScriptSection("[CopyConfig]", pszSection, pszRest);
    char szLine[kcchInfLine], szKey[kcchInfLine], szValue[kcchInfLine];
    while (fnInfNextLineToDo(&pszPos, szLine, COUNTOF(szLine))) {
        if (!fnInfParseField(szLine, 0, szKey, COUNTOF(szKey)))
            break;
        fnInfParseField(szLine, 1, szValue, COUNTOF(szValue));
        fnExpandOpts(szValue, COUNTOF(szValue));
        if (fnTextEqualI(szKey, "FilesToCopy")) {
            *puMaxFiles = fnDecimalValue(szValue);
        } else if (fnTextEqualI(szKey, "BeQuiet")) {
            fnTakeYesNo(szValue, &g_bQuiet);
        } else {
            break;
        }
    }
}

unsigned fnCountMatches(const char *pszDir, const char *pszPattern, int bRecurse)
{
    char szSearch[kcchPath];
    unsigned uCount = 0;
    WIN32_FIND_DATAA fd;
    if (fnPathJoin(szSearch, COUNTOF(szSearch), pszDir, pszPattern)) {
        HANDLE hFind = FindFirstFileA(szSearch, &fd);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    uCount++;
            } while (FindNextFileA(hFind, &fd));
            FindClose(hFind);
        }
    }
    if (!bRecurse || !fnPathJoin(szSearch, COUNTOF(szSearch), pszDir, "*.*"))
        return uCount;
    HANDLE hFind = FindFirstFileA(szSearch, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return uCount;
    do {
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && strcmp(fd.cFileName, ".") &&
            strcmp(fd.cFileName, "..")) {
            char szSub[kcchPath];
            if (fnPathJoin(szSub, COUNTOF(szSub), pszDir, fd.cFileName))
                uCount += fnCountMatches(szSub, pszPattern, 1);
        }
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return uCount;
}

// Reads a required field and expands it: 1 present and not empty.
int fnExpandedField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut)
{
    if (!fnInfParseField(pszLine, uField, pszOut, cchOut) || !pszOut[0])
        return 0;
    fnExpandOpts(pszOut, cchOut);
    return pszOut[0] != '\0';
}

// Install-mode destination: name, and directory joined to g_szDestDir unless
// it is taken as written.
void fnSplitDestination(IFStruct *pIF, const char *pszDest, int (*pfnAsWritten)(const char *))
{
    char szDir[kcchPath];
    fnPathSplit(pszDest, szDir, COUNTOF(szDir), pIF->szDstFileName, COUNTOF(pIF->szDstFileName));
    if (!szDir[0])
        fnCopyText(pIF->szDstDir, COUNTOF(pIF->szDstDir), g_szDestDir);
    else if (pfnAsWritten(szDir))
        fnCopyText(pIF->szDstDir, COUNTOF(pIF->szDstDir), szDir);
    else
        fnPathJoin(pIF->szDstDir, COUNTOF(pIF->szDstDir), g_szDestDir, szDir);
}

}  // namespace

int fnTakeNames(IFStruct *pIF, const char *pszSource, const char *pszDest, int (*pfnAsWritten)(const char *))
{
    const char *apszNames[] = {pszSource, pszDest};
    for (const char *pszName : apszNames) {
        if (fnHasBadFileChars(pszName)) {
            if (!g_bQuiet)
                fnMsgBox(IDS_BAD_FILE_CHARS, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, pszName);
            return 0;
        }
    }
    fnSplitSource(pIF, pszSource);
    fnSplitDestination(pIF, pszDest, pfnAsWritten);
    return 1;
}

namespace {

// Clears what one entry sets, keeping the section's window and counters.
void fnClearEntry(IFStruct *pIF)
{
    HWND hStatus = pIF->hStatusDlg;
    unsigned uFileNum = pIF->uFileNum;
    BOOL bQuiet = pIF->bSectionQuiet;
    memset(pIF, 0, sizeof(*pIF));
    pIF->hStatusDlg = hStatus;
    pIF->uFileNum = uFileNum;
    pIF->bSectionQuiet = bQuiet;
}

// A source directory that does not hold the file, below a directory named
// "DISK...", is tried one level up (disk images copied into one tree).
void fnFindSourceFile(IFStruct *pIF)
{
    char szSrc[kcchPath];
    if (fnHasWildcards(pIF->szSrcFileName) ||
        !fnPathJoin(szSrc, COUNTOF(szSrc), pIF->szSrcFilePath, pIF->szSrcFileName) ||
        GetFileAttributesA(szSrc) != INVALID_FILE_ATTRIBUTES)
        return;
    char szParent[kcchPath], szLast[kcchPath];
    fnPathSplit(pIF->szSrcFilePath, szParent, COUNTOF(szParent), szLast, COUNTOF(szLast));
    if (!szParent[0] || !fnTextBeginsI(szLast, "DISK"))
        return;
    if (fnPathJoin(szSrc, COUNTOF(szSrc), szParent, pIF->szSrcFileName) &&
        GetFileAttributesA(szSrc) != INVALID_FILE_ATTRIBUTES) {
        TRACE("fnFindSourceFile", "szSrcFilePath=%s,\nszParent=%s", pIF->szSrcFilePath, szParent);
        fnCopyText(pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), szParent);
    }
}

// Parts of a join collect in a temporary file until the last part.
struct JoinState {
    char szTempFile[kcchPath];
    char szDstDir[kcchPath];
    char szDstFileName[kcchPath];
};

void fnDropJoin(JoinState *pJoin)
{
    if (pJoin->szTempFile[0]) {
        SetFileAttributesA(pJoin->szTempFile, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(pJoin->szTempFile);
        pJoin->szTempFile[0] = '\0';
    }
}

int fnStartJoin(IFStruct *pIF, JoinState *pJoin)
{
    fnDropJoin(pJoin);
    fnCopyText(pJoin->szDstDir, COUNTOF(pJoin->szDstDir), pIF->szDstDir);
    fnCopyText(pJoin->szDstFileName, COUNTOF(pJoin->szDstFileName), pIF->szDstFileName);
    char szTempDir[kcchPath];
    DWORD cch = GetTempPathA(COUNTOF(szTempDir), szTempDir);
    if (cch == 0 || cch >= COUNTOF(szTempDir) || !GetTempFileNameA(szTempDir, "_RJ", 0, pJoin->szTempFile)) {
        if (!GetTempFileNameA("C:\\", "_RJ", 0, pJoin->szTempFile)) {
            pJoin->szTempFile[0] = '\0';
            return 0;
        }
    }
    return 1;
}

// One entry of install mode with the join rules; 1 go on, 0 stop.
int fnInstallJoinEntry(HWND hwndMain, IFStruct *pIF, JoinState *pJoin)
{
    int bJoin = pIF->uJoinPart != kJoinNone && pIF->uCopyMode == kCopyJoin && pIF->uInstallMode != kInstallR;
    if (!bJoin)
        return fnInstallOneEntry(hwndMain, pIF);
    if (pIF->uJoinPart == kJoinFirst && !fnStartJoin(pIF, pJoin))
        return 0;
    if (!pJoin->szTempFile[0]) {
        TRACE("fnCopyFiles - Join", "no first part before szSrcFileName=%s", pIF->szSrcFileName);
        return 1;
    }
    if (!fnPathSplit(pJoin->szTempFile, pIF->szDstDir, COUNTOF(pIF->szDstDir), pIF->szDstFileName,
                     COUNTOF(pIF->szDstFileName)) ||
        !pIF->szDstFileName[0])
        return 0;
    TRACE("fnCopyFiles - Join", "szSrcFilePath=%s,\nszSrcFileName=%s,\nszTempFile=%s,\nuJoinPart=%u",
          pIF->szSrcFilePath, pIF->szSrcFileName, pJoin->szTempFile, pIF->uJoinPart);
    int iPart = fnInstallFileVer(hwndMain, pIF);
    if (iPart == kIFVStop)
        return 0;
    if (iPart == kIFVPassed) {
        // A part that is missing or was not appended would leave a file
        // with a gap: the join is given up, its later parts pass over.
        TRACE("fnCopyFiles - Join", "part passed over, join dropped: szSrcFileName=%s", pIF->szSrcFileName);
        fnDropJoin(pJoin);
        return 1;
    }
    if (pIF->uJoinPart != kJoinLast)
        return 1;
    fnPathSplit(pJoin->szTempFile, pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), pIF->szSrcFileName,
                    COUNTOF(pIF->szSrcFileName));
    fnCopyText(pIF->szDstDir, COUNTOF(pIF->szDstDir), pJoin->szDstDir);
    fnCopyText(pIF->szDstFileName, COUNTOF(pIF->szDstFileName), pJoin->szDstFileName);
    pIF->uCopyMode = pIF->uJoinCopyMode;
    pIF->uJoinPart = kJoinNone;
    TRACE("fnCopyFiles - Join-Expand", "szTempFile=%s,\nszDstDir=%s,\nszDstFileName=%s", pJoin->szTempFile,
          pIF->szDstDir, pIF->szDstFileName);
    int iRC = fnInstallFileVer(hwndMain, pIF);
    fnDropJoin(pJoin);
    return iRC != kIFVStop;
}

int fnCopyFilesLoop(HWND hwndMain, IFStruct *pIF, LineCursorStruct *pCursor, unsigned uMaxLines,
                    const CopyHeaderStruct *pHeader, const char *pszSection, const char *pszHeader,
                    const char *pszRest, JoinState *pJoin)
{
    for (unsigned uLineNum = 1; uLineNum <= uMaxLines; uLineNum++, pIF->uFileNum++) {
        fnPumpMessagesSometimes();
        if (fnCancelPressed(pIF->hStatusDlg))
            return 0;
        unsigned uTest = IDTEST_NOTEST;
        int iRead = fnReadCopyFiles(hwndMain, pCursor, uLineNum, pIF, &uTest);
        int iOutcome = fnEntryReadOutcome(iRead, uTest, uLineNum, pszHeader);
        if (iOutcome != kEntryGoOn)
            return iOutcome;
        if (pIF->szDiskId[0])
            fnLookUpDiskLabel(pIF, pHeader->szDisksSection, pszSection, pszRest);
        if (uTest == IDTEST_FALSE || uTest == IDTEST_CONTINUE) {
            fnSetProgressPos(pIF->hStatusDlg, pIF->uFileNum);
            continue;
        }
        if (!fnCreateDirTreeMsg(hwndMain, pIF->szDstDir, TRUE))
            return 0;
        fnCompleteSourceDir(pIF);
        if (!fnInstallJoinEntry(hwndMain, pIF, pJoin))
            return 0;
        fnPumpMessagesSometimes();
        if (fnCancelPressed(pIF->hStatusDlg))
            return 0;
    }
    return 1;
}

}  // namespace

const char *fnFindScriptSection(const char *pszHeader, const char *pszSection, const char *pszRest)
{
    // The walk cuts the script after the running section, so the text before
    // it and the rest after it are searched one after the other.
    const char *apszTexts[] = {g_pszScript, pszSection, pszRest};
    for (const char *pszText : apszTexts) {
        if (!pszText)
            continue;
        if (const char *pszBody = fnInfFindSection(pszText, pszHeader, 0))
            return pszBody;
    }
    return NULL;
}

const char *fnReadCopyHeader(const char *pszSection, CopyHeaderStruct *pHeader, unsigned *puMaxLines)
{
    memset(pHeader, 0, sizeof(*pHeader));
    pHeader->bQuiet = g_bQuiet;
    fnCopyText(pHeader->szDirsSection, COUNTOF(pHeader->szDirsSection), "[MakeDirs]");
    fnCopyText(pHeader->szDisksSection, COUNTOF(pHeader->szDisksSection), "[Disks]");
    *puMaxLines = 0;
    const char *pszPos = fnInfSectionBody(pszSection);
    char szLine[kcchInfLine], szKey[kcchInfLine];
    for (;;) {
        szLine[0] = '\0';
        const char *pszNext = fnInfReadLine(pszPos, szLine, COUNTOF(szLine));
        if (!pszNext || !szLine[0])
            return NULL;
        int iTest = fnInfTestIfTwoFields(szLine, COUNTOF(szLine));
        if (iTest == IDTEST_SKIPSECTION)
            return NULL;
        if (iTest == IDTEST_FALSE || iTest == IDTEST_CONTINUE) {
            pszPos = pszNext;
            continue;
        }
        if (!fnInfParseField(szLine, 0, szKey, COUNTOF(szKey)) || !fnTakeHeaderKey(pHeader, szKey, szLine))
            break;
        pszPos = pszNext;
    }
    *puMaxLines = fnInfCountLines(pszPos, NULL, 0xFFFFFFFFu);
    return *puMaxLines ? pszPos : NULL;
}

int fnCursorLine(LineCursorStruct *pCursor, unsigned uLine, char *pszLine, size_t cchLine)
{
    if (uLine == 0 || !pCursor->pszFirst)
        return 0;
    if (uLine < pCursor->uLine || !pCursor->pszPos) {
        pCursor->pszPos = pCursor->pszFirst;
        pCursor->uLine = 1;
    }
    while (pCursor->pszPos) {
        pszLine[0] = '\0';
        const char *pszNext = fnInfReadLine(pCursor->pszPos, pszLine, cchLine);
        if (!pszNext || !pszLine[0])
            return 0;
        pCursor->pszPos = pszNext;
        if (pCursor->uLine++ == uLine)
            return 1;
    }
    return 0;
}

void fnSplitSource(IFStruct *pIF, const char *pszSource)
{
    fnPathSplit(pszSource, pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), pIF->szSrcFileName,
                    COUNTOF(pIF->szSrcFileName));
    if (!pIF->szSrcFilePath[0])
        fnCopyText(pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), ".");
}

void fnCompleteSourceDir(IFStruct *pIF)
{
    const char *pszPath = pIF->szSrcFilePath;
    if (!strcmp(pszPath, ".")) {
        fnCopyText(pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), g_szSourceDir);
    } else if (!(pszPath[0] && pszPath[1] == ':') && !(pszPath[0] == '\\' && pszPath[1] == '\\')) {
        char szJoined[kcchPath];
        fnPathJoin(szJoined, COUNTOF(szJoined), g_szSourceDir, pszPath);
        fnCopyText(pIF->szSrcFilePath, COUNTOF(pIF->szSrcFilePath), szJoined);
    }
    fnFindSourceFile(pIF);
}

void fnLookUpDiskLabel(IFStruct *pIF, const char *pszDisksSection, const char *pszSection, const char *pszRest)
{
    const char *pszPos = fnFindScriptSection(pszDisksSection, pszSection, pszRest);
    char szLine[kcchInfLine], szKey[kcchInfLine];
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        if (fnInfParseField(szLine, 0, szKey, COUNTOF(szKey)) && fnTextEqualI(szKey, pIF->szDiskId)) {
            char szLabel[kcchInfLine];
            fnInfParseField(szLine, 1, szLabel, COUNTOF(szLabel));
            fnExpandOpts(szLabel, COUNTOF(szLabel));
            fnCopyText(pIF->szDiskLabel, COUNTOF(pIF->szDiskLabel), szLabel);
            return;
        }
    }
}

unsigned fnCountEntries(const LineCursorStruct *pCursor, unsigned uMaxLines)
{
    LineCursorStruct cursor = {pCursor->pszFirst, pCursor->pszFirst, 1};
    char szLine[kcchInfLine], szField[kcchInfLine], szSource[kcchInfLine], szFlags[kcchInfLine];
    unsigned uCount = 0;
    for (unsigned u = 1; u <= uMaxLines && fnCursorLine(&cursor, u, szLine, COUNTOF(szLine)); u++) {
        unsigned uBase = fnInfParseField(szLine, 0, szField, COUNTOF(szField)) ? 1 : 0;
        if (!fnInfParseField(szLine, 1 + uBase, szField, COUNTOF(szField)) || !szField[0] ||
            !fnInfParseField(szLine, 2 + uBase, szSource, COUNTOF(szSource)) || !szSource[0] ||
            !fnInfParseField(szLine, 3 + uBase, szField, COUNTOF(szField)) || !szField[0])
            break;
        if (!fnHasWildcards(szSource)) {
            uCount++;
            continue;
        }
        fnExpandOpts(szSource, COUNTOF(szSource));
        fnInfParseField(szLine, 4 + uBase, szFlags, COUNTOF(szFlags));
        char szRel[kcchPath], szName[kcchPath], szDir[kcchPath];
        fnPathSplit(szSource, szRel, COUNTOF(szRel), szName, COUNTOF(szName));
        if (!szRel[0] || !strcmp(szRel, "."))
            fnCopyText(szDir, COUNTOF(szDir), g_szSourceDir);
        else if ((szRel[0] && szRel[1] == ':') || (szRel[0] == '\\' && szRel[1] == '\\'))
            fnCopyText(szDir, COUNTOF(szDir), szRel);
        else
            fnPathJoin(szDir, COUNTOF(szDir), g_szSourceDir, szRel);
        uCount += fnCountMatches(szDir, szName, szFlags[0] == '+');
    }
    return uCount;
}

int fnReadCopyFiles(HWND hwndMain, LineCursorStruct *pCursor, unsigned uLineNum, IFStruct *pIF, unsigned *puTest)
{
    (void)hwndMain;
    char szLine[kcchInfLine];
    *puTest = IDTEST_NOTEST;
    if (!fnCursorLine(pCursor, uLineNum, szLine, COUNTOF(szLine)))
        return 2;
    fnClearEntry(pIF);
    char szKey[kcchInfLine], szValue[kcchInfLine];
    unsigned uBase = 0;
    if (fnInfParseField(szLine, 0, szKey, COUNTOF(szKey))) {
        fnInfParseField(szLine, 1, szValue, COUNTOF(szValue));
        *puTest = (unsigned)fnInfTestField(szKey, szValue);
        uBase = 1;
        if (*puTest != IDTEST_TRUE && *puTest != IDTEST_NOTEST)
            return 1;
    }
    char szDisk[kcchInfLine], szSource[kcchInfLine], szDest[kcchInfLine];
    char szInstall[kcchInfLine], szCopy[kcchInfLine], szBackup[kcchInfLine], szDesc[kcchInfLine];
    if (!fnInfParseField(szLine, 1 + uBase, szDisk, COUNTOF(szDisk)) || !szDisk[0] ||
        !fnExpandedField(szLine, 2 + uBase, szSource, COUNTOF(szSource)) ||
        !fnExpandedField(szLine, 3 + uBase, szDest, COUNTOF(szDest)) ||
        !fnInfParseField(szLine, 4 + uBase, szInstall, COUNTOF(szInstall)) ||
        !fnInfParseField(szLine, 5 + uBase, szCopy, COUNTOF(szCopy)) ||
        !fnInfParseField(szLine, 6 + uBase, szBackup, COUNTOF(szBackup)))
        return 0;
    EntryFlagsStruct flags;
    if (!fnParseEntryFlags(szInstall, szCopy, szBackup, &flags))
        return 0;
    pIF->bDiskPrompt = fnDiskIdOf(szDisk, pIF->szDiskId, COUNTOF(pIF->szDiskId));
    if (!fnTakeNames(pIF, szSource, szDest, fnIsDstDirAsWritten))
        return 0;
    pIF->bRecurse = flags.bRecurse;
    pIF->uInstallMode = flags.uInstallMode;
    pIF->uInUseAction = flags.uInUseAction;
    pIF->uVerAction = flags.uVerAction;
    pIF->bKeepAttrib = flags.bKeepAttrib;
    pIF->uCopyMode = flags.uCopyMode;
    pIF->uJoinCopyMode = flags.uJoinCopyMode;
    pIF->uJoinPart = flags.uJoinPart;
    pIF->uBackupMode = flags.uBackupMode;
    if (fnInfParseField(szLine, 7 + uBase, szDesc, COUNTOF(szDesc))) {
        fnExpandOpts(szDesc, COUNTOF(szDesc));
        fnCopyText(pIF->szDescription, COUNTOF(pIF->szDescription), szDesc);
    }
    return 1;
}

int fnInstallOneEntry(HWND hwndMain, IFStruct *pIF)
{
    if (fnHasWildcards(pIF->szSrcFileName)) {
        fnCopyText(pIF->szWildFileName, COUNTOF(pIF->szWildFileName), pIF->szSrcFileName);
        TRACE("fnCopyFiles - Wild", "szSrcFilePath=%s,\nszWildFileName=%s,\nszDstDir=%s", pIF->szSrcFilePath,
              pIF->szWildFileName, pIF->szDstDir);
        pIF->uFileNum--;
        return fnWildInstallFiles(hwndMain, pIF) != 0;
    }
    return fnInstallFileVer(hwndMain, pIF) != kIFVStop;
}

const char *fnBeginCopySection(IFStruct *pIF, HWND hwndStatus, const char *pszSection, CopyHeaderStruct *pHeader,
                               unsigned *puMaxLines)
{
    *puMaxLines = 0;
    if (!pszSection || !pszSection[0])
        return NULL;
    memset(pIF, 0, sizeof(*pIF));
    pIF->hStatusDlg = hwndStatus;
    return fnReadCopyHeader(pszSection, pHeader, puMaxLines);
}

int fnEntryReadOutcome(int iRead, unsigned uTest, unsigned uLineNum, const char *pszHeader)
{
    if (iRead == 2 || uTest == IDTEST_SKIPSECTION)
        return kEntryEndSection;
    if (iRead != 0)
        return kEntryGoOn;
    if (!g_bQuiet)
        fnMsgBox(IDS_LINE_ERROR, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, uLineNum, pszHeader);
    return kEntryFailed;
}

void fnSetUpCopyMeter(IFStruct *pIF, const CopyHeaderStruct *pHeader, unsigned uMaxFiles)
{
    pIF->bSectionQuiet = pHeader->bQuiet;
    if (!pHeader->bQuiet) {
        fnSetProgressPos(pIF->hStatusDlg, 0);
        fnSetProgressRange(pIF->hStatusDlg, uMaxFiles);
        return;
    }
    if (pIF->hStatusDlg && IsWindow(pIF->hStatusDlg))
        DestroyWindow(pIF->hStatusDlg);
    pIF->hStatusDlg = NULL;
}

int fnCopyFiles(HWND hwndMain, HWND hwndStatus, const char *pszSection, const char *pszHeader, const char *pszRest)
{
    IFStruct ifs;  // the section's install record, filled entry by entry
    CopyHeaderStruct header;
    unsigned uMaxLines = 0;
    const char *pszEntries = fnBeginCopySection(&ifs, hwndStatus, pszSection, &header, &uMaxLines);
    if (!pszEntries)
        return 1;
    LineCursorStruct cursor = {pszEntries, pszEntries, 1};
    unsigned uMaxFiles = header.uTotalFiles;
    if (!header.bTotalGiven) {
        HWND hwndWait = NULL;
        if (!g_bQuiet) {
            char szCounting[kcchShort];
            fnLoadText(IDS_COPY_COUNTING, szCounting, COUNTOF(szCounting));
            hwndWait = fnStatusWindow(hwndMain, IDS_STATUS_WAIT, 1, kPlaceBottomLeft, 0, szCounting);
        }
        uMaxFiles = fnCountEntries(&cursor, uMaxLines);
        fnReadCopyConfig(pszSection, pszRest, &uMaxFiles);
        if (hwndWait)
            DestroyWindow(hwndWait);
    }
    if (uMaxFiles == 0)
        return 1;
    fnSetUpCopyMeter(&ifs, &header, uMaxFiles);
    TRACE("fnInfCopyFiles", "lpszSection=%s, uMaxLines=%u, uMaxFiles=%u\nlpszInf=%s", pszHeader, uMaxLines, uMaxFiles,
          g_szSetupInf);
    ifs.uFileNum = 1;
    JoinState join;
    memset(&join, 0, sizeof(join));
    int iRC = fnCopyFilesLoop(hwndMain, &ifs, &cursor, uMaxLines, &header, pszSection, pszHeader, pszRest, &join);
    fnDropJoin(&join);
    return iRC;
}

int fnCopyFilesSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                       const char *pszRest)
{
    (void)pInput;
    HWND hwndStatus = g_bQuiet ? NULL : fnCreateCopyStatus(hwndMain);
    int bToDisks = fnTextEqualI(pszHeader, "[MakeDisks]") || fnTextEqualI(pszHeader, "[CopyFilesToDisks]");
    int iRC = bToDisks ? fnInfCopyFilesToDisks(hwndMain, hwndStatus, pszSection, pszHeader, pszRest)
                       : fnCopyFiles(hwndMain, hwndStatus, pszSection, pszHeader, pszRest);
    if (hwndStatus && IsWindow(hwndStatus))
        DestroyWindow(hwndStatus);
    if (iRC)
        return 1;
    if (!g_bQuiet)
        fnMsgBox(IDS_INSTALL_FAILED, NULL, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    return 0;
}
