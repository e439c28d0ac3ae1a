// End-to-end test support: runs SETUP32.EXE on a script in a work directory
// while the dialog robot (tests/tools/robot.cpp) answers its windows.
//
// Each ctest entry (e2e.1, e2e.2, ...) runs setup32_e2e.exe under Wine in its
// own throw-away WINEPREFIX (tests/tools/winerun.sh), with GoogleTest sharding
// the cases among the entries. The cases of one entry run one after another in
// the same prefix: registry keys, files outside the work directory and the
// like that one case leaves are seen by the next cases of that entry, so a
// case cleans up what it changed, or uses names no other case uses.
//
// A typical case derives its suite from the fixture E2ECase, which makes a
// fresh work dir named after the running test ("<Suite>_<Test>", in m_strDir)
// and runs SETUP32 there, expecting an exit code and a clean robot run:
//
//     using WriteCmdFileE2E = E2ECase;
//
//     TEST_F(WriteCmdFileE2E, WritesTheFile) {
//         fnRunCase("[WriteCmdFile]\r\nWriteFile=@SAMPLE.CMD\r\n[End]\r\n", "-q", {}, 0);
//         EXPECT_NE(fnE2EReadFile(m_strDir + "\\SAMPLE.CMD"), "");
//     }
//
// A case that expects the robot to fail (or runs more than one program in
// its work dir) calls fnE2ERun(m_strDir, run) itself.
//
// ---------------------------------------------------------------------------
// The robot and its answers
//
//   robot.exe <pid> <transcript-file> <timeout-ms> [answer ...]
//
// The robot watches the top-level windows of the process. Every visible,
// enabled window of the dialog class "#32770" (message boxes and dialogs;
// windows of any other class are ignored) is taken up once it has looked the
// same for 150 ms and its thread answers messages; a disabled dialog (one that
// has a modal window of its own open) waits until it is enabled again. The
// robot writes the window to the transcript, then uses the next answer:
//
//   <caption>       press the button with that caption: '&' removed, case
//                   ignored ("OK", "cancel", "Yes", "No", "Stop", "Go", ...).
//                   A push button gets WM_COMMAND(id, BN_CLICKED) posted to the
//                   dialog; a check box or radio button gets BM_CLICK.
//   type:<text>     set the text of the dialog's first edit control (or, with
//                   none, of its combo box), then use the next answer on the
//                   same window.
//   edit:<n>:<text> the same for the n-th edit control (from 1, child order).
//   pick:<text>     select the line <text> (case ignored) in the first list or
//                   combo box and notify the dialog as a click does; then the
//                   next answer on the same window.
//   click:<caption> click the check box or radio button with that caption;
//                   then the next answer on the same window.
//   wait:<ms>       leave the window alone that long; if it closes by itself
//                   meanwhile (a timer), go on with the next window, else use
//                   the next answer on it.
//   shot:<path>     save the whole screen as a 24-bit BMP file at <path> (a
//                   Windows path), then use the next answer on the same
//                   window (a window without buttons is then left alone).
//   any:<b1>|<b2>   never used up, so only as the last answer: press the
//                   first of these captions that is an enabled button of the
//                   window; a window with none of them is UNEXPECTED.
//
// A window that is still open, enabled and unchanged 1.5 s after its button
// was pressed is taken up again as a new window (e.g. a dialog that stays
// after an error message box was answered).
//
// A window with buttons when no answer is left, or whose answer is not among
// its buttons (or names a disabled one), is UNEXPECTED: the robot records it
// and closes the window with WM_COMMAND(IDCANCEL), then WM_CLOSE. A dialog
// with no buttons at all (a progress window) is recorded with
// "pressed: (none)", uses no answer and is left alone (recorded again only if
// its contents change).
//
// Robot exit codes (E2EResult::iRobotExit): 0 the process ended, every window
// was expected and every answer used; 1 an UNEXPECTED window or UNUSED
// ANSWERS; 2 TIMEOUT (the robot then terminated the process with exit code
// 1460, ERROR_TIMEOUT); 3 robot usage or start error; -1 the robot could not
// be started at all.
//
// ---------------------------------------------------------------------------
// The transcript (E2EResult::strTranscript): lines ending in "\n" (LF only),
// one block per window, in the order the robot took them up:
//
//   window: <title>
//   text: <text>              one line per visible text control, in child
//   text: <text>              order: static controls with text, as shown
//                             ('&' removed unless SS_NOPREFIX; empty ones
//                             and icons/frames are skipped; a message box's
//                             text is its static with id 0xFFFF, kept as it
//                             is) and edit controls (always, even when empty;
//                             a password field's text shows as "********")
//   buttons: <b1>|<b2>|...    visible buttons in child order, '&' removed,
//                             enabled or not; group boxes are not buttons;
//                             empty when there are none
//   typed: <text>             for each type: answer used
//   typed into edit <n>: <t>  for each edit: answer used ("********" for a
//                             password field, as for type:)
//   picked: <text>            for each pick: answer used
//   clicked: <caption>        for each click: answer used
//   waited: <ms>              for each wait: answer used
//   shot: <path>              for each shot: answer used ("shot failed: <path>"
//                             when the file could not be written)
//   closed: by itself         the window closed during a wait:
//   pressed: <caption>        the button pressed (its caption as shown), or
//                             "(none)" for a dialog without buttons
//   UNEXPECTED: <why>         instead of pressed: ("no answer left",
//                             "answer \"X\" is not among the buttons",
//                             "button \"X\" is disabled", or for a type:
//                             answer "no edit control to type \"X\" into";
//                             for an edit:, pick: or click: answer that
//                             finds no control "cannot do \"<answer>\"")
//
// and after the last block, when it applies:
//
//   UNUSED ANSWERS: <a1>|<a2>|...
//   TIMEOUT
//
// In all texts and titles a line break (CR LF, LF or CR) is written as the
// two characters "\n"; nothing else is escaped (so "C:\new" stays as it is).
// Example, for "-?" answered with OK:
//
//   window: Install and Setup
//   text: SETUP32\n\nCommand line:\n\nSETUP32 [-?acdeimnqstuv]\n...
//   buttons: OK
//   pressed: OK
#ifndef SETUP32_TESTS_E2E_SUPPORT_H
#define SETUP32_TESTS_E2E_SUPPORT_H

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

