// Command-line splitting and switch parsing. Pure text logic: the caller gives
// the raw command line and copies the results into the run state.
#ifndef SETUP32_RUN_CMDLINE_H
#define SETUP32_RUN_CMDLINE_H

#include <stddef.h>

enum { kuMaxCmdArgs = 32, kcchCmdArg = 1024 };

// The raw command line cut into arguments (the program's own name is argument 0).
struct CmdArgsStruct {
    unsigned uCount;
    char szArg[kuMaxCmdArgs][kcchCmdArg];
};

// What the switches give for start-up's own record.
struct CmdLineStruct {
    char szIniFile[260];
    char szSourceDir[260];
    char szDestDir[260];
    char szMessage[128];
    char szAskFor[128];
    char szCmdFile[260];
    int bTempExec;
    int bNoDirPrompt;
    int bQuiet;
    int bMessage;
    int bUnattended;     // "-q=2": nobody watches the run
    char szEventLog[260];  // "-l=": the event log
};

// What the switches set directly in the run state. The caller fills it with the
// current values before parsing.
struct CmdRunStruct {
    unsigned uTraceMode;
    unsigned uShowVSWin;
    unsigned uInfConvert;
    int bExternalInf;
    char szStartHere[260];
};

// Splits a raw command line at blanks and tabs; double quotes group and are
// removed. Arguments beyond the table's room are dropped, long ones cut.
void fnSplitCmdLine(const char *pszCmdLine, CmdArgsStruct *pArgs);

// Parses the arguments after the program's own name. Returns 0 when there are
// none (nothing is used), 3 after "-?", else 1. pCmd is cleared first.
int fnParseCmdArgs(const CmdArgsStruct *pArgs, CmdLineStruct *pCmd, CmdRunStruct *pRun);
char fnSwitchLetter(int i);  // the i-th switch letter the command line takes (upper case, '[' the start label), '\0' past the last

#endif
