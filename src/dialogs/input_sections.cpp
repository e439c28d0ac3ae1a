// The input sections: each entry of a list section names a settings section
// (looked up in the rest of the script) that describes one dialog.
#include "dialogs/input_sections.h"

#include "dialogs/ask_dialogs.h"
#include "dialogs/dir_dialogs.h"
#include "dialogs/option_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/read_sect.h"
#include "run/text.h"
#include "run/trace.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "resource.h"

namespace {

// The record is large (two 32 KB texts): one heap block per dialog.
class CReadSect {
public:
    CReadSect() : m_p((ReadSectStruct *)HeapAlloc(GetProcessHeap(), 0, sizeof(ReadSectStruct))) {}
    ~CReadSect()
    {
        if (m_p) {
            SecureZeroMemory(m_p, sizeof(*m_p));
            HeapFree(GetProcessHeap(), 0, m_p);
        }
    }
    CReadSect(const CReadSect &) = delete;
    CReadSect &operator=(const CReadSect &) = delete;
    ReadSectStruct *Get() const { return m_p; }

private:
    ReadSectStruct *m_p;
};

typedef int (*PFN_ENTRY)(HWND hwndParent, ReadSectStruct *pSect, UINT uIdDialog);

int fnAskForEntry(HWND hwndParent, ReadSectStruct *pSect, UINT) { return fnReadAskFors(hwndParent, pSect); }
int fnListEntry(HWND hwndParent, ReadSectStruct *pSect, UINT uId) { return fnReadFromList(hwndParent, pSect, uId); }
int fnOptionEntry(HWND hwndParent, ReadSectStruct *pSect, UINT) { return fnReadOptionButtons(hwndParent, pSect); }
int fnDirEntry(HWND hwndParent, ReadSectStruct *pSect, UINT) { return fnReadGetDirs(hwndParent, pSect); }

struct InputKindStruct {
    const char *pszHeader;
    PFN_ENTRY pfnEntry;
    UINT uIdDialog;
    unsigned uFirstSlot;  // the answer slot of entry 1
};

const InputKindStruct g_aKinds[] = {
    {"[AskFor]", fnAskForEntry, IDD_ASKFOR, 0},
    {"[FromList]", fnListEntry, IDD_FROMLIST, 0},
    {"[FromLongList]", fnListEntry, IDD_FROMLONGLIST, 0},
    {"[FromCombo]", fnListEntry, IDD_FROMCOMBO, 0},
    {"[OptionButtons]", fnOptionEntry, IDD_OPTIONS_BUTTONS, 0},
    {"[GetDirs]", fnDirEntry, IDD_GETDIR, 1},  // entry n keeps its directory in slot n
};

// Reads the settings that start at pszBody and shows the dialog unless a line
// skipped the rest. Returns the entry's result.
int fnRunSettings(HWND hwndMain, const char *pszBody, unsigned nNum, PFN_ENTRY pfnEntry, UINT uIdDialog)
{
    CReadSect sect;
    if (!sect.Get())
        return 0;
    fnInitReadSect(sect.Get());
    sect.Get()->nNum = nNum;
    if (!fnReadSettings(hwndMain, pszBody, sect.Get()))
        return 0;
    if (sect.Get()->bStop)
        return 1;
    return pfnEntry(hwndMain, sect.Get(), uIdDialog);
}

// The settings section named by an entry line: its body in the rest of the
// script, or NULL.
const char *fnFindSettings(const char *pszRest, const char *pszName)
{
    char szHeader[kcchInfLine];
    if (pszName[0] == '[')
        fnCopyText(szHeader, COUNTOF(szHeader), pszName);
    else
        fnFormatText(szHeader, COUNTOF(szHeader), "[%s]", pszName);
    return fnInfFindSection(pszRest, szHeader, 1);
}

}  // namespace

int fnInfGetSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *, const char *pszRest)
{
    const InputKindStruct *pKind = NULL;
    for (const InputKindStruct &kind : g_aKinds)
        if (fnTextEqualI(pszHeader, kind.pszHeader))
            pKind = &kind;
    if (!pKind)
        return 1;
    const char *pszPos = fnInfSectionBody(pszSection);
    char szLine[kcchInfLine];
    unsigned uEntry = 0;
    int iRC = 4;  // an empty list section
    while (uEntry < kuMaxInputEntries && fnInfNextLineToDo(&pszPos, szLine, COUNTOF(szLine))) {
        uEntry++;
        char szName[kcchInfLine];
        if (!fnInfParseField(szLine, 1, szName, COUNTOF(szName)))
            fnInfParseField(szLine, 0, szName, COUNTOF(szName));
        fnTrimBlanks(szName);
        const char *pszBody = fnFindSettings(pszRest, szName);
        TRACE("fnInfGetSection", "%s entry %u: %s%s", pszHeader, uEntry, szName, pszBody ? "" : " not found");
        if (!pszBody) {
            iRC = 1;
            continue;
        }
        iRC = fnRunSettings(hwndMain, pszBody, pKind->uFirstSlot + uEntry - 1, pKind->pfnEntry, pKind->uIdDialog);
        if (iRC != 1)
            break;
    }
    return iRC;
}

int fnInitOptionsSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    int iRC = fnRunSettings(hwndMain, fnInfSectionBody(pszSection), 0, fnOptionEntry, IDD_OPTIONS_BUTTONS);
    return iRC == 7 ? kInitOptionsStopped : iRC;
}

int fnGetUserPWSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnRunSettings(hwndMain, fnInfSectionBody(pszSection), 0,
                         [](HWND hwnd, ReadSectStruct *pSect, UINT) { return fnReadAskWPW(hwnd, pSect); }, 0);
}

int fnGet2DirsSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnRunSettings(hwndMain, fnInfSectionBody(pszSection), 0,
                         [](HWND hwnd, ReadSectStruct *pSect, UINT) { return fnReadGet2Dirs(hwnd, pSect); }, 0);
}
