// The settings reader: a section of key=value lines describing one input
// dialog, read into a ReadSectStruct.
#include "dialogs/read_sect.h"

#include "base/install_log.h"
#include "base/path.h"
#include "base/whole_file.h"
#include "commands/keyword_words.h"
#include "expand/expand.h"
#include "run/text.h"
#include "run/trace.h"
#include "script/conditions.h"
#include "script/lines.h"

void fnInitReadSect(ReadSectStruct *pSect)
{
    memset(pSect, 0, sizeof(*pSect));
    fnCopyText(pSect->szCaption, COUNTOF(pSect->szCaption), g_szTitle);
    fnCopyText(pSect->szPrompt, COUNTOF(pSect->szPrompt), "Select OK to continue");
}

namespace {

// One line being read: the line itself (fields parsed from it) and the record.
struct SettingLine {
    char *pszLine;
    ReadSectStruct *pSect;
};

void fnField(const SettingLine &line, unsigned uField, char *pszOut, size_t cchOut)
{
    char szField[kcchInfLine];
    fnInfParseField(line.pszLine, uField, szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, szField);
}

// Field 1, expanded, into a buffer of cchOut.
void fnExpandedInto(const SettingLine &line, char *pszOut, size_t cchOut)
{
    char szField[kcchInfLine];
    fnInfParseField(line.pszLine, 1, szField, COUNTOF(szField));
    fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, szField);
}

// "Default", "MoreInfo": field 1 expanded when its expansion succeeds; else
// field 2 expanded when there is one; else field 1 as written.
void fnDefaultInto(const SettingLine &line, char *pszOut, size_t cchOut)
{
    char szField[kcchInfLine];
    fnInfParseField(line.pszLine, 1, szField, COUNTOF(szField));
    char szExpanded[kcchInfLine];
    fnCopyText(szExpanded, COUNTOF(szExpanded), szField);
    if (fnExpandOpts(szExpanded, COUNTOF(szExpanded)) == 1) {
        fnCopyText(pszOut, cchOut, szExpanded);
        return;
    }
    char szSecond[kcchInfLine];
    if (fnInfParseField(line.pszLine, 2, szSecond, COUNTOF(szSecond))) {
        fnExpandOpts(szSecond, COUNTOF(szSecond));
        fnCopyText(pszOut, cchOut, szSecond);
        return;
    }
    fnCopyText(pszOut, cchOut, szField);
}

// The path keys: field 1, 2 then 3 expanded, the first that expands without
// failing to a text that is not empty. 1 a path was found.
int fnPathInto(const SettingLine &line, char *pszOut, size_t cchOut)
{
    for (unsigned uField = 1; uField <= 3; uField++) {
        char szField[kcchInfLine];
        if (!fnInfParseField(line.pszLine, uField, szField, COUNTOF(szField)))
            break;
        if (fnExpandOpts(szField, COUNTOF(szField)) >= 0 && szField[0]) {
            fnCopyText(pszOut, cchOut, szField);
            return 1;
        }
    }
    return 0;
}

void fnSetDestination(const char *pszPath)
{
    fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), pszPath);
    fnCopyText(g_szDirs[0], COUNTOF(g_szDirs[0]), pszPath);
}

void fnAppendLine(char *pszText, size_t cchText, const char *pszLine)
{
    fnAppendText(pszText, cchText, pszLine);
    fnAppendText(pszText, cchText, "\r\n");
}

void fnHelpFile(const SettingLine &line)
{
    char szName[kcchInfLine];
    char szKey[kcchInfLine];
    fnExpandedInto(line, szName, COUNTOF(szName));
    fnField(line, 2, szKey, COUNTOF(szKey));
    fnSetHelpFile(line.pSect, szName, szKey);
}

// The keys whose value is a text put into one buffer of the record.
struct TextKey {
    const char *pszKey;
    size_t uOffset;
    size_t cch;
    int iHow;  // 0 as written, 1 expanded, 2 as "Default"
};

