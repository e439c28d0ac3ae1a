// The input dialogs as a person answers them: typed, picked and clicked
// answers reaching later lines, the defaults of a quiet run, Cancel with its
// exit code, a chosen directory as the destination of a copy, [Signon] and
// [Install Options]. Each dialog keeps a screenshot (fnE2EShot).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.h"

namespace {

const char kszOk[] = "The software has been installed successfully.";

// A section that writes answers into OUT.CMD of the work dir ([WriteCmdFile]
// keeps each text it is given).
std::string fnWriteOut(const std::string &strAskFor, const char *pszFile = "OUT.CMD")
{
    return std::string("[WriteCmdFile]\r\nWriteFile=") + pszFile + "\r\nAskFor=" + strAskFor + "\r\n";
}

const char kszAskFor[] =
    "[AskFor]\r\n"
    "1=AskName\r\n"
    "[AskName]\r\n"
    "Caption=Your name\r\n"
    "Msg1=Who will use the program?\r\n"
    "Prompt=Name:\r\n"
    "Default=Guest\r\n";

using DialogsE2E = E2ECase;

TEST_F(DialogsE2E, AskForTypedAnswerReachesALaterSectionAndTheDefaultIsShown)
{
    E2EResult res = fnRunCase(std::string(kszAskFor) + fnWriteOut("Hello @A1") + "[End]\r\n", "",
                              {fnE2EShot("dialog23_askfor"), "type:Alice", "OK", "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Your name\ntext: Who will use the program?\ntext: Name:\n"
                                              "text: Guest\n")) << res;
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\OUT.CMD"), "ASKFOR=Hello Alice")) << res;
}

TEST_F(DialogsE2E, QuietRunTakesTheDefaults)
{
    std::string strScript = std::string(kszAskFor) +
                            "[FromList]\r\nColour\r\n[Colour]\r\nList=(Please Select)\r\nList=Red\r\nList=Blue\r\n"
                            "Default=bl\r\n" +
                            fnWriteOut("@A1 @L1") + "[End]\r\n";
    fnRunCase(strScript, "-q", {}, 0);
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\OUT.CMD"), "ASKFOR=Guest Blue"));
}

TEST_F(DialogsE2E, CancelConfirmedEndsTheRunAsCancelled)
{
    E2EResult res = fnRunCase(std::string(kszAskFor) + fnWriteOut("never") + "[End]\r\n", "", {"Cancel", "Yes"},
                              1602);
    EXPECT_TRUE(fnContains(res.strTranscript, "Installation is not complete.")) << res;
    EXPECT_FALSE(fnContains(res.strTranscript, kszOk)) << res;
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\OUT.CMD"), "");
}

TEST_F(DialogsE2E, ListPickComboTypeAndOptionClicks)
{
    std::string strScript =
        "[FromList]\r\nColour\r\n[Colour]\r\nCaption=Colour\r\nMessage=Pick a colour.\r\n"
        "List=(Please Select)\r\nList=Red\r\nList=Blue\r\nDefault=(Please\r\n"
        "[FromCombo]\r\nSize\r\n[Size]\r\nCaption=Size\r\nList=Small\r\nList=Large\r\nDefault=Small\r\n"
        "[OptionButtons]\r\nParts\r\n[Parts]\r\nCaption=Parts\r\nMessage=What to install:\r\nButtonType=Check\r\n"
        "ButtonMsg1=Program\r\nButtonMsg2=Help files\r\nButtonMsg3=Samples\r\nButtonCheck1=Y\r\n" +
        fnWriteOut("@L1 @C1 @B11@B12@B13@B14") +
        // [InitOptions] answers into the same first row
        "[InitOptions]\r\nCaption=Kind\r\nButtonMsg1=Typical\r\nButtonMsg2=Custom\r\n" +
        fnWriteOut("@B11@B12", "OUT2.CMD") + "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "",
                              {// the list's default "(Please Select)" is refused: OK only beeps
                               fnE2EShot("dialog24_fromlist"), "OK", "pick:Blue", "OK",
                               fnE2EShot("dialog26_fromcombo"), "type:Medium", "OK",
                               fnE2EShot("dialog27_options_check"), "click:Samples", "OK",
                               fnE2EShot("dialog27_options_radio"), "click:Custom", "OK", "OK"},
                              0);
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\OUT.CMD"), "ASKFOR=Blue Medium YNYN")) << res;
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\OUT2.CMD"), "ASKFOR=NY")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "list: (Please Select)\n")) << res;
}

