// INI line edits: one edit of each type and action over any file text, the
// PATH-line editor, list-item edits and the reads, with a sink that may
// refuse to write part-way.
#include "fuzz_support.h"

#include "config/iniedit_text.h"
#include "run/text.h"

namespace {

struct SinkState {
    std::string strOut;
    size_t cbRefuseAfter;  // the sink fails once this much is written
};

int fnSinkWrite(void *pContext, const char *pch, size_t cch)
{
    SinkState *pState = (SinkState *)pContext;
    if (pState->strOut.size() + cch > pState->cbRefuseAfter)
        return 0;
    pState->strOut.append(pch, cch);
    return 1;
}

void fnSinkLog(void *, const char *pszLine)
{
    FUZZ_CHECK(pszLine != NULL);
}

const char kszTypes[] = "IBXLCKFOMSWPRNE";
const char kszActions[] = "NRDAIS";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pb, size_t cb)
{
    FuzzInput in = fnFuzzInput(pb, cb, kcchIniValue);
    const std::string &strFile = in.Raw(0);
    char cType = kszTypes[in.uVariant % (sizeof kszTypes - 1)];
    char cAction = kszActions[(in.uVariant / 16) % (sizeof kszActions - 1)];

    IniEditStruct *pEdit = new IniEditStruct;
    memset(pEdit, 0, sizeof *pEdit);
    fnCopyText(pEdit->szFile, COUNTOF(pEdit->szFile), "C:\\F.INI");
    fnCopyText(pEdit->szSection, COUNTOF(pEdit->szSection), in.Text(1));
    fnCopyText(pEdit->szKey, COUNTOF(pEdit->szKey), in.Text(2));
    fnCopyText(pEdit->szValue, COUNTOF(pEdit->szValue), in.Text(3));
    fnCopyText(pEdit->szSubValue, COUNTOF(pEdit->szSubValue), in.Text(4));
    pEdit->cType = cType;
    pEdit->cAction = cAction;
    fnIniPrepareEdit(pEdit);
    FUZZ_CHECK(memchr(pEdit->szNewLine, '\0', sizeof pEdit->szNewLine) != NULL);
    FUZZ_CHECK(memchr(pEdit->szSection, '\0', sizeof pEdit->szSection) != NULL);
    // The file text is handed over by length: no NUL needed at its end.
    FuzzBuffer file(strFile.size());
    memcpy(file.psz, strFile.data(), strFile.size());
    const char *pchFile = file.psz;

    SinkState state = {std::string(), (in.cchPick & 1) ? (size_t)-1 : in.cchPick};
    IniSinkStruct sink = {&state, fnSinkWrite, fnSinkLog};
    int bOk = fnEditIniText(pchFile, strFile.size(), pEdit, &sink);
    FUZZ_CHECK(bOk || state.cbRefuseAfter != (size_t)-1);

    state.strOut.clear();
    bOk = fnEditPathText(pchFile, strFile.size(), pEdit->szFile, in.Text(2), in.Text(3), in.Text(4), cAction,
                         (char)fnUpperChar(in.Text(4)[0]), &sink);
    FUZZ_CHECK(bOk || state.cbRefuseAfter != (size_t)-1);

    fnAtCapacities(in, false, [&](char *psz, size_t cch) {
        return fnFindIniText(pchFile, strFile.size(), in.Text(1), in.Text(2), cType, in.Text(4), psz, cch);
    }, [](const char *psz, size_t cch, int) {
        if (cch)
            FUZZ_CHECK(memchr(psz, '\0', cch) != NULL);
    });

    // List and backslash edits in place, at the list's own capacity.
    {
        FuzzCopy list(in.Raw(3), in.cchPick);
        std::string strBefore = list.psz;
        if (!fnEditListItem(list.psz, list.cch, in.Text(4), cAction))
            FUZZ_CHECK(strBefore == list.psz);
        FUZZ_CHECK(strlen(list.psz) < list.cch);
    }
    {
        FuzzCopy text(in.Raw(3), in.cchPick);
        size_t cchSlashes = 0, cchBefore = strlen(text.psz);
        for (const char *p = text.psz; *p; p++)
            cchSlashes += *p == '\\';
        int bWhole = fnDoubleBackslashes(text.psz, text.cch);
        FUZZ_CHECK(strlen(text.psz) < text.cch);
        FUZZ_CHECK(!bWhole || strlen(text.psz) == cchBefore + cchSlashes);
    }
    delete pEdit;
    return 0;
}
