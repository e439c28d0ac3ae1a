// The inline functions' text work: argument splitting, 64-bit integer reading
// and writing, and every function that needs only its arguments. Each
// function takes its arguments (already expanded) and writes a bounded result.
// No Windows headers.
#ifndef SETUP32_EXPAND_FUNCS_TEXT_H
#define SETUP32_EXPAND_FUNCS_TEXT_H

#include <stddef.h>

enum { kuFunFields = 9, kcchFunField = 260, kcchFunResult = 260 };

// Arguments 1 to 9 of one call: szField[0] is argument 1.
struct FunFieldsStruct {
    char szField[kuFunFields][kcchFunField];
};

// Results of a function: failed, done, or done with a result cut to its buffer.
enum { kFunFailed = 0, kFunDone = 1, kFunCut = 2 };

typedef int (*PFN_FUNTEXT)(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);

// Clears all nine fields, then takes arguments 1..uCount of the call text
// after its cchPrefix characters ("fnName("): 1 all taken whole, 0 one did not fit.
int fnSplitFunArgs(const char *pszFun, size_t cchPrefix, FunFieldsStruct *pFields, unsigned uCount);

unsigned long long fnReadInt64(const char *psz);  // blanks, sign, digits; two's complement modulo 2^64; empty 0
unsigned long fnReadCount(const char *psz);       // unsigned decimal; anything but digits reads as 0
void fnFormatUnsigned64(char *pszOut, size_t cchOut, unsigned long long uValue);
void fnFormatSigned64(char *pszOut, size_t cchOut, unsigned long long uValue);  // the bits read as signed

int fnFunSum(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);         // all nine added, unsigned
int fnFunDif(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);         // 1 minus 2..9, signed
int fnFunGetArg(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);      // key (0) or n-th item; fails when missing
int fnFunStrBegin(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);    // first n characters
int fnFunStrEnd(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);      // last n characters
int fnFunStrInStr(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);    // "TRUE" or empty
int fnFunStrStr(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);      // text from the part on
int fnFunStrCmp(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);      // "TRUE"/"FALSE", case counts
int fnFunStrICmp(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);     // "TRUE"/"FALSE", any case
int fnFunCharRemove(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);  // without every such character
int fnFunCharReplace(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult); // each such character replaced
int fnFunStrReplace(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);  // first occurrence replaced
int fnFunStrLen(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);      // length, decimal
int fnFunStrAdd(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);      // item appended unless present
int fnFunStrAddList(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);  // item appended to a comma list
int fnFunStrInsert(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);   // item put in front unless present
int fnFunStrInsertList(const FunFieldsStruct *pFields, char *pszResult, size_t cchResult);  // item put in front of a comma list

// The last uCount characters (all when 0) as "41 00 42 00": whole items only,
// *puConverted of them; kFunFailed for an empty text, kFunCut when not all fitted.
int fnUniBinText(const char *pszText, unsigned long uCount, char *pszResult, size_t cchResult, unsigned *puConverted);

int fnVersionCodeMatches(int iCode, const char *pszOperator);  // 1 when a version comparison code satisfies GE LE LT GT EQ NE
const char *fnTrueFalse(int bTrue);                            // "TRUE" or "FALSE"

#endif