TEST_F(DialogsE2E, InitOptionsCancelEndsWithoutClosingAndAComboPickIsKeptAtOnce)
{
    E2EResult res = fnRunCase("[InitOptions]\r\nCaption=Kind\r\nButtonMsg1=Typical\r\nButtonMsg2=Custom\r\n" +
                                  fnWriteOut("never") + "[End]\r\n",
                              "-l=events.json", {"Cancel", "Yes"}, 1602);
    EXPECT_FALSE(fnContains(res.strTranscript, kszOk)) << res;
    EXPECT_EQ(fnE2EReadFile(m_strDir + "\\OUT.CMD"), "");
    // The walk stops there as after [End]: no closing message, no failure.
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\events.json"), "\"header\":\"[InitOptions]\",\"result\":6"))
        << fnE2EReadFile(m_strDir + "\\events.json");

    // A line chosen in the combo is the answer before OK: the trace shows it
    // kept although the dialog is then cancelled.
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strTraceFile = std::string(szTemp) + "KRVloDbg.LOG";
    DeleteFileA(strTraceFile.c_str());
    fnRunCase("[FromCombo]\r\nSize\r\n[Size]\r\nList=Small\r\nList=Large\r\nDefault=Small\r\n[End]\r\n", "-v=3",
              {"pick:Large", "Cancel", "Yes"}, 1602);
    EXPECT_TRUE(fnContains(fnE2EReadFile(strTraceFile), "chosen=Large"));
    DeleteFileA(strTraceFile.c_str());
}

TEST_F(DialogsE2E, ChosenDirectoryIsTheTargetOfACopy)
{
    fnE2EWriteFile(m_strDir + "\\APP.TXT", "payload");
    std::string strTarget = m_strDir + "\\Chosen";
    std::string strScript =
        "[GetDirs]\r\nWhere\r\n[Where]\r\nCaption=Where to\r\nMsg1=Install the files in:\r\nDefaultDir=@W0\r\n"
        "[CopyFiles]\r\nBeQuiet=Y\r\n0, " + m_strDir + "\\APP.TXT, @D2\\APP.TXT, N,N,N\r\n" +
        fnWriteOut("@D2") + "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {fnE2EShot("dialog14_getdirs"), "type:" + strTarget, "OK", "OK"}, 0);
    EXPECT_EQ(fnE2EReadFile(strTarget + "\\APP.TXT"), "payload") << res;
}

TEST_F(DialogsE2E, PasswordIsAskedTwiceAndNeverShownInClear)
{
    std::string strScript =
        "[GetUserPW]\r\nCaption=Account\r\nMessage=The service account:\r\nUserPrompt=User:\r\n"
        "PWPrompt=Password:\r\nPWPrompt2=Again:\r\nDefault=svc\r\n" +
        fnWriteOut("@U0 @U1") + "[End]\r\n";
    // A trace file another case left would be asked about first.
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strTraceFile = std::string(szTemp) + "KRVloDbg.LOG";
    DeleteFileA(strTraceFile.c_str());
    E2EResult res = fnRunCase(strScript, "-v=3",
                              {fnE2EShot("dialog34_getuserpw"), "edit:2:Secret9", "edit:3:Other", "OK", "OK",
                               "edit:2:Secret9", "edit:3:Secret9", "OK", "OK"},
                              0);
    EXPECT_TRUE(fnContains(res.strTranscript, "Password entries do not match - please try again")) << res;
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\OUT.CMD"), "ASKFOR=svc Secret9")) << res;
    // Neither the transcript nor the program's own trace holds it.
    EXPECT_FALSE(fnContains(res.strTranscript, "Secret9")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "typed into edit 2: ********\n")) << res;
    std::string strTrace = fnE2EReadFile(strTraceFile);
    EXPECT_TRUE(fnContains(strTrace, "fnReadAskWPW")) << strTrace.size();
    EXPECT_FALSE(fnContains(strTrace, "Secret9")) << "password in the trace";
}

