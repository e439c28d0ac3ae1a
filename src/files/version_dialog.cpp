// The version conflict question: the message for the conflict, and the
// version resources of the existing and the new file side by side.
#include "files/version_dialog.h"
#include "base/path.h"

#include <winver.h>

#include "files/install_ops.h"
#include "files/install_question.h"
#include "run/guards.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

namespace {

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

int fnShowVersionDialog(HWND hwndOwner, DWORD dwBits, const char *pszExisting, const char *pszNew)
{
    VersionDialogStruct ver = {dwBits, pszExisting, pszNew};
    char szWhat[kcchLine];
    fnFormatText(szWhat, COUNTOF(szWhat), "version conflict: %s", pszExisting);
    INT_PTR iRC = fnDialogBox(IDD_VERSION_CONFLICT, hwndOwner, fnVersionProc, (LPARAM)&ver, IDC_CONFLICT_INSTALL,
                              szWhat);
    return iRC <= 0 ? IDC_CONFLICT_EXIT : (int)iRC;
}
