// Kill anywhere: SETUP32 is ended by TerminateProcess at moments spread over
// a whole run. Afterwards every file it was writing holds its old bytes or
// its new bytes (a file that was not there is absent or whole), an edited
// INI file is the original or a complete edited version with its backup
// whole, and a following run is not hindered by anything the killed one
// left.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace {

const int kKillMoments = 16;

// Calls fnFile(path, relative name) for every file under strDir, sub-folders included.
void fnWalkTree(const std::string &strDir, const std::string &strRel,
                const std::function<void(const std::string &, const std::string &)> &fnFile)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strDir + "\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string strName = fd.cFileName;
        if (strName == "." || strName == "..")
            continue;
        std::string strRelName = strRel.empty() ? strName : strRel + "\\" + strName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            fnWalkTree(strDir + "\\" + strName, strRelName, fnFile);
        else
            fnFile(strDir + "\\" + strName, strRelName);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
}

// The names of every file under strDir, sub-folders included.
void fnListTree(const std::string &strDir, const std::string &strRel, std::set<std::string> *pNames)
{
    fnWalkTree(strDir, strRel, [pNames](const std::string &, const std::string &strName) { pNames->insert(strName); });
}

// Every file under strDir (relative name -> bytes), sub-folders included.
void fnReadTree(const std::string &strDir, const std::string &strRel, std::map<std::string, std::string> *pFiles)
{
    fnWalkTree(strDir, strRel, [pFiles](const std::string &strPath, const std::string &strName) {
        (*pFiles)[strName] = fnE2EReadFile(strPath);
    });
}

// Bytes that tell every position of every version apart, so a file cut or
// mixed from two versions equals neither.
std::string fnPattern(const std::string &strTag, const std::string &strName, size_t cb)
{
    std::string str;
    str.reserve(cb + 64);
    for (unsigned u = 0; str.size() < cb; u++)
        str += strTag + ":" + strName + ":" + std::to_string(u) + "\r\n";
    str.resize(cb);
    return str;
}

// The names GetTempFileNameA gives: "_" + prefix + hex digits + ".TMP".
bool fnIsTemporaryName(const std::string &strRel)
{
    std::string strName = strRel.substr(strRel.rfind('\\') == std::string::npos ? 0 : strRel.rfind('\\') + 1);
    return strName.size() > 5 && strName[0] == '_' && _stricmp(strName.c_str() + strName.size() - 4, ".TMP") == 0;
}

class KillAnywhereE2E : public E2ECase {
protected:
    void SetUp() override
    {
        E2ECase::SetUp();
        ASSERT_TRUE(CopyFileA(fnE2ESetupExe().c_str(), (m_strDir + "\\SETUP32.EXE").c_str(), FALSE));
    }

