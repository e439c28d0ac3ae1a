// End-to-end test support: see e2e_support.h.
#include "e2e_support.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Windows command-line quoting (the rules CommandLineToArgvW and the C
// run-time's argv parsing follow).
std::string fnQuoteArg(const std::string &s) {
    if (!s.empty() && s.find_first_of(" \t\n\v\"") == std::string::npos) return s;
    std::string r = "\"";
    size_t nBackslashes = 0;
    for (char c : s) {
        if (c == '\\') {
            nBackslashes++;
            continue;
        }
        if (c == '"') {
            r.append(nBackslashes * 2 + 1, '\\');
        } else {
            r.append(nBackslashes, '\\');
        }
        nBackslashes = 0;
        r += c;
    }
    r.append(nBackslashes * 2, '\\');
    r += '"';
    return r;
}

void fnRemoveTree(const std::string &strPath) {
    DWORD dwAttr = GetFileAttributesA(strPath.c_str());
    if (dwAttr == INVALID_FILE_ATTRIBUTES) return;
    if (!(dwAttr & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(strPath.c_str());
        return;
    }
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strPath + "\\*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            std::string strName = fd.cFileName;
            if (strName == "." || strName == "..") continue;
            fnRemoveTree(strPath + "\\" + strName);
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(strPath.c_str());
}

std::string fnFromEnvOr(const char *pszVar, const char *pszDefault) {
    const char *psz = getenv(pszVar);
    return fnE2EWinePath(psz && *psz ? psz : pszDefault);
}

DWORD fnWait(HANDLE h, DWORD ms) { return WaitForSingleObject(h, ms); }

}  // namespace

std::string fnE2EWinePath(const std::string &strPath) {
    if (strPath.empty() || strPath[0] != '/') return strPath;
    std::string r = "Z:";
    for (char c : strPath) r += c == '/' ? '\\' : c;
    return r;
}

std::string fnE2ESetupExe() { return fnFromEnvOr("SETUP32_E2E_EXE", SETUP32_E2E_EXE); }
std::string fnE2ERobotExe() { return fnFromEnvOr("SETUP32_E2E_ROBOT", SETUP32_E2E_ROBOT); }

std::string fnE2EWorkDir(const char *pszName) {
    char szTemp[MAX_PATH];
    DWORD n = GetTempPathA(sizeof szTemp, szTemp);
    std::string strBase = n ? std::string(szTemp, n) : std::string("C:\\");
    if (strBase.back() != '\\') strBase += '\\';
    strBase += "setup32-e2e";
    CreateDirectoryA(strBase.c_str(), nullptr);
    std::string strDir = strBase + "\\" + pszName;
    fnRemoveTree(strDir);
    DeleteFileA((strDir + ".robot.txt").c_str());
    CreateDirectoryA(strDir.c_str(), nullptr);
    return strDir;
}

std::string fnE2EReadFile(const std::string &strPath) {
    FILE *f = fopen(strPath.c_str(), "rb");
    if (!f) return std::string();
    std::string r;
    char buf[8192];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) r.append(buf, n);
    fclose(f);
    return r;
}

bool fnE2EWriteFile(const std::string &strPath, const std::string &strData) {
    FILE *f = fopen(strPath.c_str(), "wb");
    if (!f) return false;
    bool fOk = fwrite(strData.data(), 1, strData.size(), f) == strData.size();
    return fclose(f) == 0 && fOk;
}

BOOL fnStartProcess(const char *pszExe, char *pszCmd, DWORD dwFlags, const std::string &strWorkDir,
                    STARTUPINFOA *psi, PROCESS_INFORMATION *ppi)
{
    BOOL bStarted = FALSE;
    for (int iTry = 0; iTry < 3 && !bStarted; iTry++) {
        if (iTry)
            Sleep(500);
        bStarted = CreateProcessA(pszExe, pszCmd, nullptr, nullptr, FALSE, dwFlags, nullptr, strWorkDir.c_str(), psi,
                                  ppi);
        if (!bStarted && GetLastError() != ERROR_INTERNAL_ERROR)
            break;
    }
    return bStarted;
}

