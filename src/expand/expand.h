// Expansion of "@" variables and inline functions in script values.
#ifndef SETUP32_EXPAND_EXPAND_H
#define SETUP32_EXPAND_EXPAND_H

#include <stddef.h>

#include "expand/funcs_text.h"

// Expands pszText in place (the result is cut to cchText - 1, and to 1,023
// characters; a cut is traced). Returns 1 when at least one variable was
// expanded and none gave an empty value, 0 when the text held no variable,
// -1 when a variable was empty or could not be evaluated.
int fnExpandOpts(char *pszText, size_t cchText);

void fnReadRegGlobals();  // start-up: g_szProgramFilesDir and g_szUserProgramsFolder from the registry or defaults

// Inline function call "fnName(arguments" (the ")" already cut off): 1 with
// the result (empty for an unknown name), 0 the call failed.
int fnParseFun(const char *pszFun, char *pszResult, size_t cchResult);

// Arguments 1..uCount of a call after its cchPrefix characters; all nine
// fields are cleared first. 1 every argument taken whole, 0 one did not fit.
int fnGetFunFields(const char *pszFun, size_t cchPrefix, FunFieldsStruct *pFields, unsigned uCount);

#endif
