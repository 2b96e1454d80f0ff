#pragma once
// Win32 error codes and HRESULT values with their Windows numbers; the system message
// table (message_table.h) holds the texts of those this system reports.

#include "platform/win32/win_types.h"

// --- HRESULT helpers ---------------------------------------------------------------------
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
constexpr DWORD HRESULT_CODE(HRESULT hr) { return static_cast<DWORD>(hr) & 0xFFFFu; }
constexpr DWORD HRESULT_FACILITY(HRESULT hr) { return (static_cast<DWORD>(hr) >> 16) & 0x1FFFu; }
constexpr HRESULT make_hresult(DWORD value) { return static_cast<HRESULT>(value); }

inline constexpr DWORD FACILITY_NULL = 0;
inline constexpr DWORD FACILITY_RPC = 1;
inline constexpr DWORD FACILITY_DISPATCH = 2;
inline constexpr DWORD FACILITY_ITF = 4;
inline constexpr DWORD FACILITY_WIN32 = 7;
inline constexpr DWORD FACILITY_WINDOWS = 8;

// A Win32 code becomes 0x8007 followed by its low 16 bits; 0 stays 0 and a value that is
// already an HRESULT (top bit set) is kept.
constexpr HRESULT HRESULT_FROM_WIN32(DWORD code)
{
    if (static_cast<HRESULT>(code) <= 0)
        return static_cast<HRESULT>(code);
    return make_hresult((code & 0xFFFFu) | 0x80070000u);
}

// --- Win32 codes -------------------------------------------------------------------------
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD NO_ERROR = 0;
inline constexpr DWORD ERROR_INVALID_FUNCTION = 1;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_BAD_ENVIRONMENT = 10;
inline constexpr DWORD ERROR_OUTOFMEMORY = 14;
inline constexpr DWORD ERROR_NOT_SUPPORTED = 50;
inline constexpr DWORD ERROR_BAD_NETPATH = 53;
inline constexpr DWORD ERROR_NETNAME_DELETED = 64;
inline constexpr DWORD ERROR_BAD_NET_NAME = 67;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_INVALID_NAME = 123;
inline constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
inline constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
inline constexpr DWORD ERROR_INVALID_ADDRESS = 487;
inline constexpr DWORD ERROR_NO_NETWORK = 1222;
inline constexpr DWORD ERROR_BAD_PROVIDER = 1204;
inline constexpr DWORD ERROR_EXTENDED_ERROR = 1208;
inline constexpr DWORD ERROR_NO_SUCH_DOMAIN = 1355;
inline constexpr DWORD ERROR_LOGON_FAILURE = 1326;
inline constexpr DWORD ERROR_TIMEOUT = 1460;
inline constexpr DWORD ERROR_CANCELLED = 1223;
inline constexpr DWORD ERROR_CONNECTION_REFUSED = 1225;
inline constexpr DWORD ERROR_NOT_FOUND = 1168;
inline constexpr DWORD ERROR_DS_SERVER_DOWN = 8250;
inline constexpr DWORD ERROR_DS_OPERATIONS_ERROR = 8224;
inline constexpr DWORD ERROR_NO_BROWSER_SERVERS_FOUND = 6118;
inline constexpr DWORD RPC_S_SERVER_UNAVAILABLE = 1722;

// Network management codes (lmerr.h numbering).
inline constexpr DWORD NERR_Success = 0;
inline constexpr DWORD NERR_BASE = 2100;
inline constexpr DWORD NERR_NetNotStarted = 2102;
inline constexpr DWORD NERR_InvalidComputer = 2351;
inline constexpr DWORD NERR_DCNotFound = 2453;
inline constexpr DWORD NERR_UserNotFound = 2221;
inline constexpr DWORD NERR_GroupNotFound = 2220;
inline constexpr DWORD NERR_BufTooSmall = 2123;