    // Starts SETUP32 quietly on the script in the work dir; kills it after
    // dwKillMs unless it ended first. Returns its exit code (1 when killed).
    // With pvecWatch, notes in *pdwFirstChange when one of those folders
    // first changed (ms after the start; the end when none did).
    DWORD fnRunKilledAfter(DWORD dwKillMs, const std::vector<std::string> *pvecWatch = NULL,
                           DWORD *pdwFirstChange = NULL)
    {
        std::string strCmd = "\"" + m_strDir + "\\SETUP32.EXE\" -q";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!fnStartProcess(NULL, &strCmd[0], 0, m_strDir, &si, &pi)) {
            ADD_FAILURE() << "SETUP32.EXE did not start (error " << GetLastError() << ")";
            return (DWORD)-1;
        }
        DWORD dwStart = GetTickCount();
        if (pvecWatch) {
            std::vector<FILETIME> vecBefore;
            for (const std::string &strDir : *pvecWatch)
                vecBefore.push_back(fnWriteTime(strDir));
            *pdwFirstChange = 0;
            while (!*pdwFirstChange && WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT)
                for (size_t i = 0; i < pvecWatch->size(); i++) {
                    FILETIME ftNow = fnWriteTime((*pvecWatch)[i]);
                    if (CompareFileTime(&vecBefore[i], &ftNow) != 0)
                        *pdwFirstChange = GetTickCount() - dwStart;
                }
            if (!*pdwFirstChange)
                *pdwFirstChange = GetTickCount() - dwStart;
        }
        // A kill on an event: as soon as the trigger sees it (or the time is up).
        bool bTriggered = false;
        while (m_fnKillWhen && GetTickCount() - dwStart < dwKillMs && !(bTriggered = m_fnKillWhen()) &&
               WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT) {
        }
        DWORD dwTaken = bTriggered ? dwKillMs : GetTickCount() - dwStart;
        if (WaitForSingleObject(pi.hProcess, dwKillMs > dwTaken ? dwKillMs - dwTaken : 0) == WAIT_TIMEOUT)
            TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 60000);
        DWORD dwExit = (DWORD)-1;
        GetExitCodeProcess(pi.hProcess, &dwExit);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return dwExit;
    }

    static FILETIME fnWriteTime(const std::string &strPath)
    {
        WIN32_FILE_ATTRIBUTE_DATA fad = {};
        GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &fad);
        return fad.ftLastWriteTime;
    }

    // Times a whole run: when the watched folders first change (the work
    // starts) and when it ends, in ms after the start. fnReset makes the
    // starting state; the first run only warms the caches.
    template <typename Reset>
    void fnTimeWholeRun(const std::vector<std::string> &vecWatch, Reset fnReset)
    {
        fnReset();
        EXPECT_EQ(0u, fnRunKilledAfter(120000));
        fnReset();
        DWORD dwStart = GetTickCount();
        EXPECT_EQ(0u, fnRunKilledAfter(120000, &vecWatch, &m_dwWorkStart));
        m_dwWorkEnd = GetTickCount() - dwStart;
        if (m_dwWorkEnd < m_dwWorkStart + 20)
            m_dwWorkEnd = m_dwWorkStart + 20;
        printf("kill moments: the work runs from %lu to %lu ms\n", m_dwWorkStart, m_dwWorkEnd);
    }

    // Kill moment i: most of them spread over the work, a few before it.
    DWORD fnMoment(int i) const
    {
        if (i < 2)
            return m_dwWorkStart * (i + 1) / 3;
        return m_dwWorkStart + (m_dwWorkEnd - m_dwWorkStart) * (2 * (i - 2) + 1) / (2 * (kKillMoments - 2));
    }

    DWORD m_dwWorkStart = 0, m_dwWorkEnd = 0;
    std::function<bool()> m_fnKillWhen;  // kill trigger of fnRunKilledAfter, polled every ms
};

