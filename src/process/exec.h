// The program sections: [Exec] and its kin, [ExecOnTop], [ShellExec], the
// run-as sections and [TestAndExec].
#ifndef SETUP32_PROCESS_EXEC_H
#define SETUP32_PROCESS_EXEC_H

#include <windows.h>

#include "process/launch.h"
#include "run/message.h"
#include "script/input.h"

// One program line, rebuilt for every line.
struct ExecLineStruct {
    char szExec[kcchExec];
    char szAlsoCheckFor[kcchPath];
    int nShowWin;
    BOOL bWait;
    BOOL bPreventExit;
    BOOL bNoWin;
    BOOL bShowNotice;
    BOOL bErrorShow;
    BOOL bStopOnError;
    char szMessage[kcchMsgMessage];
    unsigned uButtons;  // message dialog buttons of the question before the launch
};

// Results of reading a line's program fields.
enum { kExecLineOk = 1, kExecLineMissing = 0, kExecLineTooLong = -1 };

unsigned fnExecButtons(const char *pszField);  // "OK", "OKCANCEL", "OKEXIT" to their message-dialog codes; else (also "YESNO") yes/no
int fnAskLineQuestion(HWND hwndParent, const char *pszCaption, const char *pszText, unsigned uButtons);  // message dialog (caption empty: the title); the button id, 0 not shown
void fnInitExecLine(ExecLineStruct *pLine);  // the defaults: shown normally, no wait, errors shown, yes/no question
int fnReadExecFields(char *pszLine, unsigned uExecField, size_t cchExecLimit, ExecLineStruct *pLine);  // command (expanded) and the fields after it; kExecLine*
int fnReadChainExecs(HWND hwndParent, const char *pszBody, BOOL bCreateProcess, BOOL bKeepOnTop);  // section result
int fnReadChainExecsRunAs(HWND hwndParent, const char *pszBody, BOOL bAsUser, BOOL bNetCredentials);  // section result
int fnTestAndExecs(HWND hwndParent, const char *pszBody, BOOL bCreateProcess);  // section result

// The walk's rows: the variant by the matched header.
int fnExecSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput, const char *pszRest);
int fnRunAsSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput, const char *pszRest);
int fnTestAndExecSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                         const char *pszRest);

#endif