// --- HRESULTs ----------------------------------------------------------------------------
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = make_hresult(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = make_hresult(0x80004002u);
inline constexpr HRESULT E_POINTER = make_hresult(0x80004003u);
inline constexpr HRESULT E_ABORT = make_hresult(0x80004004u);
inline constexpr HRESULT E_FAIL = make_hresult(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = make_hresult(0x8000FFFFu);
inline constexpr HRESULT E_ACCESSDENIED = make_hresult(0x80070005u);
inline constexpr HRESULT E_HANDLE = make_hresult(0x80070006u);
inline constexpr HRESULT E_OUTOFMEMORY = make_hresult(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = make_hresult(0x80070057u);

inline constexpr HRESULT CLASS_E_NOAGGREGATION = make_hresult(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = make_hresult(0x80040111u);
inline constexpr HRESULT REGDB_E_READREGDB = make_hresult(0x80040150u);
inline constexpr HRESULT REGDB_E_WRITEREGDB = make_hresult(0x80040151u);
inline constexpr HRESULT REGDB_E_KEYMISSING = make_hresult(0x80040152u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = make_hresult(0x80040154u);
inline constexpr HRESULT CO_E_NOTINITIALIZED = make_hresult(0x800401F0u);
inline constexpr HRESULT CO_E_CLASSSTRING = make_hresult(0x800401F3u);
inline constexpr HRESULT CO_E_DLLNOTFOUND = make_hresult(0x800401F8u);
inline constexpr HRESULT CO_E_ERRORINDLL = make_hresult(0x800401F9u);
inline constexpr HRESULT RPC_E_CHANGED_MODE = make_hresult(0x80010106u);
inline constexpr HRESULT RPC_E_WRONG_THREAD = make_hresult(0x8001010Eu);
inline constexpr HRESULT RPC_E_DISCONNECTED = make_hresult(0x80010108u);
inline constexpr HRESULT CONNECT_E_NOCONNECTION = make_hresult(0x80040200u);
inline constexpr HRESULT CONNECT_E_ADVISELIMIT = make_hresult(0x80040201u);
inline constexpr HRESULT CONNECT_E_CANNOTCONNECT = make_hresult(0x80040202u);
inline constexpr HRESULT SELFREG_E_TYPELIB = make_hresult(0x80040200u);
inline constexpr HRESULT SELFREG_E_CLASS = make_hresult(0x80040201u);

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = make_hresult(0x80020001u);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = make_hresult(0x80020003u);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = make_hresult(0x80020004u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = make_hresult(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = make_hresult(0x80020006u);
inline constexpr HRESULT DISP_E_NONAMEDARGS = make_hresult(0x80020007u);
inline constexpr HRESULT DISP_E_BADVARTYPE = make_hresult(0x80020008u);
inline constexpr HRESULT DISP_E_EXCEPTION = make_hresult(0x80020009u);
inline constexpr HRESULT DISP_E_OVERFLOW = make_hresult(0x8002000Au);
inline constexpr HRESULT DISP_E_BADINDEX = make_hresult(0x8002000Bu);
inline constexpr HRESULT DISP_E_ARRAYISLOCKED = make_hresult(0x8002000Du);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = make_hresult(0x8002000Eu);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = make_hresult(0x8002000Fu);
inline constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = make_hresult(0x8002802Bu);
inline constexpr HRESULT TYPE_E_LIBNOTREGISTERED = make_hresult(0x8002801Du);
inline constexpr HRESULT TYPE_E_CANTLOADLIBRARY = make_hresult(0x80029C4Au);

// Directory service (ADSI) HRESULTs.
inline constexpr HRESULT E_ADS_BAD_PATHNAME = make_hresult(0x80005000u);
inline constexpr HRESULT E_ADS_INVALID_DOMAIN_OBJECT = make_hresult(0x80005001u);
inline constexpr HRESULT E_ADS_UNKNOWN_OBJECT = make_hresult(0x80005004u);
inline constexpr HRESULT E_ADS_PROPERTY_NOT_FOUND = make_hresult(0x8000500Du);
inline constexpr HRESULT E_ADS_BAD_PARAMETER = make_hresult(0x80005008u);
inline constexpr HRESULT E_ADS_COLUMN_NOT_SET = make_hresult(0x80005011u);
inline constexpr HRESULT S_ADS_NOMORE_ROWS = make_hresult(0x00005012u);
inline constexpr HRESULT S_ADS_NOMORE_COLUMNS = make_hresult(0x00005013u);
inline constexpr HRESULT S_ADS_ERRORSOCCURRED = make_hresult(0x00005011u);

// --- Codes added with the registry, message table and string tables ------------------------
inline constexpr DWORD ERROR_MR_MID_NOT_FOUND = 317;
inline constexpr DWORD ERROR_BADDB = 1009;
inline constexpr DWORD ERROR_BADKEY = 1010;
inline constexpr DWORD ERROR_CANTOPEN = 1011;
inline constexpr DWORD ERROR_CANTREAD = 1012;
inline constexpr DWORD ERROR_CANTWRITE = 1013;
inline constexpr DWORD ERROR_REGISTRY_CORRUPT = 1015;
inline constexpr DWORD ERROR_REGISTRY_IO_FAILED = 1016;
inline constexpr DWORD ERROR_KEY_DELETED = 1018;
inline constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
inline constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
inline constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
inline constexpr DWORD ERROR_RESOURCE_LANG_NOT_FOUND = 1815;
inline constexpr DWORD ERROR_BAD_PATHNAME = 161;

// Further Win32 codes with a system text (what LDAP, NetAPI and RPC failures map onto).
inline constexpr DWORD ERROR_UNEXP_NET_ERR = 59;
inline constexpr DWORD ERROR_NETWORK_ACCESS_DENIED = 65;
inline constexpr DWORD ERROR_SEM_TIMEOUT = 121;
inline constexpr DWORD ERROR_INVALID_LEVEL = 124;
inline constexpr DWORD ERROR_INVALID_COMPUTERNAME = 1210;
inline constexpr DWORD ERROR_INVALID_DOMAINNAME = 1212;
inline constexpr DWORD ERROR_SESSION_CREDENTIAL_CONFLICT = 1219;
inline constexpr DWORD ERROR_NETWORK_UNREACHABLE = 1231;
inline constexpr DWORD ERROR_HOST_UNREACHABLE = 1232;
inline constexpr DWORD ERROR_NO_LOGON_SERVERS = 1311;
inline constexpr DWORD ERROR_NO_SUCH_USER = 1317;
inline constexpr DWORD ERROR_PASSWORD_EXPIRED = 1330;
inline constexpr DWORD ERROR_ACCOUNT_DISABLED = 1331;
inline constexpr DWORD ERROR_NONE_MAPPED = 1332;
inline constexpr DWORD ERROR_INTERNAL_ERROR = 1359;
inline constexpr DWORD ERROR_NO_SUCH_ALIAS = 1376;
inline constexpr DWORD ERROR_WRONG_TARGET_NAME = 1396;
inline constexpr DWORD ERROR_TIME_SKEW = 1398;
inline constexpr DWORD RPC_S_UNKNOWN_IF = 1717;
inline constexpr DWORD RPC_S_CALL_FAILED = 1726;
inline constexpr DWORD RPC_S_CALL_FAILED_DNE = 1727;
inline constexpr DWORD RPC_S_PROTOCOL_ERROR = 1728;
inline constexpr DWORD EPT_S_NOT_REGISTERED = 1753;
inline constexpr DWORD RPC_X_BAD_STUB_DATA = 1783;
inline constexpr DWORD ERROR_TRUSTED_RELATIONSHIP_FAILURE = 1789;
inline constexpr DWORD RPC_S_SEC_PKG_ERROR = 1825;
inline constexpr DWORD ERROR_PASSWORD_MUST_CHANGE = 1907;
inline constexpr DWORD ERROR_DOMAIN_CONTROLLER_NOT_FOUND = 1908;
inline constexpr DWORD ERROR_OBJECT_ALREADY_EXISTS = 5010;
inline constexpr DWORD NERR_ServerNotStarted = 2114;
inline constexpr DWORD NERR_WkstaNotStarted = 2138;
inline constexpr DWORD NERR_NotPrimary = 2226;
inline constexpr DWORD NERR_NetNameNotFound = 2310;

// Directory-service codes: the Win32 form of LDAP result codes.
inline constexpr DWORD ERROR_DS_NO_ATTRIBUTE_OR_VALUE = 8202;
inline constexpr DWORD ERROR_DS_INVALID_ATTRIBUTE_SYNTAX = 8203;
inline constexpr DWORD ERROR_DS_ATTRIBUTE_TYPE_UNDEFINED = 8204;
inline constexpr DWORD ERROR_DS_ATTRIBUTE_OR_VALUE_EXISTS = 8205;
inline constexpr DWORD ERROR_DS_BUSY = 8206;
inline constexpr DWORD ERROR_DS_UNAVAILABLE = 8207;
inline constexpr DWORD ERROR_DS_OBJ_CLASS_VIOLATION = 8212;
inline constexpr DWORD ERROR_DS_CANT_ON_NON_LEAF = 8213;
inline constexpr DWORD ERROR_DS_CANT_ON_RDN = 8214;
inline constexpr DWORD ERROR_DS_CANT_MOD_OBJ_CLASS = 8215;
inline constexpr DWORD ERROR_DS_PROTOCOL_ERROR = 8225;
inline constexpr DWORD ERROR_DS_TIMELIMIT_EXCEEDED = 8226;
inline constexpr DWORD ERROR_DS_SIZELIMIT_EXCEEDED = 8227;
inline constexpr DWORD ERROR_DS_ADMIN_LIMIT_EXCEEDED = 8228;
inline constexpr DWORD ERROR_DS_COMPARE_FALSE = 8229;
inline constexpr DWORD ERROR_DS_COMPARE_TRUE = 8230;
inline constexpr DWORD ERROR_DS_AUTH_METHOD_NOT_SUPPORTED = 8231;
inline constexpr DWORD ERROR_DS_STRONG_AUTH_REQUIRED = 8232;
inline constexpr DWORD ERROR_DS_INAPPROPRIATE_AUTH = 8233;
inline constexpr DWORD ERROR_DS_AUTH_UNKNOWN = 8234;
inline constexpr DWORD ERROR_DS_REFERRAL = 8235;
inline constexpr DWORD ERROR_DS_UNAVAILABLE_CRIT_EXTENSION = 8236;
inline constexpr DWORD ERROR_DS_CONFIDENTIALITY_REQUIRED = 8237;
inline constexpr DWORD ERROR_DS_INAPPROPRIATE_MATCHING = 8238;
inline constexpr DWORD ERROR_DS_CONSTRAINT_VIOLATION = 8239;
inline constexpr DWORD ERROR_DS_NO_SUCH_OBJECT = 8240;
inline constexpr DWORD ERROR_DS_ALIAS_PROBLEM = 8241;
inline constexpr DWORD ERROR_DS_INVALID_DN_SYNTAX = 8242;
inline constexpr DWORD ERROR_DS_IS_LEAF = 8243;
inline constexpr DWORD ERROR_DS_ALIAS_DEREF_PROBLEM = 8244;
inline constexpr DWORD ERROR_DS_UNWILLING_TO_PERFORM = 8245;
inline constexpr DWORD ERROR_DS_LOOP_DETECT = 8246;
inline constexpr DWORD ERROR_DS_NAMING_VIOLATION = 8247;
inline constexpr DWORD ERROR_DS_OBJECT_RESULTS_TOO_LARGE = 8248;
inline constexpr DWORD ERROR_DS_AFFECTS_MULTIPLE_DSAS = 8249;
inline constexpr DWORD ERROR_DS_LOCAL_ERROR = 8251;
inline constexpr DWORD ERROR_DS_ENCODING_ERROR = 8252;
inline constexpr DWORD ERROR_DS_DECODING_ERROR = 8253;
inline constexpr DWORD ERROR_DS_FILTER_UNKNOWN = 8254;
inline constexpr DWORD ERROR_DS_PARAM_ERROR = 8255;
inline constexpr DWORD ERROR_DS_NOT_SUPPORTED = 8256;
inline constexpr DWORD ERROR_DS_NO_RESULTS_RETURNED = 8257;
inline constexpr DWORD ERROR_DS_CONTROL_NOT_FOUND = 8258;
inline constexpr DWORD ERROR_DS_CLIENT_LOOP = 8259;
inline constexpr DWORD ERROR_DS_REFERRAL_LIMIT_EXCEEDED = 8260;
inline constexpr DWORD ERROR_DS_SORT_CONTROL_MISSING = 8261;
inline constexpr DWORD ERROR_DS_OFFSET_RANGE_ERROR = 8262;
inline constexpr DWORD ERROR_DS_GENERIC_ERROR = 8341;

// Directory service (ADSI) HRESULTs beyond those above.
inline constexpr HRESULT E_ADS_INVALID_USER_OBJECT = make_hresult(0x80005002u);
inline constexpr HRESULT E_ADS_INVALID_COMPUTER_OBJECT = make_hresult(0x80005003u);
inline constexpr HRESULT E_ADS_PROPERTY_NOT_SET = make_hresult(0x80005005u);
inline constexpr HRESULT E_ADS_PROPERTY_NOT_SUPPORTED = make_hresult(0x80005006u);
inline constexpr HRESULT E_ADS_PROPERTY_INVALID = make_hresult(0x80005007u);
inline constexpr HRESULT E_ADS_OBJECT_UNBOUND = make_hresult(0x80005009u);
inline constexpr HRESULT E_ADS_PROPERTY_NOT_MODIFIED = make_hresult(0x8000500Au);
inline constexpr HRESULT E_ADS_PROPERTY_MODIFIED = make_hresult(0x8000500Bu);
inline constexpr HRESULT E_ADS_CANT_CONVERT_DATATYPE = make_hresult(0x8000500Cu);
inline constexpr HRESULT E_ADS_OBJECT_EXISTS = make_hresult(0x8000500Eu);
inline constexpr HRESULT E_ADS_SCHEMA_VIOLATION = make_hresult(0x8000500Fu);
inline constexpr HRESULT E_ADS_INVALID_FILTER = make_hresult(0x80005014u);
inline constexpr HRESULT CO_E_SERVER_EXEC_FAILURE = make_hresult(0x80080005u);

// --- Codes added with the COM runtime's apartments and waits -------------------------------
inline constexpr HRESULT RPC_S_CALLPENDING = make_hresult(0x80010115u);
inline constexpr HRESULT CO_E_NOT_SUPPORTED = make_hresult(0x80004021u);
inline constexpr HRESULT TYPE_E_REGISTRYACCESS = make_hresult(0x8002801Cu);
inline constexpr HRESULT TYPE_E_INVALIDSTATE = make_hresult(0x80028029u);
inline constexpr HRESULT DISP_E_UNKNOWNLCID = make_hresult(0x8002000Cu);