// A tree copied over an older one: some targets exist, some are new; one of
// each is large enough for its copy to take a good part of the run.
TEST_F(KillAnywhereE2E, TreeCopiedOverAnOlderTreeStaysWholeFileByFile)
{
    const std::string strSrc = m_strDir + "\\src";
    // The destination is a work dir of its own, made afresh before each run.
    const std::string strDstName = "KillAnywhereE2E_TreeDestination";
    const std::string strDst = fnE2EWorkDir(strDstName.c_str());
    CreateDirectoryA(strSrc.c_str(), NULL);
    CreateDirectoryA((strSrc + "\\sub").c_str(), NULL);
    std::map<std::string, std::string> mapNew, mapOld;
    for (int i = 0; i < 24; i++) {
        std::string strName = (i % 3 == 0 ? "sub\\F" : "F") + std::to_string(i) + ".BIN";
        size_t cb = i < 2 ? 24 * 1024 * 1024 : i % 3 ? 200 * 1024 : 2048;
        mapNew[strName] = fnPattern("NEW", strName, cb);
        ASSERT_TRUE(fnE2EWriteFile(strSrc + "\\" + strName, mapNew[strName]));
        if (i % 2 == 0)
            mapOld[strName] = fnPattern("OLD", strName, cb / 2 + 100);
    }
    auto fnResetDst = [&]() {
        fnE2EWorkDir(strDstName.c_str());
        CreateDirectoryA((strDst + "\\sub").c_str(), NULL);
        for (const auto &old : mapOld)
            fnE2EWriteFile(strDst + "\\" + old.first, old.second);
    };
    std::string strScript = "[CopyFiles]\r\nBeQuiet=Y\r\n0, " + strSrc + "\\*.*, " + strDst + "\\X, +N,N,N\r\n[End]\r\n";
    ASSERT_TRUE(fnE2EWriteFile(m_strDir + "\\KARVELLO.INF", strScript));

    fnTimeWholeRun({strDst, strDst + "\\sub"}, fnResetDst);
    std::map<std::string, std::string> mapAfter;
    fnReadTree(strDst, "", &mapAfter);
    ASSERT_EQ(mapNew, mapAfter) << "a whole run installs the tree";

    // Half the kills at moments spread over the run, half when the copy has
    // made its n-th new name (a new target or a temporary) in the tree.
    for (int i = 0; i < 2 * kKillMoments; i++) {
        fnResetDst();
        DWORD dwKill = i < kKillMoments ? fnMoment(i) : 120000;
        size_t cNewNames = (size_t)(i - kKillMoments) + 1;
        if (i >= kKillMoments)
            m_fnKillWhen = [&]() {
                std::set<std::string> setNames;
                fnListTree(strDst, "", &setNames);
                return setNames.size() >= mapOld.size() + cNewNames;
            };
        fnRunKilledAfter(dwKill);
        m_fnKillWhen = nullptr;
        std::map<std::string, std::string> mapFound;
        fnReadTree(strDst, "", &mapFound);
        for (const auto &found : mapFound) {
            auto itNew = mapNew.find(found.first);
            if (itNew == mapNew.end()) {
                // Only the temporary of a copy under way, under a unique name no later run takes.
                EXPECT_TRUE(fnIsTemporaryName(found.first))
                    << "stray file " << found.first << " after kill " << i << " (" << dwKill << " ms)";
                continue;
            }
            auto itOld = mapOld.find(found.first);
            bool bWhole = found.second == itNew->second || (itOld != mapOld.end() && found.second == itOld->second);
            EXPECT_TRUE(bWhole) << found.first << " is cut or mixed (" << found.second.size()
                                << " bytes) after kill " << i << " (" << dwKill << " ms)";
        }
        for (const auto &old : mapOld)
            EXPECT_TRUE(mapFound.count(old.first)) << old.first << " is gone after kill " << i << " (" << dwKill << " ms)";
    }
    // What the last kill left does not stop the next run.
    EXPECT_EQ(0u, fnRunKilledAfter(120000));
    mapAfter.clear();
    fnReadTree(strDst, "", &mapAfter);
    for (const auto &file : mapNew)
        EXPECT_EQ(file.second, mapAfter[file.first]) << file.first << " after a whole run that followed a kill";
}

