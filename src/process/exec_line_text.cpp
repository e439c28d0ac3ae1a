#include "process/exec_line_text.h"

#include "run/text.h"

int fnExecShowValue(const char *pszField, int *pbNoWin)
{
    const char *psz = fnSkipBlanks(pszField);
    if (fnTextBeginsI(psz, "NORM"))
        return kShowNormal;
    if (fnTextBeginsI(psz, "MIN"))
        return kShowMinimized;
    if (fnTextBeginsI(psz, "MAX"))
        return kShowMaximized;
    if (fnTextBeginsI(psz, "CMD")) {
        *pbNoWin = 1;
        return kShowNoActivate;
    }
    return kShowNormal;
}

void fnExecWaitField(const char *pszField, int *pbWait, int *pbPreventExit, char *pszAlso, size_t cchAlso)
{
    const char *psz = fnSkipBlanks(pszField);
    char c = fnUpperChar(psz[0]);
    *pbWait = c == 'Y' || c == 'P';
    *pbPreventExit = c == 'P';
    pszAlso[0] = '\0';
    if (*pbWait) {
        fnCopyText(pszAlso, cchAlso, psz + 1);
        fnTrimBlanks(pszAlso);
    }
}

void fnExecFlagsField(const char *pszField, int *pbShowNotice, int *pbErrorShow, int *pbStopOnError)
{
    const char *psz = fnSkipBlanks(pszField);
    size_t cch = strlen(psz);
    while (cch > 0 && fnIsBlank(psz[cch - 1]))
        cch--;
    if (cch == 0)
        return;
    char cFirst = fnUpperChar(psz[0]);
    if (cch == 1) {
        if (cFirst == 'Y')
            *pbShowNotice = 1;
        else if (cFirst == 'N')
            *pbShowNotice = 0;
        return;
    }
    *pbShowNotice = cFirst != 'N';
    int bErrors = fnUpperChar(psz[1]) != 'N';
    *pbErrorShow = bErrors;
    *pbStopOnError = bErrors;
}
