#include "run/exit.h"

#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/input.h"
#include "../res/resource.h"

static void fnShowClosingText(HWND hwndMain, const char *pszText)
{
    MessageBoxA(hwndMain, pszText, g_szTitle, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL | MB_SETFOREGROUND);
}

int fnUserExit(HWND hwndMain, UserInputStruct *pInput)
{
    TRACE("fnUserExit", "g_bSelfDestruct=%d,\ng_uOnExit=%u,\nuQuiet=%u,\nszExitMsg=%s,\nszExitExec=%s", g_bSelfDestruct,
          g_uOnExit, pInput->uQuiet, pInput->szExitMsg, pInput->szExitExec);
    if (hwndMain) {
        SetWindowPos(hwndMain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(hwndMain);
    }
    fnPumpMessages();

    char szText[kcchMessage];
    if (pInput->bFailed) {
        if (g_szErrorMsg[0])
            fnCopyText(szText, COUNTOF(szText), g_szErrorMsg);
        else
            fnLoadText(IDS_INSTALL_FAILED, szText, COUNTOF(szText));
    } else if (pInput->szExitMsg[0]) {
        fnCopyText(szText, COUNTOF(szText), pInput->szExitMsg);
    } else {
        fnLoadText(IDS_INSTALL_OK, szText, COUNTOF(szText));
    }
    g_uExitCode = pInput->bFailed ? kExitFailed : kExitOk;

    if (pInput->uQuiet == 1)
        fnShowClosingText(hwndMain, szText);
    if (g_bShowErrorMsg && pInput->bFailed)
        fnShowClosingText(hwndMain, szText);

    if (hwndMain) {
        SetWindowPos(hwndMain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(hwndMain);
    }
    fnPumpMessages();
    return 1;
}

int fnCleanUp(HCURSOR hcurRestore, CGlobalBlock *pScript, HWND *phwndInit)
{
    fnPumpMessages();
    TRACE("fnCleanUp", "Clean up for Exit");
    if (hcurRestore)
        SetCursor(hcurRestore);
    if (pScript)
        pScript->fnFree();
    if (phwndInit && *phwndInit) {
        if (IsWindow(*phwndInit))
            DestroyWindow(*phwndInit);
        *phwndInit = NULL;
    }
    return 1;
}

int fnSelfDestruct(BOOL bDoNow)
{
    TRACE("fnSelfDestruct", "bDoNow=%d", bDoNow);
    if (!bDoNow)
        return 1;
    // Removing the program file comes with the exit actions; nothing is
    // removed yet.
    return 0;
}
