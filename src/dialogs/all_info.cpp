// [GetAllInstallInfo] and [GetAllInstallInfo2]: the installation facts in one
// dialog (layout 1 or 2), described by a settings section. The settings are
// kept in the run state, one record per layout, and OK writes the answers
// back into it: when the walk comes back to the section (a restart), the
// dialog shows the answers given instead of reading the settings again.
#include "dialogs/app_init.h"

#include <initializer_list>

#include "dialogs/read_sect.h"
#include "dialogs/sect_dialog.h"
#include "files/dirs.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/lines.h"
#include "resource.h"

namespace {

// The dialog's record and the answers it gives back (the record's values
// until OK, so that a quiet run takes them as they are).
struct AllInfoStruct {
    ReadSectStruct *pSect;
    unsigned uLayout;
    char szPath[kcchPath];
    char szPath2[kcchPath];
    char szPath3[kcchPath];
    char szDefault[kcchSectMsg];
    char szMore[2][kcchSectMsg];
    BOOL bBox1, bBox2;
};

void fnShow(HWND hDlg, int iId, BOOL bShow)
{
    ShowWindow(GetDlgItem(hDlg, iId), bShow ? SW_SHOW : SW_HIDE);
}

void fnEnable(HWND hDlg, int iId, BOOL bEnable)
{
    EnableWindow(GetDlgItem(hDlg, iId), bEnable);
}

// Read from the style: while WM_INITDIALOG runs the dialog itself is not
// visible yet, and neither is any control by IsWindowVisible.
BOOL fnIsShown(HWND hDlg, int iId)
{
    HWND hCtl = GetDlgItem(hDlg, iId);
    return hCtl && (GetWindowLongPtrA(hCtl, GWL_STYLE) & WS_VISIBLE) != 0;
}

// OK is enabled only while the destination, the answer and each
// more-information field shown hold text.
void fnEnableOkAllInfo(HWND hDlg)
{
    BOOL bAllHeld = TRUE;
    for (int iId : {IDC_ALL_PATH, IDC_ALL_DEFAULT, IDC_ALL_MORE1, IDC_ALL_MORE2})
        if (fnIsShown(hDlg, iId) && GetWindowTextLengthA(GetDlgItem(hDlg, iId)) == 0)
            bAllHeld = FALSE;
    fnEnable(hDlg, IDOK, bAllHeld);
}

// Without the third directory the dialog ends below the prompt (the
// template's margin under it); the buttons stand beside the first rows.
void fnEndBelowPrompt(HWND hDlg)
{
    RECT rcPrompt, rcClient;
    RECT rcMargin = {0, 0, 0, 7};
    GetWindowRect(GetDlgItem(hDlg, IDC_ALL_PROMPT), &rcPrompt);
    MapWindowPoints(NULL, hDlg, (POINT *)&rcPrompt, 2);
    GetClientRect(hDlg, &rcClient);
    MapDialogRect(hDlg, &rcMargin);
    fnShrinkDialog(hDlg, rcClient.bottom - (rcPrompt.bottom + rcMargin.bottom));
}

void fnLayOut1(HWND hDlg, const AllInfoStruct *pAll)
{
    const ReadSectStruct *pSect = pAll->pSect;
    fnShow(hDlg, IDC_ALL_CHECK1, pSect->bUseButton1);
    fnShow(hDlg, IDC_ALL_MSG5, !pSect->bUseButton1 && pSect->bUsePath1);
    SetDlgItemTextA(hDlg, pSect->bUseButton1 ? IDC_ALL_CHECK1 : IDC_ALL_MSG5, pSect->szMsg[4]);
    CheckDlgButton(hDlg, IDC_ALL_CHECK1, pAll->bBox1 ? BST_CHECKED : BST_UNCHECKED);
    if (!pSect->bUsePath1) {
        for (int iId : {IDC_ALL_MSG4, IDC_ALL_MSG5, IDC_ALL_PATH2, IDC_ALL_BROWSE2})
            fnShow(hDlg, iId, FALSE);
    }
    fnShow(hDlg, IDC_ALL_CHECK2, pSect->bUseButton2);
    fnShow(hDlg, IDC_ALL_MSG6, !pSect->bUseButton2 && pSect->bUsePath2);
    SetDlgItemTextA(hDlg, pSect->bUseButton2 ? IDC_ALL_CHECK2 : IDC_ALL_MSG6, pSect->szMsg[5]);
    CheckDlgButton(hDlg, IDC_ALL_CHECK2, pAll->bBox2 ? BST_CHECKED : BST_UNCHECKED);
    if (!pSect->bUsePath2) {
        // The box goes too: cut off below the dialog's end, it would still
        // take the focus. Its state is written at OK all the same.
        for (int iId : {IDC_ALL_MSG6, IDC_ALL_PATH3, IDC_ALL_BROWSE3, IDC_ALL_CHECK2})
            fnShow(hDlg, iId, FALSE);
        fnEndBelowPrompt(hDlg);
    } else if (pSect->bUseButton2 && !pAll->bBox2) {
        fnEnable(hDlg, IDC_ALL_PATH3, FALSE);
        fnEnable(hDlg, IDC_ALL_BROWSE3, FALSE);
    }
}

void fnLayOut2(HWND hDlg, const AllInfoStruct *pAll)
{
    const ReadSectStruct *pSect = pAll->pSect;
    SetDlgItemTextA(hDlg, IDC_ALL_MSG5, pSect->szMsg[4]);
    SetDlgItemTextA(hDlg, IDC_ALL_MSG6, pSect->szMsg[5]);
    fnShow(hDlg, IDC_ALL_MSG4, pSect->bUseMoreInfo1);
    fnShow(hDlg, IDC_ALL_MORE1, pSect->bUseMoreInfo1);
    for (int iId : {IDC_ALL_MSG5, IDC_ALL_PATH2, IDC_ALL_BROWSE2})
        fnShow(hDlg, iId, pSect->bUsePath1);
    fnShow(hDlg, IDC_ALL_MSG6, pSect->bUseMoreInfo2);
    fnShow(hDlg, IDC_ALL_MORE2, pSect->bUseMoreInfo2);
}

void fnInitAllInfo(HWND hDlg, AllInfoStruct *pAll)
{
    const ReadSectStruct *pSect = pAll->pSect;
    static const int s_aiMsgs[4] = {IDC_ALL_MSG1, IDC_ALL_MSG2, IDC_ALL_MSG3, IDC_ALL_MSG4};
    for (int i = 0; i < 4; i++)
        SetDlgItemTextA(hDlg, s_aiMsgs[i], pSect->szMsg[i]);
    SetDlgItemTextA(hDlg, IDC_ALL_PROMPT, pSect->szPrompt);
    for (int iId : {IDC_ALL_PATH, IDC_ALL_PATH2, IDC_ALL_PATH3})
        SendDlgItemMessageA(hDlg, iId, EM_LIMITTEXT, kcchPath - 1, 0);
    for (int iId : {IDC_ALL_DEFAULT, IDC_ALL_MORE1, IDC_ALL_MORE2})
        SendDlgItemMessageA(hDlg, iId, EM_LIMITTEXT, kcchSectMsg - 1, 0);
    SetDlgItemTextA(hDlg, IDC_ALL_PATH, pAll->szPath);
    SetDlgItemTextA(hDlg, IDC_ALL_DEFAULT, pAll->szDefault);
    SetDlgItemTextA(hDlg, IDC_ALL_PATH2, pAll->szPath2);
    SetDlgItemTextA(hDlg, IDC_ALL_PATH3, pAll->szPath3);
    SetDlgItemTextA(hDlg, IDC_ALL_MORE1, pAll->szMore[0]);
    SetDlgItemTextA(hDlg, IDC_ALL_MORE2, pAll->szMore[1]);
    if (pAll->uLayout == 1)
        fnLayOut1(hDlg, pAll);
    else
        fnLayOut2(hDlg, pAll);
    fnEnableOkAllInfo(hDlg);
}

// A directory typed in the dialog: its drive must be there, it must be
// possible to make it and its drive must have dwNeeded bytes. 1 taken into
// pszOut (with "C:" made "C:\"; an empty field gives an empty text, which
// is not stored), 0 the dialog stays.
int fnTakeDir(HWND hDlg, int iId, DWORD dwNeeded, char *pszOut, size_t cchOut)
{
    char szDir[kcchPath];
    GetDlgItemTextA(hDlg, iId, szDir, COUNTOF(szDir));
    fnTrimBlanks(szDir);
    pszOut[0] = '\0';
    if (!szDir[0])
        return 1;
    fnAddBackslashToDrive(szDir, COUNTOF(szDir));
    if (!fnIsDriveAvailable(hDlg, szDir, TRUE)) {
        SetFocus(GetDlgItem(hDlg, iId));
        return 0;
    }
    if (!fnCreateDirTree(szDir, TRUE)) {
        fnMsgBox(IDS_DIR_CANNOT_CREATE, NULL, MB_OK | MB_ICONEXCLAMATION, szDir);
        SetFocus(GetDlgItem(hDlg, iId));
        return 0;
    }
    DWORD dwFree = fnGetDiskSpace(szDir);
    if (dwNeeded && dwFree < dwNeeded) {
        fnMsgBox(IDS_SPACE_SELECT_OTHER, NULL, MB_OK | MB_ICONEXCLAMATION, szDir, (unsigned long)dwFree,
                 (unsigned long)dwNeeded);
        SetFocus(GetDlgItem(hDlg, iId));
        return 0;
    }
    fnCopyText(pszOut, cchOut, szDir);
    return 1;
}

// OK: 1 the answers are taken, 0 the dialog stays, -1 it ends with Cancel.
// Every field is checked before anything is taken, so a dialog that stays
// has changed nothing.
int fnTakeAllInfo(HWND hDlg, AllInfoStruct *pAll)
{
    ReadSectStruct *pSect = pAll->pSect;
    // The boxes are layout 1's; layout 2 keeps the states the settings give.
    BOOL bBox1 = pAll->uLayout == 1 ? IsDlgButtonChecked(hDlg, IDC_ALL_CHECK1) == BST_CHECKED : pAll->bBox1;
    BOOL bBox2 = pAll->uLayout == 1 ? IsDlgButtonChecked(hDlg, IDC_ALL_CHECK2) == BST_CHECKED : pAll->bBox2;
    char szPath[kcchPath];
    GetDlgItemTextA(hDlg, IDC_ALL_PATH, szPath, COUNTOF(szPath));
    if (pSect->bUseButton1 && !bBox1 && !fnTextEqualI(szPath, pSect->szPath) &&
        !fnTextEqualI(szPath, pSect->szPath2) && pSect->szMsg[6][0] &&
        fnMsgBox(0, pSect->szCaption, MB_YESNO | MB_ICONQUESTION, "%s", pSect->szMsg[6]) == IDYES) {
        fnCopyText(pSect->szPath2, COUNTOF(pSect->szPath2), szPath);
        SetDlgItemTextA(hDlg, IDC_ALL_PATH2, szPath);
        return 0;
    }
    if (!fnCheckWinDriveSpace(pSect->dwWinSpaceNeeded))
        return -1;
    if (!fnTakeDir(hDlg, IDC_ALL_PATH, pSect->adwSpace[0][0], pAll->szPath, COUNTOF(pAll->szPath)) ||
        !fnTakeDir(hDlg, IDC_ALL_PATH2, pSect->adwSpace[1][0], pAll->szPath2, COUNTOF(pAll->szPath2)) ||
        !fnTakeDir(hDlg, IDC_ALL_PATH3, pSect->adwSpace[2][0], pAll->szPath3, COUNTOF(pAll->szPath3)))
        return 0;
    GetDlgItemTextA(hDlg, IDC_ALL_DEFAULT, pAll->szDefault, COUNTOF(pAll->szDefault));
    // Layout 1 has no fields for the more-information texts: theirs stay.
    if (pAll->uLayout == 2) {
        GetDlgItemTextA(hDlg, IDC_ALL_MORE1, pAll->szMore[0], COUNTOF(pAll->szMore[0]));
        GetDlgItemTextA(hDlg, IDC_ALL_MORE2, pAll->szMore[1], COUNTOF(pAll->szMore[1]));
    }
    pAll->bBox1 = bBox1;
    pAll->bBox2 = bBox2;
    return 1;
}

void fnToggleBoxes(HWND hDlg, AllInfoStruct *pAll, int iId)
{
    BOOL bChecked = IsDlgButtonChecked(hDlg, iId) == BST_CHECKED;
    if (iId == IDC_ALL_CHECK1) {
        SetDlgItemTextA(hDlg, IDC_ALL_PATH2, bChecked ? pAll->pSect->szPath3 : pAll->pSect->szPath2);
        return;
    }
    if (bChecked)
        SetDlgItemTextA(hDlg, IDC_ALL_PATH3, pAll->pSect->szPath4);
    fnEnable(hDlg, IDC_ALL_PATH3, bChecked);
    fnEnable(hDlg, IDC_ALL_BROWSE3, bChecked);
}

// Leaving the second or third directory keeps the destination typed so far.
void fnKeepDestination(HWND hDlg, const AllInfoStruct *pAll)
{
    char szPath[kcchPath];
    GetDlgItemTextA(hDlg, IDC_ALL_PATH, szPath, COUNTOF(szPath));
    if (!szPath[0])
        return;  // no destination to keep: the one before stays
    fnSetDirSlot(pAll->pSect->nNum, szPath);
    fnCopyText(pAll->pSect->szPath, COUNTOF(pAll->pSect->szPath), szPath);
}

INT_PTR CALLBACK fnAllInfoProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    AllInfoStruct *pAll = fnDialogRecord<AllInfoStruct>(hDlg, uMsg, lParam);
    switch (uMsg) {
    case WM_INITDIALOG:
        fnInitAllInfo(hDlg, pAll);
        fnStartSectDialog(hDlg, pAll->pSect);
        return TRUE;
    case WM_CLOSE:
        g_bUserCancelled = TRUE;
        fnEndSectDialog(hDlg, pAll->pSect, IDCANCEL);
        return TRUE;
    case WM_COMMAND: {
        int iId = LOWORD(wParam);
        WORD wCode = HIWORD(wParam);
        switch (iId) {
        case IDOK: {
            int iRC = fnTakeAllInfo(hDlg, pAll);
            if (iRC < 0)
                g_bUserCancelled = TRUE;  // Cancel to the Windows drive's shortage
            if (iRC != 0)
                fnEndSectDialog(hDlg, pAll->pSect, iRC > 0 ? IDOK : IDCANCEL);
            return TRUE;
        }
        case IDCANCEL:
            g_bUserCancelled = TRUE;
            fnEndSectDialog(hDlg, pAll->pSect, IDCANCEL);
            return TRUE;
        case IDC_ALL_CHECK1:
        case IDC_ALL_CHECK2:
            if (wCode == BN_CLICKED)
                fnToggleBoxes(hDlg, pAll, iId);
            return TRUE;
        case IDC_ALL_PATH2:
        case IDC_ALL_PATH3:
            if (wCode == EN_KILLFOCUS)
                fnKeepDestination(hDlg, pAll);
            return TRUE;
        case IDC_ALL_PATH:
        case IDC_ALL_DEFAULT:
        case IDC_ALL_MORE1:
        case IDC_ALL_MORE2:
            if (wCode == EN_CHANGE)
                fnEnableOkAllInfo(hDlg);
            return TRUE;
        case IDC_ALL_BROWSE1:
        case IDC_ALL_BROWSE2:
        case IDC_ALL_BROWSE3: {
            static const int s_aiEdits[3] = {IDC_ALL_PATH, IDC_ALL_PATH2, IDC_ALL_PATH3};
            fnBrowseFolder(hDlg, s_aiEdits[iId - IDC_ALL_BROWSE1], "");
            return TRUE;
        }
        case IDC_SECT_HELP:
            fnShowSectHelp(hDlg, pAll->pSect);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

// The answers into the directory slots, the answer tables, the check rows
// and the kept settings.
void fnStoreAllInfo(const AllInfoStruct *pAll, UserInputStruct *pInput)
{
    ReadSectStruct *pSect = pAll->pSect;
    unsigned nNum = pSect->nNum;
    if (pAll->szPath[0]) {
        fnSetDirSlot(nNum, pAll->szPath);
        fnCopyText(pSect->szPath, COUNTOF(pSect->szPath), pAll->szPath);
        fnCopyText(pInput->szDestPath, COUNTOF(pInput->szDestPath), g_szDestDir);
    }
    fnCopyText(fnSectDefault(pSect), kcchSectMsg, pAll->szDefault);
    fnCopyText(g_szAskForResponse[nNum], COUNTOF(g_szAskForResponse[nNum]), pAll->szDefault);
    if (pAll->szPath2[0]) {
        fnSetDirSlot(nNum + 1, pAll->szPath2);
        fnCopyText(pSect->szPath2, COUNTOF(pSect->szPath2), pAll->szPath2);
    }
    for (unsigned u = 0; u < 2; u++) {
        if (!(u == 0 ? pSect->bUseMoreInfo1 : pSect->bUseMoreInfo2))
            continue;
        fnCopyText(pSect->szMoreInfo[u], COUNTOF(pSect->szMoreInfo[u]), pAll->szMore[u]);
        fnCopyText(g_szAskForResponse[nNum + 1 + u], COUNTOF(g_szAskForResponse[nNum + 1 + u]), pAll->szMore[u]);
    }
    g_cCheckStates[nNum][0] = pAll->bBox1 ? 'Y' : 'N';
    g_cCheckStates[nNum + 1][0] = pAll->bBox2 ? 'Y' : 'N';
    pSect->abCheck[0] = pAll->bBox1;
    pSect->abCheck[1] = pAll->bBox2;
    if (pAll->szPath3[0]) {
        fnSetDirSlot(nNum + 2, pAll->szPath3);
        fnCopyText(pSect->szPath3, COUNTOF(pSect->szPath3), pAll->szPath3);
    }
    fnLogLine("GetAllInstallInfo=%s, %s, %s", 1, pAll->szPath, pAll->szPath2, pAll->szPath3);
}

// The kept settings of a layout, made on first use; NULL without memory.
ReadSectStruct *fnKeptSettings(unsigned uLayout)
{
    ReadSectStruct **ppSect = &g_apAllInfoSect[uLayout - 1];
    if (!*ppSect)
        *ppSect = (ReadSectStruct *)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ReadSectStruct));
    return *ppSect;
}

}  // namespace

int fnGetAllInstallInfo(HWND hwndMain, const char *pszBody, UserInputStruct *pInput, unsigned uLayout)
{
    if (uLayout < 1 || uLayout > kuAllInfoLayouts)
        return 0;
    BOOL *pbPresent = &pInput->abAllInfoPresent[uLayout - 1];
    ReadSectStruct *pSect = fnKeptSettings(uLayout);
    if (!pSect)
        return 0;
    if (!*pbPresent) {
        char szLine[kcchInfLine] = "";
        fnInfReadLine(pszBody, szLine, COUNTOF(szLine));
        if (!szLine[0])
            return 1;  // nothing to ask
        fnInitReadSect(pSect);
        if (!fnReadSettings(hwndMain, pszBody, pSect))
            return 0;
        if (pSect->bStop)
            return 1;  // accepted unseen
    }
    TRACE("fnGetAllInstallInfo", "uLayout=%u,\nbPresent=%d,\nszPath=%s", uLayout, *pbPresent, pSect->szPath);
    if (!g_szDestDir[0])
        fnSetDirSlot(pSect->nNum, pSect->szPath);
    AllInfoStruct all;
    memset(&all, 0, sizeof(all));
    all.pSect = pSect;
    all.uLayout = uLayout;
    fnCopyText(all.szPath, COUNTOF(all.szPath), pSect->szPath);
    fnCopyText(all.szDefault, COUNTOF(all.szDefault), fnSectDefault(pSect));
    if (uLayout == 1) {
        fnCopyText(all.szPath2, COUNTOF(all.szPath2), pSect->abCheck[0] ? pSect->szPath3 : pSect->szPath2);
        fnCopyText(all.szPath3, COUNTOF(all.szPath3), pSect->abCheck[1] ? pSect->szPath4 : "");
    } else {
        fnCopyText(all.szPath2, COUNTOF(all.szPath2), pSect->szPath2);
    }
    fnCopyText(all.szMore[0], COUNTOF(all.szMore[0]), pSect->szMoreInfo[0]);
    fnCopyText(all.szMore[1], COUNTOF(all.szMore[1]), pSect->szMoreInfo[1]);
    all.bBox1 = pSect->abCheck[0];
    all.bBox2 = pSect->abCheck[1];
    INT_PTR iAnswer = fnShowSectDialog(uLayout == 1 ? IDD_ALLINFO1 : IDD_ALLINFO2, hwndMain, fnAllInfoProc,
                                       (LPARAM)&all, IDOK, "GetAllInstallInfo");
    if (iAnswer != IDOK)
        return iAnswer == IDCANCEL ? 5 : 0;
    fnStoreAllInfo(&all, pInput);
    *pbPresent = TRUE;
    return 1;
}

int fnGetAllInstallInfoSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                               const char *)
{
    unsigned uLayout = fnTextEqualI(pszHeader, "[GetAllInstallInfo2]") ? 2 : 1;
    int iRC = fnGetAllInstallInfo(hwndMain, fnInfSectionBody(pszSection), pInput, uLayout);
    if (iRC == 1)
        iRC = fnTestDestDir(hwndMain, pInput, g_pszScript);
    fnTakeOverInstallInfo(pInput);
    return iRC;
}
