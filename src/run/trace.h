// Trace facility and install log. The trace reports each operation's
// parameters as a message box (mode 1), the stepping dialog (mode 2) or a
// record in the trace file (mode 3); mode 0 returns before any formatting.
#ifndef SETUP32_RUN_TRACE_H
#define SETUP32_RUN_TRACE_H

#include <windows.h>
#include <stdarg.h>
#include <stddef.h>

#include "run/run_state.h"

enum { kcchTraceCaption = 128, kcchTraceText = 1025, kcchAppendBuffer = 2048 };

int fnTrace(const char *pszName, unsigned uMode, const char *pszFormat, ...)  // mode 1: button pressed; mode 2: dialog result; else 0
    __attribute__((format(printf, 3, 4)));
int fnTraceV(const char *pszName, unsigned uMode, const char *pszFormat, va_list args);

// The usual call: skips the call entirely while tracing is off.
#define TRACE(pszName, ...) (g_uTraceMode ? fnTrace((pszName), g_uTraceMode, __VA_ARGS__) : 0)

int fnFormatTraceRecord(char *pszOut, size_t cchOut, const char *pszCaption, const char *pszText);  // "~-caption-~\r\ntext\r\n\r\n"; 1 whole, 0 cut
int fnOpenTraceFile(HWND hwndOwner);  // creates or (after asking) empties or keeps g_szDebugFile; 0 when it cannot be made
int fnShowTraceDialog(HWND hwndOwner, const char *pszCaption, const char *pszText);  // stepping dialog; its end result (1 go on, 2 stop)

int fnAppendTextToFile(const char *pszFile, const char *pszFormat, int bLineEnd, ...)  // 1 written, 0 not
    __attribute__((format(printf, 2, 4)));
int fnWriteToFile(HANDLE hFile, const char *pszText);      // 1 written (an empty text writes nothing), 0 failed
int fnWriteLineToFile(HANDLE hFile, const char *pszText);  // text then CR LF, untraced; 1 written, 0 failed

int fnLogLine(const char *pszFormat, int bLineEnd, ...)    // install-log line when the log is on; 1 also when off
    __attribute__((format(printf, 1, 3)));

#endif
