// What the questions of file installation share.
#ifndef SETUP32_FILES_INSTALL_QUESTION_H
#define SETUP32_FILES_INSTALL_QUESTION_H

#include <windows.h>

#include "run/window.h"  // fnDialogInstance, fnDialogBox
void fnStartQuestion(HWND hDlg);  // the common dialog start, then shown and brought forward (in a quiet run too)
int fnConfirmExit();              // 1 the user confirmed leaving the installation (message 1055 answered Yes)

#endif