TEST_F(DialogsE2E, SignonCancelEndsAsCancelledAndInfoOkGoesOn)
{
    fnRunCase("[Signon]\r\nCaption=Welcome\r\nLine=This installs the sample.\r\n[End]\r\n", "",
              {fnE2EShot("dialog21_signon"), "Cancel"}, 1602);
    E2EResult res = fnRunCase("[Info]\r\nCaption=Read me\r\nLine=1\r\nLine=2\r\nLine=3\r\nLine=4\r\nLine=5\r\n" +
                                  fnWriteOut("after info") + "[End]\r\n",
                              "", {fnE2EShot("dialog20_info"), "OK", "OK"}, 0);
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\OUT.CMD"), "ASKFOR=after info")) << res;
}

TEST_F(DialogsE2E, InstallOptionTwoLoadsTheSecondScriptAndExitCancels)
{
    fnE2EWriteFile(m_strDir + "\\SECOND.INF", fnWriteOut("second script") + "[End]\r\n");
    std::string strScript = "[Install Options]\r\nCaption=Choose\r\nOpt1Msg=The usual set.\r\nOpt2Msg=The other set.\r\n"
                            "Opt2Inf=SECOND.INF\r\n[Files]\r\n" +
                            fnWriteOut("first script") + "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {fnE2EShot("dialog17_install_options"), "Option 2", "OK"}, 0);
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\OUT.CMD"), "ASKFOR=second script")) << res;
    fnRunCase(strScript, "", {"Exit"}, 1602);
}

}  // namespace

namespace {

const char kszAppInit[] =
    "[AppInit]\r\n"
    "Caption=Sample setup\r\n"
    "DefaultDir=@A9,%s\r\n"
    "DirSection=[NoDirs]\r\n"
    "DestMsg1=Install to:\r\n"
    "DestMsg2=Press OK to go on.\r\n"
    "SpaceNeeded=1\r\n"
    "SourceCaption=Source\r\n"
    "SourceDir=%s\r\n"
    "SourceMsg1=From:\r\n"
    "SourceMsg2=Press OK.\r\n"
    "LogFile=INSTALL.LOG\r\n"
    "DirPrompt=Y\r\n";

std::string fnAppInit(const std::string &strDest, const std::string &strSource)
{
    char sz[2048];
    snprintf(sz, sizeof sz, kszAppInit, strDest.c_str(), strSource.c_str());
    return sz;
}

using AppInitE2E = E2ECase;

TEST_F(AppInitE2E, DestinationAskedThenUsedAndTheLogOpened)
{
    std::string strDest = m_strDir + "\\Dest";
    CreateDirectoryA(strDest.c_str(), NULL);
    std::string strChosen = m_strDir + "\\Chosen";
    CreateDirectoryA(strChosen.c_str(), NULL);
    std::string strScript = fnAppInit(strDest, m_strDir) + "[WriteCmdFile]\r\nWriteFile=" + m_strDir +
                            "\\OUT.CMD\r\nDestDir=@D1\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {fnE2EShot("dialog3_appinit_dest"), "type:" + strChosen, "OK", "OK"}, 0);
    EXPECT_TRUE(fnContains(res.strTranscript, "window: Sample setup\ntext: Install to:\ntext: Press OK to go on.\ntext: " +
                                                  strDest + "\n")) << res;
    EXPECT_TRUE(fnContains(fnE2EReadFile(m_strDir + "\\OUT.CMD"), "DESTDIR=" + strChosen))
        << fnE2EReadFile(m_strDir + "\\OUT.CMD");
    EXPECT_TRUE(fnContains(fnE2EReadFile(strChosen + "\\INSTALL.LOG"), "[Karvello Log]")) << res;
}

TEST_F(AppInitE2E, MissingSourceDirectoryStopsAndARequiredFieldFails)
{
    std::string strScript = fnAppInit(m_strDir, m_strDir + "\\NoSuchSource") + "[End]\r\n";
    E2EResult res = fnRunCase(strScript, "", {"OK", "OK"}, 1603);
    EXPECT_TRUE(fnContains(res.strTranscript, "does not exist.")) << res;
    fnRunCase("[AppInit]\r\nCaption=\r\n[End]\r\n", "-q", {}, 1603);
}

}  // namespace

