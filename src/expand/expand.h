// Expansion of "@" variables and inline functions in script values.
#ifndef SETUP32_EXPAND_EXPAND_H
#define SETUP32_EXPAND_EXPAND_H

#include <stddef.h>

// Expands pszText in place (the result is cut to cchText - 1). Returns 1 when
// at least one variable was expanded and none gave an empty value, 0 when the
// text held no variable, -1 when a variable was empty or could not be evaluated.
int fnExpandOpts(char *pszText, size_t cchText);

#endif