struct E2ERun {
    std::string strScript;                      // script text written into the work dir (not written when empty)
    std::string strScriptName = "KARVELLO.INF";  // its file name in the work dir
    std::string strArgs;                        // command line after the program name
    std::vector<std::string> vecAnswers;        // buttons the robot presses, in order
    DWORD dwTimeoutMs = 30000;
};

struct E2EResult {
    DWORD dwExitCode;           // SETUP32.EXE's exit code
    int iRobotExit;             // see above
    std::string strTranscript;  // see above
};

// A fresh, empty directory %TEMP%\setup32-e2e\<pszName> (removed with all it
// holds and made anew). Returns its Windows path, without a trailing '\'.
std::string fnE2EWorkDir(const char *pszName);

// Copies SETUP32.EXE into strWorkDir, writes run.strScript there as
// run.strScriptName (bytes as given: use "\r\n" for Windows line ends),
// starts SETUP32.EXE there ("<workdir>\SETUP32.EXE" <run.strArgs>, current
// directory = the work dir) and robot.exe on its process, waits for both and
// returns the exit codes and the transcript. The transcript file itself is
// <strWorkDir>.robot.txt, beside the work dir.
E2EResult fnE2ERun(const std::string &strWorkDir, const E2ERun &run);

// The whole file, "" when it is missing.
std::string fnE2EReadFile(const std::string &strPath);

// Writes a file (bytes as given); true when it worked.
bool fnE2EWriteFile(const std::string &strPath, const std::string &strData);

// CreateProcessA (no inherited handles, the default environment), tried a
// few times: Wine under heavy load now and then fails a start with an
// internal error (1359) that a second try does not meet.
BOOL fnStartProcess(const char *pszExe, char *pszCmd, DWORD dwFlags, const std::string &strWorkDir,
                    STARTUPINFOA *psi, PROCESS_INFORMATION *ppi);

// Windows paths of the programs under test (compile definitions, turned
// into Z:\ paths; the environment variables SETUP32_E2E_EXE and
// SETUP32_E2E_ROBOT override them).
std::string fnE2ESetupExe();
std::string fnE2ERobotExe();

// A Unix path as Wine sees it: "/a/b" -> "Z:\a\b"; other text is returned as it is.
std::string fnE2EWinePath(const std::string &strPath);

// Waits up to 20 s for the temporary copy a run handed itself to (started
// with "-t") to make strFile, then removes the copy once it has ended
// (fnE2EDeleteTempCopy). True when strFile was made and the copy is gone.
bool fnE2EAwaitTempCopy(const std::string &strFile);

// The robot answer "shot:<path>" for a screenshot named pszName (.bmp), in
// $SETUP32_E2E_SHOTS or else a folder "shots" beside SETUP32.EXE.
std::string fnE2EShot(const char *pszName);

// The temporary copy a run hands over to ("_KRVLO_.EXE" in the temporary
// directory): its path; fnE2EDeleteTempCopy removes it once it has ended
// (tries for up to 5 s), true when it is gone.
std::string fnE2ETempCopy();
bool fnE2EDeleteTempCopy();

// True when strPart occurs in strText (transcripts, files, trace logs).
bool fnContains(const std::string &strText, const std::string &strPart);

// Prints exit codes and the transcript, for failure messages: EXPECT_...() << res.
std::ostream &operator<<(std::ostream &os, const E2EResult &res);

// Fixture of the usual case: SetUp makes the work dir m_strDir, named after
// the running test ("<Suite>_<Test>"). A suite takes it by name:
// "using MySuiteE2E = E2ECase;" (or derives from it to add its own set-up).
class E2ECase : public ::testing::Test {
protected:
    void SetUp() override;
    // Runs SETUP32 in m_strDir (fnE2ERun) and expects its exit code dwExit
    // and the robot's exit code 0; returns the result for further checks.
    E2EResult fnRunCase(const std::string &strScript, const std::string &strArgs,
                        const std::vector<std::string> &vecAnswers, DWORD dwExit);
    E2EResult fnRunCase(const E2ERun &run, DWORD dwExit);

    std::string m_strDir;
};

// The usual case with a "src" folder for source files (m_strSrc) and an
// empty "dst" folder (m_strDst) in its work dir.
class E2ESrcDstCase : public E2ECase {
protected:
    void SetUp() override;

    std::string m_strSrc, m_strDst;
};

#endif
