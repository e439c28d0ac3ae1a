// [IniEdits]: profile edits through the system's profile functions and line
// edits through a temporary copy. A file is only ever replaced by a complete
// edited copy, and the replacement itself is a rename inside the file's own
// directory, so a full disk, a locked file or a refused write leaves the
// original exactly as it was.
#include "config/iniedit.h"

#include "base/whole_file.h"
#include "expand/expand.h"
#include "base/attrib.h"
#include "base/unique.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "script/input.h"
#include "resource.h"

enum {
    kBackupPrompt = 500, kBackupOriExt, kBackupUnique, kBackupTime, kBackupDate, kBackupDateTime, kBackupNoMod,
};
enum { kcchProfileSection = 32 * 1024 };

static int fnAskYesNo(UINT uId, const char *pszArg)
{
    return fnMsgBox(uId, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL, pszArg) == IDYES;
}

static void fnSplitProfilePath(const char *pszPath, char *pszDir, size_t cchDir, char *pszName, size_t cchName)
{
    const char *pszSlash = strrchr(pszPath, '\\');
    if (!pszSlash) {
        pszDir[0] = '\0';
        fnCopyText(pszName, cchName, pszPath);
        return;
    }
    size_t cchPart = (size_t)(pszSlash - pszPath);
    if (cchPart == 2 && pszPath[1] == ':')
        cchPart++;  // "C:\" stays a root
    fnCopyTextN(pszDir, cchDir, pszPath, cchPart);
    fnCopyText(pszName, cchName, pszSlash + 1);
}

// ---------------------------------------------------------------------------
// Temporary copy, edit and replacement

int fnMakeEditTempFile(char *pszOut, size_t cchOut)
{
    char szDir[MAX_PATH];
    DWORD cch = GetTempPathA(COUNTOF(szDir), szDir);
    if (cch == 0 || cch >= COUNTOF(szDir))
        return 0;
    char szTemp[MAX_PATH];
    if (!GetTempFileNameA(szDir, "_", 0, szTemp))
        return 0;
    return fnCopyText(pszOut, cchOut, szTemp);
}

