// Firmware (SMBIOS) structure tables: finding the system and processor
// strings in a table held in memory. No Windows calls.
#ifndef SETUP32_EXPAND_SMBIOS_H
#define SETUP32_EXPAND_SMBIOS_H

#include <stddef.h>

enum { kcbRawSmbiosHeader = 8 };  // calling method, major, minor, revision, 32-bit table length

// The text a request (24 maker, 25 product, 27 serial, 416 processor speed
// "<n>MHz") asks for, from a structure table; 1 found and not empty. The
// walk stops at the end-of-table structure or at the first malformed one.
int fnSmbiosFindString(const unsigned char *pbTable, size_t cbTable, unsigned uRequest, char *pszOut, size_t cchOut);

// As fnSmbiosFindString over the platform's raw form: the 8-byte header,
// whose length field is checked against cbRaw, then the table.
int fnSmbiosFindInRaw(const unsigned char *pbRaw, size_t cbRaw, unsigned uRequest, char *pszOut, size_t cchOut);

#endif
