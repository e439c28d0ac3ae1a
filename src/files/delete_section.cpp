// [DeleteFiles]: one file, wildcard set, directory or tree a line.
#include "files/delete_section.h"
#include "base/path.h"

#include "expand/expand.h"
#include "files/delete_tree.h"
#include "files/dirs_text.h"
#include "files/move_paths.h"
#include "run/text.h"
#include "run/trace.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "script/input.h"

int fnDeleteFilesSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    (void)hwndMain;
    const char *pszLines = fnInfSectionBody(pszSection);
    char szLine[kcchInfLine];
    for (const char *pszPos = pszLines; fnInfNextLineToDo(&pszPos, szLine, COUNTOF(szLine));) {
        char szPath[kcchInfLine], szTree[kcchInfLine] = "";
        if (!fnInfParseField(szLine, 1, szPath, COUNTOF(szPath)) || !szPath[0])
            return kSectionFailed;
        fnExpandOpts(szPath, COUNTOF(szPath));
        fnRootAtSource(szPath, COUNTOF(szPath));
        fnInfParseField(szLine, 2, szTree, COUNTOF(szTree));
        BOOL bKeepTop = fnTextEqualI(szTree, "TREEKEEP");
        BOOL bRecurse = szTree[0] == '+' || fnTextEqualI(szTree, "TREE") || bKeepTop;
        char szDir[kcchPath], szName[kcchPath];
        fnPathSplit(szPath, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
        TRACE("fnDeleteFiles", "szPath=%s, szTree=%s", szPath, szTree);
        if (fnHasWildcard(szPath)) {
            fnDeleteTree(szPath, bKeepTop || !szDir[0] ? szDir : NULL, bRecurse);
        } else if (fnIsDirectoryPath(szPath)) {
            // A directory named outright: with a tree flag its contents, then
            // itself unless kept; without one only when it is empty.
            if (bRecurse)
                fnDeleteTree(szPath, bKeepTop ? szPath : NULL, TRUE);
            else if (RemoveDirectoryA(szPath))
                fnLogLine("%s,  D", 1, szPath);
        } else {
            fnDeleteAFile(szPath);
        }
    }
    return kSectionDone;
}
