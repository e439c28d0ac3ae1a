// The network address list built from adapter facts.
#include <gtest/gtest.h>

#include <string>

#include "expand/netlist.h"
#include "run/text.h"

namespace {

NetAdapterFact fnAdapter(const char *pszMac, const char *pszIp, int bOperational, unsigned long dwSent,
                         const char *pszMask = "255.255.255.0", const char *pszGateway = "10.0.0.1")
{
    NetAdapterFact fact = {};
    fnCopyText(fact.szMac, sizeof(fact.szMac), pszMac);
    fnCopyText(fact.szIp, sizeof(fact.szIp), pszIp);
    fnCopyText(fact.szMask, sizeof(fact.szMask), pszMask);
    fnCopyText(fact.szGateway, sizeof(fact.szGateway), pszGateway);
    fact.bOperational = bOperational;
    fact.dwSent = dwSent;
    return fact;
}

struct NetResult {
    unsigned uCount;
    std::string strList, strMask, strGateway;
};

NetResult fnBuild(const std::initializer_list<NetAdapterFact> &a, size_t cchList = 512)
{
    char szList[512], szMask[16], szGateway[16];
    NetResult r;
    r.uCount = fnBuildNetList(a.begin(), (unsigned)a.size(), szList, cchList, szMask, sizeof(szMask), szGateway,
                              sizeof(szGateway));
    r.strList = szList;
    r.strMask = szMask;
    r.strGateway = szGateway;
    return r;
}

TEST(NetList, BusiestActiveAdapterLeads)
{
    NetResult r = fnBuild({fnAdapter("00AA00000001", "10.0.0.5", 1, 100),
                           fnAdapter("00AA00000002", "10.0.0.6", 1, 5000),
                           fnAdapter("00AA00000003", "10.0.0.7", 1, 200)});
    EXPECT_EQ(3u, r.uCount);
    EXPECT_EQ("00AA00000002-10.0.0.6;00AA00000001-10.0.0.5;00AA00000003-10.0.0.7", r.strList);
}

TEST(NetList, InactiveAdaptersComeLast)
{
    // no address, or not operational: inactive, whatever they sent
    NetResult r = fnBuild({fnAdapter("00AA00000001", "0.0.0.0", 1, 9999),
                           fnAdapter("00AA00000002", "192.168.1.2", 0, 9999),
                           fnAdapter("00AA00000003", "192.168.1.3", 1, 0, "255.255.0.0", "192.168.1.1")});
    EXPECT_EQ("00AA00000003-192.168.1.3;00AA00000001-0.0.0.0;00AA00000002-192.168.1.2", r.strList);
    EXPECT_EQ("255.255.0.0", r.strMask) << "the last adapter's mask";
    EXPECT_EQ("192.168.1.1", r.strGateway);
}

TEST(NetList, EqualTrafficKeepsTheFirstAsPrimary)
{
    NetResult r = fnBuild({fnAdapter("00AA00000001", "10.0.0.5", 1, 0), fnAdapter("00AA00000002", "10.0.0.6", 1, 0)});
    EXPECT_EQ("00AA00000001-10.0.0.5;00AA00000002-10.0.0.6", r.strList);
}

TEST(NetList, NoAdapters)
{
    NetResult r = fnBuild({});
    EXPECT_EQ(0u, r.uCount);
    EXPECT_EQ("", r.strList);
    EXPECT_EQ("0.0.0.0", r.strMask);
    EXPECT_EQ("0.0.0.0", r.strGateway);
    NetResult rNoMask = fnBuild({fnAdapter("00AA00000001", "", 0, 0, "", "")});
    EXPECT_EQ("00AA00000001-0.0.0.0", rNoMask.strList);
    EXPECT_EQ("0.0.0.0", rNoMask.strMask);
}

TEST(NetList, ListTooLongKeepsWholeEntriesOnly)
{
    NetResult r = fnBuild({fnAdapter("00AA00000001", "10.0.0.5", 1, 9), fnAdapter("00AA00000002", "10.0.0.6", 1, 1)},
                          30);
    EXPECT_EQ("00AA00000001-10.0.0.5", r.strList);
}

}  // namespace