namespace {

using DialogShotsE2E = E2ECase;

// The dialogs the cases above do not show: four install options with Help,
// two directories, the long list with its help text and the shortcut folder.
TEST_F(DialogShotsE2E, RemainingDialogsAnswered)
{
    std::string strScript =
        "[Install Options]\r\nOpt1Msg=Typical.\r\nOpt2Msg=Compact.\r\nOpt3Msg=Custom.\r\nOpt4Msg=Everything.\r\n"
        "Help=Pick the set of files to install.\r\n"
        "[Get2Dirs]\r\nCaption=Two folders\r\nMsg1=Where the parts go.\r\nMsg2=Program files:\r\nMsg3=Data files:\r\n"
        "Path1=@H\\Prog\r\nPath2=@H\\Data\r\n"
        "[FromLongList]\r\nPick\r\n[Pick]\r\nCaption=Long list\r\nMessage=Choose one.\r\nHelp=One line of help.\r\n";
    for (int i = 1; i <= 12; i++)
        strScript += "List=Item " + std::to_string(i) + "\r\n";
    strScript += "Default=Item 3\r\n"
                 "[Shortcuts]\r\nGroup=Setup32 Shot Group\r\n"
                 "[WriteCmdFile]\r\nWriteFile=" + m_strDir + "\\OUT.CMD\r\nDestDir=@D1\r\nSourceDir=@D2\r\n"
                 "AskFor=@L1\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "",
                              {fnE2EShot("dialog19_install_options4"), "Option 1", fnE2EShot("dialog38_get2dirs"), "OK",
                               fnE2EShot("dialog25_fromlonglist"), "Help", fnE2EShot("dialog15_helptext"), "OK", "OK",
                               fnE2EShot("dialog22_shortcut_folder"), "OK", "OK"},
                              0);
    std::string strOut = fnE2EReadFile(m_strDir + "\\OUT.CMD");
    EXPECT_TRUE(fnContains(strOut, "DESTDIR=" + m_strDir + "\\Prog")) << strOut;
    EXPECT_TRUE(fnContains(strOut, "SOURCEDIR=" + m_strDir + "\\Data")) << strOut;
    EXPECT_TRUE(fnContains(strOut, "ASKFOR=Item 3")) << strOut;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: One line of help.\\n\n")) << res;
}

}  // namespace

