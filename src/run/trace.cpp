#include "run/trace.h"

#include "run/event_log.h"
#include "run/guards.h"
#include "run/text.h"
#include "run/window.h"
#include "resource.h"

int fnFormatTraceRecord(char *pszOut, size_t cchOut, const char *pszCaption, const char *pszText)
{
    return fnFormatText(pszOut, cchOut, "~-%s-~\r\n%s\r\n\r\n", pszCaption, pszText);
}

int fnTraceV(const char *pszName, unsigned uMode, const char *pszFormat, va_list args)
{
    if (uMode == 0 || uMode > 3)
        return 0;
    // A box or a stepping dialog would wait for a person: only the trace file
    // serves a run nobody watches.
    if (g_bUnattended && uMode != 3)
        return 0;

    // Local buffers: a trace box runs a modal loop, and a window procedure may
    // trace again while it is open.
    char szCaption[kcchTraceCaption];
    char szText[kcchTraceText];
    fnFormatText(szCaption, COUNTOF(szCaption), "%s: %s", g_szTitle, pszName);
    fnFormatTextV(szText, COUNTOF(szText), pszFormat, args);

    if (uMode == 1) {
        int iRC = MessageBoxA(NULL, szText, szCaption, MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST);
        if (iRC == IDCANCEL)
            g_uTraceMode = 0;
        return iRC;
    }
    if (uMode == 2) {
        HWND hwndOwner = g_hwndMain ? g_hwndMain : g_hwndStartup;
        return fnShowTraceDialog(hwndOwner, szCaption, szText);
    }
    char szRecord[kcchAppendBuffer];
    fnFormatTraceRecord(szRecord, COUNTOF(szRecord), szCaption, szText);
    fnAppendTextToFile(g_szDebugFile, "%s", 0, szRecord);
    return 0;
}

int fnTrace(const char *pszName, unsigned uMode, const char *pszFormat, ...)
{
    if (uMode == 0)
        return 0;
    va_list args;
    va_start(args, pszFormat);
    int iRC = fnTraceV(pszName, uMode, pszFormat, args);
    va_end(args);
    return iRC;
}

static int fnAppendTextToFile(const char *pszFile, const char *pszText)
{
    if (!pszFile || !pszFile[0])
        return 0;
    CFileHandle hFile(CreateFileA(pszFile, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid())
        return 0;
    if (SetFilePointer(hFile.Get(), 0, NULL, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return 0;
    DWORD cbText = (DWORD)strlen(pszText);
    DWORD cbWritten = 0;
    if (cbText && (!WriteFile(hFile.Get(), pszText, cbText, &cbWritten, NULL) || cbWritten != cbText))
        return 0;
    return hFile.fnClose() ? 1 : 0;
}

static int fnAppendTextToFileV(const char *pszFile, const char *pszFormat, int bLineEnd, va_list args)
{
    char szBuffer[kcchAppendBuffer];
    fnFormatTextV(szBuffer, COUNTOF(szBuffer), pszFormat, args);
    if (bLineEnd == 1)
        fnAppendText(szBuffer, COUNTOF(szBuffer), "\r\n");
    return fnAppendTextToFile(pszFile, szBuffer);
}

int fnAppendTextToFile(const char *pszFile, const char *pszFormat, int bLineEnd, ...)
{
    va_list args;
    va_start(args, bLineEnd);
    int bRC = fnAppendTextToFileV(pszFile, pszFormat, bLineEnd, args);
    va_end(args);
    return bRC;
}

int fnWriteToFile(HANDLE hFile, const char *pszText)
{
    TRACE("fnWriteToFile", "lpszBuffer=%s", pszText);
    DWORD cbText = (DWORD)strlen(pszText);
    if (cbText == 0)
        return 1;
    DWORD cbWritten = 0;
    if (!WriteFile(hFile, pszText, cbText, &cbWritten, NULL) || cbWritten != cbText) {
        TRACE("fnWriteToFile", "ERROR! dwError=%lu, uBytesWritten=%u, uBytes=%u", GetLastError(), (unsigned)cbWritten,
              (unsigned)cbText);
        return 0;
    }
    TRACE("fnWriteToFile", "uBytes=%u, lpszBuffer=%s", (unsigned)cbText, pszText);
    return 1;
}

int fnWriteLineToFile(HANDLE hFile, const char *pszText)
{
    DWORD cbText = (DWORD)strlen(pszText);
    DWORD cbWritten = 0;
    if (cbText && (!WriteFile(hFile, pszText, cbText, &cbWritten, NULL) || cbWritten != cbText))
        return 0;
    return WriteFile(hFile, "\r\n", 2, &cbWritten, NULL) && cbWritten == 2 ? 1 : 0;
}

// Every change a handler records here also reaches the event log, whether or
// not the script keeps an install log.
int fnLogLine(const char *pszFormat, int bLineEnd, ...)
{
    int bInstallLog = g_szLogFile[0] && g_bLogOn;
    if (!bInstallLog && !fnEventLogOn())
        return 1;
    char szBuffer[kcchAppendBuffer];
    va_list args;
    va_start(args, bLineEnd);
    fnFormatTextV(szBuffer, COUNTOF(szBuffer), pszFormat, args);
    va_end(args);
    fnEventChange(szBuffer);
    if (!bInstallLog)
        return 1;
    if (bLineEnd == 1)
        fnAppendText(szBuffer, COUNTOF(szBuffer), "\r\n");
    return fnAppendTextToFile(g_szLogFile, szBuffer);
}

int fnOpenTraceFile(HWND hwndOwner)
{
    (void)hwndOwner;
    if (GetFileAttributesA(g_szDebugFile) != INVALID_FILE_ATTRIBUTES) {
        int iAnswer = fnMsgBox(IDS_OVERWRITE, NULL, MB_YESNO | MB_ICONERROR | MB_TASKMODAL, g_szDebugFile);
        if (iAnswer != IDYES)
            return 1;  // kept: records are appended
        DeleteFileA(g_szDebugFile);
    }
    CFileHandle hFile(CreateFileA(g_szDebugFile, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid()) {
        fnMsgBox(IDS_CANNOT_CREATE, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, g_szDebugFile);
        return 0;
    }
    return 1;
}
