// The message windows as a user sees them: the message dialog with each
// button code, the floating window of [FloatInfo], the pop-up of "Message"
// and the message boxes of [Config], driven by the robot. Each case also
// keeps a screenshot of its window under the build folder (SETUP32_E2E_SHOTS
// names another folder) so the layouts can be looked at.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "e2e_support.h"

namespace {

const char kszClosing[] = "The software has been installed successfully.";

std::string fnShot(const char *pszName)
{
    return fnE2EShot(pszName);
}

// The transcript block of the window that shows pszText: from its "window:"
// line up to the next one.
std::string fnBlockWith(const std::string &strTranscript, const std::string &strText)
{
    size_t uText = strTranscript.find("text: " + strText + "\n");
    if (uText == std::string::npos)
        return std::string();
    size_t uStart = strTranscript.rfind("window: ", uText);
    size_t uEnd = strTranscript.find("window: ", uText);
    return strTranscript.substr(uStart, uEnd == std::string::npos ? std::string::npos : uEnd - uStart);
}

struct ButtonCase {
    const char *pszWord;   // field 3 of "MessageDlg"
    const char *pszShown;  // the buttons the dialog shows, in child order
    const char *pszPress;
};

using MessagesE2E = E2ECase;

TEST_F(MessagesE2E, MessageDialogShowsTheButtonsOfEachCode)
{
    static const ButtonCase s_aCases[] = {
        {"OKCANCEL", "OK|Cancel", "OK"},      {"YESNO", "Yes|No", "No"},
        {"OKEXIT", "OK|Exit", "Exit"},        {"OK", "OK", "OK"},
        {"CONTINUE", "Continue", "Continue"}, {"EXIT", "Exit", "Exit"},
        {"RETRYEXIT", "Retry|Continue", "Continue"},
        {"CANCEL", "Cancel", "Cancel"},       {"YES", "OK|Cancel", "Cancel"},
        {"NO", "OK|Cancel", "OK"},            {"SOMETHING", "OK", "OK"},
    };
    E2ERun run;
    run.strScript = "[Config]\r\n";
    for (const ButtonCase &c : s_aCases) {
        run.strScript += std::string("MessageDlg=Code ") + c.pszWord + ",Buttons," + c.pszWord + "\r\n";
        if (&c == &s_aCases[1])
            run.vecAnswers.push_back(fnShot("dialog1_message_yesno"));
        run.vecAnswers.push_back(c.pszPress);
    }
    run.strScript += "[End]\r\n";
    run.vecAnswers.push_back("OK");
    E2EResult res = fnRunCase(run, 0);
    for (const ButtonCase &c : s_aCases) {
        std::string strBlock = fnBlockWith(res.strTranscript, std::string("Code ") + c.pszWord);
        EXPECT_TRUE(fnContains(strBlock, "window: Buttons\n")) << c.pszWord << res;
        EXPECT_TRUE(fnContains(strBlock, std::string("\nbuttons: ") + c.pszShown + "\n")) << c.pszWord << res;
    }
}

TEST_F(MessagesE2E, MessageDialogShowsALongTextWhole)
{
    std::string strText;
    for (int i = 0; i < 8; i++)
        strText += "The installation replaces shared components that other programs use as well. ";
    E2EResult res = fnRunCase("[Config]\r\nMessageDlg=\"" + strText + "\",Long text,OKCANCEL,Y\r\n[End]\r\n", "",
                              {fnShot("dialog1_message_long"), "OK", "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Long text\ntext: " + strText + "\nbuttons: OK|Cancel\n")) << res;
}

TEST_F(MessagesE2E, MessageDialogWithoutCaptionTakesTheRunTitle)
{
    E2EResult res =
        fnRunCase("[Config]\r\nCaption=Product Setup\r\nMessageDlg=Ready?\r\n[End]\r\n", "", {"OK", "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Product Setup\ntext: Ready?\nbuttons: OK\n")) << res;
    // The closing message carries the caption too.
    EXPECT_TRUE(fnContains(res.strTranscript, std::string("window: Product Setup\ntext: ") + kszClosing)) << res;
}

TEST_F(MessagesE2E, FloatInfoWithWaitHoldsTheRunUntilItsButton)
{
    std::string strScript = "[FloatInfo]\r\nCaption=Notice\r\nMessage=Insert the second disk when asked.\r\n"
                            "Wait=Yes\r\nButtonText=Understood\r\nWinPosition=Center\r\n"
                            "[WriteCmdFile]\r\nWriteFile=" + m_strDir + "\\after.ini\r\nDestDir=C:\\X\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {fnShot("dialog33_float_button"), "Understood", "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Notice\ntext: Insert the second disk when asked.\n"
                                              "buttons: Understood\n")) << res;
    EXPECT_NE("", fnE2EReadFile(m_strDir + "\\after.ini"));
}

