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
