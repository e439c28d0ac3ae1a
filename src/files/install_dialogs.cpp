// The windows of file installation: the copy status window with its meter
// and Cancel, and the questions asked about one file (missing source, file
// in use, file exists, current copy elsewhere, version conflict).
#include "files/install.h"
#include "base/path.h"

#include <commdlg.h>
#include <winver.h>

#include "files/move.h"
#include "files/move_text.h"
#include "run/controls.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

namespace {

HINSTANCE fnInstance()
{
    return g_hInstance ? g_hInstance : GetModuleHandleA(NULL);
}

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
    return fnMsgBox(IDS_NOT_COMPLETE, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES;
}

INT_PTR CALLBACK fnCopyStatusProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
            // A disabled Cancel button tells the copying loops to stop.
            HWND hCancel = GetDlgItem(hDlg, IDCANCEL);
            if (IsWindowEnabled(hCancel) && fnConfirmExit())
                EnableWindow(hCancel, FALSE);
            return TRUE;
        }
        break;
    case WM_CLOSE:
        DestroyWindow(hDlg);
        return TRUE;
    default:
        break;
    }
    return FALSE;
}

// ---- plain button dialogs: every button ends the dialog with its id ----

struct TextsStruct {
    int aiId[3];
    const char *apszText[3];
};

INT_PTR CALLBACK fnButtonsProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_INITDIALOG) {
        const TextsStruct *pTexts = (const TextsStruct *)lParam;
        for (int i = 0; i < 3; i++) {
            if (pTexts->aiId[i])
                SetDlgItemTextA(hDlg, pTexts->aiId[i], pTexts->apszText[i]);
        }
        fnStartQuestion(hDlg);
        return TRUE;
    }
    if (uMsg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        int iId = LOWORD(wParam);
        if (iId != IDCANCEL && iId != IDOK)  // only the dialog's own buttons end it
            EndDialog(hDlg, iId);
        return TRUE;
    }
    return FALSE;
}

int fnShowButtons(HWND hwndOwner, int iDialog, const TextsStruct *pTexts, int iOnFailure)
{
    INT_PTR iRC = DialogBoxParamA(fnInstance(), MAKEINTRESOURCEA(iDialog), hwndOwner, fnButtonsProc, (LPARAM)pTexts);
    return iRC <= 0 ? iOnFailure : (int)iRC;
}

// ---- what to do with a file a move entry acts on ----

struct MoveChoiceRow {
    int iButton;
    unsigned uMoveMode;
};
const MoveChoiceRow g_aMoveChoices[] = {
    {IDC_MOVECHOICE_MOVE, kMoveMove},
    {IDC_MOVECHOICE_RENAME, kMoveRename},
    {IDC_MOVECHOICE_COPY, kMoveCopy},
    {IDC_MOVECHOICE_DELETE, kMoveDelete},
};

INT_PTR CALLBACK fnMoveChoiceProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_INITDIALOG) {
        SetDlgItemTextA(hDlg, IDC_MOVECHOICE_FILE, (const char *)lParam);
        CheckRadioButton(hDlg, IDC_MOVECHOICE_MOVE, IDC_MOVECHOICE_DELETE, IDC_MOVECHOICE_MOVE);
        fnStartQuestion(hDlg);
        return TRUE;
    }
    if (uMsg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        for (const MoveChoiceRow &row : g_aMoveChoices) {
            if (IsDlgButtonChecked(hDlg, row.iButton) == BST_CHECKED)
                EndDialog(hDlg, (INT_PTR)row.uMoveMode);
        }
        return TRUE;
    case IDCANCEL:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    case IDC_MOVECHOICE_EXIT:
        if (fnConfirmExit())
            EndDialog(hDlg, IDC_MOVECHOICE_EXIT);
        return TRUE;
    default:
        return FALSE;
    }
}

// ---- insert disk ----

