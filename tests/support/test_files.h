// Files and folders for the Windows-side tests (unit and end-to-end): a
// fresh folder under the temporary directory per test, whole-file reads and
// writes, and existence tests.
#ifndef SETUP32_TESTS_SUPPORT_TEST_FILES_H
#define SETUP32_TESTS_SUPPORT_TEST_FILES_H

#include <windows.h>

#include <string>

// A fresh, empty folder %TEMP%\setup32-unit\<name>; returns its path.
inline std::string fnTestDir(const std::string &strName)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strRoot = std::string(szTemp) + "setup32-unit";
    CreateDirectoryA(strRoot.c_str(), NULL);
    std::string strDir = strRoot + "\\" + strName;
    if (GetFileAttributesA(strDir.c_str()) != INVALID_FILE_ATTRIBUTES) {
        WIN32_FIND_DATAA fd;
        HANDLE hFind = FindFirstFileA((strDir + "\\*").c_str(), &fd);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                std::string strPath = strDir + "\\" + fd.cFileName;
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(strPath.c_str());
                }
            } while (FindNextFileA(hFind, &fd));
            FindClose(hFind);
        }
    }
    CreateDirectoryA(strDir.c_str(), NULL);
    return strDir;
}

inline bool fnWriteWholeFile(const std::string &strPath, const std::string &strData)
{
    HANDLE h = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD cb = 0;
    BOOL bOk = WriteFile(h, strData.data(), (DWORD)strData.size(), &cb, NULL);
    CloseHandle(h);
    return bOk && cb == strData.size();
}

inline std::string fnReadWholeFile(const std::string &strPath)
{
    HANDLE h = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string strData;
    char ab[65536];
    DWORD cb = 0;
    while (ReadFile(h, ab, sizeof(ab), &cb, NULL) && cb > 0)
        strData.append(ab, cb);
    CloseHandle(h);
    return strData;
}

inline bool fnFileExists(const std::string &strPath)
{
    return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// How many files match a wildcard pattern ("C:\\DIR\\_EX*.tmp").
inline int fnCountMatches(const std::string &strPattern)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(strPattern.c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    int iCount = 0;
    do {
        iCount += !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return iCount;
}

inline bool fnIsDir(const std::string &strPath)
{
    DWORD dwAttr = GetFileAttributesA(strPath.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY);
}

#endif
