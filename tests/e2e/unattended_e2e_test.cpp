// Unattended runs ("-q=2") and the event log ("-l="): no window ever waits,
// each question takes its default answer and says so in the log, a prompt
// with no safe answer fails the run at once, every line of the log is JSON
// (read back with a real parser), also when the run is killed half-way, and
// the destination given on the command line is where relative entries land.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "e2e_support.h"

namespace {

using Json = nlohmann::json;

// Every line of the event log parsed; a line that is no JSON fails the test.
std::vector<Json> fnReadEvents(const std::string &strFile, bool bLastMayBeCut = false)
{
    std::string strLog = fnE2EReadFile(strFile);
    std::vector<Json> vEvents;
    size_t uStart = 0;
    for (size_t uLf = strLog.find('\n'); uLf != std::string::npos; uLf = strLog.find('\n', uStart)) {
        std::string strLine = strLog.substr(uStart, uLf - uStart);
        Json event = Json::parse(strLine, nullptr, false);
        EXPECT_FALSE(event.is_discarded()) << "not JSON: " << strLine;
        if (!event.is_discarded())
            vEvents.push_back(event);
        uStart = uLf + 1;
    }
    if (!bLastMayBeCut) {
        EXPECT_EQ(uStart, strLog.size()) << "the log does not end with a whole line";
    }
    return vEvents;
}

std::vector<Json> fnEventsOf(const std::vector<Json> &vEvents, const std::string &strEvent)
{
    std::vector<Json> v;
    for (const Json &event : vEvents) {
        if (event.value("event", "") == strEvent)
            v.push_back(event);
    }
    return v;
}

// The question whose text holds strPart (an empty object when there is none).
Json fnQuestion(const std::vector<Json> &vEvents, const std::string &strPart)
{
    for (const Json &event : vEvents) {
        if (event.value("event", "") == "question" && fnContains(event.value("text", ""), strPart))
            return event;
    }
    ADD_FAILURE() << "no question \"" << strPart << "\" in " << Json(vEvents).dump(1);
    return Json::object();
}

class UnattendedE2E : public E2ESrcDstCase {
protected:
    void SetUp() override
    {
        E2ESrcDstCase::SetUp();
        m_strLog = m_strDir + "\\events.json";
    }
    std::string m_strLog;
};

}  // namespace

TEST_F(UnattendedE2E, QuestionsLockedFileAndRestartRunToTheEndWithoutAWindow)
{
    fnE2EWriteFile(m_strSrc + "\\BUSY.DLL", "replacement");
    fnE2EWriteFile(m_strSrc + "\\A.TXT", "a");
    fnE2EWriteFile(m_strDst + "\\BUSY.DLL", "running");
    HANDLE hHold = CreateFileA((m_strDst + "\\BUSY.DLL").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    std::string strScript = "[Config]\r\nMessageDlg=\"Install the tools now?\",Tools,YESNO,Y\r\n"
                            "MessageDlg=\"The tools need 2 MB.\",Tools,OK\r\n"
                            "ShowErrorMessage=Y\r\n"
                            "[Registry]\r\nEdit=SZ,HKEY_CURRENT_USER\\Software\\setup32-e2e\\unattended,Tool,1.0\r\n"
                            "[CopyFiles]\r\n"
                            "0, " + m_strSrc + "\\BUSY.DLL, " + m_strDst + "\\BUSY.DLL, N,N,N\r\n"
                            "0, " + m_strSrc + "\\A.TXT, " + m_strDst + "\\new\\A.TXT, N,N,N\r\n[End]\r\n";
    // No answers: a window the robot saw would be UNEXPECTED.
    E2EResult res = fnRunCase(strScript, "-q=2 -l=events.json", {}, 3010);
    CloseHandle(hHold);
    EXPECT_EQ("", res.strTranscript) << res;
    EXPECT_EQ("a", fnE2EReadFile(m_strDst + "\\new\\A.TXT"));

    std::vector<Json> vEvents = fnReadEvents(m_strLog);
    ASSERT_FALSE(vEvents.empty());
    EXPECT_EQ("run_start", vEvents.front().value("event", ""));
    EXPECT_EQ(true, vEvents.front().value("unattended", false));
    Json yes = fnQuestion(vEvents, "Install the tools now?");
    EXPECT_EQ("Yes", yes.value("button", "")) << yes;
    EXPECT_EQ("unattended rule", yes.value("by", "")) << yes;
    EXPECT_EQ("OK", fnQuestion(vEvents, "The tools need 2 MB.").value("button", ""));
    Json restart = fnQuestion(vEvents, "Is it OK to restart Windows?");
    EXPECT_EQ("No", restart.value("button", "")) << restart;

    // Each change listed was made.
    std::vector<Json> vChanges = fnEventsOf(vEvents, "change");
    EXPECT_FALSE(vChanges.empty());
    bool bSawNewFile = false, bSawValue = false;
    for (const Json &change : vChanges) {
        std::string strTarget = change.value("target", "");
        if (change.value("kind", "") == "registry_value_written") {
            EXPECT_EQ("HKEY_CURRENT_USER\\Software\\setup32-e2e\\unattended", strTarget);
            char szData[64] = "";
            DWORD cbData = sizeof(szData);
            EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, "Software\\setup32-e2e\\unattended", "Tool",
                                                  RRF_RT_REG_SZ, NULL, szData, &cbData));
            EXPECT_EQ(change.value("after", ""), szData);
            EXPECT_EQ("1.0", change.value("after", ""));
            EXPECT_EQ(false, change.value("existed", true));
            bSawValue = true;
            continue;
        }
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strTarget.c_str())) << change;
        bSawNewFile = bSawNewFile || (change.value("kind", "") == "file_installed" && fnContains(strTarget, "A.TXT"));
    }
    EXPECT_TRUE(bSawNewFile);
    EXPECT_TRUE(bSawValue);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\setup32-e2e\\unattended");
    // The locked file waits for the restart that the exit code asks for.
    bool bSawScheduled = false;
    for (const Json &change : vChanges) {
        bSawScheduled = bSawScheduled || (change.value("kind", "") == "file_replaced_at_restart" &&
                                          fnContains(change.value("target", ""), "BUSY.DLL"));
    }
    EXPECT_TRUE(bSawScheduled) << Json(vChanges).dump(1);
    std::vector<Json> vEnds = fnEventsOf(vEvents, "section_end");
    ASSERT_EQ(2u, vEnds.size());
    EXPECT_EQ("[CopyFiles]", vEnds[1].value("header", ""));
    EXPECT_EQ(1, vEnds[1].value("result", 0));
    EXPECT_EQ("run_end", vEvents.back().value("event", ""));
    EXPECT_EQ(3010, vEvents.back().value("exit_code", 0));
}