#define SECT_TEXT(name, member, how) {name, offsetof(ReadSectStruct, member), sizeof(((ReadSectStruct *)0)->member), how}

const TextKey g_aTextKeys[] = {
    SECT_TEXT("Caption", szCaption, 0),
    SECT_TEXT("Message", szMessage, 1),
    SECT_TEXT("Msg1", szMsg[0], 1), SECT_TEXT("AboveEdit", szMsg[0], 1), SECT_TEXT("ButtonMsg1", szMsg[0], 1),
    SECT_TEXT("UserPrompt", szMsg[0], 1),
    SECT_TEXT("Msg2", szMsg[1], 1), SECT_TEXT("BelowEdit", szMsg[1], 1), SECT_TEXT("ButtonMsg2", szMsg[1], 1),
    SECT_TEXT("PWPrompt", szMsg[1], 1),
    SECT_TEXT("Msg3", szMsg[2], 1), SECT_TEXT("ButtonMsg3", szMsg[2], 1), SECT_TEXT("PWPrompt2", szMsg[2], 1),
    SECT_TEXT("Msg4", szMsg[3], 1), SECT_TEXT("ButtonMsg4", szMsg[3], 1), SECT_TEXT("CheckBoxMsg", szMsg[3], 1),
    SECT_TEXT("Msg5", szMsg[4], 1), SECT_TEXT("MsgBottom", szMsg[4], 1),
    SECT_TEXT("Msg6", szMsg[5], 1),
    SECT_TEXT("WarnMsg1", szMsg[6], 1),
    SECT_TEXT("Default", szMsg[9], 2),
    SECT_TEXT("MoreInfo1", szMoreInfo[0], 2), SECT_TEXT("MoreInfo2", szMoreInfo[1], 2),
    SECT_TEXT("Prompt", szPrompt, 1),
};

// Text of the caption is cut at 127, the message slots at 255: the buffers'
// own sizes.
int fnTakeTextKey(const SettingLine &line, const char *pszKey)
{
    for (const TextKey &key : g_aTextKeys) {
        if (!fnTextEqualI(pszKey, key.pszKey))
            continue;
        char *pszDest = (char *)line.pSect + key.uOffset;
        if (key.iHow == 0)
            fnField(line, 1, pszDest, key.cch);
        else if (key.iHow == 1)
            fnExpandedInto(line, pszDest, key.cch);
        else
            fnDefaultInto(line, pszDest, key.cch);
        return 1;
    }
    return 0;
}

int fnTakeSwitchKey(const SettingLine &line, const char *pszKey)
{
    ReadSectStruct *pSect = line.pSect;
    struct SwitchKey {
        const char *pszKey;
        BOOL *pb;
    } aSwitches[] = {
        {"CheckBox", &pSect->abCheck[0]},       {"ButtonCheck1", &pSect->abCheck[0]},
        {"ButtonCheck2", &pSect->abCheck[1]},   {"ButtonCheck3", &pSect->abCheck[2]},
        {"ButtonCheck4", &pSect->abCheck[3]},   {"UseButton1", &pSect->bUseButton1},
        {"UsePath1", &pSect->bUsePath1},        {"UseButton2", &pSect->bUseButton2},
        {"UsePath2", &pSect->bUsePath2},        {"UseMoreInfo1", &pSect->bUseMoreInfo1},
        {"UseMoreInfo2", &pSect->bUseMoreInfo2},
    };
    for (const SwitchKey &key : aSwitches) {
        if (fnTextEqualI(pszKey, key.pszKey)) {
            char szValue[kcchInfLine];
            fnInfParseField(line.pszLine, 1, szValue, COUNTOF(szValue));
            *key.pb = fnIsYes(szValue);
            return 1;
        }
    }
    return 0;
}

