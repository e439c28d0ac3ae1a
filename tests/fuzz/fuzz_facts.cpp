// Machine facts from raw numbers and tables: firmware (SMBIOS) strings,
// OS classification and the network address list.
#include "fuzz_support.h"

#include "expand/netlist.h"
#include "expand/osversion.h"
#include "expand/smbios.h"
#include "expand/sysfacts.h"
#include "run/text.h"

namespace {

void fnFuzzSmbios(const FuzzInput &in, const std::string &strTable)
{
    static const unsigned auRequests[] = {kSmbiosMaker, kSmbiosProduct, kSmbiosSerial, kSmbiosCpuSpeed, 0, 26};
    unsigned uRequest = auRequests[in.uVariant % 6];
    // The table is handed over by length: exactly its bytes, no NUL after.
    FuzzBuffer table(strTable.size());
    memcpy(table.psz, strTable.data(), strTable.size());
    const unsigned char *pbTable = (const unsigned char *)table.psz;
    auto fnFoundMeansText = [](const char *psz, size_t cch, int bFound) {
        if (bFound)
            FUZZ_CHECK(cch > 1 && psz[0] != '\0' && memchr(psz, '\0', cch) != NULL);
    };
    fnAtCapacities(in, false, [&](char *psz, size_t cch) {
        return fnSmbiosFindString(pbTable, strTable.size(), uRequest, psz, cch);
    }, fnFoundMeansText);
    fnAtCapacities(in, false, [&](char *psz, size_t cch) {
        return fnSmbiosFindInRaw(pbTable, strTable.size(), uRequest, psz, cch);
    }, fnFoundMeansText);
}

// Reads a number of up to four bytes from the text, little-endian.
unsigned long fnTakeNumber(const std::string &str, size_t &iPos, size_t cb)
{
    unsigned long ul = 0;
    for (size_t i = 0; i < cb && iPos < str.size(); i++, iPos++)
        ul |= (unsigned long)(unsigned char)str[iPos] << (8 * i);
    return ul;
}

void fnFuzzOS(const FuzzInput &in, const std::string &strRaw)
{
    OSReportStruct report;
    memset(&report, 0, sizeof report);
    size_t iPos = 0;
    report.dwMajor = fnTakeNumber(strRaw, iPos, 1);
    report.dwMinor = fnTakeNumber(strRaw, iPos, 1);
    report.dwBuild = fnTakeNumber(strRaw, iPos, 4);
    report.dwPlatformId = fnTakeNumber(strRaw, iPos, 1);
    report.uProductType = (unsigned)fnTakeNumber(strRaw, iPos, 1);
    report.uSuiteMask = (unsigned)fnTakeNumber(strRaw, iPos, 2);
    unsigned uFlags = (unsigned)fnTakeNumber(strRaw, iPos, 1);
    report.bExtended = uFlags & 1;
    report.bWow64 = (uFlags >> 1) & 1;
    report.b64Bit = (uFlags >> 2) & 1;
    fnCopyText(report.szCSDVersion, COUNTOF(report.szCSDVersion), in.Text(1));
    fnCopyText(report.szEdition, COUNTOF(report.szEdition), in.Text(2));
    OSInfoStruct info;
    memset(&info, 0xAA, sizeof info);
    fnClassifyOS(&report, &info);
    FUZZ_CHECK(info.uWinOS < kuWinOSCount);
    FUZZ_CHECK(memchr(info.szWinShortName, '\0', sizeof info.szWinShortName) != NULL);
    FUZZ_CHECK(memchr(info.szWinVersion, '\0', sizeof info.szWinVersion) != NULL);
    FUZZ_CHECK(memchr(info.szWinVSDescription, '\0', sizeof info.szWinVSDescription) != NULL);
    FUZZ_CHECK(memchr(info.szWinName, '\0', sizeof info.szWinName) != NULL);
    FUZZ_CHECK(memchr(info.szWinEdition, '\0', sizeof info.szWinEdition) != NULL);
    FUZZ_CHECK(fnOSIdText(in.uVariant) != NULL);
    FUZZ_CHECK(fnProductEditionText(report.uProductType | (report.uSuiteMask << 8)) != NULL);
}

// Adapters from the bytes: each takes 2 bytes (flags, sent) and its texts.
void fnFuzzNetList(const FuzzInput &in, const std::string &strRaw)
{
    unsigned uCount = (unsigned)(strRaw.size() / 2) % 9;
    NetAdapterFact *pAdapters = new NetAdapterFact[uCount ? uCount : 1];
    for (unsigned u = 0; u < uCount; u++) {
        NetAdapterFact &a = pAdapters[u];
        unsigned char bFlags = (unsigned char)strRaw[2 * u];
        const char *pszIp = (bFlags & 3) == 0 ? "" : (bFlags & 3) == 1 ? "0.0.0.0" : in.Text(1 + u % 3);
        fnFormatText(a.szMac, COUNTOF(a.szMac), "%012X", (unsigned)bFlags * 7919u);
        fnCopyText(a.szIp, COUNTOF(a.szIp), pszIp);
        fnCopyText(a.szMask, COUNTOF(a.szMask), (bFlags & 4) ? "255.255.255.0" : "");
        fnCopyText(a.szGateway, COUNTOF(a.szGateway), (bFlags & 8) ? in.Text(2) : "");
        a.bOperational = (bFlags >> 4) & 1;
        a.dwSent = (unsigned char)strRaw[2 * u + 1];
    }
    // Each of the three outputs at capacities 0, 1 and the pick in turn.
    for (int iOut = 0; iOut < 3; iOut++) {
        fnAtCapacities(in, true, [&](char *psz, size_t cch) {
            char szA[400], szB[16], szC[16];
            char *apsz[3] = {szA, szB, szC};
            size_t acch[3] = {sizeof szA, sizeof szB, sizeof szC};
            apsz[iOut] = psz;
            acch[iOut] = cch;
            FUZZ_CHECK(fnBuildNetList(pAdapters, uCount, apsz[0], acch[0], apsz[1], acch[1], apsz[2], acch[2]) == uCount);
            return 0;
        });
    }
    delete[] pAdapters;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pb, size_t cb)
{
    FuzzInput in = fnFuzzInput(pb, cb, 256);
    fnFuzzSmbios(in, in.Raw(0));
    fnFuzzOS(in, in.Raw(0));
    fnFuzzNetList(in, in.Raw(0));
    return 0;
}