TEST_F(UnattendedE2E, InsertDiskPromptFailsTheRunAtOnce)
{
    fnE2EWriteFile(m_strSrc + "\\HERE.TXT", "here");
    std::string strScript = "[CopyFiles]\r\n1, " + m_strSrc + "\\GONE1.TXT, " + m_strDst + "\\GONE1.TXT, N,N,N\r\n" +
                            "[CopyFiles]\r\n0, " + m_strSrc + "\\HERE.TXT, " + m_strDst + "\\HERE.TXT, N,N,N\r\n" +
                            "[Disks]\r\n1=Program disk one\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "-q=2 -l=events.json", {}, 1603);
    EXPECT_EQ("", res.strTranscript) << res;
    // At once: the next section did not run.
    EXPECT_EQ("", fnE2EReadFile(m_strDst + "\\HERE.TXT"));
    std::vector<Json> vEvents = fnReadEvents(m_strLog);
    std::vector<Json> vStops = fnEventsOf(vEvents, "no_safe_answer");
    ASSERT_EQ(1u, vStops.size());
    EXPECT_TRUE(fnContains(vStops[0].value("text", ""), "Program disk one")) << vStops[0];
    EXPECT_TRUE(fnContains(vStops[0].value("text", ""), "GONE1.TXT")) << vStops[0];
    EXPECT_EQ(1603, vEvents.back().value("exit_code", 0));
}

TEST_F(UnattendedE2E, KilledRunLeavesWholeLines)
{
    std::string strExe = m_strDir + "\\SETUP32.EXE";
    ASSERT_TRUE(CopyFileA(fnE2ESetupExe().c_str(), strExe.c_str(), FALSE));
    fnE2EWriteFile(m_strDir + "\\KARVELLO.INF",
                   "[Config]\r\nMessageDlg=First step C:\\new\\tab,Note,OK\r\nSleep=30\r\n[End]\r\n");
    std::string strCmd = "\"" + strExe + "\" -q=2 -l=events.json";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(fnStartProcess(strExe.c_str(), &strCmd[0], 0, m_strDir, &si, &pi));
    // Wait until the question is in the log, then kill the run in its sleep.
    for (int i = 0; i < 100 && !fnContains(fnE2EReadFile(m_strLog), "\"question\""); i++)
        Sleep(100);
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::vector<Json> vEvents = fnReadEvents(m_strLog, true);
    ASSERT_GE(vEvents.size(), 2u);
    EXPECT_EQ("run_start", vEvents[0].value("event", ""));
    EXPECT_EQ("First step C:\\new\\tab", vEvents[1].value("text", "")) << vEvents[1];
    EXPECT_TRUE(fnEventsOf(vEvents, "run_end").empty());
}

