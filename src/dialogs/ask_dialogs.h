// The dialogs that ask for one value: a typed text ([AskFor]), a list line
// ([FromList], [FromLongList]) and a combo-box line ([FromCombo]).
#ifndef SETUP32_DIALOGS_ASK_DIALOGS_H
#define SETUP32_DIALOGS_ASK_DIALOGS_H

#include <windows.h>

#include "dialogs/read_sect.h"

enum { kcchAskAnswer = 128 };

// Each shows its dialog for pSect (answer slot pSect->nNum) and stores the
// answer in its table: 1 answered, 7 cancelled, 0 could not be asked.
int fnReadAskFors(HWND hwndParent, ReadSectStruct *pSect);
int fnReadFromList(HWND hwndParent, ReadSectStruct *pSect, UINT uIdDialog);  // dialog 24, 25 or 26
// The first line of the CR LF list that begins with pszDefault (any case):
// its index, or -1 (also for an empty default).
int fnFindDefaultLine(const char *pszList, const char *pszDefault, char *pszLine, size_t cchLine);

#endif
