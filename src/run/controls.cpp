#include "run/controls.h"

#include "run/run_state.h"
#include "run/text.h"
#include "run/window.h"
#include "resource.h"

// Window data: range and position as 16-bit words, then the font handle
// (a full pointer-sized slot: a font handle does not fit in 16 bits).
enum { kiRange = 0, kiPos = 2, kiFont = 4, kcbMeterExtra = 4 + sizeof(LONG_PTR) };

int fnMeterPercent(unsigned uPos, unsigned uRange)
{
    if (uRange == 0)
        return 0;
    return (int)((100u * uPos) / uRange);
}

// The meter's look for a position: its percentage and the width of its
// done part. A new position that changes neither is not drawn again.
static int fnMeterLooksSame(HWND hwnd, unsigned uOldPos, unsigned uNewPos)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    unsigned uRange = (WORD)GetWindowWord(hwnd, kiRange);
    if (uRange == 0)
        return 1;
    uOldPos = uOldPos > uRange ? uRange : uOldPos;
    uNewPos = uNewPos > uRange ? uRange : uNewPos;
    LONGLONG cx = rc.right - rc.left;
    return fnMeterPercent(uOldPos, uRange) == fnMeterPercent(uNewPos, uRange) &&
           cx * uOldPos / uRange == cx * uNewPos / uRange;
}

static void fnPaintMeter(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    unsigned uRange = (WORD)GetWindowWord(hwnd, kiRange);
    unsigned uPos = (WORD)GetWindowWord(hwnd, kiPos);
    if (uRange == 0) {
        uRange = 1;
        uPos = 0;
    }
    if (uPos > uRange)
        uPos = uRange;
    char szPercent[16];
    fnFormatText(szPercent, COUNTOF(szPercent), "%d%%", fnMeterPercent(uPos, uRange));
    HFONT hfont = (HFONT)GetWindowLongPtrA(hwnd, kiFont);
    HGDIOBJ hfontOld = SelectObject(hdc, hfont ? (HGDIOBJ)hfont : GetStockObject(DEFAULT_GUI_FONT));

    int xSplit = rc.left + (int)((rc.right - rc.left) * (LONGLONG)uPos / uRange);
    RECT rcDone = {rc.left, rc.top, xSplit, rc.bottom};
    RECT rcRest = {xSplit, rc.top, rc.right, rc.bottom};
    // The done part in inverted colours, the rest plain; the percentage spans
    // both, each part clipped to itself.
    SetBkColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetTextColor(hdc, GetSysColor(COLOR_WINDOW));
    ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rcDone, NULL, 0, NULL);
    DrawTextA(hdc, szPercent, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    SaveDC(hdc);
    IntersectClipRect(hdc, rcRest.left, rcRest.top, rcRest.right, rcRest.bottom);
    SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rcRest, NULL, 0, NULL);
    DrawTextA(hdc, szPercent, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RestoreDC(hdc, -1);
    SelectObject(hdc, hfontOld);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK fnMeterWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_CREATE:
        SetWindowWord(hwnd, kiRange, 10000);
        SetWindowWord(hwnd, kiPos, 5000);
        SetWindowLongPtrA(hwnd, kiFont, 0);
        return 0;
    case PM_SETRANGE:
        SetWindowWord(hwnd, kiRange, (WORD)wParam);
        InvalidateRect(hwnd, NULL, FALSE);
        UpdateWindow(hwnd);
        return 0;
    case PM_GETRANGE:
        return (WORD)GetWindowWord(hwnd, kiRange);
    case PM_SETPOS: {
        unsigned uOldPos = (WORD)GetWindowWord(hwnd, kiPos);
        SetWindowWord(hwnd, kiPos, (WORD)wParam);
        if (fnMeterLooksSame(hwnd, uOldPos, (WORD)wParam))
            return 0;
        InvalidateRect(hwnd, NULL, FALSE);
        UpdateWindow(hwnd);
        return 0;
    }
    case PM_GETPOS:
        return (WORD)GetWindowWord(hwnd, kiPos);
    case WM_SETFONT:
        SetWindowLongPtrA(hwnd, kiFont, (LONG_PTR)wParam);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, NULL, TRUE);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrA(hwnd, kiFont);
    case WM_ENABLE:
        InvalidateRect(hwnd, NULL, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        fnPaintMeter(hwnd);
        return 0;
    default:
        return DefWindowProcA(hwnd, uMsg, wParam, lParam);
    }
}

int fnRegisterProgressMeter(HINSTANCE hInstance)
{
    char szName[kcchShort];
    if (!fnLoadText(IDS_METER_CLASS, szName, COUNTOF(szName)))
        fnCopyText(szName, COUNTOF(szName), "ProgressMeterKRVLO");
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = fnMeterWndProc;
    wc.cbWndExtra = kcbMeterExtra;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_SETUP32));
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = szName;
    return RegisterClassA(&wc) ? 1 : 0;
}
