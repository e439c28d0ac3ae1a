// The question for move mode "P": what to do with one file.
#ifndef SETUP32_FILES_MOVE_CHOICE_DIALOG_H
#define SETUP32_FILES_MOVE_CHOICE_DIALOG_H

#include <windows.h>

// What the dialog returns besides a move mode.
enum { kMoveChoiceCancel = 0, kMoveChoiceExit = -1 };

// The mode chosen (kMoveMove, kMoveRename, kMoveCopy, kMoveDelete),
// kMoveChoiceCancel (no action) or kMoveChoiceExit (leaving confirmed).
int fnShowMoveChoiceDialog(HWND hwndOwner, const char *pszFile);

#endif
