// The command line: splitting and switch parsing of any raw text.
#include "fuzz_support.h"

#include "run/cmdline.h"

static void fnCheckTerminated(const char *psz, size_t cch)
{
    FUZZ_CHECK(memchr(psz, '\0', cch) != NULL);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pb, size_t cb)
{
    FuzzInput in = fnFuzzInput(pb, cb, kcchCmdArg);
    CmdArgsStruct *pArgs = new CmdArgsStruct;
    memset(pArgs, 0xAA, sizeof *pArgs);
    fnSplitCmdLine(in.Text(0), pArgs);
    FUZZ_CHECK(pArgs->uCount <= kuMaxCmdArgs);
    for (unsigned u = 0; u < pArgs->uCount; u++)
        fnCheckTerminated(pArgs->szArg[u], kcchCmdArg);

    CmdLineStruct cmd;
    CmdRunStruct run;
    memset(&run, 0, sizeof run);
    run.uTraceMode = in.uVariant & 3;
    int iRC = fnParseCmdArgs(pArgs, &cmd, &run);
    FUZZ_CHECK(iRC == 0 || iRC == 1 || iRC == 3);
    fnCheckTerminated(cmd.szIniFile, sizeof cmd.szIniFile);
    fnCheckTerminated(cmd.szSourceDir, sizeof cmd.szSourceDir);
    fnCheckTerminated(cmd.szDestDir, sizeof cmd.szDestDir);
    fnCheckTerminated(cmd.szMessage, sizeof cmd.szMessage);
    fnCheckTerminated(cmd.szAskFor, sizeof cmd.szAskFor);
    fnCheckTerminated(cmd.szCmdFile, sizeof cmd.szCmdFile);
    fnCheckTerminated(run.szStartHere, sizeof run.szStartHere);
    delete pArgs;
    return 0;
}