// Twelve edits of a large INI file (about 0.9 MB), then twelve registry values.
TEST_F(KillAnywhereE2E, LargeIniFileAndRegistryEditsAreWholeAtEveryMoment)
{
    const int kEdits = 12;
    const char *const kpszKey = "Software\\setup32-e2e-kill";
    std::string strOriginal = "[Main]\r\n";
    for (int i = 0; i < 20000; i++)
        strOriginal += "Key" + std::to_string(i) + "=old value " + std::to_string(i) + " of a large file\r\n";
    strOriginal += "[Other]\r\nLast=1\r\n";
    // The file after the first k edits, each of which sets one key.
    std::vector<std::string> vecVersions = {strOriginal};
    std::string strScript = "[IniEdits]\r\n";
    for (int k = 0; k < kEdits; k++) {
        int iKey = k * 1657;
        std::string strOld = "Key" + std::to_string(iKey) + "=old value " + std::to_string(iKey) + " of a large file";
        std::string strNew = "Key" + std::to_string(iKey) + "=new " + std::to_string(k);
        std::string strNext = vecVersions.back();
        strNext.replace(strNext.find(strOld + "\r\n"), strOld.size(), strNew);
        vecVersions.push_back(strNext);
        strScript += "BIG.INI, Main, Key" + std::to_string(iKey) + ", new " + std::to_string(k) + ", N, W\r\n";
    }
    strScript += "[Registry]\r\n";
    for (int k = 0; k < kEdits; k++)
        strScript += "Edit=SZ,HKEY_CURRENT_USER\\" + std::string(kpszKey) + ",v" + std::to_string(k) + ",new " +
                     std::to_string(k) + "\r\n";
    strScript += "[End]\r\n";
    ASSERT_TRUE(fnE2EWriteFile(m_strDir + "\\KARVELLO.INF", strScript));
    auto fnReset = [&]() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kpszKey);
        DeleteFileA((m_strDir + "\\BIG.ORI").c_str());
        fnE2EWriteFile(m_strDir + "\\BIG.INI", strOriginal);
    };
    auto fnValue = [&](int k) {
        char sz[64] = "";
        DWORD cb = sizeof sz;
        if (RegGetValueA(HKEY_CURRENT_USER, kpszKey, ("v" + std::to_string(k)).c_str(), RRF_RT_REG_SZ, NULL, sz, &cb))
            return std::string("<none>");
        return std::string(sz);
    };

    fnTimeWholeRun({m_strDir}, fnReset);
    ASSERT_EQ(vecVersions.back(), fnE2EReadFile(m_strDir + "\\BIG.INI")) << "a whole run makes every edit";
    ASSERT_EQ(strOriginal, fnE2EReadFile(m_strDir + "\\BIG.ORI"));
    ASSERT_EQ("new 11", fnValue(kEdits - 1));

    // Kills at moments spread over the run, then on three events: the
    // backup has appeared, a temporary has appeared beside the file, the
    // file has been replaced.
    FILETIME ftOriginal = {};
    std::function<bool()> afnEvents[] = {
        [&]() { return GetFileAttributesA((m_strDir + "\\BIG.ORI").c_str()) != INVALID_FILE_ATTRIBUTES; },
        [&]() {
            std::set<std::string> setNames;
            fnListTree(m_strDir, "", &setNames);
            for (const std::string &strName : setNames)
                if (fnIsTemporaryName(strName))
                    return true;
            return false;
        },
        [&]() {
            FILETIME ftNow = fnWriteTime(m_strDir + "\\BIG.INI");
            return CompareFileTime(&ftNow, &ftOriginal) != 0;
        },
    };
    for (int i = 0; i < kKillMoments + 3; i++) {
        fnReset();
        ftOriginal = fnWriteTime(m_strDir + "\\BIG.INI");
        DWORD dwKill = i < kKillMoments ? fnMoment(i) : 120000;
        if (i >= kKillMoments)
            m_fnKillWhen = afnEvents[i - kKillMoments];
        fnRunKilledAfter(dwKill);
        m_fnKillWhen = nullptr;
        std::string strIni = fnE2EReadFile(m_strDir + "\\BIG.INI");
        int iVersion = -1;
        for (size_t v = 0; v < vecVersions.size(); v++)
            if (strIni == vecVersions[v])
                iVersion = (int)v;
        EXPECT_GE(iVersion, 0) << "BIG.INI is no whole version (" << strIni.size() << " bytes) after a kill at "
                               << dwKill << " ms";
        std::string strBackup = fnE2EReadFile(m_strDir + "\\BIG.ORI");
        EXPECT_TRUE(strBackup == strOriginal || (iVersion <= 0 && strBackup.empty()))
            << "the backup is cut or missing (" << strBackup.size() << " bytes), kill at " << dwKill << " ms";
        for (int k = 0; k < kEdits; k++) {
            std::string strValue = fnValue(k);
            EXPECT_TRUE(strValue == "<none>" || strValue == "new " + std::to_string(k)) << strValue;
            EXPECT_TRUE(strValue == "<none>" || iVersion == kEdits) << "a registry value before the INI edits were done";
        }
        // Temporaries of the edits have unique names; none is an INI or a backup.
        std::map<std::string, std::string> mapFiles;
        fnReadTree(m_strDir, "", &mapFiles);
        for (const auto &file : mapFiles)
            EXPECT_TRUE(file.first == "SETUP32.EXE" || file.first == "KARVELLO.INF" || file.first == "BIG.INI" ||
                        file.first == "BIG.ORI" || fnIsTemporaryName(file.first))
                << "stray " << file.first << " after kill " << i << " (" << dwKill << " ms)";
    }
    fnReset();
    EXPECT_EQ(0u, fnRunKilledAfter(120000));
    EXPECT_EQ(vecVersions.back(), fnE2EReadFile(m_strDir + "\\BIG.INI")) << "a whole run after the kills";
    RegDeleteTreeA(HKEY_CURRENT_USER, kpszKey);
}

}  // namespace
