// Path and copy-entry text: joining and splitting paths, roots, separators,
// the entry flags, disk ids, the move modes and the names of compressed
// sources.
#include "fuzz_support.h"

#include "base/path_text.h"
#include "files/copy_section_text.h"
#include "files/dirs_text.h"
#include "files/lz.h"
#include "files/move_text.h"
#include "run/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pb, size_t cb)
{
    FuzzInput in = fnFuzzInput(pb, cb, 260);
    const char *pszPath = in.Text(0);
    const char *pszName = in.Text(1);

    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        return fnPathJoinWith(psz, cch, pszPath, pszName, fnNextByte);
    });
    // Split: each part at the three capacities while the other has room.
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        char szName[260];
        return fnPathSplitWith(pszPath, psz, cch, szName, sizeof szName, fnNextByte);
    });
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        char szDir[260];
        return fnPathSplitWith(pszPath, szDir, sizeof szDir, psz, cch, fnNextByte);
    });
    FUZZ_CHECK(fnPathRootLength(pszPath) <= strlen(pszPath));
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        return fnPathRoot(pszPath, psz, cch);
    }, [](const char *psz, size_t cch, int bRoot) {
        if (!bRoot && cch)
            FUZZ_CHECK(psz[0] == '\0');
    });
    {
        FuzzCopy path(in.Raw(0));
        fnTrimPathSeps(path.psz);
        FUZZ_CHECK(strlen(path.psz) <= strlen(pszPath));
    }
    fnIsRootedPath(pszPath);
    fnIsBareDrive(pszPath);
    fnHasWildcard(pszPath);

    EntryFlagsStruct flags;
    fnParseEntryFlags(in.Text(2), in.Text(3), in.Text(4), &flags);
    fnCopyModeOf(in.Text(2)[0]);
    fnAtCapacities(in, false, [&](char *psz, size_t cch) {
        return fnDiskIdOf(pszName, psz, cch);
    }, [](const char *psz, size_t cch, int) {
        if (cch)
            FUZZ_CHECK(memchr(psz, '\0', cch) != NULL);
    });
    fnHasBadFileChars(pszName);
    fnIsDstDirAsWritten(pszPath);
    fnIsDiskDstDirAsWritten(pszPath);
    fnHasWildcards(pszName);

    MoveModeStruct modes;
    memset(&modes, 0, sizeof modes);
    fnParseMoveModes(in.Text(2), &modes);
    FUZZ_CHECK(fnMoveVerb(modes.uMoveMode) != NULL);
    fnParseMoveWait(in.Text(3));

    // A compressed source's header: the bytes of the fifth text, exactly.
    const std::string &strHead = in.Raw(4);
    FuzzBuffer head(strHead.size());
    memcpy(head.psz, strHead.data(), strHead.size());
    const unsigned char *pbHead = (const unsigned char *)head.psz;
    fnAtCapacities(in, true, [&](char *psz, size_t cch) {
        fnExpandedNameFromHeader(pszName, pbHead, strHead.size(), psz, cch);
        return 0;
    });
    return 0;
}
