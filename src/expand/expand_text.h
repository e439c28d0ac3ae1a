// Text rules of the expansion language that need no Windows call: the bounded
// result builder, number and digit reading, field and path-part selection,
// escapes, the cut mark and path joining. No Windows headers.
#ifndef SETUP32_EXPAND_EXPAND_TEXT_H
#define SETUP32_EXPAND_EXPAND_TEXT_H

#include <stddef.h>

enum {
    kcchExpanded = 1040,      // value of one variable
    kcchExpandTarget = 1024,  // longest result of one expansion (a script line)
};

// A text built left to right in a fixed buffer; always terminated. Whatever
// does not fit is dropped and bCut records that it happened.
struct TextBuildStruct {
    char *pszBuffer;
    size_t cchBuffer;  // capacity including the NUL
    size_t cchUsed;
    int bCut;
};

void fnBuildStart(TextBuildStruct *pBuild, char *pszBuffer, size_t cchBuffer);  // empty text
void fnBuildChar(TextBuildStruct *pBuild, char c);                                 // appends c, or marks the cut
void fnBuildText(TextBuildStruct *pBuild, const char *pszText);                   // appends what fits, marks a cut

// Piece uIndex (from 1) of a text split at any character of pszDelims lying
// outside double quotes; blanks, tabs, CR and LF around it are removed and an
// enclosing pair of double quotes is dropped.
enum { kPieceMissing = 0, kPieceFound = 1, kPieceCut = -1 };
int fnTakePiece(const char *pszText, size_t cchText, const char *pszDelims, unsigned uIndex, char *pszOut,
                size_t cchOut);  // kPiece*: missing leaves pszOut empty; cut leaves what fitted

unsigned fnReadSelectorNumber(const char *psz, unsigned *puValue);  // digits consumed: 0 none, 1 (value 0-9) or 2
int fnSelectField(char *pszValue, size_t cchValue, unsigned uField, const char *pszDelims);  // value becomes its field (0 and 1: the first); 1 exists, 0 beyond the last (empty)
void fnTruncateText(char *pszText, size_t cchKeep);                 // keeps the first cchKeep characters

enum PathPart { kPartDrive, kPartDirectory, kPartNoDrive, kPartLast };
int fnPathPart(const char *pszPath, PathPart ePart, char *pszOut, size_t cchOut);  // 1 formed, 0 it cannot be (pszOut empty)

int fnEscapeChar(char cEscape, char *pcOut);  // the character "@\x" stands for ('\0' for "z"); 0 not an escape
void fnBarPath(char *pszText);                // every "\" becomes "|"
int fnCutAtMark(char *pszText);               // cuts at the first "@Z" (any case); 1 cut
void fnStripTrailingBackslash(char *pszText); // removes one final "\"
int fnJoinPathParts(char *pszOut, size_t cchOut, const char *pszFirst, const char *pszSecond);  // one "\" between; quotes stripped; 1 whole
void fnFirstLineTrimmed(char *pszText);       // keeps the first line without blanks and tabs around it

// Three-letter family code of the OS facts ("W31", "W95", "W98", "WME", "WNT", "W2K", "WXP", "WVS").
const char *fnOSFamilyCode(unsigned uWinPlatform, unsigned long dwMajor, unsigned long dwMinor, unsigned uWinOS);

#endif
