// A file replaced at the next restart is reported by the exit code whatever
// exit action the script chose.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"

using RestartPendingE2E = E2ECase;

TEST_F(RestartPendingE2E, FileInUseUnderAnExitProgramStillExits3010)
{
    const std::string &strDir = m_strDir;
    CreateDirectoryA((strDir + "\\src").c_str(), NULL);
    CreateDirectoryA((strDir + "\\dst").c_str(), NULL);
    fnE2EWriteFile(strDir + "\\src\\BUSY.DLL", "replacement");
    fnE2EWriteFile(strDir + "\\dst\\BUSY.DLL", "running");
    HANDLE hHold = CreateFileA((strDir + "\\dst\\BUSY.DLL").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    fnRunCase("[Config]\r\nOnExit=Exec,cmd.exe /c echo done> exitprog.txt\r\n[CopyFiles]\r\nBeQuiet=Y\r\n0, " + strDir +
                  "\\src\\BUSY.DLL, " + strDir + "\\dst\\BUSY.DLL, NR,N,N\r\n[End]\r\n",
              "-q", {}, 3010);
    CloseHandle(hHold);
    // The exit program still ran.
    std::string strOut;
    for (int i = 0; i < 100 && strOut.empty(); i++) {
        Sleep(100);
        strOut = fnE2EReadFile(strDir + "\\exitprog.txt");
    }
    EXPECT_EQ("done\r\n", strOut);
}