E2EResult fnE2ERun(const std::string &strWorkDir, const E2ERun &run) {
    E2EResult res{0xFFFFFFFFu, -1, std::string()};
    std::string strExe = strWorkDir + "\\SETUP32.EXE";
    std::string strTranscript = strWorkDir + ".robot.txt";
    DeleteFileA(strTranscript.c_str());

    if (!CopyFileA(fnE2ESetupExe().c_str(), strExe.c_str(), FALSE)) {
        res.strTranscript = "HARNESS ERROR: cannot copy " + fnE2ESetupExe() + " to " + strExe + "\n";
        return res;
    }
    if (!run.strScript.empty() && !fnE2EWriteFile(strWorkDir + "\\" + run.strScriptName, run.strScript)) {
        res.strTranscript = "HARNESS ERROR: cannot write the script " + run.strScriptName + "\n";
        return res;
    }

    std::string strCmd = fnQuoteArg(strExe);
    if (!run.strArgs.empty()) strCmd += " " + run.strArgs;
    std::vector<char> vecCmd(strCmd.begin(), strCmd.end());
    vecCmd.push_back('\0');
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION piSetup;
    BOOL bStarted = fnStartProcess(strExe.c_str(), vecCmd.data(), CREATE_SUSPENDED, strWorkDir, &si, &piSetup);
    if (!bStarted) {
        res.strTranscript = "HARNESS ERROR: cannot start " + strExe + " (error " + std::to_string(GetLastError()) +
                            ")\n";
        return res;
    }

    std::string strRobot = fnQuoteArg(fnE2ERobotExe()) + " " + std::to_string(piSetup.dwProcessId) + " " +
                           fnQuoteArg(strTranscript) + " " + std::to_string(run.dwTimeoutMs);
    for (const std::string &strAnswer : run.vecAnswers) strRobot += " " + fnQuoteArg(strAnswer);
    std::vector<char> vecRobot(strRobot.begin(), strRobot.end());
    vecRobot.push_back('\0');
    STARTUPINFOA siRobot;
    ZeroMemory(&siRobot, sizeof siRobot);
    siRobot.cb = sizeof siRobot;
    PROCESS_INFORMATION piRobot;
    bool fRobot = fnStartProcess(nullptr, vecRobot.data(), CREATE_NO_WINDOW, strWorkDir, &siRobot, &piRobot) != FALSE;
    DWORD dwRobotError = fRobot ? 0 : GetLastError();
    ResumeThread(piSetup.hThread);
    CloseHandle(piSetup.hThread);

    if (fRobot) {
        CloseHandle(piRobot.hThread);
        // The robot ends when SETUP32 ends, or at the time-out (terminating it).
        if (fnWait(piRobot.hProcess, run.dwTimeoutMs + 30000) != WAIT_OBJECT_0) {
            TerminateProcess(piRobot.hProcess, 99);
            fnWait(piRobot.hProcess, 5000);
        }
        DWORD dw = 0;
        GetExitCodeProcess(piRobot.hProcess, &dw);
        res.iRobotExit = (int)dw;
        CloseHandle(piRobot.hProcess);
    }
    DWORD dwGrace = fRobot ? 10000 : run.dwTimeoutMs;
    if (fnWait(piSetup.hProcess, dwGrace) != WAIT_OBJECT_0) {
        TerminateProcess(piSetup.hProcess, ERROR_TIMEOUT);
        fnWait(piSetup.hProcess, 5000);
        res.strTranscript += "HARNESS: SETUP32.EXE did not end, terminated\n";
    }
    GetExitCodeProcess(piSetup.hProcess, &res.dwExitCode);
    CloseHandle(piSetup.hProcess);

    if (!fRobot) {
        res.strTranscript = "HARNESS ERROR: cannot start the robot " + fnE2ERobotExe() + " (error " +
                            std::to_string(dwRobotError) + ")\n" + res.strTranscript;
        return res;
    }
    res.strTranscript = fnE2EReadFile(strTranscript) + res.strTranscript;
    return res;
}

bool fnContains(const std::string &strText, const std::string &strPart)
{
    return strText.find(strPart) != std::string::npos;
}

void E2ECase::SetUp()
{
    const ::testing::TestInfo *pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
    m_strDir = fnE2EWorkDir((std::string(pInfo->test_suite_name()) + "_" + pInfo->name()).c_str());
}

std::string fnE2ETempCopy()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    return std::string(szTemp) + "_KRVLO_.EXE";
}

bool fnE2EDeleteTempCopy()
{
    std::string strCopy = fnE2ETempCopy();
    for (int i = 0; i < 50; i++) {
        if (DeleteFileA(strCopy.c_str()) || GetFileAttributesA(strCopy.c_str()) == INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(100);  // the copy is still running
    }
    return false;
}

void E2ESrcDstCase::SetUp()
{
    E2ECase::SetUp();
    m_strSrc = m_strDir + "\\src";
    m_strDst = m_strDir + "\\dst";
    CreateDirectoryA(m_strSrc.c_str(), nullptr);
    CreateDirectoryA(m_strDst.c_str(), nullptr);
}

E2EResult E2ECase::fnRunCase(const std::string &strScript, const std::string &strArgs,
                             const std::vector<std::string> &vecAnswers, DWORD dwExit)
{
    E2ERun run;
    run.strScript = strScript;
    run.strArgs = strArgs;
    run.vecAnswers = vecAnswers;
    return fnRunCase(run, dwExit);
}

E2EResult E2ECase::fnRunCase(const E2ERun &run, DWORD dwExit)
{
    E2EResult res = fnE2ERun(m_strDir, run);
    EXPECT_EQ(dwExit, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;
    return res;
}

std::ostream &operator<<(std::ostream &os, const E2EResult &res) {
    os << "\nSETUP32.EXE exit code: " << res.dwExitCode << "\nrobot exit code: " << res.iRobotExit
       << "\ntranscript:\n" << res.strTranscript;
    return os;
}

bool fnE2EAwaitTempCopy(const std::string &strFile)
{
    for (int i = 0; i < 200 && GetFileAttributesA(strFile.c_str()) == INVALID_FILE_ATTRIBUTES; i++)
        Sleep(100);
    bool bMade = GetFileAttributesA(strFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    return fnE2EDeleteTempCopy() && bMade;
}

std::string fnE2EShot(const char *pszName)
{
    const char *pszDir = getenv("SETUP32_E2E_SHOTS");
    std::string strDir;
    if (pszDir && *pszDir) {
        strDir = fnE2EWinePath(pszDir);
    } else {
        std::string strExe = fnE2ESetupExe();
        strDir = strExe.substr(0, strExe.rfind('\\')) + "\\shots";
    }
    CreateDirectoryA(strDir.c_str(), NULL);
    return "shot:" + strDir + "\\" + pszName + ".bmp";
}
