#include "expand/expand.h"

// The variable language is not built yet: texts pass through unchanged, as a
// text without variables does.
int fnExpandOpts(char *pszText, size_t cchText)
{
    (void)pszText;
    (void)cchText;
    return 0;
}
