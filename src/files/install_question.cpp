// What the questions of file installation share: where their templates are,
// how they start and the confirmation of leaving the installation.
#include "files/install_question.h"

#include "run/run_state.h"
#include "run/window.h"
#include "resource.h"

// Common start of the question dialogs. They stay visible in a quiet run:
// a hidden question could never be answered.
void fnStartQuestion(HWND hDlg)
{
    fnStartDialog(g_hwndMain, hDlg, TRUE, FALSE);
    ShowWindow(hDlg, SW_SHOW);
    SetForegroundWindow(hDlg);
}

int fnConfirmExit()
{
    if (fnMsgBox(IDS_NOT_COMPLETE, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) != IDYES)
        return 0;
    g_bUserCancelled = TRUE;
    return 1;
}
