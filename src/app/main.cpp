// Process entry of SETUP32.EXE.
#include <windows.h>

#include "run/run_state.h"
#include "app/startup.h"
#include "app/loader.h"
#include "base/path.h"
#include "run/text.h"
#include "run/window.h"
#include "app/main_window.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    g_hInstance = hInstance;
    fnClearRunState();
    char szText[kcchShort];
    if (fnLoadText(IDS_EXPAND_DELIMS, szText, COUNTOF(szText)))
        fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), szText);
    if (fnLoadText(IDS_MAIN_CLASS, szText, COUNTOF(szText)))
        fnCopyText(g_szMainClass, COUNTOF(g_szMainClass), szText);
    if (fnLoadText(IDS_TITLE, szText, COUNTOF(szText)))
        fnCopyText(g_szTitle, COUNTOF(g_szTitle), szText);

    fnResolveEntryPoints();

    // The start-up window (the owner while starting) is made once the
    // command line is read, and only for a run somebody watches.
    int bReady = fnInitialize();
    // Only now is it known whether anybody watches: the cursor is user32's,
    // which an unattended run never loads.
    HCURSOR hcurPrevious = fnSetCursor(IDC_WAIT);
    g_hcurPrevious = hcurPrevious;
    if (bReady && fnNeedsLoader()) {
        char szSelf[kcchPath];
        if (!fnModuleFileName(szSelf, COUNTOF(szSelf)) || !fnInitLoader(hInstance, nCmdShow, szSelf)) {
            fnMsgBox(0, NULL, MB_OK | MB_ICONERROR, "%s", "Error!  Could not initialize.");
            g_uExitCode = kExitNoScript;
            bReady = 0;
        }
    }
    if (g_hwndStartup) {
        DestroyWindow(g_hwndStartup);
        g_hwndStartup = NULL;
    }
    if (!bReady || g_bLoaderDone)
        return (int)fnRecordRunEnd(g_uExitCode);
    if (g_bUnattended)
        return (int)fnRecordRunEnd(fnRunWithoutWindow());

    if (!fnRegisterClasses(hInstance))
        return (int)fnRecordRunEnd(kExitNoScript);
    if (!fnInitInstance(hInstance, nCmdShow)) {
        MessageBoxA(NULL, "Error!  Could not initialize instance.", g_szTitle, MB_OK | MB_ICONERROR);
        return (int)fnRecordRunEnd(kExitNoScript);
    }

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    SetCursor(hcurPrevious);
    return (int)fnRecordRunEnd((unsigned)msg.wParam);
}