namespace {

using AllInfoE2E = E2ECase;

std::string fnAllInfoScript(const char *pszHeader, const std::string &strDir)
{
    return std::string(pszHeader) +
           "\r\nCaption=Everything at once\r\nMsg1=Install the program in:\r\nMsg3=Your name:\r\n"
           "Msg4=More folders:\r\nMsg5=Data:\r\nMsg6=Backup:\r\nDefault=Guest\r\nDefaultDir=@H\\Main\r\n"
           "Path2=@H\\Second\r\nPath4=@H\\Third\r\nUsePath1=Y\r\nUsePath2=Y\r\nButtonCheck2=Y\r\n"
           "UseMoreInfo1=Y\r\nMoreInfo1=extra\r\nUseMoreInfo2=Y\r\nMoreInfo2=more\r\nPrompt=Press OK to go on.\r\n"
           "[WriteCmdFile]\r\nWriteFile=" + strDir + "\\OUT.CMD\r\nDestDir=@D1\r\nSourceDir=@D3\r\nIniFile=@D2\r\n"
           "AskFor=@A1 @A2 @B21\r\n[End]\r\n";
}

TEST_F(AllInfoE2E, OkFillsThreeDirectoriesAndTheAnswers)
{
    E2EResult res = fnRunCase(fnAllInfoScript("[GetAllInstallInfo]", m_strDir), "",
                              {fnE2EShot("dialog30_allinfo"), "type:" + m_strDir + "\\Chosen", "edit:2:Bob", "OK", "OK"},
                              0);
    std::string strOut = fnE2EReadFile(m_strDir + "\\OUT.CMD");
    EXPECT_TRUE(fnContains(strOut, "DESTDIR=" + m_strDir + "\\Chosen\r\n")) << strOut << res;
    EXPECT_TRUE(fnContains(strOut, "INIFILE=" + m_strDir + "\\Second\r\n")) << strOut;
    EXPECT_TRUE(fnContains(strOut, "SOURCEDIR=" + m_strDir + "\\Third\r\n")) << strOut;
    EXPECT_TRUE(fnContains(strOut, "ASKFOR=Bob extra Y")) << strOut;
}

TEST_F(AllInfoE2E, QuietLayoutTwoTakesTheDefaultsAndCancelIsAPersonsStop)
{
    fnRunCase(fnAllInfoScript("[GetAllInstallInfo2]", m_strDir), "-q", {}, 0);
    std::string strOut = fnE2EReadFile(m_strDir + "\\OUT.CMD");
    EXPECT_TRUE(fnContains(strOut, "DESTDIR=" + m_strDir + "\\Main\r\n")) << strOut;
    EXPECT_TRUE(fnContains(strOut, "ASKFOR=Guest extra")) << strOut;
    fnRunCase(fnAllInfoScript("[GetAllInstallInfo2]", m_strDir + "\\Other"), "", {fnE2EShot("dialog31_allinfo2"), "Cancel"},
              1602);
}

// Started again by a check, the walk shows the answers given, not the
// settings: this dialog has no third directory (it ends below the prompt),
// and its help file is missing, which Help says.
TEST_F(AllInfoE2E, RestartShowsTheAnswersGivenAndAMissingHelpFileIsReported)
{
    std::string strFirst = m_strDir + "\\First";
    std::string strScript =
        "[GetAllInstallInfo]\r\nCaption=Where to\r\nMsg1=Install the program in:\r\nMsg3=Your name:\r\n"
        "DefaultDir=@H\\Main\r\nDefault=Guest\r\nPrompt=Press OK to go on.\r\nHelpFile=@H\\NOHELP.HLP\r\n"
        "[WriteCmdFile]\r\nWriteFile=@H\\OUT.CMD\r\nDestDir=@D1\r\nAskFor=@A1\r\n"
        "[TestBefore]\r\nTestFor=@H\\OUT.CMD,YNYNY,Change the answers?,YESNO\r\n[End]\r\n";
    E2EResult res = fnRunCase(strScript, "",
                              {"Help", "OK", "type:" + strFirst, "edit:2:Bob", "OK", "Yes",
                               fnE2EShot("dialog30_allinfo_short"), "OK", "No", "OK"},
                              0);
    EXPECT_TRUE(fnContains(res.strTranscript, "The help file " + m_strDir + "\\NOHELP.HLP cannot be found.")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: " + m_strDir + "\\Main\ntext: Your name:\ntext: Guest\n")) << res;
    EXPECT_TRUE(fnContains(res.strTranscript, "text: " + strFirst + "\ntext: Your name:\ntext: Bob\n")) << res;
    std::string strOut = fnE2EReadFile(m_strDir + "\\OUT.CMD");
    EXPECT_TRUE(fnContains(strOut, "DESTDIR=" + strFirst + "\r\n")) << strOut;
    EXPECT_TRUE(fnContains(strOut, "ASKFOR=Bob\r\n")) << strOut;
}

}  // namespace

