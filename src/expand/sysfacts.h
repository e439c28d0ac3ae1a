// Facts about the machine beyond the OS version: WMI answers, network
// adapters and firmware strings.
#ifndef SETUP32_EXPAND_SYSFACTS_H
#define SETUP32_EXPAND_SYSFACTS_H

#include <stddef.h>

// Firmware string requests.
enum { kSmbiosMaker = 24, kSmbiosProduct = 25, kSmbiosSerial = 27, kSmbiosCpuSpeed = 416 };

int fnQueryWMI(const char *pszClass, const char *pszProperty, const char *pszCondition, char *pszOut, size_t cchOut);  // 1 the query ran (pszOut kept when no instance has the property)
unsigned fnGetNetAddress(char *pszList, size_t cchList, char *pszMask, size_t cchMask, char *pszGateway, size_t cchGateway);  // Ethernet adapters seen; 0 on failure
int fnGetNetAdapterTable(const char *pszMac, int *pbOperational, unsigned long *pdwSent);  // 1 the adapter was found in the interface table
int fnGetSmbiosString(char *pszOut, size_t cchOut, unsigned uRequest);  // 1 with the text, 0 none

#endif
