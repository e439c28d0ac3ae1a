// The [Set]/[Command] sections as a script uses them: settings that change
// the run, a failed file command under "ExitOnCommandError", stored answers
// read as "@$n", a real service started, stopped and reconfigured through
// the service manager, and the account commands where Wine has no accounts.
#include <gtest/gtest.h>

#include <string>

#include "../support/test_files.h"
#include "e2e_support.h"

namespace {

using CommandE2E = E2ECase;

TEST_F(CommandE2E, ACaptionSetHereCaptionsTheLaterMessage)
{
    E2EResult res = fnRunCase("[Set]\r\nCaption=Set By Command\r\n[Command]\r\nMessageBox=Hello\r\n[End]\r\n", "-q",
                              {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Set By Command\ntext: Hello\n")) << res;
}

TEST_F(CommandE2E, AnExitMessageSetHereIsTheClosingMessage)
{
    E2EResult res = fnRunCase("[Set]\r\nExitMessage=Bye from the command section.\r\n[End]\r\n", "", {"OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: Bye from the command section.\nbuttons: OK\n")) << res;
}

TEST_F(CommandE2E, AFailedFileCommandFailsTheRunOnlyWhenAsked)
{
    std::string strFail = "CopyFile=" + m_strDir + "\\missing.txt," + m_strDir + "\\copy.txt\r\n";
    std::string strAfter = "[Set]\r\nCreateFile=" + m_strDir + "\\after.txt\r\n[End]\r\n";
    fnRunCase("[Set]\r\n" + strFail + strAfter, "-q", {}, 0);
    EXPECT_TRUE(fnFileExists(m_strDir + "\\after.txt"));

    DeleteFileA((m_strDir + "\\after.txt").c_str());
    fnRunCase("[Set]\r\nExitOnCommandError=Y\r\n" + strFail + strAfter, "-q", {}, 1603);
    EXPECT_FALSE(fnFileExists(m_strDir + "\\after.txt"));
}

TEST_F(CommandE2E, StoredAnswersAreReadAsDollarVariables)
{
    std::string strOut = m_strDir + "\\answers.txt";
    fnRunCase("[Set]\r\nGetTotalSpace=C:\\\r\nWMIQuery=Win32_OperatingSystem,Caption\r\nWriteLineToFile=" + strOut +
                  ",@$0|@$1\r\n[End]\r\n",
              "-q", {}, 0);
    ULARGE_INTEGER ulAvail, ulTotal, ulFree;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &ulAvail, &ulTotal, &ulFree));
    std::string strText = fnE2EReadFile(strOut);
    EXPECT_EQ(0u, strText.find(std::to_string(ulTotal.QuadPart) + "|")) << strText;
    EXPECT_EQ(std::string::npos, strText.find("|NA")) << strText;  // Wine answers this query
}

// A throw-away service of the test's own (tests/tools/tiny_service.cpp).
class ServiceE2E : public E2ECase {
protected:
    void SetUp() override
    {
        E2ECase::SetUp();
        m_hManager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
        ASSERT_NE(nullptr, m_hManager);
        std::string strExe = "\"" + fnE2EWinePath(SETUP32_E2E_SERVICE) + "\"";
        m_hService = CreateServiceA(m_hManager, kszName, kszName, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                    SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, strExe.c_str(), NULL, NULL, NULL, NULL,
                                    NULL);
        ASSERT_NE(nullptr, m_hService) << GetLastError();
    }
    void TearDown() override
    {
        if (m_hService) {
            SERVICE_STATUS status;
            ControlService(m_hService, SERVICE_CONTROL_STOP, &status);
            DeleteService(m_hService);
            CloseServiceHandle(m_hService);
        }
        if (m_hManager)
            CloseServiceHandle(m_hManager);
    }
    DWORD fnState()
    {
        SERVICE_STATUS status = {};
        QueryServiceStatus(m_hService, &status);
        return status.dwCurrentState;
    }
    DWORD fnStartType()
    {
        BYTE ab[8192];
        DWORD cb = 0;
        QUERY_SERVICE_CONFIGA *pConfig = (QUERY_SERVICE_CONFIGA *)ab;
        return QueryServiceConfigA(m_hService, pConfig, sizeof(ab), &cb) ? pConfig->dwStartType : 0xFFFFFFFF;
    }
    static constexpr const char *kszName = "setup32probe";
    SC_HANDLE m_hManager = NULL;
    SC_HANDLE m_hService = NULL;
};

TEST_F(ServiceE2E, StartsStopsAndChangesTheStartType)
{
    std::string strTrace = m_strDir + "\\trace.log";
    fnRunCase("[Set]\r\nDebug=3," + strTrace + "\r\nStartService=setup32probe\r\nChangeServiceStart=setup32probe,"
              "DISABLED\r\nWriteLineToFile=" + m_strDir + "\\between.txt,x\r\n[End]\r\n",
              "-q", {}, 0);
    EXPECT_EQ((DWORD)SERVICE_RUNNING, fnState());
    EXPECT_EQ((DWORD)SERVICE_DISABLED, fnStartType());
    std::string strText = fnE2EReadFile(strTrace);
    EXPECT_TRUE(fnContains(strText, "Started service setup32probe")) << strText;

    fnRunCase("[Set]\r\nDebug=3," + strTrace + "\r\nStopService=setup32probe\r\nChangeServiceStart=setup32probe,"
              "Boot\r\nStartService=setup32-no-such-service\r\n[End]\r\n",
              "-q", {}, 0);
    EXPECT_EQ((DWORD)SERVICE_STOPPED, fnState());
    EXPECT_EQ((DWORD)SERVICE_DISABLED, fnStartType());  // "Boot" is no start type the command sets
    strText = fnE2EReadFile(strTrace);
    EXPECT_TRUE(fnContains(strText, "Stopped service setup32probe")) << strText;
    EXPECT_TRUE(fnContains(strText, "Error starting service setup32-no-such-service")) << strText;
    EXPECT_FALSE(fnContains(strText, "Started service setup32-no-such-service")) << strText;
}

// Wine has no domain functions and no network: the commands fail softly,
// traced, never as a success, and no password reaches the trace.
TEST_F(CommandE2E, DomainAndDriveCommandsFailSoftlyWithoutThePassword)
{
    std::string strTrace = m_strDir + "\\trace.log";
    E2EResult res = fnRunCase("[Set]\r\nDebug=3," + strTrace + "\r\nUnJoinDomain=corp,admin,Hidden-Pw1\r\n"
                              "RenameComputerInDomain=corp,NEWNAME,admin,Hidden-Pw1\r\nMapDrive=Q:,\\\\nohost\\share,bob,"
                              "Hidden-Pw1\r\nWZCSVCConfig=OFF\r\nAmILocalAdmin=Display\r\nCreateFile=" + m_strDir + "\\after.txt\r\n[End]\r\n",
                              "-q", {"OK"}, 0);
    std::string strText = fnE2EReadFile(strTrace);
    EXPECT_TRUE(fnContains(strText, "fnUnJoinDomain NetUnjoinDomain not found")) << strText;
    EXPECT_TRUE(fnContains(strText, "NetRenameMachineInDomain not found")) << strText;
    EXPECT_TRUE(fnContains(strText, "szUserName=corp\\admin")) << strText;  // qualified for renaming
    EXPECT_TRUE(fnContains(strText, "User bob attempt number 3 to  map")) << strText;
    EXPECT_TRUE(fnContains(strText, "failed to map")) << strText;
    EXPECT_TRUE(fnContains(strText, "Error getting WZCSVC")) << strText;
    EXPECT_FALSE(fnContains(strText, "NetUnjoinDomain Success")) << strText;
    EXPECT_FALSE(fnContains(strText, "mapped\n")) << strText;
    EXPECT_FALSE(fnContains(strText, "Hidden-Pw1")) << strText;
    // Wine runs everything as an administrator: the check says so and the walk goes on.
    EXPECT_TRUE(fnContains(res.strTranscript, " is a local Administrator.\nbuttons: OK\n")) << res;
    EXPECT_TRUE(fnFileExists(m_strDir + "\\after.txt"));
}

TEST_F(CommandE2E, AMetCheckGoesOnAndExitNowEndsTheRun)
{
    // Wine reports every user as a member of Administrators, and
    // administrators count as members of every group: the check is met.
    fnRunCase("[Set]\r\nIsUserMemberOf=setup32nobody,Users,ExitWithoutMessage\r\nCreateFile=" + m_strDir +
                  "\\after.txt\r\nExitNow\r\nCreateFile=" + m_strDir + "\\late.txt\r\n[Set]\r\nCreateFile=" +
                  m_strDir + "\\next.txt\r\n[End]\r\n",
              "-q", {}, 0);
    EXPECT_TRUE(fnFileExists(m_strDir + "\\after.txt"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\late.txt"));
    EXPECT_FALSE(fnFileExists(m_strDir + "\\next.txt"));  // "ExitNow" ended the run
}

}  // namespace
