#include "commands/keywords.h"

#include <shlobj.h>

#include "config/read_line.h"
#include "expand/expand.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "script/lines.h"

// A file name field, expanded. 0 (pszOut empty) when the field is missing or
// empty, its expansion failed, or the name does not fit: a cut name would
// name another file.
int fnKeyFileName(char *pszLine, unsigned uField, char *pszOut, size_t cchOut)
{
    pszOut[0] = '\0';
    char szField[kcchInfLine];
    if (!fnInfParseField(pszLine, uField, szField, COUNTOF(szField)))
        return 0;
    if (fnExpandOpts(szField, COUNTOF(szField)) == -1)
        return 0;
    if (!fnCopyText(pszOut, cchOut, szField)) {
        pszOut[0] = '\0';
        return 0;
    }
    return pszOut[0] != '\0';
}

int fnStoreSetValue(const char *pszText)
{
    if (g_uSetValue >= kuSetValues)
        g_uSetValue = kuSetValues - 1;
    fnCopyText(g_szSetValues[g_uSetValue], COUNTOF(g_szSetValues[g_uSetValue]), pszText);
    if (g_uSetValue < kuSetValues - 1)
        g_uSetValue++;
    return 1;
}

int fnKeyCreateFile(char *pszLine)
{
    char szFile[kcchPath];
    if (!fnKeyFileName(pszLine, 1, szFile, COUNTOF(szFile)))
        return 0;
    CFileHandle hFile(CreateFileA(szFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
    TRACE("CreateFile", "szFile=%s,\nbOk=%d", szFile, hFile.IsValid() ? 1 : 0);
    return hFile.IsValid() && hFile.fnClose() ? 1 : 0;
}

int fnKeyDeleteFile(char *pszLine)
{
    char szFile[kcchPath];
    if (!fnKeyFileName(pszLine, 1, szFile, COUNTOF(szFile)))
        return 0;
    BOOL bOk = DeleteFileA(szFile);
    TRACE("DeleteFile", "szFile=%s,\nbOk=%d", szFile, bOk);
    return bOk ? 1 : 0;
}

static HANDLE fnOpenForAppend(const char *pszFile)
{
    HANDLE hFile = CreateFileA(pszFile, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        hFile = CreateFileA(pszFile, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, NULL);
    return hFile;
}

// Makes every missing directory of the file's path.
static void fnMakeFileDirs(const char *pszFile)
{
    char szPath[kcchPath];
    if (!GetFullPathNameA(pszFile, COUNTOF(szPath), szPath, NULL))
        return;
    char *pszSlash = strrchr(szPath, '\\');
    if (!pszSlash)
        return;
    *pszSlash = '\0';
    TRACE("WriteLineToFile", "WriteLineToFile Create Dir Tree szPath=%s", szPath);
    SHCreateDirectoryExA(NULL, szPath, NULL);
}

int fnKeyWriteLineToFile(char *pszLine)
{
    char szFile[kcchPath];
    fnKeyFileName(pszLine, 1, szFile, COUNTOF(szFile));
    char szText[kcchInfLine];
    fnInfParseField(pszLine, 2, szText, COUNTOF(szText));
    fnExpandOpts(szText, COUNTOF(szText));
    if (!szFile[0] || !szText[0])
        return 0;

    CFileHandle hFile(fnOpenForAppend(szFile));
    if (!hFile.IsValid()) {
        TRACE("WriteLineToFile", "WriteLineToFile Open error szFile=%s", szFile);
        fnMakeFileDirs(szFile);
        hFile.Attach(fnOpenForAppend(szFile));
    }
    if (!hFile.IsValid()) {
        TRACE("WriteLineToFile", "WriteLineToFile ERROR writing szFile=%s", szFile);
        return 0;
    }
    LARGE_INTEGER liZero = {}, liEnd;
    int bOk = SetFilePointerEx(hFile.Get(), liZero, &liEnd, FILE_END);
    if (bOk && !fnWriteLineToFile(hFile.Get(), szText)) {
        // A line that did not go in whole (a full disk) is taken out again:
        // the file keeps what it had.
        SetFilePointerEx(hFile.Get(), liEnd, NULL, FILE_BEGIN);
        SetEndOfFile(hFile.Get());
        bOk = 0;
    }
    if (!hFile.fnClose())
        bOk = 0;
    if (!bOk)
        TRACE("WriteLineToFile", "WriteLineToFile ERROR writing szFile=%s", szFile);
    return bOk;
}

// The first line of the file (at most kcchPath - 1 characters), without its
// line end. 0 the file could not be opened.
static int fnReadFirstLine(const char *pszFile, char *pszOut, size_t cchOut)
{
    pszOut[0] = '\0';
    CFileHandle hFile(CreateFileA(pszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid())
        return 0;
    char szBuffer[kcchPath];
    DWORD cbRead = 0;
    if (!ReadFile(hFile.Get(), szBuffer, COUNTOF(szBuffer) - 1, &cbRead, NULL))
        cbRead = 0;
    szBuffer[cbRead] = '\0';
    szBuffer[strcspn(szBuffer, "\r\n")] = '\0';
    fnCopyText(pszOut, cchOut, szBuffer);
    return 1;
}

// A step of the read, traced under the caller's name ("fnReadConfig call ReadIniLine").
static void fnTraceReadStep(const char *pszCaller, const char *pszStep)
{
    if (!g_uTraceMode)
        return;
    char szName[kcchShort];
    fnFormatText(szName, COUNTOF(szName), "%s %s", pszCaller, pszStep);
    fnTrace(szName, g_uTraceMode, "%s", szName);
}

int fnKeyReadLineFromFile(char *pszLine, const char *pszCaller)
{
    char szFile[kcchPath];
    fnKeyFileName(pszLine, 1, szFile, COUNTOF(szFile));
    char szKey[kcchInfLine];
    fnInfParseField(pszLine, 2, szKey, COUNTOF(szKey));
    fnExpandOpts(szKey, COUNTOF(szKey));
    if (g_uTraceMode) {
        char szName[kcchShort];
        fnFormatText(szName, COUNTOF(szName), "%s ReadLineFromFile", pszCaller);
        fnTrace(szName, g_uTraceMode, "szFile=%s,\nszField1=%s", szFile, szKey);
    }
    if (!szFile[0])
        return 1;

    char szValue[kcchPath] = "";
    if (szKey[0]) {
        fnTraceReadStep(pszCaller, "call ReadIniLine");
        int bFound = fnReadIniLine(szFile, "", szKey, 'C', szValue, COUNTOF(szValue));
        // The command section words its success the other way round.
        int bCommand = fnTextEqualI(pszCaller, "fnReadCommand");
        fnTraceReadStep(pszCaller, !bFound    ? "ReadIniLine returned FALSE"
                                   : bCommand ? "ReadIniLine returned TRUE found string"
                                              : "ReadIniLine returned TRUE string found");
    } else if (fnReadFirstLine(szFile, szValue, COUNTOF(szValue))) {
        fnTraceReadStep(pszCaller, "ReadLineFromFile Found");
    } else {
        TRACE(pszCaller, "Could not open file szFile=%s", szFile);
    }
    if (szValue[0])
        fnStoreSetValue(szValue);
    return 1;
}