TEST_F(MessagesE2E, FloatInfoWithoutWaitStaysWhileTheRunGoesOn)
{
    // No button text: the window has no button and needs no answer. The
    // status pause lets the robot see it before the closing message.
    std::string strScript = "[Config]\r\nWinPause=1000\r\n[FloatInfo]\r\nMessage=\"Installing, please wait.\"\r\n"
                            "[WriteCmdFile]\r\nWriteFile=" + m_strDir + "\\after.ini\r\nDestDir=C:\\X\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {fnShot("dialog33_float_nobutton"), "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Install and Setup\ntext: Installing, please wait.\nbuttons: \n"))
        << res;
    EXPECT_TRUE(fnContains(res.strTranscript, std::string("text: ") + kszClosing)) << res;
    EXPECT_NE("", fnE2EReadFile(m_strDir + "\\after.ini"));
}

TEST_F(MessagesE2E, FloatInfoWithoutMessageFailsTheWalk)
{
    std::string strScript = "[FloatInfo]\r\nCaption=Nothing to say\r\n"
                            "[WriteCmdFile]\r\nWriteFile=" + m_strDir + "\\after.ini\r\nDestDir=C:\\X\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK"}, 1603);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: The software has not been successfully installed.")) << res;
    EXPECT_EQ("", fnE2EReadFile(m_strDir + "\\after.ini"));
}

TEST_F(MessagesE2E, MessagePopupWithoutWaitStaysUntilTheRunEnds)
{
    std::string strScript = "[Config]\r\nMessage=Copying files now,N,TopLeft\r\nSleep=1\r\nCreateFile=" + m_strDir +
                            "\\after.txt\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {fnShot("dialog39_popup"), "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Install and Setup\ntext: Copying files now\nbuttons: \n")) << res;
    // The line after the pop-up ran while it stood.
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_strDir + "\\after.txt").c_str()));
}

TEST_F(MessagesE2E, MessagePopupWithWaitClosesByItself)
{
    E2EResult res = fnRunCase("[Config]\r\nMessage=Just a moment,Y1,Center\r\n[End]\r\n", "", {"wait:10000", "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "text: Just a moment\nbuttons: \nwaited: 10000\nclosed: by itself\n"))
        << res;
}

TEST_F(MessagesE2E, MessageBoxesCarryTheScriptsButtonTexts)
{
    std::string strScript = "[Config]\r\nMessageBox=Read the notes,Notes,I have read them\r\n"
                            "MessageBoxEx=Install the extras?,Extras,OKCANCEL,,Install the extras too,Skip\r\n"
                            "MessageBox=Plain box\r\n[End]\r\n";
    E2EResult res = fnRunCase(
        strScript, "", {fnShot("msgbox_one_button"), "I have read them", fnShot("msgbox_two_buttons"), "Skip", "OK", "OK"},
        0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Notes\ntext: Read the notes\nbuttons: I have read them\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Extras\ntext: Install the extras?\n"
                                              "buttons: Install the extras too|Skip\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Install and Setup\ntext: Plain box\nbuttons: OK\n")) << res;
}

}  // namespace
