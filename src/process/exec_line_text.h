// The fields of a program line taken apart: show keyword, wait letter,
// flags. Pure text, no Windows calls.
#ifndef SETUP32_PROCESS_EXEC_LINE_TEXT_H
#define SETUP32_PROCESS_EXEC_LINE_TEXT_H

#include <stddef.h>

// Show-window values passed to a started program.
enum { kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3, kShowNoActivate = 4 };

int fnExecShowValue(const char *pszField, int *pbNoWin);  // "NORM" 1, "MIN" 2, "MAX" 3, "CMD" 4 (sets *pbNoWin), by their beginning, any case; else 1
void fnExecWaitField(const char *pszField, int *pbWait, int *pbPreventExit, char *pszAlso, size_t cchAlso);  // "N"/"Y"/"P" + name waited for after "Y"/"P"
void fnExecFlagsField(const char *pszField, int *pbShowNotice, int *pbErrorShow, int *pbStopOnError);  // notice letter, then error letter (two or more characters)

#endif
