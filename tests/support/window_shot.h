// Pictures of windows the unit tests make, kept for a person to look at.
#ifndef SETUP32_TESTS_SUPPORT_WINDOW_SHOT_H
#define SETUP32_TESTS_SUPPORT_WINDOW_SHOT_H

#include <windows.h>

#include <string>

// Keeps a picture of the window as a 24-bit BMP in the "shots" folder beside
// this test program, so window layouts can be looked at.
inline void fnSaveWindowShot(HWND hwnd, const std::string &strName)
{
    char szExe[MAX_PATH];
    GetModuleFileNameA(NULL, szExe, MAX_PATH);
    std::string strDir = szExe;
    strDir = strDir.substr(0, strDir.rfind('\\')) + "\\shots";
    CreateDirectoryA(strDir.c_str(), NULL);
    RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    DWORD cbRow = ((DWORD)cx * 3 + 3) & ~3u;
    bi.bmiHeader.biSizeImage = cbRow * (DWORD)cy;
    HDC hdcScreen = GetDC(NULL);
    HDC hdcMem = CreateCompatibleDC(hdcScreen);
    void *pBits = NULL;
    HBITMAP hbm = CreateDIBSection(hdcScreen, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hdcMem && hbm) {
        HGDIOBJ hOld = SelectObject(hdcMem, hbm);
        BitBlt(hdcMem, 0, 0, cx, cy, hdcScreen, rc.left, rc.top, SRCCOPY);
        SelectObject(hdcMem, hOld);
        BITMAPFILEHEADER bf = {};
        bf.bfType = 0x4D42;
        bf.bfOffBits = sizeof(bf) + sizeof(bi.bmiHeader);
        bf.bfSize = bf.bfOffBits + bi.bmiHeader.biSizeImage;
        std::string strData((const char *)&bf, sizeof(bf));
        strData.append((const char *)&bi.bmiHeader, sizeof(bi.bmiHeader));
        strData.append((const char *)pBits, bi.bmiHeader.biSizeImage);
        HANDLE hFile = CreateFileA((strDir + "\\" + strName + ".bmp").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD cbWritten = 0;
        if (hFile != INVALID_HANDLE_VALUE) {
            WriteFile(hFile, strData.data(), (DWORD)strData.size(), &cbWritten, NULL);
            CloseHandle(hFile);
        }
    }
    if (hbm)
        DeleteObject(hbm);
    if (hdcMem)
        DeleteDC(hdcMem);
    ReleaseDC(NULL, hdcScreen);
}

#endif
