// The words and numbers of the configuration and command keywords. Pure text
// logic, no Windows calls.
#ifndef SETUP32_COMMANDS_KEYWORD_WORDS_H
#define SETUP32_COMMANDS_KEYWORD_WORDS_H

#include <stddef.h>

#include "run/text.h"

unsigned fnMessageDlgCode(const char *pszWord);    // "OK" 104 ... "NO" 113 (any case); 104 for anything else
unsigned fnBackUpMethodCode(const char *pszWord);  // "PROMPT" 500 ... "NOMOD" 506 (any case); 0 unknown
unsigned fnOnExitCode(const char *pszWord);        // "ExitWin" 1, "Exec" 2, "RestartWin" 3, "Reboot" 5, "RestartWithMsg" 6, "ExecTop" 7; 0 unknown
int fnPopupWait(const char *pszField, unsigned *puSeconds);  // "Yn" n seconds, "N" 0 (any case); 1 set, 0 left
unsigned fnPopupDialogId(const char *pszSize, int bStatic);  // pop-up template for a size word ("Small", "Medium", "Large", "XLarge")

#endif
