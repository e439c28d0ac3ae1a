// The unattended rule: the answer each message box and dialog gets when
// nobody watches, the failure of a prompt without a safe answer, and the
// event log those answers reach (UTF-8, escaped, passwords masked).
#include <gtest/gtest.h>

#include <string>

#include "run/event_log.h"
#include "run/message.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/window.h"
#include "support/test_files.h"
#include "resource.h"

namespace {

// Unattended for one test; the run state is cleared before and after.
class UnattendedRule : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnClearRunState();
        g_bUnattended = g_bQuiet = TRUE;
    }
    void TearDown() override
    {
        fnCloseEventLog();
        fnClearRunState();
    }
};

INT_PTR CALLBACK fnNeverShown(HWND, UINT, WPARAM, LPARAM)
{
    ADD_FAILURE() << "the dialog was made";
    return FALSE;
}

}  // namespace

TEST_F(UnattendedRule, MessageBoxesTakeTheirDefaultButtonButNeverRetry)
{
    struct {
        UINT uId;
        UINT uFlags;
        int iAnswer;
    } aCases[] = {
        {0, MB_OK, IDOK},
        {0, MB_YESNO, IDYES},
        {0, MB_YESNO | MB_DEFBUTTON2, IDNO},
        {0, MB_OKCANCEL | MB_DEFBUTTON3, IDOK},  // a default beyond the buttons: the first
        {0, MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDIGNORE},
        {0, MB_RETRYCANCEL, IDCANCEL},
        {0, MB_CANCELTRYCONTINUE | MB_DEFBUTTON2, IDCONTINUE},
        {IDS_RESTART_ASK, MB_YESNO, IDNO},
        {IDS_REBOOT_ASK_AGAIN, MB_YESNO, IDNO},
        {IDS_RESTART_ASK_TEXT, MB_YESNO, IDNO},
        {IDS_INSERT_SOURCE, MB_OKCANCEL, kDialogNoSafeAnswer},
        {IDS_DISK_SPACE_SWITCH, MB_OKCANCEL, kDialogNoSafeAnswer},
    };
    for (const auto &c : aCases)
        EXPECT_EQ(fnMsgBoxDefault(c.uId, c.uFlags), c.iAnswer) << c.uId << " " << c.uFlags;
    // And fnMsgBox gives it without a window.
    EXPECT_EQ(fnMsgBox(0, NULL, MB_YESNO | MB_DEFBUTTON2, "%s", "Continue?"), IDNO);
    EXPECT_EQ(fnMsgBox(IDS_RESTART_ASK, NULL, MB_YESNO | MB_ICONINFORMATION), IDNO);
    EXPECT_FALSE(g_bUnattendedFailed);
}

TEST_F(UnattendedRule, APromptWithoutSafeAnswerStopsAndFailsTheRun)
{
    EXPECT_EQ(fnMsgBox(IDS_INSERT_DISK_N, NULL, MB_OKCANCEL, 2), IDCANCEL);
    EXPECT_TRUE(g_bUnattendedFailed);
    g_bUnattendedFailed = FALSE;
    EXPECT_EQ(fnDialogBox(IDD_MESSAGE, NULL, fnNeverShown, 0, kDialogNoSafeAnswer, "a password"), -1);
    EXPECT_TRUE(g_bUnattendedFailed);
}

TEST_F(UnattendedRule, DialogsAnswerWithTheirCallersDefault)
{
    EXPECT_EQ(fnDialogBox(IDD_MESSAGE, NULL, fnNeverShown, 0, IDOK, "a question"), IDOK);
    MessageStruct msg;
    fnInitMessage(&msg, 0);
    fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), "Retry the copy?");
    const struct {
        unsigned uButtons;
        int iAnswer;
    } aCases[] = {
        {kButtonsYesNo, IDC_MESSAGE_YES},          {kButtonsOkCancel, IDC_MESSAGE_OK},
        {kButtonsRetryCancel, IDC_MESSAGE_CANCEL}, {kButtonsRetryContinue, IDC_MESSAGE_CONTINUE},
        {kButtonsRetryExit, IDC_MESSAGE_EXIT},     {kButtonsCancel, IDC_MESSAGE_CANCEL},
    };
    for (const auto &c : aCases) {
        msg.uButtons = c.uButtons;
        EXPECT_EQ(fnShowMessageDialog(NULL, &msg), c.iAnswer) << c.uButtons;
    }
    EXPECT_FALSE(g_bUnattendedFailed);
}

TEST_F(UnattendedRule, EventLogHoldsUtf8LinesWithTheAnswers)
{
    std::string strFile = fnTestDir("UnattendedRule") + "\\events.json";
    ASSERT_EQ(fnOpenEventLog(strFile.c_str(), 0), 1);
    // An ANSI text: "é" is one byte in the ANSI code page, two in UTF-8.
    char szAnsi[8] = {'c', 'a', 'f', '\0'};
    WCHAR wszE[2] = {0x00E9, 0};
    WideCharToMultiByte(CP_ACP, 0, wszE, -1, szAnsi + 3, 4, NULL, NULL);
    fnMsgBox(0, NULL, MB_YESNO, "%s \"%s\"", "Install", szAnsi);
    fnEventLog("login", "user", "admin", "password", "hunter2", NULL);
    fnCloseEventLog();
    std::string strLog = fnReadWholeFile(strFile);
    size_t uLf = strLog.find('\n');
    ASSERT_NE(uLf, std::string::npos);
    std::string strFirst = strLog.substr(0, uLf);
    EXPECT_NE(strFirst.find("\"event\":\"question\",\"text\":\"Install \\\"caf\xC3\xA9\\\"\",\"answer\":6,"
                            "\"button\":\"Yes\",\"by\":\"unattended rule\"}"),
              std::string::npos)
        << strFirst;
    EXPECT_NE(strLog.find("\"password\":\"***\""), std::string::npos);
    EXPECT_EQ(strLog.find("hunter2"), std::string::npos);
    EXPECT_EQ(strLog.back(), '\n');
}

// A run's temporary copy adds to the log while the run that started it may
// still write its end: neither empties nor overwrites what the other wrote.
TEST_F(UnattendedRule, TemporaryCopyAddsToTheLog)
{
    std::string strFile = fnTestDir("UnattendedRule") + "\\shared.json";
    ASSERT_EQ(fnOpenEventLog(strFile.c_str(), 0), 1);
    fnEventLog("first", NULL);
    HANDLE hFirst = g_hEventLog;
    g_hEventLog = INVALID_HANDLE_VALUE;
    ASSERT_EQ(fnOpenEventLog(strFile.c_str(), 1), 1);  // the copy, while the first is open
    fnEventLog("copy", NULL);
    HANDLE hCopy = g_hEventLog;
    g_hEventLog = hFirst;
    fnEventLog("first_end", NULL);
    fnCloseEventLog();
    g_hEventLog = hCopy;
    fnEventLog("copy_end", NULL);
    fnCloseEventLog();
    std::string strEvents;
    std::string strLog = fnReadWholeFile(strFile);
    const std::string strKey = "\"event\":\"";
    for (size_t uPos = strLog.find(strKey); uPos != std::string::npos; uPos = strLog.find(strKey, uPos + 1)) {
        size_t uStart = uPos + strKey.size();
        strEvents += strLog.substr(uStart, strLog.find('"', uStart) - uStart) + " ";
    }
    EXPECT_EQ("first copy first_end copy_end ", strEvents) << strLog;
}
