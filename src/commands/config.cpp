#include "commands/config.h"

#include "run/trace.h"

// No configuration keyword is acted on yet: the section is read past.
int fnReadConfig(HWND hwndMain, const char *pszBody)
{
    (void)hwndMain;
    TRACE("fnReadConfig", "lpszConfig=%s", pszBody);
    return kConfigGoOn;
}