void fnEnableOk(HWND hDlg)
{
    EnableWindow(GetDlgItem(hDlg, IDOK), GetWindowTextLengthA(GetDlgItem(hDlg, IDC_DISK_PATH)) > 0);
}

void fnBrowseSource(HWND hDlg)
{
    char szFile[kcchPath], szDir[kcchPath];
    GetDlgItemTextA(hDlg, IDC_DISK_FILE, szFile, COUNTOF(szFile));
    GetDlgItemTextA(hDlg, IDC_DISK_PATH, szDir, COUNTOF(szDir));
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hDlg;
    ofn.lpstrFilter = "All files (*.*)\0*.*\0";
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = COUNTOF(szFile);
    ofn.lpstrInitialDir = szDir[0] ? szDir : NULL;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn))
        return;
    char szName[kcchPath];
    if (fnPathSplit(szFile, szDir, COUNTOF(szDir), szName, COUNTOF(szName)) && szName[0]) {
        SetDlgItemTextA(hDlg, IDC_DISK_FILE, szName);
        SetDlgItemTextA(hDlg, IDC_DISK_PATH, szDir);
    }
}

INT_PTR CALLBACK fnInsertDiskProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    InsertDiskStruct *pDisk = (InsertDiskStruct *)GetWindowLongPtrA(hDlg, DWLP_USER);
    switch (uMsg) {
    case WM_INITDIALOG:
        pDisk = (InsertDiskStruct *)lParam;
        SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)pDisk);
        SetDlgItemTextA(hDlg, IDC_DISK_LABEL, pDisk->szLabel);
        SetDlgItemTextA(hDlg, IDC_DISK_FILE, pDisk->szFile);
        SendDlgItemMessageA(hDlg, IDC_DISK_PATH, EM_LIMITTEXT, kcchPath - 1, 0);
        SetDlgItemTextA(hDlg, IDC_DISK_PATH, pDisk->szPath);
        fnEnableOk(hDlg);
        fnStartQuestion(hDlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DISK_PATH:
            if (HIWORD(wParam) == EN_CHANGE)
                fnEnableOk(hDlg);
            return TRUE;
        case IDOK:
            if (GetWindowTextLengthA(GetDlgItem(hDlg, IDC_DISK_PATH)) == 0)
                return TRUE;
            GetDlgItemTextA(hDlg, IDC_DISK_PATH, pDisk->szPath, COUNTOF(pDisk->szPath));
            GetDlgItemTextA(hDlg, IDC_DISK_FILE, pDisk->szFile, COUNTOF(pDisk->szFile));
            EndDialog(hDlg, IDOK);
            return TRUE;
        case IDC_DISK_BROWSE:
            fnBrowseSource(hDlg);
            return TRUE;
        case IDC_DISK_SKIP:
            EndDialog(hDlg, IDC_DISK_SKIP);
            return TRUE;
        case IDCANCEL:
        case IDC_DISK_EXIT:
            if (fnConfirmExit())
                EndDialog(hDlg, IDC_DISK_EXIT);
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

// ---- version conflict ----

struct VersionDialogStruct {
    DWORD dwBits;
    const char *pszExisting;
    const char *pszNew;
};

UINT fnConflictMessage(DWORD dwBits)
{
    if (dwBits & VIF_DIFFTYPE)
        return IDS_VER_DIFFTYPE;
    if (dwBits & VIF_DIFFCODEPG)
        return IDS_VER_DIFFCODEPAGE;
    if (dwBits & VIF_DIFFLANG)
        return IDS_VER_DIFFLANG;
    if (dwBits & VIF_SRCOLD)
        return IDS_VER_OLDER;
    return IDS_VER_MISMATCH;
}

void fnFillList(HWND hDlg, int iList, const char *pszFile, const char *pszWhich)
{
    char szRows[4096];
    fnVersionRows(pszFile, szRows, COUNTOF(szRows));
    TRACE("fnVersionDialog", "%s=%s\n%s", pszWhich, pszFile, szRows);
    HWND hList = GetDlgItem(hDlg, iList);
    int cchLabel = 0;
    for (char *pszRow = szRows; pszRow && *pszRow;) {
        char *pszEnd = strchr(pszRow, '\n');
        if (pszEnd)
            *pszEnd = '\0';
        const char *pszTab = strchr(pszRow, '\t');
        if (pszTab && pszTab - pszRow > cchLabel)
            cchLabel = (int)(pszTab - pszRow);
        SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)pszRow);
        pszRow = pszEnd ? pszEnd + 1 : NULL;
    }
    // Tab stops are in dialog units, about four to an average character.
    int iTab = cchLabel * 4 + 8;
    SendMessageA(hList, LB_SETTABSTOPS, 1, (LPARAM)&iTab);
}