int fnTakePathKey(const SettingLine &line, const char *pszKey)
{
    ReadSectStruct *pSect = line.pSect;
    struct PathKey {
        const char *pszKey;
        char *pszDest;
        BOOL bSetsDestination;
    } aPaths[] = {
        {"DefaultDir", pSect->szPath, TRUE}, {"Path1", pSect->szPath1, TRUE}, {"Path2", pSect->szPath2, FALSE},
        {"Path3", pSect->szPath3, FALSE},    {"Path4", pSect->szPath4, FALSE},
    };
    for (const PathKey &key : aPaths) {
        if (!fnTextEqualI(pszKey, key.pszKey))
            continue;
        if (fnPathInto(line, key.pszDest, kcchPath) && key.bSetsDestination)
            fnSetDestination(key.pszDest);
        return 1;
    }
    return 0;
}

int fnTakeSpaceKey(const SettingLine &line, const char *pszKey)
{
    static const char *const s_apszSpace[4] = {"SpaceNeeded", "SpaceNeeded2", "SpaceNeeded3", "SpaceNeeded4"};
    char szValue[kcchInfLine];
    if (fnTextEqualI(pszKey, "WinSpaceNeeded")) {
        fnInfParseField(line.pszLine, 1, szValue, COUNTOF(szValue));
        line.pSect->dwWinSpaceNeeded = fnDecimalValue(szValue);
        return 1;
    }
    for (unsigned u = 0; u < 4; u++) {
        if (!fnTextEqualI(pszKey, s_apszSpace[u]))
            continue;
        fnInfParseField(line.pszLine, 1, szValue, COUNTOF(szValue));
        line.pSect->adwSpace[u][0] = fnDecimalValue(szValue);
        line.pSect->adwSpace[u][1] = fnInfParseField(line.pszLine, 2, szValue, COUNTOF(szValue))
                                         ? fnDecimalValue(szValue) : line.pSect->adwSpace[u][0];
        return 1;
    }
    return 0;
}

// Keys that act on the run state or on lists rather than on one buffer.
int fnTakeOtherKey(const SettingLine &line, const char *pszKey)
{
    ReadSectStruct *pSect = line.pSect;
    char szValue[kcchInfLine];
    int bHasValue = fnInfParseField(line.pszLine, 1, szValue, COUNTOF(szValue));
    if (fnTextEqualI(pszKey, "List")) {
        if (pSect->uListLines < kuSectListLines) {
            fnExpandOpts(szValue, COUNTOF(szValue));
            fnAppendLine(pSect->szList, COUNTOF(pSect->szList), szValue);
            pSect->uListLines++;
        }
    } else if (fnTextEqualI(pszKey, "Help")) {
        fnExpandOpts(szValue, COUNTOF(szValue));
        fnAppendLine(pSect->szHelp, COUNTOF(pSect->szHelp), szValue);
        if (pSect->uHelpKind == kHelpNone)
            pSect->uHelpKind = kHelpText;
    } else if (fnTextEqualI(pszKey, "HelpFile")) {
        fnHelpFile(line);
    } else if (fnTextEqualI(pszKey, "File")) {
        if (!fnPathInto(line, pSect->szFile, COUNTOF(pSect->szFile)))
            pSect->szFile[0] = '\0';
    } else if (fnTextEqualI(pszKey, "ButtonType")) {
        pSect->uButtonType = fnTextEqualI(fnTrimBlanks(szValue), "Check") ? kButtonsCheck : kButtonsRadio;
    } else if (fnTextEqualI(pszKey, "OnExit")) {
        // Besides the questions' actions, an input section may restart
        // without asking (8) or at once, with no question at all (9).
        const char *pszWord = fnTrimBlanks(szValue);
        unsigned uAction = fnTextEqualI(pszWord, "RestartNoAsk")    ? 8u
                           : fnTextEqualI(pszWord, "RestartAtOnce") ? 9u
                                                                    : fnOnExitCode(pszWord);
        if (uAction == 1 || uAction == 3 || uAction == 5 || uAction == 8 || uAction == 9)
            g_uOnExit = uAction;
    } else if (fnTextEqualI(pszKey, "BackUpMethod")) {
        unsigned uMethod = fnBackUpMethodCode(fnTrimBlanks(szValue));
        if (uMethod)
            g_uBackUpMethod = uMethod;
    } else if (fnTextEqualI(pszKey, "LogFile")) {
        if (bHasValue && szValue[0]) {
            fnCopyText(g_szLogFile, COUNTOF(g_szLogFile), szValue);
            g_bLogOn = TRUE;
        } else {
            g_szLogFile[0] = '\0';
        }
    } else if (fnTextEqualI(pszKey, "ExpandOpt")) {
        // Known, so that it does not end the reading; the expansion has one
        // option character for the whole run and keeps it.
    } else if (fnTextEqualI(pszKey, "ExpandDelims")) {
        fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), szValue);
    } else {
        return 0;
    }
    return 1;
}

}  // namespace

