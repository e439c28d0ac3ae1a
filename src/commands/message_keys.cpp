#include "commands/keywords.h"

#include "commands/keyword_words.h"
#include "expand/expand.h"
#include "run/message.h"
#include "run/popup.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "resource.h"

// The caption of field 2; the run's title when it is missing or empty.
static void fnCaptionField(char *pszLine, char *pszOut, size_t cchOut)
{
    if (!fnInfExpandedField(pszLine, 2, pszOut, cchOut) || !pszOut[0])
        fnCopyText(pszOut, cchOut, g_szTitle);
}

int fnKeyMessageDlg(HWND hwndMain, char *pszLine)
{
    MessageStruct msg;
    fnInitMessage(&msg, 0);
    fnInfExpandedField(pszLine, 1, msg.szMessage, COUNTOF(msg.szMessage));
    fnCaptionField(pszLine, msg.szCaption, COUNTOF(msg.szCaption));
    char szField[kcchInfLine];
    fnInfParseField(pszLine, 3, szField, COUNTOF(szField));
    msg.uButtons = fnMessageDlgCode(szField);
    fnInfParseField(pszLine, 4, szField, COUNTOF(szField));
    if (fnIsYes(szField))
        msg.uPosition = kPlaceCenter;
    return fnShowMessageDialog(hwndMain, &msg);
}

// Text, wait and position of the pop-up keywords (fields 1, 2 and 3).
static void fnReadPopupFields(char *pszLine, MessageStruct *pMsg)
{
    fnInitMessage(pMsg, kPlaceCenter);
    fnInfExpandedField(pszLine, 1, pMsg->szMessage, COUNTOF(pMsg->szMessage));
    char szField[kcchInfLine];
    if (fnInfParseField(pszLine, 2, szField, COUNTOF(szField)))
        fnPopupWait(szField, &pMsg->uWait);
    if (fnInfParseField(pszLine, 3, szField, COUNTOF(szField))) {
        int iCode = fnPlacementCode(szField);
        if (iCode)
            pMsg->uPosition = (unsigned)iCode;
    }
}

int fnKeyMessage(HWND hwndMain, char *pszLine)
{
    MessageStruct msg;
    fnReadPopupFields(pszLine, &msg);
    fnCopyText(msg.szCaption, COUNTOF(msg.szCaption), g_szTitle);
    return fnShowPopup(hwndMain, IDD_POPUP_MESSAGE, &msg);
}

int fnKeyPopup(HWND hwndMain, char *pszLine, BOOL bStatic)
{
    MessageStruct msg;
    fnReadPopupFields(pszLine, &msg);
    char szSize[kcchInfLine];
    fnInfParseField(pszLine, 4, szSize, COUNTOF(szSize));
    char szTopMost[kcchInfLine];
    fnInfParseField(pszLine, 5, szTopMost, COUNTOF(szTopMost));
    int iTopMost = fnYesNoField(szTopMost);
    if (bStatic) {
        msg.bTopMost = iTopMost != kYesNoNo;
    } else {
        msg.bTopMost = iTopMost == kYesNoYes;
        if (iTopMost == kYesNoNo && hwndMain)
            SetWindowPos(hwndMain, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return fnShowPopup(hwndMain, fnPopupDialogId(szSize, bStatic), &msg);
}

int fnKeyMessageBox(HWND hwndMain, char *pszLine)
{
    char szText[kcchInfLine], szCaption[kcchShort], szButton[kcchInfLine];
    fnInfExpandedField(pszLine, 1, szText, COUNTOF(szText));
    fnCaptionField(pszLine, szCaption, COUNTOF(szCaption));
    if (fnInfExpandedField(pszLine, 3, szButton, COUNTOF(szButton)))
        return fnButtonCaptionBox(hwndMain, szText, szCaption, MB_OK, szButton, NULL);
    return fnMsgBox(0, szCaption, MB_OK, "%s", szText);
}

int fnKeyMessageBoxEx(HWND hwndMain, char *pszLine, const char *pszTraceName)
{
    char szText[kcchInfLine], szCaption[kcchShort];
    char szStyle[kcchInfLine], szRule[kcchInfLine], szFirst[kcchInfLine], szSecond[kcchInfLine];
    fnInfExpandedField(pszLine, 1, szText, COUNTOF(szText));
    fnCaptionField(pszLine, szCaption, COUNTOF(szCaption));
    fnInfParseField(pszLine, 3, szStyle, COUNTOF(szStyle));
    fnInfParseField(pszLine, 4, szRule, COUNTOF(szRule));
    fnInfExpandedField(pszLine, 5, szFirst, COUNTOF(szFirst));
    fnInfExpandedField(pszLine, 6, szSecond, COUNTOF(szSecond));
    UINT uStyle = fnTextEqualI(szStyle, "OKCANCEL") ? MB_OKCANCEL : MB_OK;
    int iRule = fnTextEqualI(szRule, "EXITONOK") ? 1 : fnTextEqualI(szRule, "EXITONCANCEL") ? 2 : 0;
    TRACE(pszTraceName, "szField1=%s,\nszField2=%s,\nszField3=%s,\nszField4=%s,\nszField5=%s,\nszField6=%s\n", szText,
          szCaption, szStyle, szRule, szFirst, szSecond);

    int iAnswer = szFirst[0] ? fnButtonCaptionBox(hwndMain, szText, szCaption, uStyle, szFirst, szSecond)
                             : fnMsgBox(0, szCaption, uStyle, "%s", szText);
    if ((iRule == 1 && iAnswer == IDOK) || (iRule == 2 && iAnswer == IDCANCEL)) {
        g_bLoaderDone = TRUE;
        return 1;
    }
    return 0;
}