void fnSyncLists(HWND hDlg, int iFrom)
{
    HWND hFrom = GetDlgItem(hDlg, iFrom);
    HWND hTo = GetDlgItem(hDlg, iFrom == IDC_CONFLICT_OLDLIST ? IDC_CONFLICT_NEWLIST : IDC_CONFLICT_OLDLIST);
    LRESULT lSel = SendMessageA(hFrom, LB_GETCURSEL, 0, 0);
    if (lSel != LB_ERR)
        SendMessageA(hTo, LB_SETCURSEL, (WPARAM)lSel, 0);
    SendMessageA(hTo, LB_SETTOPINDEX, (WPARAM)SendMessageA(hFrom, LB_GETTOPINDEX, 0, 0), 0);
}

INT_PTR CALLBACK fnVersionProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG: {
        const VersionDialogStruct *pVer = (const VersionDialogStruct *)lParam;
        char szText[kcchMessage];
        fnLoadText(fnConflictMessage(pVer->dwBits), szText, COUNTOF(szText));
        SetDlgItemTextA(hDlg, IDC_CONFLICT_TEXT, szText);
        char szDir[kcchPath], szName[kcchPath];
        fnPathSplit(pVer->pszExisting, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
        SetDlgItemTextA(hDlg, IDC_CONFLICT_FILE, szName);
        SetDlgItemTextA(hDlg, IDC_CONFLICT_DIR, szDir);
        fnFillList(hDlg, IDC_CONFLICT_OLDLIST, pVer->pszExisting, "Existing");
        fnFillList(hDlg, IDC_CONFLICT_NEWLIST, pVer->pszNew, "New");
        fnStartQuestion(hDlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_CONFLICT_OLDLIST:
        case IDC_CONFLICT_NEWLIST:
            if (HIWORD(wParam) == LBN_SELCHANGE)
                fnSyncLists(hDlg, LOWORD(wParam));
            return TRUE;
        case IDC_CONFLICT_INSTALL:
        case IDC_CONFLICT_KEEP:
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        case IDCANCEL:
        case IDC_CONFLICT_EXIT:
            if (fnConfirmExit())
                EndDialog(hDlg, IDC_CONFLICT_EXIT);
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

// ---- version rows ----

const char *fnOSText(DWORD dwOS)
{
    static const struct {
        DWORD dwOS;
        const char *pszText;
    } s_aOS[] = {
        {VOS__WINDOWS16, "Windows 16 bit"},       {VOS__PM16, "OS/2-16 PM-16"},
        {VOS__PM32, "OS/2-32 PM-32"},             {VOS__WINDOWS32, "Windows 32 bit"},
        {VOS_DOS, "DOS"},                         {VOS_DOS_WINDOWS16, "Windows 3.0 or later under DOS"},
        {VOS_DOS_WINDOWS32, "Windows-32 under DOS"}, {VOS_OS216, "OS/2-16"},
        {VOS_OS216_PM16, "OS/2-16 PM-16"},        {VOS_OS232, "OS/2-32"},
        {VOS_OS232_PM32, "OS/2-32 PM-32"},        {VOS_NT, "Windows NT"},
        {VOS_NT_WINDOWS32, "Windows-32 under Windows-NT"},
    };
    for (const auto &os : s_aOS) {
        if (os.dwOS == dwOS)
            return os.pszText;
    }
    return "Unknown";
}

void fnFileTypeText(const VS_FIXEDFILEINFO *pffi, char *pszOut, size_t cchOut)
{
    static const char *const s_apszDrivers[] = {"",        "Printer", "Keyboard", "Language",    "Display",      "Mouse",
                                                "Network", "System",  "Installable", "Sound", "Communication"};
    static const char *const s_apszFonts[] = {"", "Raster", "Vector", "TrueType"};
    DWORD dwSub = pffi->dwFileSubtype;
    switch (pffi->dwFileType) {
    case VFT_APP:
        fnCopyText(pszOut, cchOut, "Application");
        break;
    case VFT_DLL:
        fnCopyText(pszOut, cchOut, "Dynamic-link library");
        break;
    case VFT_DRV:
        fnFormatText(pszOut, cchOut, "Device driver (%s)", dwSub < COUNTOF(s_apszDrivers) ? s_apszDrivers[dwSub] : "");
        break;
    case VFT_FONT:
        fnFormatText(pszOut, cchOut, "Font (%s)", dwSub < COUNTOF(s_apszFonts) ? s_apszFonts[dwSub] : "");
        break;
    case VFT_VXD:
        fnFormatText(pszOut, cchOut, "Virtual device (%lu)", (unsigned long)dwSub);
        break;
    case VFT_STATIC_LIB:
        fnCopyText(pszOut, cchOut, "Static-link library");
        break;
    default:
        fnCopyText(pszOut, cchOut, "Unknown");
        break;
    }
}

void fnFlagsText(DWORD dwFlags, char *pszOut, size_t cchOut)
{
    static const char *const s_apszFlags[] = {"Debug ", "Pre-release ", "Patched ", "Private ", "Info ", "Special "};
    pszOut[0] = '\0';
    for (int i = 0; i < 6; i++) {
        if (dwFlags & (1u << i))
            fnAppendText(pszOut, cchOut, s_apszFlags[i]);
    }
    if (!pszOut[0])
        fnCopyText(pszOut, cchOut, "No flags");
}

void fnAddRow(char *pszRows, size_t cchRows, const char *pszLabel, const char *pszValue)
{
    if (pszRows[0])
        fnAppendText(pszRows, cchRows, "\n");
    fnAppendFormat(pszRows, cchRows, "%s\t%s", pszLabel, pszValue);
}

}  // namespace

int fnVersionRows(const char *pszFile, char *pszRows, size_t cchRows)
{
    pszRows[0] = '\0';
    DWORD dwHandle = 0;
    DWORD cbInfo = GetFileVersionInfoSizeA(pszFile, &dwHandle);
    CGlobalBlock block;
    char *pbInfo = cbInfo ? block.fnAlloc(cbInfo + 128) : NULL;
    VS_FIXEDFILEINFO *pffi = NULL;
    UINT cbFixed = 0;
    if (!pbInfo || !GetFileVersionInfoA(pszFile, 0, cbInfo, pbInfo) ||
        !VerQueryValueA(pbInfo, "\\", (void **)&pffi, &cbFixed) || cbFixed < sizeof(VS_FIXEDFILEINFO)) {
        fnLoadText(IDS_COPY_NO_VERSION, pszRows, (int)cchRows);
        return 1;
    }
    char szValue[kcchPath];
    fnFormatText(szValue, COUNTOF(szValue), "%u.%u.%u.%u", HIWORD(pffi->dwFileVersionMS),
                 LOWORD(pffi->dwFileVersionMS), HIWORD(pffi->dwFileVersionLS), LOWORD(pffi->dwFileVersionLS));
    fnAddRow(pszRows, cchRows, "File version", szValue);
    fnFormatText(szValue, COUNTOF(szValue), "%u.%u.%u.%u", HIWORD(pffi->dwProductVersionMS),
                 LOWORD(pffi->dwProductVersionMS), HIWORD(pffi->dwProductVersionLS), LOWORD(pffi->dwProductVersionLS));
    fnAddRow(pszRows, cchRows, "Product version", szValue);
    fnFlagsText(pffi->dwFileFlags & pffi->dwFileFlagsMask, szValue, COUNTOF(szValue));
    fnAddRow(pszRows, cchRows, "File flags", szValue);
    fnAddRow(pszRows, cchRows, "Operating system", fnOSText(pffi->dwFileOS));
    fnFileTypeText(pffi, szValue, COUNTOF(szValue));
    fnAddRow(pszRows, cchRows, "File type", szValue);

    WORD *pwTrans = NULL;
    UINT cbTrans = 0;
    char szBlock[16] = "040904E4";
    szValue[0] = '\0';
    if (VerQueryValueA(pbInfo, "\\VarFileInfo\\Translation", (void **)&pwTrans, &cbTrans) && cbTrans >= 4) {
        fnFormatText(szBlock, COUNTOF(szBlock), "%04x%04x", pwTrans[0], pwTrans[1]);
        VerLanguageNameA(pwTrans[0], szValue, COUNTOF(szValue));
    }
    fnAddRow(pszRows, cchRows, "Language:", szValue);

    static const char *const s_apszStrings[][2] = {
        {"Comments", "Comments"},           {"Company", "CompanyName"},          {"Description", "FileDescription"},
        {"File version", "FileVersion"},    {"Internal name", "InternalName"},   {"Copyright", "LegalCopyright"},
        {"Trademarks", "LegalTrademarks"},  {"Original name", "OriginalFilename"}, {"Private build", "PrivateBuild"},
        {"Product name", "ProductName"},    {"Product version", "ProductVersion"}, {"Special build", "SpecialBuild"},
    };
    for (const auto &row : s_apszStrings) {
        char szQuery[kcchShort];
        fnFormatText(szQuery, COUNTOF(szQuery), "\\StringFileInfo\\%s\\%s", szBlock, row[1]);
        char *pszText = NULL;
        UINT cchText = 0;
        if (!VerQueryValueA(pbInfo, szQuery, (void **)&pszText, &cchText) || !pszText)
            pszText = (char *)"";
        fnAddRow(pszRows, cchRows, row[0], pszText);
    }
    return 18;
}

HWND fnCreateCopyStatus(HWND hwndOwner)
{
    HWND hDlg = CreateDialogParamA(fnInstance(), MAKEINTRESOURCEA(IDD_COPY_STATUS), hwndOwner, fnCopyStatusProc, 0);
    if (!hDlg)
        return NULL;
    SetWindowTextA(hDlg, g_szTitle[0] ? g_szTitle : "Install and Setup");
    fnPlaceWindow(hDlg, kPlaceCenter, FALSE);
    EnableWindow(GetDlgItem(hDlg, IDCANCEL), TRUE);
    for (int iId = IDC_COPY_TEXT1; iId <= IDC_COPY_TEXT4; iId++)
        SetDlgItemTextA(hDlg, iId, "");
    fnSetProgressRange(hDlg, 0);
    fnSetProgressPos(hDlg, 0);
    ShowWindow(hDlg, SW_SHOWNA);
    UpdateWindow(hDlg);
    return hDlg;
}

void fnSetStatusText(HWND hStatusDlg, int iId, UINT uFormatId, const char *pszArg)
{
    if (!hStatusDlg || !IsWindow(hStatusDlg))
        return;
    char szText[kcchMessage];
    if (uFormatId) {
        char szFormat[kcchShort];
        fnLoadText(uFormatId, szFormat, COUNTOF(szFormat));
        fnFormatText(szText, COUNTOF(szText), szFormat, pszArg ? pszArg : "");
    } else {
        fnCopyText(szText, COUNTOF(szText), pszArg ? pszArg : "");
    }
    // Setting a text redraws it at once; the same text is left standing.
    char szShown[kcchMessage] = "";
    GetDlgItemTextA(hStatusDlg, iId, szShown, COUNTOF(szShown));
    if (!strcmp(szShown, szText))
        return;
    SetDlgItemTextA(hStatusDlg, iId, szText);
}

void fnSetProgressPos(HWND hStatusDlg, unsigned uPos)
{
    if (hStatusDlg && IsWindow(hStatusDlg))
        SendDlgItemMessageA(hStatusDlg, IDC_COPY_METER, PM_SETPOS, uPos, 0);
}

void fnSetProgressRange(HWND hStatusDlg, unsigned uRange)
{
    if (hStatusDlg && IsWindow(hStatusDlg))
        SendDlgItemMessageA(hStatusDlg, IDC_COPY_METER, PM_SETRANGE, uRange, 0);
}

int fnCancelPressed(HWND hStatusDlg)
{
    if (!hStatusDlg || !IsWindow(hStatusDlg))
        return 0;
    HWND hCancel = GetDlgItem(hStatusDlg, IDCANCEL);
    return hCancel && !IsWindowEnabled(hCancel);
}

int fnShowInsertDiskDialog(HWND hwndOwner, InsertDiskStruct *pDisk)
{
    INT_PTR iRC = DialogBoxParamA(fnInstance(), MAKEINTRESOURCEA(IDD_INSERT_DISK), hwndOwner, fnInsertDiskProc,
                                  (LPARAM)pDisk);
    return iRC <= 0 ? IDC_DISK_EXIT : (int)iRC;
}

int fnShowInUseDialog(HWND hwndOwner, const char *pszFile)
{
    TextsStruct texts = {{IDC_INUSE_FILE, 0, 0}, {pszFile, NULL, NULL}};
    return fnShowButtons(hwndOwner, IDD_IN_USE, &texts, IDC_INUSE_EXIT);
}

int fnShowExistsDialog(HWND hwndOwner, const char *pszName, const char *pszDir)
{
    TextsStruct texts = {{IDC_EXISTS_FILE, IDC_EXISTS_DIR, 0}, {pszName, pszDir, NULL}};
    return fnShowButtons(hwndOwner, IDD_FILE_EXISTS, &texts, IDC_EXISTS_EXIT);
}

int fnShowElsewhereDialog(HWND hwndOwner, const char *pszName, const char *pszDir, const char *pszCurDir)
{
    TextsStruct texts = {{IDC_ELSEWHERE_FILE, IDC_ELSEWHERE_DIR, IDC_ELSEWHERE_CURDIR}, {pszName, pszDir, pszCurDir}};
    return fnShowButtons(hwndOwner, IDD_FILE_ELSEWHERE, &texts, IDC_ELSEWHERE_EXIT);
}

int fnShowVersionDialog(HWND hwndOwner, DWORD dwBits, const char *pszExisting, const char *pszNew)
{
    VersionDialogStruct ver = {dwBits, pszExisting, pszNew};
    INT_PTR iRC = DialogBoxParamA(fnInstance(), MAKEINTRESOURCEA(IDD_VERSION_CONFLICT), hwndOwner, fnVersionProc,
                                  (LPARAM)&ver);
    return iRC <= 0 ? IDC_CONFLICT_EXIT : (int)iRC;
}

int fnShowMoveChoiceDialog(HWND hwndOwner, const char *pszFile)
{
    INT_PTR iRC = DialogBoxParamA(fnInstance(), MAKEINTRESOURCEA(IDD_MOVE_CHOICE), hwndOwner, fnMoveChoiceProc,
                                  (LPARAM)pszFile);
    if (iRC == IDCANCEL)
        return kMoveChoiceCancel;
    return iRC <= 0 || iRC == IDC_MOVECHOICE_EXIT ? kMoveChoiceExit : (int)iRC;
}
