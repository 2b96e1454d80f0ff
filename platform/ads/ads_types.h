#pragma once
// The directory service's value and preference types, with the other platform's numbers.

#include "platform/com/ole_types.h"
#include "platform/win32/win_types.h"

enum ADSTYPE : DWORD {
    ADSTYPE_INVALID = 0,
    ADSTYPE_DN_STRING = 1,
    ADSTYPE_CASE_EXACT_STRING = 2,
    ADSTYPE_CASE_IGNORE_STRING = 3,
    ADSTYPE_PRINTABLE_STRING = 4,
    ADSTYPE_NUMERIC_STRING = 5,
    ADSTYPE_BOOLEAN = 6,
    ADSTYPE_INTEGER = 7,
    ADSTYPE_OCTET_STRING = 8,
    ADSTYPE_UTC_TIME = 9,
    ADSTYPE_LARGE_INTEGER = 10,
    ADSTYPE_PROV_SPECIFIC = 11,
};

using ADS_INTEGER = DWORD;
using ADS_BOOLEAN = DWORD;

struct ADS_OCTET_STRING {
    DWORD dwLength;
    LPBYTE lpValue;
};

struct ADSVALUE {
    ADSTYPE dwType;
    union {
        LPWSTR DNString;
        LPWSTR CaseExactString;
        LPWSTR CaseIgnoreString;
        LPWSTR PrintableString;
        LPWSTR NumericString;
        ADS_BOOLEAN Boolean;
        ADS_INTEGER Integer;
        ADS_OCTET_STRING OctetString;
        LONGLONG LargeInteger;
    };
};
using PADSVALUE = ADSVALUE*;

enum ADS_SEARCHPREF : DWORD {
    ADS_SEARCHPREF_ASYNCHRONOUS = 0,
    ADS_SEARCHPREF_DEREF_ALIASES = 1,
    ADS_SEARCHPREF_SIZE_LIMIT = 2,
    ADS_SEARCHPREF_TIME_LIMIT = 3,
    ADS_SEARCHPREF_ATTRIBTYPES_ONLY = 4,
    ADS_SEARCHPREF_SEARCH_SCOPE = 5,
    ADS_SEARCHPREF_TIMEOUT = 6,
    ADS_SEARCHPREF_PAGESIZE = 7,
    ADS_SEARCHPREF_PAGED_TIME_LIMIT = 8,
    ADS_SEARCHPREF_CHASE_REFERRALS = 9,
    ADS_SEARCHPREF_SORT_ON = 10,
    ADS_SEARCHPREF_CACHE_RESULTS = 11,
};

enum ADS_SCOPEENUM : DWORD {
    ADS_SCOPE_BASE = 0,
    ADS_SCOPE_ONELEVEL = 1,
    ADS_SCOPE_SUBTREE = 2,
};

enum ADS_STATUSENUM : DWORD {
    ADS_STATUS_S_OK = 0,
    ADS_STATUS_INVALID_SEARCHPREF = 1,
    ADS_STATUS_INVALID_SEARCHPREFVALUE = 2,
};

struct ADS_SEARCHPREF_INFO {
    ADS_SEARCHPREF dwSearchPref;
    ADSVALUE vValue;
    ADS_STATUSENUM dwStatus;
};
using PADS_SEARCHPREF_INFO = ADS_SEARCHPREF_INFO*;

struct ads_search_state;
using ADS_SEARCH_HANDLE = ads_search_state*;
using PADS_SEARCH_HANDLE = ADS_SEARCH_HANDLE*;

struct ADS_SEARCH_COLUMN {
    LPWSTR pszAttrName;
    ADSTYPE dwADsType;
    PADSVALUE pADsValues;
    DWORD dwNumValues;
    HANDLE hReserved;
};
using PADS_SEARCH_COLUMN = ADS_SEARCH_COLUMN*;

// Authentication flags of ADsOpenObject.
inline constexpr DWORD ADS_SECURE_AUTHENTICATION = 0x1;
inline constexpr DWORD ADS_USE_ENCRYPTION = 0x2;
inline constexpr DWORD ADS_USE_SSL = 0x2;
inline constexpr DWORD ADS_READONLY_SERVER = 0x4;
inline constexpr DWORD ADS_NO_AUTHENTICATION = 0x10;
