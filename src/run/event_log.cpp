#include "run/event_log.h"

#include <stdarg.h>

#include "run/event_log_text.h"
#include "run/run_state.h"
#include "run/text.h"

enum { kcchEventValue = 2048, kcchUtf8Value = 3 * kcchEventValue };

int fnOpenEventLog(const char *pszFile, int bAppend)
{
    fnCloseEventLog();
    if (!pszFile || !pszFile[0])
        return 0;
    // Shared for reading so that a deployment tool can follow the file while
    // the run goes on, and for writing so that the temporary copy of this run
    // can add to it while this run ends. Each handle may only append: every
    // record goes to the end of the file as it is then, whichever process
    // wrote last, and nothing is overwritten.
    const DWORD dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
    if (!bAppend) {
        HANDLE hNew = CreateFileA(pszFile, GENERIC_WRITE, dwShare, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hNew == INVALID_HANDLE_VALUE)
            return 0;
        CloseHandle(hNew);
    }
    HANDLE hFile = CreateFileA(pszFile, FILE_APPEND_DATA | SYNCHRONIZE, dwShare, NULL, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    g_hEventLog = hFile;
    return 1;
}

void fnCloseEventLog()
{
    if (g_hEventLog != INVALID_HANDLE_VALUE)
        CloseHandle(g_hEventLog);
    g_hEventLog = INVALID_HANDLE_VALUE;
}

int fnEventLogOn()
{
    return g_hEventLog != INVALID_HANDLE_VALUE;
}

const char *fnEventNumber(char (&szOut)[24], long long llValue)
{
    fnFormatText(szOut, COUNTOF(szOut), "%lld", llValue);
    return szOut;
}

// ANSI code page to UTF-8 (a text that cannot be converted is kept as it is).
static void fnToUtf8(const char *pszAnsi, char *pszOut, int cchOut)
{
    WCHAR wszText[kcchEventValue];
    int cwch = MultiByteToWideChar(CP_ACP, 0, pszAnsi, -1, wszText, kcchEventValue);
    if (cwch == 0) {
        // Longer than the buffer: the value is cut to it.
        char szCut[kcchEventValue];
        fnCopyText(szCut, COUNTOF(szCut), pszAnsi);
        cwch = MultiByteToWideChar(CP_ACP, 0, szCut, -1, wszText, kcchEventValue);
    }
    if (cwch == 0 || WideCharToMultiByte(CP_UTF8, 0, wszText, -1, pszOut, cchOut, NULL, NULL) == 0)
        fnCopyTextN(pszOut, (size_t)cchOut, pszAnsi, strlen(pszAnsi));
}

// Written with one call straight to the file: nothing waits in a buffer of
// this process, so a record is in the file as soon as the call returns.
static int fnWriteRecord(const char *pszRecord)
{
    DWORD cb = (DWORD)strlen(pszRecord), cbWritten = 0;
    return WriteFile(g_hEventLog, pszRecord, cb, &cbWritten, NULL) && cbWritten == cb ? 1 : 0;
}

int fnEventLog(const char *pszEvent, ...)
{
    if (!fnEventLogOn())
        return 1;
    SYSTEMTIME st;
    GetSystemTime(&st);
    char szTime[32];
    fnFormatText(szTime, COUNTOF(szTime), "%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", st.wYear, st.wMonth, st.wDay, st.wHour,
                 st.wMinute, st.wSecond, st.wMilliseconds);

    // The values converted to UTF-8 live in one heap block for the record.
    HANDLE hHeap = GetProcessHeap();
    char *pbValues = (char *)HeapAlloc(hHeap, 0, (SIZE_T)kuEventFields * kcchUtf8Value + kcchEventRecord + 2);
    if (!pbValues)
        return 0;
    const char *apszPairs[2 * (kuEventFields + 2)];
    unsigned uPairs = 0;
    apszPairs[2 * uPairs] = "time";
    apszPairs[2 * uPairs++ + 1] = szTime;
    apszPairs[2 * uPairs] = "event";
    apszPairs[2 * uPairs++ + 1] = pszEvent;
    va_list args;
    va_start(args, pszEvent);
    for (unsigned u = 0; u < kuEventFields; u++) {
        const char *pszName = va_arg(args, const char *);
        if (!pszName)
            break;
        const char *pszValue = va_arg(args, const char *);
        char *pszUtf8 = pbValues + (size_t)u * kcchUtf8Value;
        fnToUtf8(fnIsSecretName(pszName) ? "***" : (pszValue ? pszValue : ""), pszUtf8, kcchUtf8Value);
        apszPairs[2 * uPairs] = pszName;
        apszPairs[2 * uPairs++ + 1] = pszUtf8;
    }
    va_end(args);
    char *pszRecord = pbValues + (size_t)kuEventFields * kcchUtf8Value;
    fnJsonRecord(pszRecord, kcchEventRecord, apszPairs, uPairs);
    fnAppendText(pszRecord, kcchEventRecord + 2, "\n");
    int bRC = fnWriteRecord(pszRecord);
    HeapFree(hHeap, 0, pbValues);
    return bRC;
}

void fnEventChange(const char *pszRecord)
{
    if (!fnEventLogOn())
        return;
    const char *pszKind = fnChangeKind(pszRecord);
    if (!pszKind)
        return;
    char szPath[kcchPath], szTo[kcchPath];
    fnRecordField(pszRecord, 0, szPath, COUNTOF(szPath));
    if (strcmp(pszKind, "ini_edit") == 0) {
        // file, "section", "key", "before", "after", I
        char szSection[kcchShort], szKey[kcchShort], szBefore[kcchLine], szAfter[kcchLine];
        fnRecordField(pszRecord, 1, szSection, COUNTOF(szSection));
        fnRecordField(pszRecord, 2, szKey, COUNTOF(szKey));
        fnRecordField(pszRecord, 3, szBefore, COUNTOF(szBefore));
        fnRecordField(pszRecord, 4, szAfter, COUNTOF(szAfter));
        fnEventLog("change", "kind", pszKind, "target", szPath, "section", szSection, "key", szKey, "before", szBefore,
                   "after", szAfter, "record", pszRecord, NULL);
        return;
    }
    if (strcmp(pszKind, "file_renamed") == 0 || strcmp(pszKind, "file_copied") == 0 ||
        strcmp(pszKind, "file_moved") == 0) {
        fnRecordField(pszRecord, 1, szTo, COUNTOF(szTo));
        fnEventLog("change", "kind", pszKind, "target", szPath, "to", szTo, "record", pszRecord, NULL);
        return;
    }
    fnEventLog("change", "kind", pszKind, "target", szPath, "record", pszRecord, NULL);
}