TEST_F(UnattendedE2E, DestinationFromTheCommandLineAndCommandFile)
{
    fnE2EWriteFile(m_strSrc + "\\A.TXT", "a");
    std::string strScript = "[CopyFiles]\r\n0, " + m_strSrc + "\\A.TXT, sub\\A.TXT, N,N,N\r\n[End]\r\n";
    // The command file comes from [WriteCmdFile]: its DESTDIR, BEQUIET=2 and LOGFILE.
    std::string strOther = m_strDir + "\\other";
    fnRunCase("[WriteCmdFile]\r\nWriteFile=RUN.CMD\r\nBeQuiet=2\r\nDestDir=" + strOther + "\r\nLogFile=" + m_strLog +
                  "\r\n[End]\r\n",
              "-q", {}, 0);
    fnRunCase(strScript, "-q \"-d=" + m_strDst + "\"", {}, 0);
    EXPECT_EQ("a", fnE2EReadFile(m_strDst + "\\sub\\A.TXT"));
    fnRunCase(strScript, "-c=RUN.CMD", {}, 0);
    EXPECT_EQ("a", fnE2EReadFile(strOther + "\\sub\\A.TXT"));
    std::vector<Json> vEvents = fnReadEvents(m_strLog);
    ASSERT_FALSE(vEvents.empty());
    EXPECT_EQ(true, vEvents.front().value("unattended", false));
}

TEST_F(UnattendedE2E, TemporaryCopyAddsToTheSameLog)
{
    // [Config] Restart hands the run to a copy ("-t"), which goes on with the
    // walk and adds its records to the log this run began.
    std::string strMark = m_strDir + "\\walked.ini";
    fnRunCase("[Config]\r\nRestart=Y\r\n[WriteCmdFile]\r\nWriteFile=" + strMark + "\r\nDestDir=C:\\X\r\n[End]\r\n",
              "-q=2 -l=events.json", {}, 0);
    for (int i = 0; i < 200 && fnEventsOf(fnReadEvents(m_strLog, true), "run_end").size() < 2; i++)
        Sleep(100);
    EXPECT_TRUE(fnE2EDeleteTempCopy());
    std::vector<Json> vEvents = fnReadEvents(m_strLog);
    std::vector<Json> vStarts = fnEventsOf(vEvents, "run_start");
    ASSERT_EQ(2u, vStarts.size()) << Json(vEvents).dump(1);
    EXPECT_EQ(vStarts[0], vEvents.front());  // the first run's records are kept
    EXPECT_TRUE(fnContains(vStarts[1].value("command_line", ""), " -t")) << vStarts[1];
    EXPECT_EQ(2u, fnEventsOf(vEvents, "run_end").size());
    EXPECT_TRUE(fnContains(fnE2EReadFile(strMark), "DESTDIR=C:\\X"));
}

namespace {

struct WindowCountStruct {
    DWORD dwPid;
    int cWindows;
};

BOOL CALLBACK fnCountProcessWindow(HWND hwnd, LPARAM lParam)
{
    WindowCountStruct *pCount = (WindowCountStruct *)lParam;
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hwnd, &dwPid);
    if (dwPid == pCount->dwPid)
        pCount->cWindows++;
    return TRUE;
}

// The most top-level windows (shown or hidden) SETUP32 had at one time while
// it ran the script with strArgs, looked at every 50 ms; its exit code in *pdwExit.
int fnMostWindowsDuring(const std::string &strDir, const std::string &strArgs, DWORD *pdwExit)
{
    std::string strExe = strDir + "\\SETUP32.EXE";
    if (!CopyFileA(fnE2ESetupExe().c_str(), strExe.c_str(), FALSE))
        return -1;
    std::string strCmd = "\"" + strExe + "\" " + strArgs;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!fnStartProcess(strExe.c_str(), &strCmd[0], 0, strDir, &si, &pi))
        return -1;
    int cMost = 0;
    while (WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT) {
        WindowCountStruct count = {pi.dwProcessId, 0};
        EnumWindows(fnCountProcessWindow, (LPARAM)&count);
        cMost = count.cWindows > cMost ? count.cWindows : cMost;
    }
    GetExitCodeProcess(pi.hProcess, pdwExit);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return cMost;
}

}  // namespace

// A quiet run has its (hidden) main window; an unattended one has none at all.
TEST_F(UnattendedE2E, UnattendedRunMakesNoWindowAtAll)
{
    fnE2EWriteFile(m_strDir + "\\KARVELLO.INF",
                   "[Config]\r\nMessage=Copying now,N,Center\r\nSleep=2\r\n[FloatInfo]\r\nMessage=Done soon\r\n[End]\r\n");
    DWORD dwExit = 1;
    EXPECT_EQ(0, fnMostWindowsDuring(m_strDir, "-q=2 -l=events.json", &dwExit));
    EXPECT_EQ(0u, dwExit);
    std::vector<Json> vLeftOut = fnEventsOf(fnReadEvents(m_strLog), "window_left_out");
    EXPECT_EQ(2u, vLeftOut.size());
    EXPECT_GE(fnMostWindowsDuring(m_strDir, "-q -w=0", &dwExit), 1);
}