namespace {

struct FileSinkStruct {
    HANDLE hFile;
};

int fnFileSinkWrite(void *pContext, const char *pch, size_t cch)
{
    DWORD cbWritten = 0;
    return WriteFile(static_cast<FileSinkStruct *>(pContext)->hFile, pch, (DWORD)cch, &cbWritten, NULL) &&
           cbWritten == cch;
}

void fnFileSinkLog(void *, const char *pszLine)
{
    fnLogLine("%s", 1, pszLine);
}

// Runs one edit of pszFile's text into pszTempFile; 1 the copy is complete.
template <typename FnEdit>
int fnEditThroughTemp(const char *pszFile, const char *pszTempFile, FnEdit fnEdit)
{
    DWORD cb = 0;
    char *pchText = fnReadWholeFile(pszFile, &cb, kcbEditFileMax);
    if (!pchText)
        return 0;
    int bOk = 0;
    {
        CFileHandle hTemp(CreateFileA(pszTempFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
        if (hTemp.Get() != INVALID_HANDLE_VALUE) {
            FileSinkStruct file = {hTemp.Get()};
            IniSinkStruct sink = {&file, fnFileSinkWrite, fnFileSinkLog};
            bOk = fnEdit(pchText, (size_t)cb, &sink) && FlushFileBuffers(hTemp.Get());
            bOk = hTemp.fnClose() && bOk;
        }
    }
    HeapFree(GetProcessHeap(), 0, pchText);
    return bOk;
}

}  // namespace

int fnEditIniLine(const char *pszFile, const char *pszTempFile, const IniEditStruct *pEdit)
{
    TRACE("fnEditIniLine", "lpszFile=%s,\nlpszTempFile=%s,\nszSection=%s,\nszKey=%s,\nszValue=%s,\ncType=%c,\ncAction=%c",
          pszFile, pszTempFile, pEdit->szSection, pEdit->szKey, pEdit->szValue, pEdit->cType, pEdit->cAction);
    return fnEditThroughTemp(pszFile, pszTempFile, [pEdit](const char *pch, size_t cb, IniSinkStruct *pSink) {
        return fnEditIniText(pch, cb, pEdit, pSink);
    });
}

int fnEditPath(const char *pszFile, const char *pszTempFile, const char *pszPrefix, const char *pszItem,
               const char *pszNewItem, char cAction, char cPlace)
{
    TRACE("fnEditPath", "pszKey=<%s>,\npszValue=<%s>,\nszNewValue=<%s>,\ncAction=<%c>,\ncPlace=<%c>", pszPrefix,
          pszItem, pszNewItem, cAction, cPlace);
    return fnEditThroughTemp(pszFile, pszTempFile, [=](const char *pch, size_t cb, IniSinkStruct *pSink) {
        return fnEditPathText(pch, cb, pszFile, pszPrefix, pszItem, pszNewItem, cAction, cPlace, pSink);
    });
}

int fnReplaceEditedFile(const char *pszFile, const char *pszTempFile, DWORD dwAttrib, BOOL bAsk)
{
    while (GetFileAttributesA(pszFile) != INVALID_FILE_ATTRIBUTES && !fnTestWriteToFile(pszFile)) {
        if (!bAsk) {
            SetFileAttributesA(pszFile, FILE_ATTRIBUTE_NORMAL);
            return kReplaceFailed;
        }
        int iAnswer = fnMsgBox(IDS_INI_WRITE_PROTECTED, NULL, MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION | MB_TASKMODAL,
                               pszFile);
        if (iAnswer == IDIGNORE)
            return kReplaceIgnored;
        if (iAnswer != IDRETRY)
            return kReplaceAbort;
        SetFileAttributesA(pszFile, FILE_ATTRIBUTE_NORMAL);
    }
    // The edited copy is first completed beside the file, then renamed over
    // it: a copy that fails half-way never touches the original.
    char szDir[MAX_PATH], szName[MAX_PATH], szSibling[MAX_PATH];
    fnSplitProfilePath(pszFile, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
    if (!szDir[0])
        fnCopyText(szDir, COUNTOF(szDir), ".");
    if (!GetTempFileNameA(szDir, "_", 0, szSibling))
        return kReplaceFailed;
    if (!CopyFileA(pszTempFile, szSibling, FALSE) || !MoveFileExA(szSibling, pszFile, MOVEFILE_REPLACE_EXISTING)) {
        TRACE("fnReplaceEditedFile", "lpszFile=%s,\nszSibling=%s,\ndwErr=%lu", pszFile, szSibling,
              (unsigned long)GetLastError());
        DeleteFileA(szSibling);
        return kReplaceFailed;
    }
    if (dwAttrib != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(pszFile, dwAttrib);
    return kReplaceDone;
}

// ---------------------------------------------------------------------------
// Backups

static int fnMakeTree(const char *pszDir)
{
    char szPath[MAX_PATH];
    if (!fnCopyText(szPath, COUNTOF(szPath), pszDir))
        return 0;
    for (char *p = szPath; *p; p++) {
        if (*p != '\\' || p == szPath || p[-1] == ':' || p[-1] == '\\')
            continue;
        *p = '\0';
        CreateDirectoryA(szPath, NULL);
        *p = '\\';
    }
    CreateDirectoryA(szPath, NULL);
    DWORD dwAttrib = GetFileAttributesA(szPath);
    return dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_DIRECTORY);
}

// NAME.EXT in pszDir as NAME.<pszExt>.
static void fnSwapExtension(char *pszOut, size_t cchOut, const char *pszDir, const char *pszName, const char *pszExt)
{
    char szBase[MAX_PATH];
    fnCopyText(szBase, COUNTOF(szBase), pszName);
    char *pDot = strrchr(szBase, '.');
    if (pDot)
        *pDot = '\0';
    fnFormatText(pszOut, cchOut, "%s%s%s.%s", pszDir, pszDir[0] ? "\\" : "", szBase, pszExt);
}

int fnIniBackupFile(HWND hwndMain, IniBackupStruct *pBackup, const char *pszFile, unsigned uMethod, char *pszEditFile,
                    size_t cchEditFile)
{
    (void)hwndMain;
    fnCopyText(pszEditFile, cchEditFile, pszFile);
    if (GetFileAttributesA(pszFile) == INVALID_FILE_ATTRIBUTES)
        return 1;
    if (fnTextEqualI(pBackup->szLastFile, pszFile)) {
        fnCopyText(pszEditFile, cchEditFile, pBackup->szLastEdit);
        return 1;
    }
    char szDir[MAX_PATH], szName[MAX_PATH], szBackup[MAX_PATH] = "", szSubDir[MAX_PATH] = "";
    fnSplitProfilePath(pszFile, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
    switch (uMethod) {
    case kBackupPrompt:
        break;
    case kBackupNoMod:
        fnSwapExtension(szBackup, COUNTOF(szBackup), szDir, szName, "MOD");
        break;
    case kBackupUnique:
        if (fnUniqueFileName(szDir, szName, szBackup, COUNTOF(szBackup)) != 2)
            szBackup[0] = '\0';
        if (!szBackup[0] && !fnAskYesNo(IDS_INI_BACKUP_ERROR, pszFile))
            return 0;
        break;
    case kBackupTime:
        fnFormatText(szSubDir, COUNTOF(szSubDir), "%s\\%s", szDir, g_szTime);
        break;
    case kBackupDate:
        fnFormatText(szSubDir, COUNTOF(szSubDir), "%s\\%s", szDir, g_szDate);
        break;
    case kBackupDateTime:
        fnFormatText(szSubDir, COUNTOF(szSubDir), "%s\\%s\\%s", szDir, g_szDate, g_szTime);
        break;
    default:
        fnSwapExtension(szBackup, COUNTOF(szBackup), szDir, szName, "ORI");
        break;
    }
    if (szSubDir[0]) {
        if (!fnMakeTree(szSubDir)) {
            fnMsgBox(IDS_DIR_TREE_FAILED, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, szSubDir);
            return 0;
        }
        fnFormatText(szBackup, COUNTOF(szBackup), "%s\\%s", szSubDir, szName);
    }
    TRACE("fnIniFilesEdit backup file", "lpszFile=%s,\nszBackup=%s,\nuMethod=%u", pszFile, szBackup, uMethod);
    if (szBackup[0]) {
        SetFileAttributesA(szBackup, FILE_ATTRIBUTE_NORMAL);  // an older read-only .ORI is replaced too
        // Made like an edit: complete beside the file, then renamed, so no
        // moment leaves a cut backup (nor a cut older one).
        if (fnReplaceEditedFile(szBackup, pszFile, INVALID_FILE_ATTRIBUTES, FALSE) != kReplaceDone) {
            if (!fnAskYesNo(IDS_INI_BACKUP_ERROR, pszFile))
                return 0;
        } else if (uMethod == kBackupNoMod) {
            fnCopyText(pszEditFile, cchEditFile, szBackup);
        }
    }
    fnCopyText(pBackup->szLastFile, COUNTOF(pBackup->szLastFile), pszFile);
    fnCopyText(pBackup->szLastEdit, COUNTOF(pBackup->szLastEdit), pszEditFile);
    return 1;
}

// ---------------------------------------------------------------------------
// [IniEdits]

// The profile edit (type "I"); 1 done.
static int fnProfileEdit(const char *pszFile, const IniEditStruct *pEdit)
{
    const char *pszSection = pEdit->szSection, *pszKey = pEdit->szKey;
    char szOld[kcchIniValue];
    GetPrivateProfileStringA(pszSection, pszKey[0] ? pszKey : NULL, "", szOld, COUNTOF(szOld), pszFile);
    if (!pszKey[0])
        szOld[0] = '\0';
    if (pEdit->cAction == 'S' && szOld[0])
        return 1;
    BOOL bOk;
    const char *pszNew = pEdit->cAction == 'D' ? "" : pEdit->szValue;
    if (pEdit->szSubValue[0] == 'G' && pszKey[0]) {
        // The section is rewritten whole with the entry added when no entry holds the key.
        char *pchList = (char *)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, kcchProfileSection + kcchIniNewLine);
        if (!pchList)
            return 0;
        DWORD cch = GetPrivateProfileSectionA(pszSection, pchList, kcchProfileSection, pszFile);
        bOk = cch < kcchProfileSection - 2;  // a section too large to read whole is never written back cut
        int bHasKey = 0;
        const char *p = pchList;
        for (; bOk && *p; p += strlen(p) + 1)
            if (fnFindTextI(p, pszKey))
                bHasKey = 1;
        if (bOk && !bHasKey) {
            char szEntry[kcchIniNewLine];
            if (pEdit->szValue[0])
                fnFormatText(szEntry, COUNTOF(szEntry), "%s=%s", pszKey, pEdit->szValue);
            else
                fnCopyText(szEntry, COUNTOF(szEntry), pszKey);
            char *pEnd = pchList + (p - pchList);
            memcpy(pEnd, szEntry, strlen(szEntry) + 1);
            pEnd[strlen(szEntry) + 1] = '\0';
            bOk = WritePrivateProfileSectionA(pszSection, pchList, pszFile);
        }
        HeapFree(GetProcessHeap(), 0, pchList);
    } else {
        TRACE("fnIniFilesEdit WriteProfileString", "szProfileFile=%s,\n szSection=%s,\n szKey=%s,\n szValue=%s",
              pszFile, pszSection, pszKey, pszNew);
        if (pEdit->cAction == 'D')
            bOk = WritePrivateProfileStringA(pszSection, pszKey[0] ? pszKey : NULL, NULL, pszFile);
        else
            bOk = WritePrivateProfileStringA(pszSection, pszKey, pEdit->szValue, pszFile);
    }
    WritePrivateProfileStringA(NULL, NULL, NULL, pszFile);  // flush the profile cache
    if (bOk)
        fnLogLine("%s, \"%s\", \"%s\", \"%s\", \"%s\", I", 1, pszFile, pszSection, pszKey, szOld, pszNew);
    return bOk;
}

// Outcome of one line: go on with the next line or end the section.
enum { kLineGoOn = 1, kLineStop = 0 };

static int fnLineFailed(const char *pszFile)
{
    return fnAskYesNo(IDS_INI_WRITE_ERROR, pszFile) ? kLineGoOn : kLineStop;
}

// The line edit (every type but "I"); a kLine* result.
static int fnLineEdit(const char *pszFile, IniEditStruct *pEdit, DWORD dwAttrib)
{
    char szTemp[MAX_PATH];
    if (!fnMakeEditTempFile(szTemp, COUNTOF(szTemp)))
        return fnLineFailed(pszFile);
    int bEdited;
    if (pEdit->cType == 'P')
        bEdited = fnEditPath(pszFile, szTemp, pEdit->szKey[0] ? pEdit->szKey : "PATH", pEdit->szValue, pEdit->szValue,
                             pEdit->cAction, pEdit->szSubValue[0]);
    else
        bEdited = fnEditIniLine(pszFile, szTemp, pEdit);
    int iResult = kLineGoOn;
    if (!bEdited) {
        iResult = fnLineFailed(pszFile);
    } else {
        int iReplace = fnReplaceEditedFile(pszFile, szTemp, dwAttrib, TRUE);
        if (iReplace == kReplaceAbort)
            iResult = kLineStop;
        else if (iReplace == kReplaceFailed)
            iResult = fnLineFailed(pszFile);
    }
    DeleteFileA(szTemp);
    return iResult;
}

// Reads the fields of one edit line (after fnInfTestIfTwoFields); uFirst is the
// field of the file name. 0 when the file name is missing.
static int fnReadEditFields(char *pszLine, unsigned uFirst, IniEditStruct *pEdit)
{
    char szField[kcchInfLine];
    memset(pEdit, 0, sizeof(*pEdit));
    fnInfParseField(pszLine, uFirst, pEdit->szFile, COUNTOF(pEdit->szFile));
    fnExpandOpts(pEdit->szFile, COUNTOF(pEdit->szFile));
    fnTrimBlanks(pEdit->szFile);
    if (!pEdit->szFile[0])
        return 0;
    fnInfParseField(pszLine, uFirst + 1, pEdit->szSection, COUNTOF(pEdit->szSection) - 2);
    fnInfParseField(pszLine, uFirst + 2, pEdit->szKey, COUNTOF(pEdit->szKey));
    fnInfParseField(pszLine, uFirst + 3, pEdit->szValue, kcchInfLine);
    fnExpandOpts(pEdit->szSection, COUNTOF(pEdit->szSection) - 2);
    fnExpandOpts(pEdit->szKey, COUNTOF(pEdit->szKey));
    fnExpandOpts(pEdit->szValue, kcchInfLine);
    fnInfParseField(pszLine, uFirst + 4, szField, COUNTOF(szField));
    fnExpandOpts(szField, COUNTOF(szField));
    pEdit->cAction = szField[0] ? fnUpperChar(szField[0]) : 'N';
    fnInfParseField(pszLine, uFirst + 5, szField, COUNTOF(szField));
    fnExpandOpts(szField, COUNTOF(szField));
    pEdit->cType = szField[0] ? fnUpperChar(szField[0]) : 'I';
    if (szField[0] && szField[1] == '\\') {
        fnDoubleBackslashes(pEdit->szKey, COUNTOF(pEdit->szKey));
        fnDoubleBackslashes(pEdit->szValue, COUNTOF(pEdit->szValue));
    }
    fnInfParseField(pszLine, uFirst + 6, pEdit->szSubValue, COUNTOF(pEdit->szSubValue));
    fnExpandOpts(pEdit->szSubValue, COUNTOF(pEdit->szSubValue));
    return 1;
}

// One [IniEdits] line; a kLine* result.
static int fnIniEditLine(HWND hwndMain, IniBackupStruct *pBackup, char *pszLine)
{
    TRACE("fnIniFilesEdit begin", "szLine=%s", pszLine);
    int iTest = fnInfTestIfTwoFields(pszLine, kcchInfLine);
    TRACE("fnIniFilesEdit fnInftestIfTwoFields return", "szLine=%s\n, uTest=%lu", pszLine, (unsigned long)iTest);
    int iAction = fnInfLineAction(iTest);
    if (iAction == kLineEndSection)
        return kLineStop;
    if (iAction == kLinePass)
        return kLineGoOn;
    unsigned uFirst = 1;
    char szKey[kcchInfLine], szValue[kcchInfLine];
    if (fnInfParseField(pszLine, 0, szKey, COUNTOF(szKey))) {
        fnInfParseField(pszLine, 1, szValue, COUNTOF(szValue));
        if (fnTextEqualI(fnTrimBlanks(szKey), "ExpandDelims")) {
            fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), szValue);
            return kLineGoOn;
        }
        // Any other prefix is a condition on the line; the fields move up by one.
        if (iTest == IDTEST_NOTEST) {
            iAction = fnInfLineAction(fnInfTestField(szKey, szValue));
            if (iAction == kLineEndSection)
                return kLineStop;
            if (iAction == kLinePass)
                return kLineGoOn;
        }
        uFirst = 2;
    }
    IniEditStruct edit;
    if (!fnReadEditFields(pszLine, uFirst, &edit))
        return fnMsgBox(IDS_INI_BAD_FILE, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES ? kLineGoOn
                                                                                                   : kLineStop;
    char szDir[MAX_PATH], szName[MAX_PATH], szFile[MAX_PATH];
    fnSplitProfilePath(edit.szFile, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
    fnIniPrepareEdit(&edit);
    TRACE("fnIniFilesEdit",
          "szProfileFile=%s,\n szSection=%s,\n szKey=%s,\n szValue=%s,\n szSubValue=%s,\n szIniFile=%s,\n "
          "szDestDir=%s,\n szType=%c,\n szAction=%c",
          edit.szFile, edit.szSection, edit.szKey, edit.szValue, edit.szSubValue, szName, szDir, edit.cType,
          edit.cAction);
    if (!szDir[0]) {
        char szCurrent[MAX_PATH];
        DWORD cch = GetCurrentDirectoryA(COUNTOF(szCurrent), szCurrent);
        if (cch == 0 || cch >= COUNTOF(szCurrent))
            return fnLineFailed(edit.szFile);
        fnFormatText(szFile, COUNTOF(szFile), "%s%s%s", szCurrent,
                     szCurrent[strlen(szCurrent) - 1] == '\\' ? "" : "\\", szName);
        TRACE("fnIniFilesEdit build path", "szProfileFile=%s", szFile);
    } else {
        fnCopyText(szFile, COUNTOF(szFile), edit.szFile);
        CreateDirectoryA(szDir, NULL);
        DWORD dwDir = GetFileAttributesA(szDir);
        if (dwDir == INVALID_FILE_ATTRIBUTES || !(dwDir & FILE_ATTRIBUTE_DIRECTORY))
            return fnAskYesNo(IDS_INI_DIR_ERROR, szDir) ? kLineGoOn : kLineStop;
    }
    fnCopyText(edit.szFile, COUNTOF(edit.szFile), szFile);

    char szEditFile[MAX_PATH];
    if (!fnIniBackupFile(hwndMain, pBackup, szFile, g_uBackUpMethod, szEditFile, COUNTOF(szEditFile)))
        return kLineStop;
    if (GetFileAttributesA(szEditFile) == INVALID_FILE_ATTRIBUTES) {
        TRACE("fnIniFilesEdit create file", "szProfileFile=%s", szEditFile);
        CFileHandle hNew(CreateFileA(szEditFile, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL));
        if (hNew.Get() == INVALID_HANDLE_VALUE)
            return fnAskYesNo(IDS_INI_FILE_ERROR, szEditFile) ? kLineGoOn : kLineStop;
    }
    DWORD dwAttrib = INVALID_FILE_ATTRIBUTES;
    if (!fnEnableWriteToFile(hwndMain, szEditFile, &dwAttrib))
        return fnAskYesNo(IDS_INI_FILE_ERROR, szEditFile) ? kLineGoOn : kLineStop;

    if (edit.cType == 'I') {
        int bOk = fnProfileEdit(szEditFile, &edit);
        if (dwAttrib != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesA(szEditFile, dwAttrib);
        return bOk ? kLineGoOn : fnLineFailed(szEditFile);
    }
    return fnLineEdit(szEditFile, &edit, dwAttrib);
}

int fnIniFilesEdit(HWND hwndMain, const char *pszBody)
{
    IniBackupStruct backup = {};
    char szLine[kcchInfLine];
    const char *pszPos = pszBody;
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        if (fnIniEditLine(hwndMain, &backup, szLine) == kLineStop)
            break;
    }
    return kSectionDone;
}

// ---------------------------------------------------------------------------
// Dispatch rows

int fnIniEditsSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnIniFilesEdit(hwndMain, fnInfSectionBody(pszSection));
}
