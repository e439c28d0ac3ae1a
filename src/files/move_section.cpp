// [MoveFilesBefore], [MoveFiles] and [MoveFilesAfter]: the header lines, the
// count for the progress meter, then each entry through one step or a walk.
#include "files/move_section.h"
#include "base/path.h"

#include "expand/expand.h"
#include "files/copy_section.h"
#include "files/copy_status.h"
#include "files/dirs_text.h"
#include "files/move_paths.h"
#include "files/move_steps.h"
#include "files/move_walk.h"
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
                *puTotal = fnDecimalValue(szValue);
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

// Runs the entries of a move section, one pass over its lines.
int fnMoveFiles(HWND hwndMain, HWND hwndStatus, const char *pszSection, const char *pszHeader)
{
    (void)pszHeader;
    const char *pszLines = fnInfSectionBody(pszSection);
    IFStruct ifs;
    memset(&ifs, 0, sizeof(ifs));
    ifs.hStatusDlg = hwndStatus;
    ifs.uWaitTime = 100;
    unsigned uTotal = 0;
    BOOL bTotalGiven = FALSE;
    BOOL bQuiet = g_bQuiet;
    const char *pszEntries = fnReadMoveHeader(pszLines, &uTotal, &bTotalGiven, &bQuiet);
    if (!pszEntries)
        return kSectionDone;
    unsigned uMaxLines = fnInfCountLines(pszEntries, NULL, kuMaxMoveLines);
    unsigned uMaxFiles = bTotalGiven ? uTotal : fnCountMoveFiles(pszEntries, uMaxLines);
    TRACE("fnMoveFiles", "Begin IFStruct.szSrcFileSpec=%s,\nIFStruct.szDstFileSpec=%s\nuMaxFiles=%u, uMaxLines=%u",
          ifs.szSrcFileSpec, ifs.szDstFileSpec, uMaxFiles, uMaxLines);
    if (uMaxFiles == 0)
        return kSectionDone;
    ifs.bSectionQuiet = bQuiet;
    if (!bQuiet) {
        fnSetProgressPos(hwndStatus, 0);
        fnSetProgressRange(hwndStatus, uMaxFiles);
    }
    ifs.uFileNum = 1;
    // Each entry is read where the last one ended: one pass over the section.
    LineCursorStruct cursor = {pszEntries, pszEntries, 1};
    for (unsigned uLineNum = 1; uLineNum <= uMaxLines; uLineNum++, ifs.uFileNum++) {
        fnPumpMessagesSometimes();
        if (fnCancelPressed(hwndStatus))
            return kSectionFailed;
        char szLine[kcchInfLine];
        if (!fnCursorLine(&cursor, uLineNum, szLine, COUNTOF(szLine)))
            break;
        char szKey[kcchInfLine];
        if (fnInfParseField(szLine, 0, szKey, COUNTOF(szKey)) && fnTextEqualI(szKey, "ExpandDelims")) {
            fnInfParseField(szLine, 1, g_szExpandDelims, COUNTOF(g_szExpandDelims));
            continue;
        }
        unsigned uTest = IDTEST_NOTEST;
        if (!fnReadMoveEntry(szLine, COUNTOF(szLine), &ifs, &uTest)) {
            fnMsgBox(IDS_LINE_ERROR, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, uLineNum, pszHeader);
            return kSectionFailed;
        }
        if (uTest == IDTEST_SKIPSECTION)
            break;
        if (uTest == IDTEST_FALSE || uTest == IDTEST_CONTINUE) {
            if (!bQuiet)
                fnSetProgressPos(hwndStatus, ifs.uFileNum);
            continue;
        }
        fnPathSplit(ifs.szSrcFileSpec, ifs.szSrcFilePath, COUNTOF(ifs.szSrcFilePath), ifs.szSrcFileName,
                        COUNTOF(ifs.szSrcFileName));
        if (ifs.uBackupMode == kSourceCheck && !fnIsBareDrive(ifs.szSrcFilePath) &&
            !fnIsDirectoryPath(ifs.szSrcFilePath))
            continue;
        TRACE("fnMoveFiles", "IFStruct.szSrcFileSpec=%s,\nIFStruct.szDstFileSpec=%s", ifs.szSrcFileSpec,
              ifs.szDstFileSpec);
        if (fnHasWildcard(ifs.szSrcFileName)) {
            fnCopyText(ifs.szWildFileName, COUNTOF(ifs.szWildFileName), ifs.szSrcFileName);
            ifs.uFileNum--;
            if (!fnWildMove(hwndMain, &ifs))
                return kSectionFailed;
        } else {
            if (!fnMoveAFile(hwndMain, &ifs))
                return kSectionFailed;
            if (ifs.uWaitTime)
                fnWaitPumping(ifs.uWaitTime);
        }
    }
    if (ifs.uWaitTime)
        fnWaitPumping(ifs.uWaitTime);
    return kSectionDone;
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
