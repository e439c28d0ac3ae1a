// The network address list: Ethernet adapters as MAC-IP entries, the busiest
// active one first, then the other active ones, then the inactive ones. No
// Windows calls; sysfacts.cpp gathers the adapters.
#ifndef SETUP32_EXPAND_NETLIST_H
#define SETUP32_EXPAND_NETLIST_H

#include <stddef.h>

struct NetAdapterFact {
    char szMac[13];       // twelve upper-case hex digits
    char szIp[16];        // dotted address, "0.0.0.0" when none
    char szMask[16];
    char szGateway[16];
    int bOperational;     // the interface table says connected or operational
    unsigned long dwSent; // octets sent
};

// Builds "primary;active...;inactive..." into pszList (empty parts left out);
// the mask and gateway are the last adapter's ("0.0.0.0" without adapters).
// Returns the adapter count. An adapter is active when it has an address
// and is operational; among active ones the first that sent the most leads.
unsigned fnBuildNetList(const NetAdapterFact *pAdapters, unsigned uCount, char *pszList, size_t cchList,
                        char *pszMask, size_t cchMask, char *pszGateway, size_t cchGateway);

#endif