void fnSetHelpFile(ReadSectStruct *pSect, const char *pszName, const char *pszKey)
{
    if (!pszName[0])
        return;
    if (pszName[0] != '\\' && pszName[1] != ':')
        fnPathJoin(pSect->szHelpFile, COUNTOF(pSect->szHelpFile), g_szSourceDir, pszName);
    else
        fnCopyText(pSect->szHelpFile, COUNTOF(pSect->szHelpFile), pszName);
    fnCopyText(pSect->szHelpKey, COUNTOF(pSect->szHelpKey), pszKey);
    const char *pszDot = strrchr(pSect->szHelpFile, '.');
    if (pszDot && fnTextEqualI(pszDot, ".Hlp")) {
        pSect->uHelpKind = kHelpFile;
        return;
    }
    if (pSect->szHelp[0])
        return;  // "Help" lines came first and stay
    DWORD cb = 0;
    char *pszText = fnReadWholeFile(pSect->szHelpFile, &cb, 0x7fffffff);
    if (!pszText)
        return;
    fnCopyText(pSect->szHelp, COUNTOF(pSect->szHelp), pszText);
    HeapFree(GetProcessHeap(), 0, pszText);
    pSect->uHelpKind = kHelpText;
}

int fnReadSettings(HWND hwndParent, const char *pszBody, ReadSectStruct *pSect)
{
    (void)hwndParent;
    const char *pszPos = pszBody;
    char szLine[kcchInfLine];
    char szKey[kcchInfLine];
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        int iAction = fnInfLineAction(fnInfTestIfTwoFields(szLine, COUNTOF(szLine)));
        if (iAction == kLineEndSection) {
            pSect->bStop = TRUE;
            break;
        }
        if (iAction == kLinePass)
            continue;
        if (!strchr(szLine, '=') || !fnInfParseField(szLine, 0, szKey, COUNTOF(szKey))) {
            TRACE("fnReadSettings", "no \"=\" after the key:\n%s", szLine);
            return 0;
        }
        fnTrimBlanks(szKey);
        SettingLine line = {szLine, pSect};
        if (!fnTakeTextKey(line, szKey) && !fnTakeSwitchKey(line, szKey) && !fnTakePathKey(line, szKey) &&
            !fnTakeSpaceKey(line, szKey) && !fnTakeOtherKey(line, szKey))
            break;  // a key of no settings section ends the reading
    }
    if (g_bLogOn && g_szLogFile[0])
        fnStartInstallLog(g_szLogFile);
    TRACE("fnReadSettings", "szCaption=%s,\nszMessage=%s,\nszDefault=%s,\nszPath=%s,\nuListLines=%u,\nbStop=%d",
          pSect->szCaption, pSect->szMessage, fnSectDefault(pSect), pSect->szPath, pSect->uListLines, pSect->bStop);
    return 1;
}
