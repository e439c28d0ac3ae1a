// Entry fields of the move sections: the mode letters and the wait field.
// Pure text logic (no Windows calls), so it also builds natively.
#ifndef SETUP32_FILES_MOVE_TEXT_H
#define SETUP32_FILES_MOVE_TEXT_H

// uMoveMode
enum { kMoveMove = 121, kMoveCopy = 122, kMoveCopyOver = 123, kMoveDelete = 124, kMoveRename = 125, kMoveAsk = 132 };
// uInUseAction of moves
enum { kMoveInUseClose = 120, kMoveInUseSkip = 130, kMoveInUseRestart = 131, kMoveInUseAsk = 132 };
// uAttribMode
enum { kAttribKeep = 140, kAttribNormal = 141 };
// source check, kept in uBackupMode
enum { kSourceCheck = 145, kSourceNoCheck = 146 };

struct MoveModeStruct {
    unsigned uMoveMode;
    unsigned uInUseAction;
    unsigned uAttribMode;
    unsigned uSourceCheck;
    int bRecurse;
};

void fnParseMoveModes(const char *pszLetters, MoveModeStruct *pModes);  // field 3 (NULL or empty: "M") over the defaults
unsigned fnParseMoveWait(const char *pszField);  // milliseconds: half seconds x 500, a leading Y or N passed over
const char *fnMoveVerb(unsigned uMoveMode);      // "move", "copy", "delete" or "rename"

#endif
